#include "blocks/download.h"

#include "blocks/export_files.h"
#include "blocks/header_entry.h"
#include "blocks/header_read.h"
#include "link/block.h"
#include "link/exchange.h"
#include "link/progress.h"
#include "platform/file_path.h"
#include "platform/record_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <set>
#include <vector>

namespace tarvelon {
namespace {

constexpr std::string_view kOkButton = "command3d1";
constexpr std::string_view kBlockBox = "numblocco";
constexpr std::string_view kHexDigits = "0123456789ABCDEF";
constexpr int kReadingPages = 15;
constexpr int kRowsPerPage = 16;
// The pause before the export is written: the tick counter must pass 4.
constexpr int kPauseTicks = 5;

// One file of the download. Once a step on it fails it is written no further, so it never
// holds a mix of old and new records, and it is reported when the download ends. An export
// file is written under a temporary name in the same folder and replaces the earlier one only
// when the download is complete; until then, and whatever ends the download, the earlier one
// stays as it was.
class DownloadFile {
public:
    enum Mode { InPlace, Staged };

    DownloadFile(const std::string& folder, std::string_view name, int recordLength, Mode mode)
        : path_(joinPath(folder, name)),
          writePath_(mode == Staged ? path_ + ".part" : path_), length_(recordLength), ok_(!folder.empty())
    {
    }
    ~DownloadFile() { discard(); }
    DownloadFile(const DownloadFile&) = delete;
    DownloadFile& operator=(const DownloadFile&) = delete;

    // The path as the window and the messages show it.
    std::string path() const { return textFromPath(path_); }
    // The path as the file system takes it (UTF-8).
    const std::string& fileSystemPath() const { return path_; }
    bool failed() const { return !ok_; }

    // A file left by an earlier download must go: opening keeps what a file holds.
    void remove() { ok_ = ok_ && removeFile(path_); }
    void open() { ok_ = ok_ && (!staged() || removeFile(writePath_)) && file_.open(writePath_, length_); }
    void write(long k, std::string_view record) { ok_ = ok_ && file_.write(k, record); }
    void close() { file_.close(); }
    // The staged file closed once it is on the disk itself, so that once it is renamed into
    // place a power cut cannot leave it empty.
    void flush()
    {
        ok_ = ok_ && file_.sync();
        close();
    }
    // The new file in place of the earlier one.
    void commit()
    {
        close();
        ok_ = ok_ && (!staged() || replaceFile(writePath_, path_));
        discard();
    }
    // The new file dropped, the earlier one left.
    void discard()
    {
        close();
        if (staged())
            removeFile(writePath_);
    }

private:
    bool staged() const { return writePath_ != path_; }

    std::string path_;
    std::string writePath_;
    int length_;
    bool ok_;
    RecordFile file_;
};

// The export base name a block's files get: the header's own, or another when that one is
// already taken by an earlier block of the same run.
using ExportNamer = std::function<std::string(const std::string& baseName, int block)>;

struct DownloadFiles {
    DownloadFiles(const std::string& folder, const std::string& baseName)
        : headerExport(folder, baseName + std::string(kHeaderExportSuffix), kHeaderExportLength, DownloadFile::Staged),
          work(folder, kWorkFileName, kReadingsLength, DownloadFile::InPlace),
          readingsExport(folder, baseName + std::string(kReadingsExportSuffix), kReadingsLength, DownloadFile::Staged)
    {
    }
    DownloadFile headerExport;
    DownloadFile work;
    DownloadFile readingsExport;
};

DownloadedBlock endWithoutFiles(Context& c)
{
    c.form.setEnabled(kOkButton, true);
    c.loop.yield();
    return {};
}

// One block's download as it goes, from its first wake to its export files.
struct BlockRun {
    explicit BlockRun(int n) { result.block = n; }
    BlockHeader header;
    std::unique_ptr<DownloadFiles> files; // once the header is known
    std::vector<ReadingsRecord> records;
    BlockResult result;
};

enum class Reading {
    Complete,     // every row read: the export files may be written
    HeaderUnread, // a header row could not be read: no file touched, the port still open
    Ended,        // the unit fell silent or the operator stopped: port closed
};

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
            run.result.problems.push_back(std::string(kCannotWriteFile) + f->path());
}

void noteUnreadDepths(BlockResult& result)
{
    const std::vector<int>& depths = result.unreadDepths;
    if (depths.empty())
        return;
    // The box stays readable however many rows were lost.
    constexpr size_t kListed = 20;
    std::string text = "Attention: " + std::to_string(depths.size()) +
                       (depths.size() == 1 ? " row of readings" : " rows of readings") +
                       " could not be read, depths ";
    for (size_t i = 0; i < depths.size() && i < kListed; ++i)
        text += (i ? ", " : "") + depthPattern(depths[i]);
    if (depths.size() > kListed)
        text += " and " + std::to_string(depths.size() - kListed) + " more";
    result.problems.push_back(text);
}

// Steps 4 to 11 of a block on the open port, after its first wake: the header, the header
// export file staged, the readings into the work file. `progress` gives the block's place in
// the run; the rows of readings expected (-1: not known before the header) and those of the
// blocks still to come give the time left.
Reading readBlockRows(Context& c, Exchange& ex, Wake firstWake, BlockRun& run, Progress progress,
                      int readingRowsExpected, int rowsAfter, const ExportNamer& namer = {})
{
    constexpr size_t kDepthRow = 3, kStepRow = 4;
    const int headerRows = static_cast<int>(kHeaderRows.size());
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
        run.result.problems.push_back(unreadHeader.message() + std::string(kNothingDownloaded));
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
    run.result.problems.push_back(std::string(kNotReplaced) + run.files->headerExport.path() + ", " +
                                  run.files->readingsExport.path());
    noteUnreadDepths(run.result);
    // The rows read still reach the survey library, which keeps them marked incomplete.
    run.result.downloaded = {false, run.header, std::move(run.records), {}, {}};
}

// Steps 14 to 16: the readings export file, the work records from the shallowest down; then
// both export files, complete and on the disk, replace the earlier ones. One that could not
// be written keeps the other from replacing its earlier file, so the pair of a name always
// belongs to one download.
void exportBlock(Context& c, BlockRun& run)
{
    DownloadFiles& files = *run.files;
    writeReadingsExport(c, run.records, files.readingsExport);
    const bool whole = !files.headerExport.failed() && !files.readingsExport.failed();
    if (whole) {
        files.headerExport.commit();
        files.readingsExport.commit();
    }
    // Whatever was not committed goes; an earlier file of its name stays.
    files.headerExport.discard();
    files.readingsExport.discard();
    for (const DownloadFile* f : {&files.headerExport, &files.readingsExport})
        if (!f->failed() && whole)
            run.result.filesWritten.push_back(f->path());
    noteFailedFiles(run);
    for (const DownloadFile* f : {&files.headerExport, &files.readingsExport})
        if (!whole && !f->failed())
            run.result.problems.push_back(std::string(kPairNotReplaced) + f->path());
    noteUnreadDepths(run.result);
    // Rows not read are named, yet the block's files stand.
    run.result.status = run.result.filesWritten.size() == 2 ? BlockResult::Downloaded : BlockResult::Failed;
    run.result.downloaded = {true, run.header, std::move(run.records), files.headerExport.fileSystemPath(),
                             files.readingsExport.fileSystemPath()};
}

void showProblems(Context& c, const BlockResult& result)
{
    for (const std::string& text : result.problems)
        c.messages.show(text, Icon::Error);
}

// The export base names a run has given out. Windows compares file names without regard to
// case, so the run does too.
class RunNames {
public:
    std::string take(const std::string& baseName, int block)
    {
        if (taken_.insert(folded(baseName)).second)
            return baseName;
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "block%02d-", block);
        const std::string renamed = baseName + suffix;
        taken_.insert(folded(renamed));
        renamed_.push_back(block);
        if (example_.empty())
            example_ = renamed;
        return renamed;
    }
    // One message for the whole run, naming the blocks kept under another name.
    void report(Context& c) const
    {
        if (renamed_.empty())
            return;
        const bool one = renamed_.size() == 1;
        c.messages.show("Attention: " + blockList(renamed_) + (one ? " has" : " have") +
                            " the export name of an earlier block of this run; kept under a name with its "
                            "block number, as \"" + textFromPath(example_) + "\"",
                        Icon::Error);
    }

private:
    static std::string folded(std::string name)
    {
        for (char& ch : name)
            if (ch >= 'a' && ch <= 'z')
                ch = static_cast<char>(ch - 'a' + 'A');
        return name;
    }

    std::set<std::string> taken_;
    std::vector<int> renamed_;
    std::string example_;
};

} // namespace

// A folder where a file can be created; false when there is none or it refuses.
bool folderTakesFiles(const std::string& folder)
{
    const std::string probe = joinPath(folder, ".tarvelon-write-test");
    std::FILE* f = folder.empty() ? nullptr : openFile(probe, "wb");
    if (!f)
        return false;
    std::fclose(f);
    return removeFile(probe);
}

int readingRowCount(std::string_view depthMetres, std::string_view step)
{
    const int depth = static_cast<int>(std::lround(numericValue(depthMetres) * 10));
    if (depth <= 0)
        return 0;
    // A 0.5 m step goes on while half a metre is left, a 1 m step while anything is.
    const int rows = step == "0" ? depth / 5 : (depth + 9) / 10;
    return std::min(rows, kReadingPages * kRowsPerPage);
}

DownloadedBlock downloadBlock(Context& c)
{
    // A block number outside 1 to 30 downloads nothing.
    if (!checkBlockNumber(c, kBlockBox))
        return {};
    const int block = *blockNumberOf(c.form.text(kBlockBox));
    const auto reportStop = [&c, block] { reportStopped(c, {}, "", {block}, "not downloaded"); };

    // 1. Busy, and no second download while the port is open.
    c.form.showWaitIndicator(true);
    c.loop.yield();
    c.form.setEnabled(kOkButton, false);
    c.loop.yield();

    // 2. The block's header rows.
    c.state.blockCode = *blockCode(block);

    // 3. Port and first wake.
    Exchange ex(c);
    if (!ex.openPort())
        return endWithoutFiles(c);
    const Wake firstWake = ex.handshake(Limit::ReplyTime);
    if (firstWake == Wake::NoReply) {
        reportStop();
        return endWithoutFiles(c);
    }

    // 4 to 11. Header, header export file staged, readings into the work file.
    BlockRun run(block);
    switch (readBlockRows(c, ex, firstWake, run, {}, -1, 0)) {
    case Reading::HeaderUnread:
        ex.end();
        endWithoutFiles(c);
        showProblems(c, run.result);
        return {};
    case Reading::Ended:
        keepEarlierExports(run);
        c.form.setEnabled(kOkButton, true);
        c.form.setText("Text1", "");
        c.loop.yield();
        // A stop is what the operator asked for: one message says what it left.
        if (c.form.stopRequested())
            reportStop();
        else
            showProblems(c, run.result);
        return {};
    case Reading::Complete:
        break;
    }

    // 12. Port closed.
    c.port.close();
    c.form.setEnabled(kOkButton, true);
    // 13. Pause, then Timer1 off. Every row is read: a window closed in the pause still gets
    // its export before the program ends.
    bool closing = false;
    try {
        c.loop.yield();
        ex.settleWait(kPauseTicks);
    } catch (const ProgramClosing&) {
        closing = true;
    }
    c.timer1.disable();

    // 14 to 16. The export files.
    exportBlock(c, run);
    if (closing)
        throw ProgramClosing{};

    // 17. Idle again.
    c.form.showWaitIndicator(false);
    c.loop.yield();
    c.form.setText("Text1", "");
    c.loop.yield();
    showProblems(c, run.result);
    return run.result.downloaded;
}

void download(Context& c)
{
    downloadBlock(c);
}

std::vector<BlockResult> downloadBlocks(Context& c, const std::vector<PlannedBlock>& plan,
                                        const std::function<void(const BlockResult&)>& onBlock)
{
    std::vector<BlockResult> results(plan.size());
    for (size_t i = 0; i < plan.size(); ++i)
        results[i].block = plan[i].block;
    // A block whose header gives the export name of an earlier block of this run (a header
    // copied and not changed, a readout number used again) must not write over its files.
    RunNames names;
    const ExportNamer namer = [&names](const std::string& baseName, int block) {
        return names.take(baseName, block);
    };
    const auto finish = [&] {
        c.form.setEnabled(kOkButton, true);
        c.form.setText("Text1", "");
        c.timer1.disable();
        c.loop.yield();
        names.report(c);
        std::vector<int> done, notDone;
        for (const BlockResult& r : results)
            (r.status == BlockResult::Downloaded ? done : notDone).push_back(r.block);
        reportStopped(c, done, "downloaded", notDone, "not downloaded");
        return results;
    };

    // 1. Somewhere to write, before the unit is woken for nothing.
    if (c.state.downloadFolder.empty()) {
        c.messages.show(std::string(kNoFolder), Icon::Error);
        return results;
    }
    if (!folderTakesFiles(c.state.downloadFolder)) {
        c.messages.show(std::string(kFolderNotWritable) + textFromPath(c.state.downloadFolder), Icon::Error);
        return results;
    }

    // 2. Busy, port open and the unit's first wake with the reply time limit.
    c.form.showWaitIndicator(true);
    c.form.setEnabled(kOkButton, false);
    c.loop.yield();
    Exchange ex(c);
    if (!ex.openPort())
        return finish();
    Wake wake = ex.handshake(Limit::ReplyTime);

    // 3. Each block in turn; its place in the run and the rows after it give the time left.
    int rowsAfter = 0;
    for (const PlannedBlock& p : plan)
        rowsAfter += static_cast<int>(kHeaderRows.size()) + p.readingRows;
    for (size_t i = 0; i < plan.size(); ++i) {
        rowsAfter -= static_cast<int>(kHeaderRows.size()) + plan[i].readingRows;
        if (i > 0)
            wake = ex.stopped() ? Wake::NoReply : ex.handshake(Limit::Silence);
        BlockRun run(plan[i].block);
        c.state.blockCode = *blockCode(plan[i].block);
        const Progress place{static_cast<int>(i) + 1, static_cast<int>(plan.size())};
        const Reading reading = wake == Wake::NoReply ? Reading::Ended
                                                      : readBlockRows(c, ex, wake, run, place,
                                                                      plan[i].readingRows, rowsAfter, namer);
        if (reading == Reading::Complete)
            exportBlock(c, run);
        if (reading == Reading::HeaderUnread)
            run.result.status = BlockResult::Failed;
        if (reading == Reading::Ended) {
            keepEarlierExports(run);
            // The block in progress and every later one are left; a silent unit is a failure.
            const bool stopped = c.form.stopRequested();
            run.result.status = stopped ? BlockResult::NotDownloaded : BlockResult::Failed;
            run.result.problems.insert(run.result.problems.begin(),
                                       std::string(stopped ? kStoppedBlock : kUnitSilent));
            for (size_t later = i + 1; later < plan.size(); ++later)
                results[later].problems = {std::string(stopped ? kStoppedBefore : kUnitGone)};
        }
        results[i] = std::move(run.result);
        if (onBlock)
            onBlock(results[i]);
        if (reading == Reading::Ended)
            return finish();
    }

    // 4. Port closed and idle again.
    ex.end();
    return finish();
}

} // namespace tarvelon
