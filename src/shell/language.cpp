#include "shell/language.h"

#include "platform/qt/qt_text.h"
#include "platform/translate.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include <memory>

// The catalogues are compiled into this static library, whose resources a linker keeps only
// when something names them.
static void initLanguageResources()
{
    Q_INIT_RESOURCE(tarvelon_translations);
}

namespace tarvelon {

namespace {

std::unique_ptr<QTranslator> gProgram;
QString gUsed = QStringLiteral("en");
std::unique_ptr<QTranslator> gQt;

// "it_IT.UTF-8", "it", "it-IT" all name Italian.
QString languageOf(const QString& name)
{
    const QString lower = name.toLower();
    for (const QString& known : knownLanguages()) {
        if (lower == known || lower.startsWith(known + QLatin1Char('_')) || lower.startsWith(known + QLatin1Char('-')) ||
            lower.startsWith(known + QLatin1Char('.')) || lower.startsWith(known + QLatin1Char('@'))) {
            return known;
        }
    }
    return {};
}

std::string translated(const char* context, const char* source, const char* disambiguation, int count)
{
    return toText(QCoreApplication::translate(context, source, disambiguation, count));
}

void removeTranslators()
{
    for (auto* t : {&gProgram, &gQt}) {
        if (*t) {
            QCoreApplication::removeTranslator(t->get());
            t->reset();
        }
    }
}

std::unique_ptr<QTranslator> loaded(const QString& file)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(file))
        return nullptr;
    QCoreApplication::installTranslator(translator.get());
    return translator;
}

} // namespace

QString usedLanguage()
{
    return gUsed;
}

bool loadCatalogue(QTranslator& translator, const QString& language)
{
    initLanguageResources();
    return translator.load(QStringLiteral(":/i18n/tarvelon_%1.qm").arg(language));
}

QStringList knownLanguages()
{
    return {QStringLiteral("en"), QStringLiteral("it")};
}

QString languageArgument(const QStringList& arguments)
{
    const QString option = QStringLiteral("--language");
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == option && i + 1 < arguments.size())
            return arguments[i + 1];
        if (arguments[i].startsWith(option + QLatin1Char('=')))
            return arguments[i].mid(option.size() + 1);
    }
    return {};
}

QString systemLanguage()
{
#ifdef _WIN32
    for (const QString& name : QLocale::system().uiLanguages()) {
        const QString language = languageOf(name);
        if (!language.isEmpty())
            return language;
    }
    return QStringLiteral("en");
#else
    // The first of LC_ALL, LC_MESSAGES and LANG that is set names the locale; LANGUAGE, a list
    // of preferences, comes before it unless that locale is C (as gettext reads them).
    QString locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = qEnvironmentVariable(name);
        if (!locale.isEmpty())
            break;
    }
    if (locale.isEmpty() || locale == QLatin1String("C") || locale == QLatin1String("POSIX") ||
        locale.startsWith(QLatin1String("C."))) {
        return QStringLiteral("en");
    }
    for (const QString& preferred : qEnvironmentVariable("LANGUAGE").split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString language = languageOf(preferred);
        if (!language.isEmpty())
            return language;
    }
    const QString language = languageOf(locale);
    return language.isEmpty() ? QStringLiteral("en") : language;
#endif
}

QString useLanguage(QCoreApplication&, const QString& choice)
{
    initLanguageResources();
    QString language = languageOf(choice);
    if (language.isEmpty())
        language = systemLanguage();
    removeTranslators();
    // English is the language of the sources and of Qt itself: its catalogue holds only the
    // plural forms of the texts that count something.
    if (language == QLatin1String("en")) {
        gProgram = loaded(QStringLiteral(":/i18n/tarvelon_en.qm"));
    } else {
        gProgram = loaded(QStringLiteral(":/i18n/tarvelon_%1.qm").arg(language));
        gQt = loaded(QStringLiteral(":/i18n/qtbase_%1.qm").arg(language));
    }
    setTranslator(translated);
    // The numbers the window shows and takes follow its language ("12,5" in Italian, "12.5" in
    // English, whatever the system's own locale); files, CSV and the library write theirs
    // without a locale (QString::number, std::to_chars), so they stay as they are.
    QLocale::setDefault(language == QLatin1String("it") ? QLocale(QLocale::Italian, QLocale::Italy)
                                                        : QLocale(QLocale::English, QLocale::UnitedStates));
    gUsed = language;
    return language;
}

} // namespace tarvelon
