#include "blocks/export_files.h"
#include "support/harness.h"
#include "surveys/comparison.h"
#include "surveys/export_reader.h"
#include "surveys/import.h"
#include "surveys/store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace tarvelon;
using namespace tarvelon::surveys;
using tarvelon::test::TempDir;

namespace {

BlockHeader header(std::string readout = "03")
{
    return {"CLIENT 1", "SITE0000", "T1  ", "002.0", "0", "2", "+000", readout, "120324  ", "101500  "};
}

std::string headerBytes(const BlockHeader& h)
{
    std::string out;
    for (const std::string& r : headerExportRecords(h))
        out += r;
    return out;
}

// The export file of a block of four rows from 2.0 m up, shallowest first.
std::string readingsBytes(int offset = 0)
{
    std::string out;
    for (int t = 5; t <= 20; t += 5) {
        std::string reply;
        for (int j = 0; j < 2; ++j) {
            char word[8];
            std::snprintf(word, sizeof word, "%04X", 0x8000 + t * 10 + j + offset);
            reply += std::string(word, 2) + " " + std::string(word + 2, 2) + " ";
        }
        out += exportRecord(readingsRow(t, reply, 2)).bytes();
    }
    return out + ReadingsRecord{}.bytes() + columnLine().bytes();
}

Survey survey(std::string readout, std::vector<SurveyRow> rows, double step = 0.5)
{
    Survey s;
    s.client = "C";
    s.site = "S";
    s.tube = "T";
    s.readout = std::move(readout);
    s.date = "12/03/24";
    s.step = step;
    s.rows = std::move(rows);
    return s;
}

SurveyRow row(int tenths, std::int64_t r1, std::int64_t r2)
{
    return {tenths, {r1, r2}};
}

TEST(ExportReader, ReadsWhatTheDownloadWritesAndRefusesAnythingElseWhole)
{
    const std::string h = headerBytes(header()), r = readingsBytes();
    const ReadResult good = readExport(h, r);
    ASSERT_TRUE(good.survey) << good.error;
    EXPECT_EQ(good.survey->tube, "T1");
    EXPECT_EQ(good.survey->date, "12/03/24");
    EXPECT_EQ(good.survey->depth, 2.0);
    EXPECT_EQ(good.survey->step, 0.5);
    ASSERT_EQ(good.survey->rows.size(), 4u);
    EXPECT_EQ(good.survey->rows[1], (SurveyRow{10, {100, 101}}));

    std::string garbage = r;
    garbage.replace(47 + 2, 2, "x1");
    std::string twice = r;
    twice.replace(113 + 40, 5, "000.5");
    const struct {
        std::string headerFile, readingsFile, error;
    } bad[] = {
        {h.substr(0, 500), r, "header export file is cut short"},
        {std::string(798, 'x'), r, "not a header export file"},
        {h + "more", r, "not a header export file"},
        {h, r.substr(0, r.size() - 1), "readings export file is cut short"},
        {h, r.substr(0, r.size() - 113), "should hold one column line"},
        {h, h.substr(0, 113 * 7), "not a readings export file"},
        {h, garbage, "record 1: reading 1 \"+0x150;\" is not a reading"},
        {h, twice, "the depth \"000.5\" comes twice"},
    };
    for (const auto& c : bad) {
        const ReadResult got = readExport(c.headerFile, c.readingsFile);
        EXPECT_FALSE(got.survey) << c.error;
        EXPECT_NE(got.error.find(c.error), std::string::npos) << got.error;
    }
}

// A pair copied from a FAT stick may be named in upper case; its partner keeps that case.
TEST(ExportReader, PartnerFileKeepsTheCaseOfTheName)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/d/X-dat.dat", "/d/X-num.dat"},
        {"/d/X-NUM.DAT", "/d/X-DAT.DAT"},
        {"/d/X-Dat.Dat", "/d/X-Num.Dat"},
        {"/d/X-dat.txt", ""},
    };
    for (const auto& [path, partner] : cases)
        EXPECT_EQ(partnerFile(path), partner) << path;
}

TEST(Store, KeepsSurveysInWriteAheadLoggingOneWholeTransactionEach)
{
    TempDir dir;
    const std::string path = dir.file("surveys.sqlite");
    SurveyStore store;
    ASSERT_TRUE(store.open(path)) << store.error();
    Survey s = survey("01", {row(5, 1, 2), row(10, -3, 4)});
    s.rows[1].readings[7] = 9;
    const AddResult added = store.add(s);
    ASSERT_EQ(added.status, AddStatus::Added) << added.error;
    EXPECT_EQ(store.add(s).status, AddStatus::AlreadyThere);
    Survey other = s;
    other.rows[0].readings[0] = 7;
    EXPECT_EQ(store.add(other).status, AddStatus::Conflict);
    // Two rows at one depth fail half way: the survey row written before must go too.
    EXPECT_EQ(store.add(survey("02", {row(5, 1, 2), row(5, 1, 2)})).status, AddStatus::Failed);
    ASSERT_EQ(store.list().size(), 1u);
    EXPECT_EQ(store.survey(added.id)->rows, s.rows);
    ASSERT_EQ(store.trend("C", "S", "T", 10).size(), 1u);
    EXPECT_EQ(store.trend("C", "S", "T", 10)[0].reading1, -3);

    sql::Database raw;
    ASSERT_TRUE(raw.open(path, sql::Database::Mode::ReadWrite));
    {
        sql::Statement mode(raw, "PRAGMA journal_mode");
        ASSERT_TRUE(mode.step());
        EXPECT_EQ(mode.text(0), "wal");
    }
    EXPECT_EQ(raw.queryInt("PRAGMA user_version"), SurveyStore::kSchemaVersion);
    EXPECT_EQ(raw.queryInt("SELECT count(*) FROM readings WHERE reading8 IS NOT NULL"), 1);

    // Another program holding the library: the add says so and the library is unchanged.
    ASSERT_TRUE(raw.exec("BEGIN EXCLUSIVE"));
    const AddResult locked = store.add(survey("03", {row(5, 1, 2)}));
    EXPECT_EQ(locked.status, AddStatus::Failed);
    EXPECT_NE(locked.error.find("locked"), std::string::npos) << locked.error;
    ASSERT_TRUE(raw.exec("ROLLBACK"));

    // Tables of a newer program are read, never written.
    ASSERT_TRUE(raw.exec("PRAGMA user_version = 99"));
    raw.close();
    SurveyStore newer;
    ASSERT_TRUE(newer.open(path));
    EXPECT_TRUE(newer.readOnly());
    EXPECT_EQ(newer.list().size(), 1u);
    EXPECT_EQ(newer.add(survey("04", {})).error, "it was written by a newer version of Tarvelon Manager");
}

// Files as earlier versions left them, in rollback-journal mode, each with a table of another
// program's: opening brings them up to the current tables, or, failing half way, leaves them as
// they were, and never loses what they held.
TEST(Store, OpensFilesOfEarlierVersionsKeepingWhatTheyHold)
{
    // Version 1 as it went out; a later version adds a migration step and still reads this.
    const std::string version1 = R"(
        CREATE TABLE surveys (id INTEGER PRIMARY KEY, client TEXT NOT NULL, site TEXT NOT NULL,
            tube TEXT NOT NULL, depth REAL, step REAL NOT NULL, guides TEXT NOT NULL, north TEXT NOT NULL,
            readout TEXT NOT NULL, date TEXT NOT NULL, time TEXT NOT NULL, downloaded_at TEXT NOT NULL,
            header_file TEXT NOT NULL, readings_file TEXT NOT NULL,
            UNIQUE (client, site, tube, readout, date, time));
        CREATE TABLE readings (survey_id INTEGER NOT NULL REFERENCES surveys (id) ON DELETE CASCADE,
            depth REAL NOT NULL, reading1 INTEGER, reading2 INTEGER, reading3 INTEGER, reading4 INTEGER,
            reading5 INTEGER, reading6 INTEGER, reading7 INTEGER, reading8 INTEGER,
            PRIMARY KEY (survey_id, depth)) WITHOUT ROWID;
        INSERT INTO surveys VALUES (7, 'C', 'S', 'T', 20.0, 0.5, '2', '+000', '01', '12/03/24', '10:15:00',
            '2024-03-12T10:20:00Z', 'h', 'r');
        INSERT INTO readings VALUES (7, 0.5, 1, -2, NULL, NULL, NULL, NULL, NULL, 9),
            (7, 1.0, 3, 4, NULL, NULL, NULL, NULL, NULL, NULL);
        PRAGMA user_version = 1;)";
    SurveyRow deep = row(5, 1, -2);
    deep.readings[7] = 9;
    const struct {
        const char* what;
        std::string sql;
        std::string error; // empty when the file opens
        std::int64_t version, surveyTables;
        std::vector<SurveyRow> rowsOf7;
    } cases[] = {
        {"version 0", "", "", 1, 1, {}},
        {"version 1", version1, "", 1, 1, {deep, row(10, 3, 4)}},
        {"version 0, migration fails at its second table", "CREATE TABLE readings (x);",
         "table readings already exists", 0, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string path = dir.file("surveys.sqlite");
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
        const std::string setup = "CREATE TABLE notes (n TEXT); INSERT INTO notes VALUES ('kept');" + c.sql;
        ASSERT_EQ(sqlite3_exec(raw, setup.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(raw);
        sqlite3_close(raw);
        {
            SurveyStore store;
            EXPECT_EQ(store.open(path), c.error.empty());
            EXPECT_EQ(store.error(), c.error);
            if (c.error.empty()) {
                EXPECT_EQ(store.list().size(), c.rowsOf7.empty() ? 0u : 1u);
                if (!c.rowsOf7.empty())
                    EXPECT_EQ(store.survey(7)->rows, c.rowsOf7);
                EXPECT_EQ(store.add(survey("09", {row(5, 1, 2)})).status, AddStatus::Added);
            }
        }
        sql::Database check;
        ASSERT_TRUE(check.open(path, sql::Database::Mode::ReadOnly));
        EXPECT_EQ(check.queryInt("PRAGMA user_version"), c.version);
        EXPECT_EQ(check.queryInt("SELECT count(*) FROM sqlite_master WHERE name = 'surveys'"), c.surveyTables);
        EXPECT_EQ(check.queryInt("SELECT count(*) FROM notes WHERE n = 'kept'"), 1);
    }
}

TEST(Store, DamagedFileIsReportedNotOverwritten)
{
    TempDir dir;
    const std::string path = dir.file("surveys.sqlite");
    const std::string junk(8192, 'j');
    test::writeFile(path, junk);
    SurveyStore store;
    EXPECT_FALSE(store.open(path));
    EXPECT_EQ(store.error(), "file is not a database");
    EXPECT_EQ(store.add(survey("01", {})).status, AddStatus::Failed);
    EXPECT_EQ(test::readFile(path), junk);
}

TEST(Comparison, ChangeAndCumulativeSumFromTheBottomUpAgainstAHandTable)
{
    const Survey base = survey("01", {row(5, 10, 20), row(10, 12, 22), row(15, 14, 24), row(20, 16, 26)});
    const Survey later = survey("02", {row(10, 15, 20), row(15, 14, 30), row(20, 18, 25), row(25, 1, 1)});
    const Comparison c = compare(base, later);
    EXPECT_EQ(c.leftOut, 2); // 0.5 m only in the base, 2.5 m only in the later readout
    EXPECT_EQ(comparisonCsv(c, 0),
              "depth_m,base_reading1,base_reading2,reading1,reading2,change1,change2,"
              "cumulative1_reading_units_x_m,cumulative2_reading_units_x_m\n"
              "1.0,12,22,15,20,3,-2,2.5,1.5\n"
              "1.5,14,24,14,30,0,6,1,2.5\n"
              "2.0,16,26,18,25,2,-1,1,-0.5\n");
    EXPECT_NE(comparisonCsv(c, 2).find("cumulative1_mm,cumulative2_mm\n1.0,12,22,15,20,3,-2,5,3\n"), std::string::npos);
    Survey metre = later;
    metre.step = 1.0;
    EXPECT_EQ(compare(base, metre).rows[0].cumulative, (std::array<double, 2>{5, 3}));
    EXPECT_EQ(surveyCsv(later).substr(0, 38), "depth_m,reading1,reading2\n1.0,15,20\n1.");

    // Large and small cumulatives in plain decimals, not "1e+05" or "1e-05".
    const Comparison wide = compare(survey("01", {row(10, -25000, 0), row(20, -25000, 0)}),
                                    survey("02", {row(10, 25000, 1), row(20, 25000, 1)}, 1.0));
    EXPECT_NE(comparisonCsv(wide, 0).find("\n1.0,-25000,0,25000,1,50000,1,100000,2\n"), std::string::npos);
    EXPECT_NE(comparisonCsv(wide, 0.0001).find("\n2.0,-25000,0,25000,1,50000,1,5,0.0001\n"), std::string::npos)
        << comparisonCsv(wide, 0.0001);
}

TEST(Import, AddsEachPairOnceAndSaysWhyForTheOthers)
{
    TempDir dir;
    const auto put = [&](const std::string& name, const std::string& bytes) { test::writeFile(dir.file(name), bytes); };
    put("A-dat.dat", headerBytes(header("03")));
    put("A-num.dat", readingsBytes());
    put("B-dat.dat", headerBytes(header("04")));
    put("B-num.dat", readingsBytes().substr(0, 300));
    put("C-num.dat", readingsBytes());
    put("notes.txt", "hello");
    // The same readout with other readings, and a copy of A in a subfolder whose name no
    // Windows code page holds.
    put("D-dat.dat", headerBytes(header("03")));
    put("D-num.dat", readingsBytes(1));
    std::filesystem::create_directory(fsPath(dir.file("còpia 測試")));
    put("còpia 測試/A-dat.dat", headerBytes(header("03")));
    put("còpia 測試/A-num.dat", readingsBytes());
    SurveyStore store;
    ASSERT_TRUE(store.open(dir.file("surveys.sqlite")));

    const ImportReport first = importExportFiles(store, {utf8Path(dir.path())});
    EXPECT_EQ(first.added, 1);
    EXPECT_EQ(first.skipped, 1);
    EXPECT_EQ(first.failed, 3);
    ASSERT_EQ(first.messages.size(), 4u);
    EXPECT_EQ(first.messages[0].rfind("B-dat.dat: the readings export file is cut short", 0), 0u) << first.messages[0];
    EXPECT_EQ(first.messages[1], "C-dat.dat: cannot read C-dat.dat (No such file or directory)");
    EXPECT_EQ(first.messages[2], "D-dat.dat: the library holds other readings for this client, site, tube, readout "
                                 "number, date and time");
    EXPECT_EQ(first.messages[3], "A-dat.dat: already in the library");
    ASSERT_EQ(store.list().size(), 1u);
    EXPECT_EQ(store.survey(first.addedIds.at(0))->rows[0].readings[0], 50);

    const ImportReport again = importExportFiles(store, {dir.file("A-num.dat"), dir.file("notes.txt")});
    EXPECT_EQ(again.skipped, 1);
    EXPECT_EQ(again.messages, (std::vector<std::string>{"notes.txt: not an export file (its name ends neither in "
                                                        "dat.dat nor in num.dat)",
                                                        "A-dat.dat: already in the library"}));
}

} // namespace
