#include "analysis/displacement.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace tarvelon::surveys {
namespace {

// The displacement vector computed at a depth, and when.
struct Latest {
    double days = 0;
    double a = 0, b = 0;
};

// Largest resultant, rate against the readout at least the minimum interval before at each depth,
// checksums against the base's.
void measure(ReadoutResult& r, std::map<int, std::vector<Latest>>& seen, const TubeSettings& settings)
{
    for (DisplacementRow& row : r.displacement.rows) {
        if (row.resultant && (!r.largestMm || *row.resultant > *r.largestMm)) {
            r.largestMm = row.resultant;
            r.largestDepthTenths = row.depthTenths;
            r.largestAzimuth = row.azimuth;
        }
        if (r.beforeBase || !r.days || !row.cumulative[0] || !row.cumulative[1])
            continue;
        const double a = *row.cumulative[0], b = *row.cumulative[1];
        std::vector<Latest>& at = seen[row.depthTenths];
        const Latest* was = nullptr;
        for (const Latest& l : at)
            if (l.days < *r.days && l.days <= *r.days - settings.minIntervalDays && (!was || l.days > was->days))
                was = &l;
        if (was) {
            const double moved = std::hypot(a - was->a, b - was->b);
            const double rate = moved / (*r.days - was->days);
            row.rateMmPerDay = rate;
            row.rateBeyondBand = !row.bandMm || moved > *row.bandMm;
            if (row.rateBeyondBand && (!r.rateMmPerDay || rate > *r.rateMmPerDay)) {
                r.rateMmPerDay = rate;
                r.rateDepthTenths = row.depthTenths;
                r.rateFromDays = was->days;
            }
        }
        at.push_back({*r.days, a, b});
    }
    for (size_t j = 0; j < 2; ++j) {
        const ChecksumSpread &now = r.displacement.checksums[j], &was = r.displacement.baseChecksums[j];
        if (now.mean && was.mean)
            r.checksumShift[j] = *now.mean - *was.mean;
        if (r.checksumShift[j] && settings.checksumTolerance && std::abs(*r.checksumShift[j]) > *settings.checksumTolerance)
            r.possibleBiasShift = true;
    }
    r.causes = levelCauses(r, settings);
    r.level = r.causes.empty() ? Level::None : r.causes.front().level;
}

// " A +12.00 units (0.24 mm), B -1.00 units (0.02 mm)": the checksum means' moves, lengths
// when K is set.
std::string checksumMoves(const ReadoutResult& r, const TubeSettings& settings)
{
    std::string out;
    for (size_t j = 0; j < 2; ++j) {
        if (!r.checksumShift[j])
            continue;
        const std::optional<double> mm = checksumMm(r.checksumShift[j], settings);
        out += std::string(out.empty() ? " " : ", ") + (j ? "B " : "A ") + hundredths(r.checksumShift[j]) + " units" +
               (mm ? " (" + lengthText(mm, settings.units) + " " + unitName(settings.units) + ")" : std::string());
    }
    return out;
}

} // namespace

TubeResult analyseTube(const std::vector<Survey>& surveys, const TubeSettings& settings,
                       const CorrectionsById& corrections)
{
    const Survey* base = nullptr;
    std::vector<const Survey*> readouts;
    for (const Survey& s : surveys) {
        readouts.push_back(&s);
        if (s.id == settings.baseId)
            base = &s;
    }
    return analyseTube(base, readouts, settings, corrections);
}

TubeResult analyseTube(const Survey* base, const std::vector<const Survey*>& readouts, const TubeSettings& settings,
                       const CorrectionsById& corrections)
{
    TubeResult tube;
    tube.settings = settings;
    tube.base = base;
    if (!base) {
        tube.reason = settings.baseId ? "the tube's base readout is no longer in the library"
                                      : "no base readout is chosen for the tube";
        return tube;
    }
    tube.warning = settingsWarning(settings, *base);
    const std::optional<double> baseDays = surveyDays(base->date, base->time);
    // Every depth the base read starts from the base's zero.
    std::map<int, std::vector<Latest>> latest;
    if (baseDays)
        for (const SurveyRow& row : base->rows)
            latest[row.depthTenths].push_back({*baseDays, 0, 0});
    for (const Survey* s : readouts) {
        if (s->id == base->id && s->id != 0)
            continue;
        ReadoutResult r;
        r.survey = s;
        r.days = surveyDays(s->date, s->time);
        r.beforeBase = r.days && baseDays && *r.days < *baseDays;
        if (const auto c = corrections.find(s->id); c != corrections.end())
            r.corrections = c->second;
        r.displacement = displacement(*base, *s, settings, r.corrections);
        if (r.displacement.compared)
            measure(r, latest, settings);
        tube.readouts.push_back(std::move(r));
    }
    return tube;
}

std::string settingsWarning(const TubeSettings& settings, const Survey& base)
{
    if (std::abs(settings.gaugeM - base.step) < 0.005)
        return {};
    return "the probe's gauge length (" + hundredths(settings.gaugeM) + " m) differs from the reading step (" +
           hundredths(base.step) + " m): each reading spans " + hundredths(settings.gaugeM) +
           " m, so the sums leave parts of the tube out or count them twice";
}

std::vector<TimePoint> history(const TubeResult& tube, int depthTenths)
{
    std::vector<TimePoint> out;
    if (!tube.base)
        return out;
    if (const auto days = surveyDays(tube.base->date, tube.base->time))
        out.push_back({*days, tube.base->date, 0.0, 0.0, 0.0, std::nullopt});
    for (const ReadoutResult& r : tube.readouts) {
        if (!r.days || !r.displacement.compared || r.beforeBase)
            continue;
        TimePoint p{*r.days, r.survey->date, {}, {}, {}, {}};
        for (const DisplacementRow& row : r.displacement.rows)
            if (row.depthTenths == depthTenths) {
                p.a = row.cumulative[0];
                p.b = row.cumulative[1];
                p.resultant = row.resultant;
                p.rateMmPerDay = row.rateMmPerDay;
            }
        out.push_back(std::move(p));
    }
    return out;
}

std::vector<int> defaultHistoryDepths(const TubeResult& tube)
{
    std::vector<int> out;
    if (!tube.base || tube.base->rows.empty())
        return out;
    out.push_back(tube.base->rows.front().depthTenths);
    for (auto it = tube.readouts.rbegin(); it != tube.readouts.rend(); ++it) {
        if (!it->displacement.compared || it->beforeBase)
            continue;
        if (it->largestDepthTenths && *it->largestDepthTenths != out.front())
            out.push_back(*it->largestDepthTenths);
        break;
    }
    return out;
}

std::optional<double> checksumMm(const std::optional<double>& units, const TubeSettings& settings)
{
    if (!units || settings.constant <= 0)
        return std::nullopt;
    return 500.0 * settings.gaugeM * *units / settings.constant;
}

std::string checksumShiftText(const ReadoutResult& r, const TubeSettings& settings)
{
    if (!r.checksumShift[0] && !r.checksumShift[1])
        return {};
    return "checksum mean moved" + checksumMoves(r, settings) + " from the base's" +
           (r.possibleBiasShift ? ", beyond the tube's tolerance of " + hundredths(settings.checksumTolerance) + " units"
                                : std::string());
}

std::string readoutNotes(const ReadoutResult& r, const TubeSettings& settings)
{
    std::vector<std::string> parts;
    const std::string u = unitName(settings.units);
    const auto at = [&settings](int tenths) { return " at " + depthText(tenths / 10.0 - topOffsetM(settings)) + " m"; };
    if (r.largestMm && r.largestDepthTenths)
        parts.push_back("largest " + lengthText(r.largestMm, settings.units) + " " + u + at(*r.largestDepthTenths) +
                        (r.largestAzimuth ? ", azimuth " + hundredths(r.largestAzimuth) + "°" : std::string()));
    if (r.rateMmPerDay && r.rateDepthTenths)
        parts.push_back("rate " + rateText(r.rateMmPerDay, settings) + " " + rateUnitName(settings) + at(*r.rateDepthTenths));
    if (const std::string sums = checksumShiftText(r, settings); !sums.empty())
        parts.push_back((r.possibleBiasShift ? "possible bias shift: " : "") + sums);
    if (const std::string applied = correctionsText(r.corrections); !applied.empty())
        parts.push_back("corrected: " + applied);
    std::vector<Correction> off;
    for (const Correction& c : r.corrections)
        if (!c.on)
            off.push_back({c.kind, c.axis, c.value, {}, {}, true});
    if (!off.empty())
        parts.push_back("switched off: " + correctionsText(off));
    if (const std::string other = otherReductionText(r.corrections, settings); !other.empty())
        parts.push_back(other);
    if (r.beforeBase)
        parts.push_back("taken before the base: no rate, not on the time chart");
    if (!r.displacement.reason.empty())
        parts.push_back(r.displacement.reason);
    for (const Correction& c : r.corrections)
        if (const std::string why = insistedText(c); c.on && !why.empty())
            parts.push_back(correctionName(c) + " kept against the program's refusal because: " + why);
    std::string out;
    for (const std::string& p : parts)
        out += (out.empty() ? "" : "; ") + p;
    return out;
}

std::string ReadoutResult::notComputed() const
{
    if (displacement.compared && displacement.computed())
        return {};
    return displacement.reason.empty() ? std::string("no depth holds a cumulative displacement") : displacement.reason;
}

std::string summaryCsv(const TubeResult& tube)
{
    const Units units = tube.settings.units;
    const std::string u = unitName(units);
    std::string out = "readout,date,time,days_since_base,largest_" + u + ",largest_depth_m,rate_" + u + "_per_" +
                      rateUnitWord(tube.settings.rateUnit) + ",rate_depth_m,status\n";
    const std::optional<double> baseDays = tube.base ? surveyDays(tube.base->date, tube.base->time) : std::nullopt;
    for (const ReadoutResult& r : tube.readouts) {
        const auto depth = [&tube](const std::optional<int>& tenths) {
            return tenths ? depthText(*tenths / 10.0 - topOffsetM(tube.settings)) : std::string();
        };
        std::string status = statusText(r, tube.settings);
        if (status.find_first_of(",\"") != std::string::npos) {
            std::string quoted = "\"";
            for (char c : status)
                quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
            status = quoted + "\"";
        }
        out += readoutNumber(r.survey->readout) + "," + r.survey->date + "," + r.survey->time + "," +
               hundredths(r.days && baseDays ? std::optional<double>(*r.days - *baseDays) : std::nullopt) + "," +
               lengthText(r.largestMm, units) + "," + depth(r.largestDepthTenths) + "," +
               rateText(r.rateMmPerDay, tube.settings) + "," + depth(r.rateDepthTenths) + "," + status + "\n";
    }
    return out;
}

} // namespace tarvelon::surveys
