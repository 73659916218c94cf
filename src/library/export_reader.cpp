#include "library/export_reader.h"

#include "platform/cp1252.h"
#include "platform/file_path.h"
#include "blocks/download.h"
#include "analysis/displacement.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace tarvelon::surveys {
namespace {

namespace fs = std::filesystem;

constexpr size_t kHeaderRecord = 42;
constexpr size_t kHeaderRecords = 19;
constexpr size_t kReadingsRecord = 113;
constexpr size_t kTextWidth = 40;
constexpr size_t kDepthWidth = 7;
constexpr size_t kReadingWidth = 8;
constexpr std::string_view kLineEnd = "\r ";
constexpr std::string_view kColumnLine = "Profondit\xE0;S1;S2";
constexpr std::string_view kHeaderSuffix = "dat.dat";
constexpr std::string_view kReadingsSuffix = "num.dat";
// Far beyond the 242 records of a full block: anything larger is not a readings export file.
constexpr std::uintmax_t kLargestFile = 1000 * kReadingsRecord;

constexpr std::string_view kLabels[] = {"Cliente: ;", "Cantiere:;", "N. Tubo: ;", "Prof.:;",  "Passo:;",
                                        "N. Guide: ;", "Nord:;",    "N. Lett.:;", "Data: ;", "Ora:;"};

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    return s;
}

bool blank(std::string_view s)
{
    return s.find_first_not_of(' ') == std::string_view::npos;
}

std::string utf8(std::string_view cp1252)
{
    std::string out;
    for (char32_t c : fromCp1252(std::string(cp1252))) {
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Quoted for a message, non-printing bytes shown as "?".
std::string shown(std::string_view s)
{
    std::string out = "\"";
    for (char c : trimmed(s))
        out += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? '?' : c;
    return utf8(out + "\"");
}

bool digits(std::string_view s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "012.5" (any number of whole digits, one decimal) as tenths.
std::optional<int> tenths(std::string_view s)
{
    const size_t point = s.find('.');
    if (point == std::string_view::npos || point + 2 != s.size() || !digits(s.substr(0, point)) ||
        !digits(s.substr(point + 1)) || point > 6)
        return std::nullopt;
    int whole = 0;
    std::from_chars(s.data(), s.data() + point, whole);
    return whole * 10 + (s.back() - '0');
}

// A reading field: sign and digits followed by ";", or ";" alone where the unit's word could
// not be converted, or blanks where the row has no such reading.
bool reading(std::string_view field, std::optional<std::int64_t>& value)
{
    field = trimmed(field);
    if (!field.empty() && field.back() == ';')
        field.remove_suffix(1);
    value.reset();
    if (field.empty())
        return true;
    if ((field[0] != '+' && field[0] != '-') || !digits(field.substr(1)) || field.size() > 7)
        return false;
    std::int64_t v = 0;
    std::from_chars(field.data() + 1, field.data() + field.size(), v);
    value = field[0] == '-' ? -v : v;
    return true;
}

bool readHeader(std::string_view bytes, Survey& s, std::string& error)
{
    if (bytes.size() < kHeaderRecords * kHeaderRecord) {
        error = "the header export file is cut short (" + std::to_string(bytes.size()) + " of " +
                std::to_string(kHeaderRecords * kHeaderRecord) + " bytes)";
        return false;
    }
    std::string values[std::size(kLabels)];
    for (size_t k = 0; k < kHeaderRecords; ++k) {
        const std::string_view record = bytes.substr(k * kHeaderRecord, kHeaderRecord);
        const std::string_view text = record.substr(0, kTextWidth);
        const bool line = k % 2 == 0;
        const std::string_view label = line ? kLabels[k / 2] : std::string_view();
        if (record.substr(kTextWidth) != kLineEnd || (line ? !text.starts_with(label) : !blank(text))) {
            error = "not a header export file (line " + std::to_string(k + 1) + " is " + shown(text) + ")";
            return false;
        }
        if (line)
            values[k / 2] = utf8(trimmed(text.substr(label.size())));
    }
    if (bytes.size() != kHeaderRecords * kHeaderRecord) {
        error = "not a header export file (" + std::to_string(bytes.size()) + " bytes instead of " +
                std::to_string(kHeaderRecords * kHeaderRecord) + ")";
        return false;
    }
    s.client = values[0];
    s.site = values[1];
    s.tube = values[2];
    if (const auto t = tenths(values[3])) {
        if (*t < 0 || *t > kDeepestTenths) {
            error = "the header's depth " + values[3] + " is beyond what the unit can hold";
            return false;
        }
        s.depth = *t / 10.0;
    }
    s.step = values[4] == "0" ? 0.5 : 1.0;
    s.guides = values[5];
    s.north = values[6];
    s.readout = values[7];
    s.date = values[8];
    s.time = values[9];
    return true;
}

bool readReadings(std::string_view bytes, Survey& s, std::string& error)
{
    if (bytes.size() % kReadingsRecord != 0) {
        error = "the readings export file is cut short (" + std::to_string(bytes.size()) +
                " bytes, not a whole number of records)";
        return false;
    }
    int columnLines = 0;
    std::set<int> depths;
    for (size_t k = 0; k < bytes.size() / kReadingsRecord; ++k) {
        const std::string_view record = bytes.substr(k * kReadingsRecord, kReadingsRecord);
        const std::string_view text = record.substr(0, kTextWidth);
        const std::string_view fields = record.substr(kTextWidth, kReadingsRecord - kTextWidth - kLineEnd.size());
        const std::string where = "record " + std::to_string(k + 1);
        if (!record.ends_with(kLineEnd) || !(blank(text) || trimmed(text) == kColumnLine) ||
            (!blank(text) && !blank(fields))) {
            error = "not a readings export file (" + where + " is " + shown(text) + ")";
            return false;
        }
        if (!blank(text)) {
            ++columnLines;
            continue;
        }
        if (blank(fields))
            continue;
        SurveyRow row;
        std::string_view depth = trimmed(fields.substr(0, kDepthWidth));
        if (depth.ends_with(';'))
            depth.remove_suffix(1);
        const auto t = tenths(depth);
        if (!t) {
            error = where + ": the depth " + shown(fields.substr(0, kDepthWidth)) + " is not a depth";
            return false;
        }
        if (*t < 0 || *t > kDeepestTenths) {
            error = where + ": the depth " + shown(depth) + " is beyond what the unit can hold";
            return false;
        }
        row.depthTenths = *t;
        for (size_t j = 0; j < size_t(kChannels); ++j) {
            const std::string_view field = fields.substr(kDepthWidth + j * kReadingWidth, kReadingWidth);
            if (!reading(field, row.readings[j])) {
                error = where + ": reading " + std::to_string(j + 1) + " " + shown(field) + " is not a reading";
                return false;
            }
        }
        if (!depths.insert(row.depthTenths).second) {
            error = where + ": the depth " + shown(depth) + " comes twice";
            return false;
        }
        s.rows.push_back(row);
    }
    if (columnLines != 1) {
        error = "not a readings export file (it should hold one column line \"Profondità;S1;S2\")";
        return false;
    }
    std::sort(s.rows.begin(), s.rows.end(), [](const SurveyRow& a, const SurveyRow& b) { return a.depthTenths < b.depthTenths; });
    return true;
}

bool endsWith(std::string_view path, std::string_view suffix)
{
    return path.size() >= suffix.size() &&
           std::equal(suffix.rbegin(), suffix.rend(), path.rbegin(),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

bool readFile(const std::string& path, std::string& bytes, std::string& error)
{
    std::error_code ec;
    const auto size = fs::file_size(fsPath(path), ec);
    if (ec) {
        error = "cannot read " + utf8Path(fsPath(path).filename()) + " (" + ec.message() + ")";
        return false;
    }
    if (size > kLargestFile) {
        error = utf8Path(fsPath(path).filename()) + " is far too large for an export file";
        return false;
    }
    std::ifstream in(fsPath(path), std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
    if (!in && !in.eof()) {
        error = utf8Path(fsPath(path).filename()) + " cannot be read";
        return false;
    }
    return true;
}

std::string isoTime(fs::file_time_type t)
{
    const auto sys = std::chrono::time_point_cast<std::chrono::seconds>(std::chrono::file_clock::to_sys(t));
    const std::time_t tt = std::chrono::system_clock::to_time_t(sys);
    std::tm tm{};
#ifdef _WIN32
    gmtime_s(&tm, &tt);
#else
    gmtime_r(&tt, &tm);
#endif
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%SZ", &tm);
    return buf;
}

} // namespace

std::string isoTimeNow()
{
    return isoTime(std::chrono::file_clock::from_sys(std::chrono::system_clock::now()));
}

ReadResult readExport(std::string_view headerBytes, std::string_view readingsBytes)
{
    Survey s;
    std::string error;
    if (!readHeader(headerBytes, s, error) || !readReadings(readingsBytes, s, error))
        return {std::nullopt, error};
    // The rows the header promises, from its depth up one step each as the unit reads them:
    // those the file lacks were not read, and the survey is kept incomplete until a whole
    // one completes it, whether it came from the unit or from these files.
    std::set<int> read;
    for (const SurveyRow& row : s.rows)
        read.insert(row.depthTenths);
    const int deepest = static_cast<int>(std::lround(s.depth.value_or(0) * 10));
    const int step = static_cast<int>(std::lround(s.step * 10));
    const int rows = readingRowCount(depthMetres(deepest), step == 5 ? "0" : "1");
    for (int i = rows - 1; i >= 0; --i)
        if (!read.count(deepest - i * step))
            s.missingTenths.push_back(deepest - i * step);
    return {std::move(s), {}};
}

std::string libraryFilePath(const std::string& path)
{
    if (path.empty())
        return path;
    std::error_code ec;
    fs::path absolute = fs::absolute(fsPath(path), ec);
    if (ec)
        absolute = fsPath(path);
    return utf8Path(absolute.lexically_normal().make_preferred());
}

bool isHeaderExportName(std::string_view path)
{
    return endsWith(path, kHeaderSuffix);
}

bool isReadingsExportName(std::string_view path)
{
    return endsWith(path, kReadingsSuffix);
}

std::string partnerFile(const std::string& path)
{
    std::string_view partnerSuffix;
    if (isHeaderExportName(path))
        partnerSuffix = kReadingsSuffix;
    else if (isReadingsExportName(path))
        partnerSuffix = kHeaderSuffix;
    else
        return {};
    // The partner's name keeps the case of this one's: files copied from a FAT stick may be
    // named "X-DAT.DAT" and "X-NUM.DAT".
    std::string partner = path;
    const size_t start = path.size() - partnerSuffix.size();
    for (size_t i = 0; i < partnerSuffix.size(); ++i) {
        const char wanted = partnerSuffix[i];
        const bool upper = std::isupper(static_cast<unsigned char>(path[start + i])) != 0;
        partner[start + i] = upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(wanted))) : wanted;
    }
    return partner;
}

ReadResult readExportFiles(const std::string& path)
{
    if (partnerFile(path).empty())
        return {std::nullopt, "not an export file (its name ends neither in dat.dat nor in num.dat)"};
    const std::string header = isHeaderExportName(path) ? path : partnerFile(path);
    const std::string readings = partnerFile(header);
    std::string headerBytes, readingsBytes, error;
    if (!readFile(header, headerBytes, error) || !readFile(readings, readingsBytes, error))
        return {std::nullopt, error};
    ReadResult r = readExport(headerBytes, readingsBytes);
    if (r.survey) {
        std::error_code ec;
        const auto written = fs::last_write_time(fsPath(readings), ec);
        r.survey->downloadedAt = ec ? std::string() : isoTime(written);
        r.survey->headerFile = libraryFilePath(header);
        r.survey->readingsFile = libraryFilePath(readings);
    }
    return r;
}

} // namespace tarvelon::surveys
