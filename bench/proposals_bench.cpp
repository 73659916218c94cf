// tarvelon-bench proposals: a tube of 20 readouts of 200 depths with a shear zone, each readout
// with a probe error of its own; proposing one readout's corrections with all their evidence
// (the depth match, the zone checked in every earlier readout, the readouts either side, the
// effect of each proposal) and analysing the whole tube with the corrections on.
#include "analysis/displacement.h"
#include "analysis/proposal.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using namespace tarvelon::surveys;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kReadouts = 20, kDepths = 200;

double msSince(Clock::time_point t)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

Survey readout(int n)
{
    Survey s;
    s.id = n + 1;
    s.readout = std::to_string(n + 1);
    s.step = 0.5;
    char date[16];
    std::snprintf(date, sizeof date, "%02d/%02d/24", 1 + n % 28, 1 + n / 28);
    s.date = date;
    s.time = "10:00:00";
    for (int k = 1; k <= kDepths; ++k) {
        // An error per readout: a bias, a rotation or a depth read a few centimetres off.
        const double d = k * 0.5 + (n % 4 == 3 ? 0.04 : 0.0);
        double a = 300 * std::sin(d / 4.1) + 5 * d, b = 354 + 200 * std::cos(d / 6.3);
        if (d > 30 && d < 33)
            a += 8.0 * n, b += 3.0 * n;
        if (n % 4 == 1)
            a += 4;
        if (n % 4 == 2)
            a += std::sin(0.5 * 3.14159265 / 180) * b;
        s.rows.push_back({k * 5, {std::llround(a), std::llround(b), std::llround(-a), std::llround(-b)}});
    }
    return s;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int benchProposals()
{
    std::vector<Survey> all;
    for (int n = 0; n < kReadouts; ++n)
        all.push_back(readout(n));
    for (bool second : {false, true}) {
        TubeSettings t;
        t.constant = 20000;
        t.baseId = 1;
        t.secondPass = second;
        CorrectionsById accepted;
        std::vector<double> times;
        for (int round = 0; round < 3; ++round)
            for (size_t i = 1; i < all.size(); ++i) {
                const TubeResult tube = analyseTube(all, t, accepted);
                const auto start = Clock::now();
                const CorrectionProposal p =
                    proposeCorrections(all[0], all[i], t, std::nullopt, proposalContext(tube, all[i].id));
                times.push_back(msSince(start));
                accepted[all[i].id] = p.acceptable();
            }
        std::vector<double> tubeTimes;
        for (int round = 0; round < 20; ++round) {
            const auto start = Clock::now();
            const TubeResult tube = analyseTube(all, t, accepted);
            tubeTimes.push_back(msSince(start));
        }
        std::printf("%s: propose one readout's corrections with evidence, %d depths, %d readouts in the tube: "
                    "median %.2f ms, slowest %.2f ms\n",
                    second ? "two passes" : "one pass", kDepths, kReadouts, median(times),
                    *std::max_element(times.begin(), times.end()));
        std::printf("%s: analyse the tube's %d readouts with the accepted corrections on: median %.2f ms\n",
                    second ? "two passes" : "one pass", kReadouts, median(tubeTimes));
        // The same with every 4th readout's depths shifted between its rows, readouts 11 on read
        // with another probe, and the base moved to readout 11 carrying on from the first.
        std::vector<Survey> changed = all;
        CorrectionsById shifted = accepted;
        for (int n = 3; n < kReadouts; n += 4)
            putCorrection(shifted[changed[size_t(n)].id], {CorrectionKind::DepthShift, 0, -0.04, "entered", "", true});
        for (size_t n = 10; n < changed.size(); ++n) {
            changed[n].probeSerial = "P2";
            changed[n].probeConstant = 20000;
        }
        TubeSettings carried = t;
        carried.baseId = changed[10].id;
        carried.continuedFromId = changed[0].id;
        std::vector<double> carriedTimes;
        for (int round = 0; round < 20; ++round) {
            const auto start = Clock::now();
            const TubeResult tube = analyseTube(changed, carried, shifted);
            carriedTimes.push_back(msSince(start));
        }
        std::printf("%s: the same with interpolated depth shifts, a probe change and a base carried on: median "
                    "%.2f ms\n",
                    second ? "two passes" : "one pass", median(carriedTimes));
    }
    return 0;
}
