#pragma once
#include <initializer_list>
#include <string>
#include <vector>

// Marks a text for the translators' catalogue where it is defined, as a constant; it is
// translated where it is shown. The same names as Qt's, so the catalogue's scanner finds them.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, text) text
#endif
#ifndef QT_TRANSLATE_N_NOOP
#define QT_TRANSLATE_N_NOOP(scope, text) text
#endif

namespace tarvelon {

// Turns a source text into the program's language (Windows-1252 bytes). The window and the
// command line set one when they choose their language; without one every text stays English.
using Translator = std::string (*)(const char* context, const char* source, const char* disambiguation, int count);
void setTranslator(Translator translator);
// The one set now, nullptr without one; a text written in another language restores it after.
Translator currentTranslator();

// The text in the program's language, Windows-1252 like all text inside the program (the
// source is UTF-8, as every literal); `count` >= 0 picks its plural form and fills in %n.
// Called with literal texts, so the catalogue's scanner reads them here as it reads Qt's own
// translate().
std::string translate(const char* context, const char* source, const char* disambiguation = nullptr,
                      int count = -1);

// A whole sentence with its values: %1 to %9 replaced by the values, in any order the
// language needs; a % followed by anything else stays as it is.
std::string fillIn(const std::string& text, std::initializer_list<std::string> values);
std::string fillIn(const std::string& text, const std::vector<std::string>& values);

} // namespace tarvelon
