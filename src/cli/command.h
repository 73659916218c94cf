#pragma once
#include <QCommandLineParser>
#include <QString>

#include <span>

namespace tarvelon::cli {

// What the program's exit status tells a script.
enum ExitStatus { kSucceeded = 0, kFailed = 1, kWrongUsage = 2, kInterrupted = 130 };

// Wrong usage found once the options are parsed (a missing option, a block outside 1 to
// 30): the message, then the command's usage line, and exit status 2.
struct UsageError {
    QString message;
};

// One command of `tarvelon`: its options, its usage and what it does. Each command lives in
// a file of its own and is listed once in commands.cpp.
struct Command {
    const char* name;
    const char* synopsis; // what follows "tarvelon NAME" in the usage line
    const char* summary;  // one line for `tarvelon --help`
    void (*addOptions)(QCommandLineParser&);
    // The job, once the options parsed; throws UsageError, returns the exit status.
    int (*run)(const QCommandLineParser&);
    // Arguments besides the options (the paths of `import`); others are wrong usage.
    bool takesArguments = false;
};

std::span<const Command* const> commands();

// Runs the program on its arguments (the first is the program's name); the exit status.
int runTarvelon(const QStringList& arguments);

} // namespace tarvelon::cli
