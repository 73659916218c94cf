#pragma once

#include <string>

namespace tarvelon::install {

// Starts a program as the user who logged in, not with this process's elevation: an installer
// runs elevated, and a program it started would write where the user's own cannot. Through the
// desktop's shell (Explorer) when this process is elevated, else directly. False with a message
// when neither way is open; the program is then not started at all.
bool startAsUser(const std::wstring& program, std::wstring& message);

} // namespace tarvelon::install
