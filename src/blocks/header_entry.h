#pragma once
#include "link/context.h"
#include "platform/translate.h"
#include "link/header_file.h"
#include "link/shown_block.h"

#include <string>
#include <string_view>

namespace tarvelon {

inline constexpr std::string_view kInsertBlockNumber = QT_TRANSLATE_NOOP("Texts", "Attention: Insert block number");
inline constexpr std::string_view kIncorrectBlockNumber = QT_TRANSLATE_NOOP("Texts", "Attention: Incorrect block number");
inline constexpr std::string_view kInvalidDepth = QT_TRANSLATE_NOOP("Texts", "Attention: Invalid DEPTH value");

// Upper case in Windows-1252, one byte for one byte: a character without a single-byte upper
// case stays as it is.
std::string upperCase(std::string_view text);

// Checks of the Header Data page, run when the operator leaves a field. They only warn: the
// operator is never held in a field.
// The block number boxes (Text2, numblocco): true when the box holds 1 to 30.
bool checkBlockNumber(Context& c, std::string_view box);
// Leaving Text2: a valid number other than the current block's does what "+" and "-" do, so
// the header shown is always the header of the block the box names.
void leaveHeaderBlockNumber(Context& c);
// Client, site and tube: blank-padded, cut to their width and upper-cased.
void leaveTextField(Context& c, std::string_view box);
void leaveDepthMetres(Context& c);
void leaveDepthTenths(Context& c);
void toggleDepthTenths(Context& c);
void leaveReadoutNumber(Context& c);

// Stores the shown header as the current block's record and shows block `target`. When the
// header file fails the operator is told and nothing moves, so no typing is lost (false).
bool showHeaderOf(Context& c, int target);
// "+" and "-" of the Header Data page: store the shown header, show the next one.
void nextHeader(Context& c);
void previousHeader(Context& c);
// "+" and "-" of the Download Data page.
void nextDownloadBlock(Context& c);
void previousDownloadBlock(Context& c);

} // namespace tarvelon
