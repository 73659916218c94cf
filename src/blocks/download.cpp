#include "blocks/download.h"

#include "blocks/export_files.h"
#include "blocks/header_entry.h"
#include "blocks/header_read.h"
#include "link/block.h"
#include "link/exchange.h"
#include "platform/file_path.h"
#include "platform/record_file.h"

#include <cmath>
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

// The ten header rows. False when the unit fell silent (already reported, port closed).
bool readHeader(Context& c, Exchange& ex, Wake firstWake, HeaderTexts& texts, BlockHeader& header)
{
    // The export carries six characters of the time row.
    if (!readHeaderRows(c, ex, firstWake, texts, 6))
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
    file.close();
}

// One row per depth step from the deepest up, each written to the work file as it arrives and
// kept in `records`. False when the unit fell silent.
bool readReadings(Context& c, Exchange& ex, const BlockHeader& header, DownloadFiles& files,
                  std::vector<ReadingsRecord>& records, std::vector<int>& unreadDepths)
{
    const bool halfMetre = header.step == "0";
    const int stepTenths = halfMetre ? 5 : 10;
    const int readings = header.guides == "4" ? 8 : 4;
    // Whole tenths, so 0.5 m steps count down exactly.
    int remaining = static_cast<int>(std::lround(numericValue(header.depth) * 10));

    c.form.setText("Text1", files.readingsExport.path());
    DownloadFile& work = files.work;
    work.open();
    records.push_back(columnLine());
    records.push_back(ReadingsRecord{});
    work.write(1, records[0].bytes());
    work.write(2, records[1].bytes());

    for (int page = 1; page <= kReadingPages; ++page) {
        for (int r = 0; r < kRowsPerPage; ++r) {
            if (halfMetre ? remaining < 5 : remaining <= 0)
                return true;
            c.state.pageDigit = std::string(1, kHexDigits[static_cast<size_t>(page)]);
            c.state.rowOffset = hexByte(static_cast<unsigned>(r) * 0x10);
            const Row row = fetchRow(c, ex);
            if (row.status == Row::Lost)
                return false;
            // A row not read is left out, yet the depth still goes up a step.
            if (row.status == Row::Fetched) {
                records.push_back(readingsRow(remaining, row.reply, readings));
                work.write(static_cast<long>(records.size()), records.back().bytes());
            } else {
                unreadDepths.push_back(remaining);
            }
            remaining -= stepTenths;
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
    file.close();
}

void reportFailures(Context& c, const DownloadFiles& files)
{
    for (const DownloadFile* f : {&files.headerExport, &files.work, &files.readingsExport})
        if (f->failed())
            c.messages.show(std::string(kCannotWriteFile) + f->path(), Icon::Error);
}

void reportUnreadDepths(Context& c, const std::vector<int>& depths)
{
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
    c.messages.show(text, Icon::Error);
}

} // namespace

DownloadedBlock downloadBlock(Context& c)
{
    // A block number outside 1 to 30 downloads nothing.
    if (!checkBlockNumber(c, kBlockBox))
        return {};
    const int block = *blockNumberOf(c.form.text(kBlockBox));

    // 1. Busy, and no second download while the port is open.
    c.form.showWaitIndicator(true);
    c.loop.yield();
    c.form.setEnabled(kOkButton, false);
    c.loop.yield();

    // 2. The block's header rows.
    c.state.blockCode = *blockCode(block);
    c.state.pageDigit = "0";
    c.state.rowOffset = "00";

    // 3. Port and first wake.
    Exchange ex(c);
    if (!ex.openPort())
        return endWithoutFiles(c);
    const Wake firstWake = ex.handshake(Limit::ReplyTime);
    if (firstWake == Wake::NoReply)
        return endWithoutFiles(c);

    // 4. The header; a unit that falls silent here leaves every file as it was, and so does
    //    a header row not read, which would give the files a wrong name or wrong depths.
    HeaderTexts texts;
    BlockHeader header;
    if (!readHeader(c, ex, firstWake, texts, header))
        return endWithoutFiles(c);
    UnreadRows unreadHeader;
    unreadHeader.note(block, texts);
    if (!unreadHeader.empty()) {
        ex.end();
        endWithoutFiles(c);
        c.messages.show(unreadHeader.message() + std::string(kNothingDownloaded), Icon::Error);
        return {};
    }

    // 5. The work file of an earlier download goes; its export files stay until the new ones
    //    are complete.
    DownloadFiles files(c.state.downloadFolder, fileNameFromText(safeFileName(exportBaseName(header))));
    files.work.remove();

    // 6, 7. The header export file.
    header.depth = depthText(header.depth);
    writeHeaderExport(c, header, files.headerExport);

    // 8 to 11. The readings, into the work file.
    c.state.pageDigit = "1";
    c.state.rowOffset = "00";
    std::vector<ReadingsRecord> records;
    std::vector<int> unreadDepths;
    const bool complete = readReadings(c, ex, header, files, records, unreadDepths);
    files.work.close();
    if (!complete) {
        // The work file keeps every row read; the earlier exports stay, as an export of part
        // of the block would pass for all of it.
        files.headerExport.discard();
        c.form.setEnabled(kOkButton, true);
        c.form.setText("Text1", "");
        c.loop.yield();
        reportFailures(c, files);
        c.messages.show(std::string(kNotReplaced) + files.headerExport.path() + ", " + files.readingsExport.path(),
                        Icon::Error);
        reportUnreadDepths(c, unreadDepths);
        return {};
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

    // 14 to 16. The readings export file: the work records from the shallowest down; then
    //    both export files replace the earlier ones.
    writeReadingsExport(c, records, files.readingsExport);
    files.headerExport.commit();
    files.readingsExport.commit();
    if (closing)
        throw ProgramClosing{};

    // 17. Idle again.
    c.form.showWaitIndicator(false);
    c.loop.yield();
    c.form.setText("Text1", "");
    c.loop.yield();
    reportFailures(c, files);
    reportUnreadDepths(c, unreadDepths);
    return {true, header, std::move(records), files.headerExport.fileSystemPath(), files.readingsExport.fileSystemPath()};
}

void download(Context& c)
{
    downloadBlock(c);
}

} // namespace tarvelon
