#pragma once
#include "blocks/header_read.h"
#include "link/context.h"
#include "link/program_state.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvelon {

// Blocks named in a question's text before the rest is left to its details.
inline constexpr size_t kBlocksNamed = 3;

// What a question that erases blocks `first` to `last` says of them: each block with what the
// program knows of it ("Block 05: ACME SRL / CAVA SUD / T06, readout 02 of 06/08/24") and
// whether its readings are missing from the survey library; blocks the program has not read
// since it started are named as such. Of many blocks, the text names those known to hold
// readings (a few, the rest counted) and the unread ones in one line; the details list all.
struct ErasedList {
    std::string shown;
    std::string details;
};
ErasedList erasedBlocks(const ProgramState& s, int first, int last);
// "Block 05", "Blocks 01, 03 and 06 to 30".
std::string blocksNamed(const std::vector<int>& blocks);

// Asks `question` under the title `act` with the erased blocks under it, Cancel being the
// default; true on OK.
bool askToErase(Context& c, std::string_view act, const std::string& question, int first, int last);
// The question before all 30 headers are written: also names the blocks whose header is
// still the start-up default, and offers to write only the `given` blocks (the Extra answer).
Answer askToWriteAll(Context& c, std::string_view act, const std::string& question, const std::vector<int>& given);

// What a header read from the unit tells of its block (a row not read leaves its text empty;
// the depth row unread makes the readings unknown, taken as present).
void noteHeaderRead(ProgramState& s, int block, const HeaderTexts& texts);
// The block now holds this header and no readings.
void noteHeaderWritten(ProgramState& s, int block, const std::string& headerText);

} // namespace tarvelon
