#pragma once
#include <string>

// The program's standard module.
namespace tarvelon::MODGES1 {

// The reading text of one 16-bit sign-and-magnitude word given as four hexadecimal digits,
// most significant first: bit 15 set means positive, bits 0 to 14 are the magnitude. The text
// is the sign followed by at least five digits ("8001" gives "+00001", "0001" gives "-00001").
// Only the first four characters count. Fewer than four, or one of them that is not a
// hexadecimal digit (either case), leave `out` empty.
void convertReading(const std::string& in, std::string& out);

} // namespace tarvelon::MODGES1
