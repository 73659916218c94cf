#include "support/harness.h"
#include "surveys/library_engines.h"
#include "surveys/library_files.h"
#include "analysis/displacement.h"
#include "library/sql.h"
#include "library/store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace tarvelon;
using namespace tarvelon::surveys;
using tarvelon::test::readFile;
using tarvelon::test::TempDir;
using tarvelon::test::version1Library;
using tarvelon::test::writeFile;

namespace {

void runSql(const std::string& path, const std::string& sql)
{
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(raw);
    sqlite3_close(raw);
}

// A file at `version`: 0 is an empty file, 1 as version 1 left it, 2 a library made now.
void makeLibrary(const std::string& path, int version)
{
    if (version == 0)
        writeFile(path, "");
    else if (version == 1)
        runSql(path, version1Library());
    else {
        SurveyStore store;
        ASSERT_TRUE(store.open(path)) << store.error();
    }
}

Survey surveyNumbered(int n)
{
    Survey s;
    s.client = "C";
    s.site = "S";
    s.tube = "T";
    s.readout = std::to_string(n);
    s.date = "12/03/24";
    s.step = 0.5;
    s.depth = 1.0;
    s.rows = {{5, {1, 2}}, {10, {3, 4}}};
    return s;
}

#ifndef _WIN32
// Programs released at one instant, each adding survey `number(n)` to the library at `location`;
// the exit status of each: 0 added, 2 already there, 1 anything else.
std::vector<int> atOnce(const std::string& location, int programs, const std::function<int(int)>& number)
{
    int gate[2];
    EXPECT_EQ(pipe(gate), 0);
    std::vector<pid_t> pids;
    for (int n = 0; n < programs; ++n) {
        const pid_t pid = fork();
        if (pid == 0) {
            close(gate[1]);
            char c;
            (void)!read(gate[0], &c, 1); // returns once the gate's other end is closed
            SurveyStore store;
            const bool open = store.open(location) && !store.readOnly();
            const AddResult added = open ? store.add(surveyNumbered(number(n))) : AddResult{};
            if (added.status != AddStatus::Added && added.status != AddStatus::AlreadyThere)
                std::fprintf(stderr, "program %d: %s%s\n", n, store.error().c_str(), added.error.c_str());
            _exit(added.status == AddStatus::Added ? 0 : added.status == AddStatus::AlreadyThere ? 2 : 1);
        }
        pids.push_back(pid);
    }
    close(gate[0]);
    close(gate[1]);
    std::vector<int> codes;
    for (pid_t pid : pids) {
        int status = 0;
        waitpid(pid, &status, 0);
        codes.push_back(WIFEXITED(status) ? WEXITSTATUS(status) : 1);
    }
    return codes;
}

using StoreOpenOnEachEngine = tarvelon::test::OnEachEngine;

INSTANTIATE_TEST_SUITE_P(Engines, StoreOpenOnEachEngine,
                         testing::Values(tarvelon::test::LibraryEngine::SQLite, tarvelon::test::LibraryEngine::PostgreSQL),
                         tarvelon::test::engineName);

// Programs that open one library together, each adding a survey: every one succeeds and the
// library ends at the current version holding all they added. A file may be left by version 1;
// a server's database is new or made now.
TEST_P(StoreOpenOnEachEngine, ManyProgramsOpeningOneLibraryAtOnceAllSucceed)
{
    const bool file = GetParam() == tarvelon::test::LibraryEngine::SQLite;
    const int kPrograms = 8, kRounds = file ? 20 : 4;
    for (int version : {0, 1, 2})
        for (int round = 0; round < kRounds && (file || version != 1); ++round) {
            SCOPED_TRACE("version " + std::to_string(version) + ", round " + std::to_string(round));
            tarvelon::test::TestLibrary library(GetParam());
            const std::string& location = library.location();
            if (file) {
                makeLibrary(location, version);
            } else if (version == 2) {
                ASSERT_TRUE(SurveyStore().open(location));
            }
            const std::vector<int> codes = atOnce(location, kPrograms, [](int n) { return 100 + n; });
            ASSERT_EQ(codes, std::vector<int>(size_t(kPrograms), 0));
            SurveyStore store;
            ASSERT_TRUE(store.open(location, SurveyStore::Access::Read)) << store.error();
            EXPECT_EQ(store.list().size(), size_t(kPrograms + (version == 1 ? 1 : 0)));
        }
}

// Programs adding the same survey at once: one adds it, every other finds it there.
TEST_P(StoreOpenOnEachEngine, OneSurveyAddedByManyProgramsAtOnceIsKeptOnce)
{
    constexpr int kPrograms = 6;
    ASSERT_TRUE(SurveyStore().open(location()));
    for (int round = 0; round < 3; ++round) {
        std::vector<int> codes = atOnce(location(), kPrograms, [round](int) { return round; });
        std::sort(codes.begin(), codes.end());
        std::vector<int> want(size_t(kPrograms), 2);
        want[0] = 0;
        EXPECT_EQ(codes, want) << "round " << round;
    }
    SurveyStore store;
    ASSERT_TRUE(store.open(location(), SurveyStore::Access::Read));
    EXPECT_EQ(store.list().size(), 3u);
}
#endif

// What only reads never makes, upgrades or changes a file, and says why it cannot read one.
TEST(StoreOpen, ReadingLeavesEveryFileAsItWas)
{
    const struct {
        const char* what;
        std::string sql; // none: an empty file
        std::string error;
    } cases[] = {
        {"another program's database", "CREATE TABLE contacts (name TEXT); INSERT INTO contacts VALUES ('x');",
         std::string(kForeignTables)},
        {"an empty file", "", std::string(kNotALibrary)},
        {"a version 1 library", version1Library(), "its tables are of an older version"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string path = dir.file("x.db");
        if (c.sql.empty())
            writeFile(path, "");
        else
            runSql(path, c.sql);
        const std::string before = readFile(path);
        SurveyStore store;
        EXPECT_FALSE(store.open(path, SurveyStore::Access::Read));
        EXPECT_EQ(store.error().rfind(c.error, 0), 0u) << store.error();
        EXPECT_EQ(readFile(path), before);
        EXPECT_FALSE(std::filesystem::exists(path + "-wal"));
    }
    TempDir dir;
    SurveyStore store;
    EXPECT_FALSE(store.open(dir.file("none.sqlite"), SurveyStore::Access::Read));
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.sqlite")));
}


// A library written by another program, or damaged, with rows at depths no unit holds: they
// are left out as they are read, so the comparison covers only the real tube.
TEST(StoreOpen, RowsBeyondWhatAUnitHoldsAreLeftOut)
{
    TempDir dir;
    const std::string path = dir.file("surveys.sqlite");
    {
        SurveyStore store;
        ASSERT_TRUE(store.open(path)) << store.error();
        ASSERT_EQ(store.add(surveyNumbered(1)).status, AddStatus::Added);
        ASSERT_EQ(store.add(surveyNumbered(2)).status, AddStatus::Added);
    }
    sql::Database raw;
    ASSERT_TRUE(raw.open(path, sql::Database::Mode::ReadWrite));
    ASSERT_TRUE(raw.exec("INSERT INTO readings (survey_id, depth, reading1, reading2) VALUES "
                         "(2, 2000000.0, 5, 5), (2, -3.0, 5, 5), (2, 1e300, 5, 5);"
                         "UPDATE surveys SET missing_depths = '500000.0 1.5' WHERE id = 2"));
    raw.close();
    SurveyStore store;
    ASSERT_TRUE(store.open(path, SurveyStore::Access::Read)) << store.error();
    const std::vector<Survey> tube = store.tubeSurveys({"C", "S", "T"});
    ASSERT_EQ(tube.size(), 2u);
    EXPECT_EQ(tube[1].rows, surveyNumbered(2).rows);
    EXPECT_EQ(tube[1].missingTenths, std::vector<int>{15});
    EXPECT_EQ(store.survey(tube[1].id)->rows, surveyNumbered(2).rows);
    TubeSettings settings;
    settings.baseId = tube[0].id;
    settings.constant = 25000;
    const TubeResult result = analyseTube(tube, settings);
    ASSERT_EQ(result.readouts.size(), 1u);
    // 0.5 and 1.0; the missing 1.5 lies below the base's deepest row, so it has no partner.
    EXPECT_EQ(result.readouts[0].displacement.rows.size(), 2u);
}

} // namespace
