#include "platform/cp1252.h"
#include "platform/record_file.h"
#include "support/harness.h"

#include <gtest/gtest.h>

using namespace tarvelon;
using namespace tarvelon::test;

TEST(RecordFile, RecordsLieAtTheirOffsetsAndAreBlankPadded)
{
    TempDir dir;
    const std::string path = dir.file("f.dat");
    {
        RecordFile f(path, 5);
        ASSERT_TRUE(f.isOpen());
        EXPECT_TRUE(f.write(3, "ab"));
        EXPECT_TRUE(f.write(1, "abcdefgh"));
        EXPECT_EQ(f.count(), 3);
        std::string r;
        ASSERT_TRUE(f.read(3, r));
        EXPECT_EQ(r, "ab   ");
        EXPECT_FALSE(f.read(4, r));
    }
    const std::string bytes = readFile(path);
    ASSERT_EQ(bytes.size(), 15u);
    EXPECT_EQ(bytes.substr(0, 5), "abcde");
    EXPECT_EQ(bytes.substr(10), "ab   ");
}

TEST(RecordFile, WrittenRecordsAreOnDiskBeforeTheFileCloses)
{
    TempDir dir;
    RecordFile f(dir.file("w.dat"), 4);
    f.write(1, "1234");
    EXPECT_EQ(readFile(dir.file("w.dat")), "1234");
}

TEST(RecordFile, FailuresAreReportedNotThrown)
{
    TempDir dir;
    RecordFile missingFolder(dir.file("no/such/file"), 4);
    EXPECT_FALSE(missingFolder.isOpen());
    EXPECT_FALSE(missingFolder.write(1, "x"));
    std::string r;
    EXPECT_FALSE(missingFolder.read(1, r));
    EXPECT_EQ(missingFolder.count(), 0);
    EXPECT_TRUE(removeFile(dir.file("absent")));
    std::filesystem::create_directory(dir.file("sub"));
    EXPECT_FALSE(removeFile(dir.file("sub")));
}

TEST(Cp1252, EveryCharacterBecomesOneByte)
{
    EXPECT_EQ(toCp1252(U"Profondità;S1;S2"), "Profondit\xE0;S1;S2");
    EXPECT_EQ(toCp1252(U"\u20AC\u00B0"), "\x80\xB0");
    EXPECT_EQ(toCp1252(U"\U0001F600\u05D0\u4E2D"), "???");
    for (int b = 0; b < 256; ++b) {
        const char32_t c = fromCp1252(static_cast<unsigned char>(b));
        EXPECT_EQ(static_cast<unsigned char>(toCp1252(c)), b) << b;
    }
}
