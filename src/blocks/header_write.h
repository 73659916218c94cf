#pragma once
#include "link/exchange.h"
#include "platform/translate.h"
#include "link/progress.h"

#include <string_view>
#include <vector>

namespace tarvelon {

inline constexpr std::string_view kMemoryWillBeLost =
    QT_TRANSLATE_NOOP("Texts", "ATTENTION: ALL MEMORY DATA WILL BE LOST, WOULD YOU LIKE TO CONTINUE ?");

// "Set Block": the header kept for the block in Text2, written into the unit.
void setBlock(Context& c);
// "Set All": the headers of all 30 records of the header file, written into the unit.
void setAll(Context& c);
// "Copy Data": the shown header stored as the current block's record, then the next block.
void copyData(Context& c);

// Shared by the writing and clearing operations.
// Makes `block` the current block and shows its record's ten header fields.
void loadBlock(Context& c, int block);
// Sends the header line of `block` from the boxes as they stand, then lets the unit settle.
void sendHeaderLine(Context& c, Exchange& ex, int block, int settleTicks);
// The wake and, when the unit is ready, the header line of `block`; a refused wake is noted
// in `refused`. False when the unit fell silent (reported, port closed, block 1 shown).
bool sendOneHeaderLine(Context& c, Exchange& ex, int block, int settleTicks, Refused& refused);
// How far sendEveryBlock came.
struct SentBlocks {
    bool unitSilent = false; // reported, port closed, block 1 shown
    int next = 1;            // the first block not sent: 31 when all were
    Refused refused;         // blocks whose wake was refused, skipped
};
// Shows and sends every block's header in turn, each after a wake with the reply time
// limit, until the unit falls silent or the operator asks to stop; a block whose wake is
// refused is skipped and noted.
SentBlocks sendEveryBlock(Context& c, Exchange& ex, int settleTicks);
// The same for `blocks` only, in their order; `next` is then the first of them not sent.
SentBlocks sendBlocks(Context& c, Exchange& ex, int settleTicks, const std::vector<int>& blocks);
// The blocks whose header was typed, read or copied since the start: their record (the page,
// for the shown block) differs from the start-up default.
std::vector<int> givenHeaders(Context& c);
// The closing handshake and command that end every header write; a refused wake is noted in
// `refused`. False when the unit fell silent (already reported, port closed, wait indicator
// hidden).
bool closeHeaderWrite(Exchange& ex, int settleTicks, Refused& refused);

} // namespace tarvelon
