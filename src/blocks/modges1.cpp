#include "blocks/modges1.h"

#include "link/block.h"

#include <cstdio>

namespace tarvelon::MODGES1 {
void convertReading(const std::string& in, std::string& out)
{
    // Built aside first, so a caller that passes one text as both still gets the reading.
    std::string text;
    int d[4];
    bool complete = in.size() >= 4;
    for (int i = 0; complete && i < 4; ++i) {
        d[i] = hexDigitValue(in[static_cast<size_t>(i)]);
        complete = d[i] >= 0;
    }
    if (complete) {
        const bool positive = (d[0] & 8) != 0;
        const int magnitude = (((d[0] & 7) * 16 + d[1]) * 16 + d[2]) * 16 + d[3];
        char buf[16];
        std::snprintf(buf, sizeof buf, "%c%05d", positive ? '+' : '-', magnitude);
        text = buf;
    }
    out = std::move(text);
}

} // namespace tarvelon::MODGES1
