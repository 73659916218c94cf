#include "blocks/clear_blocks.h"
#include "blocks/header_entry.h"
#include "blocks/header_read.h"
#include "blocks/header_write.h"
#include "link/block.h"
#include "link/header_file.h"
#include "support/harness.h"

#include <functional>

#include <gtest/gtest.h>

#include <set>

using namespace tarvelon;
using namespace tarvelon::test;

namespace {

const std::string kBlock1Line = "C00000CLIENT 1SITE0000T   000012+00000DDMMYYhhmmss";
const std::string kQuestion = "ATTENTION: ALL MEMORY DATA WILL BE LOST, WOULD YOU LIKE TO CONTINUE ?";

// The default header text of block n as it travels in a header line.
std::string defaultText(int n)
{
    return defaultHeader(n).bytes().substr(0, 8) + "SITE0000T   0000" + "12+00000DDMMYYhhmmss";
}

// What the unit received, with the virtual time at which each line went out.
struct Timeline {
    explicit Timeline(Harness& h) : h(h)
    {
        h.loop.onYield = [this] { stamp(); };
    }
    void stamp()
    {
        while (times.size() < h.unit.log().size())
            times.push_back(h.seconds());
    }
    Harness& h;
    std::vector<double> times;
};

struct HeaderOps : ::testing::Test {
    HeaderOps() { h.startUp(); }

    void expectIdleEnd(size_t messages)
    {
        EXPECT_EQ(h.messages.shown.size(), messages);
        EXPECT_FALSE(h.line.isOpen());
        EXPECT_FALSE(h.form.waitIndicatorShown());
    }
    Harness h;
};

// A unit whose blocks already hold headers of their own.
void loadUnitHeaders(sim::Unit& unit)
{
    for (int n = 1; n <= 30; ++n) {
        char text[64];
        std::snprintf(text, sizeof text, "UNIT%04dSITE%04dT%03d%03d5%c%c+123%02d%02d1224103015", n, n, n, n,
                      n % 2 ? '0' : '1', n % 3 ? '2' : '4', n, n);
        unit.receive("C" + *blockAddress(n) + text + "\r");
    }
    unit.clearLog();
}

} // namespace

TEST_F(HeaderOps, SetBlockSendsTheDefaultHeaderOfBlockOneExactly)
{
    Timeline t(h);
    setBlock(h.ctx);
    t.stamp();
    EXPECT_EQ(h.messages.questions, std::vector<std::string>{kQuestion});
    EXPECT_EQ(h.unit.log(), (std::vector<std::string>{"}", kBlock1Line, "}", "b000F500"}));
    ASSERT_EQ(t.times.size(), 4u);
    // Four ticks of settling after the header line.
    EXPECT_GE(t.times[2] - t.times[1], 0.3);
    EXPECT_LE(t.times[2] - t.times[1], 0.41);
    expectIdleEnd(0);
    EXPECT_EQ(h.form.text("Text2"), "01");
}

TEST_F(HeaderOps, SetBlockSendsTheStoredHeaderOfTheBlockInTheBox)
{
    struct Case {
        const char* box;
        const char* prefix;
        const char* client;
    };
    for (const Case& c : {Case{"07", "C06000", "CLIENT 7"}, Case{"10", "C09000", "CLIENT10"}, Case{"30", "C1D000", "CLIENT30"}}) {
        Harness h;
        h.startUp();
        h.form.setText("Text2", c.box);
        setBlock(h.ctx);
        ASSERT_EQ(h.unit.commands().size(), 2u) << c.box;
        EXPECT_EQ(h.unit.commands()[0].substr(0, 14), std::string(c.prefix) + c.client);
        EXPECT_EQ(h.state.currentBlock, std::stoi(c.box));
        EXPECT_EQ(h.form.text("Text2"), c.box);
        EXPECT_EQ(h.form.text("Text3"), c.client);
    }
}

TEST_F(HeaderOps, SetBlockWritesTheBlockCheckedBeforeItsQuestion)
{
    // Whatever stands in the box once the question is answered.
    struct ChangingBox : FakeMessages {
        Form* form = nullptr;
        std::string typed;
        bool askOkCancel(const std::string& text, const std::string& erases) override
        {
            form->setText("Text2", typed);
            return FakeMessages::askOkCancel(text, erases);
        }
    };
    for (const char* typed : {"", "31", "09"}) {
        Harness h;
        h.startUp();
        ChangingBox messages;
        messages.form = &h.form;
        messages.typed = typed;
        Context ctx{h.state, h.form, h.line, h.loop, h.timer1, messages, h.desktop};
        h.form.setText("Text2", "07");
        setBlock(ctx);
        EXPECT_EQ(h.unit.commands(), (std::vector<std::string>{"C06000" + defaultText(7), "b000F500"})) << typed;
        EXPECT_EQ(h.state.currentBlock, 7) << typed;
    }
}

TEST_F(HeaderOps, SetBlockKeepsTheShownHeaderEvenWhenCancelled)
{
    h.form.setText("Text3", "EDITED  ");
    h.messages.answers = {false};
    setBlock(h.ctx);
    HeaderRecord r;
    ASSERT_TRUE(h.headerFile().read(1, r));
    EXPECT_EQ(r.get(HeaderRecord::Client), "EDITED  ");
    EXPECT_TRUE(h.unit.log().empty());
    EXPECT_EQ(h.line.opens, 0);
}

TEST_F(HeaderOps, BlockNumbersOutsideTheUnitStopTheOperationsAtOnce)
{
    using Op = void (*)(Context&);
    struct Case {
        const char* text;
        const char* message;
    };
    for (Op op : {Op(readBlock), Op(setBlock), Op(resetBlock)}) {
        for (const Case& c : {Case{"", "Attention: Insert block number"}, Case{"0", "Attention: Incorrect block number"},
                              Case{"31", "Attention: Incorrect block number"}, Case{"ab", "Attention: Incorrect block number"}}) {
            Harness h;
            h.startUp();
            h.form.setText("Text3", "SHOWN   ");
            h.form.setText("Text2", c.text);
            op(h.ctx);
            ASSERT_EQ(h.messages.shown.size(), 1u) << c.text;
            EXPECT_EQ(h.messages.shown[0].text, c.message);
            EXPECT_TRUE(h.messages.questions.empty());
            EXPECT_EQ(h.line.opens, 0);
            EXPECT_TRUE(h.unit.log().empty());
            EXPECT_FALSE(h.form.waitIndicatorShown());
            HeaderRecord r;
            ASSERT_TRUE(h.headerFile().read(1, r));
            // Only Set Block stores the shown header before it looks at the number.
            EXPECT_EQ(r.get(HeaderRecord::Client), op == Op(setBlock) ? "SHOWN   " : "CLIENT 1");
        }
    }
}

TEST_F(HeaderOps, SetAllWritesEveryRecordWithShortSettles)
{
    nextHeader(h.ctx);
    nextHeader(h.ctx);
    h.form.setText("Text3", "EDITED  ");
    Timeline t(h);
    setAll(h.ctx);
    t.stamp();
    const auto& log = h.unit.log();
    ASSERT_EQ(log.size(), 62u);
    for (int n = 1; n <= 30; ++n) {
        EXPECT_EQ(log[static_cast<size_t>(2 * n - 2)], "}");
        const std::string text = n == 3 ? "EDITED  " + defaultText(3).substr(8) : defaultText(n);
        EXPECT_EQ(log[static_cast<size_t>(2 * n - 1)], "C" + *blockCode(n) + "000" + text) << n;
        const double settle = t.times[static_cast<size_t>(2 * n)] - t.times[static_cast<size_t>(2 * n - 1)];
        EXPECT_GE(settle, 0.1);
        EXPECT_LE(settle, 0.21);
    }
    EXPECT_EQ(log[60], "}");
    EXPECT_EQ(log[61], "b000F500");
    expectIdleEnd(0);
    EXPECT_EQ(h.state.currentBlock, 1);
    EXPECT_EQ(h.form.text("Text2"), "01");
    EXPECT_EQ(h.form.text("Text3"), "CLIENT 1");
}

TEST_F(HeaderOps, WakeAnsweredWithMoreThanReadySkipsOnlyThatLine)
{
    using Op = void (*)(Context&);
    for (Op op : {Op(setBlock), Op(resetBlock)}) {
        Harness h;
        h.startUp();
        h.unit.faults.refusedWakes = {1};
        op(h.ctx);
        EXPECT_EQ(h.unit.log(), (std::vector<std::string>{"}", "}", "b000F500"}));
        ASSERT_EQ(h.messages.shown.size(), 1u) << "the block not written is named";
        EXPECT_EQ(h.messages.shown[0].text.rfind("Attention: the unit refused the command: block 1 not ", 0), 0u);
        EXPECT_FALSE(h.form.waitIndicatorShown());
    }
    Harness h;
    h.startUp();
    h.unit.faults.refusedWakes = {5, 31};
    totalReset(h.ctx);
    const auto cmds = h.unit.commands();
    EXPECT_EQ(cmds.size(), 29u) << "block 5 and the closing command skipped";
    EXPECT_EQ(cmds[3].substr(0, 6), "C03000");
    EXPECT_EQ(cmds[4].substr(0, 6), "C05000");
}

TEST_F(HeaderOps, UnitFallingSilentAtBlockTwelve)
{
    using Op = void (*)(Context&);
    for (Op op : {Op(setAll), Op(totalReset)}) {
        Harness h;
        h.startUp();
        nextHeader(h.ctx);
        h.form.setText("Text3", "EDITED  ");
        h.unit.faults.answerWakes = 11;
        op(h.ctx);
        const auto cmds = h.unit.commands();
        ASSERT_EQ(cmds.size(), 11u);
        EXPECT_EQ(cmds.front().substr(0, 6), "C00000");
        EXPECT_EQ(cmds.back().substr(0, 6), "C0A000");
        ASSERT_EQ(h.messages.shown.size(), 1u);
        EXPECT_EQ(h.messages.shown[0].text, "Attention: TARVELON not connected");
        EXPECT_FALSE(h.line.isOpen());
        EXPECT_FALSE(h.form.waitIndicatorShown());
        EXPECT_EQ(h.state.currentBlock, 1);
        EXPECT_EQ(h.form.text("Text2"), "01");
        EXPECT_EQ(h.form.text("Text3"), "CLIENT 1") << "the page shows record 1, as the block number says";
        if (op == Op(totalReset))
            for (int n = 1; n <= 30; ++n) {
                HeaderRecord r;
                ASSERT_TRUE(h.headerFile().read(n, r));
                EXPECT_EQ(r, defaultHeader(n)) << n;
            }
    }
}

TEST_F(HeaderOps, SilenceAtTheClosingHandshakeHidesTheIndicator)
{
    using Op = void (*)(Context&);
    for (Op op : {Op(setBlock), Op(resetBlock)}) {
        Harness h;
        h.startUp();
        h.unit.faults.answerWakes = 1;
        op(h.ctx);
        EXPECT_EQ(h.unit.log(), (std::vector<std::string>{"}", kBlock1Line, "}"}));
        ASSERT_EQ(h.messages.shown.size(), 1u);
        EXPECT_FALSE(h.form.waitIndicatorShown());
        EXPECT_FALSE(h.line.isOpen());
    }
}

TEST_F(HeaderOps, SilentUnitEndsEveryWriteWithOneMessage)
{
    using Op = void (*)(Context&);
    for (Op op : {Op(setBlock), Op(setAll), Op(resetBlock), Op(totalReset), Op(readBlock), Op(readAllBlocks)}) {
        Harness h;
        h.startUp();
        h.unit.faults.silent = true;
        op(h.ctx);
        ASSERT_EQ(h.messages.shown.size(), 1u);
        EXPECT_EQ(h.messages.shown[0].text, "Attention: TARVELON not connected");
        EXPECT_EQ(h.unit.log(), std::vector<std::string>{"}"});
        EXPECT_FALSE(h.line.isOpen());
        EXPECT_FALSE(h.form.waitIndicatorShown());
        EXPECT_EQ(h.form.text("Text2"), "01");
        EXPECT_LT(h.seconds(), 0.7);
    }
}

TEST_F(HeaderOps, PortThatCannotBeOpenedIsReportedAndNothingSent)
{
    using Op = void (*)(Context&);
    for (Op op : {Op(setBlock), Op(setAll), Op(resetBlock), Op(totalReset), Op(readBlock), Op(readAllBlocks)}) {
        Harness h;
        h.startUp();
        h.state.portNumber = 3;
        h.line.unavailablePorts = {3};
        op(h.ctx);
        ASSERT_EQ(h.messages.shown.size(), 1u);
        EXPECT_EQ(h.messages.shown[0].text, "Attention: cannot open serial port COM3");
        EXPECT_TRUE(h.unit.log().empty());
        EXPECT_FALSE(h.form.waitIndicatorShown());
    }
}

TEST_F(HeaderOps, ResetBlockClearsTheBlockInTheBox)
{
    h.form.setText("Text2", "07");
    nextHeader(h.ctx); // record 1 keeps the page, block 2 shown
    h.form.setText("Text2", "07");
    h.form.setText("Text18", "+9.9999");
    resetBlock(h.ctx);
    const auto cmds = h.unit.commands();
    ASSERT_EQ(cmds.size(), 2u);
    EXPECT_EQ(cmds[0], "C06000" + defaultText(7));
    EXPECT_EQ(cmds[1], "b000F500");
    EXPECT_EQ(h.form.text("Text2"), "07");
    EXPECT_EQ(h.state.currentBlock, 7);
    EXPECT_EQ(h.form.text("Text3"), "CLIENT 7");
    EXPECT_EQ(h.form.text("Text18"), "+9.9999") << "zero/gain boxes untouched";
    expectIdleEnd(0);
}

TEST_F(HeaderOps, TotalResetSendsEveryDefaultHeaderAndShowsBlockOne)
{
    h.form.setText("Text3", "EDITED  ");
    copyData(h.ctx);
    totalReset(h.ctx);
    const auto cmds = h.unit.commands();
    ASSERT_EQ(cmds.size(), 31u);
    for (int n = 1; n <= 30; ++n)
        EXPECT_EQ(cmds[static_cast<size_t>(n - 1)], "C" + *blockAddress(n) + defaultText(n));
    EXPECT_EQ(cmds[30], "b000F500");
    HeaderRecord r;
    ASSERT_TRUE(h.headerFile().read(1, r));
    EXPECT_EQ(r, defaultHeader(1));
    EXPECT_EQ(h.form.text("Text3"), "CLIENT 1");
    EXPECT_EQ(h.form.text("Text2"), "01");
    expectIdleEnd(0);
}

TEST_F(HeaderOps, ReadBlockShowsTheRowsOfTheBlockInTheBox)
{
    loadUnitHeaders(h.unit);
    h.form.setText("Text18", "+3.0000");
    h.form.setText("Text2", "11");
    readBlock(h.ctx);
    std::vector<std::string> expected;
    for (const char* offset : {"00", "10", "20", "30", "40", "50", "60", "70", "80", "90"}) {
        expected.push_back("}");
        expected.push_back(std::string("a0A0") + offset);
    }
    EXPECT_EQ(h.unit.log(), expected);
    EXPECT_EQ(h.form.text("Text17"), "0A090");
    EXPECT_EQ(h.form.text("Text3"), "UNIT0011");
    EXPECT_EQ(h.form.text("Text5"), "T011");
    EXPECT_EQ(h.form.text("Text6"), "011");
    EXPECT_EQ(h.form.text("Text13"), "5");
    EXPECT_EQ(h.form.text("Text7"), "0");
    EXPECT_EQ(h.form.text("Text8"), "2");
    EXPECT_EQ(h.form.text("Text11"), "111224");
    EXPECT_EQ(h.form.text("Text12"), "103015");
    EXPECT_EQ(h.form.text("Text18"), "+3.0000");
    EXPECT_EQ(h.state.currentBlock, 1) << "reading does not change the current block";
    HeaderRecord r;
    ASSERT_TRUE(h.headerFile().read(11, r));
    EXPECT_EQ(r, defaultHeader(11)) << "reading does not touch the header file";
    expectIdleEnd(0);
}

TEST(HeaderReadUnreadRows, ARowNotReadKeepsWhatWasThereAndIsNamed)
{
    struct Case {
        void (*run)(Context&);
        std::set<int> refusedWakes; // block b, row r (from 0) is wake 10 (b - 1) + r + 1
        int noiseInReplyAt;
        std::string message;
    };
    const Case cases[] = {
        {readBlock, {2}, -1, "Attention: 1 header row could not be read: block 1 site"},
        {readAllBlocks, {41, 42, 89}, -1,
         "Attention: 3 header rows could not be read: block 5 client, site; block 9 date"},
        {readAllBlocks, {}, 5, "Attention: 300 header rows could not be read: blocks 1 to 30 whole header"},
    };
    for (const Case& c : cases) {
        Harness h;
        h.startUp();
        loadUnitHeaders(h.unit);
        h.unit.faults.refusedWakes = c.refusedWakes;
        h.unit.faults.noiseInReplyAt = c.noiseInReplyAt;
        h.form.setText("Text4", "MINE");
        const std::string before = readFile(h.state.headerFilePath);
        c.run(h.ctx);

        ASSERT_EQ(h.messages.shown.size(), 1u) << c.message;
        EXPECT_EQ(h.messages.shown[0].text, c.message);
        EXPECT_FALSE(h.line.isOpen());
        // Every field is the unit's, or what the box or record held before.
        for (int n = 1; n <= (c.run == readBlock ? 1 : 30); ++n) {
            HeaderRecord got, old = HeaderRecord::fromBytes(before.substr(size_t(n - 1) * 77, 77));
            if (c.run == readBlock)
                windowToRecord(h.form, got, FieldSet::All);
            else
                ASSERT_TRUE(h.headerFile().read(n, got));
            if (c.run == readBlock)
                old.set(HeaderRecord::Site, "MINE");
            const std::string unit = h.unit.headerText(n);
            size_t at = 0;
            for (int r = 0; r < 10; ++r) {
                const auto f = HeaderRecord::Field(r);
                const size_t width = r >= HeaderRecord::Date ? 6 : size_t(HeaderRecord::kWidths[size_t(r)]);
                HeaderRecord unitRecord;
                unitRecord.set(f, unit.substr(at, width));
                at += width;
                const bool read = c.noiseInReplyAt < 0 && !c.refusedWakes.count(10 * (n - 1) + r + 1);
                EXPECT_EQ(got.get(f), (read ? unitRecord : old).get(f)) << "block " << n << " row " << r;
            }
        }
    }
}

TEST_F(HeaderOps, ReadAllBlocksStoresEveryHeaderByteExactly)
{
    loadUnitHeaders(h.unit);
    h.form.setText("Text18", "+1.2345");
    readAllBlocks(h.ctx);
    const std::string file = readFile(h.state.headerFilePath);
    ASSERT_EQ(file.size(), 2310u);
    for (int n = 1; n <= 30; ++n) {
        char expected[80];
        // Date and time keep the six characters the boxes hold, then two blanks; the zero/gain
        // boxes as they stood: point, gain 1, gain 2, zero 1, zero 2.
        std::snprintf(expected, sizeof expected, "UNIT%04dSITE%04dT%03d%03d5%c%c+123%02d%02d1224  103015  0+1.2345+1.0000+0.0000+0.0000",
                      n, n, n, n, n % 2 ? '0' : '1', n % 3 ? '2' : '4', n, n);
        EXPECT_EQ(file.substr(static_cast<size_t>(n - 1) * 77, 77), expected) << n;
    }
    EXPECT_EQ(h.unit.commands().size(), 300u);
    EXPECT_EQ(h.line.opens, 30);
    EXPECT_EQ(h.form.text("Text2"), "01");
    EXPECT_EQ(h.form.text("Text3"), "UNIT0001");
    expectIdleEnd(0);
}

TEST_F(HeaderOps, ReadAllBlocksWithAUnitThatStopsMidway)
{
    loadUnitHeaders(h.unit);
    h.unit.faults.answerWakes = 25; // block 3 loses its fifth row
    readAllBlocks(h.ctx);
    ASSERT_EQ(h.messages.shown.size(), 1u);
    HeaderRecord r;
    ASSERT_TRUE(h.headerFile().read(2, r));
    EXPECT_EQ(r.get(HeaderRecord::Client), "UNIT0002");
    ASSERT_TRUE(h.headerFile().read(3, r));
    EXPECT_EQ(r, defaultHeader(3));
    EXPECT_EQ(h.form.text("Text2"), "01");
    EXPECT_EQ(h.form.text("Text3"), "UNIT0001");
    EXPECT_GT(h.seconds(), 5.0);
    expectIdleEnd(1);
}

TEST_F(HeaderOps, CopyDataStepsOnKeepingTheShownHeader)
{
    for (int i = 0; i < 4; ++i)
        nextHeader(h.ctx);
    h.form.setText("Text3", "CLIENT 1");
    h.form.setText("Text6", "100");
    h.form.setText("Text13", "5");
    copyData(h.ctx);
    HeaderRecord r;
    ASSERT_TRUE(h.headerFile().read(5, r));
    EXPECT_EQ(r.get(HeaderRecord::Client), "CLIENT 1");
    EXPECT_EQ(r.get(HeaderRecord::Depth), "1005");
    EXPECT_EQ(h.form.text("Text2"), "06");
    EXPECT_EQ(h.form.text("Text3"), "CLIENT 1");

    for (int i = 0; i < 30; ++i)
        copyData(h.ctx);
    EXPECT_EQ(h.form.text("Text2"), "30");
    ASSERT_TRUE(h.headerFile().read(30, r));
    EXPECT_EQ(r.get(HeaderRecord::Client), "CLIENT 1");
}

TEST_F(HeaderOps, CopyDataThatCannotWriteSaysSoAndStaysPut)
{
    std::filesystem::remove(h.state.headerFilePath);
    std::filesystem::create_directory(h.state.headerFilePath);
    copyData(h.ctx);
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, "Attention: cannot write header file " + h.state.headerFilePath);
    EXPECT_EQ(h.form.text("Text2"), "01");
}

// What each erasing question says under its words: the block or blocks it erases, with what
// the program learned of them, and whether the survey library lacks their readings.
TEST(EraseQuestions, NameTheBlocksTheyErase)
{
    using Op = void (*)(Context&);
    struct Case {
        const char* what;
        Op op;
        bool readFirst;       // Read All Blocks before, so the program knows the unit's headers
        const char* notKept;  // the client whose survey the library lacks, or none
        std::string expected;
    };
    const std::string block5 = "Block 05: UNIT0005 / SITE0005 / T005, readout 05 of 05/12/24";
    const std::string notRead = "contents not read since the program started (Read All Blocks shows them)";
    const Case cases[] = {
        {"unknown block", setBlock, false, nullptr, "Block 05: " + notRead},
        {"read block", setBlock, true, nullptr, block5},
        {"reset, not kept", resetBlock, true, "UNIT0005", block5 + " - its readings are not in the survey library"},
        {"reset, another not kept", resetBlock, true, "UNIT0006", block5},
        {"all unknown", setAll, false, nullptr, "Blocks 01 to 30: " + notRead},
        {"all unknown, total reset", totalReset, false, nullptr, "Blocks 01 to 30: " + notRead},
        {"total reset, not kept", totalReset, true, "UNIT0002",
         "Blocks 01 to 30, among them:\nBlock 01: UNIT0001 / SITE0001 / T001, readout 01 of 01/12/24\n"
         "Block 02: UNIT0002 / SITE0002 / T002, readout 02 of 02/12/24 - its readings are not in the survey library"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        Harness h;
        h.startUp();
        loadUnitHeaders(h.unit);
        if (k.readFirst)
            readAllBlocks(h.ctx);
        if (k.notKept)
            h.state.keptInLibrary = [client = std::string(k.notKept)](const UnitBlock& b) {
                return std::optional(b.client != client ? LibraryKeeps::Whole : LibraryKeeps::Nothing);
            };
        h.form.setText("Text2", "05");
        h.messages.answers = {false};
        h.unit.clearLog();
        k.op(h.ctx);
        ASSERT_EQ(h.messages.questions, std::vector<std::string>{kQuestion});
        const std::string& erased = h.messages.erased.at(0);
        // Of many blocks only those known to hold readings are named; blocks 1 and 2 here.
        const bool many = k.op == totalReset || k.op == setAll;
        EXPECT_EQ(many ? erased.substr(0, k.expected.size()) : erased, k.expected);
        EXPECT_TRUE(h.unit.commands().empty());
    }
}

TEST(EraseQuestions, AHeaderWrittenLeavesNoReadingsToWarnOf)
{
    Harness h;
    h.startUp();
    loadUnitHeaders(h.unit);
    readAllBlocks(h.ctx);
    h.state.keptInLibrary = [](const UnitBlock&) { return std::optional(LibraryKeeps::Part); };
    h.form.setText("Text2", "03");
    setBlock(h.ctx);
    h.messages.answers = {false};
    resetBlock(h.ctx);
    ASSERT_EQ(h.messages.erased.size(), 2u);
    EXPECT_NE(h.messages.erased[0].find("not in the survey library"), std::string::npos);
    EXPECT_EQ(h.messages.erased[1], "Block 03: UNIT0003 / SITE0003 / T003, readout 03 of 03/12/24");
}

// Each question names its act in its title and has Cancel as the default.
TEST(EraseQuestions, TitleNamesTheActAndCancelIsTheDefault)
{
    using Op = void (*)(Context&);
    const std::pair<Op, const char*> acts[] = {
        {setBlock, "Set Block"}, {setAll, "Set All"}, {resetBlock, "Reset Block"}, {totalReset, "Total Reset"}};
    for (const auto& [op, title] : acts) {
        Harness h;
        h.startUp();
        h.messages.answers = {false};
        op(h.ctx);
        ASSERT_EQ(h.messages.asked.size(), 1u) << title;
        EXPECT_EQ(h.messages.asked[0].title, title);
        EXPECT_EQ(h.messages.asked[0].text, kQuestion) << "the described words come first";
        EXPECT_TRUE(h.messages.asked[0].cancelDefault) << title;
        EXPECT_TRUE(h.unit.commands().empty()) << title;
    }
}

// With every block holding readings, the text names three and counts the rest; the details
// list all thirty, so the box stays the height of a few lines.
TEST(EraseQuestions, ManyBlocksNameAFewAndLeaveTheRestToTheDetails)
{
    Harness h;
    h.startUp();
    loadUnitHeaders(h.unit);
    readAllBlocks(h.ctx);
    h.messages.answers = {false};
    totalReset(h.ctx);
    ASSERT_EQ(h.messages.asked.size(), 1u);
    const Question& q = h.messages.asked[0];
    const auto lines = [](const std::string& text) { return std::count(text.begin(), text.end(), '\n') + 1; };
    EXPECT_EQ(q.erases, "Blocks 01 to 30, among them:\n"
                        "Block 01: UNIT0001 / SITE0001 / T001, readout 01 of 01/12/24\n"
                        "Block 02: UNIT0002 / SITE0002 / T002, readout 02 of 02/12/24\n"
                        "Block 03: UNIT0003 / SITE0003 / T003, readout 03 of 03/12/24\n"
                        "and 27 more: Show Details\x85");
    EXPECT_EQ(lines(q.details), 30);
    EXPECT_NE(q.details.find("Block 30: UNIT0030 / SITE0030 / T030, readout 30 of 30/12/24"), std::string::npos);
}

// Blocks read and blocks not read since the start, side by side: those not read are named as
// such, in one line however many they are.
TEST(EraseQuestions, BlocksNotReadAreNamedAsSuch)
{
    Harness h;
    h.startUp();
    loadUnitHeaders(h.unit);
    for (const char* block : {"02", "05"}) {
        h.form.setText("Text2", block);
        readBlock(h.ctx);
    }
    h.messages.answers = {false};
    setAll(h.ctx);
    ASSERT_EQ(h.messages.asked.size(), 1u);
    const std::string& erases = h.messages.asked[0].erases;
    EXPECT_EQ(erases.rfind("Blocks 01 to 30, among them:\nBlock 02: UNIT0002", 0), 0u) << erases;
    EXPECT_NE(erases.find("\nBlock 05: UNIT0005"), std::string::npos) << erases;
    EXPECT_NE(erases.find("\nBlocks 01, 03, 04 and 06 to 30: contents not read since the program started "
                          "(Read All Blocks shows them)"),
              std::string::npos)
        << erases;
}

// Set All after typing a header and copying it twice: blocks 04 to 30 would get the start-up
// placeholders, which the question says; the added button writes blocks 01 to 03 only.
TEST(SetAll, OffersToWriteOnlyTheHeadersSetSinceTheStart)
{
    const std::string acme = "ACME    SITE0000T   000012+00000DDMMYYhhmmss";
    struct Case {
        const char* what;
        int copies;            // Copy Data presses after typing the client; -1: nothing typed
        Answer answer;
        const char* extra;     // the added button's caption
        std::vector<std::string> sent;
    };
    const Case cases[] = {
        {"three set, only those", 2, Answer::Extra, "Write Blocks 01\x96" "03 Only",
         {"C00000" + acme, "C01000" + acme, "C02000" + acme, "b000F500"}},
        {"three set, cancelled", 2, Answer::Cancel, "Write Blocks 01\x96" "03 Only", {}},
        {"one set", 0, Answer::Extra, "Write Block 01 Only", {"C00000" + acme, "b000F500"}},
        {"nothing set: no such button", -1, Answer::Cancel, "", {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        Harness h;
        h.startUp();
        if (k.copies >= 0)
            h.form.setText("Text3", "ACME");
        for (int i = 0; i < k.copies; ++i)
            copyData(h.ctx);
        h.unit.clearLog();
        h.messages.choices = {k.answer};
        setAll(h.ctx);
        ASSERT_EQ(h.messages.asked.size(), 1u);
        const Question& q = h.messages.asked[0];
        EXPECT_EQ(q.extra, k.extra);
        EXPECT_TRUE(q.cancelDefault);
        const std::string placeholders = k.copies < 0 ? "Blocks 01 to 30" : k.copies == 0 ? "Blocks 02 to 30" : "Blocks 04 to 30";
        EXPECT_NE(q.erases.find("\n" + placeholders + " still hold the start-up default header"), std::string::npos)
            << q.erases;
        EXPECT_EQ(h.unit.commands(), k.sent);
        if (k.answer == Answer::Extra) {
            EXPECT_EQ(h.form.outcomes.back(), k.copies == 2 ? "Blocks 01 to 03 written" : "Block 01 written");
        }
    }
}

// Once every header was read from the unit, nothing would get a placeholder: OK is the whole act.
TEST(SetAll, HeadersAllReadNeedNoOtherButton)
{
    Harness h;
    h.startUp();
    loadUnitHeaders(h.unit);
    readAllBlocks(h.ctx);
    h.messages.answers = {false};
    setAll(h.ctx);
    ASSERT_EQ(h.messages.asked.size(), 1u);
    EXPECT_EQ(h.messages.asked[0].extra, "");
    EXPECT_EQ(h.messages.asked[0].erases.find("start-up default"), std::string::npos);
}
