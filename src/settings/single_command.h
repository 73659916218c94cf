#pragma once
#include "link/exchange.h"

namespace tarvelon::settings {

// Opens the port and wakes the unit for an exchange of one command. True when the unit is
// ready for the command; otherwise the exchange is already over: an unopenable port or a
// silent unit has been reported, and a wrong answer to the wake ends it without a word.
bool beginSingleCommand(Exchange& ex);

} // namespace tarvelon::settings
