#pragma once
#include "blocks/export_files.h"
#include "link/context.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvelon {

inline constexpr std::string_view kCannotWriteFile = "Attention: cannot write file ";
inline constexpr std::string_view kNotReplaced = "Attention: the download did not finish; these files were not replaced: ";
inline constexpr std::string_view kNothingDownloaded = "; nothing was downloaded";

// What a download read, for the survey library: the header as the export file carries it and
// the work file's records (all the readings of each row, deepest first).
struct DownloadedBlock {
    // Every row of the block was read (the export files may still have failed: the library
    // then keeps what they could not).
    bool complete = false;
    BlockHeader header;
    std::vector<ReadingsRecord> records;
    std::string headerExportPath, readingsExportPath; // UTF-8
};

// "Ok" (command3d1) of the Download Data page: the block in numblocco, header and readings,
// into the header export file, the readings work file and the readings export file of the
// download folder. "Ok" is disabled while the port is open; Timer1 is disabled at the end.
// The export files replace earlier ones only when the whole block has been read; rows that
// could not be read are named at the end.
DownloadedBlock downloadBlock(Context& c);
// The same, for callers that want only the files.
void download(Context& c);

} // namespace tarvelon
