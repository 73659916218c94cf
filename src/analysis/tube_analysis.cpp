#include "analysis/displacement.h"
#include "analysis/said.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

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

// Adds the new base's cumulative against the previous base to a readout's against the new base;
// a depth where the new base has none is left without one, and said.
void carryOn(Displacement& d, const Displacement& carried, double north)
{
    std::map<int, const DisplacementRow*> at;
    for (const DisplacementRow& row : carried.rows)
        if (row.cumulative[0] && row.cumulative[1])
            at[row.depthTenths] = &row;
    std::vector<int> lost;
    for (DisplacementRow& row : d.rows) {
        if (!row.cumulative[0] || !row.cumulative[1])
            continue;
        const auto c = at.find(row.depthTenths);
        if (c == at.end()) {
            lost.push_back(row.depthTenths);
            row.cumulative = {};
            row.resultant = row.azimuth = row.bandMm = std::nullopt;
            row.intervals = 0;
            continue;
        }
        for (size_t j = 0; j < 2; ++j)
            *row.cumulative[j] += *c->second->cumulative[j];
        if (row.bandMm && c->second->bandMm)
            row.bandMm = std::hypot(*row.bandMm, *c->second->bandMm);
        row.resultant = std::hypot(*row.cumulative[0], *row.cumulative[1]);
        row.azimuth = std::nullopt;
        if (*row.resultant > 0) {
            const double angle = north + std::atan2(*row.cumulative[1], *row.cumulative[0]) * 180 / std::numbers::pi;
            row.azimuth = std::fmod(std::fmod(angle, 360.0) + 360.0, 360.0);
        }
    }
    if (lost.empty())
        return;
    if (!carried.compared)
        d.reason.add(Reason::quoting(
            QT_TRANSLATE_NOOP("Texts", "the new base could not be compared with the previous one (%1): nothing to carry on"),
            {carried.reason}));
    else if (lost.size() > 1)
        d.reason.add(Reason(QT_TRANSLATE_NOOP("Texts", "the new base holds no cumulative against the previous one at %1 m "
                                                       "and %2 other depths: nothing carried on there"),
                            {depthMetres(lost.front()), std::to_string(lost.size() - 1)}));
    else
        d.reason.add(Reason(QT_TRANSLATE_NOOP("Texts", "the new base holds no cumulative against the previous one at "
                                                       "%1 m: nothing carried on there"),
                            {depthMetres(lost.front())}));
}

// "A +12.00 units (0.24 mm), B -1.00 units (0.02 mm)": the checksum means' moves, lengths
// when K is set.
std::string checksumMoves(const ReadoutResult& r, const TubeSettings& settings)
{
    std::string out;
    for (size_t j = 0; j < 2; ++j) {
        if (!r.checksumShift[j])
            continue;
        const std::optional<double> mm = checksumMm(r.checksumShift[j], settings);
        out += std::string(out.empty() ? "" : ", ") +
               said(QT_TRANSLATE_NOOP("Texts", "%1 %2 units"), {j ? "B" : "A", hundredths(r.checksumShift[j])}) +
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
        tube.reason = settings.baseId ? Reason(QT_TRANSLATE_NOOP("Texts", "the tube's base readout is no longer in the library"))
                                      : Reason(QT_TRANSLATE_NOOP("Texts", "no base readout is chosen for the tube"));
        return tube;
    }
    tube.warning = settingsWarning(settings, *base);
    const auto correctionsOf = [&corrections](const Survey& s) {
        const auto c = corrections.find(s.id);
        return c == corrections.end() ? std::vector<Correction>{} : c->second;
    };
    const auto same = [](const Survey* a, const Survey* b) { return a == b || (a->id == b->id && a->id != 0); };
    if (settings.continuedFromId && settings.continuedFromId != base->id)
        for (const Survey* s : readouts)
            if (s->id == settings.continuedFromId)
                tube.previousBase = s;
    const Survey* origin = tube.origin();
    const std::optional<double> baseDays = surveyDays(base->date, base->time);
    const std::optional<double> originDays = surveyDays(origin->date, origin->time);
    // The new base against the previous one: what every later readout carries on from.
    Displacement carried;
    if (tube.previousBase)
        carried = displacement(*tube.previousBase, *base, settings, correctionsOf(*base));
    // Every depth the origin read starts from its zero.
    std::map<int, std::vector<Latest>> latest;
    if (originDays)
        for (const SurveyRow& row : origin->rows)
            latest[row.depthTenths].push_back({*originDays, 0, 0});
    for (const Survey* s : readouts) {
        if (same(s, origin) || (!tube.previousBase && same(s, base)))
            continue;
        ReadoutResult r;
        r.survey = s;
        r.days = surveyDays(s->date, s->time);
        r.beforeBase = r.days && originDays && *r.days < *originDays;
        r.againstPrevious = tube.previousBase && (same(s, base) || (r.days && baseDays && *r.days < *baseDays));
        r.corrections = correctionsOf(*s);
        const Survey& reference = r.againstPrevious ? *tube.previousBase : *base;
        r.displacement = displacement(reference, *s, settings, r.corrections);
        r.probeChange = probeChangeText(reference, *s, settings);
        if (tube.previousBase && !r.againstPrevious && r.displacement.compared) {
            carryOn(r.displacement, carried, northDegrees(*base, settings));
            r.carried = true;
        }
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
    return said(QT_TRANSLATE_NOOP("Texts", "the probe's gauge length (%1 m) differs from the reading step (%2 m): each "
                                           "reading spans %1 m, so the sums leave parts of the tube out or count them "
                                           "twice"),
                {hundredths(settings.gaugeM), hundredths(base.step)});
}

std::vector<TimePoint> history(const TubeResult& tube, int depthTenths)
{
    std::vector<TimePoint> out;
    if (!tube.base)
        return out;
    if (const auto days = surveyDays(tube.origin()->date, tube.origin()->time))
        out.push_back({*days, tube.origin()->date, 0.0, 0.0, 0.0, std::nullopt});
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
    return said(QT_TRANSLATE_NOOP("Texts", "checksum mean moved %1 from the base's"), {checksumMoves(r, settings)}) +
           (r.possibleBiasShift ? said(QT_TRANSLATE_NOOP("Texts", ", beyond the tube's tolerance of %1 units"),
                                       {hundredths(settings.checksumTolerance)})
                                : std::string());
}

std::string readoutNotes(const ReadoutResult& r, const TubeSettings& settings)
{
    std::vector<std::string> parts;
    const std::string u = unitName(settings.units);
    const auto at = [&settings](int tenths) { return depthText(tenths / 10.0 - topOffsetM(settings)); };
    if (r.largestMm && r.largestDepthTenths)
        parts.push_back(said(QT_TRANSLATE_NOOP("Texts", "largest %1 at %2 m"),
                             {lengthText(r.largestMm, settings.units) + " " + u, at(*r.largestDepthTenths)}) +
                        (r.largestAzimuth ? said(QT_TRANSLATE_NOOP("Texts", ", azimuth %1°"), {hundredths(r.largestAzimuth)})
                                          : std::string()));
    if (r.rateMmPerDay && r.rateDepthTenths)
        parts.push_back(said(QT_TRANSLATE_NOOP("Texts", "rate %1 at %2 m"),
                             {rateText(r.rateMmPerDay, settings) + " " + rateUnitName(settings), at(*r.rateDepthTenths)}));
    if (const std::string sums = checksumShiftText(r, settings); !sums.empty())
        parts.push_back(r.possibleBiasShift ? said(QT_TRANSLATE_NOOP("Texts", "possible bias shift: %1"), {sums}) : sums);
    if (const std::string applied = correctionsText(r.corrections); !applied.empty())
        parts.push_back(said(QT_TRANSLATE_NOOP("Texts", "corrected: %1"), {applied}));
    std::vector<Correction> off;
    for (const Correction& c : r.corrections)
        if (!c.on)
            off.push_back({c.kind, c.axis, c.value, {}, {}, true});
    if (!off.empty())
        parts.push_back(said(QT_TRANSLATE_NOOP("Texts", "switched off: %1"), {correctionsText(off)}));
    if (const std::string other = otherReductionText(r.corrections, settings); !other.empty())
        parts.push_back(other);
    if (!r.probeChange.empty())
        parts.push_back(r.probeChange.shown());
    if (r.beforeBase)
        parts.push_back(said(QT_TRANSLATE_NOOP("Texts", "taken before the base: no rate, not on the time chart")));
    if (!r.displacement.reason.empty())
        parts.push_back(r.displacement.reason.shown());
    for (const Correction& c : r.corrections)
        if (const std::string why = insistedText(c); c.on && !why.empty())
            parts.push_back(said(QT_TRANSLATE_NOOP("Texts", "%1 kept against the program's refusal because: %2"),
                                 {correctionName(c), why}));
    std::string out;
    for (const std::string& p : parts)
        out += (out.empty() ? "" : "; ") + p;
    return out;
}

Reason ReadoutResult::notComputed() const
{
    if (displacement.compared && displacement.computed())
        return {};
    return displacement.reason.empty() ? Reason(QT_TRANSLATE_NOOP("Texts", "no depth holds a cumulative displacement"))
                                       : displacement.reason;
}

std::string summaryCsv(const TubeResult& tube)
{
    const Units units = tube.settings.units;
    const std::string u = unitName(units);
    std::string out = "readout,date,time,days_since_base,largest_" + u + ",largest_depth_m,rate_" + u + "_per_" +
                      rateUnitWord(tube.settings.rateUnit) + ",rate_depth_m,status,probe\n";
    const std::optional<double> baseDays = tube.base ? surveyDays(tube.origin()->date, tube.origin()->time) : std::nullopt;
    for (const ReadoutResult& r : tube.readouts) {
        const auto depth = [&tube](const std::optional<int>& tenths) {
            return tenths ? depthText(*tenths / 10.0 - topOffsetM(tube.settings)) : std::string();
        };
        const auto field = [](std::string text) {
            if (text.find_first_of(",\"") == std::string::npos)
                return text;
            std::string quoted = "\"";
            for (char c : text)
                quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
            return quoted + "\"";
        };
        const std::string status = field(statusText(r, tube.settings));
        const std::string probe = field(r.probeChange.empty() ? std::string() : probeText(*r.survey, tube.settings));
        out += readoutNumber(r.survey->readout) + "," + r.survey->date + "," + r.survey->time + "," +
               hundredths(r.days && baseDays ? std::optional<double>(*r.days - *baseDays) : std::nullopt) + "," +
               lengthText(r.largestMm, units) + "," + depth(r.largestDepthTenths) + "," +
               rateText(r.rateMmPerDay, tube.settings) + "," + depth(r.rateDepthTenths) + "," + status + "," + probe + "\n";
    }
    return out;
}

} // namespace tarvelon::surveys
