// tarvelon blocks: the unit's 30 blocks, as the Download Blocks window lists them.
#include "cli/command.h"
#include "shell/texts.h"
#include "cli/console.h"
#include "cli/options.h"
#include "cli/session.h"
#include "cli/table.h"
#include "blocks/block_list.h"
#include "link/block.h"
#include "platform/qt/qt_text.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>

namespace tarvelon::cli {
namespace {

enum Column { kBlock, kClient, kSite, kTube, kDepth, kStep, kReadout, kDate, kTime, kState, kColumns };

void addOptions(QCommandLineParser& parser)
{
    addPortOption(parser);
    parser.addOption({QStringLiteral("csv"), Texts::tr("A CSV table with a header line instead of columns.")});
    addQuietOption(parser);
}

// A header text without the blanks the unit pads it with.
QString trimmed(const std::string& text)
{
    QString t = fromText(text);
    while (t.endsWith(QLatin1Char(' ')))
        t.chop(1);
    return t;
}

// "DDMMYY" as "DD/MM/YY", "hhmmss" as "hh:mm:ss", as the export file writes them.
QString withSeparators(const std::string& text, QChar separator)
{
    const QString t = fromText(text);
    return t.size() == 6 ? t.left(2) + separator + t.mid(2, 2) + separator + t.mid(4, 2) : t;
}

QStringList row(const ListedBlock& b, bool csv)
{
    QStringList cells(kColumns);
    cells[kBlock] = QString::fromStdString(twoDigits(b.block));
    if (!b.read) {
        cells[kState] = csv ? QStringLiteral("not read") : Texts::tr("not read", nullptr, 1);
        return cells;
    }
    cells[kClient] = trimmed(b.client);
    cells[kSite] = trimmed(b.site);
    cells[kTube] = trimmed(b.tube);
    cells[kDepth] = fromText(b.depth);
    cells[kStep] = b.readingRows == 0 ? QString() : b.step == "0" ? QStringLiteral("0.5") : QStringLiteral("1");
    cells[kReadout] = trimmed(b.readout);
    cells[kDate] = withSeparators(b.date, QLatin1Char('/'));
    cells[kTime] = withSeparators(b.time, QLatin1Char(':'));
    // A depth row not read gives no rows either: the header is what is wrong, not the block.
    const char* state = !b.headerWhole         ? QT_TRANSLATE_NOOP("Texts", "header incomplete")
                        : b.readingRows == 0 ? QT_TRANSLATE_NOOP("Texts", "empty")
                                             : QT_TRANSLATE_NOOP("Texts", "measured");
    cells[kState] = csv ? QString::fromLatin1(state) : Texts::tr(state);
    return cells;
}

int run(const QCommandLineParser& parser)
{
    const PortChoice port = portOf(parser);
    const bool csv = parser.isSet(QStringLiteral("csv"));
    Session session(port, quiet(parser));
    const std::vector<ListedBlock> blocks = listBlocks(session.context());

    std::vector<QStringList> rows{csv ? QStringList{"block", "client", "site", "tube", "depth_m", "step_m", "readout",
                                                    "date", "time", "state"}
                                      : QStringList{Texts::tr("Block"), Texts::tr("Client"), Texts::tr("Site"),
                                                    Texts::tr("Tube"), Texts::tr("Depth"), Texts::tr("Step"),
                                                    Texts::tr("Readout"), Texts::tr("Date"), Texts::tr("Time"), ""}};
    // A unit that never answered lists nothing: the message says why.
    if (std::none_of(blocks.begin(), blocks.end(), [](const ListedBlock& b) { return b.read; }))
        return session.exitStatus();
    for (const ListedBlock& b : blocks)
        rows.push_back(row(b, csv));
    printTable(rows, csv);
    return session.exitStatus();
}

} // namespace

extern const Command kBlocksCommand{
    "blocks", "--port NAME [--csv]",
    QT_TRANSLATE_NOOP("Texts", "The unit's 30 blocks, one a line, empty blocks marked."),
    addOptions, run};

} // namespace tarvelon::cli
