#include "analysis/corrections.h"

#include "analysis/displacement.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <numbers>

namespace tarvelon::surveys {
namespace {

std::string signedFixed(double v, int decimals)
{
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals).ptr;
    std::string s(buf, end);
    if (s.find_first_not_of("-0.") == std::string::npos)
        return s[0] == '-' ? s.substr(1) : s;
    return s[0] == '-' ? s : "+" + s;
}

double sinDegrees(double degrees)
{
    return std::sin(degrees * std::numbers::pi / 180);
}

// Mean squared difference of readings 1 and 2 when the readout's depth d meets the base's d + shift.
std::optional<double> mismatch(const std::map<int, const SurveyRow*>& base, const Survey& readout, int shift)
{
    double sum = 0;
    int n = 0;
    for (const SurveyRow& r : readout.rows) {
        const auto b = base.find(r.depthTenths + shift);
        if (b == base.end())
            continue;
        for (size_t j = 0; j < 2; ++j)
            if (r.readings[j] && b->second->readings[j]) {
                const double d = double(*r.readings[j] - *b->second->readings[j]);
                sum += d * d;
                ++n;
            }
    }
    // Too few pairs left to say anything about a profile.
    if (n < 2 * kMinStableRows)
        return std::nullopt;
    return sum / n;
}

std::optional<Correction> proposeDepthShift(const Survey& base, const Survey& readout)
{
    std::map<int, const SurveyRow*> at;
    for (const SurveyRow& r : base.rows)
        at[r.depthTenths] = &r;
    const int step = std::max(1, int(std::lround(readout.step * 10)));
    const std::optional<double> unshifted = mismatch(at, readout, 0);
    if (!unshifted)
        return std::nullopt;
    int best = 0;
    double bestMismatch = *unshifted;
    for (int k = -kMaxDepthShiftSteps; k <= kMaxDepthShiftSteps; ++k)
        if (const auto m = k ? mismatch(at, readout, k * step) : std::nullopt; m && *m < bestMismatch)
            best = k, bestMismatch = *m;
    if (best == 0 || bestMismatch > *unshifted / 2)
        return std::nullopt;
    return Correction{CorrectionKind::DepthShift, 0, best * step / 10.0, "proposed by matching the base's profile", {}, true};
}

// Root mean square of each axis's change over the zone's depths.
std::array<std::optional<double>, 2> residual(const Displacement& d, const DepthZone& zone)
{
    std::array<std::optional<double>, 2> out;
    for (size_t j = 0; j < 2; ++j) {
        double squares = 0;
        int n = 0;
        for (const DisplacementRow& r : d.rows)
            if (r.depthTenths >= zone.fromTenths && r.depthTenths <= zone.toTenths && r.change[j])
                squares += *r.change[j] * *r.change[j], ++n;
        if (n)
            out[j] = std::sqrt(squares / n);
    }
    return out;
}

} // namespace

std::string correctionName(const Correction& c)
{
    return c.kind == CorrectionKind::DepthShift ? kindName(c.kind) : kindName(c.kind) + (c.axis ? " B" : " A");
}

std::string correctionValue(const Correction& c)
{
    return signedFixed(c.value, 2) + (c.kind == CorrectionKind::Bias       ? " units"
                                      : c.kind == CorrectionKind::Rotation ? "°"
                                                                           : " m");
}

std::string kindName(CorrectionKind kind)
{
    switch (kind) {
    case CorrectionKind::Bias: return "bias";
    case CorrectionKind::Rotation: return "rotation";
    case CorrectionKind::DepthShift: return "depth shift";
    }
    return "bias";
}

std::optional<CorrectionKind> kindNamed(const std::string& name)
{
    for (CorrectionKind k : {CorrectionKind::Bias, CorrectionKind::Rotation, CorrectionKind::DepthShift})
        if (kindName(k) == name)
            return k;
    return std::nullopt;
}

void correctChanges(const std::vector<Correction>& corrections, std::optional<double>& a, std::optional<double>& b)
{
    std::array<std::optional<double>*, 2> axes{&a, &b};
    std::array<double, 2> rotation{};
    for (const Correction& c : corrections) {
        if (!c.on || c.axis < 0 || c.axis > 1)
            continue;
        if (c.kind == CorrectionKind::Bias && *axes[size_t(c.axis)])
            **axes[size_t(c.axis)] -= c.value;
        else if (c.kind == CorrectionKind::Rotation)
            rotation[size_t(c.axis)] += c.value;
    }
    if (rotation[0] == 0 && rotation[1] == 0)
        return;
    // Each axis gives back the share it took of the other's change; without the other, it cannot.
    const std::optional<double> a0 = a, b0 = b;
    if (rotation[0] != 0)
        a = a0 && b0 ? std::optional<double>(*a0 - sinDegrees(rotation[0]) * *b0) : std::nullopt;
    if (rotation[1] != 0)
        b = a0 && b0 ? std::optional<double>(*b0 - sinDegrees(rotation[1]) * *a0) : std::nullopt;
}

int depthShiftTenths(const std::vector<Correction>& corrections)
{
    double metres = 0;
    for (const Correction& c : corrections)
        if (c.on && c.kind == CorrectionKind::DepthShift)
            metres += c.value;
    return int(std::lround(metres * 10));
}

CorrectionProposal proposeCorrections(const Survey& base, const Survey& readout, const TubeSettings& settings,
                                      const std::optional<DepthZone>& zone)
{
    CorrectionProposal out;
    std::vector<Correction> depth;
    if (auto shift = proposeDepthShift(base, readout)) {
        shift->how += reductionNote(settings.secondPass);
        depth.push_back(*shift);
    }
    const Displacement d = displacement(base, readout, settings, depth);
    if (!d.compared) {
        out.reason = d.reason;
        return out;
    }
    // The rows where both axes changed, deepest first.
    std::vector<const DisplacementRow*> rows;
    for (auto it = d.rows.rbegin(); it != d.rows.rend(); ++it)
        if (it->change[0] && it->change[1])
            rows.push_back(&*it);
    if (rows.empty()) {
        out.reason = "no depth was read in both it and the base";
        return out;
    }
    std::vector<const DisplacementRow*> stable;
    if (zone) {
        const int shallowest = rows.back()->depthTenths, deepest = rows.front()->depthTenths;
        if (zone->fromTenths > zone->toTenths || zone->fromTenths < shallowest || zone->toTenths > deepest) {
            out.reason = "the stable zone " + depthMetres(zone->fromTenths) + " to " + depthMetres(zone->toTenths) +
                         " m lies outside the depths both it and the base hold (" + depthMetres(shallowest) + " to " +
                         depthMetres(deepest) + " m)";
            return out;
        }
        for (const DisplacementRow* r : rows)
            if (r->depthTenths >= zone->fromTenths && r->depthTenths <= zone->toTenths)
                stable.push_back(r);
    } else {
        // From the toe up while each axis stays within the noise of the zone's mean so far.
        std::array<double, 2> sum{};
        for (const DisplacementRow* r : rows) {
            if (!stable.empty() && (std::abs(*r->change[0] - sum[0] / double(stable.size())) > kNoiseUnits ||
                                    std::abs(*r->change[1] - sum[1] / double(stable.size())) > kNoiseUnits))
                break;
            stable.push_back(r);
            sum[0] += *r->change[0];
            sum[1] += *r->change[1];
        }
    }
    if (stable.size() < size_t(kMinStableRows)) {
        out.reason = "no stable zone of " + std::to_string(kMinStableRows) + " rows " +
                     (zone ? std::string("in the depths given") : std::string("from the toe up")) +
                     ": no bias or rotation proposed";
        out.corrections = depth;
        return out;
    }
    out.zone = DepthZone{stable.back()->depthTenths, stable.front()->depthTenths};
    const std::string how = "proposed over " + depthMetres(out.zone->fromTenths) + " to " +
                            depthMetres(out.zone->toTenths) + " m" + reductionNote(settings.secondPass);
    std::array<double, 2> bias{};
    for (size_t j = 0; j < 2; ++j) {
        for (const DisplacementRow* r : stable)
            bias[j] += *r->change[j];
        bias[j] /= double(stable.size());
        // Less than half a reading unit is no bias a reading could show.
        if (std::abs(bias[j]) >= 0.5)
            out.corrections.push_back({CorrectionKind::Bias, int(j), std::round(bias[j] * 100) / 100, how, {}, true});
    }
    // A share of the other axis's change, where that axis moved well beyond the noise.
    for (size_t j = 0; j < 2; ++j) {
        double xy = 0, xx = 0;
        for (const DisplacementRow* r : stable) {
            const double x = *r->change[1 - j] - bias[1 - j], y = *r->change[j] - bias[j];
            xy += x * y;
            xx += x * x;
        }
        if (xx / double(stable.size()) < 25 * kNoiseUnits * kNoiseUnits)
            continue;
        const double angle = std::asin(std::clamp(xy / xx, -1.0, 1.0)) * 180 / std::numbers::pi;
        if (std::abs(angle) >= 0.1)
            out.corrections.push_back({CorrectionKind::Rotation, int(j), std::round(angle * 100) / 100, how, {}, true});
    }
    out.corrections.insert(out.corrections.end(), depth.begin(), depth.end());
    out.residualBefore = residual(displacement(base, readout, settings), *out.zone);
    out.residualAfter = residual(displacement(base, readout, settings, out.corrections), *out.zone);
    return out;
}

std::string proposalEvidence(const CorrectionProposal& p, const TubeSettings& settings)
{
    if (!p.zone)
        return {};
    const auto mm = [&settings](double units) {
        return settings.constant > 0 ? " (" + lengthText(1000.0 * settings.gaugeM * units / settings.constant, settings.units) +
                                           " " + unitName(settings.units) + ")"
                                     : std::string();
    };
    std::string out = "stable zone " + depthMetres(p.zone->fromTenths) + " to " + depthMetres(p.zone->toTenths) + " m";
    for (size_t j = 0; j < 2; ++j)
        if (p.residualBefore[j] && p.residualAfter[j])
            out += std::string(j ? "; B " : "; residual A ") + hundredths(p.residualBefore[j]) + " units" +
                   mm(*p.residualBefore[j]) + " as read, " + hundredths(p.residualAfter[j]) + mm(*p.residualAfter[j]) +
                   " corrected";
    return out;
}

std::string reductionNote(bool secondPass)
{
    return secondPass ? ", second pass on" : ", second pass off";
}

std::optional<bool> foundWithSecondPass(const Correction& c)
{
    for (bool second : {true, false})
        if (c.how.find(reductionNote(second).substr(2)) != std::string::npos)
            return second;
    return std::nullopt;
}

std::string otherReductionText(const std::vector<Correction>& corrections, const TubeSettings& settings)
{
    // A depth shift matches readings 1 and 2, whichever the reduction.
    for (const Correction& c : corrections)
        if (const auto second = foundWithSecondPass(c);
            c.on && c.kind != CorrectionKind::DepthShift && second && *second != settings.secondPass)
            return std::string("the corrections were found with the second pass ") + (*second ? "on" : "off") +
                   ", the tube now reduces " + (settings.secondPass ? "with it" : "without it") +
                   ": the accepted bias is for the other reduction; clear them and propose again";
    return {};
}

void putCorrection(std::vector<Correction>& list, Correction c)
{
    std::erase_if(list, [&c](const Correction& k) { return k.kind == c.kind && k.axis == c.axis; });
    list.push_back(std::move(c));
}

std::string correctionsText(const std::vector<Correction>& corrections)
{
    std::string out, hows;
    for (CorrectionKind kind : {CorrectionKind::Bias, CorrectionKind::Rotation, CorrectionKind::DepthShift}) {
        std::string part;
        for (const Correction& c : corrections) {
            if (!c.on || c.kind != kind)
                continue;
            const std::string value = kind == CorrectionKind::Bias       ? signedFixed(c.value, 2)
                                      : kind == CorrectionKind::Rotation ? signedFixed(c.value, 2) + "°"
                                                                         : signedFixed(c.value, 2) + " m";
            part += (part.empty() ? kindName(kind) + " " : ", ") +
                    (kind == CorrectionKind::DepthShift ? value : std::string(c.axis ? "B " : "A ") + value);
            std::string said = c.how;
            if (!c.acceptedAt.empty())
                said += (said.empty() ? "accepted " : ", accepted ") + c.acceptedAt.substr(0, 10);
            if (!said.empty() && hows.find(said) == std::string::npos)
                hows += (hows.empty() ? "" : "; ") + said;
        }
        if (kind == CorrectionKind::Bias && !part.empty())
            part += " units";
        if (!part.empty())
            out += (out.empty() ? "" : "; ") + part;
    }
    return out.empty() || hows.empty() ? out : out + " (" + hows + ")";
}

} // namespace tarvelon::surveys
