#pragma once
#include "link/context.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvelon {

// Characters on the line for one row fetch: the wake and its "!", "a" with the address and
// the carriage return, and the 50-character reply.
inline constexpr int kRowLineCharacters = 59;

// Seconds that many characters take at 9600 baud, ten bits each.
double lineSeconds(double characters);
// Seconds `rows` row fetches take on the line.
double rowSeconds(int rows);

// Shows `p` at row `row` of `p.rows`, with the time those rows, `rowsAfter` further rows and
// `p.secondsLeft` more still need.
void showRowProgress(Form& form, Progress p, int row, int rowsAfter = 0);

// How far an operation has come, in the words the window and the command line show:
// "Block 2 of 3, row 45 of 210, about 1 min 12 s left".
std::string progressText(const Progress& p);

// The blocks first to last, in order.
std::vector<int> blockRange(int first, int last);
// "block 7", "blocks 3 and 4", "blocks 1 to 6, 9 and 11".
std::string blockList(const std::vector<int>& blocks);

// What a long operation did and did not do when the operator stopped it, for example
// "Stopped: blocks 3 and 4 downloaded, block 7 not downloaded". Nothing when the operator did
// not ask to stop, or everything was done: the operation then simply finished.
void reportStopped(Context& c, const std::vector<int>& done, std::string_view doneWord,
                   const std::vector<int>& notDone, std::string_view notDoneWord);

// The commands the unit refused by answering their wake with anything but "!": each was
// skipped, so the operator must not take the operation for done.
struct Refused {
    std::vector<int> blocks;         // blocks whose line was not sent
    std::vector<std::string> others; // "clock not written", "closing command not sent"
};

// One message with the error icon, for example "Attention: the unit refused 3 commands:
// blocks 5 and 9 not written; closing command not sent" or "Attention: the unit refused the
// command: clock not written". Nothing when nothing was refused.
void reportRefused(Context& c, const Refused& refused, std::string_view notDoneWord = {});

// The end of a run over every block that came to block `next` (31 when it came through): the
// refused commands, then what a stop left; a refused block is not counted among those done.
void reportRun(Context& c, const Refused& refused, int next, std::string_view doneWord,
               std::string_view notDoneWord);

} // namespace tarvelon
