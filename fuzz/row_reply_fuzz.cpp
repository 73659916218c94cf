// A row reply as the line delivers it, decoded into bytes and into a readings record.
// Input: count (4 bytes, little-endian, signed), depth in tenths (4 bytes), then the reply.
#include "blocks/export_files.h"
#include "blocks/row_fetch.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <string>

using namespace tarvelon;

namespace {

int32_t takeInt(const uint8_t*& data, size_t& size)
{
    uint32_t v = 0;
    for (int i = 0; i < 4 && size > 0; ++i, ++data, --size)
        v |= uint32_t(*data) << (8 * i);
    return static_cast<int32_t>(v);
}

// The unit's own layout of a row: each byte as two hexadecimal digits and one more character.
std::string asRowReply(const std::string& bytes, bool lowerCase)
{
    std::string reply;
    char pair[4];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(pair, sizeof pair, lowerCase ? "%02x" : "%02X", static_cast<unsigned char>(bytes[i]));
        reply += pair;
        reply += bytes[(i + 1) % bytes.size()]; // whatever lies between the pairs
    }
    return reply + "\r\n";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const int count = takeInt(data, size);
    const int depthTenths = takeInt(data, size);
    const std::string reply(reinterpret_cast<const char*>(data), size);

    // Of the first `count` pairs the reply holds, one byte for each pair of two hexadecimal
    // digits and none for any other pair.
    const std::string decoded = decodeBytes(reply, count);
    size_t wellFormed = 0;
    for (size_t k = 0; static_cast<long long>(k) < count && 3 * k + 1 < reply.size(); ++k)
        wellFormed += std::isxdigit(static_cast<unsigned char>(reply[3 * k])) &&
                      std::isxdigit(static_cast<unsigned char>(reply[3 * k + 1]));
    FUZZ_REQUIRE(decoded.size() == wellFormed);

    // A well-formed reply gives back exactly the bytes it carries, in either case.
    const size_t wanted = count <= 0 ? 0 : std::min(static_cast<size_t>(count), reply.size());
    for (bool lowerCase : {false, true})
        FUZZ_REQUIRE(decodeBytes(asRowReply(reply, lowerCase), count) == reply.substr(0, wanted));

    // Whatever the reply, a readings record keeps its fixed length.
    const ReadingsRecord any = readingsRow(depthTenths, reply, count);
    FUZZ_REQUIRE(any.bytes().size() == static_cast<size_t>(kReadingsLength));
    FUZZ_REQUIRE(exportRecord(any).bytes().size() == static_cast<size_t>(kReadingsLength));

    // From a well-formed reply, reading j is word j: the high byte 2j, the low byte 2j + 1.
    const ReadingsRecord row = readingsRow(depthTenths, asRowReply(reply, false), count);
    for (int j = 0; j < kReadingsPerRow; ++j) {
        const std::string& reading = row.readings[static_cast<size_t>(j)];
        const size_t hi = 2 * static_cast<size_t>(j);
        if (j >= count) {
            FUZZ_REQUIRE(reading.empty());
            continue;
        }
        if (hi + 1 >= reply.size()) {
            FUZZ_REQUIRE(reading == ";"); // a word the reply does not hold converts to nothing
            continue;
        }
        const unsigned word = static_cast<unsigned char>(reply[hi]) * 256u + static_cast<unsigned char>(reply[hi + 1]);
        char expected[16];
        std::snprintf(expected, sizeof expected, "%c%05u;", (word & 0x8000u) ? '+' : '-', word & 0x7FFFu);
        FUZZ_REQUIRE(reading == expected);
    }
    return 0;
}
