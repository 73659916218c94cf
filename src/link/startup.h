#pragma once
#include "link/context.h"

#include <string>

namespace tarvelon {

// The main window's load: program state to its start values, the buttons that wait for it
// enabled, the header file rebuilt with the default headers and block 1 shown.
void startUp(Context& c, const std::string& headerFilePath);

} // namespace tarvelon
