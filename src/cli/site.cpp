// tarvelon site: every tube of a site at a glance, as a table, CSV and the site report.
#include "cli/command.h"
#include "shell/texts.h"
#include "cli/console.h"
#include "cli/library.h"
#include "cli/options.h"
#include "cli/table.h"
#include "library/site.h"
#include "platform/qt/qt_file_message.h"
#include "report/report_language.h"
#include "report/site_report.h"

#include <QDate>
#include <QDateTime>
#include <QSaveFile>

#include <set>

namespace tarvelon::cli {
namespace {

void addOptions(QCommandLineParser& parser)
{
    addLibraryOption(parser);
    parser.addOption({QStringLiteral("client"), Texts::tr("The site's client (required)."), QStringLiteral("TEXT")});
    parser.addOption({QStringLiteral("site"), Texts::tr("The site (all the client's sites without it)."),
                      QStringLiteral("TEXT")});
    parser.addOption({QStringLiteral("csv"),
                      Texts::tr("Write the site table as CSV to FILE (\"-\": standard output). Without --csv "
                                     "and --pdf it goes to standard output in columns."),
                      QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("pdf"), Texts::tr("Write the site report (A4 PDF) to FILE."),
                      QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("language"),
                      Texts::tr("The report's language, en or it (the program's by default); the CSV is the same in both."),
                      QStringLiteral("en|it")});
    parser.addOption({QStringLiteral("today"),
                      Texts::tr("Count days since and overdue readouts to the start of this day (now by default)."),
                      QStringLiteral("YYYY-MM-DD")});
}

// The language every tube of the site has for its reports, "" (the program's) when they differ or
// have none.
QString siteLanguage(const surveys::Site& site)
{
    std::set<std::string> languages;
    for (const auto& tube : site.tubes)
        languages.insert(tube->result.settings.report.language);
    return languages.size() == 1 ? QString::fromStdString(*languages.begin()) : QString();
}

bool writeWhole(const QString& path, const std::string& text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), qint64(text.size())) != qint64(text.size()) ||
        !file.commit()) {
        printMessage(cannotWriteFileMessage(path, file.errorString()));
        return false;
    }
    return true;
}

// The table for a person: headings and words in the user's language, each value with its unit,
// as the Site view shows them; the CSV keeps its own column names and English words.
std::vector<QStringList> shownTable(const std::vector<surveys::SiteRow>& rows)
{
    std::vector<QStringList> table{{Texts::tr("Client"), Texts::tr("Site"), Texts::tr("Tube"), Texts::tr("Readout"),
                                    Texts::tr("Date"), Texts::tr("Days since"), Texts::tr("Overdue"),
                                    Texts::tr("Largest"), Texts::tr("at (m)"), Texts::tr("Azimuth (\u00b0)"),
                                    Texts::tr("Rate"), Texts::tr("Status"), Texts::tr("Criterion"),
                                    Texts::tr("Projected alarm")}};
    const auto q = [](const std::string& s) { return QString::fromStdString(s); };
    for (const surveys::SiteRow& r : rows) {
        const surveys::SiteCells c = surveys::shownSiteCells(r);
        table.push_back({q(r.key.client), q(r.key.site), q(c.tube), q(c.readout), q(c.date), q(c.daysSince),
                         q(c.overdue), q(c.largest), q(c.depth), q(c.azimuth), q(c.rate), q(c.status),
                         q(surveys::shownCriteriaText(r.causes)), q(c.projected)});
    }
    return table;
}

int run(const QCommandLineParser& parser)
{
    const std::string client = withoutTrailingBlanks(requiredValue(parser, QStringLiteral("client"))).toStdString();
    std::optional<std::string> site;
    if (parser.isSet(QStringLiteral("site")))
        site = withoutTrailingBlanks(parser.value(QStringLiteral("site"))).toStdString();
    const QString csvPath = parser.value(QStringLiteral("csv"));
    const QString pdfPath = parser.value(QStringLiteral("pdf"));
    if (parser.isSet(QStringLiteral("csv")) && csvPath.isEmpty())
        throw UsageError{Texts::tr("--csv needs a file name, or \"-\" for standard output")};
    if (parser.isSet(QStringLiteral("pdf")) && pdfPath.isEmpty())
        throw UsageError{Texts::tr("--pdf needs a file name")};
    const QString language = parser.value(QStringLiteral("language"));
    if (parser.isSet(QStringLiteral("language")) && report::knownReportLanguage(language).isEmpty())
        throw UsageError{Texts::tr("--language takes en or it, not \"%1\"").arg(language)};
    // Now, on the clock the unit's dates are read on: the computer's local time.
    const QDateTime now = QDateTime::currentDateTime();
    double today = double(QDate(1970, 1, 1).daysTo(now.date())) + now.time().msecsSinceStartOfDay() / 86400000.0;
    if (parser.isSet(QStringLiteral("today"))) {
        const auto days = surveys::isoDays(parser.value(QStringLiteral("today")).trimmed().toStdString());
        if (!days)
            throw UsageError{Texts::tr("--today takes a date as YYYY-MM-DD, not \"%1\"")
                                 .arg(parser.value(QStringLiteral("today")))};
        today = *days;
    }

    surveys::SurveyStore store;
    if (!openExistingLibrary(*libraryOf(parser), store))
        return kFailed;
    // The report's charts against time draw every readout; the table needs the latest only.
    const surveys::Site loaded = surveys::loadSite(store, client, site, today, !pdfPath.isEmpty());
    if (damagedSaid(store))
        return kFailed;
    if (loaded.rows.empty()) {
        const QString named = Texts::tr("client \"%1\"%2").arg(
            QString::fromStdString(client), site ? Texts::tr(", site \"%1\"").arg(QString::fromStdString(*site)) : QString());
        printMessage(Texts::tr("Attention: the survey library holds no tube of %1").arg(named));
        return kFailed;
    }
    bool ok = true;
    const std::string csv = surveys::siteCsv(loaded.rows);
    if (csvPath == QLatin1String("-"))
        printText(QString::fromStdString(csv));
    else if (!csvPath.isEmpty())
        ok = writeWhole(csvPath, csv) && ok;
    else if (pdfPath.isEmpty())
        printTable(shownTable(loaded.rows), false);
    if (!pdfPath.isEmpty()) {
        QString error;
        report::SiteReportOptions options;
        options.title = QString::fromStdString(client + (site ? " / " + *site : ""));
        options.today = today;
        options.language = language.isEmpty() ? siteLanguage(loaded) : language;
        if (!report::writeSiteReport(pdfPath, loaded, options, &error)) {
            printMessage(Texts::tr("Attention: cannot write the site report %1: %2").arg(nativePath(pdfPath), error));
            ok = false;
        }
    }
    return ok ? kSucceeded : kFailed;
}

} // namespace

extern const Command kSiteCommand{"site",
                                  "[--library FILE] --client C [--site S] [--csv FILE|-] [--pdf FILE [--language en|it]] [--today DATE]",
                                  QT_TRANSLATE_NOOP("Texts", "A site's tubes at a glance: latest readout, state, rate "
                                                             "and projected alarm date."),
                                  addOptions, run};

} // namespace tarvelon::cli
