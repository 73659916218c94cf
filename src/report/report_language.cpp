#include "report/report_language.h"

#include "platform/qt/qt_text.h"
#include "platform/translate.h"
#include "shell/language.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTranslator>

namespace tarvelon::report {
namespace {

// The innermost report being written; a report written while another is (none today) nests.
ReportLanguage* gActive = nullptr;
QTranslator* gCatalogue = nullptr;

QString reportText(const char* context, const char* source, const char* disambiguation, int n)
{
    QString text = gCatalogue ? gCatalogue->translate(context, source, disambiguation, n) : QString();
    if (text.isEmpty())
        text = QString::fromUtf8(source);
    if (n >= 0)
        text.replace(QLatin1String("%n"), QString::number(n));
    return text;
}

// The hook the analysis translates through while a report is written.
std::string reportHook(const char* context, const char* source, const char* disambiguation, int n)
{
    return toText(reportText(context, source, disambiguation, n));
}

} // namespace

QStringList reportLanguages()
{
    return knownLanguages();
}

QString knownReportLanguage(const QString& choice)
{
    return reportLanguages().contains(choice) ? choice : QString();
}

ReportLanguage::ReportLanguage(const QString& language)
    : language_(knownReportLanguage(language).isEmpty() ? usedLanguage() : language), outer_(gActive),
      previousHook_(currentTranslator())
{
    if (language_ != QLatin1String("en")) {
        catalogue_ = std::make_unique<QTranslator>();
        if (!loadCatalogue(*catalogue_, language_))
            catalogue_.reset();
    }
    gActive = this;
    gCatalogue = catalogue_.get();
    setTranslator(reportHook);
}

ReportLanguage::~ReportLanguage()
{
    gActive = outer_;
    gCatalogue = outer_ ? outer_->catalogue_.get() : nullptr;
    setTranslator(previousHook_);
}

QString translate(const char* context, const char* source, const char* disambiguation, int n)
{
    if (gActive)
        return reportText(context, source, disambiguation, n);
    return QCoreApplication::translate(context, source, disambiguation, n);
}

QString writingLanguage()
{
    return gActive ? gActive->language() : QString();
}

QString localNumbers(const QString& text)
{
    if (writingLanguage() != QLatin1String("it"))
        return text;
    QString out = text;
    for (qsizetype i = 1; i + 1 < out.size(); ++i)
        if (out[i] == QLatin1Char('.') && out[i - 1].isDigit() && out[i + 1].isDigit())
            out[i] = QLatin1Char(',');
    return out;
}

QString localDates(const QString& text)
{
    if (writingLanguage() != QLatin1String("it"))
        return text;
    static const QRegularExpression iso(QStringLiteral("\\b(\\d{4})-(\\d{2})-(\\d{2})\\b"));
    QString out = text;
    return out.replace(iso, QStringLiteral("\\3/\\2/\\1"));
}

QString localNumber(double value, char format, int precision)
{
    return localNumbers(QString::number(value, format, precision));
}

} // namespace tarvelon::report
