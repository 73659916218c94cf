// Several blocks in one go, the block list, and Stop in the middle of every long operation.
#include "blocks/block_list.h"
#include "blocks/clear_blocks.h"
#include "blocks/download.h"
#include "blocks/header_read.h"
#include "blocks/header_write.h"
#include "link/exchange.h"
#include "link/progress.h"
#include "settings/zero_gain.h"
#include "support/harness.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace tarvelon;
using namespace tarvelon::test;
namespace fs = std::filesystem;

namespace {

// Every block with a header; the measured ones with a depth, a step and readings.
struct Measured {
    int block;
    const char* depthStep; // depth digits, step, guides
};
void fillUnit(sim::Unit& unit, std::initializer_list<Measured> measured)
{
    for (int n = 1; n <= 30; ++n) {
        std::string shape = "000012";
        for (const Measured& m : measured)
            if (m.block == n)
                shape = m.depthStep;
        char line[64];
        std::snprintf(line, sizeof line, "C%02X000CLIENT%02dSITE%04dT%03d%s+010%02d250101103015\r", n - 1, n, n, n,
                      shape.c_str(), n);
        unit.receive(line);
    }
    for (size_t i = 0; i < unit.memory().size(); ++i)
        if (i % 4096 >= 0x100)
            unit.memory()[i] = uint8_t(i * 7 % 251);
    unit.clearLog();
}

std::map<std::string, std::string> filesIn(const fs::path& folder)
{
    std::map<std::string, std::string> out;
    for (const auto& e : fs::directory_iterator(folder))
        out[utf8Path(e.path().filename())] = readFile(utf8Path(e.path()));
    return out;
}

size_t countCommands(const sim::Unit& unit, char first)
{
    size_t n = 0;
    for (const std::string& c : unit.commands())
        n += c[0] == first;
    return n;
}

struct BlockRun : ::testing::Test {
    BlockRun()
    {
        h.startUp();
        fs::create_directory(out);
        h.state.downloadFolder = utf8Path(out);
    }
    Harness h;
    fs::path out = h.dir.path() / "out";
};

} // namespace

TEST_F(BlockRun, ListsAndDownloadsExactlyTheMeasuredBlocksAsSingleDownloadsDo)
{
    fillUnit(h.unit, {{2, "005002"}, {5, "003014"}, {9, "010014"}});
    h.unit.faults.wakeDelayMs = h.unit.faults.replyDelayMs = 0;

    const std::vector<ListedBlock> list = listBlocks(h.ctx);
    std::vector<PlannedBlock> plan;
    for (const ListedBlock& b : list)
        if (b.readingRows > 0)
            plan.push_back({b.block, b.readingRows});
    ASSERT_EQ(plan.size(), 3u);
    EXPECT_EQ(plan[0].block, 2);
    EXPECT_EQ(plan[1].block, 5);
    EXPECT_EQ(plan[2].block, 9);
    EXPECT_EQ(plan[0].readingRows, 10); // 5 m at 0.5 m
    EXPECT_EQ(plan[1].readingRows, 3);
    EXPECT_EQ(list[4].client, "CLIENT05");
    EXPECT_EQ(list[4].depth, "003.0");
    EXPECT_EQ(list[4].date, "250101");
    // Seven rows a block, and the step of the three measured.
    EXPECT_EQ(countCommands(h.unit, 'a'), 30u * kListedRows + 3);
    EXPECT_FALSE(h.line.isOpen());

    h.unit.clearLog();
    h.form.progress.clear();
    const double start = h.seconds();
    std::vector<int> fed;
    const auto results = downloadBlocks(h.ctx, plan, [&](const BlockResult& r) { fed.push_back(r.block); });
    const double took = h.seconds() - start;
    EXPECT_EQ(fed, (std::vector<int>{2, 5, 9}));
    for (const BlockResult& r : results) {
        EXPECT_EQ(r.status, BlockResult::Downloaded) << r.block;
        EXPECT_TRUE(r.downloaded.complete);
        EXPECT_EQ(r.filesWritten.size(), 2u);
    }
    EXPECT_EQ(results[2].rowsRead, 10);
    EXPECT_TRUE(h.messages.shown.empty());
    EXPECT_EQ(h.line.opens, 2) << "one open port for the list, one for the download";
    // The first estimate is the run's own time on the line, within a few per cent.
    ASSERT_FALSE(h.form.progress.empty());
    EXPECT_NEAR(h.form.progress.front().secondsLeft, took, 0.03 * took);
    const Progress last = h.form.progress.back();
    EXPECT_EQ(last.block, 3);
    EXPECT_EQ(last.row, last.rows);

    // The same blocks one at a time with "Ok", into another folder.
    const auto batch = filesIn(out);
    const fs::path single = h.dir.path() / "single";
    fs::create_directory(single);
    h.state.downloadFolder = utf8Path(single);
    for (const char* n : {"02", "05", "09"}) {
        h.form.setText("numblocco", n);
        EXPECT_TRUE(downloadBlock(h.ctx).complete);
    }
    EXPECT_EQ(batch.size(), 7u); // two export files a block and the work file
    EXPECT_EQ(filesIn(single), batch);
}

TEST_F(BlockRun, UnitFallingSilentInBlockFiveOfThreeToSevenKeepsThreeAndFour)
{
    fillUnit(h.unit, {{3, "003010"}, {4, "003010"}, {5, "003010"}, {6, "003010"}, {7, "003010"}});
    // Thirteen rows a block, each with its wake: silent from the sixth row of block 5.
    h.unit.faults.answerWakes = 2 * 13 + 5;
    std::vector<PlannedBlock> plan;
    for (int b = 3; b <= 7; ++b)
        plan.push_back({b, 3});
    const auto results = downloadBlocks(h.ctx, plan, {});

    const BlockResult::Status expected[] = {BlockResult::Downloaded, BlockResult::Downloaded, BlockResult::Failed,
                                            BlockResult::NotDownloaded, BlockResult::NotDownloaded};
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ(results[i].status, expected[i]) << "block " << results[i].block;
    EXPECT_EQ(results[2].problems.front(), kUnitSilent);
    EXPECT_EQ(results[4].problems, (std::vector<std::string>{std::string(kUnitGone)}));
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, kNotConnected);
    // Blocks 3 and 4 have their exports, block 5 none: only its work file holds its rows.
    std::vector<std::string> exports;
    for (const auto& [name, bytes] : filesIn(out))
        if (name != "datiram.dat")
            exports.push_back(name.substr(0, 8));
    EXPECT_EQ(exports, (std::vector<std::string>{"CLIENT03", "CLIENT03", "CLIENT04", "CLIENT04"}));
    EXPECT_FALSE(h.line.isOpen());
    EXPECT_FALSE(h.form.waitIndicatorShown());
}

TEST_F(BlockRun, NoFolderOrAFolderThatCannotBeWrittenWakesNothing)
{
    for (const std::string& folder : {std::string(), utf8Path(h.dir.path() / "missing")}) {
        h.state.downloadFolder = folder;
        h.messages.shown.clear();
        EXPECT_EQ(downloadBlocks(h.ctx, {{1, 3}}, {})[0].status, BlockResult::NotDownloaded);
        ASSERT_EQ(h.messages.shown.size(), 1u);
        EXPECT_EQ(h.messages.shown[0].text.rfind("Attention: ", 0), 0u);
    }
    EXPECT_TRUE(h.unit.log().empty());
}

TEST(BlockListText, NeighboursAreNamedAsARun)
{
    const std::pair<std::vector<int>, std::string> cases[] = {
        {{7}, "block 7"},
        {{3, 4}, "blocks 3 and 4"},
        {{1, 2, 3, 4, 5, 6, 9, 11}, "blocks 1 to 6, 9 and 11"},
        {{2, 5, 9}, "blocks 2, 5 and 9"},
    };
    for (const auto& [blocks, text] : cases)
        EXPECT_EQ(blockList(blocks), text);
}

// Stop pressed once the unit has received `after` lines: the operation ends within 0.2 s,
// port closed and indicator hidden, with one message that agrees with what the unit got.
TEST(Stop, EveryLongOperationStopsAtTheNextRowOrBlock)
{
    struct Case {
        const char* name;
        std::function<void(Context&)> run;
        size_t after;
        // The message expected from the commands the unit received.
        std::function<std::string(const sim::Unit&)> message;
        size_t readingsExports = 0; // of the blocks downloaded whole
    };
    const auto blocksDone = [](const sim::Unit& u, char command, size_t perBlock) {
        return int(countCommands(u, command) / perBlock);
    };
    const auto stopped = [](int done, const std::string& doneWord, const std::string& notDoneWord) {
        return "Stopped: " + (done ? blockList(blockRange(1, done)) + " " + doneWord + ", " : "") +
               blockList(blockRange(done + 1, 30)) + " " + notDoneWord;
    };
    const Case cases[] = {
        {"Set All", setAll, 21,
         [&](const sim::Unit& u) { return stopped(blocksDone(u, 'C', 1), "written", "not written"); }},
        {"Total Reset", totalReset, 21,
         [&](const sim::Unit& u) { return stopped(blocksDone(u, 'C', 1), "cleared", "not cleared in the unit"); }},
        {"Reset G/Z", settings::resetZeroGain, 21,
         [&](const sim::Unit& u) {
             return stopped(blocksDone(u, 'D', 1), "set to the default zero and gain", "not changed");
         }},
        {"Read Block", readBlock, 9, [](const sim::Unit&) { return std::string("Stopped: block 5 not read"); }},
        {"Read All Blocks", readAllBlocks, 75,
         [&](const sim::Unit& u) { return stopped(blocksDone(u, 'a', 10), "read into the header file", "not read"); }},
        {"Ok", download, 41, [](const sim::Unit&) { return std::string("Stopped: block 7 not downloaded"); }},
        {"Block list", [](Context& c) { listBlocks(c); }, 75,
         [&](const sim::Unit& u) { return stopped(blocksDone(u, 'a', 8), "listed", "not listed"); }},
        {"Download", [](Context& c) { downloadBlocks(c, {{3, 0}, {4, 0}, {7, 0}}, {}); }, 360,
         [](const sim::Unit&) { return std::string("Stopped: blocks 3 and 4 downloaded, block 7 not downloaded"); }, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.startUp();
        h.unit.fillDemo();
        h.state.downloadFolder = utf8Path(h.dir.path());
        h.form.setText("Text2", "05");
        h.form.setText("numblocco", "07");
        const HeaderRecord before = [&] { HeaderRecord r; h.headerFile().read(30, r); return r; }();
        std::optional<int64_t> pressedAt, closedAt;
        h.loop.onYield = [&] {
            if (!pressedAt && h.unit.log().size() >= c.after) {
                h.form.stop = true;
                pressedAt = h.clock.now();
            }
            if (pressedAt && !closedAt && !h.line.isOpen())
                closedAt = h.clock.now();
        };
        c.run(h.ctx);
        ASSERT_TRUE(pressedAt && closedAt);
        EXPECT_LT(*closedAt - *pressedAt, 200000);
        EXPECT_FALSE(h.form.waitIndicatorShown());
        ASSERT_EQ(h.messages.shown.size(), 1u);
        EXPECT_EQ(h.messages.shown[0].text, c.message(h.unit));
        // Only whole blocks have export files, and nothing half-written is left.
        size_t exports = 0;
        for (const auto& [name, bytes] : filesIn(h.dir.path())) {
            exports += name.size() > 7 && name.substr(name.size() - 7) == "num.dat";
            EXPECT_EQ(name.find(".part"), std::string::npos) << name;
        }
        EXPECT_EQ(exports, c.readingsExports);
        // The blocks not reached keep what the header file held.
        HeaderRecord last;
        h.headerFile().read(30, last);
        EXPECT_EQ(last.bytes(), before.bytes());
    }
}

// A write whose wakes the unit answers with anything but "!" names every command it skipped in
// one message at its end: after a silent unit's message, before a stop's, which counts a
// refused block as not done. A single refusal of every operation is in the fault matrix.
TEST(Refused, EveryWriteNamesWhatTheUnitRefused)
{
    struct Case {
        const char* name;
        std::function<void(Context&)> run;
        std::set<int> refusedWakes;
        std::vector<std::string> messages;
        int answerWakes = -1;  // the unit then falls silent; -1: never
        size_t stopAfter = 0;  // Stop pressed once the unit has received this many lines
    };
    const std::string refused = "Attention: the unit refused ";
    const std::string notConnected(kNotConnected);
    const Case cases[] = {
        {"Set Block", setBlock, {2}, {refused + "the command: closing command not sent"}},
        {"Reset Block, silent at the closing wake", resetBlock, {1},
         {notConnected, refused + "the command: block 5 not cleared in the unit"}, 1},
        {"Set All", setAll, {3, 5, 6, 7, 9, 31},
         {refused + "6 commands: blocks 3, 5 to 7 and 9 not written; closing command not sent"}},
        {"Set All, stopped", setAll, {3},
         {refused + "the command: block 3 not written",
          "Stopped: blocks 1, 2 and 4 to 6 written, blocks 7 to 30 not written"},
         -1, 10},
        {"Total Reset, silent at block 6", totalReset, {2, 4},
         {notConnected, refused + "2 commands: blocks 2 and 4 not cleared in the unit"}, 5},
        {"Reset G/Z, stopped", settings::resetZeroGain, {2},
         {refused + "the command: block 2 not changed",
          "Stopped: blocks 1 and 3 set to the default zero and gain, blocks 4 to 30 not changed"},
         -1, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.startUp();
        h.form.setText("Text2", "05");
        h.unit.faults.refusedWakes = c.refusedWakes;
        h.unit.faults.answerWakes = c.answerWakes;
        h.loop.onYield = [&] { h.form.stop = c.stopAfter && h.unit.log().size() >= c.stopAfter; };
        c.run(h.ctx);
        std::vector<std::string> told;
        for (const ShownMessage& m : h.messages.shown) {
            told.push_back(m.text);
            EXPECT_EQ(m.icon, m.text.rfind("Stopped", 0) == 0 ? Icon::None : Icon::Error) << m.text;
        }
        EXPECT_EQ(told, c.messages);
    }
}

// Blocks of one run whose headers give one export name: each keeps its own files, the later
// ones under a name with the block number, and the run says so in one message.
TEST_F(BlockRun, BlocksWithOneExportNameAreAllKept)
{
    struct Case {
        std::vector<int> clashing; // blocks with client 01's header; the rest keep their own
        std::vector<std::string> exportBases;
        std::string message;
    };
    const std::string base = "CLIENT01-SITE0001-T001-01-";
    const Case cases[] = {
        {{3, 5}, {base, "CLIENT04-SITE0004-T004-04-", base + "block05-"},
         "Attention: block 5 has the export name of an earlier block of this run; kept under a name "
         "with its block number, as \"" + base + "block05-\""},
        {{3, 4, 5}, {base, base + "block04-", base + "block05-"},
         "Attention: blocks 4 and 5 have the export name of an earlier block of this run; kept under a "
         "name with its block number, as \"" + base + "block04-\""},
        {{}, {"CLIENT03-SITE0003-T003-03-", "CLIENT04-SITE0004-T004-04-", "CLIENT05-SITE0005-T005-05-"}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clashing.size());
        fs::remove_all(out);
        fs::create_directory(out);
        h.messages.shown.clear();
        fillUnit(h.unit, {{3, "003010"}, {4, "003010"}, {5, "003010"}});
        for (const int b : c.clashing) {
            char line[64];
            std::snprintf(line, sizeof line, "C%02X000CLIENT01SITE0001T001003010+01001250101103015\r", b - 1);
            h.unit.receive(line);
        }
        // fillUnit gives each block readings of its own, so a file written over by another shows.
        std::vector<DownloadedBlock> fed;
        const auto results =
            downloadBlocks(h.ctx, {{3, 3}, {4, 3}, {5, 3}}, [&](const BlockResult& r) { fed.push_back(r.downloaded); });
        const auto files = filesIn(out);
        EXPECT_EQ(files.size(), 7u);
        std::set<std::string> readings;
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(results[i].status, BlockResult::Downloaded);
            const std::string header = utf8Path(out / (c.exportBases[i] + "dat.dat"));
            const std::string numbers = utf8Path(out / (c.exportBases[i] + "num.dat"));
            EXPECT_EQ(results[i].filesWritten, (std::vector<std::string>{header, numbers}));
            ASSERT_EQ(fed.size(), 3u);
            EXPECT_EQ(fed[i].headerExportPath, header);
            EXPECT_EQ(fed[i].readingsExportPath, numbers);
            readings.insert(readFile(numbers));
        }
        EXPECT_EQ(readings.size(), 3u) << "no block's readings written over by another's";
        std::vector<std::string> told;
        for (const ShownMessage& m : h.messages.shown)
            told.push_back(m.text);
        EXPECT_EQ(told, c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
    }
}

// Names that differ only in the case of accented letters are one file on Windows: the later
// block keeps its own name, with its block number, as with a to z.
TEST_F(BlockRun, AccentedLettersClashWithoutRegardToCase)
{
    fillUnit(h.unit, {{3, "003010"}, {4, "003010"}});
    for (const auto& [block, client] : {std::pair{3, "CLIENT\xC9\x8A"}, std::pair{4, "CLIENT\xE9\x9A"}}) {
        char line[80];
        std::snprintf(line, sizeof line, "C%02X000%sSITE0001T001003010+01001250101103015\r", block - 1, client);
        h.unit.receive(line);
    }
    const auto results = downloadBlocks(h.ctx, {{3, 3}, {4, 3}}, {});
    ASSERT_EQ(results.size(), 2u);
    ASSERT_EQ(results[1].filesWritten.size(), 2u);
    EXPECT_NE(results[1].filesWritten[0].find("block04-"), std::string::npos) << results[1].filesWritten[0];
    EXPECT_EQ(results[0].filesWritten[0].find("block"), std::string::npos) << results[0].filesWritten[0];
}

// The bar shows one total from the start: it never goes back, within a block or across blocks.
TEST(Progress, NeverGoesBackwards)
{
    const std::pair<const char*, std::function<void(Context&)>> runs[] = {
        {"Ok", download},
        {"Download", [](Context& c) { downloadBlocks(c, {{3, 20}, {7, 20}}, {}); }},
    };
    for (const auto& [name, run] : runs) {
        SCOPED_TRACE(name);
        Harness h;
        h.startUp();
        fillUnit(h.unit, {{3, "010002"}, {7, "010002"}});
        h.state.downloadFolder = utf8Path(h.dir.path());
        h.form.setText("numblocco", "03");
        run(h.ctx);
        ASSERT_GT(h.form.progress.size(), 20u);
        double shown = 0;
        std::vector<std::string> backwards;
        for (const Progress& p : h.form.progress) {
            const double part = p.rows > 0 ? double(p.row - 1) / p.rows : 0;
            const double done = p.blocks > 0 ? (p.block - 1 + part) / p.blocks : part;
            if (done < shown)
                backwards.push_back(std::to_string(p.block) + ":" + std::to_string(p.row) + "/" + std::to_string(p.rows));
            shown = std::max(shown, done);
        }
        EXPECT_TRUE(backwards.empty()) << backwards.front();
    }
}

// The text counts the rows of readings the block holds, as many as the unit is asked for, and
// tells the header's rows apart: "row 20 of 20" at the end, never the header's ten on top.
TEST(Progress, CountsTheRowsOfReadingsTheBlockHolds)
{
    Harness h;
    h.startUp();
    fillUnit(h.unit, {{3, "010002"}});
    h.state.downloadFolder = utf8Path(h.dir.path());
    h.form.setText("numblocco", "03");
    h.unit.clearLog();
    download(h.ctx);
    int fetched = 0;
    for (const std::string& command : h.unit.commands())
        fetched += command.rfind("a", 0) == 0;
    const int readings = fetched - 10;
    ASSERT_GT(readings, 0);
    ASSERT_FALSE(h.form.progress.empty());
    const std::string first = progressText(h.form.progress.front());
    const std::string last = progressText(h.form.progress.back());
    // A single download knows its rows once the depth and step rows are in.
    EXPECT_EQ(first.rfind("Header row 6 of 10", 0), 0u) << first;
    const std::string whole = "Row " + std::to_string(readings) + " of " + std::to_string(readings);
    EXPECT_EQ(last.rfind(whole, 0), 0u) << last;
}
