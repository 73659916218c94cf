#pragma once
#include "link/context.h"
#include "platform/translate.h"

#include <string_view>

namespace tarvelon::settings {

inline constexpr std::string_view kDelayIncorrect = QT_TRANSLATE_NOOP("Texts", "Delay for Automatic Cycle is incorrect");
// Said after it: what the unit takes.
inline constexpr std::string_view kDelayRange = ": a whole number from 3 to 9 is allowed";

// Runs on every change of the delay box Text16rt: a trailing "." or "," is dropped; anything
// else typed stays, for Write to refuse with the range and the operator to correct. It
// reaches the final text in one call and writes the box only when that text differs, so the
// change it causes calls it again to no effect.
void filterDelay(Form& form);

// "Write" (Command6scrivi): writes the delay, a whole number from 3 to 9, into the unit.
void writeDelay(Context& c);

} // namespace tarvelon::settings
