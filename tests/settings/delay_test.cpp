#include "settings/delay.h"
#include "settings/rig.h"

#include <gtest/gtest.h>

using namespace tarvelon;
using namespace tarvelon::test;

namespace {

// One keystroke or paste into the delay box, as the window reports it: the text changes,
// the filter runs, and every change the filter makes runs it again.
void type(FakeForm& form, const std::string& added)
{
    form.setText("Text16rt", form.text("Text16rt") + added);
    size_t changes = form.history("Text16rt").size();
    settings::filterDelay(form);
    for (int guard = 0; form.history("Text16rt").size() != changes; ++guard) {
        ASSERT_LT(guard, 1) << "the filter must reach its final text in one call";
        changes = form.history("Text16rt").size();
        settings::filterDelay(form);
    }
}

} // namespace

TEST(DelayFilter, DropsATrailingSeparatorAndKeepsWhatWasTypedToCorrect)
{
    struct Case {
        std::vector<std::string> keys;
        const char* shown;
    };
    const Case cases[] = {
        {{"1"}, "1"},     {{"2"}, "2"},     {{"5", "0"}, "50"}, {{"7", "."}, "7"}, {{"3", ","}, "3"},
        {{"9"}, "9"},     {{"4", "4"}, "44"}, {{"-"}, "-"},   {{"a"}, "a"},      {{"6", "x"}, "6x"},
        {{"7.,."}, "7"},  {{"3.5"}, "3.5"}, // pasted; "Write" refuses the fraction
    };
    for (const Case& c : cases) {
        Rig r;
        r.h.form.setText("Text16rt", "");
        for (const std::string& k : c.keys)
            type(r.h.form, k);
        EXPECT_EQ(r.h.form.text("Text16rt"), c.shown) << ::testing::PrintToString(c.keys);
    }
}

TEST(WriteDelay, SendsTheDelayCodeAndPausesBeforeClosing)
{
    struct Case {
        const char* box;
        const char* line;
        uint8_t cell;
    };
    for (const Case& c : {Case{"3", "b000F033\r", '3'}, Case{"9", "b000F039\r", '9'}, Case{"05", "b000F035\r", '5'}}) {
        Rig r;
        r.h.form.setText("Text16rt", c.box);
        settings::writeDelay(r.ctx);
        EXPECT_TRUE(r.h.messages.shown.empty()) << c.box;
        EXPECT_TRUE(r.h.messages.questions.empty());
        ASSERT_EQ(r.port.writes.size(), 2u) << c.box;
        EXPECT_EQ(r.port.writes[0].bytes, "}");
        EXPECT_EQ(r.port.writes[1].bytes, c.line);
        EXPECT_EQ(r.h.unit.memory()[0xF0], c.cell);
        ASSERT_EQ(r.port.closes.size(), 1u);
        const double pause = r.port.closes[0] - r.port.writes[1].at;
        EXPECT_GE(pause, 0.1);
        EXPECT_LE(pause, 0.2);
        EXPECT_FALSE(r.h.form.waitIndicatorShown());
    }
}

TEST(WriteDelay, AnythingButAWholeNumberFromThreeToNineIsRefusedWithoutOpeningThePort)
{
    for (const char* box : {"", "0", "2", "10", "3.5", "9.9", "-5", "abc", "5abc"}) {
        Rig r;
        r.h.form.setText("Text16rt", box);
        settings::writeDelay(r.ctx);
        ASSERT_EQ(r.h.messages.shown.size(), 1u) << box;
        // The described words first, then the range; the operator is put back in the box.
        EXPECT_EQ(r.h.messages.shown[0].text, "Delay for Automatic Cycle is incorrect: a whole number from 3 to 9 is allowed");
        EXPECT_EQ(r.h.form.focused, "Text16rt");
        EXPECT_EQ(r.h.messages.shown[0].icon, Icon::None);
        EXPECT_EQ(r.h.line.opens, 0) << box;
        EXPECT_TRUE(r.port.writes.empty()) << box;
        EXPECT_EQ(r.h.form.text("Text16rt"), box) << "the operator's text is kept";
    }
}
