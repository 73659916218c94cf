// The simulated unit's interpreter against its protocol, on any characters the line brings.
// Input: a mode byte (bit 0 split replies, bit 1 cut them, bit 2 non-zero memory), a byte for
// each of those two faults, then the characters, fed one command line at a time.
#include "fuzz_check.h"
#include "sim/unit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

using namespace tarvelon;
using sim::Unit;

namespace {

constexpr size_t kHeaderArea = 0x100; // header and zero/gain rows at the start of a block

std::optional<unsigned> upperHex(std::string_view text)
{
    unsigned v = 0;
    for (char ch : text) {
        if (ch >= '0' && ch <= '9')
            v = v * 16 + unsigned(ch - '0');
        else if (ch >= 'A' && ch <= 'F')
            v = v * 16 + unsigned(ch - 'A' + 10);
        else
            return std::nullopt;
    }
    return v;
}

bool isLeap(int y)
{
    return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
}

int daysInMonth(int y, int m)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}

// YYMMDDhhmmss naming a moment that exists.
bool isValidClock(std::string_view t)
{
    if (t.size() != 12 || !std::all_of(t.begin(), t.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
        return false;
    auto two = [&](size_t at) { return (t[at] - '0') * 10 + (t[at + 1] - '0'); };
    const int month = two(2), day = two(4);
    return month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth(2000 + two(0), month) && two(6) <= 23
           && two(8) <= 59 && two(10) <= 59;
}

// The reply the protocol asks of a command line, before any fault.
std::string expectedReply(const Unit& unit, const std::string& line)
{
    if (line == "H")
        return unit.clockText() + "\r\n";
    if (line.size() == 6 && line[0] == 'a') {
        const auto address = upperHex(std::string_view(line).substr(1));
        if (!address || *address >= unsigned(Unit::kMemorySize))
            return {};
        std::string reply;
        char pair[4];
        for (unsigned k = 0; k < 16; ++k) {
            std::snprintf(pair, sizeof pair, "%02X ", unit.memory()[(*address & ~15u) + k]);
            reply += pair;
        }
        return reply + "\r\n";
    }
    return {};
}

// Where a command line may change the memory: [from, to).
std::pair<size_t, size_t> writableBy(const std::string& line)
{
    if (line.size() == 8 && line[0] == 'b') {
        const auto address = upperHex(std::string_view(line).substr(1, 5));
        if (address && *address < unsigned(Unit::kMemorySize) && upperHex(std::string_view(line).substr(6)))
            return {*address, *address + 1};
    }
    if ((line[0] == 'C' || line[0] == 'D') && line.size() >= 6) {
        const auto base = upperHex(std::string_view(line).substr(1, 5));
        if (base && *base % Unit::kBlockSize == 0 && *base < unsigned(Unit::kMemorySize))
            return {*base, *base + kHeaderArea};
    }
    return {0, 0};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    static Unit unit;
    static std::array<uint8_t, Unit::kMemorySize> shadow;
    unit = Unit();
    const uint8_t mode = data[0];
    if (mode & 1)
        unit.faults.splitParts = data[1] % 60;
    if (mode & 2)
        unit.faults.cutReplyAt = data[2] % 60 - 1;
    if (mode & 4)
        for (size_t i = 0; i < unit.memory().size(); ++i)
            unit.memory()[i] = static_cast<uint8_t>(i * 167 + 13);
    shadow = unit.memory();
    const std::string input(reinterpret_cast<const char*>(data + 3), size - 3);
    static Unit chunked;
    chunked = unit;
    std::string saidInChunks, saidWhole;

    size_t start = 0;
    while (start < input.size()) {
        const size_t cr = input.find('\r', start);
        const size_t end = cr == std::string::npos ? input.size() : cr + 1;
        const size_t logged = unit.log().size();
        const std::string clockBefore = unit.clockText();

        const std::string_view piece = std::string_view(input).substr(start, end - start);
        const auto bursts = unit.receive(piece);
        start = end;
        // The same characters in pieces of one to eight, as a serial driver may hand them over.
        const size_t chunk = size_t(data[1] % 8) + 1;
        for (size_t at = 0; at < piece.size(); at += chunk)
            for (const sim::Burst& b : chunked.receive(piece.substr(at, chunk)))
                saidInChunks += b.bytes;

        // What was heard: wakes, then at most the one line this piece ends.
        size_t wakes = 0;
        std::optional<std::string> line;
        for (size_t i = logged; i < unit.log().size(); ++i) {
            const std::string& entry = unit.log()[i];
            if (entry == "}" && !line)
                ++wakes;
            else {
                FUZZ_REQUIRE(!line && !entry.empty());
                line = entry;
            }
        }
        FUZZ_REQUIRE(!line || cr != std::string::npos);

        // What was said: "!" for every wake, then the reply the protocol asks, cut as told.
        std::string said;
        for (const sim::Burst& b : bursts) {
            FUZZ_REQUIRE(!b.bytes.empty());
            FUZZ_REQUIRE(std::isfinite(b.delayMs) && b.delayMs >= 0);
            said += b.bytes;
        }
        std::string reply = line ? expectedReply(unit, *line) : std::string();
        if (unit.faults.cutReplyAt >= 0 && reply.size() > size_t(unit.faults.cutReplyAt))
            reply.resize(size_t(unit.faults.cutReplyAt));
        FUZZ_REQUIRE(said == std::string(wakes, '!') + reply);
        saidWhole += said;

        // Memory: only "b", "C" and "D" write, and only where they point.
        const auto [from, to] = line ? writableBy(*line) : std::pair<size_t, size_t>{0, 0};
        const uint8_t* now = unit.memory().data();
        FUZZ_REQUIRE(std::memcmp(now, shadow.data(), from) == 0);
        FUZZ_REQUIRE(std::memcmp(now + to, shadow.data() + to, shadow.size() - to) == 0);
        std::memcpy(shadow.data() + from, now + from, to - from);

        // Clock: always a moment that exists, set only by a valid "G".
        const std::string clock = unit.clockText();
        FUZZ_REQUIRE(isValidClock(clock));
        if (line && (*line)[0] == 'G' && line->size() == 13 && isValidClock(std::string_view(*line).substr(1)))
            FUZZ_REQUIRE(clock == line->substr(1));
        else
            FUZZ_REQUIRE(clock == clockBefore);
    }

    // How the characters were cut up changes nothing the unit does.
    FUZZ_REQUIRE(saidInChunks == saidWhole);
    FUZZ_REQUIRE(chunked.log() == unit.log());
    FUZZ_REQUIRE(chunked.memory() == unit.memory());
    FUZZ_REQUIRE(chunked.clockText() == unit.clockText());
    return 0;
}
