// tarvelon download: blocks of the unit into export files, and into the survey library.
#include "cli/command.h"
#include "shell/texts.h"
#include "cli/console.h"
#ifdef TARVELON_CLI_SURVEYS
#include "cli/library.h"
#endif
#include "cli/options.h"
#include "cli/session.h"
#include "blocks/block_list.h"
#include "blocks/download.h"
#include "blocks/header_entry.h"
#include "link/block.h"
#include "platform/file_path.h"
#include "platform/qt/qt_file_message.h"
#include "platform/qt/qt_text.h"
#ifdef TARVELON_CLI_SURVEYS
#include "library/download_feed.h"
#endif

#include <QCoreApplication>
#include <QDateTime>

#include <algorithm>
#include <set>

namespace tarvelon::cli {
namespace {

void addOptions(QCommandLineParser& parser)
{
    addPortOption(parser);
    parser.addOption({QStringLiteral("folder"), Texts::tr("The download folder (it must exist)."),
                      QStringLiteral("DIR")});
    parser.addOption({QStringLiteral("block"),
                      Texts::tr("A block to download, 1 to 30; repeat it, or give a list (5,7) or a range (2-5)."),
                      QStringLiteral("N")});
    parser.addOption({QStringLiteral("all"), Texts::tr("Every block that holds readings.")});
#ifdef TARVELON_CLI_SURVEYS
    addLibraryOption(parser, true);
#endif
    addQuietOption(parser);
}

// A block number exactly as a script writes it: digits only, leading zeros allowed, 1 to 30.
std::optional<int> blockNumberText(const QString& text)
{
    if (text.isEmpty() || !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    qsizetype first = 0;
    while (first < text.size() && text[first] == u'0')
        ++first;
    const QString significant = text.mid(first);
    if (significant.isEmpty() || significant.size() > 2)
        return std::nullopt;
    const int n = significant.toInt();
    return n >= 1 && n <= kBlockCount ? std::optional<int>(n) : std::nullopt;
}

// "5", "05" or a range "2-5"; nothing for anything else.
std::optional<std::pair<int, int>> blockRangeText(const QString& text)
{
    const QStringList ends = text.split(QLatin1Char('-'));
    if (ends.size() > 2)
        return std::nullopt;
    const std::optional<int> from = blockNumberText(ends.first());
    const std::optional<int> to = blockNumberText(ends.last());
    if (!from || !to || *from > *to)
        return std::nullopt;
    return std::pair{*from, *to};
}

std::set<int> blocksAsked(const QCommandLineParser& parser)
{
    std::set<int> blocks;
    for (const QString& value : parser.values(QStringLiteral("block")))
        for (const QString& text : value.split(QLatin1Char(','))) {
            const auto range = blockRangeText(text);
            if (!range)
                throw UsageError{Texts::tr("%1: \"%2\" (blocks are 1 to 30, as 5, 05 or a range 2-5)")
                                     .arg(QLatin1String(kIncorrectBlockNumber.data(),
                                                        static_cast<qsizetype>(kIncorrectBlockNumber.size())),
                                          text)};
            for (int n = range->first; n <= range->second; ++n)
                blocks.insert(n);
        }
    const bool all = parser.isSet(QStringLiteral("all"));
    if (all == !blocks.empty())
        throw UsageError{Texts::tr("give the blocks with --block N, or --all")};
    return blocks;
}

// The blocks that hold readings, as the Download Blocks window checks them; empty when the
// list did not come through.
std::vector<PlannedBlock> measuredBlocks(Session& session)
{
    std::vector<PlannedBlock> plan;
    const std::vector<ListedBlock> listed = listBlocks(session.context());
    if (std::any_of(listed.begin(), listed.end(), [](const ListedBlock& b) { return !b.read; }))
        return {};
    for (const ListedBlock& b : listed)
        if (b.readingRows > 0)
            plan.push_back({b.block, b.readingRows});
    if (plan.empty())
        session.report(Texts::tr("no block of the unit holds readings"), false);
    return plan;
}

int run(const QCommandLineParser& parser)
{
    const PortChoice port = portOf(parser);
    const QString folder = nativePath(requiredValue(parser, QStringLiteral("folder")));
    const std::set<int> blocks = blocksAsked(parser);
#ifdef TARVELON_CLI_SURVEYS
    // A library that cannot take the surveys is found before the unit is woken for nothing.
    const std::optional<std::string> library = libraryOf(parser);
    surveys::SurveyStore store;
    if (library && !openLibraryToWrite(*library, store))
        return kFailed;
#endif
    Session session(port, quiet(parser));
    session.state().downloadFolder = folder.toUtf8().toStdString();
    // The messages of a download name its files as the window's text holds them, where a
    // character outside Windows-1252 is a "?": the folder is given back as it is on disk.
    const QString folderAsText = fromText(textFromPath(session.state().downloadFolder));
    // Somewhere to write, before the unit is woken for nothing.
    if (!folderTakesFiles(session.state().downloadFolder)) {
        session.report(QLatin1String(kFolderNotWritable.data(), static_cast<qsizetype>(kFolderNotWritable.size())) +
                       folder);
        return session.exitStatus();
    }

    std::vector<PlannedBlock> plan;
    for (const int n : blocks)
        plan.push_back({n, 0});
    if (blocks.empty())
        plan = measuredBlocks(session);
    if (plan.empty())
        return session.exitStatus();

    std::set<int> told;
    const auto tell = [&](const BlockResult& r) {
        told.insert(r.block);
        // Both export files stand: their paths as the disk has them.
        if (r.filesWritten.size() == 2 && r.downloaded.complete) {
            printResult(nativePath(QString::fromStdString(r.downloaded.headerExportPath)));
            printResult(nativePath(QString::fromStdString(r.downloaded.readingsExportPath)));
        } else {
            for (const std::string& file : r.filesWritten)
                printResult(fromText(file).replace(folderAsText, folder));
        }
        for (const std::string& problem : r.problems)
            session.report(
                Texts::tr("block %1: %2").arg(r.block).arg(fromText(problem).replace(folderAsText, folder)));
    };
    const auto done = [&](const BlockResult& r) {
        tell(r);
#ifdef TARVELON_CLI_SURVEYS
        // Each block goes to the survey library as soon as its files stand; one that ended
        // early keeps the rows it read, marked incomplete, as the window keeps it.
        if (!library)
            return;
        const std::string now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
        const LibraryFeed fed = addToLibrary(store, r.downloaded, now);
        if (!fed.error.empty())
            session.report(QStringLiteral("block %1: ").arg(r.block) +
                           QLatin1String(kLibraryCannotBeWritten.data(),
                                         static_cast<qsizetype>(kLibraryCannotBeWritten.size())) +
                           fromText(fed.error));
        else if (fed.incomplete)
            session.report(Texts::tr("block %1: kept in the survey library marked incomplete").arg(r.block),
                           false);
#endif
    };
    for (const BlockResult& r : downloadBlocks(session.context(), plan, done))
        if (!told.count(r.block) && !interrupted())
            tell(r);
    return session.exitStatus();
}

} // namespace

extern const Command kDownloadCommand{
    "download", "--port NAME --folder DIR (--block N ... | --all)",
    QT_TRANSLATE_NOOP("Texts", "Blocks of the unit into export files, the same files as the window's, and into the survey library."),
    addOptions, run};

} // namespace tarvelon::cli
