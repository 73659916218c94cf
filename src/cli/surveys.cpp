// tarvelon surveys: what the survey library holds.
#include "cli/command.h"
#include "cli/console.h"
#include "cli/options.h"
#include "cli/table.h"
#include "platform/file_path.h"
#include "surveys/store.h"

#include <filesystem>

namespace tarvelon::cli {
namespace {

void addOptions(QCommandLineParser& parser)
{
    addLibraryOption(parser);
    for (const char* name : {"client", "site", "tube"})
        parser.addOption({QLatin1String(name), QStringLiteral("Only the surveys of this %1.").arg(QLatin1String(name)),
                          QStringLiteral("TEXT")});
    parser.addOption({QStringLiteral("csv"), QStringLiteral("A CSV table with a header line instead of columns.")});
}

// The library keeps header texts without their trailing blanks; so is a name typed.
QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

int run(const QCommandLineParser& parser)
{
    const std::string library = *libraryOf(parser);
    const bool csv = parser.isSet(QStringLiteral("csv"));
    // Listing must not leave an empty library behind where there was none.
    std::error_code ec;
    if (!std::filesystem::exists(fsPath(library), ec)) {
        printMessage(QStringLiteral("Attention: no survey library at ") + QString::fromStdString(library));
        return kFailed;
    }
    surveys::SurveyStore store;
    if (!store.open(library)) {
        printMessage(QStringLiteral("Attention: the survey library cannot be read: ") +
                     QString::fromStdString(store.error()));
        return kFailed;
    }
    const auto wanted = [&parser](const char* option, const std::string& value) {
        return !parser.isSet(QLatin1String(option)) ||
               withoutTrailingBlanks(parser.value(QLatin1String(option))) ==
                   withoutTrailingBlanks(QString::fromStdString(value));
    };
    std::vector<QStringList> rows{
        csv ? QStringList{"id", "client", "site", "tube", "readout", "date", "time", "downloaded_at"}
            : QStringList{"Id", "Client", "Site", "Tube", "Readout", "Date", "Time", "Downloaded (UTC)"}};
    for (const surveys::SurveySummary& s : store.list())
        if (wanted("client", s.client) && wanted("site", s.site) && wanted("tube", s.tube))
            rows.push_back({QString::number(s.id), QString::fromStdString(s.client), QString::fromStdString(s.site),
                            QString::fromStdString(s.tube), QString::fromStdString(s.readout),
                            QString::fromStdString(s.date), QString::fromStdString(s.time),
                            QString::fromStdString(s.downloadedAt)});
    if (rows.size() > 1 || csv)
        printTable(rows, csv);
    return kSucceeded;
}

} // namespace

extern const Command kSurveysCommand{"surveys", "[--library FILE] [--client C] [--site S] [--tube T] [--csv]",
                                     "The surveys of the library, one a line.", addOptions, run};

} // namespace tarvelon::cli
