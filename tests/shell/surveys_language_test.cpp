// The Surveys window in Italian: its buttons, tabs, tables and boxes say the catalogue's Italian,
// none of their English texts is left where the catalogue has a translation, and English comes
// back when English is chosen again.
#include "library/site.h"
#include "library/store.h"
#include "shell/language.h"
#include "shell/surveys/alarm_bar.h"
#include "shell/surveys/corrections_dialog.h"
#include "shell/surveys/library_dialog.h"
#include "shell/surveys/probe_dialog.h"
#include "shell/surveys/report_choices_dialog.h"
#include "shell/surveys/site_view.h"
#include "shell/surveys/surveys_tree.h"
#include "shell/surveys/surveys_window.h"
#include "shell/surveys/tube_report_box.h"
#include "shell/surveys/tube_settings_dialog.h"
#include "support/harness.h"

#include <QAbstractButton>
#include <QDoubleSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QXmlStreamReader>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

using namespace tarvelon;
using namespace tarvelon::surveys;

namespace {

// Each source text of the Italian catalogue whose translation differs from it, without "&".
QHash<QString, QString> translatedTexts()
{
    QHash<QString, QString> out;
    QFile f(QStringLiteral(TARVELON_SOURCE_DIR "/translations/tarvelon_it.ts"));
    if (!f.open(QIODevice::ReadOnly))
        return out;
    QXmlStreamReader xml(&f);
    QString source;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText().remove(QLatin1Char('&'));
            } else if (xml.name() == QLatin1String("translation")) {
                const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements).remove(QLatin1Char('&'));
                if (!text.isEmpty() && text != source)
                    out.insert(source, text);
            }
        }
    return out;
}

// Every text a person reads on the widget and its children: captions, labels, tabs, group
// titles and table headings.
QStringList shownTexts(const QWidget& top)
{
    QStringList out;
    QList<const QWidget*> widgets{&top};
    for (const QWidget* w : top.findChildren<QWidget*>())
        widgets << w;
    for (const QWidget* w : widgets) {
        if (auto* b = qobject_cast<const QAbstractButton*>(w))
            out << b->text();
        if (auto* l = qobject_cast<const QLabel*>(w))
            out << l->text();
        if (auto* g = qobject_cast<const QGroupBox*>(w))
            out << g->title();
        if (auto* t = qobject_cast<const QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i)
                out << t->tabText(i);
        if (auto* t = qobject_cast<const QTableWidget*>(w))
            for (int i = 0; i < t->columnCount(); ++i)
                if (const QTableWidgetItem* h = t->horizontalHeaderItem(i))
                    out << h->text();
    }
    for (QString& s : out)
        s.remove(QLatin1Char('&'));
    return out;
}

// The English texts left on a window shown in Italian.
QStringList leftInEnglish(const QWidget& top, const QHash<QString, QString>& catalogue)
{
    QStringList out;
    for (const QString& text : shownTexts(top))
        if (catalogue.contains(text))
            out << text;
    return out;
}

// One tube read three times, its first readout the base and an alarm at 1 mm that the third
// readout reaches.
std::int64_t fillTube(const std::string& path)
{
    SurveyStore store;
    EXPECT_TRUE(store.open(path)) << store.error();
    std::int64_t id = 0;
    for (int n = 1; n <= 3; ++n) {
        Survey s;
        s.client = "GEOTECNA";
        s.site = "FRANA";
        s.tube = "I1";
        s.readout = "0" + std::to_string(n);
        s.date = std::to_string(10 + 7 * (n - 1)) + "/04/24";
        s.time = "10:00:00";
        s.step = 0.5;
        for (int d = 5; d <= 30; d += 5)
            s.rows.push_back({d, {std::int64_t(1000 + (d <= 15 ? 60 * (n - 1) : 0)), std::int64_t(-200)}});
        id = store.add(s).id;
    }
    TubeSettings t;
    t.constant = 25000;
    t.baseId = *store.findReadout({"GEOTECNA", "FRANA", "I1"}, "01");
    t.alarmMm = 1;
    EXPECT_TRUE(store.setTubeSettings({"GEOTECNA", "FRANA", "I1"}, t)) << store.error();
    return id;
}

class SurveysInItalian : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(useLanguage(*qApp, QStringLiteral("it")), QStringLiteral("it")); }
    void TearDown() override { useLanguage(*qApp, QStringLiteral("en")); }
};

} // namespace

TEST_F(SurveysInItalian, TheWindowItsTabsAndTablesSayNoEnglishTheCatalogueTranslates)
{
    const QHash<QString, QString> catalogue = translatedTexts();
    ASSERT_GT(catalogue.size(), 500);
    test::TempDir dir;
    const std::string path = dir.file("surveys.sqlite");
    const std::int64_t latest = fillTube(path);
    SurveysWindow window({QString::fromStdString(path), {}, {}, {}});
    window.resize(1100, 760);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.select({latest});

    EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("Misure - "))) << window.windowTitle().toStdString();
    auto* base = window.findChild<QAbstractButton*>(QStringLiteral("markBase"));
    ASSERT_TRUE(base);
    EXPECT_EQ(base->text(), QStringLiteral("Segna come ri&ferimento"));
    EXPECT_TRUE(base->whatsThis().startsWith(QStringLiteral("Fa della lettura scelta"))) << base->whatsThis().toStdString();
    EXPECT_TRUE(window.alarmBar()->text().contains(QStringLiteral(", lettura n. 03"))) << window.alarmBar()->text().toStdString();
    EXPECT_EQ(leftInEnglish(window, catalogue), QStringList());
}

// Each box the window opens, with its title in Italian and no English the catalogue translates.
TEST_F(SurveysInItalian, TheBoxesSayNoEnglishTheCatalogueTranslates)
{
    const QHash<QString, QString> catalogue = translatedTexts();
    test::TempDir dir;
    const std::string path = dir.file("surveys.sqlite");
    fillTube(path);
    SurveyStore store;
    ASSERT_TRUE(store.open(path)) << store.error();
    Survey base, readout;
    readout.id = 1;
    readout.readout = "02";
    TubeResult tube;
    tube.base = &base;
    ReadoutResult compared;
    compared.survey = &readout;
    const struct {
        const char* name;
        std::function<QWidget*()> make;
        const char* title;
    } boxes[] = {
        {"tube settings", [] { return new TubeSettingsDialog({"GEOTECNA", "FRANA", "I1"}, {}, nullptr); }, "Impostazioni tubo"},
        {"corrections", [&] { return new CorrectionsDialog(tube, compared, {}); }, "Correzioni"},
        {"report choices", [] { return new ReportChoicesDialog(TubeResult{}, {}, nullptr); }, "Rapporto tubo"},
        {"probe", [&] { return new ProbeDialog(readout, {}, nullptr); }, "Sonda"},
        {"library", [&] { return new LibraryDialog(QString(), QString::fromStdString(path)); }, "Archivio delle misure"},
        {"alarm log", [&] { return new AlarmLogDialog(store, true); }, "Registro allarmi"},
    };
    for (const auto& b : boxes) {
        const std::unique_ptr<QWidget> box(b.make());
        EXPECT_EQ(box->windowTitle(), QString::fromUtf8(b.title)) << b.name;
        EXPECT_EQ(leftInEnglish(*box, catalogue), QStringList()) << b.name;
    }
}

TEST_F(SurveysInItalian, EnglishComesBackWhenChosenAgain)
{
    test::TempDir dir;
    const std::string path = dir.file("surveys.sqlite");
    fillTube(path);
    useLanguage(*qApp, QStringLiteral("en"));
    SurveysWindow window({QString::fromStdString(path), {}, {}, {}});
    auto* base = window.findChild<QAbstractButton*>(QStringLiteral("markBase"));
    ASSERT_TRUE(base);
    EXPECT_EQ(base->text(), QStringLiteral("Mark as &Base"));
    EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("Surveys - "))) << window.windowTitle().toStdString();
    // The scan that finds no English in Italian finds it here, where it belongs.
    EXPECT_TRUE(leftInEnglish(window, translatedTexts()).contains(QStringLiteral("Export Table...")));
}

// The boxes' numbers (the probe's constant is whole reading units) and the site table take the decimal comma in Italian and the point in
// English; a number typed either way reads as the same value, and the CSV files stay as they are.
TEST_F(SurveysInItalian, NumbersFollowTheLanguageWhereShownAndNeverInTheCsv)
{
    test::TempDir dir;
    const std::string path = dir.file("surveys.sqlite");
    fillTube(path);
    SurveyStore store;
    ASSERT_TRUE(store.open(path)) << store.error();
    const TubeKey key{"GEOTECNA", "FRANA", "I1"};
    const std::vector<Survey> all = store.tubeSurveys(key);
    const TubeResult tube = analyseTube(all, store.tubeSettings(key), store.corrections(key));
    ASSERT_TRUE(tube.base);
    const ReadoutResult& latest = tube.readouts.back();
    ASSERT_TRUE(latest.displacement.compared);
    const auto csvs = [&] {
        return summaryCsv(tube) + displacementCsv(tube) + siteCsv(loadSite(store, "GEOTECNA", {}, 19900, false).rows);
    };
    const std::string italianCsv = csvs();
    EXPECT_NE(italianCsv.find("ALARM (displacement "), std::string::npos) << italianCsv;

    const struct {
        const char* language;
        const char* shown;  // 2.5 in a box
        const char* typed;  // read as 1.5
        const char* status; // the site table's status of the tube in ALARM
    } languages[] = {
        {"it", "2,5", "1,5", "ALLARME (spostamento "},
        {"en", "2.5", "1.5", "ALARM (displacement "},
    };
    for (const auto& l : languages) {
        useLanguage(*qApp, QString::fromLatin1(l.language));
        EXPECT_EQ(csvs(), italianCsv) << l.language;
        std::unique_ptr<QWidget> boxes[] = {
            std::make_unique<TubeSettingsDialog>(key, TubeSettings{}, nullptr),
            std::make_unique<CorrectionsDialog>(tube, latest, CorrectionsDialog::Keep{}),
        };
        for (const auto& box : boxes) {
            QDoubleSpinBox* spin = nullptr;
            for (QDoubleSpinBox* s : box->findChildren<QDoubleSpinBox*>())
                if (!spin && s->decimals() >= 1 && s->minimum() <= 1.5 && s->maximum() >= 2.5)
                    spin = s;
            ASSERT_TRUE(spin) << box->windowTitle().toStdString();
            spin->setValue(2.5);
            EXPECT_TRUE(spin->text().contains(QLatin1String(l.shown))) << spin->text().toStdString();
            auto* edit = spin->findChild<QLineEdit*>();
            ASSERT_TRUE(edit);
            edit->setText(QLatin1String(l.typed));
            spin->interpretText();
            EXPECT_DOUBLE_EQ(spin->value(), 1.5) << l.language << " " << box->windowTitle().toStdString();
        }

        SurveysWindow window({QString::fromStdString(path), {}, {}, {}});
        window.resize(1100, 760);
        window.show();
        window.tree()->setCurrentItem(window.tree()->topLevelItem(0));
        ASSERT_TRUE(window.showingSite());
        const QTableWidget* table = window.siteView()->table();
        ASSERT_EQ(table->rowCount(), 1);
        const QString status = table->item(0, 10)->text(), largest = table->item(0, 5)->text();
        EXPECT_TRUE(status.startsWith(QString::fromUtf8(l.status))) << status.toStdString();
        const QChar other = l.language == std::string("it") ? QLatin1Char('.') : QLatin1Char(',');
        EXPECT_FALSE(status.contains(other)) << status.toStdString();
        EXPECT_FALSE(largest.isEmpty());
        EXPECT_FALSE(largest.contains(other)) << largest.toStdString();
    }
}

// The Tube Report box offers the tube's own report language first, else the window's, and shows
// the default title as the chosen language prints it; Tube Settings keeps the tube's language.
TEST_F(SurveysInItalian, TheReportsLanguageIsTheTubesElseTheWindows)
{
    const struct {
        const char *tubeLanguage, *offered, *title, *other, *otherTitle;
    } cases[] = {
        {"", "it", "Rapporto inclinometrico", "en", "Inclinometer report"},
        {"en", "en", "Inclinometer report", "it", "Rapporto inclinometrico"},
        {"it", "it", "Rapporto inclinometrico", "en", "Inclinometer report"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tubeLanguage);
        TubeResult tube;
        tube.settings.report.language = c.tubeLanguage;
        ReportChoicesDialog box(tube, {}, nullptr);
        auto* language = box.findChild<QComboBox*>(QStringLiteral("reportLanguage"));
        auto* title = box.findChild<QLineEdit*>(QStringLiteral("reportTitle"));
        ASSERT_TRUE(language && title);
        EXPECT_EQ(box.choices().language, QLatin1String(c.offered));
        EXPECT_EQ(title->placeholderText(), QString::fromUtf8(c.title));
        language->setCurrentIndex(language->findData(QLatin1String(c.other)));
        EXPECT_EQ(box.choices().language, QLatin1String(c.other));
        EXPECT_EQ(title->placeholderText(), QString::fromUtf8(c.otherTitle));
        // The window stays in its language.
        EXPECT_EQ(box.windowTitle(), QStringLiteral("Rapporto tubo"));

        TubeReportFields fields;
        fields.language = c.tubeLanguage;
        const TubeReportBox settings(fields, nullptr);
        EXPECT_EQ(settings.fields().language, c.tubeLanguage);
    }
}
