#pragma once
#include <QString>

#include <string>

namespace tarvelon {

// The program keeps text as single Windows-1252 bytes; Qt widgets hold Unicode. These two
// are the only crossing between them.
QString fromText(const std::string& text);
// A code point the code page cannot hold becomes one "?", also when it needs two UTF-16
// units (an emoji), so a text never grows on its way into a fixed-width field.
std::string toText(const QString& text);

} // namespace tarvelon
