#pragma once
#include "link/context.h"
#include "link/header_record.h"

namespace tarvelon {

// Makes `block` the current block and shows it: its number in Text2 and its record in the
// header boxes, with point, gains and zeros when `fields` is All. Every operation that sets
// the current block goes through here, so a later "+", "-" or Set Block works from the block
// the operator sees.
void showBlock(Context& c, int block, FieldSet fields);

// Block 1 as current block, in Text2 and in all the header boxes: where an operation ends
// early, the page and the current block number then agree, so a later "+", "-" or Set Block
// stores no other block's header into record 1.
void showBlockOne(Context& c);

} // namespace tarvelon
