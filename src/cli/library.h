#pragma once
#include "library/store.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>

// The survey library as the commands that read it open it.
namespace tarvelon::cli {

// `path` is a file's or a server's connection (postgresql://... or service=NAME).
// Opens the library at `path` only to read it, never making, upgrading or changing it; false,
// with the message said, when it is not there or cannot be read.
bool openExistingLibrary(const std::string& path, surveys::SurveyStore& store);
// Opens (or makes, when the path is new or the file empty) the library at `path` to write;
// false, with the message said, when it cannot be written.
bool openLibraryToWrite(const std::string& path, surveys::SurveyStore& store);
// Opens the library at `path` to read it, and to write it when `toWrite`; either way it must
// already be there, since a command that changes a tube has nothing to change in a new one.
bool openExistingLibrary(const std::string& path, surveys::SurveyStore& store, bool toWrite);

inline constexpr std::string_view kReadOnlyRole = QT_TRANSLATE_NOOP(
    "Texts", "your role on the server may only read the library; ask its administrator for tarvelon_editor");

// The source of a sync: opened to write where it may be written (what changed on the other side
// comes back to it), else only to read; false, with the message said, when it cannot be read.
bool openSourceOfSync(const std::string& path, surveys::SurveyStore& store);

// True, with the message said, when the library file was found damaged while it was read:
// what was read is then not the whole, and nothing of it is shown.
bool damagedSaid(surveys::SurveyStore& store);

inline constexpr std::string_view kManagersOnly = QT_TRANSLATE_NOOP(
    "Texts", "your role on the server may not delete from the library; ask its administrator for tarvelon_manager");

// A server's password, read from the terminal without showing it; nothing when none is typed.
std::optional<std::string> askPasswordOnTerminal(const std::string& shown);

// The library keeps header texts without their trailing blanks; so is a name typed.
QString withoutTrailingBlanks(QString text);

} // namespace tarvelon::cli
