#include "blocks/modges1.h"

#include <gtest/gtest.h>

using tarvelon::MODGES1::convertReading;

TEST(Modges1Test, WordsBecomeSignedReadings)
{
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        // Bit 15 set is positive; there is no two's complement.
        {"8000", "+00000"}, {"0000", "-00000"}, {"8001", "+00001"}, {"0001", "-00001"},
        {"80FF", "+00255"}, {"8123", "+00291"}, {"0123", "-00291"}, {"83E8", "+01000"},
        {"03E8", "-01000"}, {"12A4", "-04772"}, {"4E20", "-20000"}, {"C350", "+17232"},
        {"7FFF", "-32767"}, {"FFFF", "+32767"},
        // Only the first four characters count.
        {"8123ABCD", "+00291"}, {"8123zz", "+00291"},
        // Lower case is read as its value.
        {"ffff", "+32767"}, {"c350", "+17232"}, {"7fFf", "-32767"},
        // A word too short, or holding anything but hexadecimal digits, has no reading.
        {"812", ""}, {"", ""}, {"8G00", ""}, {" 800", ""}, {"80 0", ""}, {"-001", ""}, {"800:", ""},
        {"@000", ""}, {"80\xC9" "0", ""},
    };
    for (const Case& c : cases) {
        std::string out = "stale";
        convertReading(c.in, out);
        EXPECT_EQ(out, c.out) << '"' << c.in << '"';
    }
}

TEST(Modges1Test, ConvertsWhenInputAndOutputAreOneText)
{
    std::string text = "83E8";
    convertReading(text, text);
    EXPECT_EQ(text, "+01000");
}
