#include "link/block.h"
#include "link/commands.h"
#include "link/header_file.h"
#include "link/header_record.h"
#include "support/fake_form.h"
#include "support/harness.h"

#include <gtest/gtest.h>

using namespace tarvelon;
using namespace tarvelon::test;

namespace {
const std::string kDefaultBlock1 =
    "CLIENT 1SITE0000T   000012+00000DDMMYY  hhmmss  0+1.0000+1.0000+0.0000+0.0000";
}

TEST(HeaderRecord, DefaultHeaderBytesAreExact)
{
    EXPECT_EQ(defaultHeader(1).bytes(), kDefaultBlock1);
    EXPECT_EQ(defaultHeader(1).bytes().size(), 77u);
    EXPECT_EQ(defaultHeader(9).get(HeaderRecord::Client), "CLIENT 9");
    EXPECT_EQ(defaultHeader(10).get(HeaderRecord::Client), "CLIENT10");
    EXPECT_EQ(defaultHeader(30).get(HeaderRecord::Client), "CLIENT30");
}

TEST(HeaderRecord, ValuesAreCutOrBlankPadded)
{
    HeaderRecord r;
    r.set(HeaderRecord::Client, "AB");
    EXPECT_EQ(r.get(HeaderRecord::Client), "AB      ");
    r.set(HeaderRecord::Tube, "TOOLONG");
    EXPECT_EQ(r.get(HeaderRecord::Tube), "TOOL");
    EXPECT_EQ(r.bytes().size(), 77u);
}

TEST(HeaderRecord, ReadsAnyLengthOfBytesAsAFullRecord)
{
    for (std::string bytes : {std::string(), std::string("AB"), std::string(200, 'x'), std::string("\0\0\0", 3)}) {
        HeaderRecord r = HeaderRecord::fromBytes(bytes);
        EXPECT_EQ(r.bytes().size(), 77u);
    }
    EXPECT_EQ(HeaderRecord::fromBytes(kDefaultBlock1), defaultHeader(1));
}

TEST(HeaderWindow, RecordToWindowSplitsDepthAndCutsDateAndTime)
{
    FakeForm form;
    HeaderRecord r = defaultHeader(1);
    r.set(HeaderRecord::Depth, "0995");
    form.setText("Text18", "keep");
    recordToWindow(r, form, FieldSet::Header);
    EXPECT_EQ(form.text("Text6"), "099");
    EXPECT_EQ(form.text("Text13"), "5");
    EXPECT_EQ(form.text("Text11"), "DDMMYY");
    EXPECT_EQ(form.text("Text12"), "hhmmss");
    EXPECT_EQ(form.text("Text18"), "keep") << "the ten-field variant leaves gains alone";
    recordToWindow(r, form, FieldSet::All);
    EXPECT_EQ(form.text("Text18"), "+1.0000");
    EXPECT_EQ(form.text("Text22"), "0");
}

TEST(HeaderWindow, WindowToRecordJoinsDepthAndKeepsUntouchedFields)
{
    FakeForm form;
    recordToWindow(defaultHeader(4), form, FieldSet::All);
    form.setText("Text6", "100");
    form.setText("Text13", "5");
    form.setText("Text18", "+2.0000");
    HeaderRecord r = defaultHeader(1);
    windowToRecord(form, r, FieldSet::Header);
    EXPECT_EQ(r.get(HeaderRecord::Depth), "1005");
    EXPECT_EQ(r.get(HeaderRecord::Client), "CLIENT 4");
    EXPECT_EQ(r.get(HeaderRecord::Date), "DDMMYY  ");
    EXPECT_EQ(r.get(HeaderRecord::Gain1), "+1.0000");
    windowToRecord(form, r, FieldSet::All);
    EXPECT_EQ(r.get(HeaderRecord::Gain1), "+2.0000");
}

TEST(HeaderLine, DefaultHeaderOfBlockOneIsFiftyCharactersAndACarriageReturn)
{
    FakeForm form;
    recordToWindow(defaultHeader(1), form, FieldSet::All);
    const std::string line = cmd::writeHeader(*blockCode(1), headerText(form));
    EXPECT_EQ(line, "C00000CLIENT 1SITE0000T   000012+00000DDMMYYhhmmss\r");
    EXPECT_EQ(line.size(), 51u);
}

TEST(HeaderFile, DefaultsFillThirtyRecordsOfSeventySevenBytes)
{
    TempDir dir;
    HeaderFile file(dir.file("intestazione"));
    ASSERT_TRUE(file.writeDefaults());
    const std::string bytes = readFile(file.path());
    ASSERT_EQ(bytes.size(), 2310u);
    EXPECT_EQ(bytes.substr(0, 77), kDefaultBlock1);
    EXPECT_EQ(bytes.substr(2233, 8), "CLIENT30");
    for (int k = 1; k <= 30; ++k)
        EXPECT_EQ(bytes.substr(static_cast<size_t>(k - 1) * 77, 77), defaultHeader(k).bytes()) << k;
}

TEST(HeaderFile, LongerFileKeepsItsLengthAndTail)
{
    TempDir dir;
    const std::string path = dir.file("intestazione");
    writeFile(path, std::string(3000, 'z'));
    ASSERT_TRUE(HeaderFile(path).writeDefaults());
    const std::string bytes = readFile(path);
    ASSERT_EQ(bytes.size(), 3000u);
    EXPECT_EQ(bytes.substr(0, 8), "CLIENT 1");
    EXPECT_EQ(bytes.substr(2310), std::string(690, 'z'));
}

TEST(HeaderFile, RecordRoundTripAndMissingRecords)
{
    TempDir dir;
    HeaderFile file(dir.file("intestazione"));
    file.writeDefaults();
    HeaderRecord r = defaultHeader(7);
    r.set(HeaderRecord::Client, "AB");
    ASSERT_TRUE(file.write(7, r));
    HeaderRecord back;
    ASSERT_TRUE(file.read(7, back));
    EXPECT_EQ(back.get(HeaderRecord::Client), "AB      ");
    EXPECT_FALSE(file.read(31, back));
    EXPECT_FALSE(file.read(0, back));
}

TEST(HeaderFile, AFolderInPlaceOfTheFileFailsWithoutHarm)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("intestazione"));
    HeaderFile file(dir.file("intestazione"));
    EXPECT_FALSE(file.writeDefaults());
    HeaderRecord r;
    EXPECT_FALSE(file.read(1, r));
}

TEST(StartUp, RebuildsTheHeaderFileAndShowsBlockOne)
{
    Harness h;
    writeFile(h.state.headerFilePath, std::string(77, 'q'));
    h.state.currentBlock = 9;
    h.state.portNumber = 3;
    h.startUp();
    EXPECT_EQ(readFile(h.state.headerFilePath).size(), 2310u);
    EXPECT_EQ(h.state.currentBlock, 1);
    EXPECT_EQ(h.state.portNumber, 1);
    EXPECT_EQ(h.form.text("Text2"), "01");
    EXPECT_EQ(h.form.text("Text3"), "CLIENT 1");
    EXPECT_EQ(h.form.text("Text11"), "DDMMYY");
    EXPECT_EQ(h.form.text("Text12"), "hhmmss");
    EXPECT_EQ(h.form.text("Text15"), h.state.headerFilePath);
    EXPECT_EQ(h.state.record, defaultHeader(1));
    EXPECT_TRUE(h.form.isEnabled("Command6"));
}
