#pragma once
#include "link/context.h"
#include "platform/translate.h"

#include <array>
#include <string>
#include <string_view>

namespace tarvelon::settings {

inline constexpr std::string_view kActivateClockQuestion = QT_TRANSLATE_NOOP("Texts", "ATTENTION: ACTIVATE CLOCK, WOULD YOU LIKE TO CONTINUE ?");
inline constexpr std::string_view kInvalidClock = QT_TRANSLATE_NOOP("Texts", "Attention: Invalid date or time");
inline constexpr std::string_view kClockNotRead = QT_TRANSLATE_NOOP("Texts", "Attention: the clock could not be read");

// The six box texts a clock reply gives, in the order of the clock text (YY, MM, DD, hh, mm,
// ss): two characters each from the first twelve of the reply. A reply shorter than that
// leaves the later texts short or empty, so it can never read past its end.
std::array<std::string, 6> clockFields(const std::string& reply);
// A clock text YYMMDDhhmmss as the operator reads it: "DD/MM/YY hh:mm:ss".
std::string clockShown(const std::string& clockText);

// " Read Clock" (ssCommand3): asks the unit for its clock and shows it in the six boxes.
void readClock(Context& c);

// " Write Clock" (ssCommand4): after the operator's OK, sets the unit's clock to the boxes.
void writeClock(Context& c);

} // namespace tarvelon::settings
