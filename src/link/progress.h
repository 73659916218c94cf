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

// The blocks first to last, in order.
std::vector<int> blockRange(int first, int last);
// "block 7", "blocks 3 and 4", "blocks 1 to 6, 9 and 11".
std::string blockList(const std::vector<int>& blocks);

// What a long operation did and did not do when the operator stopped it, for example
// "Stopped: blocks 3 and 4 downloaded, block 7 not downloaded". Nothing when the operator did
// not ask to stop, or everything was done: the operation then simply finished.
void reportStopped(Context& c, const std::vector<int>& done, std::string_view doneWord,
                   const std::vector<int>& notDone, std::string_view notDoneWord);

} // namespace tarvelon
