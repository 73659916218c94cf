#pragma once
#include "analysis/corrections.h"
#include "analysis/displacement.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// Corrections the program proposes for a readout, each with the evidence for it and what it
// does, offered as acceptable only where the evidence shows it is the probe and not the ground.
//
//   depth shift: the shift, within two steps at 0.01 m, that best matches the readout's profile
//               to the base's (the mean of the smaller three quarters of the squared differences,
//               each axis's median difference taken off, so a moving stretch or a tilt does not
//               decide it); proposed when it at least halves that mismatch.
//   stable zone: the engineer's depths, or the deepest stretch from the toe up where each axis's
//               change stays within the noise (kNoiseUnits) of its running mean over at least
//               kMinStableRows rows. It is refused when it deforms: in this readout or an
//               earlier one its change spreads more than kZoneSpreadNoises times the noise.
//   rotation:   seen where, over the zone, each axis's change follows the other axis's reading
//               (sin of the angle) out of the noise, both axes one each way as a turned probe
//               reads; measured over the whole tube against the readout before, both axes as one
//               turn; refused beyond kMaxRotationDegrees.
//   bias:       the offset against the readout before over the whole tube, what moved between
//               them left out (with one pass, against the mean of the readouts either side).
//               Acceptable where the zone is flat and, with the second pass, the checksum's mean
//               moved by about twice the bias; with one pass, where the readouts before and after
//               read the same over the zone, so the offset is this readout's alone. A bias whose
//               checksum did not move is never acceptable: it is movement.
namespace tarvelon::surveys {

// How far, in times the noise, a stable zone's change may spread before it counts as moving.
inline constexpr double kZoneSpreadNoises = 2.0;

// Another readout of the tube against the same base, with the corrections stored for it.
struct NeighbourReadout {
    const Survey* survey = nullptr;
    std::vector<Correction> corrections;
};

struct ProposalContext {
    std::vector<NeighbourReadout> earlier; // taken before the readout, at or after the base; oldest first
    std::vector<NeighbourReadout> later;   // taken after it; oldest first
};

// The readouts either side of survey `surveyId` in an analysed tube, with their corrections.
ProposalContext proposalContext(const TubeResult& tube, std::int64_t surveyId);

// The displacement at the top and at the depth of largest movement as read (mm, degrees).
struct ProposalEffect {
    std::optional<double> topMm, topAzimuth, largestMm, largestAzimuth;
};

struct ProposedCorrection {
    Correction correction; // `how` filled, `acceptedAt` empty
    bool acceptable = false;
    Reason refusal;        // why it is not offered as acceptable; empty when it is
    ProposalEffect after;  // with this correction alone
};

struct CorrectionProposal {
    std::vector<ProposedCorrection> proposed;
    std::optional<DepthZone> zone;       // the stable zone used
    Reason reason;                       // why something could not be proposed; empty when all were
    // Over the zone, the root mean square of each axis's change (reading units), as read and with
    // every proposed correction applied (a rotation beyond the limit left out).
    std::array<std::optional<double>, 2> residualBefore{}, residualAfter{};
    std::array<std::optional<double>, 2> zoneOffset{};    // the zone's offset against the base, units
    std::array<std::optional<double>, 2> neighbourOffset{}; // what the readout before shows there
    std::array<std::optional<double>, 2> checksumMove{};  // second pass: mean less the base's, units
    std::optional<double> mismatchBefore, mismatchAfter;  // depth: profile mismatch, units (rms)
    std::optional<int> largestDepthTenths;                // where the movement is largest as read
    ProposalEffect asRead, acceptedEffect;                // as read; with every acceptable one applied

    std::vector<Correction> acceptable() const;
    std::vector<Correction> all() const;
};

CorrectionProposal proposeCorrections(const Survey& base, const Survey& readout, const TubeSettings& settings,
                                      const std::optional<DepthZone>& zone = std::nullopt,
                                      const ProposalContext& context = {});

// The evidence of a proposal as one line: "stable zone 40.0 to 79.5 m; residual A 2.04 units
// (0.04 mm) as read, 0.31 (0.01 mm) corrected; B ...; checksum moved A +8.00, B 0.00 units";
// "" without a zone or a depth shift. In the program's language, as both are only shown.
std::string proposalEvidence(const CorrectionProposal& proposal, const TubeSettings& settings);
// What one proposal does: "top 12.73 mm at 45.0° -> 9.93 mm at 44.1°; at 21.0 m 15.2 mm at 93.0°
// -> ..."; `after` with it applied.
std::string effectText(const ProposalEffect& before, const ProposalEffect& after, const CorrectionProposal& proposal,
                       const TubeSettings& settings);

} // namespace tarvelon::surveys
