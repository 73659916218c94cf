#include "blocks/download_steps.h"
#include "platform/translate.h"

#include "blocks/export_files.h"
#include "blocks/header_entry.h"
#include "blocks/header_read.h"
#include "link/block.h"

#include <cmath>

namespace tarvelon::download_steps {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";
constexpr int kRowsPerPage = 16;

// The ten header rows. False when the unit fell silent or the operator stopped.
bool readHeader(Context& c, Exchange& ex, Wake firstWake, BlockHeader& header, HeaderTexts& texts,
                const std::function<void(int)>& onRow)
{
    // The export carries six characters of the time row.
    if (!readHeaderRows(c, ex, firstWake, texts, 6, onRow))
        return false;
    const auto t = [&texts](size_t r) { return texts[r].value_or(""); };
    header = {t(0), t(1), t(2), t(3), t(4), t(5), t(6), t(7), t(8), t(9)};
    return true;
}

void writeHeaderExport(Context& c, const BlockHeader& header, DownloadFile& file)
{
    c.form.setText("Text1", file.path());
    file.open();
    long k = 0;
    for (const std::string& record : headerExportRecords(header))
        file.write(++k, record);
    file.flush();
}

// One row per depth step from the deepest up, each written to the work file as it arrives and
// kept in `run.records`; `onRow` hears of each (1-based) before it is fetched. False when the
// unit fell silent or the operator stopped.
bool readReadings(Context& c, Exchange& ex, BlockRun& run, const std::function<void(int)>& onRow)
{
    const BlockHeader& header = run.header;
    const int stepTenths = header.step == "0" ? 5 : 10;
    const int readings = header.guides == "4" ? 8 : 4;
    const int rows = readingRowCount(header.depth, header.step);
    // Whole tenths, so 0.5 m steps count down exactly.
    const int deepest = static_cast<int>(std::lround(numericValue(header.depth) * 10));

    c.form.setText("Text1", run.files->readingsExport.path());
    DownloadFile& work = run.files->work;
    work.open();
    run.records.push_back(columnLine());
    run.records.push_back(ReadingsRecord{});
    work.write(1, run.records[0].bytes());
    work.write(2, run.records[1].bytes());

    for (int i = 0; i < rows; ++i) {
        onRow(i + 1);
        c.state.pageDigit = std::string(1, kHexDigits[static_cast<size_t>(1 + i / kRowsPerPage)]);
        c.state.rowOffset = hexByte(static_cast<unsigned>(i % kRowsPerPage) * 0x10);
        const int depth = deepest - i * stepTenths;
        const Row row = fetchRow(c, ex);
        if (row.status == Row::Lost)
            return false;
        // A row not read is left out, yet the next row still stands a step higher.
        if (row.status == Row::Fetched) {
            run.records.push_back(readingsRow(depth, row.reply, readings));
            work.write(static_cast<long>(run.records.size()), run.records.back().bytes());
            ++run.result.rowsRead;
        } else {
            run.result.unreadDepths.push_back(depth);
        }
    }
    return true;
}

void writeReadingsExport(Context& c, const std::vector<ReadingsRecord>& records, DownloadFile& file)
{
    c.form.setText("Text1", file.path());
    file.open();
    long k = 0;
    for (auto it = records.rbegin(); it != records.rend(); ++it)
        file.write(++k, exportRecord(*it).bytes());
    file.flush();
}

void noteFailedFiles(BlockRun& run)
{
    const DownloadFiles& files = *run.files;
    for (const DownloadFile* f : {&files.headerExport, &files.work, &files.readingsExport})
        if (f->failed())
            run.result.problems.push_back(fillIn(translate("Texts", "Attention: cannot write file %1"), {f->path()}));
}

void noteUnreadDepths(BlockResult& result)
{
    const std::vector<int>& depths = result.unreadDepths;
    if (depths.empty())
        return;
    // The box stays readable however many rows were lost.
    constexpr size_t kListed = 20;
    std::string list;
    for (size_t i = 0; i < depths.size() && i < kListed; ++i)
        list += (i ? ", " : "") + depthPattern(depths[i]);
    if (depths.size() > kListed)
        list = fillIn(translate("Texts", "%1 and %2 more"), {list, std::to_string(depths.size() - kListed)});
    result.problems.push_back(
        depths.size() == 1 ? fillIn(translate("Texts", "Attention: %1 row of readings could not be read, depths %2"), {"1", list})
                           : fillIn(translate("Texts", "Attention: %1 rows of readings could not be read, depths %2"),
                                    {std::to_string(depths.size()), list}));
}

} // namespace

// Steps 4 to 11 of a block on the open port, after its first wake: the header, the header
// export file staged, the readings into the work file. `progress` gives the block's place in
// the run; the rows of readings expected (-1: not known before the header) and those of the
// blocks still to come give the time left.
Reading readBlockRows(Context& c, Exchange& ex, Wake firstWake, BlockRun& run, Progress progress,
                      int readingRowsExpected, int rowsAfter, const ExportNamer& namer)
{
    constexpr size_t kDepthRow = 3, kStepRow = 4;
    const int headerRows = static_cast<int>(kHeaderRows.size());
    progress.headerRows = headerRows;
    HeaderTexts texts;
    // The bar counts every row of the block against one total from the first row it shows, so
    // it never goes back: a run knows the block's rows from its list, a single download once
    // the depth and step rows are in.
    const auto headerProgress = [&](int row) {
        if (readingRowsExpected >= 0) {
            progress.rows = headerRows + readingRowsExpected;
        } else if (texts[kDepthRow] && texts[kStepRow]) {
            progress.rows = headerRows + readingRowCount(depthText(*texts[kDepthRow]), *texts[kStepRow]);
        } else {
            return;
        }
        showRowProgress(c.form, progress, row, rowsAfter);
    };

    // 4. The header; a unit that falls silent here leaves every file as it was, and so does
    //    a header row not read, which would give the files a wrong name or wrong depths.
    c.state.pageDigit = "0";
    c.state.rowOffset = "00";
    if (!readHeader(c, ex, firstWake, run.header, texts, headerProgress))
        return Reading::Ended;
    UnreadRows unreadHeader;
    unreadHeader.note(run.result.block, texts);
    if (!unreadHeader.empty()) {
        run.result.problems.push_back(fillIn(translate("Texts", "%1; nothing was downloaded"), {unreadHeader.message()}));
        return Reading::HeaderUnread;
    }

    // 5. The work file of an earlier download goes; its export files stay until the new ones
    //    are complete.
    const std::string baseName = fileNameFromText(safeFileName(exportBaseName(run.header)));
    run.files = std::make_unique<DownloadFiles>(c.state.downloadFolder,
                                                namer ? namer(baseName, run.result.block) : baseName);
    run.files->work.remove();

    // 6, 7. The header export file.
    run.header.depth = depthText(run.header.depth);
    writeHeaderExport(c, run.header, run.files->headerExport);

    // 8 to 11. The readings, into the work file.
    progress.rows = headerRows + readingRowCount(run.header.depth, run.header.step);
    const auto rowProgress = [&](int row) { showRowProgress(c.form, progress, headerRows + row, rowsAfter); };
    const bool complete = readReadings(c, ex, run, rowProgress);
    run.files->work.close();
    return complete ? Reading::Complete : Reading::Ended;
}

// A block whose reading ended early: the work file keeps every row read; the earlier exports
// stay, as an export of part of the block would pass for all of it.
void keepEarlierExports(BlockRun& run)
{
    if (!run.files)
        return;
    run.files->headerExport.discard();
    noteFailedFiles(run);
    run.result.problems.push_back(
        fillIn(translate("Texts", "Attention: the download did not finish; these files were not replaced: %1, %2"),
               {run.files->headerExport.path(), run.files->readingsExport.path()}));
    noteUnreadDepths(run.result);
    // The rows read still reach the survey library, which keeps them marked incomplete.
    run.result.downloaded = {false, run.header, std::move(run.records), {}, {}};
}

// Both staged export files in place of the earlier pair, or neither: the first one's earlier
// file is kept aside until the second is in place, and put back when the second cannot be.
// Empty when both stand, else the messages naming the file refused and why.
std::vector<std::string> replacePair(DownloadFile& first, DownloadFile& second)
{
    std::string why;
    if (!first.keepEarlierAside(why))
        return {fillIn(translate("Texts", "Attention: cannot replace file %1: %2"), {first.path(), why}),
                fillIn(translate("Texts", "Attention: the other export file could not be written, so this one was not replaced: %1"), {second.path()})};
    if (!first.commit(why)) {
        first.dropEarlierAside();
        return {fillIn(translate("Texts", "Attention: cannot replace file %1: %2"), {first.path(), why}),
                fillIn(translate("Texts", "Attention: the other export file could not be written, so this one was not replaced: %1"), {second.path()})};
    }
    if (second.commit(why)) {
        first.dropEarlierAside();
        return {};
    }
    std::vector<std::string> problems{fillIn(translate("Texts", "Attention: cannot replace file %1: %2"), {second.path(), why}),
                                      fillIn(translate("Texts", "Attention: the other export file could not be written, so this one was not replaced: %1"), {first.path()})};
    if (!first.putEarlierBack())
        problems.push_back(fillIn(translate("Texts", "Attention: the earlier file could not be put back; it is kept as %1"),
                                  {textFromPath(first.asidePath())}));
    return problems;
}

// Steps 14 to 16: the readings export file, the work records from the shallowest down; then
// both export files, complete and on the disk, replace the earlier ones together. One that
// could not be written or put in place keeps the other from replacing its earlier file, so the
// pair of a name always belongs to one download; the library then keeps nothing.
void exportBlock(Context& c, BlockRun& run)
{
    DownloadFiles& files = *run.files;
    writeReadingsExport(c, run.records, files.readingsExport);
    const bool whole = !files.headerExport.failed() && !files.readingsExport.failed();
    const std::vector<std::string> refused =
        whole ? replacePair(files.headerExport, files.readingsExport) : std::vector<std::string>{};
    const bool placed = whole && refused.empty();
    // Whatever was not committed goes; an earlier file of its name stays.
    files.headerExport.discard();
    files.readingsExport.discard();
    if (placed)
        run.result.filesWritten = {files.headerExport.path(), files.readingsExport.path()};
    noteFailedFiles(run);
    for (const DownloadFile* f : {&files.headerExport, &files.readingsExport})
        if (!whole && !f->failed())
            run.result.problems.push_back(fillIn(translate("Texts", "Attention: the other export file could not be written, so this one was not replaced: %1"), {f->path()}));
    run.result.problems.insert(run.result.problems.end(), refused.begin(), refused.end());
    noteUnreadDepths(run.result);
    // Rows not read are named, yet the block's files stand.
    run.result.status = placed ? BlockResult::Downloaded : BlockResult::Failed;
    if (placed)
        run.result.downloaded = {true, run.header, std::move(run.records), files.headerExport.fileSystemPath(),
                                 files.readingsExport.fileSystemPath()};
}

void showProblems(Context& c, const BlockResult& result)
{
    for (const std::string& text : result.problems)
        c.messages.show(text, Icon::Error);
}

} // namespace tarvelon::download_steps
