// The Surveys window's alarm strip end to end: an ALARM shows at once, on a file after the
// window's own change and on a server from a colleague's, and stays until acknowledged.
#include "shell/surveys/alarm_bar.h"
#include "shell/surveys/surveys_window.h"
#include "support/harness.h"
#include "surveys/alarm_surveys.h"
#include "surveys/library_engines.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <cstdio>

using namespace tarvelon;
using namespace tarvelon::surveys;

namespace {

const TubeKey kTube{"GEOTECNA", "FRANA 12", "I9"};

// With K = 1000 the top moves 2 mm a unit of `offset`.
Survey readout(const std::string& number, int day, int offset)
{
    return test::movedReadout(kTube, number, test::dayOf(day, 5), offset);
}

TubeSettings withAlarmAt(std::int64_t base, double alarmMm)
{
    return test::alarmSettings(base, std::nullopt, alarmMm);
}

bool waitFor(const std::function<bool()>& done, int ms = 2000)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return done();
}

TEST(AlarmBar, AnAlarmTheWindowCausesShowsAtOnceAndStaysUntilAcknowledged)
{
    test::TempDir dir;
    const std::string path = dir.file("surveys.sqlite");
    std::int64_t base = 0;
    {
        SurveyStore store;
        ASSERT_TRUE(store.open(path)) << store.error();
        base = store.add(readout("01", 1, 0)).id;
        ASSERT_EQ(store.add(readout("02", 8, 3)).status, AddStatus::Added); // 6 mm
        ASSERT_TRUE(store.setTubeSettings(kTube, withAlarmAt(base, 10))) << store.error();
    }
    SurveysWindow window({QString::fromStdString(path), {}, {}, {}});
    AlarmBar* bar = window.alarmBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->text(), QStringLiteral("No unacknowledged alarm"));
    auto* acknowledge = bar->findChild<QPushButton*>(QStringLiteral("acknowledgeAlarm"));
    ASSERT_NE(acknowledge, nullptr);
    EXPECT_FALSE(acknowledge->isEnabled());

    // The alarm lowered under the readout's 6 mm in the window: the strip says so at once.
    ASSERT_TRUE(window.setTubeSettings(kTube, withAlarmAt(base, 5)));
    EXPECT_EQ(bar->text(), QStringLiteral("ALARM: client \"GEOTECNA\", site \"FRANA 12\", tube \"I9\", readout 02, "
                                          "displacement 6.00 mm \u2265 5.00 at 0.5 m (") +
                               QString::fromStdString(bar->alarms().at(0).at) + QStringLiteral(")"));
    EXPECT_TRUE(acknowledge->isEnabled());
    // Read again, as after any other change, it is still there: only an acknowledgement ends it.
    window.reload();
    EXPECT_TRUE(bar->text().startsWith(QStringLiteral("ALARM:"))) << bar->text().toStdString();

    QString error;
    EXPECT_FALSE(bar->acknowledgeShown(QStringLiteral(" "), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("needs a note"))) << error.toStdString();
    ASSERT_TRUE(bar->acknowledgeShown(QStringLiteral("piezometers read, no change"), &error)) << error.toStdString();
    EXPECT_EQ(bar->text(), QStringLiteral("No unacknowledged alarm"));
    EXPECT_FALSE(acknowledge->isEnabled());

    SurveyStore store;
    ASSERT_TRUE(store.open(path, SurveyStore::Access::Read));
    const std::vector<AlarmEvent> log = store.alarmEvents();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].note, "piezometers read, no change");
    EXPECT_TRUE(log[0].acknowledged());
}

TEST(AlarmBar, TheLogListsEveryEventAndAcknowledgesTheChosen)
{
    test::TempDir dir;
    const std::string path = dir.file("surveys.sqlite");
    {
        SurveyStore store;
        ASSERT_TRUE(store.open(path)) << store.error();
        const std::int64_t base = store.add(readout("01", 1, 0)).id;
        ASSERT_TRUE(store.setTubeSettings(kTube, withAlarmAt(base, 5))) << store.error();
        ASSERT_EQ(store.add(readout("02", 8, 3)).status, AddStatus::Added);
        ASSERT_EQ(store.add(readout("03", 9, 4)).status, AddStatus::Added);
    }
    SurveysWindow window({QString::fromStdString(path), {}, {}, {}});
    EXPECT_TRUE(window.alarmBar()->text().endsWith(QStringLiteral("; 1 more unacknowledged")))
        << window.alarmBar()->text().toStdString();
    SurveyStore store;
    ASSERT_TRUE(store.open(path));
    AlarmLogDialog log(store, true);
    ASSERT_EQ(log.table()->rowCount(), 2);
    // Newest first: readout 03, 8 mm.
    EXPECT_EQ(log.table()->item(0, 4)->text(), QStringLiteral("03"));
    EXPECT_EQ(log.table()->item(0, 6)->text(), QStringLiteral("displacement 8.00 mm \u2265 5.00"));
    QString error;
    ASSERT_TRUE(log.acknowledgeRows({0}, QStringLiteral("seen"), &error)) << error.toStdString();
    EXPECT_TRUE(log.changed());
    EXPECT_EQ(log.table()->item(0, 11)->text(), QStringLiteral("seen"));
    EXPECT_TRUE(log.table()->item(1, 11)->text().isEmpty());
    window.reload();
    EXPECT_TRUE(window.alarmBar()->text().contains(QStringLiteral("readout 02,"))) << window.alarmBar()->text().toStdString();
}

TEST(AlarmBar, AColleaguesAlarmOnTheServerShowsAndLeavesWithTheirAcknowledgement)
{
    if (test::testServer().empty())
        GTEST_SKIP() << test::kNoServer;
    const test::TestLibrary library(test::LibraryEngine::PostgreSQL);
    SurveyStore colleague;
    ASSERT_TRUE(colleague.open(library.location())) << colleague.error();
    const std::int64_t base = colleague.add(readout("01", 1, 0)).id;
    ASSERT_TRUE(colleague.setTubeSettings(kTube, withAlarmAt(base, 5))) << colleague.error();
    SurveysWindow window({QString::fromStdString(library.location()), {}, {}, {}});
    AlarmBar* bar = window.alarmBar();
    EXPECT_EQ(bar->text(), QStringLiteral("No unacknowledged alarm"));
    const std::int64_t alarm = colleague.add(readout("02", 8, 3)).id;
    ASSERT_TRUE(waitFor([&] { return bar->text().startsWith(QStringLiteral("ALARM:")); })) << bar->text().toStdString();
    EXPECT_TRUE(bar->text().contains(QStringLiteral("readout 02")));
    ASSERT_EQ(colleague.acknowledgeReadout(alarm, "called the site"), 1) << colleague.error();
    EXPECT_TRUE(waitFor([&] { return bar->text() == QStringLiteral("No unacknowledged alarm"); }))
        << bar->text().toStdString();
}

} // namespace
