#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelon {

// Text inside the program is one byte per character in Windows-1252. These convert between
// that and Unicode code points; a code point the code page cannot hold becomes "?", so a
// text never grows when it is stored.
char toCp1252(char32_t codePoint);
char32_t fromCp1252(unsigned char byte);
std::string toCp1252(const std::u32string& text);
std::u32string fromCp1252(const std::string& text);
// UTF-8, for names the file system keeps; a malformed sequence reads as U+FFFD.
std::string toUtf8(const std::u32string& text);
std::u32string fromUtf8(std::string_view text);

} // namespace tarvelon
