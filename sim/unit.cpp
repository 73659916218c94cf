#include "sim/unit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>

namespace tarvelon::sim {

namespace {

// Where each header field lives: the start of its own row in page 0, and its width.
struct FieldPlace {
    int row;
    int width;
};
constexpr FieldPlace kHeaderFields[] = {
    {0x000, 8}, {0x010, 8}, {0x020, 4}, {0x030, 4}, {0x040, 1},
    {0x050, 1}, {0x060, 4}, {0x070, 2}, {0x080, 6}, {0x090, 6},
};
constexpr int kHeaderTextLength = 44;
// Zero and gain text: gain 1 + zero 1, gain 2 + zero 2, then the point digit.
constexpr int kZeroGainRows[] = {0x0A0, 0x0B0, 0x0C0};
constexpr int kZeroGainTextLength = 29;

constexpr int kRowSize = 16;
constexpr int kReadingsStart = 0x100;
constexpr int kReadingRows = (Unit::kBlockSize - kReadingsStart) / kRowSize;

constexpr long long kDay = 86400;

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Upper-case hexadecimal only, as the unit's firmware compares characters literally.
std::optional<unsigned> parseHex(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    unsigned value = 0;
    for (char c : text) {
        if (!isHexDigit(c))
            return std::nullopt;
        value = value * 16 + static_cast<unsigned>(c <= '9' ? c - '0' : c - 'A' + 10);
    }
    return value;
}

int number(std::string_view digits)
{
    int value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

bool isLeap(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int daysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeap(year) ? 29 : kDays[month - 1];
}

int daysInYear(int year)
{
    return isLeap(year) ? 366 : 365;
}

// The clock keeps two-digit years, so it wraps after 2099.
long long centurySeconds()
{
    long long days = 0;
    for (int y = 2000; y < 2100; ++y)
        days += daysInYear(y);
    return days * kDay;
}

std::optional<int> blockAddress(std::string_view hex)
{
    const auto address = parseHex(hex);
    if (!address || *address % Unit::kBlockSize != 0 || *address >= unsigned(Unit::kMemorySize))
        return std::nullopt;
    return static_cast<int>(*address);
}

using Memory = std::array<uint8_t, Unit::kMemorySize>;

// Fills a row with blanks and puts the text at its start.
void putRow(Memory& memory, int address, std::string_view text)
{
    auto* row = &memory[size_t(address)];
    std::fill(row, row + kRowSize, uint8_t(' '));
    std::copy(text.begin(), text.end(), row);
}

void storeHeader(Memory& memory, int base, std::string_view text)
{
    size_t pos = 0;
    for (const auto& field : kHeaderFields) {
        putRow(memory, base + field.row, text.substr(pos, size_t(field.width)));
        pos += size_t(field.width);
    }
}

void storeZeroGain(Memory& memory, int base, std::string_view text)
{
    putRow(memory, base + kZeroGainRows[0], text.substr(0, 14));
    putRow(memory, base + kZeroGainRows[1], text.substr(14, 14));
    putRow(memory, base + kZeroGainRows[2], text.substr(28, 1));
}

} // namespace

Unit::Unit() = default;

std::vector<Burst> Unit::receive(std::string_view bytes)
{
    std::vector<Burst> out;
    for (char c : bytes) {
        if (pending_.empty() && c == '}') {
            ++wakes_;
            log_.emplace_back("}");
            const bool fallenSilent = faults.answerWakes >= 0 && wakes_ > faults.answerWakes;
            if (faults.silent || fallenSilent)
                continue;
            const std::string ready = faults.refusedWakes.count(wakes_) ? "!x" : "!";
            out.push_back({faults.wakeDelayMs, ready + faults.wakeExtra});
        } else if (c == '\r') {
            if (pending_.empty())
                continue; // a bare carriage return carries no command
            std::string line;
            line.swap(pending_);
            log_.push_back(line);
            auto answer = command(line);
            out.insert(out.end(), std::make_move_iterator(answer.begin()),
                       std::make_move_iterator(answer.end()));
        } else if (c == '\n' && pending_.empty()) {
            continue;
        } else {
            pending_.push_back(c);
        }
    }
    return out;
}

std::vector<std::string> Unit::commands() const
{
    std::vector<std::string> lines;
    std::copy_if(log_.begin(), log_.end(), std::back_inserter(lines),
                 [](const std::string& entry) { return entry != "}"; });
    return lines;
}

std::vector<Burst> Unit::command(const std::string& line)
{
    if (faults.answerWakes >= 0 && wakes_ > faults.answerWakes)
        return {};
    const std::string_view text(line);
    switch (text[0]) {
    case 'a': {
        if (text.size() != 6)
            return {};
        const auto address = parseHex(text.substr(1, 5));
        if (!address || *address >= unsigned(kMemorySize))
            return {};
        const unsigned row = *address & ~unsigned(kRowSize - 1);
        std::string reply;
        char hex[4];
        for (int k = 0; k < kRowSize; ++k) {
            std::snprintf(hex, sizeof hex, "%02X ", memory_[row + k]);
            reply += hex;
        }
        reply += "\r\n";
        return this->reply(std::move(reply), faults.replyDelayMs);
    }
    case 'b': {
        if (text.size() != 8)
            return {};
        const auto address = parseHex(text.substr(1, 5));
        const auto value = parseHex(text.substr(6, 2));
        if (!address || !value || *address >= unsigned(kMemorySize))
            return {};
        memory_[*address] = static_cast<uint8_t>(*value);
        return {};
    }
    case 'C': {
        if (text.size() != 1 + 5 + kHeaderTextLength)
            return {};
        const auto base = blockAddress(text.substr(1, 5));
        if (!base)
            return {};
        storeHeader(memory_, *base, text.substr(6));
        return {};
    }
    case 'D': {
        if (text.size() != 1 + 5 + kZeroGainTextLength)
            return {};
        const auto base = blockAddress(text.substr(1, 5));
        if (!base)
            return {};
        storeZeroGain(memory_, *base, text.substr(6));
        return {};
    }
    case 'G':
        if (text.size() == 13)
            setClock(text.substr(1));
        return {};
    case 'H':
        if (text.size() != 1)
            return {};
        return reply(clockText() + "\r\n", faults.replyDelayMs);
    default:
        return {};
    }
}

std::vector<Burst> Unit::reply(std::string text, double delayMs)
{
    if (faults.silent || (faults.answerWakes >= 0 && wakes_ > faults.answerWakes))
        return {};
    if (faults.noiseInReplyAt >= 0 && text.size() > size_t(faults.noiseInReplyAt))
        text.insert(size_t(faults.noiseInReplyAt), 1, '~');
    if (faults.cutReplyAt >= 0 && text.size() > size_t(faults.cutReplyAt))
        text.resize(size_t(faults.cutReplyAt));

    std::vector<Burst> out;
    const size_t parts = size_t(std::max(1, faults.splitParts));
    size_t start = 0;
    for (size_t i = 0; i < parts && start < text.size(); ++i) {
        // Spread the characters evenly; the first parts take the remainder.
        const size_t size = text.size() / parts + (i < text.size() % parts ? 1 : 0);
        if (size == 0)
            continue;
        out.push_back({out.empty() ? delayMs : faults.splitGapMs, text.substr(start, size)});
        start += size;
    }
    if (!faults.noiseAfterReply.empty())
        out.push_back({0.0, faults.noiseAfterReply});
    return out;
}

std::string Unit::headerText(int block) const
{
    if (block < 1 || block > kBlocks)
        return {};
    const int base = (block - 1) * kBlockSize;
    std::string text;
    for (const auto& field : kHeaderFields)
        text.append(reinterpret_cast<const char*>(&memory_[base + field.row]), size_t(field.width));
    return text;
}

bool Unit::loadImage(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (data.size() != size_t(kMemorySize))
        return false;
    std::copy(data.begin(), data.end(), memory_.begin());
    return true;
}

bool Unit::saveImage(const std::string& path) const
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(reinterpret_cast<const char*>(memory_.data()), kMemorySize);
    return bool(out.flush());
}

void Unit::fillDemo()
{
    static constexpr const char* kClients[] = {"ACME SRL", "GEOTECNA", "IDROPROG", "MONTEVIA", "ALPISTRA"};
    static constexpr const char* kSites[] = {"VIADOTTO", "DIGA EST", "FRANA 12", "GALLERIA", "PONTE A4", "CAVA SUD"};
    constexpr double kPi = 3.14159265358979323846;

    std::fill(memory_.begin(), memory_.end(), uint8_t(0));
    char buf[64];
    for (int n = 1; n <= kBlocks; ++n) {
        const bool fullMetre = n % 3 == 0;
        const bool fourGuides = n % 2 == 0;
        const int metres = 20 + (n * 7) % 41; // 20 to 60 m
        const int north = (n * 37) % 181 - 90;
        const int day = 1 + (n * 5) % 28;
        const int month = 1 + (n * 7) % 12;
        const int year = 23 + n % 3;

        std::string header;
        std::snprintf(buf, sizeof buf, "%-8.8s", kClients[n % std::size(kClients)]);
        header += buf;
        std::snprintf(buf, sizeof buf, "%-8.8s", kSites[n % std::size(kSites)]);
        header += buf;
        std::snprintf(buf, sizeof buf, "T%02d %03d0%c%c%+04d%02d%02d%02d%02d%02d%02d%02d", n % 12 + 1, metres,
                      fullMetre ? '1' : '0', fourGuides ? '4' : '2', north, 1 + n % 4, day, month, year,
                      8 + n % 9, (n * 13) % 60, (n * 29) % 60);
        header += buf;

        const int base = (n - 1) * kBlockSize;
        storeHeader(memory_, base, header);
        storeZeroGain(memory_, base, "+1.0000+0.0000+1.0000+0.00000");

        // Readings from the deepest depth upwards, a smooth bend that differs from block to block.
        const double step = fullMetre ? 1.0 : 0.5;
        const int rows = std::min(kReadingRows, int(std::lround(metres / step)) + 1);
        const int words = fourGuides ? 8 : 4;
        for (int r = 0; r < rows; ++r) {
            const double depth = metres - r * step;
            uint8_t* row = &memory_[size_t(base + kReadingsStart + r * kRowSize)];
            for (int w = 0; w < words; ++w) {
                const double phase = n * 0.7 + w * 1.3;
                const double value = 300.0 + 200.0 * w + 1200.0 * std::sin(2 * kPi * depth / 45.0 + phase)
                                     + 400.0 * std::cos(2 * kPi * depth / 17.0 + phase);
                const long magnitude = std::min(32767L, std::labs(std::lround(value)));
                const unsigned word = unsigned(magnitude) | (value >= 0 ? 0x8000u : 0u);
                row[2 * w] = uint8_t(word >> 8);
                row[2 * w + 1] = uint8_t(word & 0xFF);
            }
        }
    }
    fillDemoHistory();
    memory_[0x0F0] = '3'; // the automatic-cycle delay digit
    memory_[0x0F5] = 0x00;
}

// Blocks 25 to 30: six readouts of one tube four weeks apart, so the Surveys window has a
// history to show. A shear zone at 10.5 to 14.0 m grows and turns from A towards B; readout 4
// carries a bias shift of 6 units in A (both passes, so the checksum moves by 12); readout 5 has
// one row deeper than the base. Readings 3 and 4 are the 180-degree pass.
void Unit::fillDemoHistory()
{
    constexpr double kPi = 3.14159265358979323846;
    constexpr int kFirst = 25;
    const double movedMm[] = {0, 3, 7, 12, 18, 25};
    const double turnDegrees[] = {0, 20, 30, 40, 50, 60};
    const char* dates[] = {"150124", "120224", "110324", "080424", "060524", "030624"};
    char buf[64];
    for (int k = 0; k < 6; ++k) {
        const int n = kFirst + k;
        const int deepest = k == 4 ? 305 : 300;
        std::snprintf(buf, sizeof buf, "%-8.8s%-8.8s%-4.4s%04d02+045%02d%s09%02d00", "ACME SRL", "FRANA 12", "I1",
                      deepest, k + 1, dates[k], 30 + k);
        const int base = (n - 1) * kBlockSize;
        std::fill(memory_.begin() + base, memory_.begin() + base + kBlockSize, uint8_t(0));
        storeHeader(memory_, base, buf);
        storeZeroGain(memory_, base, "+1.0000+0.0000+1.0000+0.00000");
        // K 25000 and a 0.5 m gauge make a unit 0.02 mm: the zone's 8 rows share the movement.
        const double perRow = movedMm[k] / 0.02 / 8;
        const double turn = turnDegrees[k] * kPi / 180;
        const int rows = deepest / 5 + 1;
        for (int r = 0; r < rows && r < kReadingRows; ++r) {
            const int tenths = deepest - r * 5;
            const double depth = tenths / 10.0;
            const bool zone = tenths >= 105 && tenths <= 140;
            const double noise = double((tenths / 5 * 7 + k * 3) % 3 - 1);
            const double a = 300 + 1200 * std::sin(2 * kPi * depth / 45 + 0.4) + 400 * std::cos(2 * kPi * depth / 17) +
                             (zone ? perRow * std::cos(turn) : 0) + noise;
            const double b = -200 + 900 * std::sin(2 * kPi * depth / 38 + 1.9) + 300 * std::cos(2 * kPi * depth / 13) +
                             (zone ? perRow * std::sin(turn) : 0) - noise;
            const double bias = k == 3 ? 6 : 0;
            const double words[] = {a + bias, b, -a + 14 + bias, -b - 10 + noise};
            uint8_t* row = &memory_[size_t(base + kReadingsStart + r * kRowSize)];
            for (size_t w = 0; w < 4; ++w) {
                const long magnitude = std::min(32767L, std::labs(std::lround(words[w])));
                const unsigned word = unsigned(magnitude) | (words[w] >= 0 ? 0x8000u : 0u);
                row[2 * w] = uint8_t(word >> 8);
                row[2 * w + 1] = uint8_t(word & 0xFF);
            }
        }
    }
}

std::string Unit::clockText() const
{
    long long days = clockSeconds_ / kDay;
    const long long secs = clockSeconds_ % kDay;
    int year = 2000;
    while (days >= daysInYear(year))
        days -= daysInYear(year++);
    int month = 1;
    while (days >= daysInMonth(year, month))
        days -= daysInMonth(year, month++);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%02d%02d%02d%02lld%02lld%02lld", year % 100, month, int(days) + 1,
                  secs / 3600, secs / 60 % 60, secs % 60);
    return buf;
}

void Unit::setClock(std::string_view text)
{
    if (text.size() != 12 || !std::all_of(text.begin(), text.end(), isDigit))
        return;
    const int year = 2000 + number(text.substr(0, 2));
    const int month = number(text.substr(2, 2));
    const int day = number(text.substr(4, 2));
    const int hour = number(text.substr(6, 2));
    const int minute = number(text.substr(8, 2));
    const int second = number(text.substr(10, 2));
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) || hour > 23 || minute > 59
        || second > 59)
        return;
    long long days = day - 1;
    for (int y = 2000; y < year; ++y)
        days += daysInYear(y);
    for (int m = 1; m < month; ++m)
        days += daysInMonth(year, m);
    clockSeconds_ = days * kDay + hour * 3600LL + minute * 60LL + second;
    clockFraction_ = 0.0;
}

void Unit::advanceClock(double seconds)
{
    if (!std::isfinite(seconds))
        return;
    const double total = clockFraction_ + seconds;
    const double whole = std::floor(total);
    clockFraction_ = total - whole;
    const long long century = centurySeconds();
    const long long moved = static_cast<long long>(std::fmod(whole, double(century)));
    clockSeconds_ = ((clockSeconds_ + moved) % century + century) % century;
}

} // namespace tarvelon::sim
