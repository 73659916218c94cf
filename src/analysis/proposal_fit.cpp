// The numbers behind a proposal: the profile match of a depth shift, a stable zone's statistics and
// the straight line a readout's change follows of the reading across.
#include "analysis/proposal_fit.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace tarvelon::surveys::proposal_fit {
namespace {

constexpr double kDepthSearchStepM = 0.01;

struct Profile {
    std::vector<int> depths;                     // tenths, shallowest first
    std::array<std::vector<double>, 2> values;   // NaN where not read
};

Profile profileOf(const Survey& s, bool secondPass)
{
    Profile p;
    std::vector<const SurveyRow*> rows;
    for (const SurveyRow& r : s.rows)
        rows.push_back(&r);
    std::sort(rows.begin(), rows.end(), [](const SurveyRow* a, const SurveyRow* b) { return a->depthTenths < b->depthTenths; });
    for (const SurveyRow* r : rows) {
        p.depths.push_back(r->depthTenths);
        for (size_t j = 0; j < 2; ++j)
            p.values[j].push_back(axisValue(*r, j, secondPass).value_or(std::nan("")));
    }
    return p;
}

// The profile's value at `tenths`, linearly between rows no more than a step apart; NaN outside.
double valueAt(const Profile& p, size_t j, double tenths, int step)
{
    const auto hi = std::lower_bound(p.depths.begin(), p.depths.end(), tenths - 1e-6,
                                     [](int d, double t) { return d < t; });
    if (hi == p.depths.end())
        return std::nan("");
    const size_t k = size_t(hi - p.depths.begin());
    if (std::abs(*hi - tenths) < 1e-6)
        return p.values[j][k];
    if (k == 0 || p.depths[k] - p.depths[k - 1] > step)
        return std::nan("");
    const double w = (tenths - p.depths[k - 1]) / double(p.depths[k] - p.depths[k - 1]);
    return p.values[j][k - 1] + w * (p.values[j][k] - p.values[j][k - 1]);
}

// How far the readout's profile read `shiftM` deeper lies from the base's: the root mean square of
// the smaller three quarters of the differences, each axis's median difference taken off first
// (a tilt of the whole tube is no depth error), that median still counting a hundredth as much
// (of two shifts that fit a straight profile alike, the one with no offset is the depth error).
std::optional<double> profileMismatch(const Profile& base, const Profile& readout, double shiftM, int step,
                               std::vector<double>& scratch)
{
    scratch.clear();
    std::array<std::vector<double>, 2> diffs;
    for (size_t j = 0; j < 2; ++j)
        for (size_t k = 0; k < base.depths.size(); ++k) {
            const double v = valueAt(readout, j, base.depths[k] - shiftM * 10, step);
            if (!std::isnan(v) && !std::isnan(base.values[j][k]))
                diffs[j].push_back(v - base.values[j][k]);
        }
    double offsets = 0;
    for (auto& d : diffs) {
        if (d.size() < size_t(2 * kMinStableRows))
            return std::nullopt;
        std::vector<double> sorted = d;
        std::nth_element(sorted.begin(), sorted.begin() + long(sorted.size() / 2), sorted.end());
        const double median = sorted[sorted.size() / 2];
        offsets += median * median;
        for (double x : d)
            scratch.push_back((x - median) * (x - median));
    }
    const size_t kept = scratch.size() * 3 / 4;
    std::nth_element(scratch.begin(), scratch.begin() + long(kept), scratch.end());
    double sum = 0;
    for (size_t k = 0; k < kept; ++k)
        sum += scratch[k];
    return std::sqrt(sum / double(kept) + offsets / 200);
}

} // namespace

std::optional<Correction> proposeDepthShift(const Survey& base, const Survey& readout, const TubeSettings& settings,
                                            CorrectionProposal& out)
{
    const int step = std::max(1, int(std::lround(readout.step * 10)));
    const Profile b = profileOf(base, settings.secondPass), r = profileOf(readout, settings.secondPass);
    std::vector<double> scratch;
    const std::optional<double> unshifted = profileMismatch(b, r, 0, step, scratch);
    if (!unshifted)
        return std::nullopt;
    // Every five centimetres first, then to the centimetre about the best: the mismatch of a
    // casing's profile changes smoothly with the shift.
    const int limit = int(std::lround(kMaxDepthShiftSteps * readout.step / kDepthSearchStepM));
    int best = 0;
    double bestMismatch = *unshifted;
    const auto tryShift = [&](int k) {
        if (k == 0 || k < -limit || k > limit)
            return;
        if (const auto m = profileMismatch(b, r, k * kDepthSearchStepM, step, scratch); m && *m < bestMismatch)
            best = k, bestMismatch = *m;
    };
    for (int k = -limit; k <= limit; k += 5)
        tryShift(k);
    const int coarse = best;
    for (int k = coarse - 4; k <= coarse + 4; ++k)
        if (k % 5 != 0)
            tryShift(k);
    // Reading noise alone never moves the best match off zero by much; it must clearly fit better.
    if (best == 0 || bestMismatch > *unshifted / 2 || *unshifted - bestMismatch < 0.5)
        return std::nullopt;
    out.mismatchBefore = unshifted;
    out.mismatchAfter = bestMismatch;
    const double shift = std::round(best * kDepthSearchStepM * 100) / 100;
    return Correction{CorrectionKind::DepthShift, 0, shift,
                      "proposed by matching the base's profile" + reductionNote(settings.secondPass), {}, true};
}

ProposalEffect effectOf(const Displacement& d, std::optional<int> largestTenths)
{
    ProposalEffect e;
    for (const DisplacementRow& r : d.rows) {
        if (r.resultant && !e.topMm) {
            e.topMm = r.resultant;
            e.topAzimuth = r.azimuth;
        }
        if (largestTenths && r.depthTenths == *largestTenths) {
            e.largestMm = r.resultant;
            e.largestAzimuth = r.azimuth;
        }
    }
    return e;
}

std::vector<const DisplacementRow*> inZone(const Displacement& d, const DepthZone& zone)
{
    std::vector<const DisplacementRow*> rows;
    for (const DisplacementRow& r : d.rows)
        if (r.depthTenths >= zone.fromTenths && r.depthTenths <= zone.toTenths && r.change[0] && r.change[1])
            rows.push_back(&r);
    return rows;
}

// Root mean square of each axis's change over the zone's depths.
std::array<std::optional<double>, 2> residual(const Displacement& d, const DepthZone& zone)
{
    std::array<std::optional<double>, 2> out;
    const auto rows = inZone(d, zone);
    for (size_t j = 0; j < 2 && !rows.empty(); ++j) {
        double squares = 0;
        for (const DisplacementRow* r : rows)
            squares += *r->change[j] * *r->change[j];
        out[j] = std::sqrt(squares / double(rows.size()));
    }
    return out;
}

ZoneStats statsOf(const Displacement& d, const DepthZone& zone)
{
    ZoneStats s;
    const auto rows = inZone(d, zone);
    s.n = rows.size();
    if (rows.empty())
        return s;
    for (size_t j = 0; j < 2; ++j) {
        double sum = 0, squares = 0;
        for (const DisplacementRow* r : rows)
            sum += *r->change[j];
        s.mean[j] = sum / double(rows.size());
        for (const DisplacementRow* r : rows)
            squares += (*r->change[j] - s.mean[j]) * (*r->change[j] - s.mean[j]);
        s.spread[j] = std::sqrt(squares / double(rows.size()));
    }
    return s;
}

Fit fitAxis(const std::vector<const DisplacementRow*>& rows, const std::map<int, std::array<std::optional<double>, 2>>& baseAt,
            size_t j)
{
    Fit f;
    const size_t o = 1 - j;
    std::vector<double> x, y;
    for (const DisplacementRow* r : rows) {
        const auto b = baseAt.find(r->depthTenths);
        if (b == baseAt.end() || !b->second[o])
            continue;
        x.push_back(*r->change[o] + *b->second[o]); // the readout's own reading across
        y.push_back(*r->change[j]);
    }
    const double n = double(y.size());
    if (y.size() < size_t(kMinStableRows))
        return f;
    double mx = 0, my = 0;
    for (size_t k = 0; k < y.size(); ++k)
        mx += x[k], my += y[k];
    mx /= n, my /= n;
    double sxx = 0, sxy = 0, syy = 0;
    for (size_t k = 0; k < y.size(); ++k) {
        sxx += (x[k] - mx) * (x[k] - mx);
        sxy += (x[k] - mx) * (y[k] - my);
        syy += (y[k] - my) * (y[k] - my);
    }
    f.mean = my;
    f.spread = std::sqrt(syy / n);
    f.offset = my;
    f.spreadAfter = f.spread;
    if (sxx <= 0)
        return f;
    const double slope = sxy / sxx;
    const double rss = std::max(0.0, syy - slope * sxy);
    // The reading's own rounding is the least noise there is.
    const double sigma = std::max(std::sqrt(rss / std::max(1.0, n - 2)), 0.3);
    if (std::abs(slope) / (sigma / std::sqrt(sxx)) >= 4) {
        f.rotationShows = true;
        f.slope = slope;
        f.offset = my - slope * mx;
        f.spreadAfter = std::sqrt(rss / n);
    }
    return f;
}


} // namespace tarvelon::surveys::proposal_fit

namespace tarvelon::surveys::proposal_fit {

Line robustLine(const std::vector<std::pair<double, double>>& points, LineForm form)
{
    Line f;
    std::vector<char> in(points.size(), 1);
    std::vector<double> scratch;
    for (int round = 0; round < 5; ++round) {
        double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
        for (size_t k = 0; k < points.size(); ++k)
            if (in[k]) {
                const auto [x, y] = points[k];
                n += 1, sx += x, sy += y, sxx += x * x, sxy += x * y;
            }
        if (n < 3)
            return f;
        const double mx = sx / n, my = sy / n, var = sxx - n * mx * mx;
        if (form == LineForm::Mean || var <= 0)
            f.c = my, f.s = 0;
        else if (form == LineForm::ThroughOrigin)
            f.c = 0, f.s = sxy / sxx;
        else
            f.s = (sxy - n * mx * my) / var, f.c = my - f.s * mx;
        // The spread of the points kept, then who stays within three times it.
        scratch.clear();
        double rss = 0;
        for (size_t k = 0; k < points.size(); ++k)
            if (in[k]) {
                const double r = points[k].second - f.c - f.s * points[k].first;
                scratch.push_back(std::abs(r));
                rss += r * r;
            }
        std::nth_element(scratch.begin(), scratch.begin() + long(scratch.size() / 2), scratch.end());
        const double sigma = std::max(1.4826 * scratch[scratch.size() / 2], 0.3);
        const double params = form == LineForm::Line ? 2 : 1;
        const double fitSigma = std::sqrt(rss / std::max(1.0, n - params));
        f.n = size_t(n);
        f.seC = form == LineForm::Line && var > 0 ? fitSigma * std::sqrt(1 / n + mx * mx / var) : fitSigma / std::sqrt(n);
        f.seS = form == LineForm::Line && var > 0 ? fitSigma / std::sqrt(var)
                : form == LineForm::ThroughOrigin && sxx > 0 ? fitSigma / std::sqrt(sxx)
                                                             : 0;
        bool changed = false;
        for (size_t k = 0; k < points.size(); ++k) {
            const bool keep = std::abs(points[k].second - f.c - f.s * points[k].first) <= std::max(3 * sigma, 1.0);
            changed |= keep != bool(in[k]);
            in[k] = keep;
        }
        if (!changed)
            break;
    }
    return f;
}

} // namespace tarvelon::surveys::proposal_fit
