#include "settings/clock.h"
#include "platform/translate.h"

#include "link/block.h"
#include "link/commands.h"
#include "settings/single_command.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>

namespace tarvelon::settings {
namespace {

struct ClockBox {
    std::string_view box;
    int lowest;
    int highest;
    std::string_view hint; // the label over the box
    std::string_view what;
};

// The boxes in the order of the clock text, year first.
constexpr ClockBox kClockBoxes[] = {
    {"Text2a", 0, 99, QT_TRANSLATE_NOOP("Texts", "YY"), QT_TRANSLATE_NOOP("Texts", "year")},
    {"Text1a", 1, 12, QT_TRANSLATE_NOOP("Texts", "MM"), QT_TRANSLATE_NOOP("Texts", "month")},
    {"Text13a", 1, 31, QT_TRANSLATE_NOOP("Texts", "DD"), QT_TRANSLATE_NOOP("Texts", "day")},
    {"Text14a", 0, 23, QT_TRANSLATE_NOOP("Texts", "hh"), QT_TRANSLATE_NOOP("Texts", "hour")},
    {"Text3a", 0, 59, QT_TRANSLATE_NOOP("Texts", "mm"), QT_TRANSLATE_NOOP("Texts", "minutes")},
    {"Text4a", 0, 59, QT_TRANSLATE_NOOP("Texts", "ss"), QT_TRANSLATE_NOOP("Texts", "seconds")},
};
// The order in which the page shows them, and the operator reads them: DD MM YY, hh mm ss.
constexpr size_t kShownOrder[] = {2, 1, 0, 3, 4, 5};

bool isDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

int twoDigitValue(std::string_view digits, size_t at)
{
    return (digits[at] - '0') * 10 + (digits[at + 1] - '0');
}

// A box as two digits within its range.
std::optional<std::string> twoDigitsOf(std::string_view text, const ClockBox& range)
{
    if (text.empty() || text.size() > 2)
        return std::nullopt;
    for (char ch : text)
        if (!isDigit(ch))
            return std::nullopt;
    std::string digits = text.size() == 1 ? "0" + std::string(text) : std::string(text);
    const int value = twoDigitValue(digits, 0);
    if (value < range.lowest || value > range.highest)
        return std::nullopt;
    return digits;
}

// Days in a month of the year 2000 + yy: every fourth year is a leap year up to 2099.
int daysInMonth(int yy, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && yy % 4 == 0 ? 29 : kDays[month - 1];
}

// The clock text YYMMDDhhmmss the six boxes make, a one-digit box read with a leading zero;
// otherwise the first box, as the page shows them, that is empty, holds anything but digits,
// is out of its range, or makes a date that does not exist, with what it should hold.
struct ClockCheck {
    std::optional<std::string> text;
    std::string_view box;
    std::string problem;
};

ClockCheck checkClockBoxes(const Form& form)
{
    const auto two = [](int n) { return twoDigits(n); };
    for (size_t i : kShownOrder) {
        const ClockBox& b = kClockBoxes[i];
        if (!twoDigitsOf(form.text(b.box), b))
            return {std::nullopt, b.box,
                    fillIn(translate("Texts", "%1 (%2) must be %3 to %4"),
                           {translate("Texts", b.hint.data()), translate("Texts", b.what.data()), two(b.lowest), two(b.highest)})};
    }
    std::string text;
    for (const ClockBox& b : kClockBoxes)
        text += *twoDigitsOf(form.text(b.box), b);
    const int days = daysInMonth(twoDigitValue(text, 0), twoDigitValue(text, 2));
    if (twoDigitValue(text, 4) > days)
        return {std::nullopt, kClockBoxes[2].box,
                fillIn(translate("Texts", "DD (day) must be 01 to %1 in month %2/%3"),
                       {two(days), text.substr(2, 2), text.substr(0, 2)})};
    return {text, {}, {}};
}

} // namespace

std::string clockShown(const std::string& clockText)
{
    if (clockText.size() < 12)
        return clockText;
    const auto two = [&clockText](size_t i) { return clockText.substr(i, 2); };
    return two(4) + "/" + two(2) + "/" + two(0) + " " + two(6) + ":" + two(8) + ":" + two(10);
}

std::array<std::string, 6> clockFields(const std::string& reply)
{
    static_assert(std::size(kClockBoxes) == 6);
    std::array<std::string, 6> fields;
    for (size_t i = 0; i < fields.size(); ++i)
        fields[i] = 2 * i < reply.size() ? reply.substr(2 * i, 2) : std::string();
    return fields;
}

void readClock(Context& c)
{
    Exchange ex(c);
    // 1. Open the port and wake the unit; on any failure the boxes stay as they are.
    if (!beginSingleCommand(c, ex, QT_TRANSLATE_NOOP("Texts", "clock not read")))
        return;
    // 2. Ask for the clock.
    ex.send(cmd::kReadClock);
    // 3. Wait for the 14 characters of the reply; a unit that falls silent has been reported.
    const auto reply = ex.countWait(cmd::kClockReplyLength);
    if (!reply)
        return;
    // 4. The first twelve characters are YYMMDDhhmmss; the rest is the line end. A reply broken
    //    on the line would put other characters in the boxes.
    const auto fields = clockFields(*reply);
    constexpr long kClockDigits = 12;
    const bool whole = std::all_of(reply->begin(), reply->begin() + kClockDigits, isDigit);
    if (whole)
        for (size_t i = 0; i < fields.size(); ++i)
            c.form.setText(kClockBoxes[i].box, fields[i]);
    // 5. Close the port.
    ex.end();
    if (whole)
        c.form.showOutcome(fillIn(translate("Texts", "Clock read: %1"), {clockShown(reply->substr(0, kClockDigits))}));
    if (!whole)
        c.messages.show(translate("Texts", kClockNotRead.data()), Icon::Error);
}

void writeClock(Context& c)
{
    // 1. A malformed clock text would set the unit to a date that does not exist; the box at
    //    fault is named before any question, and the operator is put back in it.
    const ClockCheck check = checkClockBoxes(c.form);
    if (!check.text) {
        c.messages.show(fillIn(translate("Texts", "Attention: Invalid date or time: %1"), {check.problem}), Icon::Error);
        c.form.focus(check.box);
        return;
    }
    const auto& clockText = check.text;
    // 2. Setting the clock changes the unit, so the operator confirms the very value first.
    const Question q{translate("Texts", kActivateClockQuestion.data()), translate("Texts", "Write Clock"),
                     fillIn(translate("Texts", "The unit's clock will be set to %1 (DD/MM/YY hh:mm:ss)."),
                            {clockShown(*clockText)})};
    if (c.messages.ask(q) != Answer::Ok)
        return;
    Exchange ex(c);
    // 3. Open the port and wake the unit.
    if (!beginSingleCommand(c, ex, QT_TRANSLATE_NOOP("Texts", "clock not written")))
        return;
    // 4. Send the clock.
    ex.send(cmd::writeClock(*clockText));
    // 5. Give the unit its time to take the line; it answers nothing.
    ex.settleWait(2);
    // 6. Close the port.
    ex.end();
    c.form.showOutcome(fillIn(translate("Texts", "Clock set to %1"), {clockShown(*clockText)}));
}

} // namespace tarvelon::settings
