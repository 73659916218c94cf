#pragma once
#include "blocks/download.h"
#include "link/exchange.h"
#include "link/progress.h"
#include "platform/file_path.h"
#include "platform/record_file.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The steps of one block's download that the single download and the batch run share.
namespace tarvelon::download_steps {

inline constexpr std::string_view kOkButton = "command3d1";

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
    // The new file in place of the earlier one; false, with why, when it could not be.
    bool commit(std::string& why)
    {
        close();
        const bool placed = !staged() || replaceFile(writePath_, path_, &why);
        discard();
        return placed;
    }
    // A copy of the earlier file, if there is one, to put back should the pair's other file
    // fail to take its place.
    bool keepEarlierAside(std::string& why)
    {
        std::error_code ec;
        hadEarlier_ = std::filesystem::exists(fsPath(path_), ec);
        return !hadEarlier_ || copyFile(path_, asidePath(), &why);
    }
    // The earlier file back in place (none when there was none); false when it stays aside.
    bool putEarlierBack()
    {
        return hadEarlier_ ? replaceFile(asidePath(), path_) : removeFile(path_);
    }
    void dropEarlierAside()
    {
        if (hadEarlier_)
            removeFile(asidePath());
    }
    std::string asidePath() const { return path_ + ".earlier"; }
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
    bool hadEarlier_ = false;
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

// Steps 4 to 11 of a block on the open port, after its first wake: the header, the header
// export file staged, the readings into the work file. `progress` gives the block's place in
// the run; the rows of readings expected (-1: not known before the header) and those of the
// blocks still to come give the time left.
Reading readBlockRows(Context& c, Exchange& ex, Wake firstWake, BlockRun& run, Progress progress,
                      int readingRowsExpected, int rowsAfter, const ExportNamer& namer = {});
// A block whose reading ended early: the work file keeps every row read; the earlier exports
// stay, as an export of part of the block would pass for all of it.
void keepEarlierExports(BlockRun& run);
// Steps 14 to 16: the readings export file, then both export files replace the earlier ones.
void exportBlock(Context& c, BlockRun& run);
void showProblems(Context& c, const BlockResult& result);

} // namespace tarvelon::download_steps
