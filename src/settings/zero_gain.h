#pragma once
#include "link/context.h"
#include "platform/translate.h"

#include <string_view>

namespace tarvelon::settings {

inline constexpr std::string_view kDefaultZeroGainQuestion = QT_TRANSLATE_NOOP("Texts", "ATTENTION: SET DEFAULT ZERO/GAIN, WOULD YOU LIKE TO CONTINUE ?");

// "Reset G/Z" (Command13): keeps the page in the header file, then, after the operator's OK,
// writes the default gain, zero and point into all 30 blocks of the unit.
void resetZeroGain(Context& c);

} // namespace tarvelon::settings
