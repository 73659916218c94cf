#pragma once
#include "link/context.h"

namespace tarvelon {

// " Reset Block": the block in Text2 back to its default header, in the file and the unit.
void resetBlock(Context& c);
// " Total Reset": all 30 blocks back to their default headers.
void totalReset(Context& c);

} // namespace tarvelon
