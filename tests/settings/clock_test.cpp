#include "settings/clock.h"
#include "settings/rig.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

using namespace tarvelon;
using namespace tarvelon::test;

namespace {

// YY, MM, DD, hh, mm, ss: the boxes in clock-text order.
constexpr const char* kBoxes[] = {"Text2a", "Text1a", "Text13a", "Text14a", "Text3a", "Text4a"};
using Clock = std::array<const char*, 6>;

void fill(Form& form, const Clock& values)
{
    for (size_t i = 0; i < values.size(); ++i)
        form.setText(kBoxes[i], values[i]);
}

std::vector<std::string> boxes(const Form& form)
{
    std::vector<std::string> out;
    for (const char* b : kBoxes)
        out.push_back(form.text(b));
    return out;
}

std::string nameOf(const Clock& c)
{
    std::string s;
    for (const char* v : c)
        s += std::string(v) + "|";
    return s;
}

} // namespace

TEST(ReadClock, FillsTheBoxesFromTheReplyAlsoWhenItArrivesInParts)
{
    for (int parts : {1, 2}) {
        Rig r;
        r.h.unit.setClock("241231175930");
        r.h.unit.faults.splitParts = parts;
        r.h.unit.faults.splitGapMs = 300;
        settings::readClock(r.ctx);
        EXPECT_EQ(boxes(r.h.form), (std::vector<std::string>{"24", "12", "31", "17", "59", "30"})) << parts;
        EXPECT_EQ(r.port.lines(), std::vector<std::string>{"H\r"});
        EXPECT_TRUE(r.h.messages.shown.empty());
        EXPECT_FALSE(r.h.line.isOpen());
        EXPECT_FALSE(r.h.form.waitIndicatorShown());
    }
}

TEST(ReadClock, AFailedExchangeLeavesTheBoxesAsTheyWere)
{
    struct Case {
        const char* name;
        std::function<void(Harness&)> fault;
        std::vector<std::string> log;
        const char* message; // nullptr: none
        double atLeastSeconds;
    };
    const Case cases[] = {
        {"silent", [](Harness& h) { h.unit.faults.silent = true; }, {"}"}, "Attention: TARVELON not connected", 0.5},
        {"refused", [](Harness& h) { h.unit.faults.refusedWakes = {1}; }, {"}"}, "Attention: the unit refused the command: clock not read", 0},
        {"cut reply", [](Harness& h) { h.unit.faults.cutReplyAt = 8; }, {"}", "H"}, "Attention: TARVELON not connected", 5.0},
        {"no port", [](Harness& h) { h.line.unavailablePorts = {1}; }, {}, "Attention: cannot open serial port COM1", 0},
    };
    for (const Case& c : cases) {
        Rig r;
        r.h.unit.setClock("241231175930");
        fill(r.h.form, {"01", "02", "03", "04", "05", "06"});
        c.fault(r.h);
        settings::readClock(r.ctx);
        EXPECT_EQ(boxes(r.h.form), (std::vector<std::string>{"01", "02", "03", "04", "05", "06"})) << c.name;
        EXPECT_EQ(r.h.unit.log(), c.log) << c.name;
        ASSERT_EQ(r.h.messages.shown.size(), c.message ? 1u : 0u) << c.name;
        if (c.message) {
            EXPECT_EQ(r.h.messages.shown[0].text, c.message);
            EXPECT_EQ(r.h.messages.shown[0].icon, Icon::Error);
        }
        EXPECT_GE(r.h.seconds(), c.atLeastSeconds) << c.name;
        EXPECT_FALSE(r.h.line.isOpen()) << c.name;
        EXPECT_FALSE(r.h.form.waitIndicatorShown()) << c.name;
    }
}

TEST(WriteClock, SendsTheBoxesAsTwelveDigitsThenPausesBeforeClosing)
{
    struct Case {
        Clock boxes;
        const char* line;
    };
    const Case cases[] = {
        {{"24", "12", "31", "17", "59", "30"}, "G241231175930\r"},
        {{"0", "1", "7", "0", "5", "9"}, "G000107000509\r"}, // one digit reads with a leading zero
        {{"24", "02", "29", "23", "00", "00"}, "G240229230000\r"},
    };
    for (const Case& c : cases) {
        Rig r;
        fill(r.h.form, c.boxes);
        settings::writeClock(r.ctx);
        EXPECT_EQ(r.h.messages.questions, std::vector<std::string>{"ATTENTION: ACTIVATE CLOCK, WOULD YOU LIKE TO CONTINUE ?"});
        // The question says the very value it writes, under the act's name.
        ASSERT_EQ(r.h.messages.asked.size(), 1u);
        const std::string line = c.line;
        const std::string shown = line.substr(5, 2) + "/" + line.substr(3, 2) + "/" + line.substr(1, 2) + " " +
                                  line.substr(7, 2) + ":" + line.substr(9, 2) + ":" + line.substr(11, 2);
        EXPECT_EQ(r.h.messages.asked[0].erases, "The unit's clock will be set to " + shown + " (DD/MM/YY hh:mm:ss).");
        EXPECT_EQ(r.h.messages.asked[0].title, "Write Clock");
        EXPECT_TRUE(r.h.messages.asked[0].cancelDefault);
        EXPECT_TRUE(r.h.messages.shown.empty()) << c.line;
        ASSERT_EQ(r.port.writes.size(), 2u) << c.line;
        EXPECT_EQ(r.port.writes[0].bytes, "}");
        EXPECT_EQ(r.port.writes[1].bytes, c.line);
        EXPECT_EQ(r.h.unit.clockText(), std::string(c.line).substr(1, 12));
        // Settle wait of 2 ticks: the port stays open 0.1 s to 0.2 s after the line.
        ASSERT_EQ(r.port.closes.size(), 1u);
        const double pause = r.port.closes[0] - r.port.writes[1].at;
        EXPECT_GE(pause, 0.1);
        EXPECT_LE(pause, 0.2);
        EXPECT_FALSE(r.h.form.waitIndicatorShown());
    }
}

// The first box at fault, as the page shows them (DD MM YY, hh mm ss), is named before any
// question, and the operator is put back in it.
TEST(WriteClock, AnInvalidBoxIsNamedBeforeTheQuestionAndNothingIsSent)
{
    struct Case {
        Clock boxes;
        const char* box;
        const char* said;
    };
    const char* day = "DD (day) must be 01 to 31";
    const Case cases[] = {
        {{"24", "12", "", "17", "59", "30"}, "Text13a", day},
        {{"24", "12", "31", "", "59", "30"}, "Text14a", "hh (hour) must be 00 to 23"},
        {{"24", "", "31", "17", "59", "30"}, "Text1a", "MM (month) must be 01 to 12"},
        {{"24", "12", "31", "17", "59", ""}, "Text4a", "ss (seconds) must be 00 to 59"},
        {{"2a", "12", "31", "17", "59", "30"}, "Text2a", "YY (year) must be 00 to 99"},
        {{"24", "12", " 3", "17", "59", "30"}, "Text13a", day},
        {{"24", "12", "3.", "17", "59", "30"}, "Text13a", day},
        {{"24", "12", "-1", "17", "59", "30"}, "Text13a", day},
        {{"24", "12", "00", "17", "59", "30"}, "Text13a", day},
        {{"24", "12", "32", "17", "59", "30"}, "Text13a", day},
        {{"24", "00", "31", "17", "59", "30"}, "Text1a", "MM (month) must be 01 to 12"},
        {{"24", "13", "31", "17", "59", "30"}, "Text1a", "MM (month) must be 01 to 12"},
        {{"24", "12", "31", "24", "59", "30"}, "Text14a", "hh (hour) must be 00 to 23"},
        {{"24", "12", "31", "17", "60", "30"}, "Text3a", "mm (minutes) must be 00 to 59"},
        {{"24", "12", "31", "17", "59", "60"}, "Text4a", "ss (seconds) must be 00 to 59"},
        {{"24", "04", "31", "17", "59", "30"}, "Text13a", "DD (day) must be 01 to 30 in month 04/24"},
        {{"99", "13", "32", "17", "59", "30"}, "Text13a", day}, // the day comes first on the page
    };
    for (const Case& c : cases) {
        Rig r;
        fill(r.h.form, c.boxes);
        settings::writeClock(r.ctx);
        EXPECT_TRUE(r.h.messages.questions.empty()) << nameOf(c.boxes);
        ASSERT_EQ(r.h.messages.shown.size(), 1u) << nameOf(c.boxes);
        EXPECT_EQ(r.h.messages.shown[0].text, std::string("Attention: Invalid date or time: ") + c.said);
        EXPECT_EQ(r.h.messages.shown[0].icon, Icon::Error);
        EXPECT_EQ(r.h.form.focused, c.box) << nameOf(c.boxes);
        EXPECT_EQ(r.h.line.opens, 0) << nameOf(c.boxes);
        EXPECT_TRUE(r.port.writes.empty()) << nameOf(c.boxes);
    }
}

TEST(WriteClock, OnlyDatesOfTheCalendarAreSent)
{
    struct Case {
        const char* yy;
        const char* mm;
        const char* dd;
        bool exists; // the year is 2000 + YY
    };
    const Case cases[] = {
        {"24", "02", "29", true},  {"23", "02", "29", false}, {"00", "02", "29", true},
        {"96", "02", "29", true},  {"99", "02", "29", false}, {"24", "02", "30", false},
        {"23", "02", "28", true},  {"24", "04", "30", true},  {"24", "04", "31", false},
        {"24", "06", "31", false}, {"24", "09", "31", false}, {"24", "11", "31", false},
        {"24", "01", "31", true},  {"24", "03", "31", true},  {"24", "07", "31", true},
        {"24", "08", "31", true},  {"24", "10", "31", true},  {"24", "12", "31", true},
        {"24", "2", "3", true},
    };
    for (const Case& c : cases) {
        Rig r;
        fill(r.h.form, {c.yy, c.mm, c.dd, "12", "00", "00"});
        settings::writeClock(r.ctx);
        const std::string name = std::string(c.dd) + "/" + c.mm + "/" + c.yy;
        if (c.exists) {
            EXPECT_TRUE(r.h.messages.shown.empty()) << name;
            EXPECT_EQ(r.port.lines().size(), 1u) << name;
        } else {
            ASSERT_EQ(r.h.messages.shown.size(), 1u) << name;
            EXPECT_EQ(r.h.messages.shown[0].text.rfind("Attention: Invalid date or time: DD (day) must be 01 to ", 0), 0u);
            EXPECT_TRUE(r.port.writes.empty()) << name;
        }
    }
}

TEST(WriteClock, CancelSendsNothing)
{
    for (const Clock& c : {Clock{"24", "12", "31", "17", "59", "30"}, Clock{"24", "02", "29", "00", "00", "00"}}) {
        Rig r;
        fill(r.h.form, c);
        r.h.messages.answers = {false};
        settings::writeClock(r.ctx);
        EXPECT_EQ(r.h.messages.questions.size(), 1u) << nameOf(c);
        EXPECT_TRUE(r.h.messages.shown.empty()) << nameOf(c);
        EXPECT_EQ(r.h.line.opens, 0) << nameOf(c);
        EXPECT_TRUE(r.port.writes.empty()) << nameOf(c);
    }
}
