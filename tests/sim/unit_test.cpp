#include "sim/unit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <set>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace tarvelon::sim {
namespace {

// Client, site, tube, depth, step, guides, north, readout, date, time.
const std::string kHeader = "CLIENT 1" "SITE  01" "T01 " "0305" "0" "4" "+045" "01" "230424" "103000";

std::string sent(const std::vector<Burst>& bursts)
{
    std::string all;
    for (const auto& b : bursts)
        all += b.bytes;
    return all;
}

std::string blanks(int n)
{
    std::string text;
    for (int i = 0; i < n; ++i)
        text += "20 ";
    return text;
}

TEST(Unit, WakeIsAnsweredWithReadyAfterTheWakeDelay)
{
    Unit unit;
    unit.faults.wakeDelayMs = 3.5;
    const auto bursts = unit.receive("}");
    ASSERT_EQ(bursts.size(), 1u);
    EXPECT_EQ(bursts[0].bytes, "!");
    EXPECT_DOUBLE_EQ(bursts[0].delayMs, 3.5);
    EXPECT_EQ(unit.log(), std::vector<std::string>{"}"});
    EXPECT_TRUE(unit.commands().empty());
}

struct RowCase {
    const char* name;
    std::string setup;
    std::string read;
    std::string reply;
};

class UnitRows : public testing::TestWithParam<RowCase> {};

TEST_P(UnitRows, WrittenDataReadsBackAsHexRow)
{
    Unit unit;
    EXPECT_TRUE(unit.receive(GetParam().setup).empty());
    const auto bursts = unit.receive(GetParam().read);
    ASSERT_FALSE(bursts.empty());
    EXPECT_DOUBLE_EQ(bursts[0].delayMs, unit.faults.replyDelayMs);
    EXPECT_EQ(sent(bursts), GetParam().reply);
    EXPECT_EQ(sent(bursts).size(), 50u);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, UnitRows,
    testing::Values(
        RowCase{"client", "C00000" + kHeader + "\r", "a00000\r",
                "43 4C 49 45 4E 54 20 31 " + blanks(8) + "\r\n"},
        RowCase{"site", "C00000" + kHeader + "\r", "a00010\r",
                "53 49 54 45 20 20 30 31 " + blanks(8) + "\r\n"},
        RowCase{"tube", "C00000" + kHeader + "\r", "a00020\r", "54 30 31 20 " + blanks(12) + "\r\n"},
        RowCase{"depth", "C00000" + kHeader + "\r", "a00030\r", "30 33 30 35 " + blanks(12) + "\r\n"},
        RowCase{"step", "C00000" + kHeader + "\r", "a00040\r", "30 " + blanks(15) + "\r\n"},
        RowCase{"guides", "C00000" + kHeader + "\r", "a00050\r", "34 " + blanks(15) + "\r\n"},
        RowCase{"north", "C00000" + kHeader + "\r", "a00060\r", "2B 30 34 35 " + blanks(12) + "\r\n"},
        RowCase{"readout", "C00000" + kHeader + "\r", "a00070\r", "30 31 " + blanks(14) + "\r\n"},
        RowCase{"date", "C00000" + kHeader + "\r", "a00080\r", "32 33 30 34 32 34 " + blanks(10) + "\r\n"},
        RowCase{"time", "C00000" + kHeader + "\r", "a00090\r", "31 30 33 30 30 30 " + blanks(10) + "\r\n"},
        RowCase{"last block", "C1D000" + kHeader + "\r", "a1D000\r",
                "43 4C 49 45 4E 54 20 31 " + blanks(8) + "\r\n"},
        RowCase{"cell", "b000F033\rb000F5FF\r", "a000F0\r",
                "33 00 00 00 00 FF 00 00 00 00 00 00 00 00 00 00 \r\n"},
        RowCase{"last cell", "b1DFFFAB\r", "a1DFF0\r",
                "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 AB \r\n"},
        RowCase{"untouched", "", "a05550\r",
                "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 \r\n"}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST(Unit, HeaderTextReadsBackWhatWasWritten)
{
    Unit unit;
    unit.receive("C07000" + kHeader + "\r");
    EXPECT_EQ(unit.headerText(8), kHeader);
    EXPECT_NE(unit.headerText(7), kHeader);
    EXPECT_NE(unit.headerText(9), kHeader);
}

TEST(Unit, ZeroGainIsKeptInPageZeroAwayFromHeaderAndSettings)
{
    Unit unit;
    unit.receive("C00000" + kHeader + "\rb000F033\r");
    const auto before = unit.memory();
    unit.receive("D00000+1.2345-0.0012+0.9876+0.04563\r");

    int changedBelowA0 = 0, changedInPage0 = 0, changedElsewhere = 0;
    for (int i = 0; i < Unit::kMemorySize; ++i) {
        if (before[i] == unit.memory()[i])
            continue;
        if (i < 0xA0)
            ++changedBelowA0;
        else if (i < 0xF0)
            ++changedInPage0;
        else
            ++changedElsewhere;
    }
    EXPECT_EQ(changedBelowA0, 0);
    EXPECT_EQ(changedElsewhere, 0);
    EXPECT_GE(changedInPage0, 20);
    const std::string page(reinterpret_cast<const char*>(&unit.memory()[0xA0]), 0x50);
    for (const char* part : {"+1.2345", "-0.0012", "+0.9876", "+0.0456"})
        EXPECT_NE(page.find(part), std::string::npos) << part;
    EXPECT_EQ(unit.headerText(1), kHeader);
}

TEST(Unit, ClockSetByGReadsBackByH)
{
    Unit unit;
    EXPECT_TRUE(unit.receive("G240229235958\r").empty());
    const auto bursts = unit.receive("H\r");
    EXPECT_EQ(sent(bursts), "240229235958\r\n");
}

TEST(Unit, LineSplitOverManyCallsIsOneCommand)
{
    Unit unit;
    const std::string line = "C00000" + kHeader + "\r";
    for (char c : line)
        EXPECT_TRUE(unit.receive(std::string(1, c)).empty());
    EXPECT_EQ(unit.headerText(1), kHeader);
    EXPECT_EQ(unit.commands(), std::vector<std::string>{"C00000" + kHeader});
}

TEST(Unit, SeveralLinesInOneCallAreAnsweredInOrder)
{
    Unit unit;
    unit.setClock("010203040506");
    const auto bursts = unit.receive("}b00000AA\r}a00000\r}H\r\n");
    ASSERT_EQ(bursts.size(), 5u);
    EXPECT_EQ(bursts[0].bytes, "!");
    EXPECT_EQ(bursts[1].bytes, "!");
    EXPECT_EQ(bursts[2].bytes.substr(0, 3), "AA ");
    EXPECT_EQ(bursts[3].bytes, "!");
    EXPECT_EQ(bursts[4].bytes, "010203040506\r\n");
    EXPECT_EQ(unit.log(), (std::vector<std::string>{"}", "b00000AA", "}", "a00000", "}", "H"}));
    EXPECT_EQ(unit.commands(), (std::vector<std::string>{"b00000AA", "a00000", "H"}));
}

TEST(Unit, WakeCharacterInsideALineIsText)
{
    Unit unit;
    const std::string header = "CLIENT }" + kHeader.substr(8);
    const auto bursts = unit.receive("C00000" + header + "\r");
    EXPECT_TRUE(bursts.empty());
    EXPECT_EQ(unit.headerText(1), header);
    EXPECT_EQ(unit.log(), std::vector<std::string>{"C00000" + header});
}

TEST(Unit, LineFeedsBetweenLinesAreIgnored)
{
    Unit unit;
    EXPECT_EQ(unit.receive("\nH\r\n\nH\r").size(), 2u);
    EXPECT_EQ(unit.log(), (std::vector<std::string>{"H", "H"}));
}

class UnitMalformed : public testing::TestWithParam<std::string> {};

TEST_P(UnitMalformed, IsLoggedButChangesAndAnswersNothing)
{
    Unit unit;
    unit.setClock("240101120000");
    const auto memory = unit.memory();
    EXPECT_TRUE(unit.receive(GetParam() + "\r").empty());
    EXPECT_EQ(unit.log(), std::vector<std::string>{GetParam()});
    EXPECT_EQ(unit.memory(), memory);
    EXPECT_EQ(unit.clockText(), "240101120000");
    // The unit still understands the next good line.
    EXPECT_EQ(sent(unit.receive("}")), "!");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, UnitMalformed,
    testing::Values("x12345", "A00000", "a0000", "a000000", "a0000G", "a0000f", "a1E000", "aFFFFF",
                    "b000F03", "b000F0333", "b000FZ33", "b1E00033", "b000F03g", "C00100" + kHeader,
                    "C1E000" + kHeader, "C00000" + kHeader.substr(1), "C00000" + kHeader + " ", "c00000" + kHeader,
                    "D01000+1.0000+0.0000+1.0000+0.0000", "D00800+1.0000+0.0000+1.0000+0.00000",
                    "G2401011200", "G241301120000", "G240230120000", "G240101240000", "G24010112000A", "H1", "h"));

struct FaultCase {
    const char* name;
    Faults faults;
    std::string input;
    std::vector<Burst> expected;
};

Faults withFaults(auto change)
{
    Faults f;
    f.wakeDelayMs = 2;
    f.replyDelayMs = 5;
    change(f);
    return f;
}

const std::string kClockReply = "240101120000\r\n";

class UnitFaults : public testing::TestWithParam<FaultCase> {};

TEST_P(UnitFaults, ShapeWhatIsSent)
{
    Unit unit;
    unit.setClock("240101120000");
    unit.faults = GetParam().faults;
    const auto bursts = unit.receive(GetParam().input);
    ASSERT_EQ(bursts.size(), GetParam().expected.size()) << sent(bursts);
    for (size_t i = 0; i < bursts.size(); ++i) {
        EXPECT_EQ(bursts[i].bytes, GetParam().expected[i].bytes) << i;
        EXPECT_DOUBLE_EQ(bursts[i].delayMs, GetParam().expected[i].delayMs) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, UnitFaults,
    testing::Values(
        FaultCase{"healthy", withFaults([](Faults&) {}), "}H\r", {{2, "!"}, {5, kClockReply}}},
        FaultCase{"silent", withFaults([](Faults& f) { f.silent = true; }), "}H\r}a00000\r", {}},
        FaultCase{"answer_two_wakes", withFaults([](Faults& f) { f.answerWakes = 2; }), "}H\r}H\r}H\r}",
                  {{2, "!"}, {5, kClockReply}, {2, "!"}, {5, kClockReply}}},
        FaultCase{"answer_no_wake", withFaults([](Faults& f) { f.answerWakes = 0; }), "}H\r", {}},
        FaultCase{"refused_wakes", withFaults([](Faults& f) { f.refusedWakes = {2, 3}; }), "}}}}",
                  {{2, "!"}, {2, "!x"}, {2, "!x"}, {2, "!"}}},
        FaultCase{"wake_extra", withFaults([](Faults& f) { f.wakeExtra = "\r\n"; f.wakeDelayMs = 9; }), "}",
                  {{9, "!\r\n"}}},
        FaultCase{"cut", withFaults([](Faults& f) { f.cutReplyAt = 5; }), "H\r", {{5, "24010"}}},
        FaultCase{"cut_to_nothing", withFaults([](Faults& f) { f.cutReplyAt = 0; }), "H\r", {}},
        FaultCase{"cut_beyond_reply", withFaults([](Faults& f) { f.cutReplyAt = 99; }), "H\r",
                  {{5, kClockReply}}},
        FaultCase{"split", withFaults([](Faults& f) { f.splitParts = 3; f.splitGapMs = 7; }), "H\r",
                  {{5, "24010"}, {7, "11200"}, {7, "00\r\n"}}},
        FaultCase{"cut_then_split",
                  withFaults([](Faults& f) {
                      f.cutReplyAt = 4;
                      f.splitParts = 2;
                      f.splitGapMs = 1;
                  }),
                  "H\r", {{5, "24"}, {1, "01"}}},
        FaultCase{"noise", withFaults([](Faults& f) { f.noiseAfterReply = "ZZ"; }), "H\r",
                  {{5, kClockReply}, {0, "ZZ"}}},
        FaultCase{"noise_not_after_wake", withFaults([](Faults& f) { f.noiseAfterReply = "ZZ"; }), "}", {{2, "!"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UnitFaults, SilentUnitStillLogsAndStores)
{
    Unit unit;
    unit.faults.silent = true;
    EXPECT_TRUE(unit.receive("}b00010AB\rG991231235959\r").empty());
    EXPECT_EQ(unit.memory()[0x10], 0xAB);
    EXPECT_EQ(unit.clockText(), "991231235959");
    EXPECT_EQ(unit.log(), (std::vector<std::string>{"}", "b00010AB", "G991231235959"}));
}

TEST(UnitFaults, UnitFallenSilentStillLogs)
{
    Unit unit;
    unit.faults.answerWakes = 1;
    unit.receive("}b00010AB\r}b00011CD\r");
    EXPECT_EQ(unit.memory()[0x10], 0xAB);
    EXPECT_EQ(unit.memory()[0x11], 0x00) << "commands after the last answered wake are not carried out";
    EXPECT_EQ(unit.log(), (std::vector<std::string>{"}", "b00010AB", "}", "b00011CD"}));
}

struct ClockCase {
    std::string start;
    double seconds;
    std::string expected;
};

class UnitClock : public testing::TestWithParam<ClockCase> {};

TEST_P(UnitClock, AdvancesAcrossTheCalendar)
{
    Unit unit;
    unit.setClock(GetParam().start);
    ASSERT_EQ(unit.clockText(), GetParam().start);
    unit.advanceClock(GetParam().seconds);
    EXPECT_EQ(unit.clockText(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rollover, UnitClock,
    testing::Values(ClockCase{"240101120000", 0, "240101120000"}, ClockCase{"240101120000", 0.999, "240101120000"},
                    ClockCase{"240101125959", 1, "240101130000"}, ClockCase{"240101235959", 1, "240102000000"},
                    ClockCase{"240131235959", 1, "240201000000"}, ClockCase{"240228235959", 1, "240229000000"},
                    ClockCase{"240229235959", 1, "240301000000"}, ClockCase{"230228235959", 1, "230301000000"},
                    ClockCase{"000228235959", 1, "000229000000"}, ClockCase{"240430235959", 1, "240501000000"},
                    ClockCase{"241231235959", 1, "250101000000"}, ClockCase{"991231235959", 1, "000101000000"},
                    ClockCase{"240115000000", 366.0 * 86400, "250115000000"},
                    ClockCase{"230115000000", 365.0 * 86400, "240115000000"},
                    ClockCase{"240101000000", 3 * 3600 + 25 * 60 + 45, "240101032545"}),
    [](const auto& info) {
        return info.param.start + "_plus_" + std::to_string(std::llround(info.param.seconds * 1000)) + "ms";
    });

TEST(UnitClock, FractionsOfSecondsAccumulate)
{
    Unit unit;
    unit.setClock("240101120000");
    for (int i = 0; i < 10; ++i)
        unit.advanceClock(0.25);
    EXPECT_EQ(unit.clockText(), "240101120002");
}

TEST(UnitClock, ImpossibleTimesAreIgnored)
{
    Unit unit;
    unit.setClock("240101120000");
    for (const char* bad : {"230229000000", "240230000000", "240431000000", "241301000000", "240001000000",
                            "240100000000", "240101240000", "240101126000", "240101120060", "24010112000",
                            "2401011200000", "24O101120000"}) {
        unit.setClock(bad);
        EXPECT_EQ(unit.clockText(), "240101120000") << bad;
    }
}

class UnitImage : public testing::Test {
protected:
    void TearDown() override { std::filesystem::remove(path); }
    std::string path = testing::TempDir() + "unit_image_" + std::to_string(getpid()) + ".bin";
};

TEST_F(UnitImage, SaveAndLoadRoundTrip)
{
    Unit a;
    for (int i = 0; i < Unit::kMemorySize; ++i)
        a.memory()[i] = uint8_t(i * 7 + i / 256);
    ASSERT_TRUE(a.saveImage(path));
    EXPECT_EQ(std::filesystem::file_size(path), uintmax_t(Unit::kMemorySize));
    Unit b;
    ASSERT_TRUE(b.loadImage(path));
    EXPECT_EQ(a.memory(), b.memory());
}

TEST_F(UnitImage, WrongSizeOrMissingFileIsRefused)
{
    Unit unit;
    unit.memory()[5] = 0x42;
    const auto memory = unit.memory();
    for (size_t size : {size_t(0), size_t(Unit::kMemorySize - 1), size_t(Unit::kMemorySize + 1)}) {
        std::ofstream(path, std::ios::binary) << std::string(size, 'Z');
        EXPECT_FALSE(unit.loadImage(path)) << size;
        EXPECT_EQ(unit.memory(), memory) << size;
    }
    std::filesystem::remove(path);
    EXPECT_FALSE(unit.loadImage(path));
}

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int signedWord(const Unit& unit, int address)
{
    const int word = unit.memory()[address] << 8 | unit.memory()[address + 1];
    return (word & 0x8000) ? (word & 0x7FFF) : -(word & 0x7FFF);
}

TEST(UnitDemo, EveryBlockHasAPlausibleHeaderAndReadings)
{
    Unit unit;
    unit.fillDemo();
    EXPECT_EQ(unit.memory()[0xF0], '3');
    std::set<char> steps, guides;
    bool positive = false, negative = false;
    for (int n = 1; n <= Unit::kBlocks; ++n) {
        SCOPED_TRACE("block " + std::to_string(n));
        const std::string h = unit.headerText(n);
        ASSERT_EQ(h.size(), 44u);
        const std::string client = h.substr(0, 8), depth = h.substr(20, 4), north = h.substr(26, 4);
        EXPECT_TRUE(std::all_of(client.begin(), client.end(),
                                [](char c) { return c == ' ' || std::isupper(c) || std::isdigit(c); }))
            << client;
        EXPECT_NE(client, "        ");
        EXPECT_TRUE(allDigits(depth)) << depth;
        EXPECT_TRUE(h[24] == '0' || h[24] == '1') << h;
        EXPECT_TRUE(h[25] == '2' || h[25] == '4') << h;
        EXPECT_TRUE((north[0] == '+' || north[0] == '-') && allDigits(north.substr(1))) << north;
        EXPECT_TRUE(allDigits(h.substr(30, 2)));
        const std::string date = h.substr(32, 6), time = h.substr(38, 6);
        ASSERT_TRUE(allDigits(date) && allDigits(time)) << date << time;
        EXPECT_TRUE(std::stoi(date.substr(0, 2)) >= 1 && std::stoi(date.substr(0, 2)) <= 31) << date;
        EXPECT_TRUE(std::stoi(date.substr(2, 2)) >= 1 && std::stoi(date.substr(2, 2)) <= 12) << date;
        EXPECT_LT(std::stoi(time.substr(0, 2)), 24);
        EXPECT_LT(std::stoi(time.substr(2, 2)), 60);
        EXPECT_LT(std::stoi(time.substr(4, 2)), 60);
        steps.insert(h[24]);
        guides.insert(h[25]);

        const int tenths = std::stoi(depth);
        const int stepTenths = h[24] == '1' ? 10 : 5;
        EXPECT_GE(tenths, 50);
        EXPECT_EQ(tenths % stepTenths, 0);
        const int rows = tenths / stepTenths;
        ASSERT_LE(rows, 240);
        const int words = h[25] == '4' ? 8 : 4;
        const int base = (n - 1) * Unit::kBlockSize + 0x100;
        for (int w = 0; w < words; ++w) {
            int lowest = 32767, highest = -32767;
            for (int r = 0; r < rows; ++r) {
                const int v = signedWord(unit, base + r * 16 + 2 * w);
                lowest = std::min(lowest, v);
                highest = std::max(highest, v);
                positive |= v > 0;
                negative |= v < 0;
                if (r > 0) {
                    EXPECT_LT(std::abs(v - signedWord(unit, base + (r - 1) * 16 + 2 * w)), 400)
                        << "row " << r << " word " << w;
                }
            }
            EXPECT_GT(highest - lowest, 100) << "word " << w << " hardly varies";
            EXPECT_GT(std::max(std::abs(lowest), std::abs(highest)), 300) << "word " << w;
        }
    }
    EXPECT_EQ(steps, (std::set<char>{'0', '1'}));
    EXPECT_EQ(guides, (std::set<char>{'2', '4'}));
    EXPECT_TRUE(positive && negative);
}

TEST(UnitDemo, IsTheSameEveryTimeAndLogsNothing)
{
    Unit a, b;
    a.fillDemo();
    b.memory()[0x500] = 0x77;
    b.fillDemo();
    EXPECT_EQ(a.memory(), b.memory());
    EXPECT_TRUE(a.log().empty());
}

} // namespace
} // namespace tarvelon::sim
