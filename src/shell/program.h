#pragma once
#include "shell/main_window.h"

#include <QApplication>

namespace tarvelon {

// The program as a user starts it: the splash window, then the main window built with
// `options`, until the last window closes.
int runProgram(QApplication& app, MainWindowOptions options = {});

// Reads --port NAME and --trace FILE into `options`.
void portFromCommandLine(const QStringList& arguments, MainWindowOptions& options);

} // namespace tarvelon
