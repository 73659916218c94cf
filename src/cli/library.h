#pragma once
#include "surveys/store.h"

#include <QString>

#include <string>

// The survey library as the commands that read it open it.
namespace tarvelon::cli {

// Opens the library at `path` for reading; false, with the message said, when it is not there
// (no empty library is left behind) or cannot be read.
bool openExistingLibrary(const std::string& path, surveys::SurveyStore& store);

// The library keeps header texts without their trailing blanks; so is a name typed.
QString withoutTrailingBlanks(QString text);

} // namespace tarvelon::cli
