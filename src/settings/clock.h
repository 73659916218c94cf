#pragma once
#include "link/context.h"

#include <string_view>

namespace tarvelon::settings {

inline constexpr std::string_view kActivateClockQuestion = "ATTENTION: ACTIVATE CLOCK, WOULD YOU LIKE TO CONTINUE ?";
inline constexpr std::string_view kInvalidClock = "Attention: Invalid date or time";

// " Read Clock" (ssCommand3): asks the unit for its clock and shows it in the six boxes.
void readClock(Context& c);

// " Write Clock" (ssCommand4): after the operator's OK, sets the unit's clock to the boxes.
void writeClock(Context& c);

} // namespace tarvelon::settings
