#pragma once
#include "blocks/header_read.h"
#include "link/context.h"
#include "link/program_state.h"

#include <string>

namespace tarvelon {

// The lines under a question that erases blocks `first` to `last` of the unit: each block
// with what the program knows of it ("Block 05: ACME SRL / CAVA SUD / T06, readout 02 of
// 06/08/24"), and whether its readings are missing from the survey library. For many blocks,
// their range and then only those known to hold readings.
std::string erasedBlocks(const ProgramState& s, int first, int last);

// Asks `question` with the erased blocks under it, Cancel being the default; true on OK.
bool askToErase(Context& c, const std::string& question, int first, int last);

// What a header read from the unit tells of its block (a row not read leaves its text empty;
// the depth row unread makes the readings unknown, taken as present).
void noteHeaderRead(ProgramState& s, int block, const HeaderTexts& texts);
// The block now holds this header and no readings.
void noteHeaderWritten(ProgramState& s, int block, const std::string& headerText);

} // namespace tarvelon
