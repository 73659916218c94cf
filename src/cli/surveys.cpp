// tarvelon surveys: what the survey library holds.
#include "cli/command.h"
#include "shell/texts.h"
#include "cli/console.h"
#include "cli/library.h"
#include "cli/options.h"
#include "cli/table.h"
#include "library/store.h"

namespace tarvelon::cli {
namespace {

void addOptions(QCommandLineParser& parser)
{
    addLibraryOption(parser);
    // The option's own name, said in the user's language.
    for (const char* name : {QT_TRANSLATE_NOOP("Texts", "client"), QT_TRANSLATE_NOOP("Texts", "site"),
                             QT_TRANSLATE_NOOP("Texts", "tube")})
        parser.addOption({QLatin1String(name), Texts::tr("Only the surveys of this %1.").arg(Texts::tr(name)),
                          QStringLiteral("TEXT")});
    parser.addOption({QStringLiteral("csv"), Texts::tr("A CSV table with a header line instead of columns.")});
}

int run(const QCommandLineParser& parser)
{
    const std::string library = *libraryOf(parser);
    const bool csv = parser.isSet(QStringLiteral("csv"));
    surveys::SurveyStore store;
    if (!openExistingLibrary(library, store))
        return kFailed;
    const auto wanted = [&parser](const char* option, const std::string& value) {
        return !parser.isSet(QLatin1String(option)) ||
               withoutTrailingBlanks(parser.value(QLatin1String(option))) ==
                   withoutTrailingBlanks(QString::fromStdString(value));
    };
    std::vector<QStringList> rows{
        csv ? QStringList{"id", "client", "site", "tube", "readout", "date", "time", "downloaded_at", "state"}
            : QStringList{Texts::tr("Id"), Texts::tr("Client"), Texts::tr("Site"), Texts::tr("Tube"),
                          Texts::tr("Readout"), Texts::tr("Date"), Texts::tr("Time"), Texts::tr("Downloaded (UTC)"),
                          QString()}};
    const std::vector<surveys::SurveySummary> all = store.list();
    if (damagedSaid(store))
        return kFailed;
    for (const surveys::SurveySummary& s : all)
        if (wanted("client", s.client) && wanted("site", s.site) && wanted("tube", s.tube))
            rows.push_back({QString::number(s.id), QString::fromStdString(s.client), QString::fromStdString(s.site),
                            QString::fromStdString(s.tube), QString::fromStdString(s.readout),
                            QString::fromStdString(s.date), QString::fromStdString(s.time),
                            QString::fromStdString(s.downloadedAt),
                            // Rows the unit holds were not read: a whole download completes it.
                            s.complete ? (csv ? QStringLiteral("complete") : QString())
                                       : (csv ? QStringLiteral("incomplete") : Texts::tr("incomplete"))});
    if (rows.size() > 1 || csv)
        printTable(rows, csv);
    return kSucceeded;
}

} // namespace

extern const Command kSurveysCommand{"surveys", "[--library FILE] [--client C] [--site S] [--tube T] [--csv]",
                                     QT_TRANSLATE_NOOP("Texts", "The surveys of the library, one a line, incomplete ones "
                                                                "marked."),
                                     addOptions, run};

} // namespace tarvelon::cli
