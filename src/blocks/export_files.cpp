#include "blocks/export_files.h"

#include "blocks/modges1.h"

#include <cstdio>

namespace tarvelon {
namespace {

constexpr int kTextWidth = 40;
constexpr int kDepthWidth = 7;
constexpr int kReadingWidth = 8;
constexpr std::string_view kLineEnd = "\r ";
// "à" is the single byte 0xE0 in Windows-1252.
constexpr std::string_view kColumnLine = "Profondit\xE0;S1;S2";

void appendField(std::string& out, std::string_view value, int width)
{
    const size_t w = static_cast<size_t>(width);
    const std::string_view cut = value.substr(0, w);
    out.append(cut);
    out.append(w - cut.size(), ' ');
}

// Characters `from` (1-based) onwards, at most `count`; empty past the end of the text.
std::string mid(std::string_view text, size_t from, size_t count)
{
    return from > text.size() ? std::string() : std::string(text.substr(from - 1, count));
}

std::string headerExportRecord(std::string_view text)
{
    std::string record;
    appendField(record, text, kTextWidth);
    record.append(kLineEnd);
    return record;
}

bool forbiddenInFileName(unsigned char ch)
{
    return ch < 0x20 || ch == 0x7F || std::string_view("/\\:*?\"<>|").find(static_cast<char>(ch)) != std::string_view::npos;
}

} // namespace

std::string exportBaseName(const BlockHeader& h)
{
    return h.client + "-" + h.site + "-" + h.tube + "-" + h.readout + "-";
}

std::string safeFileName(std::string_view name)
{
    std::string safe(name);
    for (char& ch : safe)
        if (forbiddenInFileName(static_cast<unsigned char>(ch)))
            ch = '_';
    if (safe == "." || safe == "..")
        safe.assign(safe.size(), '_');
    return safe;
}

std::string depthText(std::string_view rawDepth)
{
    std::string depth(rawDepth);
    for (char& ch : depth)
        if (ch == ',')
            ch = '.';
    return mid(depth, 1, 3) + "." + mid(depth, 4, 1);
}

std::string depthPattern(int tenths)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%03d.%d", tenths / 10, tenths % 10);
    return buf;
}

std::vector<std::string> headerExportRecords(const BlockHeader& h)
{
    const std::string lines[] = {
        "Cliente: ;" + h.client,
        "Cantiere:;" + h.site,
        "N. Tubo: ;" + h.tube,
        "Prof.:;" + h.depth,
        "Passo:;" + h.step,
        "N. Guide: ;" + h.guides,
        "Nord:;" + h.north,
        "N. Lett.:;" + h.readout,
        "Data: ;" + mid(h.date, 1, 2) + "/" + mid(h.date, 3, 2) + "/" + mid(h.date, 5, 2),
        "Ora:;" + mid(h.time, 1, 2) + ":" + mid(h.time, 3, 2) + ":" + mid(h.time, 5, 2),
    };
    // A blank line between the header lines.
    std::vector<std::string> records;
    for (const std::string& line : lines) {
        if (!records.empty())
            records.push_back(headerExportRecord({}));
        records.push_back(headerExportRecord(line));
    }
    return records;
}

std::string ReadingsRecord::bytes() const
{
    std::string out;
    out.reserve(kReadingsLength);
    appendField(out, text, kTextWidth);
    appendField(out, depth, kDepthWidth);
    for (const std::string& reading : readings)
        appendField(out, reading, kReadingWidth);
    out.append(kLineEnd);
    return out;
}

ReadingsRecord columnLine()
{
    ReadingsRecord r;
    r.text = kColumnLine;
    return r;
}

ReadingsRecord readingsRow(int depthTenths, std::string_view reply, int count)
{
    ReadingsRecord r;
    r.depth = depthPattern(depthTenths) + ";";
    for (int j = 0; j < count && j < kReadingsPerRow; ++j) {
        // Word j + 1 is the high byte's pair followed by the low byte's pair.
        const size_t at = static_cast<size_t>(6 * j) + 1;
        const std::string word = mid(reply, at, 2) + mid(reply, at + 3, 2);
        std::string reading;
        MODGES1::convertReading(word, reading);
        r.readings[static_cast<size_t>(j)] = reading + ";";
    }
    return r;
}

ReadingsRecord exportRecord(const ReadingsRecord& work)
{
    ReadingsRecord r;
    r.text = work.text;
    r.depth = work.depth;
    r.readings[0] = work.readings[0];
    r.readings[1] = work.readings[1];
    return r;
}

} // namespace tarvelon
