#include "analysis/proposal.h"

#include "analysis/proposal_fit.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

namespace tarvelon::surveys {
using namespace proposal_fit;
namespace {

constexpr double kMinBiasUnits = 0.5;      // less than half a reading unit is no bias a reading could show
constexpr double kNeighbourAgreement = 1.0; // units: the readouts either side read the zone alike

std::string units(double v)
{
    return hundredths(v) + " units";
}

std::string signedUnits(double v)
{
    return (v > 0 ? "+" : "") + units(v);
}

std::string depthsOf(const DepthZone& z)
{
    return depthMetres(z.fromTenths) + " to " + depthMetres(z.toTenths) + " m";
}

} // namespace

std::vector<Correction> CorrectionProposal::acceptable() const
{
    std::vector<Correction> out;
    for (const ProposedCorrection& p : proposed)
        if (p.acceptable)
            out.push_back(p.correction);
    return out;
}

std::vector<Correction> CorrectionProposal::all() const
{
    std::vector<Correction> out;
    for (const ProposedCorrection& p : proposed)
        out.push_back(p.correction);
    return out;
}

ProposalContext proposalContext(const TubeResult& tube, std::int64_t surveyId)
{
    ProposalContext out;
    bool after = false;
    for (const ReadoutResult& r : tube.readouts) {
        if (r.survey->id == surveyId) {
            after = true;
            continue;
        }
        if (r.beforeBase || !r.displacement.compared)
            continue;
        (after ? out.later : out.earlier).push_back({r.survey, r.corrections});
    }
    return out;
}

CorrectionProposal proposeCorrections(const Survey& base, const Survey& readout, const TubeSettings& settings,
                                      const std::optional<DepthZone>& zone, const ProposalContext& context)
{
    CorrectionProposal out;
    std::vector<Correction> depth;
    if (auto shift = proposeDepthShift(base, readout, settings, out))
        depth.push_back(*shift);
    const Displacement d = displacement(base, readout, settings, depth);
    if (!d.compared) {
        out.reason = d.reason;
        return out;
    }
    const Displacement asRead = depth.empty() ? d : displacement(base, readout, settings);
    std::optional<double> largest;
    for (const DisplacementRow& r : asRead.rows)
        if (r.resultant && (!largest || *r.resultant > *largest)) {
            out.largestDepthTenths = r.depthTenths;
            largest = r.resultant;
        }
    out.asRead = effectOf(asRead, out.largestDepthTenths);
    const auto addProposal = [&](Correction c, Reason refusal) {
        ProposedCorrection p{std::move(c), refusal.empty(), std::move(refusal), {}};
        p.after = effectOf(displacement(base, readout, settings, {p.correction}), out.largestDepthTenths);
        out.proposed.push_back(std::move(p));
    };
    const auto finish = [&] {
        if (out.zone) {
            out.residualBefore = residual(asRead, *out.zone);
            // A rotation beyond the limit is never a correction, so it never corrects the evidence.
            std::vector<Correction> corrected = out.all();
            std::erase_if(corrected, [](const Correction& c) {
                return c.kind == CorrectionKind::Rotation && std::abs(c.value) > kMaxRotationDegrees;
            });
            out.residualAfter = residual(displacement(base, readout, settings, corrected), *out.zone);
        }
        out.acceptedEffect = effectOf(displacement(base, readout, settings, out.acceptable()), out.largestDepthTenths);
        return out;
    };
    for (const Correction& c : depth)
        addProposal(c, {});

    // The rows where both axes changed, deepest first.
    std::vector<const DisplacementRow*> rows;
    for (auto it = d.rows.rbegin(); it != d.rows.rend(); ++it)
        if (it->change[0] && it->change[1])
            rows.push_back(&*it);
    if (rows.empty()) {
        out.reason = Reason(QT_TRANSLATE_NOOP("Texts", "no depth was read in both it and the base"));
        return finish();
    }
    std::map<int, std::array<std::optional<double>, 2>> baseAt;
    for (const SurveyRow& r : base.rows)
        baseAt[r.depthTenths] = {axisValue(r, 0, settings.secondPass), axisValue(r, 1, settings.secondPass)};
    std::vector<const DisplacementRow*> stable;
    if (zone) {
        const int shallowest = rows.back()->depthTenths, deepest = rows.front()->depthTenths;
        if (zone->fromTenths > zone->toTenths || zone->fromTenths < shallowest || zone->toTenths > deepest) {
            out.reason = Reason(QT_TRANSLATE_NOOP("Texts", "the stable zone %1 lies outside the depths both it and "
                                                           "the base hold (%2 to %3 m)"),
                                {depthsOf(*zone), depthMetres(shallowest), depthMetres(deepest)});
            return finish();
        }
        for (const DisplacementRow* r : rows)
            if (r->depthTenths >= zone->fromTenths && r->depthTenths <= zone->toTenths)
                stable.push_back(r);
    } else {
        // From the toe up while each axis stays within the noise of what the zone so far predicts
        // for it: its mean, plus the share of the reading across that a turned probe adds. Until
        // three rows show that share, twice the noise: a probe turned too far must still find its
        // zone, to be refused for what it is.
        struct Sums {
            double n = 0, x = 0, y = 0, xx = 0, xy = 0;
        };
        std::array<Sums, 2> sums{};
        const double maxSlope = std::sin(10 * std::numbers::pi / 180);
        for (const DisplacementRow* r : rows) {
            const auto b = baseAt.find(r->depthTenths);
            bool quiet = true;
            std::array<double, 2> x{};
            for (size_t j = 0; j < 2; ++j) {
                const size_t o = 1 - j;
                x[j] = *r->change[o] + (b != baseAt.end() && b->second[o] ? *b->second[o] : 0);
                const Sums& s = sums[j];
                if (s.n == 0)
                    continue;
                const double mx = s.x / s.n, my = s.y / s.n, var = s.xx / s.n - mx * mx;
                const bool shown = s.n >= 3 && var > 1;
                const double slope = shown ? std::clamp((s.xy / s.n - mx * my) / var, -maxSlope, maxSlope) : 0;
                if (std::abs(*r->change[j] - (my + slope * (x[j] - mx))) > (shown ? 1 : 2) * kNoiseUnits)
                    quiet = false;
            }
            if (!quiet)
                break;
            stable.push_back(r);
            for (size_t j = 0; j < 2; ++j) {
                Sums& s = sums[j];
                s.n += 1, s.x += x[j], s.y += *r->change[j], s.xx += x[j] * x[j], s.xy += x[j] * *r->change[j];
            }
        }
    }
    if (stable.size() < size_t(kMinStableRows)) {
        out.reason = zone ? Reason(QT_TRANSLATE_NOOP("Texts", "no stable zone of %1 rows in the depths given: no bias "
                                                              "or rotation proposed"),
                                   {std::to_string(kMinStableRows)})
                          : Reason(QT_TRANSLATE_NOOP("Texts", "no stable zone of %1 rows from the toe up: no bias or "
                                                              "rotation proposed"),
                                   {std::to_string(kMinStableRows)});
        return finish();
    }
    out.zone = DepthZone{stable.back()->depthTenths, stable.front()->depthTenths};
    const std::string how = "proposed over " + depthsOf(*out.zone) + reductionNote(settings.secondPass);

    const std::array<Fit, 2> fit{fitAxis(stable, baseAt, 0), fitAxis(stable, baseAt, 1)};

    // A zone that deforms, here or in an earlier readout, is moving ground: nothing is taken from it.
    const double spreadLimit = kZoneSpreadNoises * kNoiseUnits;
    Reason zoneFault;
    for (size_t j = 0; j < 2 && zoneFault.empty(); ++j)
        if (fit[j].spreadAfter > spreadLimit)
            zoneFault = Reason(QT_TRANSLATE_NOOP("Texts", "the zone %1 is not quiet: %2's change spreads %3 about its "
                                                          "mean here (the limit is %4)"),
                               {depthsOf(*out.zone), j ? "B" : "A", units(fit[j].spreadAfter), units(spreadLimit)});
    std::vector<std::pair<const NeighbourReadout*, ZoneStats>> earlier, later;
    // The readouts before and after, as compared with their corrections on.
    std::optional<Displacement> previous, next;
    for (const auto* list : {&context.earlier, &context.later})
        for (const NeighbourReadout& n : *list) {
            if (list == &context.later && next)
                break;
            Displacement nd = displacement(base, *n.survey, settings, n.corrections);
            if (!nd.compared)
                continue;
            (list == &context.earlier ? earlier : later).push_back({&n, statsOf(nd, *out.zone)});
            (list == &context.earlier ? previous : next) = std::move(nd);
        }
    for (const auto& [n, stats] : earlier)
        for (size_t j = 0; j < 2 && zoneFault.empty() && stats.n > 0; ++j)
            if (stats.spread[j] > spreadLimit)
                zoneFault = Reason(QT_TRANSLATE_NOOP("Texts", "the zone %1 is not quiet: %2's change spreads %3 about "
                                                              "its mean in readout %4 (the limit is %5)"),
                                   {depthsOf(*out.zone), j ? "B" : "A", units(stats.spread[j]),
                                    readoutNumber(n->survey->readout), units(spreadLimit)});
    // Said even when nothing would be proposed: the engineer gave it, or it was found, as still.
    if (!zoneFault.empty())
        out.reason = Reason::quoting(QT_TRANSLATE_NOOP("Texts", "%1: nothing is taken from it"), {zoneFault});

    // How much each axis reads more than the readout before (the base before the first), depth by
    // depth over the whole tube, against the reading across: what moved between the two is a
    // stretch of depths the line leaves out, a turned probe the slope, a bias the offset.
    std::map<int, std::array<std::optional<double>, 2>> before;
    if (previous)
        for (const DisplacementRow& r : previous->rows)
            before[r.depthTenths] = r.change;
    std::array<std::vector<std::pair<double, double>>, 2> points;
    for (const DisplacementRow* r : rows) {
        const auto b = baseAt.find(r->depthTenths);
        const auto p = before.find(r->depthTenths);
        if (b == baseAt.end() || (previous && (p == before.end() || !p->second[0] || !p->second[1])))
            continue;
        for (size_t j = 0; j < 2; ++j) {
            const size_t o = 1 - j;
            if (!b->second[o])
                continue;
            points[j].push_back({*r->change[o] + *b->second[o], *r->change[j] - (previous ? *p->second[j] : 0.0)});
        }
    }
    std::array<Line, 2> line, level;
    for (size_t j = 0; j < 2; ++j) {
        line[j] = robustLine(points[j], LineForm::Line);
        level[j] = robustLine(points[j], LineForm::Mean);
    }
    // With one pass a bias stands only between readouts either side that agree: measured against
    // their mean, what moved slowly between them cancels and their noise halves.
    if (!settings.secondPass && next) {
        std::map<int, std::array<std::optional<double>, 2>> afterAt;
        for (const DisplacementRow& r : next->rows)
            afterAt[r.depthTenths] = r.change;
        for (size_t j = 0; j < 2; ++j) {
            std::vector<std::pair<double, double>> both;
            for (const DisplacementRow* r : rows) {
                const auto p = before.find(r->depthTenths);
                const auto q = afterAt.find(r->depthTenths);
                if (q == afterAt.end() || !q->second[j] || (previous && (p == before.end() || !p->second[j])))
                    continue;
                both.push_back({0.0, *r->change[j] - ((previous ? *p->second[j] : 0.0) + *q->second[j]) / 2});
            }
            if (const Line l = robustLine(both, LineForm::Mean); l.n >= size_t(kMinStableRows))
                level[j] = l;
        }
    }

    // A probe turned in its casing turns both axes, one each way; one axis alone following the
    // other is not it. With no offset beside it, the line runs through zero and the slope is
    // measured on the readings' whole size.
    std::array<std::optional<double>, 2> angle;
    std::array<bool, 2> rotationOn{};
    const auto degrees = [](double slope) { return std::asin(std::clamp(slope, -1.0, 1.0)) * 180 / std::numbers::pi; };
    // Seen over the quiet zone only: elsewhere a slow movement that varies with depth, as the
    // reading across does, would pass for a slope.
    for (size_t j = 0; j < 2; ++j)
        if (fit[j].rotationShows)
            angle[j] = degrees(fit[j].slope);
    std::array<Reason, 2> refusal;
    std::array<double, 2> value{};
    for (size_t j = 0; j < 2; ++j) {
        if (!angle[j] || std::abs(*angle[j]) < 0.05)
            continue;
        refusal[j] = zoneFault;
        const auto& other = angle[1 - j];
        if (std::abs(*angle[j]) > kMaxRotationDegrees)
            refusal[j] = Reason(QT_TRANSLATE_NOOP("Texts", "a probe turned %1° (more than %2°) is faulty: have it repaired, "
                                                          "not corrected"),
                                {hundredths(std::abs(*angle[j])), hundredths(kMaxRotationDegrees)});
        else if (refusal[j].empty() &&
                 (!other || std::abs(*other + *angle[j]) > std::max(0.02, 0.25 * std::max(std::abs(*angle[j]), std::abs(*other)))))
            refusal[j] = other ? Reason(QT_TRANSLATE_NOOP("Texts", "only %1 follows the reading across (%2 %3°): a turned probe "
                                                              "turns both axes, each the other way"),
                                        {j ? "B" : "A", j ? "A" : "B", hundredths(*other)})
                               : Reason(QT_TRANSLATE_NOOP("Texts", "only %1 follows the reading across (%2 nothing): a turned "
                                                              "probe turns both axes, each the other way"),
                                        {j ? "B" : "A", j ? "A" : "B"});
        rotationOn[j] = refusal[j].empty();
        // Its size from the whole tube, which measures it far closer than the zone alone.
        value[j] = degrees(line[j].s);
        if (rotationOn[j] && std::abs(line[j].c) < std::max(kMinBiasUnits, 3 * line[j].seC)) {
            line[j] = robustLine(points[j], LineForm::ThroughOrigin);
            value[j] = degrees(line[j].s);
        }
    }
    // One turn of the probe, measured on both axes at once, each weighed by how closely it shows it.
    if (rotationOn[0] && rotationOn[1] && line[0].seS > 0 && line[1].seS > 0 && line[0].c == 0 && line[1].c == 0) {
        const double w0 = 1 / (line[0].seS * line[0].seS), w1 = 1 / (line[1].seS * line[1].seS);
        const double turn = degrees((line[0].s * w0 - line[1].s * w1) / (w0 + w1));
        value = {turn, -turn};
    }
    for (size_t j = 0; j < 2; ++j)
        if (angle[j] && std::abs(*angle[j]) >= 0.05)
            // To the thousandth: over a tube of 200 depths, 0.005° of a casing leaning 350 units is 0.1 mm.
            addProposal({CorrectionKind::Rotation, int(j), std::round(value[j] * 1000) / 1000, how, {}, true}, refusal[j]);

    // The readout before, or the base, and the readout after as witnesses of the zone.
    struct Side {
        ZoneStats stats;
        Reason name;
    };
    const auto readoutNamed = [](const NeighbourReadout& n) {
        return Reason(QT_TRANSLATE_NOOP("Texts", "readout %1"), {readoutNumber(n.survey->readout)});
    };
    const Side witness = earlier.empty() ? Side{{}, Reason(QT_TRANSLATE_NOOP("Texts", "the base"))}
                                         : Side{earlier.back().second, readoutNamed(*earlier.back().first)};
    const std::optional<Side> after =
        later.empty() ? std::nullopt
                      : std::optional<Side>(Side{later.front().second, readoutNamed(*later.front().first)});
    for (size_t j = 0; j < 2; ++j) {
        out.zoneOffset[j] = fit[j].mean;
        out.neighbourOffset[j] = witness.stats.mean[j];
    }
    for (size_t j = 0; j < 2; ++j) {
        const ChecksumSpread &sums = d.checksums[j], &baseSums = d.baseChecksums[j];
        if (settings.secondPass && sums.mean && baseSums.mean)
            out.checksumMove[j] = *sums.mean - *baseSums.mean;
    }
    for (size_t j = 0; j < 2; ++j) {
        if (level[j].n < size_t(kMinStableRows))
            continue;
        const double bias = rotationOn[j] ? line[j].c : level[j].c;
        if (std::abs(bias) < kMinBiasUnits)
            continue;
        Reason refusal = zoneFault;
        const std::string axis = j ? "B" : "A";
        if (refusal.empty() && fit[j].spreadAfter > kNoiseUnits)
            refusal = Reason(QT_TRANSLATE_NOOP("Texts", "the zone's %1 is not flat: it spreads %2 about its offset, more "
                                                       "than the noise (%3)"),
                             {axis, units(fit[j].spreadAfter), units(kNoiseUnits)});
        if (refusal.empty() && settings.secondPass) {
            const double moved = out.checksumMove[j].value_or(0), expected = 2 * std::abs(bias);
            if (std::abs(moved) < std::max(2.0, std::abs(bias)) || std::abs(std::abs(moved) - expected) > std::max(2.0, 0.25 * expected))
                refusal = Reason(QT_TRANSLATE_NOOP("Texts", "the checksum of %1 moved %2, a bias of %3 would move it about "
                                                           "%4: the offset is movement, not the probe"),
                                 {axis, signedUnits(moved), signedUnits(bias), units(expected)});
        } else if (refusal.empty()) {
            if (!after)
                refusal = Reason(QT_TRANSLATE_NOOP("Texts", "one pass and no readout after it: nothing shows the offset is this "
                                                           "readout's alone, and a tilt of the zone reads the same (the "
                                                           "second pass's checksum would tell)"));
            else if (std::abs(bias) < 2 * kNeighbourAgreement)
                refusal = Reason(QT_TRANSLATE_NOOP("Texts", "one pass: an offset of %1 is too small to tell from what the "
                                                           "readouts either side leave over (the second pass's checksum "
                                                           "would tell)"),
                                 {signedUnits(bias)});
            else if (const double moved = after->stats.mean[j] - witness.stats.mean[j];
                     std::abs(moved) > kNeighbourAgreement)
                refusal = Reason::quoting(QT_TRANSLATE_NOOP("Texts", "one pass: the zone's %1 moved %2 between %3 and %4, so its "
                                                                    "offset here cannot be told from movement (the "
                                                                    "second pass's checksum would tell)"),
                                          {Reason::verbatim(axis), Reason::verbatim(signedUnits(moved)), witness.name,
                                           after->name});
        }
        addProposal({CorrectionKind::Bias, int(j), std::round(bias * 100) / 100, how, {}, true}, refusal);
    }
    // Depth first, then bias, then rotation, as the texts list them.
    std::stable_sort(out.proposed.begin(), out.proposed.end(), [](const ProposedCorrection& a, const ProposedCorrection& b) {
        const auto rank = [](CorrectionKind k) { return k == CorrectionKind::Bias ? 0 : k == CorrectionKind::Rotation ? 1 : 2; };
        return rank(a.correction.kind) < rank(b.correction.kind);
    });
    return finish();
}

std::string proposalEvidence(const CorrectionProposal& p, const TubeSettings& settings)
{
    const auto mm = [&settings](double u) {
        return settings.constant > 0 ? " (" + lengthText(1000.0 * settings.gaugeM * u / settings.constant, settings.units) +
                                           " " + unitName(settings.units) + ")"
                                     : std::string();
    };
    std::vector<std::string> parts;
    // Shown where it is asked for, in the window's or the command line's language; no file keeps it.
    const auto shownUnits = [](double v) { return said(QT_TRANSLATE_NOOP("Texts", "%1 units"), {hundredths(v)}); };
    const auto shownSigned = [&shownUnits](double v) { return (v > 0 ? "+" : "") + shownUnits(v); };
    if (p.mismatchBefore && p.mismatchAfter)
        parts.push_back(said(QT_TRANSLATE_NOOP("Texts", "profile mismatch %1 as read, %2 with the depth shift"),
                             {shownUnits(*p.mismatchBefore), shownUnits(*p.mismatchAfter)}));
    if (p.zone) {
        std::string z = said(QT_TRANSLATE_NOOP("Texts", "stable zone %1"), {depthsOf(*p.zone)});
        for (size_t j = 0; j < 2; ++j)
            if (p.residualBefore[j] && p.residualAfter[j])
                z += "; " + said(j ? QT_TRANSLATE_NOOP("Texts", "B %1%2 as read, %3%4 corrected")
                                   : QT_TRANSLATE_NOOP("Texts", "residual A %1%2 as read, %3%4 corrected"),
                                 {shownUnits(*p.residualBefore[j]), mm(*p.residualBefore[j]),
                                  hundredths(p.residualAfter[j]), mm(*p.residualAfter[j])});
        parts.push_back(z);
        if (p.zoneOffset[0] && p.neighbourOffset[0])
            parts.push_back(said(QT_TRANSLATE_NOOP("Texts", "zone offset A %1, B %2 against the base, the readout before A %3, B %4"),
                                 {shownSigned(*p.zoneOffset[0]), shownSigned(*p.zoneOffset[1]),
                                  shownSigned(*p.neighbourOffset[0]), shownSigned(*p.neighbourOffset[1])}));
    }
    if (p.checksumMove[0] || p.checksumMove[1])
        parts.push_back(said(QT_TRANSLATE_NOOP("Texts", "checksum moved A %1, B %2"),
                             {shownSigned(p.checksumMove[0].value_or(0)), shownSigned(p.checksumMove[1].value_or(0))}));
    std::string out;
    for (const std::string& s : parts)
        out += (out.empty() ? "" : "; ") + s;
    return out;
}

std::string effectText(const ProposalEffect& before, const ProposalEffect& after, const CorrectionProposal& p,
                       const TubeSettings& settings)
{
    const std::string u = " " + unitName(settings.units);
    const auto one = [&](const std::optional<double>& mm, const std::optional<double>& az) {
        return !mm ? said(QT_TRANSLATE_NOOP("Texts", "none"))
               : az ? said(QT_TRANSLATE_NOOP("Texts", "%1 at %2°"), {lengthText(mm, settings.units) + u, hundredths(az)})
                    : lengthText(mm, settings.units) + u;
    };
    std::string out = said(QT_TRANSLATE_NOOP("Texts", "top %1 -> %2"), {one(before.topMm, before.topAzimuth), one(after.topMm, after.topAzimuth)});
    if (p.largestDepthTenths)
        out += "; " + said(QT_TRANSLATE_NOOP("Texts", "at %1 m %2 -> %3"), {depthMetres(*p.largestDepthTenths),
                                                          one(before.largestMm, before.largestAzimuth),
                                                          one(after.largestMm, after.largestAzimuth)});
    return out;
}

} // namespace tarvelon::surveys
