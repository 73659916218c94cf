#include "blocks/export_files.h"
#include "support/harness.h"
#include "surveys/library_engines.h"
#include "surveys/library_files.h"
#include "analysis/displacement.h"
#include "library/export_reader.h"
#include "library/import.h"
#include "library/store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>

using namespace tarvelon;
using namespace tarvelon::surveys;
using tarvelon::test::LibraryEngine;
using tarvelon::test::OnEachEngine;
using tarvelon::test::TempDir;
using tarvelon::test::version1Library;

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

using StoreOnEachEngine = OnEachEngine;

INSTANTIATE_TEST_SUITE_P(Engines, StoreOnEachEngine, testing::Values(LibraryEngine::SQLite, LibraryEngine::PostgreSQL),
                         tarvelon::test::engineName);

TEST_P(StoreOnEachEngine, KeepsEachSurveyOnceAndWholeOrNotAtAll)
{
    SurveyStore store;
    ASSERT_TRUE(store.open(location())) << store.error();
    EXPECT_FALSE(store.readOnly());
    EXPECT_EQ(store.onServer(), GetParam() == LibraryEngine::PostgreSQL);
    Survey s = survey("01", {row(5, 1, 2), row(10, -3, 4)});
    s.depth = 2.5;
    s.origin = Origin::Import;
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
    // A survey deeper than a statement's batch of rows comes back whole, in order.
    Survey deep = survey("06", {});
    for (int t = 5; t <= 1000; t += 5)
        deep.rows.push_back(row(t, t, -t));
    const AddResult deepAdded = store.add(deep);
    ASSERT_EQ(deepAdded.status, AddStatus::Added) << deepAdded.error;
    EXPECT_EQ(store.survey(deepAdded.id)->rows, deep.rows);
    const std::vector<Survey> tube = store.tubeSurveys({"C", "S", "T"});
    ASSERT_EQ(tube.size(), 2u);
    EXPECT_EQ(tube[0].depth, 2.5);
    EXPECT_EQ(tube[0].origin, Origin::Import);
    EXPECT_EQ(tube[1].rows.size(), 200u);
    EXPECT_EQ(store.find(deep), deepAdded.id);
    EXPECT_EQ(store.findReadout({"C", "S", "T"}, "6"), deepAdded.id);
}

// A tube's settings and its report's fields, kept per tube and replaced whole.
TEST_P(StoreOnEachEngine, KeepsTubeSettingsPerTube)
{
    SurveyStore store;
    ASSERT_TRUE(store.open(location())) << store.error();
    const std::int64_t base = store.add(survey("01", {row(5, 1, 2)})).id;
    TubeSettings t{25000, base, Units::Inches, 45.0, 10.0, 20.0, 0.5, 1.0, true, DepthReference::UpperWheel, 0.5, 10.0, {}};
    t.report = {"Dam", "P-17", "Left bank", "SN 4411", "Read weekly", 312.5};
    TubeSettings plain;
    plain.constant = 20000.125;
    plain.checksumTolerance.reset();
    const struct {
        TubeKey tube;
        TubeSettings settings;
    } cases[] = {{{"C", "S", "T"}, t}, {{"C", "S", "T2"}, plain}, {{"C", "S", "T"}, plain}};
    std::map<TubeKey, TubeSettings> all;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tube.tube);
        ASSERT_TRUE(store.setTubeSettings(c.tube, c.settings)) << store.error();
        all[c.tube] = c.settings;
        EXPECT_EQ(store.tubeSettings(c.tube), c.settings);
    }
    EXPECT_EQ(store.allTubeSettings(), all);
    EXPECT_EQ(store.tubeSettings({"C", "S", "T3"}), TubeSettings{});
}

// Each survey keeps the probe that read it: the tube's when it came in, changed per readout; a
// new base keeps the base it carries on from.
TEST_P(StoreOnEachEngine, KeepsEachSurveysProbeAndTheBaseANewBaseCarriesOnFrom)
{
    SurveyStore store;
    ASSERT_TRUE(store.open(location())) << store.error();
    const TubeKey tube{"C", "S", "T"};
    TubeSettings t;
    t.constant = 20000;
    t.report.probeSerial = "P1";
    ASSERT_TRUE(store.setTubeSettings(tube, t)) << store.error();
    const std::int64_t first = store.add(survey("01", {row(5, 1, 2)})).id;
    t.constant = 25000;
    t.report.probeSerial = "P2";
    ASSERT_TRUE(store.setTubeSettings(tube, t)) << store.error();
    const std::int64_t second = store.add(survey("02", {row(5, 1, 2)})).id;
    Survey own = survey("03", {row(5, 1, 2)});
    own.probeSerial = "P9";
    own.probeConstant = 21000;
    const std::int64_t third = store.add(own).id;
    const struct {
        std::int64_t id;
        const char* serial;
        std::optional<double> constant;
    } cases[] = {{first, "P1", 20000.0}, {second, "P2", 25000.0}, {third, "P9", 21000.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.serial);
        EXPECT_EQ(store.survey(c.id)->probeSerial, c.serial);
        EXPECT_EQ(store.survey(c.id)->probeConstant, c.constant);
    }
    EXPECT_EQ(store.tubeSurveys(tube).at(0).probeSerial, "P1");

    // Changed per readout; none: the tube's constant applies. A bad one changes nothing.
    ASSERT_TRUE(store.setProbe(first, "P3", std::nullopt)) << store.error();
    EXPECT_EQ(store.survey(first)->probeSerial, "P3");
    EXPECT_EQ(probeConstantOf(*store.survey(first), store.tubeSettings(tube)), 25000);
    EXPECT_FALSE(store.setProbe(second, "P4", 0.0));
    EXPECT_NE(store.error().find("positive"), std::string::npos) << store.error();
    EXPECT_FALSE(store.setProbe(999, "P4", 1.0));
    EXPECT_EQ(store.survey(second)->probeSerial, "P2");

    t.baseId = second;
    t.continuedFromId = first;
    ASSERT_TRUE(store.setTubeSettings(tube, t)) << store.error();
    EXPECT_EQ(store.tubeSettings(tube), t);
    ASSERT_TRUE(store.remove(first)) << store.error();
    EXPECT_EQ(store.tubeSettings(tube).continuedFromId, 0);
    EXPECT_EQ(store.tubeSettings(tube).baseId, second);
}

// What only an SQLite file has: its journal mode, another program's lock, tables of a newer program.
TEST(Store, KeepsSurveysInWriteAheadLoggingOneWholeTransactionEach)
{
    TempDir dir;
    const std::string path = dir.file("surveys.sqlite");
    SurveyStore store;
    ASSERT_TRUE(store.open(path)) << store.error();
    Survey s = survey("01", {row(5, 1, 2), row(10, -3, 4)});
    s.rows[1].readings[7] = 9;
    ASSERT_EQ(store.add(s).status, AddStatus::Added);

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
    bool waitSaid = false;
    store.waitWhenBusy(std::chrono::milliseconds(1200), [&] { waitSaid = true; });
    const AddResult locked = store.add(survey("03", {row(5, 1, 2)}));
    EXPECT_EQ(locked.status, AddStatus::Failed);
    EXPECT_NE(locked.error.find("locked"), std::string::npos) << locked.error;
    EXPECT_TRUE(waitSaid);
    ASSERT_TRUE(raw.exec("ROLLBACK"));

    // Tables of a newer program are read, never written.
    ASSERT_TRUE(raw.exec("PRAGMA user_version = 99"));
    raw.close();
    SurveyStore newer;
    ASSERT_TRUE(newer.open(path));
    EXPECT_TRUE(newer.readOnly());
    EXPECT_EQ(newer.list().size(), 1u);
    EXPECT_EQ(newer.add(survey("04", {})).error, newerLibraryText(99));
}

// Files as earlier versions left them, in rollback-journal mode, each with a table of another
// program's: opening brings them up to the current tables, or, failing half way, leaves them as
// they were, and never loses what they held; another program's file is never made a library.
TEST(Store, OpensFilesOfEarlierVersionsKeepingWhatTheyHold)
{
    const std::string version1 = version1Library();
    SurveyRow deep = row(5, 1, -2);
    deep.readings[7] = 9;
    const struct {
        const char* what;
        std::string sql;
        std::string error; // empty when the file opens
        std::int64_t version, surveyTables;
        std::vector<SurveyRow> rowsOf7;
    } cases[] = {
        {"another program's tables alone", "", std::string(kForeignTables), 0, 0, {}},
        {"version 1", version1, "", SurveyStore::kSchemaVersion, 1, {deep, row(10, 3, 4)}},
        {"version 1, the upgrade fails at its last table", version1 + "CREATE TABLE tubes (x);",
         "table tubes already exists", 1, 1, {}},
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
                if (!c.rowsOf7.empty()) {
                    EXPECT_EQ(store.survey(7)->rows, c.rowsOf7);
                    // Kept before each survey had its probe: the tube's applies.
                    EXPECT_EQ(store.survey(7)->probeConstant, std::nullopt);
                    EXPECT_EQ(store.survey(7)->probeSerial, "");
                }
                const AddResult added = store.add(survey("09", {row(5, 1, 2)}));
                EXPECT_EQ(added.status, AddStatus::Added);
                // What the upgrade added: every survey whole, and settings kept per tube.
                for (const SurveySummary& kept : store.list())
                    EXPECT_TRUE(kept.complete);
                TubeSettings t{25000, added.id, Units::Inches, 45.0, 10.0, 20.0, 0.5, 1.0, true, DepthReference::UpperWheel, 0.5, 10.0, {}};
                t.report = {"Dam", "P-17", "Left bank", "SN 4411", "Read weekly", 312.5};
                EXPECT_EQ(store.tubeSettings({"C", "S", "T"}), TubeSettings{});
                ASSERT_TRUE(store.setTubeSettings({"C", "S", "T"}, t)) << store.error();
                EXPECT_EQ(store.tubeSettings({"C", "S", "T"}), t);
                EXPECT_EQ(store.tubeSettings({"C", "S", "T2"}), TubeSettings{});
            }
        }
        sql::Database check;
        ASSERT_TRUE(check.open(path, sql::Database::Mode::ReadOnly));
        EXPECT_EQ(check.queryInt("PRAGMA user_version"), c.version);
        EXPECT_EQ(check.queryInt("SELECT count(*) FROM sqlite_master WHERE name = 'surveys'"), c.surveyTables);
        EXPECT_EQ(check.queryInt("SELECT count(*) FROM notes WHERE n = 'kept'"), 1);
    }
}

// A survey kept with rows not read is completed by the same survey read whole, or by the rest of
// its rows; only readings that differ at a depth both hold are a conflict.
TEST_P(StoreOnEachEngine, IncompleteSurveyIsCompletedNotLockedOut)
{
    const auto incomplete = [](std::vector<SurveyRow> rows, std::vector<int> missing) {
        Survey s = survey("05", std::move(rows));
        s.missingTenths = std::move(missing);
        return s;
    };
    const std::vector<SurveyRow> whole{row(5, 1, 2), row(10, 3, 4), row(15, 5, 6), row(20, 7, 8)};
    const Survey without15 = incomplete({whole[0], whole[1], whole[3]}, {15});
    const Survey without10 = incomplete({whole[0], whole[2], whole[3]}, {10});
    Survey other = survey("05", whole);
    other.rows[1].readings[1] = 99;
    const struct {
        const char* what;
        Survey first, second;
        AddStatus status;
        size_t rows;
        std::vector<int> missing;
    } cases[] = {
        {"incomplete, then whole", without15, survey("05", whole), AddStatus::Completed, 4, {}},
        {"incomplete, then the rest of it incomplete", without15, without10, AddStatus::Completed, 4, {}},
        {"incomplete, then the same again", without15, without15, AddStatus::AlreadyThere, 3, {15}},
        {"incomplete, then whole with other readings", without15, other, AddStatus::Conflict, 3, {15}},
        {"whole, then part of it", survey("05", whole), without15, AddStatus::AlreadyThere, 4, {}},
        {"whole, then whole with other readings", survey("05", whole), other, AddStatus::Conflict, 4, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const tarvelon::test::TestLibrary library(GetParam());
        SurveyStore store;
        ASSERT_TRUE(store.open(library.location())) << store.error();
        const AddResult first = store.add(c.first);
        ASSERT_EQ(first.status, AddStatus::Added);
        const AddResult second = store.add(c.second);
        EXPECT_EQ(second.status, c.status);
        EXPECT_EQ(second.id, first.id);
        const Survey kept = *store.survey(first.id);
        EXPECT_EQ(kept.rows.size(), c.rows);
        EXPECT_EQ(kept.missingTenths, c.missing);
        ASSERT_EQ(store.list().size(), 1u);
        EXPECT_EQ(store.list()[0].complete, c.missing.empty());
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
    EXPECT_EQ(store.error(), "it is not a survey library: the file holds something else, and is left as it is");
    EXPECT_EQ(store.add(survey("01", {})).status, AddStatus::Failed);
    EXPECT_EQ(test::readFile(path), junk);
}

// Readouts whose readings 1 and 2 change by `a` and `b` (tenths of a metre -> change) from a
// base of zeros, over the depths `from` to `to`.
std::vector<SurveyRow> zeros(int from, int to, int step)
{
    std::vector<SurveyRow> rows;
    for (int t = from; t <= to; t += step)
        rows.push_back(row(t, 0, 0));
    return rows;
}

std::vector<SurveyRow> changed(std::vector<SurveyRow> rows, std::map<int, std::pair<int, int>> change)
{
    for (SurveyRow& r : rows)
        if (const auto it = change.find(r.depthTenths); it != change.end())
            r.readings[0] = *r.readings[0] + it->second.first, r.readings[1] = *r.readings[1] + it->second.second;
    return rows;
}

std::vector<SurveyRow> without(std::vector<SurveyRow> rows, int tenths)
{
    std::erase_if(rows, [tenths](const SurveyRow& r) { return r.depthTenths == tenths; });
    return rows;
}

// Readings 3 and 4 as the 180-degree pass of readings 1 and 2, each pass shifted by `bias`.
std::vector<SurveyRow> twoPasses(std::vector<SurveyRow> rows, int bias)
{
    for (SurveyRow& r : rows) {
        const std::int64_t a = *r.readings[0], b = *r.readings[1];
        r.readings = {a + 500 + bias, b - 300 + bias, -(a + 500) + bias, -(b - 300) + bias};
    }
    return rows;
}

using Cumulative = std::map<int, std::pair<std::optional<double>, std::optional<double>>>;

TEST(Displacement, CumulativeFromTheToeUpNeverFromWhatWasNotMeasured)
{
    const auto all = [](int from, int to, int step, std::pair<int, int> c) {
        std::map<int, std::pair<int, int>> m;
        for (int t = from; t <= to; t += step)
            m[t] = c;
        return m;
    };
    const std::nullopt_t none = std::nullopt;
    const struct {
        const char* what;
        std::vector<SurveyRow> base, readout;
        double baseStep, readoutStep, constant;
        bool secondPass;
        Cumulative expected; // mm at the depths named
        std::string reason;  // part of the reason; empty when every value is computed
    } cases[] = {
        {"hand-worked: K 25000, L 0.5 m, change 349 at 1.5 m", zeros(5, 20, 5),
         changed(zeros(5, 20, 5), {{15, {349, 0}}}), 0.5, 0.5, 25000, false,
         {{5, {6.98, 0}}, {10, {6.98, 0}}, {15, {6.98, 0}}, {20, {0, 0}}}, ""},
        {"shear zone between 3 and 4 m", zeros(10, 60, 10), changed(zeros(10, 60, 10), {{30, {100, -50}}, {40, {100, 0}}}),
         1, 1, 20000, false, {{10, {10, -2.5}}, {30, {10, -2.5}}, {40, {5, 0}}, {50, {0, 0}}, {60, {0, 0}}}, ""},
        {"gap: 3.0 m not read, change 10 at every depth", zeros(10, 50, 10),
         without(changed(zeros(10, 50, 10), all(10, 50, 10, {10, 10})), 30), 1, 1, 1000, false,
         {{10, {none, none}}, {20, {none, none}}, {30, {none, none}}, {40, {20, 20}}, {50, {10, 10}}},
         "not measured in both it and the base at 3.0 m"},
        {"gap in both surveys, found from the step", without(zeros(10, 50, 10), 20),
         without(changed(zeros(10, 50, 10), all(10, 50, 10, {10, 10})), 20), 1, 1, 1000, false,
         {{10, {none, none}}, {30, {30, 30}}}, "at 2.0 m"},
        {"an extra deeper row has no partner and leaves the others as they were", zeros(10, 30, 10),
         changed(zeros(10, 40, 10), {{20, {10, 0}}, {40, {99, 99}}}), 1, 1, 1000, false,
         {{10, {10, 0}}, {20, {10, 0}}, {30, {0, 0}}}, "rows at 4.0 m lie outside the base's depths"},
        {"probe constant not set", zeros(10, 20, 10), changed(zeros(10, 20, 10), {{10, {5, 5}}}), 1, 1, 0, false,
         {{10, {none, none}}}, "probe constant K is not set"},
        {"base 1 m, readout 0.5 m: not compared", zeros(10, 20, 10), changed(zeros(5, 20, 5), all(5, 20, 5, {10, 10})),
         1, 0.5, 1000, false, {}, "taken at 0.5 m steps, the base at 1.0 m: not compared"},
        {"base 0.5 m, readout 1 m: not compared", zeros(5, 20, 5), changed(zeros(10, 20, 10), all(10, 20, 10, {10, 10})),
         0.5, 1, 1000, false, {}, "taken at 1.0 m steps, the base at 0.5 m: not compared"},
        {"second pass: a bias shift of both passes is no movement", twoPasses(zeros(10, 30, 10), 0),
         twoPasses(zeros(10, 30, 10), 40), 1, 1, 1000, true, {{10, {0, 0}}, {30, {0, 0}}}, ""},
        {"second pass: A is the halved difference of the passes", twoPasses(zeros(10, 20, 10), 0),
         twoPasses(changed(zeros(10, 20, 10), {{20, {10, 0}}}), 0), 1, 1, 1000, true, {{10, {10, 0}}}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TubeSettings settings;
        settings.constant = c.constant;
        settings.secondPass = c.secondPass;
        settings.gaugeM = c.readoutStep;
        const Displacement d =
            displacement(survey("01", c.base, c.baseStep), survey("02", c.readout, c.readoutStep), settings);
        EXPECT_EQ(d.compared, c.expected.size() > 0);
        EXPECT_NE(d.reason.english().find(c.reason), std::string::npos) << d.reason.english();
        EXPECT_EQ(d.reason.empty(), c.reason.empty()) << d.reason.english();
        for (const auto& [depth, ab] : c.expected) {
            const auto at = std::find_if(d.rows.begin(), d.rows.end(),
                                         [tenths = depth](const DisplacementRow& r) { return r.depthTenths == tenths; });
            ASSERT_NE(at, d.rows.end()) << depth;
            for (size_t j = 0; j < 2; ++j) {
                const std::optional<double> want = j == 0 ? ab.first : ab.second;
                ASSERT_EQ(at->cumulative[j].has_value(), want.has_value()) << depth << " channel " << j;
                if (want) {
                    EXPECT_NEAR(*at->cumulative[j], *want, 1e-9) << depth << " channel " << j;
                }
            }
        }
    }
    // The checksums show the bias the second pass took out.
    TubeSettings second;
    second.constant = 1000;
    second.secondPass = true;
    second.gaugeM = 1;
    const Displacement shifted = displacement(survey("01", twoPasses(zeros(10, 30, 10), 0), 1),
                                              survey("02", twoPasses(zeros(10, 30, 10), 40), 1), second);
    EXPECT_EQ(shifted.rows[0].checksum[0], 80);
    EXPECT_EQ(shifted.checksums[1].mean, 80.0);
    EXPECT_EQ(shifted.rows[0].checksumChange[1], 80.0);
    EXPECT_EQ(shifted.baseChecksums[1].mean, 0.0);
    EXPECT_EQ(shifted.checksums[1].spread, 0.0);
}

TEST(Displacement, CsvRowsInTheTubesUnitsWithResultantAndAzimuth)
{
    Survey base = survey("01", zeros(10, 30, 10), 1);
    Survey later = survey("2", changed(zeros(10, 30, 10), {{20, {300, -400}}}), 1);
    later.time = "10:15:00";
    Survey gapped = survey("03", without(zeros(10, 30, 10), 20), 1);
    Survey finer = survey("04", zeros(5, 30, 5), 0.5);
    base.id = 1, later.id = 2, gapped.id = 3, finer.id = 4;
    const struct {
        Units units;
        double north;
        std::vector<std::string> lines; // lines the CSV holds
    } cases[] = {
        {Units::Millimetres, 0,
         {"readout,date,time,depth_m,a_change,b_change,a_incremental_mm,b_incremental_mm,a_cumulative_mm,"
          "b_cumulative_mm,resultant_mm,azimuth_deg",
          "02,12/03/24,10:15:00,1.0,0.00,0.00,0.00,0.00,15.00,-20.00,25.00,306.87",
          "02,12/03/24,10:15:00,3.0,0.00,0.00,0.00,0.00,0.00,0.00,0.00,", "03,12/03/24,,2.0,,,,,,,,",
          "03,12/03/24,,1.0,0.00,0.00,0.00,0.00,,,,"}},
        {Units::Inches, 90,
         {"readout,date,time,depth_m,a_change,b_change,a_incremental_in,b_incremental_in,a_cumulative_in,"
          "b_cumulative_in,resultant_in,azimuth_deg",
          "02,12/03/24,10:15:00,2.0,300.00,-400.00,0.591,-0.787,0.591,-0.787,0.984,36.87"}},
    };
    for (const auto& c : cases) {
        TubeSettings t;
        t.constant = 20000;
        t.gaugeM = 1;
        t.units = c.units;
        t.north = c.north;
        const std::string csv = displacementCsv(analyseTube(&base, {&base, &later, &gapped, &finer}, t));
        for (const std::string& line : c.lines)
            EXPECT_NE(csv.find(line + "\n"), std::string::npos) << line << "\n" << csv;
        EXPECT_EQ(csv.find("\n04,"), std::string::npos) << "a readout at another step is left out";
    }
}

TEST(Displacement, RateAndThresholdsFlagTheReadoutsThatCrossThem)
{
    Survey base = survey("01", zeros(10, 20, 10), 1), first = base, second = base;
    base.date = "01/03/24", first.date = "11/03/24", second.date = "21/03/24";
    base.id = 1, first.id = 2, second.id = 3;
    first.readout = "02", second.readout = "03";
    first.rows = changed(first.rows, {{10, {50, 0}}});  // 5 mm at 1.0 m in 10 days
    second.rows = changed(second.rows, {{10, {120, 0}}}); // 12 mm: 0.7 mm/day
    const struct {
        std::optional<double> alert, alarm, alertRate, alarmRate;
        Level first, second;
        const char* secondStatus; // names every criterion that fired at the level reached
    } cases[] = {
        {{}, {}, {}, {}, Level::None, Level::None, ""},
        {5, 20, {}, {}, Level::Alert, Level::Alert, "ALERT (displacement 12.00 mm ≥ 5.00)"},
        {{}, 12, {}, {}, Level::None, Level::Alarm, "ALARM (displacement 12.00 mm ≥ 12.00)"},
        {{}, {}, 0.5, 0.6, Level::Alert, Level::Alarm, "ALARM (rate 0.700 mm/day ≥ 0.600)"},
        {5, 10, 0.1, 0.6, Level::Alert, Level::Alarm,
         "ALARM (displacement 12.00 mm ≥ 10.00; rate 0.700 mm/day ≥ 0.600)"},
        {5, 20, 0.1, 0.6, Level::Alert, Level::Alarm, "ALARM (rate 0.700 mm/day ≥ 0.600)"},
    };
    for (const auto& c : cases) {
        TubeSettings t;
        t.constant = 10000;
        t.gaugeM = 1;
        t.alertMm = c.alert, t.alarmMm = c.alarm, t.alertMmPerDay = c.alertRate, t.alarmMmPerDay = c.alarmRate;
        const TubeResult tube = analyseTube(&base, {&base, &first, &second}, t);
        ASSERT_EQ(tube.readouts.size(), 2u);
        EXPECT_EQ(tube.readouts[0].level, c.first);
        EXPECT_EQ(tube.readouts[1].level, c.second);
        EXPECT_EQ(statusText(tube.readouts[1], t), c.secondStatus);
        const std::string csv = summaryCsv(tube);
        EXPECT_NE(csv.find("," + std::string(c.secondStatus) + ","), std::string::npos) << csv;
        EXPECT_NEAR(*tube.readouts[1].rateMmPerDay, 0.7, 1e-9);
        const std::vector<TimePoint> at1m = history(tube, 10);
        ASSERT_EQ(at1m.size(), 3u);
        EXPECT_EQ(at1m[0].resultant, 0.0);
        EXPECT_NEAR(*at1m[2].resultant, 12, 1e-9);
        EXPECT_NEAR(*at1m[1].rateMmPerDay, 0.5, 1e-9);
        EXPECT_EQ(defaultHistoryDepths(tube), (std::vector<int>{10}));
    }
    EXPECT_EQ(analyseTube(nullptr, {&first}, {}).reason.english(), "no base readout is chosen for the tube");
}

TEST_P(StoreOnEachEngine, ImportAddsEachPairOnceAndSaysWhyForTheOthers)
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
    ASSERT_TRUE(store.open(location())) << store.error();

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

    // A path named that is not an export file, or not there, is named whole with why.
    const ImportReport again =
        importExportFiles(store, {dir.file("A-num.dat"), dir.file("notes.txt"), dir.file("gone/x-dat.dat")});
    EXPECT_EQ(again.skipped, 1);
    EXPECT_EQ(again.failed, 2);
    EXPECT_EQ(again.messages, (std::vector<std::string>{dir.file("notes.txt") + ": not an export file (its name ends "
                                                                               "neither in dat.dat nor in num.dat)",
                                                        dir.file("gone/x-dat.dat") + ": no such file or folder",
                                                        "A-dat.dat: already in the library"}));
}

} // namespace
