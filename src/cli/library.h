#pragma once
#include "surveys/store.h"

#include <QString>

#include <string>

// The survey library as the commands that read it open it.
namespace tarvelon::cli {

// Opens the library at `path` only to read it, never making, upgrading or changing it; false,
// with the message said, when it is not there or cannot be read.
bool openExistingLibrary(const std::string& path, surveys::SurveyStore& store);
// Opens (or makes, when the path is new or the file empty) the library at `path` to write;
// false, with the message said, when it cannot be written.
bool openLibraryToWrite(const std::string& path, surveys::SurveyStore& store);
// Opens the library at `path` to read it, and to write it when `toWrite`; either way it must
// already be there, since a command that changes a tube has nothing to change in a new one.
bool openExistingLibrary(const std::string& path, surveys::SurveyStore& store, bool toWrite);

// The library keeps header texts without their trailing blanks; so is a name typed.
QString withoutTrailingBlanks(QString text);

} // namespace tarvelon::cli
