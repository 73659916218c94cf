#include "platform/cp1252.h"

#include <array>

namespace tarvelon {
namespace {

// 0x80 to 0x9F; 0 marks the five bytes Windows-1252 leaves undefined.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

} // namespace

char toCp1252(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] != 0 && kHigh[i] == c)
            return static_cast<char>(0x80 + i);
    // The five undefined bytes read as the control characters of the same value.
    if (c >= 0x80 && c < 0xA0 && kHigh[c - 0x80] == 0)
        return static_cast<char>(c);
    return '?';
}

char32_t fromCp1252(unsigned char b)
{
    if (b >= 0x80 && b < 0xA0)
        return kHigh[b - 0x80] != 0 ? kHigh[b - 0x80] : char32_t(b);
    return b;
}

std::string toCp1252(const std::u32string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text)
        out.push_back(toCp1252(c));
    return out;
}

std::u32string fromCp1252(const std::string& text)
{
    std::u32string out;
    out.reserve(text.size());
    for (char c : text)
        out.push_back(fromCp1252(static_cast<unsigned char>(c)));
    return out;
}

} // namespace tarvelon
