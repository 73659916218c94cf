// The site report: clean pages in the tube report's style, the table's rows with the site's
// figures, the plan and a page per tube whose A and B profiles share one scale.
#include "library/site.h"
#include "library/store.h"
#include "pdf_pages.h"
#include "report/report_language.h"
#include "report/site_plan.h"
#include "report/site_report.h"
#include "support/harness.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

using namespace tarvelon;
using namespace tarvelon::surveys;

namespace {

// `tubes` tubes of one site, each read weekly four times from 01/04/2024 and moving toward A0
// above 2 m by `speed` units a week; every third without coordinates, tube I2 in ALARM.
Site siteOf(SurveyStore& store, int tubes)
{
    for (int t = 1; t <= tubes; ++t) {
        const std::string name = "I" + std::to_string(t);
        for (int n = 1; n <= 4; ++n) {
            Survey s;
            s.client = "GEOTECNA";
            s.site = "FRANA 12";
            s.tube = name;
            s.readout = "0" + std::to_string(n);
            s.date = std::string(n == 1 ? "01" : n == 2 ? "08" : n == 3 ? "15" : "22") + "/04/24";
            s.time = "09:30:00";
            s.step = 0.5;
            for (int d = 5; d <= 100; d += 5)
                s.rows.push_back({d, {std::int64_t(1000 + (d <= 20 ? t * (n - 1) * 3 : 0)), std::int64_t(-300 - (d <= 20 ? n : 0))}});
            EXPECT_EQ(store.add(s).status, AddStatus::Added) << store.error();
        }
        TubeSettings settings;
        settings.constant = 25000;
        settings.baseId = *store.findReadout({"GEOTECNA", "FRANA 12", name}, "01");
        settings.alarmMm = name == "I2" ? 0.5 : 50.0;
        settings.alertMmPerDay = 5;
        settings.readingIntervalDays = 7;
        if (t % 3 != 0) {
            // A grid 40 m apart, five tubes a row.
            settings.easting = 100.0 + 40.0 * (t % 5);
            settings.northing = 200.0 - 40.0 * (t / 5);
        }
        EXPECT_TRUE(store.setTubeSettings({"GEOTECNA", "FRANA 12", name}, settings)) << store.error();
    }
    return loadSite(store, "GEOTECNA", std::string("FRANA 12"), *isoDays("2024-04-26"));
}

} // namespace

// What the site report says, in each of its languages.
struct SiteWords {
    const char* language;
    const char* page; // "Page %1 of %2"
    std::vector<const char*> firstPage;
    const char *continued, *tube, *projection, *rateChart;
};

const SiteWords kSiteWords[] = {
    {"en", "Page %1 of %2",
     {"Site report", "GEOTECNA / FRANA 12", "Site plan, resultant at the top", "Not placed:", "Tubes", "Projected",
      "2024-04-26"},
     "(continued)", "Tube ", "Projection:", "Rate against time"},
    {"it", "Pagina %1 di %2",
     {"Rapporto di cantiere", "GEOTECNA / FRANA 12", "Planimetria del cantiere, risultante in testa", "Non posizionati:",
      "Tubi", "previsto", "26/04/2024"},
     "(segue)", "Tubo ", "Proiezione:", "Velocit\u00e0 di spostamento nel tempo"},
};

// A table's cell as the language prints it: Italian puts the decimal comma and the day first.
QStringList printed(const std::string& cell, const char* language)
{
    QString s = QString::fromStdString(cell);
    if (std::string(language) == "it") {
        s.replace(QRegularExpression(QStringLiteral("(\\d)\\.(\\d)")), QStringLiteral("\\1,\\2"));
        s.replace(QRegularExpression(QStringLiteral("\\b(\\d{4})-(\\d{2})-(\\d{2})\\b")), QStringLiteral("\\3/\\2/\\1"));
    }
    return s.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

TEST(SiteReport, PagesAreCleanAndHoldEveryTubesFigures)
{
    const struct {
        const char* what;
        int tubes;
        bool continued; // the table goes on to a second page
    } cases[] = {{"3 tubes", 3, false}, {"40 tubes", 40, true}};
    for (const SiteWords& words : kSiteWords)
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SCOPED_TRACE(words.language);
        test::TempDir dir;
        SurveyStore store;
        ASSERT_TRUE(store.open(dir.file("surveys.sqlite"))) << store.error();
        const Site site = siteOf(store, c.tubes);
        ASSERT_EQ(site.rows.size(), size_t(c.tubes));
        EXPECT_EQ(site.rows.front().key.tube, "I2"); // in ALARM: first
        report::SiteReportOptions options;
        options.title = QStringLiteral("GEOTECNA / FRANA 12");
        options.today = *isoDays("2024-04-26");
        options.language = QString::fromLatin1(words.language);
        const std::string pdf = dir.file("site.pdf");
        QString error;
        ASSERT_TRUE(report::writeSiteReport(QString::fromStdString(pdf), site, options, &error)) << error.toStdString();
        if (const QString keep = qEnvironmentVariable("REPORT_TEST_PAGES"); !keep.isEmpty())
            QFile::copy(QString::fromStdString(pdf), keep + QStringLiteral("/site-%1-%2.pdf").arg(QLatin1String(words.language)).arg(c.tubes));
        for (const std::string& fault : test::layoutFaults(pdf))
            ADD_FAILURE() << fault;

        const std::vector<std::string> pages = test::pageTexts(pdf);
        const size_t tablePages = pages.size() - site.rows.size();
        EXPECT_EQ(tablePages, c.continued ? 2u : 1u);
        for (size_t n = 0; n < pages.size(); ++n)
            EXPECT_NE(pages[n].find(QString::fromLatin1(words.page).arg(n + 1).arg(pages.size()).toStdString()),
                      std::string::npos);
        for (const char* field : words.firstPage)
            EXPECT_NE(pages[0].find(field), std::string::npos) << "page 1 lacks " << field << "\n" << pages[0];
        EXPECT_EQ(pages[1].find(words.continued) != std::string::npos, c.continued);
        // The status words the analysis gives are in the report's language too.
        std::optional<report::ReportLanguage> language(std::in_place, QString::fromLatin1(words.language));

        // Each row of the site's table, its figures in order: a row left out fails.
        std::vector<QStringList> lines;
        for (size_t n = 0; n < tablePages; ++n)
            for (const QString& line : QString::fromStdString(pages[n]).split(QLatin1Char('\n')))
                lines.push_back(line.split(QLatin1Char(' '), Qt::SkipEmptyParts));
        for (const SiteRow& row : site.rows) {
            const SiteCells cells = siteCells(row);
            QStringList expected;
            for (const std::string& cell : {cells.tube, cells.readout, cells.date, cells.daysSince,
                                            cells.largest, cells.depth, cells.azimuth})
                expected << printed(cell, words.language);
            // The CSV's "yes" and "no" in the report's words, after the days since.
            if (!cells.overdue.empty())
                expected.insert(4, report::translate("Texts", cells.overdue.c_str()));
            EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const QStringList& line) {
                return line.mid(0, expected.size()) == expected;
            })) << "no row " << expected.join(QLatin1Char(' ')).toStdString();
        }
        // A page per tube in the table's order, with its state and its projection.
        for (size_t i = 0; i < site.rows.size(); ++i) {
            const std::string& page = pages[tablePages + i];
            EXPECT_NE(page.find(words.tube + site.rows[i].key.tube + ", FRANA 12, GEOTECNA"), std::string::npos) << page;
            EXPECT_NE(page.find(words.projection), std::string::npos);
            EXPECT_NE(page.find(QString::fromUtf8(words.rateChart).toStdString()), std::string::npos);
        }
        // The status in the report's words, as the report's language gives them.
        const QString alarm = printed(shownSiteCells(site.rows.front()).status, words.language).join(QLatin1Char(' '));
        EXPECT_TRUE(alarm.startsWith(QString::fromStdString(shownLevelWord(Level::Alarm)))) << alarm.toStdString();
        EXPECT_NE(pages[tablePages].find(alarm.toStdString()), std::string::npos) << pages[tablePages];
        language.reset();

        // Each tube's A and B profiles on one scale that holds something.
        for (const auto& tube : site.tubes) {
            const auto row = std::find_if(site.rows.begin(), site.rows.end(),
                                          [&](const SiteRow& r) { return r.key == tube->key; });
            const std::vector<report::ChartSpec> charts = report::tubePageCharts(tube->result, *row);
            ASSERT_EQ(charts.size(), 4u);
            ASSERT_TRUE(charts[2].valueRange && charts[3].valueRange) << tube->key.tube;
            EXPECT_LT(charts[2].valueRange->first, charts[2].valueRange->second);
            EXPECT_EQ(charts[2].valueRange, charts[3].valueRange);
            EXPECT_TRUE(charts[2].limits.empty() && charts[3].limits.empty()) << "a component charts no threshold";
            EXPECT_FALSE(charts[0].limits.empty()); // the resultant's alarm
            ASSERT_EQ(charts[1].limits.size(), 1u); // the rate's alert
            EXPECT_TRUE(charts[1].limits[0].name.startsWith(QStringLiteral("Alert 5.00 mm/day")));
        }
    }
}

// The plan: placed tubes with their arrows, the others listed; the scale bars round and true.
TEST(SitePlan, PlacesTubesAndScalesTheArrows)
{
    test::TempDir dir;
    SurveyStore store;
    ASSERT_TRUE(store.open(dir.file("surveys.sqlite"))) << store.error();
    const Site site = siteOf(store, 6);
    const report::SitePlan plan = report::sitePlan(site.rows);
    EXPECT_EQ(plan.placed.size(), 4u);
    QStringList unplaced = plan.unplaced;
    unplaced.sort();
    EXPECT_EQ(unplaced, (QStringList{QStringLiteral("I3"), QStringLiteral("I6")}));
    for (const report::PlanTube& t : plan.placed) {
        ASSERT_TRUE(t.eastMm && t.northMm) << t.name.toStdString();
        const auto row = std::find_if(site.rows.begin(), site.rows.end(),
                                      [&](const SiteRow& r) { return QString::fromStdString(r.key.tube) == t.name; });
        // The arrow is the top's resultant, at its azimuth.
        const DisplacementRow& top = row->latest->displacement.rows.front();
        EXPECT_NEAR(std::hypot(*t.eastMm, *t.northMm), *top.resultant, 1e-9);
    }
    QImage image(600, 500, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    const report::PlanScales scales = report::drawSitePlan(p, QRectF(0, 0, 600, 500), plan, 9);
    p.end();
    EXPECT_GT(scales.metresPerPoint, 0);
    EXPECT_GT(scales.mmPerPoint, 0);
    for (double bar : {scales.barMetres, scales.barMm}) {
        const double mantissa = bar / std::pow(10.0, std::floor(std::log10(bar)));
        EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 || std::abs(mantissa - 5) < 1e-9)
            << bar;
    }
    // The ALARM tube's colour is drawn.
    bool red = false;
    for (int y = 0; y < image.height() && !red; ++y)
        for (int x = 0; x < image.width() && !red; ++x)
            red = image.pixelColor(x, y) == report::levelColor(Level::Alarm, true);
    EXPECT_TRUE(red);
}
