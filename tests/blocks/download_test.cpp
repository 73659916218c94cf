#include "blocks/download.h"
#include "blocks/export_files.h"
#include "platform/file_path.h"
#include "support/harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <set>

using namespace tarvelon;
using namespace tarvelon::test;
namespace fs = std::filesystem;

namespace {

struct Header {
    std::string client = "CLIENT 1", site = "SITE0000", tube = "T   ", depth = "0100", step = "0",
                guides = "2", north = "+000", readout = "00", date = "DDMMYY  ", time = "hhmmss  ";
};

const std::string kBase = "CLIENT 1-SITE0000-T   -00-";

std::string pad(std::string_view s, size_t width)
{
    std::string out(s.substr(0, width));
    out.resize(width, ' ');
    return out;
}

// Header rows as "C" stores them: each field at the start of its own blank-filled row.
void putHeader(sim::Unit& unit, int block, const Header& h)
{
    const std::string fields[] = {h.client, h.site,    h.tube, h.depth, h.step,
                                  h.guides, h.north, h.readout, h.date, h.time};
    for (size_t i = 0; i < std::size(fields); ++i) {
        const std::string row = pad(fields[i], 16);
        std::copy(row.begin(), row.end(), unit.memory().begin() + (block - 1) * 4096 + long(i) * 16);
    }
}

// Word j of readings row r holds 10 r + j, positive on even rows, so every reading differs.
void putReadings(sim::Unit& unit, int block)
{
    for (int r = 0; r < 240; ++r)
        for (int j = 1; j <= 8; ++j) {
            const unsigned word = (r % 2 ? 0u : 0x8000u) | unsigned(10 * r + j);
            const size_t at = size_t((block - 1) * 4096 + 0x100 + r * 16 + 2 * (j - 1));
            unit.memory()[at] = uint8_t(word >> 8);
            unit.memory()[at + 1] = uint8_t(word & 0xFF);
        }
}

std::string reading(int r, int j)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%c%05d;", r % 2 ? '-' : '+', 10 * r + j);
    return buf;
}

std::string line(std::string_view text, std::string_view depth = "", const std::vector<std::string>& readings = {})
{
    std::string out = pad(text, 40) + pad(depth, 7);
    for (size_t j = 0; j < 8; ++j)
        out += pad(j < readings.size() ? readings[j] : "", 8);
    return out + "\r ";
}

// A row of the expected files: its index in the unit and the depth it stands for.
struct RowAt {
    int r;
    std::string depth;
};

std::vector<RowAt> rows(int count, int deepestTenths, int stepTenths, int skipped = -1)
{
    std::vector<RowAt> out;
    for (int r = 0; r < count; ++r) {
        char buf[16];
        const int t = deepestTenths - r * stepTenths;
        std::snprintf(buf, sizeof buf, "%03d.%d", t / 10, t % 10);
        if (r != skipped)
            out.push_back({r, buf});
    }
    return out;
}

std::string rowLine(const RowAt& row, int readings)
{
    std::vector<std::string> texts;
    for (int j = 1; j <= readings; ++j)
        texts.push_back(reading(row.r, j));
    return line("", row.depth + ";", texts);
}

const std::string kColumns = line("Profondit\xE0;S1;S2");

std::string workFile(const std::vector<RowAt>& rs, int readings = 4)
{
    std::string f = kColumns + line("");
    for (const RowAt& row : rs)
        f += rowLine(row, readings);
    return f;
}

std::string exportFile(const std::vector<RowAt>& rs)
{
    std::string f;
    for (auto it = rs.rbegin(); it != rs.rend(); ++it)
        f += rowLine(*it, 2);
    return f + line("") + kColumns;
}

std::string headerFile(const std::vector<std::string>& texts)
{
    std::string f;
    for (const std::string& t : texts)
        f += (f.empty() ? "" : pad("", 40) + "\r ") + pad(t, 40) + "\r ";
    return f;
}

std::vector<std::string> headerTexts(std::string_view client, std::string_view depth)
{
    return {"Cliente: ;" + std::string(client), "Cantiere:;SITE0000", "N. Tubo: ;T   ",
            "Prof.:;" + std::string(depth), "Passo:;0", "N. Guide: ;2", "Nord:;+000", "N. Lett.:;00",
            "Data: ;DD/MM/YY", "Ora:;hh:mm:ss"};
}

std::vector<std::string> readCommands(const sim::Unit& unit)
{
    std::vector<std::string> out;
    for (const std::string& c : unit.commands())
        if (c[0] == 'a')
            out.push_back(c);
    return out;
}

std::vector<std::string> namesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(utf8Path(e.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

struct Bench {
    Harness h;
    fs::path out = h.dir.path() / "out";
    Header header;

    Bench()
    {
        h.startUp();
        fs::create_directory(out);
        h.state.downloadFolder = out.string();
        putReadings(h.unit, 1);
    }
    void run(const std::string& block = "01")
    {
        putHeader(h.unit, 1, header);
        h.form.setText("numblocco", block);
        download(h.ctx);
    }
    std::string file(const std::string& name) const { return readFile(joinPath(utf8Path(out), name)); }
    bool exists(const std::string& name) const { return fs::exists(fsPath(joinPath(utf8Path(out), name))); }
    void expectIdle() const
    {
        EXPECT_TRUE(h.form.isEnabled("command3d1"));
        EXPECT_FALSE(h.form.waitIndicatorShown());
        EXPECT_FALSE(h.line.isOpen());
        EXPECT_EQ(h.form.text("Text1"), "");
    }
};

struct DownloadTest : Bench, ::testing::Test {};

} // namespace

TEST_F(DownloadTest, HalfMetreStepsFromTenMetresGiveTwentyRowsInThreeFiles)
{
    run();
    std::vector<std::string> expected;
    for (const char* offset : {"00", "10", "20", "30", "40", "50", "60", "70", "80", "90"})
        expected.push_back(std::string("a000") + offset);
    for (int i = 0; i < 20; ++i)
        expected.push_back(std::string("a00") + (i < 16 ? "1" : "2") + "0123456789ABCDEF"[i % 16] + "0");
    EXPECT_EQ(readCommands(h.unit), expected);
    ASSERT_EQ(h.unit.log().size(), 60u);
    for (size_t i = 0; i < 60; i += 2)
        EXPECT_EQ(h.unit.log()[i], "}") << "every row has its own wake";

    EXPECT_EQ(namesIn(out), (std::vector<std::string>{kBase + "dat.dat", kBase + "num.dat", "datiram.dat"}));
    EXPECT_EQ(file(kBase + "dat.dat"), headerFile(headerTexts("CLIENT 1", "010.0")));
    EXPECT_EQ(file(kBase + "dat.dat").size(), 798u);
    EXPECT_EQ(file("datiram.dat"), workFile(rows(20, 100, 5)));
    EXPECT_EQ(file(kBase + "num.dat"), exportFile(rows(20, 100, 5)));
    EXPECT_EQ(file(kBase + "num.dat").substr(40, 7), "000.5; ");

    EXPECT_EQ(h.form.text("Text17"), "00230");
    EXPECT_EQ(h.form.history("Text1"), (std::vector<std::string>{(out / (kBase + "dat.dat")).string(),
                                                                  (out / (kBase + "num.dat")).string(),
                                                                  (out / (kBase + "num.dat")).string(), ""}));
    EXPECT_FALSE(h.timer1.isEnabled());
    EXPECT_TRUE(h.messages.shown.empty());
    expectIdle();
}

TEST(DownloadRows, DepthAndStepDecideTheRows)
{
    struct Case {
        const char* depth;
        const char* step;
        const char* guides;
        std::vector<RowAt> rows;
    };
    const Case cases[] = {
        {"0000", "0", "2", {}},
        {"0000", "1", "2", {}},
        {"0005", "1", "2", {{0, "000.5"}}},
        {"0005", "0", "2", {{0, "000.5"}}},
        {"0015", "0", "2", {{0, "001.5"}, {1, "001.0"}, {2, "000.5"}}},
        {"0100", "1", "2", rows(10, 100, 10)},
        {"0105", "1", "2", rows(11, 105, 10)},
        {"0020", "0", "4", rows(4, 20, 5)},
        {"2500", "1", "2", rows(240, 2500, 10)},
        {"1000", "0", "4", rows(200, 1000, 5)},
    };
    for (const Case& c : cases) {
        Bench b;
        b.header.depth = c.depth;
        b.header.step = c.step;
        b.header.guides = c.guides;
        b.run();
        const int readings = c.guides[0] == '4' ? 8 : 4;
        SCOPED_TRACE(std::string(c.depth) + " step " + c.step + " guides " + c.guides);
        EXPECT_EQ(readCommands(b.h.unit).size(), 10 + c.rows.size());
        EXPECT_EQ(b.file("datiram.dat"), workFile(c.rows, readings));
        EXPECT_EQ(b.file(kBase + "num.dat"), exportFile(c.rows));
    }
}

TEST_F(DownloadTest, BlockThirtyIsReadAtItsOwnAddress)
{
    putReadings(h.unit, 30);
    putHeader(h.unit, 30, header);
    h.form.setText("numblocco", "30");
    download(h.ctx);
    const auto commands = readCommands(h.unit);
    ASSERT_EQ(commands.size(), 30u);
    EXPECT_EQ(commands.front(), "a1D000");
    EXPECT_EQ(commands[10], "a1D100");
    EXPECT_EQ(file("datiram.dat"), workFile(rows(20, 100, 5)));
}

TEST_F(DownloadTest, SecondRunReplacesAllThreeFiles)
{
    run();
    header.depth = "0020";
    run();
    EXPECT_EQ(file(kBase + "dat.dat"), headerFile(headerTexts("CLIENT 1", "002.0")));
    EXPECT_EQ(file("datiram.dat"), workFile(rows(4, 20, 5)));
    EXPECT_EQ(file(kBase + "num.dat"), exportFile(rows(4, 20, 5)));
}

// Folder names come from the window (UTF-8), header texts from the unit (Windows-1252); the
// files must carry the same visible names on every system, and a shorter re-download must
// replace them rather than leave old rows behind.
TEST(DownloadNames, NonAsciiFoldersAndHeadersGiveTheSameNamesOnEverySystem)
{
    struct Case {
        std::string folder;
        std::string client;
        std::string base;
    };
    const Case cases[] = {
        {"dati \u00E0", "CITT\xC0", "CITT\u00C0   -SITE0000-T   -00-"},
        {"Jos\u00E9", "caf\xE0 \x80", "caf\u00E0 \u20AC  -SITE0000-T   -00-"},
        {"\u0141\u00F3d\u017A \u20AC", "\x80\xC0\xE0", "\u20AC\u00C0\u00E0     -SITE0000-T   -00-"},
        {"misure \U0001F4C1", "\xA3\xE0", "\u00A3\u00E0      -SITE0000-T   -00-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        Bench b;
        b.out = b.h.dir.path() / fsPath(c.folder);
        fs::create_directory(b.out);
        b.h.state.downloadFolder = utf8Path(b.out);
        b.header.client = c.client;
        b.run();
        b.header.depth = "0020";
        b.run();
        EXPECT_TRUE(b.h.messages.shown.empty()) << b.h.messages.shown[0].text;
        std::vector<std::string> names{c.base + "dat.dat", c.base + "num.dat", "datiram.dat"};
        std::sort(names.begin(), names.end());
        EXPECT_EQ(namesIn(b.out), names);
        EXPECT_EQ(b.file(c.base + "num.dat"), exportFile(rows(4, 20, 5)));
        // The window shows the path in its own code page.
        EXPECT_NE(b.h.form.history("Text1").at(0).find(c.client), std::string::npos);
    }
}

TEST(DownloadUnreadRows, ARowOfReadingsIsLeftOutAndNamedAHeaderRowStopsTheDownload)
{
    struct Case {
        std::set<int> refusedWakes;
        int noiseInReplyAt;
        std::string message;
        bool written;
    };
    const Case cases[] = {
        // The third row of readings: left out, the later rows keep their depths.
        {{13}, -1, "Attention: 1 row of readings could not be read, depths 009.0", true},
        {{13, 16, 30}, -1, "Attention: 3 rows of readings could not be read, depths 009.0, 007.5, 000.5", true},
        // A header row not read would name the files or place the rows wrongly.
        {{1}, -1, "Attention: 1 header row could not be read: block 1 client; nothing was downloaded", false},
        {{}, 5, "Attention: 10 header rows could not be read: block 1 whole header; nothing was downloaded", false},
    };
    for (const Case& c : cases) {
        Bench b;
        b.h.unit.faults.refusedWakes = c.refusedWakes;
        b.h.unit.faults.noiseInReplyAt = c.noiseInReplyAt;
        b.run();
        ASSERT_EQ(b.h.messages.shown.size(), 1u) << c.message;
        EXPECT_EQ(b.h.messages.shown[0].text, c.message);
        EXPECT_EQ(b.h.messages.shown[0].icon, Icon::Error);
        b.expectIdle();
        if (!c.written) {
            EXPECT_TRUE(namesIn(b.out).empty()) << c.message;
            continue;
        }
        std::vector<RowAt> read;
        for (const RowAt& row : rows(20, 100, 5))
            if (!c.refusedWakes.count(row.r + 11))
                read.push_back(row);
        EXPECT_EQ(b.file(kBase + "dat.dat"), headerFile(headerTexts("CLIENT 1", "010.0")));
        EXPECT_EQ(b.file("datiram.dat"), workFile(read));
        EXPECT_EQ(b.file(kBase + "num.dat"), exportFile(read));
    }
}

TEST(DownloadNames, HeaderTextsNeverLeadOutOfTheFolder)
{
    struct Case {
        std::string client;
        std::string base;
    };
    const Case cases[] = {
        {"../x", ".._x    -SITE0000-T   -00-"},
        {"..\\C:*?", ".._C___ -SITE0000-T   -00-"},
        {"\"<|>\t\x7F\xE0", "______\xC3\xA0 -SITE0000-T   -00-"},
        {std::string("A\0B", 3), "A_B     -SITE0000-T   -00-"},
    };
    for (const Case& c : cases) {
        Bench b;
        b.header.client = c.client;
        b.run();
        EXPECT_EQ(namesIn(b.h.dir.path()), (std::vector<std::string>{"intestazione", "out"}));
        EXPECT_EQ(namesIn(b.out), (std::vector<std::string>{c.base + "dat.dat", c.base + "num.dat", "datiram.dat"}));
    }
    EXPECT_EQ(safeFileName(".."), "__");
    EXPECT_EQ(safeFileName("."), "_");
}

TEST_F(DownloadTest, UnitFallingSilentKeepsEveryRowReadAndTheEarlierExports)
{
    header.depth = "0300";
    run();
    const std::string headerExport = file(kBase + "dat.dat"), readingsExport = file(kBase + "num.dat");
    h.messages.shown.clear();
    h.unit.faults.answerWakes = 70 + 10 + 50; // the first run took 70 wakes
    run();
    EXPECT_EQ(file("datiram.dat"), workFile(rows(50, 300, 5)));
    EXPECT_EQ(file(kBase + "dat.dat"), headerExport);
    EXPECT_EQ(file(kBase + "num.dat"), readingsExport);
    EXPECT_EQ(namesIn(out), (std::vector<std::string>{kBase + "dat.dat", kBase + "num.dat", "datiram.dat"}));
    ASSERT_EQ(h.messages.shown.size(), 2u);
    EXPECT_EQ(h.messages.shown[0].text, "Attention: TARVELON not connected");
    EXPECT_EQ(h.messages.shown[1].text, "Attention: the download did not finish; these files were not replaced: " +
                                            (out / (kBase + "dat.dat")).string() + ", " +
                                            (out / (kBase + "num.dat")).string());
    expectIdle();
}

TEST_F(DownloadTest, ClosingTheWindowMidwayLeavesTheEarlierExports)
{
    run();
    const auto before = namesIn(out);
    const std::string readingsExport = file(kBase + "num.dat");
    h.loop.onYield = [&] {
        if (readCommands(h.unit).size() >= 45)
            throw ProgramClosing{};
    };
    EXPECT_THROW(run(), ProgramClosing);
    EXPECT_EQ(namesIn(out), before) << "no temporary file left";
    EXPECT_EQ(file(kBase + "num.dat"), readingsExport);
}

TEST_F(DownloadTest, NoAnswerBeforeTheHeaderIsCompleteTouchesNoFile)
{
    run();
    const std::string work = file("datiram.dat");
    for (const std::function<void()>& fault : std::vector<std::function<void()>>{
             [&] { h.unit.faults.silent = true; },
             [&] { h.unit.faults.silent = false, h.unit.faults.answerWakes = 30 + 5; },
             [&] { h.line.unavailablePorts = {1}; }}) {
        h.messages.shown.clear();
        fault();
        run();
        ASSERT_EQ(h.messages.shown.size(), 1u);
        EXPECT_EQ(h.messages.shown[0].icon, Icon::Error);
        EXPECT_EQ(file("datiram.dat"), work);
        EXPECT_EQ(file(kBase + "num.dat"), exportFile(rows(20, 100, 5)));
        expectIdle();
    }
    EXPECT_EQ(h.messages.shown[0].text, "Attention: cannot open serial port COM1");
}

TEST_F(DownloadTest, FilesThatCannotBeWrittenAreNamedAfterTheWholeBlockIsRead)
{
    fs::create_directory(out / "datiram.dat"); // a folder in the way of the work file
    run();
    EXPECT_EQ(readCommands(h.unit).size(), 30u);
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, "Attention: cannot write file " + (out / "datiram.dat").string());
    EXPECT_EQ(h.messages.shown[0].icon, Icon::Error);
    EXPECT_EQ(file(kBase + "num.dat"), exportFile(rows(20, 100, 5)));

    for (const std::string& folder : {(out / "gone").string(), std::string()}) {
        Bench b;
        b.h.state.downloadFolder = folder;
        b.run();
        EXPECT_EQ(readCommands(b.h.unit).size(), 30u);
        std::vector<std::string> texts;
        for (const ShownMessage& m : b.h.messages.shown)
            texts.push_back(m.text);
        const auto in = [&](const std::string& name) { return folder.empty() ? name : (fs::path(folder) / name).string(); };
        EXPECT_EQ(texts, (std::vector<std::string>{"Attention: cannot write file " + in(kBase + "dat.dat"),
                                                   "Attention: cannot write file " + in("datiram.dat"),
                                                   "Attention: cannot write file " + in(kBase + "num.dat")}));
        EXPECT_FALSE(fs::exists("datiram.dat")) << "nothing lands in the current folder";
        b.expectIdle();
    }
}

TEST(DownloadBlockNumber, NumberOutsideTheBlocksDownloadsNothing)
{
    struct Case {
        const char* box;
        const char* message;
    };
    for (const Case& c : {Case{"", "Attention: Insert block number"}, Case{"31", "Attention: Incorrect block number"},
                          Case{"0", "Attention: Incorrect block number"}, Case{"x", "Attention: Incorrect block number"}}) {
        Bench b;
        b.run(c.box);
        ASSERT_EQ(b.h.messages.shown.size(), 1u) << c.box;
        EXPECT_EQ(b.h.messages.shown[0].text, c.message);
        EXPECT_EQ(b.h.messages.shown[0].icon, Icon::Error);
        EXPECT_EQ(b.h.line.opens, 0);
        EXPECT_TRUE(namesIn(b.out).empty());
        b.expectIdle();
    }
}

TEST_F(DownloadTest, OkIsDisabledWhileThePortIsOpenAndTheExportWaitsHalfASecond)
{
    bool okWhileOpen = false;
    double closedAt = -1, exportedAt = -1;
    h.loop.onYield = [&] {
        if (h.line.isOpen())
            okWhileOpen = okWhileOpen || h.form.isEnabled("command3d1");
        else if (h.line.opens > 0 && closedAt < 0)
            closedAt = h.seconds();
        if (exportedAt < 0 && exists(kBase + "num.dat"))
            exportedAt = h.seconds();
    };
    run();
    EXPECT_FALSE(okWhileOpen);
    EXPECT_GE(exportedAt - closedAt, 0.4);
}

TEST(DownloadClosing, AtEveryInstantTheReadingsExportIsWholeOrAbsent)
{
    // The instants of an undisturbed download.
    std::vector<int64_t> instants;
    {
        Bench b;
        b.h.loop.onYield = [&] {
            if (instants.empty() || instants.back() != b.h.clock.now())
                instants.push_back(b.h.clock.now());
        };
        b.run();
    }
    const std::vector<RowAt> all = rows(20, 100, 5);
    int exported = 0;
    for (int64_t t : instants) {
        Bench b;
        b.h.loop.closeAt = t;
        EXPECT_THROW(b.run(), ProgramClosing) << t;
        // Every row read: the export follows, even when the window closed in the pause.
        const bool allRead = b.exists("datiram.dat") && b.file("datiram.dat") == workFile(all);
        ASSERT_EQ(b.exists(kBase + "num.dat"), allRead) << t;
        if (allRead) {
            EXPECT_EQ(b.file(kBase + "num.dat"), exportFile(all)) << t;
            ++exported;
        }
    }
    EXPECT_GT(exported, 2) << "instants in the pause";
}

// The two export files stand together or not at all: one that cannot be written leaves the
// earlier pair of that name as it was.
TEST(DownloadExports, BothAreCompleteBeforeEitherReplacesTheEarlierOne)
{
    for (const std::string blocked : {"dat.dat.part", "num.dat.part"}) {
        SCOPED_TRACE(blocked);
        Bench b;
        b.run();
        const std::string headerBefore = b.file(kBase + "dat.dat"), readingsBefore = b.file(kBase + "num.dat");
        b.header.depth = "0020";
        fs::create_directory(b.out / (kBase + blocked)); // a folder in the way of one staged export
        b.h.messages.shown.clear();
        b.run();
        EXPECT_EQ(b.file(kBase + "dat.dat"), headerBefore);
        EXPECT_EQ(b.file(kBase + "num.dat"), readingsBefore);
        const std::string other = blocked == "dat.dat.part" ? "num.dat" : "dat.dat";
        ASSERT_EQ(b.h.messages.shown.size(), 2u);
        EXPECT_EQ(b.h.messages.shown[0].text, "Attention: cannot write file " + (b.out / (kBase + blocked.substr(0, 7))).string());
        EXPECT_EQ(b.h.messages.shown[1].text, std::string(kPairNotReplaced) + (b.out / (kBase + other)).string());
    }
}

// The second export file cannot take the place of the earlier one (held open on Windows, made
// immutable on Linux; here a folder of its name, which stops root too): the header file put in
// place first is taken back, so the earlier pair, or its absence, stays as it was.
TEST(DownloadExports, ASecondFileThatCannotBeReplacedTakesTheFirstBack)
{
    for (const bool earlierHeader : {true, false}) {
        SCOPED_TRACE(earlierHeader ? "an earlier header file" : "no earlier header file");
        Bench b;
        b.run();
        const std::string headerBefore = b.file(kBase + "dat.dat");
        fs::remove(b.out / (kBase + "num.dat"));
        fs::create_directories(b.out / (kBase + "num.dat") / "kept");
        if (!earlierHeader)
            fs::remove(b.out / (kBase + "dat.dat"));
        b.header.depth = "0020";
        b.h.messages.shown.clear();
        const DownloadedBlock got = downloadBlock(b.h.ctx);
        EXPECT_EQ(b.exists(kBase + "dat.dat"), earlierHeader);
        if (earlierHeader) {
            EXPECT_EQ(b.file(kBase + "dat.dat"), headerBefore);
        }
        EXPECT_TRUE(fs::is_directory(b.out / (kBase + "num.dat") / "kept"));
        EXPECT_FALSE(got.complete);
        EXPECT_TRUE(got.records.empty()) << "nothing for the library";
        ASSERT_EQ(b.h.messages.shown.size(), 2u);
        EXPECT_EQ(b.h.messages.shown[0].text, std::string(kCannotReplaceFile) +
                                                  (b.out / (kBase + "num.dat")).string() + ": a folder has that name");
        EXPECT_EQ(b.h.messages.shown[1].text, std::string(kPairNotReplaced) + (b.out / (kBase + "dat.dat")).string());
        for (const auto& entry : fs::directory_iterator(b.out))
            EXPECT_EQ(entry.path().string().find(".part"), std::string::npos) << entry.path();
        EXPECT_FALSE(b.exists(kBase + "dat.dat.earlier"));
        b.expectIdle();
    }
}
