// tarvelon history: who changed what of a tube, and when.
#include "cli/command.h"
#include "shell/texts.h"
#include "cli/console.h"
#include "cli/library.h"
#include "cli/options.h"
#include "cli/table.h"
#include "cli/tube_key.h"

namespace tarvelon::cli {
namespace {

void addOptions(QCommandLineParser& parser)
{
    addLibraryOption(parser);
    addTubeOptions(parser);
    parser.addOption({QStringLiteral("csv"), Texts::tr("A CSV table with a header line instead of columns.")});
}

int run(const QCommandLineParser& parser)
{
    const std::string library = *libraryOf(parser);
    const surveys::TubeKey key = tubeKeyOf(parser);
    const bool csv = parser.isSet(QStringLiteral("csv"));
    surveys::SurveyStore store;
    if (!openExistingLibrary(library, store))
        return kFailed;
    const std::vector<surveys::HistoryEntry> history = store.history(key);
    if (damagedSaid(store))
        return kFailed;
    if (history.empty() && !csv) {
        printMessage(Texts::tr("Attention: the survey library holds no change of %1").arg(tubeName(key)));
        return kSucceeded;
    }
    std::vector<QStringList> rows{csv ? QStringList{"at", "who", "what"} : QStringList{Texts::tr("When (UTC)"), Texts::tr("Who"), Texts::tr("What")}};
    for (const surveys::HistoryEntry& h : history)
        rows.push_back({QString::fromStdString(h.at), QString::fromStdString(h.who), QString::fromStdString(h.what)});
    printTable(rows, csv);
    return kSucceeded;
}

} // namespace

extern const Command kHistoryCommand{"history", "[--library FILE] --client C --site S --tube T [--csv]",
                                     QT_TRANSLATE_NOOP("Texts", "Who changed what of a tube, and when."), addOptions,
                                     run};

} // namespace tarvelon::cli
