#include "analysis/displacement.h"
#include "analysis/said.h"

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

double rateInUnits(double mmPerDay, const TubeSettings& settings)
{
    const double perDay = inUnits(mmPerDay, settings.units);
    switch (settings.rateUnit) {
    case RateUnit::Day: return perDay;
    case RateUnit::Month: return perDay * 365.25 / 12;
    case RateUnit::Year: return perDay * 365.25;
    }
    return perDay;
}

double rateMmPerDay(double value, const TubeSettings& settings)
{
    const double mm = settings.units == Units::Inches ? value * kMmPerInch : value;
    switch (settings.rateUnit) {
    case RateUnit::Day: return mm;
    case RateUnit::Month: return mm / (365.25 / 12);
    case RateUnit::Year: return mm / 365.25;
    }
    return mm;
}

std::string rateUnitName(const TubeSettings& settings)
{
    return unitName(settings.units) + "/" + rateUnitWord(settings.rateUnit);
}

std::string rateText(const std::optional<double>& mmPerDay, const TubeSettings& settings)
{
    if (!mmPerDay)
        return {};
    const double v = rateInUnits(*mmPerDay, settings);
    if (v == 0)
        return "0.00";
    // Three significant figures: a rate is known no better, and "0.000123" must not read 0.00.
    const int magnitude = int(std::floor(std::log10(std::abs(v)) + 1e-9));
    return fixed(v, std::max(0, 2 - magnitude));
}

std::string fixedEndName(FixedEnd end)
{
    switch (end) {
    case FixedEnd::Toe: return "toe";
    case FixedEnd::Common: return "common";
    case FixedEnd::Top: return "top";
    }
    return "toe";
}

std::optional<FixedEnd> fixedEndNamed(const std::string& name)
{
    for (FixedEnd e : {FixedEnd::Toe, FixedEnd::Common, FixedEnd::Top})
        if (fixedEndName(e) == name)
            return e;
    return std::nullopt;
}

std::string rateUnitWord(RateUnit unit)
{
    switch (unit) {
    case RateUnit::Day: return "day";
    case RateUnit::Month: return "month";
    case RateUnit::Year: return "year";
    }
    return "day";
}

std::optional<RateUnit> rateUnitNamed(const std::string& name)
{
    for (RateUnit u : {RateUnit::Day, RateUnit::Month, RateUnit::Year})
        if (rateUnitWord(u) == name)
            return u;
    return std::nullopt;
}

std::string thresholdsText(const TubeSettings& t)
{
    // Only the report prints it, so it is said in the report's language.
    const std::string u = unitName(t.units);
    const auto length = [&](const std::optional<double>& mm) {
        return mm ? lengthText(mm, t.units) + " " + u : said(QT_TRANSLATE_NOOP("Texts", "none"));
    };
    const auto rate = [&](const std::optional<double>& mm) {
        return mm ? rateText(mm, t) + " " + rateUnitName(t) : said(QT_TRANSLATE_NOOP("Texts", "none"));
    };
    const std::string end =
        t.fixedEnd == FixedEnd::Top      ? said(QT_TRANSLATE_NOOP("Texts", "the top (its displacement surveyed per readout)"))
        : t.fixedEnd == FixedEnd::Common ? said(QT_TRANSLATE_NOOP("Texts", "the deepest depth each readout shares with the base"))
                                         : said(QT_TRANSLATE_NOOP("Texts", "the toe"));
    return said(QT_TRANSLATE_NOOP("Texts", "alert %1, alarm %2; alert rate %3, alarm rate %4; precision band ±%5 per "
                                           "interval, growing with the square root of the intervals from the fixed end; "
                                           "rates over at least %6 days; fixed end %7"),
                {length(t.alertMm), length(t.alarmMm), rate(t.alertMmPerDay), rate(t.alarmMmPerDay),
                 lengthText(t.precisionMm, t.units) + " " + u, hundredths(t.minIntervalDays), end});
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
