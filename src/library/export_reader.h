#pragma once
#include "analysis/survey.h"

#include <optional>
#include <string>
#include <string_view>

// Reads back the two export files a download writes: the header export file (19 records of
// 42 bytes) and the readings export file (records of 113 bytes, in either order, with the
// column line and a blank record). Bytes are Windows-1252; the survey's texts are UTF-8.
namespace tarvelon::surveys {

struct ReadResult {
    std::optional<Survey> survey;
    std::string error; // why not, when there is no survey
};

// The survey the two files' contents describe; nothing at all when either is not what a
// download writes, cut short, or carries something that is not a reading.
ReadResult readExport(std::string_view headerBytes, std::string_view readingsBytes);

// The header export file and readings export file of one download: `path` is either of
// them ("...dat.dat" or "...num.dat"); the other lies beside it. The survey is dated by the
// readings export file's modification time, its origin left to the caller.
ReadResult readExportFiles(const std::string& path);

// The other file of the pair, or empty when `path` names neither kind.
std::string partnerFile(const std::string& path);
bool isHeaderExportName(std::string_view path);
bool isReadingsExportName(std::string_view path);
// A file's path as the library keeps it, whichever way it came in: absolute, with the system's
// own separators (UTF-8); empty stays empty.
std::string libraryFilePath(const std::string& path);
// The clock's time now as ISO 8601 UTC ("2024-03-12T10:15:00Z").
std::string isoTimeNow();

} // namespace tarvelon::surveys
