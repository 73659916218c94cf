#include "link/header_file.h"
#include "settings/rig.h"
#include "settings/zero_gain.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace tarvelon;
using namespace tarvelon::test;

namespace {

constexpr const char* kQuestion = "ATTENTION: SET DEFAULT ZERO/GAIN, WOULD YOU LIKE TO CONTINUE ?";

std::string defaultLine(int index)
{
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "D%02X000", index);
    return prefix + std::string("+1.0000+0.0000+1.0000+0.00000\r");
}

// The operator is on block 5 with a header of their own and zero/gain values of their own.
void showBlockFive(Rig& r)
{
    r.h.startUp();
    r.h.state.currentBlock = 5;
    r.h.form.setText("Text2", "05");
    r.h.form.setText("Text3", "ACME");
    r.h.form.setText("Text6", "123");
    r.h.form.setText("Text13", "5");
    r.h.form.setText("Text18", "+2.5000");
    r.h.form.setText("Text21", "-0.1250");
    r.h.form.setText("Text22", "3");
}

// Block 1 is the current block and the page shows it, so "+" and "-" work from it.
void expectBlockOneShown(Rig& r)
{
    EXPECT_EQ(r.h.state.currentBlock, 1);
    EXPECT_EQ(r.h.form.text("Text2"), "01");
    EXPECT_EQ(r.h.form.text("Text3"), "CLIENT 1");
    EXPECT_EQ(r.h.form.text("Text6"), "000");
}

void expectPageStoredAsRecordFive(Rig& r)
{
    HeaderRecord stored;
    ASSERT_TRUE(r.h.headerFile().read(5, stored));
    EXPECT_EQ(stored.get(HeaderRecord::Client), "ACME    ");
    EXPECT_EQ(stored.get(HeaderRecord::Depth), "1235");
    EXPECT_EQ(stored.get(HeaderRecord::Gain1), "+2.5000");
    EXPECT_EQ(stored.get(HeaderRecord::Zero2), "-0.1250");
    EXPECT_EQ(stored.get(HeaderRecord::Point), "3");
}

} // namespace

TEST(ResetZeroGain, WritesTheDefaultsIntoAllThirtyBlocksEachAfterAWakeAndBeforeAPause)
{
    Rig r;
    showBlockFive(r);
    settings::resetZeroGain(r.ctx);

    EXPECT_EQ(r.h.messages.questions, std::vector<std::string>{kQuestion});
    EXPECT_TRUE(r.h.messages.shown.empty());
    ASSERT_EQ(r.port.writes.size(), 60u);
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(r.port.writes[2 * i].bytes, "}") << i;
        EXPECT_EQ(r.port.writes[2 * i + 1].bytes, defaultLine(i)) << i;
        // Settle wait of 2 ticks after every line, before the next wake or the close.
        const double next = i < 29 ? r.port.writes[2 * i + 2].at : r.port.closes.at(0);
        const double pause = next - r.port.writes[2 * i + 1].at;
        EXPECT_GE(pause, 0.1) << i;
        EXPECT_LE(pause, 0.2) << i;
    }
    EXPECT_EQ(r.port.writes[1].bytes, "D00000+1.0000+0.0000+1.0000+0.00000\r");
    EXPECT_EQ(r.port.writes[21].bytes, "D0A000+1.0000+0.0000+1.0000+0.00000\r");
    EXPECT_EQ(r.port.writes[59].bytes, "D1D000+1.0000+0.0000+1.0000+0.00000\r");
    EXPECT_EQ(r.h.line.opens, 1);
    EXPECT_FALSE(r.h.line.isOpen());
    EXPECT_FALSE(r.h.form.waitIndicatorShown());

    // The page went to the header file before the question; the defaults only to the unit
    // and the hidden boxes.
    expectPageStoredAsRecordFive(r);
    EXPECT_EQ(r.h.form.text("Text18"), "+1.0000");
    EXPECT_EQ(r.h.form.text("Text21"), "+0.0000");
    EXPECT_EQ(r.h.form.text("Text22"), "0");
    expectBlockOneShown(r);
}

TEST(ResetZeroGain, CancelKeepsThePageInTheHeaderFileAndSendsNothing)
{
    Rig r;
    showBlockFive(r);
    r.h.messages.answers = {false};
    settings::resetZeroGain(r.ctx);

    expectPageStoredAsRecordFive(r);
    EXPECT_EQ(r.h.messages.questions.size(), 1u);
    // Named, saying it rewrites every block, with Enter on Cancel.
    ASSERT_EQ(r.h.messages.asked.size(), 1u);
    EXPECT_EQ(r.h.messages.asked[0].title, "Reset G/Z");
    EXPECT_NE(r.h.messages.asked[0].erases.find("blocks 01 to 30"), std::string::npos);
    EXPECT_TRUE(r.h.messages.asked[0].cancelDefault);
    EXPECT_EQ(r.h.line.opens, 0);
    EXPECT_TRUE(r.port.writes.empty());
    EXPECT_EQ(r.h.form.text("Text18"), "+2.5000");
    expectBlockOneShown(r);
}

TEST(ResetZeroGain, BlocksWhoseWakeIsRefusedAreSkippedAndTheOthersWritten)
{
    Rig r;
    showBlockFive(r);
    r.h.unit.faults.refusedWakes = {1, 11, 30};
    settings::resetZeroGain(r.ctx);

    std::vector<std::string> expected;
    for (int i = 0; i < 30; ++i)
        if (!r.h.unit.faults.refusedWakes.count(i + 1))
            expected.push_back(defaultLine(i));
    EXPECT_EQ(r.port.lines(), expected);
    EXPECT_EQ(r.h.unit.log().size(), 30u + 27u) << "one wake per block";
    ASSERT_EQ(r.h.messages.shown.size(), 1u);
    EXPECT_EQ(r.h.messages.shown[0].text, "Attention: the unit refused 3 commands: blocks 1, 11 and 30 not changed");
    EXPECT_EQ(r.h.state.currentBlock, 1);
}

TEST(ResetZeroGain, AUnitThatFallsSilentIsReportedOnceAndTheRunStops)
{
    struct Case {
        const char* name;
        int answeredWakes; // -1: none at all
        size_t linesWritten;
    };
    for (const Case& c : {Case{"silent", -1, 0}, Case{"stops at block 13", 12, 12}}) {
        Rig r;
        showBlockFive(r);
        if (c.answeredWakes < 0)
            r.h.unit.faults.silent = true;
        else
            r.h.unit.faults.answerWakes = c.answeredWakes;
        settings::resetZeroGain(r.ctx);

        ASSERT_EQ(r.h.messages.shown.size(), 1u) << c.name;
        EXPECT_EQ(r.h.messages.shown[0].text, "Attention: TARVELON not connected");
        EXPECT_EQ(r.h.messages.shown[0].icon, Icon::Error);
        EXPECT_EQ(r.port.lines().size(), c.linesWritten) << c.name;
        EXPECT_EQ(r.h.unit.log().size(), 2 * c.linesWritten + 1) << c.name << ": no wake after the silent one";
        expectBlockOneShown(r);
        EXPECT_FALSE(r.h.line.isOpen());
        EXPECT_FALSE(r.h.form.waitIndicatorShown());
    }
}

TEST(ResetZeroGain, APortThatCannotBeOpenedIsReportedAndNothingIsSent)
{
    Rig r;
    showBlockFive(r);
    r.h.line.unavailablePorts = {1};
    settings::resetZeroGain(r.ctx);

    ASSERT_EQ(r.h.messages.shown.size(), 1u);
    EXPECT_EQ(r.h.messages.shown[0].text, "Attention: cannot open serial port COM1");
    EXPECT_TRUE(r.port.writes.empty());
    EXPECT_EQ(r.h.form.text("Text18"), "+2.5000");
    expectBlockOneShown(r);
    EXPECT_FALSE(r.h.form.waitIndicatorShown());
}
