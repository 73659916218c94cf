#pragma once
#include "analysis/corrections.h"
#include "analysis/displacement.h"
#include "analysis/proposal.h"

#include <array>
#include <map>
#include <optional>
#include <utility>
#include <vector>

// The numbers behind a proposal (proposal.h), apart from what it says.
namespace tarvelon::surveys::proposal_fit {

// The depth shift whose profile matches the base's best, with the mismatch before and after in
// `out`; nothing when none clearly fits better than the depths as read.
std::optional<Correction> proposeDepthShift(const Survey& base, const Survey& readout, const TubeSettings& settings,
                                            CorrectionProposal& out);

// The displacement at the top and at `largestTenths`.
ProposalEffect effectOf(const Displacement& d, std::optional<int> largestTenths);

// The rows of the zone where both axes changed.
std::vector<const DisplacementRow*> inZone(const Displacement& d, const DepthZone& zone);
// Root mean square of each axis's change over the zone.
std::array<std::optional<double>, 2> residual(const Displacement& d, const DepthZone& zone);

// Each axis's mean change over the zone and its spread about it.
struct ZoneStats {
    std::array<double, 2> mean{}, spread{};
    size_t n = 0;
};
ZoneStats statsOf(const Displacement& d, const DepthZone& zone);

// Each axis's change over the zone as offset + slope x the reading across, the base's values
// by depth at hand; the slope kept only where it stands out of the noise.
struct Fit {
    double offset = 0, slope = 0, mean = 0, spread = 0, spreadAfter = 0;
    bool rotationShows = false;
};
using BaseValues = std::map<int, std::array<std::optional<double>, 2>>;
Fit fitAxis(const std::vector<const DisplacementRow*>& rows, const BaseValues& baseAt, size_t axis);

// y = c + s x over points (x, y), the points beyond three times the spread of the others left out
// one round after another, so a moving stretch of the tube does not pull the line.
struct Line {
    double c = 0, s = 0, seC = 0, seS = 0;
    size_t n = 0;
};
enum class LineForm { Mean, Line, ThroughOrigin };
Line robustLine(const std::vector<std::pair<double, double>>& points, LineForm form);

} // namespace tarvelon::surveys::proposal_fit
