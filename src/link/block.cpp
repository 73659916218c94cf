#include "link/block.h"

#include <cmath>
#include <cstdio>

namespace tarvelon {

std::optional<std::string> blockCode(int n)
{
    if (n < 1 || n > kBlockCount)
        return std::nullopt;
    return hexByte(static_cast<unsigned>(n - 1));
}

std::optional<std::string> blockAddress(int n)
{
    auto code = blockCode(n);
    if (!code)
        return std::nullopt;
    return *code + "000";
}

std::string twoDigits(int n)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

int hexDigitValue(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    return -1;
}

std::string hexByte(unsigned value)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X", value & 0xFFu);
    return buf;
}

double numericValue(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    double sign = 1.0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            sign = -1.0;
        ++i;
    }
    double value = 0.0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10.0 + (text[i] - '0');
    if (i < text.size() && text[i] == '.') {
        double scale = 0.1;
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, scale /= 10.0)
            value += (text[i] - '0') * scale;
    }
    return sign * value;
}

std::optional<int> blockNumberOf(std::string_view text)
{
    const double v = numericValue(text);
    if (v < 1 || v > kBlockCount || v != std::floor(v))
        return std::nullopt;
    return static_cast<int>(v);
}

} // namespace tarvelon
