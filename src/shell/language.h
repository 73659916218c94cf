#pragma once
#include <QString>
#include <QStringList>

class QCoreApplication;
class QTranslator;

namespace tarvelon {

// Chooses the language both programs speak in: `choice` is "" for the system's, "en" or "it".
// Installs the program's and Qt's own translations (and the hook the Qt-free layers translate
// their messages through), replacing those of an earlier call, and returns the language used:
// "en" or "it". Any other choice is taken as the system's.
QString useLanguage(QCoreApplication& app, const QString& choice);

// The value of --language VALUE or --language=VALUE among `arguments`, "" without one; the
// programs read it before anything is said, so their own --help is in that language.
QString languageArgument(const QStringList& arguments);

// The language the last useLanguage() call chose, "en" or "it"; "en" before any call.
QString usedLanguage();

// Loads the program's catalogue of `language` ("it"; English has none) into `translator`
// without installing it, for a text written in a language other than the program's.
bool loadCatalogue(QTranslator& translator, const QString& language);

// The languages a choice can name, in the order a list offers them.
QStringList knownLanguages();

// The system's language among the known ones, "en" when it is none of them: on Windows the
// display language; elsewhere LANGUAGE, LC_ALL, LC_MESSAGES and LANG as command-line tools
// read them.
QString systemLanguage();

} // namespace tarvelon
