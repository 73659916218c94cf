#pragma once
#include "cli/command.h"

#include <QCommandLineParser>
#include <QString>

#include <optional>
#include <string>

// Options several commands share, read the same way everywhere.
namespace tarvelon::cli {

// The port `--port` names: 1 to 4 for "Com 1" to "Com 4" as the window opens them, anything
// else a system name ("/dev/ttyUSB0", "COM7").
struct PortChoice {
    int number = 1;
    QString name;
    // --trace FILE: what crosses the line is recorded there; empty for none.
    QString trace;
};

// --port NAME, and --trace FILE beside it.
void addPortOption(QCommandLineParser& parser);
PortChoice portOf(const QCommandLineParser& parser);

// --quiet: no progress line even on a terminal.
void addQuietOption(QCommandLineParser& parser);
bool quiet(const QCommandLineParser& parser);

// --library FILE, the window's library by default; with `optional`, also --no-library.
void addLibraryOption(QCommandLineParser& parser, bool optional = false);
// The library's path as the file system takes it (UTF-8); none with --no-library.
std::optional<std::string> libraryOf(const QCommandLineParser& parser);
// This computer's library, in the local application-data folder (where it is moved once, and
// said, from the folder earlier versions used).
std::string defaultLibrary();

// The value of an option the command cannot do without.
QString requiredValue(const QCommandLineParser& parser, const QString& option);

} // namespace tarvelon::cli
