#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tarvelon {

inline constexpr int kBlockCount = 30;

// Block code of block n: n - 1 as two upper-case hexadecimal digits ("00" to "1D");
// none for a number outside 1 to 30.
std::optional<std::string> blockCode(int n);
// Block address: the block code followed by "000".
std::optional<std::string> blockAddress(int n);
// A number shown with at least two digits: 7 gives "07".
std::string twoDigits(int n);
// The number at the start of a text: leading blanks skipped, an optional sign, digits, an
// optional decimal point and digits; 0 when the text starts with no number.
double numericValue(std::string_view text);
// The block number a text box holds, when it is a whole number from 1 to 30.
std::optional<int> blockNumberOf(std::string_view text);
// The value of one hexadecimal digit, upper or lower case; -1 for any other character.
int hexDigitValue(char ch);
// Upper-case hexadecimal digits of a byte value.
std::string hexByte(unsigned value);

} // namespace tarvelon
