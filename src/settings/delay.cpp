#include "settings/delay.h"
#include "platform/translate.h"

#include "link/block.h"
#include "link/commands.h"
#include "settings/single_command.h"

#include <cmath>
#include <optional>
#include <string>

namespace tarvelon::settings {
namespace {

// The delay is accepted when it is more than 2 and less than 10.
constexpr double kBelowShortest = 2;
constexpr double kAboveLongest = 10;

bool isDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

// Blanks around an optional sign, digits and an optional decimal part, at least one digit.
bool isNumber(std::string_view text)
{
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && text[i] == ' ')
            ++i;
    };
    auto skipDigits = [&] {
        const size_t from = i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        return i - from;
    };
    skipBlanks();
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = skipDigits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        digits += skipDigits();
    }
    skipBlanks();
    return digits > 0 && i == text.size();
}

bool inDelayRange(double value)
{
    return value > kBelowShortest && value < kAboveLongest;
}

// What the box settles on once the filter has run on every change it causes itself: a
// separator typed last goes; anything else stays for the operator to see and correct, Write
// refusing it with the range allowed.
std::string filtered(std::string text)
{
    while (!text.empty() && (text.back() == '.' || text.back() == ','))
        text.pop_back();
    return text;
}

// The delay the box holds, when it is a whole number from 3 to 9: the unit takes only a
// single digit, so a pasted fraction is refused rather than sent.
std::optional<int> delayOf(std::string_view text)
{
    if (!isNumber(text))
        return std::nullopt;
    const double value = numericValue(text);
    if (!inDelayRange(value) || value != std::floor(value))
        return std::nullopt;
    return static_cast<int>(value);
}

} // namespace

void filterDelay(Form& form)
{
    const std::string text = form.text("Text16rt");
    const std::string settled = filtered(text);
    if (settled != text)
        form.setText("Text16rt", settled);
}

void writeDelay(Context& c)
{
    // 1. Only a delay from 3 to 9 goes to the unit.
    const auto delay = delayOf(c.form.text("Text16rt"));
    if (!delay) {
        c.messages.show(translate("Texts", "Delay for Automatic Cycle is incorrect: a whole number from 3 to 9 is allowed"),
                        Icon::None);
        c.form.focus("Text16rt");
        return;
    }
    Exchange ex(c);
    // 2. Open the port and wake the unit.
    if (!beginSingleCommand(c, ex, QT_TRANSLATE_NOOP("Texts", "delay not written")))
        return;
    // 3. Write the delay code into the setting cell.
    ex.send(cmd::writeDelay(*delay));
    // 4. Give the unit its time to take the line; it answers nothing.
    ex.settleWait(2);
    // 5. Close the port.
    ex.end();
    c.form.showOutcome(fillIn(translate("Texts", "Delay for Automatic Cycle set to %1"), {std::to_string(*delay)}));
}

} // namespace tarvelon::settings
