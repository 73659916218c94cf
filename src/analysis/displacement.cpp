#include "analysis/displacement.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cmath>
#include <map>
#include <numbers>
#include <set>

namespace tarvelon::surveys {
namespace {

int stepTenths(const Survey& s)
{
    return static_cast<int>(std::lround(s.step * 10));
}

// A (channel 0) or B (channel 1) of a row, the second pass folded in when the tube has one.
std::optional<double> channel(const SurveyRow& r, size_t j, bool secondPass)
{
    if (!r.readings[j])
        return std::nullopt;
    if (!secondPass)
        return double(*r.readings[j]);
    if (!r.readings[j + 2])
        return std::nullopt;
    return (double(*r.readings[j]) - double(*r.readings[j + 2])) / 2;
}

// Reading 1 + 3 (or 2 + 4) of a row; none when either is missing or the sum leaves the range
// of the integers that hold it, as only a damaged or foreign row could make it.
std::optional<std::int64_t> checksumOf(const SurveyRow& r, size_t j)
{
    if (!r.readings[j] || !r.readings[j + 2])
        return std::nullopt;
    std::int64_t sum = 0;
    if (__builtin_add_overflow(*r.readings[j], *r.readings[j + 2], &sum))
        return std::nullopt;
    return sum;
}

std::string depthsText(const std::vector<int>& tenths)
{
    std::string out;
    constexpr size_t kListed = 8;
    for (size_t i = 0; i < tenths.size() && i < kListed; ++i)
        out += (i ? ", " : "") + depthMetres(tenths[i]);
    if (tenths.size() > kListed)
        out += " and " + std::to_string(tenths.size() - kListed) + " more";
    return out + " m";
}

ChecksumSpread spreadOf(const std::vector<double>& v)
{
    if (v.empty())
        return {};
    double sum = 0, squares = 0;
    for (double x : v)
        sum += x;
    const double mean = sum / double(v.size());
    for (double x : v)
        squares += (x - mean) * (x - mean);
    return {mean, std::sqrt(squares / double(v.size()))};
}

} // namespace

std::optional<double> surveyDays(const std::string& date, const std::string& time)
{
    int d = 0, m = 0, y = 0, hh = 0, mm = 0, ss = 0;
    if (std::sscanf(date.c_str(), "%2d/%2d/%2d", &d, &m, &y) != 3 || m < 1 || m > 12 || d < 1 || d > 31)
        return std::nullopt;
    if (std::sscanf(time.c_str(), "%2d:%2d:%2d", &hh, &mm, &ss) != 3 || hh > 23 || mm > 59 || ss > 59)
        hh = mm = ss = 0;
    const std::chrono::year_month_day ymd{std::chrono::year(y < 70 ? 2000 + y : 1900 + y), std::chrono::month(unsigned(m)),
                                          std::chrono::day(unsigned(d))};
    if (!ymd.ok())
        return std::nullopt;
    const double days = std::chrono::sys_days(ymd).time_since_epoch().count();
    return days + (hh * 3600 + mm * 60 + ss) / 86400.0;
}

double northDegrees(const Survey& base, const TubeSettings& settings)
{
    if (settings.north)
        return *settings.north;
    double north = 0;
    const char* text = base.north.c_str();
    while (*text == ' ' || *text == '+')
        ++text;
    std::from_chars(text, base.north.c_str() + base.north.size(), north);
    return north;
}

bool hasSecondPass(const Survey& survey)
{
    return !survey.rows.empty() && std::all_of(survey.rows.begin(), survey.rows.end(), [](const SurveyRow& r) {
        return (r.readings[0] && r.readings[2]) || (r.readings[1] && r.readings[3]);
    });
}

double topOffsetM(const TubeSettings& settings)
{
    switch (settings.depthReference) {
    case DepthReference::UpperWheel: return 0;
    case DepthReference::LowerWheel: return settings.gaugeM;
    case DepthReference::Centre: return settings.gaugeM / 2;
    }
    return 0;
}

Displacement displacement(const Survey& base, const Survey& readout, const TubeSettings& settings,
                          const std::vector<Correction>& corrections)
{
    Displacement out;
    if (stepTenths(base) != stepTenths(readout)) {
        out.reason = "taken at " + depthMetres(stepTenths(readout)) + " m steps, the base at " +
                     depthMetres(stepTenths(base)) + " m: not compared";
        return out;
    }
    const bool second = settings.secondPass;
    if (second)
        for (const Survey* s : {&readout, &base})
            if (!hasSecondPass(*s)) {
                out.reason = std::string(s == &base ? "the base" : "it") +
                             " carries readings 1 and 2 only (export files hold no others): the second pass needs "
                             "readings 3 and 4, which only a survey downloaded by the program keeps; not compared";
                return out;
            }
    out.compared = true;
    const int step = std::max(1, stepTenths(readout));
    const int shift = depthShiftTenths(corrections);

    // The base's depths, read or promised, and the steps between them: the readout's rows
    // outside them have no partner.
    std::set<int> depths;
    for (const SurveyRow& r : base.rows)
        depths.insert(r.depthTenths);
    depths.insert(base.missingTenths.begin(), base.missingTenths.end());
    std::map<int, const SurveyRow*> baseAt, readoutAt;
    for (const SurveyRow& r : base.rows)
        baseAt[r.depthTenths] = &r;
    std::vector<int> outside;
    for (const SurveyRow& r : readout.rows) {
        const int at = r.depthTenths + shift;
        if (depths.empty() || at < *depths.begin() || at > *depths.rbegin())
            outside.push_back(r.depthTenths);
        else
            readoutAt[at] = &r;
    }
    for (int t : readout.missingTenths)
        if (!depths.empty() && t + shift >= *depths.begin() && t + shift <= *depths.rbegin())
            depths.insert(t + shift);
    // Only between depths a unit can hold: a damaged library must not make this unbounded.
    if (!depths.empty() && *depths.begin() >= 0 && *depths.rbegin() <= kDeepestTenths)
        for (int t = *depths.begin(); t <= *depths.rbegin(); t += step)
            depths.insert(t);

    const double offset = topOffsetM(settings);
    std::vector<int> gaps;
    out.rows.resize(depths.size());
    std::array<double, 2> sum{};
    std::array<bool, 2> broken{};
    std::array<std::vector<double>, 2> checksums, baseChecksums;
    size_t i = depths.size();
    for (auto it = depths.rbegin(); it != depths.rend(); ++it) {
        DisplacementRow& row = out.rows[--i];
        row.depthTenths = *it;
        row.topM = *it / 10.0 - offset;
        const auto b = baseAt.find(*it), r = readoutAt.find(*it);
        std::array<std::optional<double>, 2> change;
        for (size_t j = 0; j < 2; ++j) {
            const std::optional<double> was = b == baseAt.end() ? std::nullopt : channel(*b->second, j, second);
            const std::optional<double> now = r == readoutAt.end() ? std::nullopt : channel(*r->second, j, second);
            if (second && r != readoutAt.end() && checksumOf(*r->second, j)) {
                row.checksum[j] = checksumOf(*r->second, j);
                if (b != baseAt.end() && checksumOf(*b->second, j)) {
                    const double baseSum = double(*checksumOf(*b->second, j));
                    row.checksumChange[j] = double(*row.checksum[j]) - baseSum;
                    checksums[j].push_back(double(*row.checksum[j]));
                    baseChecksums[j].push_back(baseSum);
                }
            }
            if (was && now)
                change[j] = *now - *was;
        }
        correctChanges(corrections, change[0], change[1]);
        bool gap = false;
        for (size_t j = 0; j < 2; ++j) {
            row.change[j] = change[j];
            if (!change[j]) {
                gap = true;
                broken[j] = true;
                continue;
            }
            if (settings.constant <= 0)
                continue;
            row.incremental[j] = 1000.0 * settings.gaugeM * *change[j] / settings.constant;
            sum[j] += *row.incremental[j];
            if (!broken[j])
                row.cumulative[j] = sum[j];
        }
        if (gap)
            gaps.push_back(*it);
        if (row.cumulative[0] && row.cumulative[1]) {
            const double a = *row.cumulative[0], bb = *row.cumulative[1];
            row.resultant = std::hypot(a, bb);
            if (*row.resultant > 0) {
                const double angle = northDegrees(base, settings) + std::atan2(bb, a) * 180 / std::numbers::pi;
                row.azimuth = std::fmod(std::fmod(angle, 360.0) + 360.0, 360.0);
            }
        }
    }
    for (size_t j = 0; j < 2; ++j) {
        out.checksums[j] = spreadOf(checksums[j]);
        out.baseChecksums[j] = spreadOf(baseChecksums[j]);
    }

    std::vector<std::string> reasons;
    if (!outside.empty())
        reasons.push_back("rows at " + depthsText(outside) + " lie outside the base's depths: left out of the comparison");
    if (!gaps.empty()) {
        std::sort(gaps.begin(), gaps.end());
        reasons.push_back("not measured in both it and the base at " + depthsText(gaps) +
                          ": no change there, and no cumulative displacement there or above");
    }
    if (settings.constant <= 0)
        reasons.push_back("the tube's probe constant K is not set: no displacement in mm");
    for (const std::string& r : reasons)
        out.reason += (out.reason.empty() ? "" : "; ") + r;
    return out;
}

} // namespace tarvelon::surveys
