#include "analysis/displacement.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tarvelon::surveys {
namespace {

constexpr double kMmPerInch = 25.4;

std::string fixed(double v, int decimals)
{
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals).ptr;
    std::string s(buf, end);
    // "-0.00" is no movement.
    if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos)
        s.erase(0, 1);
    return s;
}

} // namespace

double inUnits(double mm, Units units)
{
    return units == Units::Inches ? mm / kMmPerInch : mm;
}

std::string unitName(Units units)
{
    return units == Units::Inches ? "in" : "mm";
}

std::string hundredths(const std::optional<double>& v)
{
    return v ? fixed(*v, 2) : std::string();
}

std::string lengthText(const std::optional<double>& mm, Units units)
{
    // 0.01 in is a quarter of a millimetre: a thousandth keeps the noise a reader must see.
    return mm ? fixed(inUnits(*mm, units), units == Units::Inches ? 3 : 2) : std::string();
}

std::string depthText(double metres)
{
    const std::string two = fixed(metres, 2);
    return two.back() == '0' ? two.substr(0, two.size() - 1) : two;
}

std::string depthReferenceName(DepthReference reference)
{
    switch (reference) {
    case DepthReference::UpperWheel: return "upper";
    case DepthReference::LowerWheel: return "lower";
    case DepthReference::Centre: return "centre";
    }
    return "upper";
}

std::optional<DepthReference> depthReferenceNamed(const std::string& name)
{
    for (DepthReference r : {DepthReference::UpperWheel, DepthReference::LowerWheel, DepthReference::Centre})
        if (depthReferenceName(r) == name)
            return r;
    return std::nullopt;
}

std::string readoutNumber(const std::string& readout)
{
    return readout.size() == 1 && readout[0] >= '0' && readout[0] <= '9' ? "0" + readout : readout;
}

std::string depthMetres(int tenths)
{
    return (tenths < 0 ? "-" : "") + std::to_string(std::abs(tenths) / 10) + "." + std::to_string(std::abs(tenths) % 10);
}

std::vector<std::string> displacementCells(const DisplacementRow& row, const TubeSettings& settings,
                                           bool checksumLengths)
{
    const auto length = [&settings](const std::optional<double>& mm) { return lengthText(mm, settings.units); };
    std::vector<std::string> cells{depthText(row.topM), hundredths(row.change[0]), hundredths(row.change[1])};
    for (const auto* values : {&row.incremental, &row.cumulative})
        for (const auto& v : *values)
            cells.push_back(length(v));
    cells.push_back(length(row.resultant));
    cells.push_back(hundredths(row.azimuth));
    if (settings.secondPass)
        for (const auto& sum : row.checksum)
            cells.push_back(sum ? std::to_string(*sum) : std::string());
    if (settings.secondPass)
        for (const auto& moved : row.checksumChange)
            cells.push_back(hundredths(moved));
    if (settings.secondPass && checksumLengths)
        for (const auto& moved : row.checksumChange)
            cells.push_back(length(checksumMm(moved, settings)));
    return cells;
}

std::string displacementCsv(const TubeResult& tube)
{
    const std::string u = "_" + unitName(tube.settings.units);
    std::string out = "readout,date,time,depth_m,a_change,b_change,a_incremental" + u + ",b_incremental" + u +
                      ",a_cumulative" + u + ",b_cumulative" + u + ",resultant" + u + ",azimuth_deg\n";
    TubeSettings firstPass = tube.settings;
    firstPass.secondPass = false; // the checksums are not among the columns
    for (const ReadoutResult& r : tube.readouts) {
        if (!r.displacement.compared)
            continue;
        const std::string lead = readoutNumber(r.survey->readout) + "," + r.survey->date + "," + r.survey->time;
        for (const DisplacementRow& row : r.displacement.rows) {
            out += lead;
            for (const std::string& cell : displacementCells(row, firstPass))
                out += "," + cell;
            out += "\n";
        }
    }
    return out;
}

std::string surveyCsv(const Survey& survey)
{
    int channels = 0;
    for (const SurveyRow& r : survey.rows)
        for (int j = 0; j < kChannels; ++j)
            if (r.readings[size_t(j)])
                channels = std::max(channels, j + 1);
    std::string out = "depth_m";
    for (int j = 1; j <= channels; ++j)
        out += ",reading" + std::to_string(j);
    out += "\n";
    for (const SurveyRow& r : survey.rows) {
        out += depthMetres(r.depthTenths);
        for (int j = 0; j < channels; ++j)
            out += "," + (r.readings[size_t(j)] ? std::to_string(*r.readings[size_t(j)]) : std::string());
        out += "\n";
    }
    return out;
}

} // namespace tarvelon::surveys
