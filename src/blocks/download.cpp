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

// Where each header text comes from: row offset "00" to "90" of page "0", and the bytes taken.
// One file of the download. Once a step on it fails it is written no further, so it never
// holds a mix of old and new records, and it is reported when the download ends.
class DownloadFile {
public:
    DownloadFile(const std::string& folder, std::string_view name, int recordLength)
        : path_(joinPath(folder, name)),
          length_(recordLength), ok_(!folder.empty())
    {
    }

    // The path as the window and the messages show it.
    std::string path() const { return textFromPath(path_); }
    bool failed() const { return !ok_; }

    // A file left by an earlier download must go: opening keeps what a file holds.
    void remove() { ok_ = ok_ && removeFile(path_); }
    void open() { ok_ = ok_ && file_.open(path_, length_); }
    void write(long k, std::string_view record) { ok_ = ok_ && file_.write(k, record); }
    void close() { file_.close(); }

private:
    std::string path_;
    int length_;
    bool ok_;
    RecordFile file_;
};

struct DownloadFiles {
    DownloadFiles(const std::string& folder, const std::string& baseName)
        : headerExport(folder, baseName + std::string(kHeaderExportSuffix), kHeaderExportLength),
          work(folder, kWorkFileName, kReadingsLength),
          readingsExport(folder, baseName + std::string(kReadingsExportSuffix), kReadingsLength)
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

// The ten header rows; a refused row leaves its text empty. False when the unit fell silent.
bool readHeader(Context& c, Exchange& ex, Wake firstWake, BlockHeader& header)
{
    // The export carries six characters of the time row.
    HeaderTexts t;
    if (!readHeaderRows(c, ex, firstWake, t, 6))
        return false;
    header = {t[0], t[1], t[2], t[3], t[4], t[5], t[6], t[7], t[8], t[9]};
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
                  std::vector<ReadingsRecord>& records)
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
            // A refused row is left out, yet the depth still goes up a step.
            if (row.status == Row::Fetched) {
                records.push_back(readingsRow(remaining, row.reply, readings));
                work.write(static_cast<long>(records.size()), records.back().bytes());
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

    // 4. The header; a unit that falls silent here leaves every file as it was.
    BlockHeader header;
    if (!readHeader(c, ex, firstWake, header))
        return endWithoutFiles(c);

    // 5. Files of an earlier download of this header go.
    DownloadFiles files(c.state.downloadFolder, fileNameFromText(safeFileName(exportBaseName(header))));
    files.headerExport.remove();
    files.readingsExport.remove();
    files.work.remove();

    // 6, 7. The header export file.
    header.depth = depthText(header.depth);
    writeHeaderExport(c, header, files.headerExport);

    // 8 to 11. The readings, into the work file.
    c.state.pageDigit = "1";
    c.state.rowOffset = "00";
    std::vector<ReadingsRecord> records;
    const bool complete = readReadings(c, ex, header, files, records);
    files.work.close();
    if (!complete) {
        // The work file keeps every row read; an export of part of the block would pass for all of it.
        c.form.setEnabled(kOkButton, true);
        c.form.setText("Text1", "");
        c.loop.yield();
        reportFailures(c, files);
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

    // 14 to 16. The readings export file: the work records from the shallowest down.
    writeReadingsExport(c, records, files.readingsExport);
    if (closing)
        throw ProgramClosing{};

    // 17. Idle again.
    c.form.showWaitIndicator(false);
    c.loop.yield();
    c.form.setText("Text1", "");
    c.loop.yield();
    reportFailures(c, files);
    return {true, header, std::move(records), files.headerExport.path(), files.readingsExport.path()};
}

void download(Context& c)
{
    downloadBlock(c);
}

} // namespace tarvelon
