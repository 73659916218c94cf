#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

// The layout of the download's files: the header export file, the readings work file and the
// readings export file. Every record is fixed-length and ends in a carriage return and a blank.
namespace tarvelon {

// The ten header texts of a block as the download decodes them; a skipped row stays empty.
struct BlockHeader {
    std::string client, site, tube, depth, step, guides, north, readout, date, time;
};

inline constexpr int kHeaderExportLength = 42;
inline constexpr int kReadingsLength = 113;
inline constexpr int kReadingsPerRow = 8;
inline constexpr std::string_view kWorkFileName = "datiram.dat";
inline constexpr std::string_view kHeaderExportSuffix = "dat.dat";
inline constexpr std::string_view kReadingsExportSuffix = "num.dat";

// Client, site, tube and readout number, each followed by "-", exactly as decoded.
std::string exportBaseName(const BlockHeader& header);
// A name that stays inside its folder on Windows and Linux: path separators, characters
// Windows forbids and control characters become "_"; "." and ".." become underscores too.
std::string safeFileName(std::string_view name);
// The header's depth digits as metres: "," read as ".", then characters 1 to 3, ".",
// character 4 ("1005" gives "100.5").
std::string depthText(std::string_view rawDepth);
// A depth in tenths of a metre with the pattern "000.0" (125 gives "012.5").
std::string depthPattern(int tenths);

// The 19 records of the header export file, the depth already in its "100.5" form.
std::vector<std::string> headerExportRecords(const BlockHeader& header);

// One record of the readings work file or export file. Field texts are kept without their
// padding; an empty field is written as blanks.
struct ReadingsRecord {
    std::string text;
    std::string depth;
    std::array<std::string, kReadingsPerRow> readings;

    // The 113 bytes of the record.
    std::string bytes() const;
};

// The column line "Profondità;S1;S2" that heads the work file.
ReadingsRecord columnLine();
// One row of readings at a depth: the first `count` words of the row reply converted.
ReadingsRecord readingsRow(int depthTenths, std::string_view reply, int count);
// The record as the export file carries it: readings 1 and 2 only.
ReadingsRecord exportRecord(const ReadingsRecord& work);

} // namespace tarvelon
