#pragma once
#include <QString>
#include <QStringList>

#include <memory>
#include <string>

class QTranslator;

// The language a report is written in, which need not be the program's: an English window
// writes an Italian client's report. While a ReportLanguage lives, the report's texts and the
// texts the analysis gives it come out in its language.
namespace tarvelon::report {

// The languages a report can be written in, in the order a list offers them.
QStringList reportLanguages();

// "en" or "it" from a choice; "" for anything else.
QString knownReportLanguage(const QString& choice);

class ReportLanguage {
public:
    // `language` "en" or "it"; an empty or unknown one is the program's.
    explicit ReportLanguage(const QString& language);
    ~ReportLanguage();
    ReportLanguage(const ReportLanguage&) = delete;
    ReportLanguage& operator=(const ReportLanguage&) = delete;

    QString language() const { return language_; }

private:
    QString language_;
    std::unique_ptr<QTranslator> catalogue_;
    ReportLanguage* outer_ = nullptr;
    using Hook = std::string (*)(const char*, const char*, const char*, int);
    Hook previousHook_ = nullptr;
};

// The report's text in the language of the report being written, or in the program's outside
// one (the Surveys window draws the same charts). Named like Qt's so the catalogue finds it.
QString translate(const char* context, const char* source, const char* disambiguation = nullptr, int n = -1);

// The language of the report being written, "" outside one.
QString writingLanguage();

// Numbers as the report's language writes them: a decimal comma in Italian, so every point
// between two digits becomes a comma; as they are in English and outside a report.
QString localNumbers(const QString& text);
QString localNumber(double value, char format, int precision);

// The dates in a text as the report's language writes them: 2026-03-01 becomes 01/03/2026 in
// Italian; as they are in English and outside a report.
QString localDates(const QString& text);

} // namespace tarvelon::report
