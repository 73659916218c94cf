// Files that are not libraries of ours, or not whole, and texts and readings no unit could
// give: refused with one message, and the file left as it was.
#include "support/harness.h"
#include "surveys/library_engines.h"
#include "surveys/library_files.h"
#include "analysis/displacement.h"
#include "library/sql.h"
#include "library/store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <unistd.h>
#endif

using namespace tarvelon;
using namespace tarvelon::surveys;
using tarvelon::test::readFile;
using tarvelon::test::TempDir;
using tarvelon::test::version1Library;

namespace {

void runSql(const std::string& path, const std::string& sql)
{
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(raw);
    sqlite3_close(raw);
}

std::int64_t pragma(const std::string& path, const std::string& name)
{
    sql::Database db;
    EXPECT_TRUE(db.open(path, sql::Database::Mode::ReadOnly));
    return db.queryInt("PRAGMA " + name).value_or(-1);
}

Survey surveyNumbered(int n, std::vector<SurveyRow> rows = {{5, {1, 2}}, {10, {3, 4}}})
{
    Survey s;
    s.client = "C";
    s.site = "S";
    s.tube = "T";
    s.readout = std::to_string(n);
    s.date = "12/03/24";
    s.time = "10:00:00";
    s.step = 0.5;
    s.depth = 1.0;
    s.rows = std::move(rows);
    return s;
}

// A library of ours as the program leaves it, then changed by hand with `sql`.
std::string ourLibrary(const TempDir& dir, const std::string& sql)
{
    const std::string path = dir.file("surveys.sqlite");
    {
        SurveyStore store;
        EXPECT_TRUE(store.open(path)) << store.error();
        EXPECT_EQ(store.add(surveyNumbered(1)).status, AddStatus::Added);
    }
    if (!sql.empty())
        runSql(path, "PRAGMA journal_mode = DELETE;" + sql);
    return path;
}

} // namespace

// Another program's database is never made a library nor changed, whatever its version says;
// the application id set when the program makes a file is what says it is ours.
TEST(LibraryFiles, AnotherProgramsDatabaseIsRefusedAndLeftByteForByte)
{
    const struct {
        const char* what;
        std::string sql;
    } cases[] = {
        {"tables of its own at user_version 3", "CREATE TABLE contacts (name TEXT); PRAGMA user_version = 3;"},
        {"tables of its own at user_version 5", "CREATE TABLE notes (n TEXT); PRAGMA user_version = 5;"},
        {"no tables but a user_version", "PRAGMA user_version = 9;"},
        {"a survey table of its own", "CREATE TABLE surveys (id INTEGER, name TEXT); PRAGMA user_version = 1;"},
        {"another program's application id", version1Library() + "PRAGMA application_id = 1234;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string path = dir.file("other.db");
        runSql(path, "PRAGMA journal_mode = DELETE;" + c.sql);
        const std::string before = readFile(path);
        for (const auto access : {SurveyStore::Access::Write, SurveyStore::Access::Read}) {
            SurveyStore store;
            EXPECT_FALSE(store.open(path, access));
            EXPECT_EQ(store.error(), kForeignTables);
        }
        EXPECT_EQ(readFile(path), before);
        EXPECT_FALSE(std::filesystem::exists(path + "-wal"));
    }
}

// A file that is no database at all, however short (SQLite would take one shorter than its header
// for an empty database), is refused and left as it was.
TEST(LibraryFiles, AFileThatIsNoDatabaseIsRefusedAndLeftAsItWas)
{
    for (const std::string& text : std::vector<std::string>{"x", "some notes\n", std::string(600, 'y')}) {
        SCOPED_TRACE(text.size());
        TempDir dir;
        const std::string path = dir.file("notes.txt");
        {
            std::ofstream out(path, std::ios::binary);
            out << text;
        }
        for (const auto access : {SurveyStore::Access::Write, SurveyStore::Access::Read}) {
            SurveyStore store;
            EXPECT_FALSE(store.open(path, access));
            EXPECT_NE(store.error().find("not a survey library"), std::string::npos) << store.error();
        }
        EXPECT_EQ(readFile(path), text);
    }
}

// A library the program makes is marked; one an earlier version made unmarked is known by its
// tables, read as it is, and marked at its first write.
TEST(LibraryFiles, OursAreMarkedWhenMadeOrFirstWritten)
{
    TempDir dir;
    const std::string made = dir.file("new.sqlite");
    ASSERT_TRUE(SurveyStore().open(made));
    EXPECT_EQ(pragma(made, "application_id"), kLibraryApplicationId);
    ASSERT_TRUE(std::filesystem::remove(made));

    const std::string unmarked = ourLibrary(dir, "DROP TABLE alarm_events; DROP TABLE library_identity; DROP TABLE sync_bases; "
                                                 "DROP TABLE deleted_surveys; ALTER TABLE tubes DROP COLUMN fixed_end; "
                                                 "ALTER TABLE tubes DROP COLUMN min_interval_days; ALTER TABLE tubes DROP COLUMN precision_mm; "
                                                 "ALTER TABLE tubes DROP COLUMN rate_unit; ALTER TABLE surveys DROP COLUMN probe_serial; "
                                                 "ALTER TABLE surveys DROP COLUMN probe_constant; "
                                                 "ALTER TABLE tubes DROP COLUMN continued_from_id; ALTER TABLE tubes DROP COLUMN easting; "
                                                 "ALTER TABLE tubes DROP COLUMN northing; "
                                                 "ALTER TABLE tubes DROP COLUMN reading_interval_days; "
                                                 "ALTER TABLE tube_reports DROP COLUMN language; PRAGMA application_id = 0; "
                                                 "PRAGMA user_version = 5;");
    const std::string before = readFile(unmarked);
    {
        // Known as ours, and only read: an older version is left as it is.
        SurveyStore reader;
        EXPECT_FALSE(reader.open(unmarked, SurveyStore::Access::Read));
        EXPECT_EQ(reader.error().rfind("its tables are of an older version", 0), 0u) << reader.error();
    }
    EXPECT_EQ(readFile(unmarked), before);
    SurveyStore writer;
    ASSERT_TRUE(writer.open(unmarked)) << writer.error();
    EXPECT_FALSE(writer.readOnly());
    EXPECT_EQ(pragma(unmarked, "application_id"), kLibraryApplicationId);
    EXPECT_EQ(pragma(unmarked, "user_version"), SurveyStore::kSchemaVersion);

    const std::string old = dir.file("version1.sqlite");
    runSql(old, version1Library());
    SurveyStore upgraded;
    ASSERT_TRUE(upgraded.open(old)) << upgraded.error();
    EXPECT_EQ(pragma(old, "application_id"), kLibraryApplicationId);
}

// A library of a newer version of ours is read, never written, and named by its version.
TEST(LibraryFiles, NewerLibraryIsNamedByItsVersion)
{
    for (int version : {SurveyStore::kSchemaVersion + 1, SurveyStore::kSchemaVersion + 2, 70}) {
        SCOPED_TRACE(version);
        TempDir dir;
        const std::string path = ourLibrary(dir, "PRAGMA user_version = " + std::to_string(version) + ";");
        const std::string before = readFile(path);
        const std::string said = std::string(kNewerTables) + " (its tables are of version " +
                                 std::to_string(version) + "; this one knows up to version " +
                                 std::to_string(SurveyStore::kSchemaVersion) + ")";
        SurveyStore store;
        ASSERT_TRUE(store.open(path));
        EXPECT_TRUE(store.readOnly());
        EXPECT_EQ(store.error(), said);
        EXPECT_EQ(store.list().size(), 1u);
        EXPECT_EQ(store.add(surveyNumbered(2)).status, AddStatus::Failed);
        store = SurveyStore();
        EXPECT_EQ(readFile(path), before);
    }
}

// A file with pages overwritten is refused when opened to write (SQLite's quick check), and a
// reading that meets a damaged page says so instead of giving part of the library.
TEST(LibraryFiles, DamagedLibraryIsRefusedNeverListedInPart)
{
    TempDir dir;
    const std::string path = dir.file("surveys.sqlite");
    {
        SurveyStore store;
        ASSERT_TRUE(store.open(path));
        std::vector<Survey> all;
        for (int n = 0; n < 2000; ++n)
            all.push_back(surveyNumbered(n, {{5, {n, 2}}, {10, {3, 4}}, {15, {5, 6}}}));
        for (const AddResult& r : store.addBatch(all, {}, "test"))
            ASSERT_EQ(r.status, AddStatus::Added) << r.error;
    }
    runSql(path, "PRAGMA wal_checkpoint(TRUNCATE); PRAGMA journal_mode = DELETE;");
    const auto size = std::filesystem::file_size(path);
    {
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        const std::string garbage(size / 4, '\x5a');
        file.seekp(std::streamoff(size / 2));
        file.write(garbage.data(), std::streamsize(garbage.size()));
    }
    const std::string damaged = readFile(path);

    SurveyStore writer;
    EXPECT_FALSE(writer.open(path));
    EXPECT_EQ(writer.error().rfind(kDamaged, 0), 0u) << writer.error();
    EXPECT_EQ(readFile(path), damaged);

    SurveyStore reader;
    ASSERT_TRUE(reader.open(path, SurveyStore::Access::Read)) << reader.error();
    EXPECT_FALSE(reader.damaged());
    const std::vector<SurveySummary> listed = reader.list();
    EXPECT_TRUE(reader.damaged()) << listed.size() << " of 2000 listed without a word";
    EXPECT_EQ(reader.error().rfind(kDamaged, 0), 0u) << reader.error();
}

// Readings no unit can give (beyond ±32767), as a damaged or foreign row may hold, are refused
// as they are read, like depths no unit holds; the rows of the unit's range stay.
TEST(LibraryFiles, ReadingsBeyondTheUnitsRangeAreLeftOut)
{
    TempDir dir;
    const std::string path = ourLibrary(dir, "");
    runSql(path, "INSERT INTO readings (survey_id, depth, reading1, reading2, reading3, reading4) VALUES "
                 "(1, 1.5, 32767, -32767, 1, 1), (1, 2.0, 32768, 0, 0, 0), (1, 2.5, 0, -32768, 0, 0), "
                 "(1, 3.0, 4611686018427387904, 0, 4611686018427387904, 0), (1, 3.5, 1, 1, 1, -9223372036854775807)");
    SurveyStore store;
    ASSERT_TRUE(store.open(path, SurveyStore::Access::Read)) << store.error();
    const std::vector<Survey> tube = store.tubeSurveys({"C", "S", "T"});
    ASSERT_EQ(tube.size(), 1u);
    std::vector<int> depths;
    for (const SurveyRow& r : tube[0].rows)
        depths.push_back(r.depthTenths);
    EXPECT_EQ(depths, (std::vector<int>{5, 10, 15}));
    EXPECT_EQ(store.survey(1)->rows.size(), 3u);
}

// The sum of readings 1 and 3 of rows given straight to the arithmetic, at values no library
// now lets through, is left out rather than overflowing.
TEST(LibraryFiles, ChecksumOfHugeReadingsIsLeftOut)
{
    const std::int64_t huge = std::int64_t(1) << 62;
    Survey base = surveyNumbered(1, {{5, {huge, 1, huge, 1}}, {10, {1, 1, 1, 1}}});
    Survey later = surveyNumbered(2, {{5, {huge, 1, huge, 1}}, {10, {2, 1, 0, 1}}});
    base.id = 1;
    later.id = 2;
    TubeSettings settings;
    settings.baseId = 1;
    settings.constant = 25000;
    settings.secondPass = true;
    const std::vector<Survey> tube{base, later};
    const TubeResult result = analyseTube(tube, settings);
    ASSERT_EQ(result.readouts.size(), 1u);
    const auto& rows = result.readouts[0].displacement.rows;
    ASSERT_FALSE(rows.empty());
    for (const DisplacementRow& r : rows)
        if (r.depthTenths == 5)
            EXPECT_FALSE(r.checksum[0].has_value());
        else
            EXPECT_EQ(r.checksum[0], 2);
}

using HeaderTextsOnEachEngine = tarvelon::test::OnEachEngine;

INSTANTIATE_TEST_SUITE_P(Engines, HeaderTextsOnEachEngine,
                         testing::Values(tarvelon::test::LibraryEngine::SQLite, tarvelon::test::LibraryEngine::PostgreSQL),
                         tarvelon::test::engineName);

// NUL and the other control characters in a header's texts become a space on either engine, so
// a file and a server hold the same survey and a second add finds it there.
TEST_P(HeaderTextsOnEachEngine, ControlCharactersBecomeASpaceOnEitherEngine)
{
    SurveyStore store;
    ASSERT_TRUE(store.open(location())) << store.error();
    Survey s = surveyNumbered(1);
    s.client = std::string("North\0Dam", 9);
    s.tube = "T\x01\x1f\x7f";
    s.guides = "2\t";
    const AddResult added = store.add(s);
    ASSERT_EQ(added.status, AddStatus::Added) << added.error;
    EXPECT_EQ(store.textsCleaned(), 1);
    const std::optional<Survey> kept = store.survey(added.id);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->client, "North Dam");
    EXPECT_EQ(kept->tube, "T   ");
    EXPECT_EQ(kept->guides, "2 ");
    EXPECT_EQ(store.add(s).status, AddStatus::AlreadyThere);
    EXPECT_EQ(store.find(s), added.id);
    EXPECT_EQ(store.add(surveyNumbered(2)).status, AddStatus::Added);
    EXPECT_EQ(store.textsCleaned(), 2) << "each add of such texts is counted, a clean survey is not";
}

#ifndef _WIN32
// A library in a folder that cannot be written is read as it stands, and the reason said is
// the folder's, not SQLite's "unable to open database file".
TEST(LibraryFiles, AReadOnlyFolderIsNamedAsTheReason)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes any folder";
    TempDir dir;
    const std::filesystem::path folder = dir.path() / "shared";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "surveys.sqlite").string();
    {
        SurveyStore store;
        ASSERT_TRUE(store.open(path));
        ASSERT_EQ(store.add(surveyNumbered(1)).status, AddStatus::Added);
    }
    runSql(path, "PRAGMA journal_mode = DELETE;");
    std::filesystem::permissions(folder, std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
    SurveyStore store;
    const bool opened = store.open(path);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    ASSERT_TRUE(opened) << store.error();
    EXPECT_TRUE(store.readOnly());
    EXPECT_EQ(store.error().rfind("the folder it is in cannot be written", 0), 0u) << store.error();
    EXPECT_EQ(store.list().size(), 1u);
}
#endif
