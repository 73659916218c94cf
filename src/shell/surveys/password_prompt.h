#pragma once

namespace tarvelon {

// Makes the survey library ask for a server's password in a box (its text hidden), once per
// run and server: the answer stays in this process's memory only, never in the settings.
void installPasswordPrompt();
// Forgets the passwords given, so a wrong one can be typed again.
void forgetPasswords();

} // namespace tarvelon
