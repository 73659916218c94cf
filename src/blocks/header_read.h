#pragma once
#include "blocks/row_fetch.h"

#include <array>
#include <string>

namespace tarvelon {

// The ten header rows of a block (page "0"), in the order the unit keeps them.
struct HeaderRow {
    const char* offset;
    int bytes;
};
inline constexpr std::array<HeaderRow, 10> kHeaderRows = {{
    {"00", 8}, {"10", 8}, {"20", 4}, {"30", 4}, {"40", 1},
    {"50", 1}, {"60", 4}, {"70", 2}, {"80", 8}, {"90", 8},
}};

// The ten header texts of one block as decoded; a skipped row leaves its text empty.
using HeaderTexts = std::array<std::string, 10>;

// Reads the ten header rows of the block whose code the state holds, after the first wake
// of the open port, taking `timeBytes` bytes of the time row. False when the unit fell
// silent (already reported, port closed).
bool readHeaderRows(Context& c, Exchange& ex, Wake firstWake, HeaderTexts& texts, int timeBytes = 8);

// " Read Block": the header of the block in Text2, shown in the header boxes.
void readBlock(Context& c);
// " Read All Blocks": every block's header into the header file, then block 1 shown.
void readAllBlocks(Context& c);

} // namespace tarvelon
