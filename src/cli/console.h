#pragma once
#include <QString>

// The terminal the command line runs in: Ctrl+C, the progress line and what is printed.
namespace tarvelon::cli {

// From now on Ctrl+C asks the running job to stop at its next row, as the window's Stop does;
// a second Ctrl+C ends the program at once.
// SIGTERM and SIGHUP (the console's close on Windows) ask the same.
void catchInterrupt();
bool interrupted();
// The exit status of a stopped program: 130 for Ctrl+C, 143 for SIGTERM, 129 for SIGHUP.
int interruptedStatus();
// `hook` is called once, with the first stop, from the signal handler itself (so only what is
// safe there), such as the server's cancel request for a running statement.
void onStop(void (*hook)());

// A result, one line on standard output.
void printResult(const QString& line);
// A message, one line on standard error after the program's name.
void printMessage(const QString& line);
// Text for --help and --version, as it is, on standard output.
void printText(const QString& text);
// The progress line on standard error, redrawn in place; only when standard error is a
// terminal. An empty text takes it away.
void showProgressLine(const QString& text);
bool progressLineWanted();

} // namespace tarvelon::cli
