#pragma once
#include "analysis/survey.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// The probe's systematic errors, corrected per readout and per axis before the sums.
//
// At each depth, with a and b the readout's changes against the base (reading units):
//   bias shift  (A or B): a constant offset of that axis's readings; change' = change - bias.
//   rotation    (A or B): that axis picks up a share of the other axis's change, as a probe
//               whose sensors sit turned by an angle does; a' = a - sin(angle_A) b and
//               b' = b - sin(angle_B) a, the other axis's change taken after its bias.
//   depth shift (both axes): the readout's depths were taken this far too deep (metres, a
//               multiple of the step), so its reading at d pairs with the base's at d + shift.
// Proposals come from the readout itself and never apply themselves: the engineer accepts them.
//   stable zone: the engineer's depths, or the deepest stretch, from the toe up, where each
//               axis's change stays within the reading noise (kNoiseUnits) of its running mean
//               over at least kMinStableRows rows;
//   bias:       the mean change of each axis over the stable zone;
//   rotation:   over the stable zone after the bias, the least-squares share of the other axis's
//               change, proposed only where that axis moved well beyond the noise;
//   depth:      the shift of whole steps (up to kMaxDepthShiftSteps) that makes the readout's
//               readings 1 and 2 nearest to the base's, proposed only when it more than halves
//               their mean squared difference.
namespace tarvelon::surveys {

enum class CorrectionKind { Bias, Rotation, DepthShift };

inline constexpr double kNoiseUnits = 3.0;
inline constexpr int kMinStableRows = 5;
inline constexpr int kMaxDepthShiftSteps = 2;

struct Correction {
    CorrectionKind kind = CorrectionKind::Bias;
    int axis = 0;            // 0 A, 1 B; a depth shift is 0 and moves both
    double value = 0;        // bias: reading units; rotation: degrees; depth shift: metres
    std::string how;         // how it was found: "entered", "proposed over 40.0 to 79.5 m"
    std::string acceptedAt;  // ISO 8601, UTC
    bool on = true;          // kept but switched off: stated, not applied
    bool operator==(const Correction&) const = default;
};

// A stretch of the tube, shallowest and deepest depth included.
struct DepthZone {
    int fromTenths = 0, toTenths = 0;
    bool operator==(const DepthZone&) const = default;
};

struct CorrectionProposal {
    std::vector<Correction> corrections; // `how` filled, `acceptedAt` empty
    std::optional<DepthZone> zone;       // the stable zone used
    std::string reason;                  // why something could not be proposed; empty when all were
    // The evidence: over the stable zone, the root mean square of each axis's change (reading
    // units), as read and with every proposed correction applied.
    std::array<std::optional<double>, 2> residualBefore{}, residualAfter{};
};

// The corrections a readout may get against the base, from its own readings. `zone` chooses the
// stable zone; it must lie within the depths both surveys hold (reason says otherwise).
CorrectionProposal proposeCorrections(const Survey& base, const Survey& readout, const TubeSettings& settings,
                                      const std::optional<DepthZone>& zone = std::nullopt);

// The evidence of a proposal as one line: "stable zone 40.0 to 79.5 m; residual A 2.04 units
// (0.04 mm) as read, 0.31 (0.01 mm) corrected; B ..."; "" without a zone.
std::string proposalEvidence(const CorrectionProposal& proposal, const TubeSettings& settings);

// A correction found or entered for the tube's reduction says so at the end of its `how`: a bias
// found from the first pass alone is no bias of the two passes together, and the reverse.
std::string reductionNote(bool secondPass); // ", second pass off" or ", second pass on"
// The reduction a correction was found for; nothing when its `how` does not say.
std::optional<bool> foundWithSecondPass(const Correction& correction);
// Why the corrections do not fit the tube's reduction now: "the corrections were found with the
// second pass off, the tube now reduces with it: the accepted bias is for the other reduction;
// clear them and propose again"; "" when they fit or do not say.
std::string otherReductionText(const std::vector<Correction>& corrections, const TubeSettings& settings);

// Replaces the correction of the same kind and axis in `list`, or adds it.
void putCorrection(std::vector<Correction>& list, Correction correction);

// The corrections that are on, as one line: "bias A -2.0, B +1.5 units; rotation B 2.00°;
// depth shift +0.5 m (proposed over 40.0 to 79.5 m, accepted 2026-12-07)"; "" for none.
std::string correctionsText(const std::vector<Correction>& corrections);

// One correction as the tables show it: "bias A", "rotation B", "depth shift"; "+2.00 units",
// "+2.00°", "+0.50 m".
std::string correctionName(const Correction& correction);
std::string correctionValue(const Correction& correction);

// "bias", "rotation", "depth shift" and "A", "B" as the texts and the library name them.
std::string kindName(CorrectionKind kind);
std::optional<CorrectionKind> kindNamed(const std::string& name);

// Applies the corrections that are on to one depth's changes (reading units), in place.
void correctChanges(const std::vector<Correction>& corrections, std::optional<double>& a, std::optional<double>& b);
// The depth shift that is on, in tenths of a metre; 0 when none.
int depthShiftTenths(const std::vector<Correction>& corrections);

} // namespace tarvelon::surveys
