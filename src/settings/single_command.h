#pragma once
#include "link/exchange.h"

#include <string_view>

namespace tarvelon::settings {

// Opens the port and wakes the unit for an exchange of one command. True when the unit is
// ready for the command; otherwise the exchange is already over: an unopenable port or a
// silent unit has been reported, and a wrong answer to the wake ends it, with a message
// naming `notDone` ("clock not written") when given.
bool beginSingleCommand(Context& c, Exchange& ex, std::string_view notDone = {});

} // namespace tarvelon::settings
