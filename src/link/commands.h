#pragma once
#include <string>
#include <string_view>

namespace tarvelon {

// Every line the program sends to the unit. Hexadecimal is upper case; every command line
// ends in one carriage return; the wake character goes alone.
namespace cmd {

inline constexpr std::string_view kWake = "}";
inline constexpr std::string_view kReady = "!";
inline constexpr char kEnd = '\r';
inline constexpr std::string_view kClosing = "b000F500\r";
inline constexpr std::string_view kReadClock = "H\r";
// Replies are complete once this many characters are waiting.
inline constexpr int kRowReplyLength = 50;
inline constexpr int kClockReplyLength = 14;

// "a" + block code + page digit + row offset.
std::string readRow(std::string_view code, std::string_view page, std::string_view offset);
// "C" + block address + header text.
std::string writeHeader(std::string_view code, std::string_view headerText);
// "D" + block address + gain 1, zero 1, gain 2, zero 2, point.
std::string writeZeroGain(std::string_view code, std::string_view zeroGainText);
// "b000F0" + delay code (the delay plus 30 in decimal).
std::string writeDelay(int delay);
// "G" + YYMMDDhhmmss.
std::string writeClock(std::string_view clockText);

} // namespace cmd
} // namespace tarvelon
