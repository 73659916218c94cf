// The Surveys window's site view: a site or a client chosen in the tree shows its tubes in a
// table, most alarming first, with the projection's fit in a tooltip and the plan; a double
// click opens the tube.
#include "library/store.h"
#include "shell/surveys/site_view.h"
#include "shell/surveys/surveys_tree.h"
#include "shell/surveys/surveys_window.h"
#include "support/harness.h"
#include "surveys/library_engines.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QDir>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace tarvelon;
using namespace tarvelon::surveys;

namespace {

// Tubes I1 (moving, alarm at 1 mm, placed) and I2 (still, not placed) of site FRANA 12, and I3
// of site CAVA of the same client; each read weekly three times.
void fillSite(const std::string& path, std::vector<std::int64_t>& latest)
{
    SurveyStore store;
    ASSERT_TRUE(store.open(path)) << store.error();
    const std::pair<const char*, const char*> tubes[] = {{"FRANA 12", "I1"}, {"FRANA 12", "I2"}, {"CAVA", "I3"}};
    for (const auto& [site, tube] : tubes) {
        std::int64_t id = 0;
        for (int n = 1; n <= 3; ++n) {
            Survey s;
            s.client = "GEOTECNA";
            s.site = site;
            s.tube = tube;
            s.readout = "0" + std::to_string(n);
            s.date = std::to_string(10 + 7 * (n - 1)) + "/04/24";
            s.time = "10:00:00";
            s.step = 0.5;
            const int moving = std::string(tube) == "I1" ? 40 * (n - 1) : 0;
            for (int d = 5; d <= 50; d += 5)
                s.rows.push_back({d, {std::int64_t(1000 + (d <= 20 ? moving : 0)), std::int64_t(-200)}});
            id = store.add(s).id;
        }
        latest.push_back(id);
        TubeSettings t;
        t.constant = 25000;
        t.baseId = *store.findReadout({"GEOTECNA", site, tube}, "01");
        t.alarmMm = 1;
        if (std::string(tube) == "I1") {
            t.easting = 10;
            t.northing = 20;
        }
        ASSERT_TRUE(store.setTubeSettings({"GEOTECNA", site, tube}, t)) << store.error();
    }
}

} // namespace

TEST(SiteView, ASiteOrClientChosenShowsItsTubesAndADoubleClickOpensOne)
{
    test::TempDir dir;
    const std::string path = dir.file("surveys.sqlite");
    std::vector<std::int64_t> latest;
    fillSite(path, latest);
    SurveysWindow window({QString::fromStdString(path), {}, {}, {}});
    window.resize(1100, 760);
    window.show();
    auto* pages = window.findChild<QStackedWidget*>();
    ASSERT_TRUE(pages);
    EXPECT_FALSE(window.showingSite());

    // The client's line: its two sites' three tubes; the site's line: its two.
    QTreeWidgetItem* client = window.tree()->topLevelItem(0);
    ASSERT_TRUE(client);
    window.tree()->setCurrentItem(client);
    EXPECT_TRUE(window.showingSite());
    QTableWidget* table = window.siteView()->table();
    EXPECT_EQ(table->rowCount(), 3);
    QTreeWidgetItem* frana = client->child(1);
    ASSERT_EQ(frana->text(0), QStringLiteral("FRANA 12"));
    window.tree()->setCurrentItem(frana);
    ASSERT_EQ(table->rowCount(), 2);
    // I1 moved 3.2 mm a week at the top, past its alarm of 1 mm: first, with why and when.
    EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("I1"));
    EXPECT_EQ(table->item(1, 0)->text(), QStringLiteral("I2"));
    EXPECT_TRUE(table->item(0, 10)->text().startsWith(QStringLiteral("ALARM (displacement 6.40 mm \u2265 1.00)"))) << table->item(0, 10)->text().toStdString();
    EXPECT_TRUE(table->item(1, 10)->text().isEmpty());
    EXPECT_TRUE(table->item(0, 9)->toolTip().contains(QStringLiteral("over 3 readouts at 0.5 m")))
        << table->item(0, 9)->toolTip().toStdString();
    EXPECT_TRUE(table->item(1, 9)->text().isEmpty()); // still: no projection
    EXPECT_TRUE(table->item(1, 9)->toolTip().startsWith(QStringLiteral("No projection")));

    const QString folder = QStringLiteral(TARVELON_SCREENS_DIR "/surveys");
    QDir().mkpath(folder);
    QApplication::processEvents();
    EXPECT_TRUE(window.grab().save(folder + QStringLiteral("/surveys-site.png")));

    QString error;
    const QString report = QString::fromStdString(dir.file("site.pdf"));
    EXPECT_TRUE(window.writeSiteReport(report, &error)) << error.toStdString();
    EXPECT_EQ(test::readFile(report.toStdString()).rfind("%PDF", 0), 0u);

    // A double click on I2 opens it: its latest readout chosen, the tube's view shown.
    const QPoint i2 = table->visualItemRect(table->item(1, 0)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, i2);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, i2);
    EXPECT_FALSE(window.showingSite());
    EXPECT_EQ(window.tree()->currentId(), latest[1]);
}

namespace {

// Readout 04 of tube `tube` of FRANA 12, a week after the third, moved 40 units more at the top.
Survey fourth(const std::string& tube)
{
    Survey s;
    s.client = "GEOTECNA";
    s.site = "FRANA 12";
    s.tube = tube;
    s.readout = "04";
    s.date = "01/05/24";
    s.time = "10:00:00";
    s.step = 0.5;
    for (int d = 5; d <= 50; d += 5)
        s.rows.push_back({d, {std::int64_t(1000 + (d <= 20 ? 160 : 0)), std::int64_t(-200)}});
    return s;
}

QString statusOf(QTableWidget* table, const QString& tube)
{
    for (int row = 0; row < table->rowCount(); ++row)
        if (table->item(row, 0)->text() == tube)
            return table->item(row, 10)->text();
    return QStringLiteral("(no row)");
}

struct Refresh {
    const char* name;
    test::LibraryEngine engine;
    bool reloaded; // by the window itself (after an import, a download or a sync); else by the server's news
};

class SiteViewRefresh : public testing::TestWithParam<Refresh> {};

} // namespace

// A site on screen shows what the library holds after a reload or a colleague's change on the
// server, as the tree does, and stays on screen.
TEST_P(SiteViewRefresh, ASiteOnScreenShowsWhatTheLibraryHoldsNow)
{
    if (GetParam().engine == test::LibraryEngine::PostgreSQL && test::testServer().empty())
        GTEST_SKIP() << test::kNoServer;
    const test::TestLibrary library(GetParam().engine);
    std::vector<std::int64_t> latest;
    fillSite(library.location(), latest);
    SurveysWindow window({QString::fromStdString(library.location()), {}, {}, {}});
    QTreeWidgetItem* frana = window.tree()->topLevelItem(0)->child(1);
    ASSERT_EQ(frana->text(0), QStringLiteral("FRANA 12"));
    window.tree()->setCurrentItem(frana);
    QTableWidget* table = window.siteView()->table();
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_TRUE(statusOf(table, QStringLiteral("I2")).isEmpty());

    // Another program adds a tube to the site, and a readout that puts I2 in ALARM.
    {
        SurveyStore other;
        ASSERT_TRUE(other.open(library.location())) << other.error();
        ASSERT_EQ(other.add(fourth("I4")).status, AddStatus::Added) << other.error();
        ASSERT_EQ(other.add(fourth("I2")).status, AddStatus::Added) << other.error();
    }
    if (GetParam().reloaded)
        window.reload();
    QElapsedTimer waited;
    waited.start();
    while ((table->rowCount() != 3 || statusOf(table, QStringLiteral("I2")).isEmpty()) && waited.elapsed() < 3000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_TRUE(window.showingSite());
    EXPECT_EQ(table->rowCount(), 3);
    EXPECT_TRUE(statusOf(table, QStringLiteral("I2")).startsWith(QStringLiteral("ALARM")))
        << statusOf(table, QStringLiteral("I2")).toStdString();
    EXPECT_EQ(window.tree()->currentItem(), window.tree()->topLevelItem(0)->child(1));

    // A site the library no longer holds leaves the view for the readouts'.
    {
        SurveyStore other;
        ASSERT_TRUE(other.open(library.location())) << other.error();
        for (const SurveySummary& s : other.list())
            if (s.site == "FRANA 12") {
                ASSERT_TRUE(other.remove(s.id)) << other.error();
            }
    }
    if (GetParam().reloaded)
        window.reload();
    waited.restart();
    while (window.showingSite() && waited.elapsed() < 3000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_FALSE(window.showingSite());
}

INSTANTIATE_TEST_SUITE_P(Ways, SiteViewRefresh,
                         testing::Values(Refresh{"FileReloaded", test::LibraryEngine::SQLite, true},
                                         Refresh{"ServerNews", test::LibraryEngine::PostgreSQL, false}),
                         [](const testing::TestParamInfo<Refresh>& info) { return std::string(info.param.name); });
