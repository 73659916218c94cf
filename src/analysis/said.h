#pragma once
#include "platform/translate.h"

#include <initializer_list>
#include <string>

// The analysis says its texts in UTF-8, while the catalogue's translations come as the program's
// Windows-1252 text: these give a marked text in the program's language, in UTF-8.
namespace tarvelon::surveys {

std::string said(const char* source);
// A whole sentence with its values (UTF-8) filled in for %1 to %9.
std::string said(const char* source, std::initializer_list<std::string> values);

} // namespace tarvelon::surveys
