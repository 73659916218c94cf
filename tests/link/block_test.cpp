#include "link/block.h"
#include "link/commands.h"

#include <gtest/gtest.h>

using namespace tarvelon;

TEST(BlockCode, CodesAndAddressesOfEveryKindOfBlock)
{
    struct Case {
        int block;
        const char* code;
        const char* address;
    };
    for (const Case& c : {Case{1, "00", "00000"}, Case{10, "09", "09000"}, Case{11, "0A", "0A000"},
                          Case{16, "0F", "0F000"}, Case{17, "10", "10000"}, Case{30, "1D", "1D000"}}) {
        SCOPED_TRACE(c.block);
        EXPECT_EQ(blockCode(c.block), c.code);
        EXPECT_EQ(blockAddress(c.block), c.address);
    }
}

TEST(BlockCode, NumbersOutsideTheUnitHaveNoCode)
{
    for (int n : {-1, 0, 31, 99})
        EXPECT_FALSE(blockCode(n).has_value()) << n;
}

TEST(NumericValue, ReadsTheNumberAtTheStartOfTheText)
{
    struct Case {
        const char* text;
        double value;
    };
    for (const Case& c : {Case{"", 0}, Case{"ab", 0}, Case{"7", 7}, Case{"07", 7}, Case{" 12x", 12},
                          Case{"-3", -3}, Case{"+4", 4}, Case{"100.5", 100.5}, Case{"3,5", 3}, Case{".5", 0.5},
                          Case{"1 2", 1}}) {
        EXPECT_DOUBLE_EQ(numericValue(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(BlockNumber, OnlyWholeNumbersFromOneToThirty)
{
    EXPECT_EQ(blockNumberOf("01"), 1);
    EXPECT_EQ(blockNumberOf("30"), 30);
    EXPECT_EQ(blockNumberOf("7"), 7);
    for (const char* bad : {"", "0", "31", "ab", "1.5", "-1"})
        EXPECT_FALSE(blockNumberOf(bad).has_value()) << bad;
}

TEST(Commands, LinesAreUpperCaseAndEndInOneCarriageReturn)
{
    EXPECT_EQ(cmd::readRow("0A", "0", "90"), "a0A090\r");
    EXPECT_EQ(cmd::writeHeader("1D", "X"), "C1D000X\r");
    EXPECT_EQ(cmd::writeZeroGain("00", "+1.0000+0.0000+1.0000+0.00000"), "D00000+1.0000+0.0000+1.0000+0.00000\r");
    EXPECT_EQ(cmd::writeDelay(3), "b000F033\r");
    EXPECT_EQ(cmd::writeDelay(9), "b000F039\r");
    EXPECT_EQ(cmd::writeClock("241231175930"), "G241231175930\r");
    EXPECT_EQ(twoDigits(7), "07");
    EXPECT_EQ(twoDigits(30), "30");
}
