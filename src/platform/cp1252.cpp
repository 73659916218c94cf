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

std::string toUtf8(const std::u32string& text)
{
    std::string out;
    for (char32_t c : text) {
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = 0xFFFD;
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::u32string fromUtf8(std::string_view text)
{
    std::u32string out;
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80 ? 0 : lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
        char32_t c = extra == 0 ? lead : extra == 1 ? lead & 0x1F : extra == 2 ? lead & 0x0F : lead & 0x07;
        bool ok = extra >= 0 && text.size() - i > static_cast<size_t>(extra);
        size_t n = 1;
        for (int k = 1; ok && k <= extra; ++k, ++n) {
            const auto b = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
            ok = (b & 0xC0) == 0x80;
            c = (c << 6) | (b & 0x3F);
        }
        // Overlong forms, surrogates and code points past U+10FFFF are malformed too.
        static constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
        if (ok && extra > 0)
            ok = c >= kLeast[extra] && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
        out.push_back(ok ? c : char32_t(0xFFFD));
        i += ok ? n : 1;
    }
    return out;
}

} // namespace tarvelon
