#include "blocks/header_entry.h"
#include "link/header_file.h"
#include "support/harness.h"

#include <functional>

#include <gtest/gtest.h>

using namespace tarvelon;
using namespace tarvelon::test;

namespace {

struct EntryTest : ::testing::Test {
    EntryTest() { h.startUp(); }
    Harness h;
};

} // namespace

TEST_F(EntryTest, BlockNumberChecksOnlyWarn)
{
    struct Case {
        const char* text;
        const char* message; // nullptr: accepted
    };
    for (const Case& c : {Case{"", "Attention: Insert block number"}, Case{"0", "Attention: Incorrect block number"},
                          Case{"31", "Attention: Incorrect block number"}, Case{"99", "Attention: Incorrect block number"},
                          Case{"ab", "Attention: Incorrect block number"}, Case{"1", nullptr}, Case{"30", nullptr},
                          Case{"07", nullptr}}) {
        for (const char* box : {"Text2", "numblocco"}) {
            Harness h;
            h.form.setText(box, c.text);
            EXPECT_EQ(checkBlockNumber(h.ctx, box), c.message == nullptr) << box << " " << c.text;
            ASSERT_EQ(h.messages.shown.size(), c.message ? 1u : 0u) << c.text;
            if (c.message) {
                EXPECT_EQ(h.messages.shown[0].text, c.message);
                EXPECT_EQ(h.messages.shown[0].icon, Icon::Error);
            }
            EXPECT_EQ(h.form.text(box), c.text) << "the box keeps what was typed";
        }
    }
}

TEST_F(EntryTest, TextFieldsArePaddedCutAndUpperCased)
{
    struct Case {
        const char* box;
        std::string typed;
        std::string expected;
    };
    for (const Case& c : {Case{"Text3", "ab", "AB      "}, Case{"Text3", "abcdefgh", "ABCDEFGH"},
                          Case{"Text4", "", "        "}, Case{"Text5", "t1", "T1  "}, Case{"Text5", "t 9z", "T 9Z"},
                          // Windows-1252 letters: à becomes À, ß and µ have no one-byte upper case.
                          Case{"Text3", "\xE0\xDF\xB5\x9A\xFF", "\xC0\xDF\xB5\x8A\x9F   "}}) {
        h.form.setText(c.box, c.typed);
        leaveTextField(h.ctx, c.box);
        EXPECT_EQ(h.form.text(c.box), c.expected) << c.box << " " << c.typed;
    }
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(EntryTest, DepthIsPaddedAndLimitedByStep)
{
    struct Case {
        const char* step;
        const char* metres;
        const char* tenths;
        bool leaveTenths;
        const char* metresAfter;
        const char* tenthsAfter;
        size_t messages;
    };
    for (const Case& c : {
             Case{"1", "7", "0", false, "007", "0", 0},
             Case{"1", "", "0", false, "000", "0", 0},
             Case{"0", "100", "5", true, "100", "0", 1},  // 100.5 m at 0.5 m steps
             Case{"0", "100", "0", true, "100", "0", 0},  // 100.0 m is the limit itself
             Case{"1", "200", "5", true, "200", "0", 1},  // 200.5 m at 1 m steps
             Case{"1", "150", "0", false, "150", "0", 0},
             Case{"1", "199", "5", true, "199", "5", 0},
             Case{"0", "150", "0", false, "100", "0", 1},
             Case{"1", "050", "x", true, "050", "0", 1},  // tenths from the unit
             Case{"1", "250", "x", true, "200", "0", 2},  // tenths message, then depth message
         }) {
        Harness h;
        h.form.setText("Text7", c.step);
        h.form.setText("Text6", c.metres);
        h.form.setText("Text13", c.tenths);
        c.leaveTenths ? leaveDepthTenths(h.ctx) : leaveDepthMetres(h.ctx);
        SCOPED_TRACE(std::string(c.step) + " " + c.metres + "." + c.tenths);
        EXPECT_EQ(h.form.text("Text6"), c.metresAfter);
        EXPECT_EQ(h.form.text("Text13"), c.tenthsAfter);
        ASSERT_EQ(h.messages.shown.size(), c.messages);
        for (const auto& m : h.messages.shown)
            EXPECT_EQ(m.text, "Attention: Invalid DEPTH value");
    }
}

TEST_F(EntryTest, TenthsToggleAndReadoutNumberPadding)
{
    h.form.setText("Text13", "0");
    toggleDepthTenths(h.ctx);
    EXPECT_EQ(h.form.text("Text13"), "5");
    toggleDepthTenths(h.ctx);
    EXPECT_EQ(h.form.text("Text13"), "0");
    for (auto [typed, expected] : {std::pair{"7", "07"}, std::pair{"", "00"}, std::pair{"12", "12"}}) {
        h.form.setText("Text10", typed);
        leaveReadoutNumber(h.ctx);
        EXPECT_EQ(h.form.text("Text10"), expected);
    }
}

TEST_F(EntryTest, PlusStoresTheShownHeaderAndShowsTheNextRecord)
{
    h.form.setText("Text3", "EDITED  ");
    h.form.setText("Text18", "+2.0000");
    nextHeader(h.ctx);
    EXPECT_EQ(h.state.currentBlock, 2);
    EXPECT_EQ(h.form.text("Text2"), "02");
    EXPECT_EQ(h.form.text("Text3"), "CLIENT 2");
    EXPECT_EQ(h.form.text("Text18"), "+2.0000") << "zero/gain boxes keep their text";
    HeaderRecord r;
    ASSERT_TRUE(h.headerFile().read(1, r));
    EXPECT_EQ(r.get(HeaderRecord::Client), "EDITED  ");
    EXPECT_EQ(r.get(HeaderRecord::Gain1), "+2.0000");
}

TEST_F(EntryTest, StepsStopAtBothEnds)
{
    previousHeader(h.ctx);
    EXPECT_EQ(h.form.text("Text2"), "01");
    EXPECT_EQ(h.form.text("Text3"), "CLIENT 1");
    for (int i = 0; i < 35; ++i)
        nextHeader(h.ctx);
    EXPECT_EQ(h.state.currentBlock, 30);
    EXPECT_EQ(h.form.text("Text2"), "30");
    h.form.setText("Text3", "LAST    ");
    nextHeader(h.ctx);
    EXPECT_EQ(h.form.text("Text3"), "LAST    ") << "record 30 saved and shown again";
    EXPECT_EQ(readFile(h.state.headerFilePath).size(), 2310u);

    for (int i = 0; i < 3; ++i)
        previousDownloadBlock(h.ctx);
    EXPECT_EQ(h.form.text("numblocco"), "01");
    h.form.setText("numblocco", "12");
    nextDownloadBlock(h.ctx);
    EXPECT_EQ(h.form.text("numblocco"), "02") << "the download block number, not the typed text, steps";
    for (int i = 0; i < 40; ++i)
        nextDownloadBlock(h.ctx);
    EXPECT_EQ(h.form.text("numblocco"), "30");
}

TEST_F(EntryTest, HeaderFileFailuresAreToldAndNothingMoves)
{
    struct Case {
        std::function<void(Harness&)> spoil;
        std::string message;
    };
    const Case cases[] = {
        {[](Harness& h) {
             std::filesystem::remove(h.state.headerFilePath);
             std::filesystem::create_directory(h.state.headerFilePath);
         },
         "Attention: cannot write header file "},
        {[](Harness& h) { std::filesystem::resize_file(h.state.headerFilePath, 77); }, "Attention: cannot read header file "},
    };
    for (const Case& c : cases) {
        Harness h;
        h.startUp();
        c.spoil(h);
        h.form.setText("Text3", "TYPED   ");
        nextHeader(h.ctx);
        ASSERT_EQ(h.messages.shown.size(), 1u);
        EXPECT_EQ(h.messages.shown[0].text, c.message + h.state.headerFilePath);
        EXPECT_EQ(h.messages.shown[0].icon, Icon::Error);
        EXPECT_EQ(h.state.currentBlock, 1);
        EXPECT_EQ(h.form.text("Text2"), "01");
        EXPECT_EQ(h.form.text("Text3"), "TYPED   ");
    }
}
