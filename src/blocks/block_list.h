#pragma once
#include "link/context.h"

#include <string>
#include <vector>

namespace tarvelon {

// One block of the unit as the Download Blocks window lists it. Texts are as decoded
// (Windows-1252); a row that could not be read leaves its text empty.
struct ListedBlock {
    int block = 0;
    bool read = false; // false: the list ended before this block (a stop, a silent unit)
    std::string client, site, tube, depth, readout, date, time; // depth in metres, "100.5"
    std::string step;
    int readingRows = 0; // rows of readings the depth and step promise; 0 for depth 0
    bool headerWhole = false; // every row the list needs was read
};

// Rows of a block's header the list reads: client, site, tube, depth, readout number, date
// and time; the step only where the depth is not 0, for the rows the block holds.
inline constexpr int kListedRows = 7;

// The headers of the unit's 30 blocks, as much as the list shows, on one open port. A header
// row not read is named at the end; a stop or a silent unit ends the list, and the blocks
// not reached are returned unread.
std::vector<ListedBlock> listBlocks(Context& c);

} // namespace tarvelon
