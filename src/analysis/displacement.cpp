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

} // namespace

std::optional<double> axisValue(const SurveyRow& r, size_t j, bool secondPass)
{
    if (!r.readings[j])
        return std::nullopt;
    if (!secondPass)
        return double(*r.readings[j]);
    if (!r.readings[j + 2])
        return std::nullopt;
    return (double(*r.readings[j]) - double(*r.readings[j + 2])) / 2;
}

namespace {

std::optional<double> channel(const SurveyRow& r, size_t j, bool secondPass)
{
    return axisValue(r, j, secondPass);
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

bool Displacement::computed() const
{
    return std::any_of(rows.begin(), rows.end(), [](const DisplacementRow& r) { return r.resultant.has_value(); });
}

namespace {

// The readout's A and B for a depth of the base, read at `metres` of its own depths: at a row, or
// linearly between the two rows either side one step apart.
struct ReadoutValues {
    const Survey& readout;
    bool secondPass;
    int step;

    std::array<std::optional<double>, 2> at(double metres) const
    {
        const double tenths = metres * 10;
        const auto& rows = readout.rows;
        const auto hi = std::lower_bound(rows.begin(), rows.end(), tenths - 1e-6,
                                         [](const SurveyRow& r, double t) { return r.depthTenths < t; });
        std::array<std::optional<double>, 2> out;
        if (hi == rows.end())
            return out;
        if (std::abs(hi->depthTenths - tenths) < 1e-6) {
            for (size_t j = 0; j < 2; ++j)
                out[j] = channel(*hi, j, secondPass);
            return out;
        }
        if (hi == rows.begin() || hi->depthTenths - std::prev(hi)->depthTenths > step)
            return out;
        const SurveyRow& lo = *std::prev(hi);
        const double w = (tenths - lo.depthTenths) / double(hi->depthTenths - lo.depthTenths);
        for (size_t j = 0; j < 2; ++j) {
            const auto a = channel(lo, j, secondPass), b = channel(*hi, j, secondPass);
            if (a && b)
                out[j] = *a + w * (*b - *a);
        }
        return out;
    }

    // The row nearest `metres` when it lies within half a step: the checksum is a row's own.
    const SurveyRow* nearest(double metres) const
    {
        const SurveyRow* best = nullptr;
        const double tenths = metres * 10;
        const auto it = std::lower_bound(readout.rows.begin(), readout.rows.end(), tenths,
                                         [](const SurveyRow& r, double t) { return r.depthTenths < t; });
        for (auto c : {it, it == readout.rows.begin() ? it : std::prev(it)})
            if (c != readout.rows.end() && std::abs(c->depthTenths - tenths) * 2 < step + 1e-6 &&
                (!best || std::abs(c->depthTenths - tenths) < std::abs(best->depthTenths - tenths)))
                best = &*c;
        return best;
    }
};

} // namespace

Displacement displacement(const Survey& base, const Survey& readoutIn, const TubeSettings& settings,
                          const std::vector<Correction>& corrections)
{
    Displacement out;
    if (stepTenths(base) != stepTenths(readoutIn)) {
        out.reason = Reason(QT_TRANSLATE_NOOP("Texts", "taken at %1 m steps, the base at %2 m: not compared"),
                            {depthMetres(stepTenths(readoutIn)), depthMetres(stepTenths(base))});
        return out;
    }
    const bool second = settings.secondPass;
    if (second)
        for (const Survey* s : {&readoutIn, &base})
            if (!hasSecondPass(*s)) {
                out.reason = s == &base ? Reason(QT_TRANSLATE_NOOP(
                                              "Texts", "the base carries readings 1 and 2 only (export files hold no "
                                                       "others): the second pass needs readings 3 and 4, which only a "
                                                       "survey downloaded by the program keeps; not compared"))
                                        : Reason(QT_TRANSLATE_NOOP(
                                              "Texts", "it carries readings 1 and 2 only (export files hold no "
                                                       "others): the second pass needs readings 3 and 4, which only a "
                                                       "survey downloaded by the program keeps; not compared"));
                return out;
            }
    out.compared = true;
    const int step = std::max(1, stepTenths(readoutIn));
    const AppliedCorrections applied = appliedCorrections(corrections);
    const double shiftM = applied.depthShiftM;
    // A readout kept in another order is still read between its neighbours.
    const Survey* sorted = &readoutIn;
    Survey copy;
    if (!std::is_sorted(readoutIn.rows.begin(), readoutIn.rows.end(),
                        [](const SurveyRow& a, const SurveyRow& b) { return a.depthTenths < b.depthTenths; })) {
        copy = readoutIn;
        std::sort(copy.rows.begin(), copy.rows.end(),
                  [](const SurveyRow& a, const SurveyRow& b) { return a.depthTenths < b.depthTenths; });
        sorted = &copy;
    }
    const Survey& readout = *sorted;
    const ReadoutValues values{readout, second, step};

    // The base's depths, read or promised, and the steps between them: the readout's rows
    // outside them have no partner.
    std::set<int> depths;
    for (const SurveyRow& r : base.rows)
        depths.insert(r.depthTenths);
    depths.insert(base.missingTenths.begin(), base.missingTenths.end());
    std::map<int, const SurveyRow*> baseAt;
    for (const SurveyRow& r : base.rows)
        baseAt[r.depthTenths] = &r;
    std::vector<int> outside;
    const double half = step / 20.0;
    for (const SurveyRow& r : readout.rows) {
        const double at = r.depthTenths / 10.0 + shiftM;
        if (depths.empty() || at < *depths.begin() / 10.0 - half || at > *depths.rbegin() / 10.0 + half)
            outside.push_back(r.depthTenths);
    }
    const int wholeShift = int(std::lround(shiftM * 10));
    if (std::abs(shiftM * 10 - wholeShift) < 1e-6)
        for (int t : readout.missingTenths)
            if (!depths.empty() && t + wholeShift >= *depths.begin() && t + wholeShift <= *depths.rbegin())
                depths.insert(t + wholeShift);
    // Only between depths a unit can hold: a damaged library must not make this unbounded.
    if (!depths.empty() && *depths.begin() >= 0 && *depths.rbegin() <= kDeepestTenths)
        for (int t = *depths.begin(); t <= *depths.rbegin(); t += step)
            depths.insert(t);

    const double offset = topOffsetM(settings);
    // Each survey was read with its own probe: the base's values are taken into the readout's
    // reading units (the same sine), so a change of probe is no movement.
    const double probeK = probeConstantOf(readout, settings), baseK = probeConstantOf(base, settings);
    const double toReadout = probeK > 0 && baseK > 0 ? probeK / baseK : 1.0;
    out.rows.resize(depths.size());
    std::array<std::vector<double>, 2> checksums, baseChecksums;
    size_t i = depths.size();
    for (auto it = depths.rbegin(); it != depths.rend(); ++it) {
        DisplacementRow& row = out.rows[--i];
        row.depthTenths = *it;
        row.topM = *it / 10.0 - offset;
        const auto b = baseAt.find(*it);
        const double x = *it / 10.0 - shiftM;
        std::array<std::optional<double>, 2> now = values.at(x);
        unrotate(applied, now[0], now[1]);
        const SurveyRow* r = second ? values.nearest(x) : nullptr;
        for (size_t j = 0; j < 2; ++j) {
            std::optional<double> was = b == baseAt.end() ? std::nullopt : channel(*b->second, j, second);
            if (was)
                *was *= toReadout;
            if (r && checksumOf(*r, j)) {
                row.checksum[j] = checksumOf(*r, j);
                if (b != baseAt.end() && checksumOf(*b->second, j)) {
                    const double baseSum = double(*checksumOf(*b->second, j));
                    row.checksumChange[j] = double(*row.checksum[j]) - baseSum;
                    checksums[j].push_back(double(*row.checksum[j]));
                    baseChecksums[j].push_back(baseSum);
                }
            }
            if (was && now[j])
                row.change[j] = *now[j] - *was - applied.bias[j];
            if (row.change[j] && probeK > 0)
                row.incremental[j] = 1000.0 * settings.gaugeM * *row.change[j] / probeK;
        }
    }
    for (size_t j = 0; j < 2; ++j) {
        out.checksums[j] = spreadOf(checksums[j]);
        out.baseChecksums[j] = spreadOf(baseChecksums[j]);
    }

    if (!outside.empty())
        out.reason.add(Reason(QT_TRANSLATE_NOOP("Texts", "rows at %1 lie outside the base's depths: left out of the comparison"),
                              {depthsText(outside)}));
    std::vector<int> gaps, belowFixed;
    const auto both = [](const DisplacementRow& r) { return r.change[0] && r.change[1]; };
    if (settings.fixedEnd == FixedEnd::Top) {
        if (!applied.topMm[0] || !applied.topMm[1]) {
            out.reason.add(Reason(QT_TRANSLATE_NOOP(
                "Texts", "the tube is reduced from its top and the readout's top displacement is not entered")));
        } else if (probeK > 0) {
            std::array<double, 2> sum{*applied.topMm[0], *applied.topMm[1]};
            bool broken = false;
            int n = 0;
            for (DisplacementRow& row : out.rows) {
                if (!both(row))
                    gaps.push_back(row.depthTenths);
                if (broken || !both(row)) {
                    broken = true;
                    continue;
                }
                if (!out.fixedTenths)
                    out.fixedTenths = row.depthTenths;
                row.cumulative = {sum[0], sum[1]};
                row.intervals = ++n;
                for (size_t j = 0; j < 2; ++j)
                    sum[j] -= *row.incremental[j];
            }
        }
    } else {
        // From the deepest depth both hold up; what lies below it is no gap but beyond the fixed end.
        size_t fixed = out.rows.size();
        while (fixed > 0 && !both(out.rows[fixed - 1]))
            belowFixed.push_back(out.rows[--fixed].depthTenths);
        if (fixed == 0)
            belowFixed.clear();
        std::array<double, 2> sum{};
        bool broken = false;
        int n = 0;
        for (size_t k = fixed; k-- > 0;) {
            DisplacementRow& row = out.rows[k];
            if (!both(row)) {
                gaps.push_back(row.depthTenths);
                broken = true;
                continue;
            }
            if (!out.fixedTenths)
                out.fixedTenths = row.depthTenths;
            if (probeK <= 0 || broken)
                continue;
            for (size_t j = 0; j < 2; ++j)
                row.cumulative[j] = sum[j] += *row.incremental[j];
            row.intervals = ++n;
        }
        if (fixed == 0)
            for (const DisplacementRow& row : out.rows)
                gaps.push_back(row.depthTenths);
    }
    for (DisplacementRow& row : out.rows) {
        if (row.intervals > 0)
            row.bandMm = settings.precisionMm * std::sqrt(double(row.intervals));
        if (row.cumulative[0] && row.cumulative[1]) {
            const double a = *row.cumulative[0], bb = *row.cumulative[1];
            row.resultant = std::hypot(a, bb);
            if (*row.resultant > 0) {
                const double angle = northDegrees(base, settings) + std::atan2(bb, a) * 180 / std::numbers::pi;
                row.azimuth = std::fmod(std::fmod(angle, 360.0) + 360.0, 360.0);
            }
        }
    }
    if (!belowFixed.empty() && out.fixedTenths) {
        std::sort(belowFixed.begin(), belowFixed.end());
        out.reason.add(Reason(QT_TRANSLATE_NOOP("Texts", "fixed end taken at %1 m, the deepest depth it shares "
                                                         "with the base (nothing to compare at %2)"),
                              {depthMetres(*out.fixedTenths), depthsText(belowFixed)}));
    }
    if (!gaps.empty()) {
        std::sort(gaps.begin(), gaps.end());
        out.reason.add(settings.fixedEnd == FixedEnd::Top
                           ? Reason(QT_TRANSLATE_NOOP("Texts", "not measured in both it and the base at %1: no change "
                                                               "there, and no cumulative displacement there or below"),
                                    {depthsText(gaps)})
                           : Reason(QT_TRANSLATE_NOOP("Texts", "not measured in both it and the base at %1: no change "
                                                               "there, and no cumulative displacement there or above"),
                                    {depthsText(gaps)}));
    }
    if (probeK <= 0)
        out.reason.add(Reason(QT_TRANSLATE_NOOP("Texts", "the tube's probe constant K is not set: no displacement in mm")));
    return out;
}

} // namespace tarvelon::surveys
