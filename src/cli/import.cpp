// tarvelon import: export files already on disk into the survey library.
#include "cli/command.h"
#include "shell/texts.h"
#include "cli/console.h"
#include "cli/library.h"
#include "cli/options.h"
#include "library/import.h"

namespace tarvelon::cli {
namespace {

void addOptions(QCommandLineParser& parser)
{
    addLibraryOption(parser);
    parser.addPositionalArgument(QStringLiteral("PATH"),
                                 Texts::tr("A header or readings export file, or a folder searched with its "
                                           "subfolders."),
                                 QStringLiteral("PATH..."));
}

int run(const QCommandLineParser& parser)
{
    const std::string library = *libraryOf(parser);
    std::vector<std::string> paths;
    for (const QString& path : parser.positionalArguments())
        paths.push_back(path.toStdString());
    if (paths.empty())
        throw UsageError{Texts::tr("name the export files or folders to import")};

    surveys::SurveyStore store;
    if (!openLibraryToWrite(library, store))
        return kFailed;
    const surveys::ImportReport report = surveys::importExportFiles(store, paths);
    for (const std::string& message : report.messages)
        printMessage(QString::fromStdString(message));
    printResult(Texts::tr("%1 added, %2 already in the library, %3 failed")
                    .arg(report.added)
                    .arg(report.skipped)
                    .arg(report.failed));
    return report.failed > 0 ? kFailed : kSucceeded;
}

} // namespace

extern const Command kImportCommand{"import", "[--library FILE] PATH...",
                                    QT_TRANSLATE_NOOP("Texts", "Export files (or folders of them) into the survey library."),
                                    addOptions, run,
                                    true};

} // namespace tarvelon::cli
