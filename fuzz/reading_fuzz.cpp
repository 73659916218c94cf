// The reading conversion on any text: four hexadecimal digits give a sign and at least five
// digits that carry the word's value; anything else gives nothing.
#include "blocks/modges1.h"
#include "fuzz_check.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace tarvelon;

namespace {

bool isHex(char ch)
{
    return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F') || (ch >= 'a' && ch <= 'f');
}

bool allDigits(const std::string& s)
{
    for (char ch : s)
        if (ch < '0' || ch > '9')
            return false;
    return !s.empty();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string in(reinterpret_cast<const char*>(data), size);
    std::string out = "left over from the previous word";
    MODGES1::convertReading(in, out);

    const bool word = in.size() >= 4 && isHex(in[0]) && isHex(in[1]) && isHex(in[2]) && isHex(in[3]);
    if (!word) {
        FUZZ_REQUIRE(out.empty());
    } else {
        const unsigned long value = std::strtoul(in.substr(0, 4).c_str(), nullptr, 16);
        FUZZ_REQUIRE(out.size() == 6);
        FUZZ_REQUIRE(out[0] == ((value & 0x8000u) ? '+' : '-'));
        FUZZ_REQUIRE(allDigits(out.substr(1)));
        FUZZ_REQUIRE(std::strtoul(out.c_str() + 1, nullptr, 10) == (value & 0x7FFFu));
    }

    // One text passed as both the word and the reading still converts.
    std::string same = in;
    MODGES1::convertReading(same, same);
    FUZZ_REQUIRE(same == out);
    return 0;
}
