// tarvelon alarms run as a program on a library on either engine: the list, its CSV, the exit
// status a scheduled job tests, and acknowledging from the command line.
#include <gtest/gtest.h>

#include "support/child_process.h"
#include "support/harness.h"
#include "surveys/alarm_surveys.h"
#include "surveys/library_engines.h"
#include "library/sql.h"
#include "library/store.h"

#include <cstdio>
#include <sstream>

namespace tarvelon::test {
namespace {

using namespace std::chrono_literals;

const surveys::TubeKey kTube{"ACME", "Hill", "T1"};

// With K = 1000 the top moves 2 mm a unit of `offset`.
surveys::Survey readout(const std::string& number, int day, int offset)
{
    return movedReadout(kTube, number, dayOf(day), offset);
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

class AlarmsCommand : public OnEachEngine {
protected:
    void SetUp() override
    {
        OnEachEngine::SetUp();
        if (IsSkipped())
            return;
        surveys::SurveyStore store;
        store.setUser("ana");
        ASSERT_TRUE(store.open(location())) << store.error();
        const std::int64_t base = store.add(readout("01", 1, 0)).id;
        ASSERT_TRUE(store.setTubeSettings(kTube, alarmSettings(base, 5, 10, 1, 2))) << store.error();
        // 12 mm: an alarm by displacement; then 8 mm a day later, an alarm by its 4 mm/day.
        ASSERT_EQ(store.add(readout("02", 11, 6)).status, surveys::AddStatus::Added);
        ASSERT_EQ(store.add(readout("03", 12, 4)).status, surveys::AddStatus::Added);
        ASSERT_EQ(store.alarmEvents().size(), 2u);
    }
    int run(std::vector<std::string> args, std::string& out, std::string& err, const std::string& library = "")
    {
        args.insert(args.end(), {"--library", library.empty() ? location() : library});
        ChildProcess p(TARVELON_CLI, args,
                       {"USER=bea", "HOME=" + home.file(""), "XDG_DATA_HOME=" + home.file("share"),
                        "XDG_CONFIG_HOME=" + home.file("config")});
        const int status = p.wait(60s);
        out = p.out, err = p.err;
        return status;
    }
    TempDir home;
};

TEST_P(AlarmsCommand, ListsTheLogAndExitsThreeWhileAnAlarmIsUnacknowledged)
{
    std::string out, err;
    ASSERT_EQ(run({"alarms", "--csv"}, out, err), 3) << err;
    std::vector<std::string> lines = linesOf(out);
    ASSERT_EQ(lines.size(), 3u) << out;
    EXPECT_EQ(lines[0], "when,client,site,tube,readout,status,criterion,value,threshold,depth_m,caused_by,"
                        "acknowledged_by,acknowledged_at,note");
    const std::string by = GetParam() == LibraryEngine::SQLite ? "ana" : "";
    // Each row after its time: the tube, the readout, what set it, and who caused it.
    EXPECT_NE(lines[1].find(",ACME,Hill,T1,02,ALARM,displacement,12.00,10.00,0.5," + by), std::string::npos) << out;
    EXPECT_NE(lines[2].find(",ACME,Hill,T1,03,ALARM,rate,4.000,2.000,0.5," + by), std::string::npos) << out;
    EXPECT_EQ(lines[1].substr(lines[1].size() - 3), ",,,") << "not acknowledged yet";

    const struct {
        std::vector<std::string> args;
        int status;
        size_t rows; // CSV rows after the header
    } lists[] = {
        {{"alarms", "--csv", "--unacknowledged"}, 3, 2},
        {{"alarms", "--csv", "--site", "Other"}, 0, 0},
        {{"alarms", "--csv", "--client", "ACME", "--site", "Hill", "--tube", "T1"}, 3, 2},
        {{"alarms", "--csv", "--since", "2999-01-01"}, 0, 0},
        {{"alarms", "--csv", "--since", "2000-01-01T00:00:00Z"}, 3, 2},
    };
    for (const auto& l : lists) {
        SCOPED_TRACE(l.args.back());
        EXPECT_EQ(run(l.args, out, err), l.status) << err;
        EXPECT_EQ(linesOf(out).size(), l.rows + 1) << out;
    }
    EXPECT_EQ(run({"alarms", "--site", "Other"}, out, err), 0);
    EXPECT_NE(err.find("the alarm log holds no event"), std::string::npos) << err;

    const std::vector<std::string> tube{"--client", "ACME", "--site", "Hill", "--tube", "T1"};
    const auto acknowledge = [&](const std::string& number, const std::string& note) {
        std::vector<std::string> args{"alarms", "--acknowledge", "--readout", number, "--note", note};
        args.insert(args.end(), tube.begin(), tube.end());
        return run(args, out, err);
    };
    ASSERT_EQ(acknowledge("2", "walked the slope, no crack"), 0) << err;
    EXPECT_EQ(out, "acknowledged: 1 event of readout 02 of client \"ACME\", site \"Hill\", tube \"T1\"\n");
    EXPECT_EQ(acknowledge("02", "again"), 1);
    EXPECT_NE(err.find("holds no unacknowledged event of readout 02"), std::string::npos) << err;
    // Readout 03's alarm is still open; once it is acknowledged the job is quiet.
    EXPECT_EQ(run({"alarms", "--csv", "--unacknowledged"}, out, err), 3);
    ASSERT_EQ(acknowledge("3", "surveyor informed"), 0) << err;
    EXPECT_EQ(run({"alarms", "--csv", "--unacknowledged"}, out, err), 0);
    EXPECT_EQ(linesOf(out).size(), 1u) << out;
    ASSERT_EQ(run({"alarms", "--csv"}, out, err), 0) << err;
    lines = linesOf(out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].substr(lines[1].rfind(",\"")), ",\"walked the slope, no crack\"") << "quoted as CSV: " << out;
    EXPECT_EQ(lines[2].substr(lines[2].rfind(',')), ",surveyor informed") << out;
}

// A sync takes the log to a laptop's file with each event's own time and cause, and says so.
TEST_P(AlarmsCommand, ASyncCarriesTheLogAndSaysSo)
{
    const std::string laptop = home.file("laptop.sqlite");
    {
        surveys::SurveyStore made;
        ASSERT_TRUE(made.open(laptop)) << made.error();
    }
    ChildProcess p(TARVELON_CLI, {"sync", "--from", location(), "--to", laptop},
                   {"USER=bea", "HOME=" + home.file(""), "XDG_DATA_HOME=" + home.file("share"),
                    "XDG_CONFIG_HOME=" + home.file("config")});
    ASSERT_EQ(p.wait(60s), 0) << p.err;
    EXPECT_NE((p.out + p.err).find("Alarm log: 2 events sent, 0 received; 0 acknowledgements sent, 0 received"),
              std::string::npos)
        << p.out << p.err;
    surveys::SurveyStore source, copy;
    ASSERT_TRUE(source.open(location())) << source.error();
    ASSERT_TRUE(copy.open(laptop)) << copy.error();
    const std::vector<surveys::AlarmEvent> had = source.alarmEvents(), got = copy.alarmEvents();
    ASSERT_EQ(got.size(), had.size());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].readout, had[i].readout);
        EXPECT_EQ(got[i].at, had[i].at);
        EXPECT_EQ(got[i].causedBy, had[i].causedBy);
        EXPECT_TRUE(got[i].carried);
    }
}

TEST_P(AlarmsCommand, WrongUseIsSaidAndChangesNothing)
{
    std::string out, err;
    const struct {
        std::vector<std::string> args;
        std::string said;
    } cases[] = {
        {{"alarms", "--since", "yesterday"}, "--since takes a day as YYYY-MM-DD"},
        {{"alarms", "--note", "x"}, "--note goes with --acknowledge"},
        {{"alarms", "--acknowledge", "--client", "ACME", "--site", "Hill", "--tube", "T1", "--readout", "02"},
         "--note is needed"},
        {{"alarms", "--acknowledge", "--client", "ACME", "--site", "Hill", "--tube", "T1", "--readout", "02", "--note",
          " "},
         "--note says what was done"},
        {{"alarms", "--acknowledge", "--client", "ACME", "--site", "Hill", "--note", "x", "--readout", "02"},
         "--tube is needed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        EXPECT_EQ(run(c.args, out, err), 2);
        EXPECT_NE(err.find(c.said), std::string::npos) << err;
    }
    surveys::SurveyStore store;
    ASSERT_TRUE(store.open(location()));
    for (const surveys::AlarmEvent& e : store.alarmEvents())
        EXPECT_FALSE(e.acknowledged());
}

TEST_P(AlarmsCommand, AReaderOnAServerReadsTheLogButMayNotAcknowledge)
{
    if (GetParam() != LibraryEngine::PostgreSQL)
        GTEST_SKIP() << "roles are a server's";
    std::string out, err;
    ASSERT_EQ(run({"library", "init"}, out, err), 0) << err;
    const std::string reader = "alarm_reader_" + library().database();
    ASSERT_TRUE(onServer("DROP ROLE IF EXISTS " + reader + "; CREATE ROLE " + reader + " LOGIN PASSWORD '" +
                         testServerPassword() + "'; GRANT tarvelon_reader TO " + reader));
    std::string asReader = location();
    asReader.replace(asReader.find("//") + 2, asReader.find('@') - asReader.find("//") - 2, reader);
    EXPECT_EQ(run({"alarms", "--csv"}, out, err, asReader), 3) << err;
    EXPECT_EQ(linesOf(out).size(), 3u) << out;
    EXPECT_EQ(run({"alarms", "--acknowledge", "--client", "ACME", "--site", "Hill", "--tube", "T1", "--readout", "02",
                   "--note", "seen"},
                  out, err, asReader),
              1);
    EXPECT_NE(err.find("ask its administrator for tarvelon_editor"), std::string::npos) << err;
    // Nor past the program, straight to the server: the log is the server's to guard.
    sql::Database direct;
    ASSERT_TRUE(direct.connect(asReader)) << direct.error();
    EXPECT_FALSE(direct.exec("UPDATE alarm_events SET note = 'seen', acknowledged_at = 'x'"));
    EXPECT_FALSE(direct.exec("DELETE FROM alarm_events"));
    direct.close();
    onServer("DROP OWNED BY " + reader + "; DROP ROLE " + reader, library().database());
}

INSTANTIATE_TEST_SUITE_P(Engines, AlarmsCommand, testing::Values(LibraryEngine::SQLite, LibraryEngine::PostgreSQL),
                         engineName);

} // namespace
} // namespace tarvelon::test
