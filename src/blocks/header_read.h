#pragma once
#include "blocks/row_fetch.h"
#include "platform/translate.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarvelon {

// The ten header rows of a block (page "0"), in the order the unit keeps them.
struct HeaderRow {
    const char* offset;
    int bytes;
    const char* field; // as the operator is told of a row that could not be read
};
inline constexpr std::array<HeaderRow, 10> kHeaderRows = {{
    {"00", 8, QT_TRANSLATE_NOOP("Texts", "client")}, {"10", 8, QT_TRANSLATE_NOOP("Texts", "site")}, {"20", 4, QT_TRANSLATE_NOOP("Texts", "tube")}, {"30", 4, QT_TRANSLATE_NOOP("Texts", "depth")},
    {"40", 1, QT_TRANSLATE_NOOP("Texts", "step")}, {"50", 1, QT_TRANSLATE_NOOP("Texts", "guides")}, {"60", 4, QT_TRANSLATE_NOOP("Texts", "north")}, {"70", 2, QT_TRANSLATE_NOOP("Texts", "readout number")},
    {"80", 8, QT_TRANSLATE_NOOP("Texts", "date")}, {"90", 8, QT_TRANSLATE_NOOP("Texts", "time")},
}};

// The ten header texts of one block as decoded; nothing for a row that could not be read.
using HeaderTexts = std::array<std::optional<std::string>, 10>;

// The header rows of a run that could not be read, block by block.
class UnreadRows {
public:
    void note(int block, const HeaderTexts& texts);
    bool empty() const { return count_ == 0; }
    // "Attention: 3 header rows could not be read: block 5 client, site; block 9 date".
    std::string message() const;

private:
    std::vector<std::pair<int, std::string>> blocks_;
    int count_ = 0;
};

// Reads the ten header rows of the block whose code the state holds, after the first wake
// of the open port, taking `timeBytes` bytes of the time row; `onRow` hears of each row
// (1 to 10) before it is fetched. False when the unit fell silent or the operator stopped
// (already reported, port closed).
bool readHeaderRows(Context& c, Exchange& ex, Wake firstWake, HeaderTexts& texts, int timeBytes = 8,
                    const std::function<void(int)>& onRow = {});

// " Read Block": the header of the block in Text2, shown in the header boxes; a box whose row
// could not be read keeps its text, and the operator is told.
void readBlock(Context& c);
// " Read All Blocks": every block's header into the header file, then block 1 shown. A row
// that could not be read leaves that field of the record as it was, and is named at the end.
void readAllBlocks(Context& c);

} // namespace tarvelon
