#pragma once
#include "link/context.h"

#include <string_view>

namespace tarvelon {

inline constexpr std::string_view kCannotWriteFile = "Attention: cannot write file ";
inline constexpr std::string_view kNotReplaced = "Attention: the download did not finish; these files were not replaced: ";
inline constexpr std::string_view kNothingDownloaded = "; nothing was downloaded";

// "Ok" (command3d1) of the Download Data page: the block in numblocco, header and readings,
// into the header export file, the readings work file and the readings export file of the
// download folder. "Ok" is disabled while the port is open; Timer1 is disabled at the end.
// The export files replace earlier ones only when the whole block has been read; rows that
// could not be read are named at the end.
void download(Context& c);

} // namespace tarvelon
