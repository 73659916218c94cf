#pragma once
#include "link/exchange.h"

#include <string>
#include <string_view>

namespace tarvelon {

// One row of the unit's memory read with "a", at the address the program state holds
// (block code, page digit, row offset).
struct Row {
    enum Status {
        Fetched, // the reply is in `reply`
        Skipped, // the wake was refused or the reply broken: the caller goes on with its next row
        Lost,    // the unit fell silent, or the operator asked to stop: already reported, port
                 // closed, wait indicator hidden
    };
    Status status;
    std::string reply;
};

// The row fetch after a wake the caller has already made (the first wake of an operation
// carries the reply time limit; the later ones are made by fetchRow).
Row fetchRowAfterWake(Context& c, Exchange& ex, Wake wake);
// A further row: wake without the reply time limit, then the fetch.
Row fetchRow(Context& c, Exchange& ex);

// True when all 16 pairs of a row reply are hexadecimal: a character lost or added on the line
// shifts the pairs after it onto the blanks between them.
bool isWholeRow(std::string_view reply);

// The first `count` bytes of a row reply, pair k at characters 3k + 1 and 3k + 2. A pair that
// is not two hexadecimal digits adds no character.
std::string decodeBytes(std::string_view reply, int count);

} // namespace tarvelon
