#pragma once
#include "blocks/export_files.h"
#include "platform/translate.h"
#include "link/context.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelon {

inline constexpr std::string_view kCannotWriteFile = "Attention: cannot write file ";
inline constexpr std::string_view kNotReplaced = "Attention: the download did not finish; these files were not replaced: ";
inline constexpr std::string_view kCannotReplaceFile = "Attention: cannot replace file ";
inline constexpr std::string_view kEarlierKeptAside = "Attention: the earlier file could not be put back; it is kept as ";
inline constexpr std::string_view kPairNotReplaced =
    "Attention: the other export file could not be written, so this one was not replaced: ";
inline constexpr std::string_view kNothingDownloaded = "; nothing was downloaded";
inline constexpr std::string_view kNoFolder = QT_TRANSLATE_NOOP("Texts", "Attention: choose the download folder with \"Folder\" first");
inline constexpr std::string_view kFolderNotWritable = "Attention: cannot write into the download folder ";
inline constexpr std::string_view kUnitSilent = QT_TRANSLATE_NOOP("Texts", "the unit stopped answering");
inline constexpr std::string_view kUnitGone = QT_TRANSLATE_NOOP("Texts", "not downloaded: the unit stopped answering before it");
inline constexpr std::string_view kStoppedBlock = QT_TRANSLATE_NOOP("Texts", "stopped by the operator");
inline constexpr std::string_view kStoppedBefore = QT_TRANSLATE_NOOP("Texts", "not downloaded: stopped before it");

// What a download read, for the survey library: the header as the export file carries it and
// the work file's records (all the readings of each row, deepest first).
struct DownloadedBlock {
    // The download read to the end of the block and both export files stand. A download ended
    // early keeps the rows it read; one whose export files could not replace the earlier pair
    // keeps nothing, as the library would name files that do not hold it.
    bool complete = false;
    BlockHeader header;
    std::vector<ReadingsRecord> records;
    std::string headerExportPath, readingsExportPath; // UTF-8
};

// What became of one block of a download.
struct BlockResult {
    enum Status { NotDownloaded, Downloaded, Failed };
    int block = 0;
    Status status = NotDownloaded;
    int rowsRead = 0;
    std::vector<int> unreadDepths;         // the rows of readings skipped, in tenths of a metre
    std::vector<std::string> filesWritten; // the export files, as the window shows their paths
    std::vector<std::string> problems;     // why it failed, files not written, rows not read
    DownloadedBlock downloaded;            // complete when the whole block was read
};

// A block to download, with the rows of readings its header promises (for the time left).
struct PlannedBlock {
    int block = 0;
    int readingRows = 0;
};

// A folder where a file can be created (UTF-8 path); false when there is none or it refuses.
bool folderTakesFiles(const std::string& folder);

// Rows of readings a block holds: one per step from the depth in metres ("100.5") up, at
// most 240.
int readingRowCount(std::string_view depthMetres, std::string_view step);

// "Ok" (command3d1) of the Download Data page: the block in numblocco, header and readings,
// into the header export file, the readings work file and the readings export file of the
// download folder. "Ok" is disabled while the port is open; Timer1 is disabled at the end.
// The export files replace earlier ones only when the whole block has been read; rows that
// could not be read are named at the end.
DownloadedBlock downloadBlock(Context& c);
// The same, for callers that want only the files.
void download(Context& c);

// "Download" of the Download Blocks window: the blocks in the order given, on one open port,
// each into the same files as "Ok" would write. A block that fails is reported in its result
// and the next one follows, unless the unit fell silent; a stop ends the run between rows.
// `onBlock` hears of each block as it ends, so what it keeps survives a run cut short.
std::vector<BlockResult> downloadBlocks(Context& c, const std::vector<PlannedBlock>& plan,
                                        const std::function<void(const BlockResult&)>& onBlock);

} // namespace tarvelon
