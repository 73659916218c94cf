#pragma once
#include "analysis/survey.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// The probe's systematic errors, corrected per readout before its readings are compared with the
// base's, and what the engineer surveys with a readout that the reduction needs.
//
// With A and B the readout's values at a depth (reading 1 and 2, or (reading 1 - reading 3) / 2
// and (reading 2 - reading 4) / 2 with the second pass), in this order:
//   depth shift (both axes): the readout's depths were taken this far too shallow (metres, any
//               size): its value for the base's depth d is read at d - shift, linearly between
//               its two readings either side;
//   rotation    (A or B): a probe whose sensors sit turned reads a share of the casing's
//               inclination across: A' = A - sin(angle_A) B and B' = B - sin(angle_B) A, on the
//               readings themselves (a positive angle_A: A read too much where B reads positive);
//   bias shift  (A or B): a constant offset of that axis; change = A' - base's A - bias;
//   top displacement (A or B): with the tube's fixed end at the top, the top's movement (mm)
//               surveyed with the readout, from which the cumulative is summed downwards.
// Proposals (proposal.h) come from the readout and the tube's other readouts and never apply
// themselves: the engineer accepts them.
namespace tarvelon::surveys {

enum class CorrectionKind { Bias, Rotation, DepthShift, TopDisplacement };

// The reading noise a flat stretch of the tube stays within, reading units.
inline constexpr double kNoiseUnits = 3.0;
inline constexpr int kMinStableRows = 5;
inline constexpr int kMaxDepthShiftSteps = 2;
// A probe turned further than this is faulty: it is repaired, not corrected.
inline constexpr double kMaxRotationDegrees = 2.0;

struct Correction {
    CorrectionKind kind = CorrectionKind::Bias;
    int axis = 0;            // 0 A, 1 B; a depth shift is 0 and moves both
    double value = 0;        // bias: reading units; rotation: degrees; depth shift: metres; top: mm
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
// depth shift +0.5 m (proposed over 40.0 to 79.5 m, accepted 2026-12-07)"; "" for none. Said
// in the program's language (a report's, while one is written): no file keeps it.
std::string correctionsText(const std::vector<Correction>& corrections);

// One correction as the tables show it: "bias A", "rotation B", "depth shift"; "+2.00 units",
// "+2.00°", "+0.50 m"; in the program's language, as correctionsText().
std::string correctionName(const Correction& correction);
std::string correctionValue(const Correction& correction);

// "bias", "rotation", "depth shift", "top displacement" and "A", "B" as the texts and the library
// name them.
std::string kindName(CorrectionKind kind);
std::optional<CorrectionKind> kindNamed(const std::string& name);

// What the corrections that are on do, gathered once per readout.
struct AppliedCorrections {
    std::array<double, 2> bias{}, sinRotation{};
    double depthShiftM = 0;
    std::array<std::optional<double>, 2> topMm{};
    bool any = false; // a bias, rotation or depth shift is on
};
AppliedCorrections appliedCorrections(const std::vector<Correction>& corrections);
// A readout's A and B at one depth with the rotation taken out, in place; an axis whose rotation
// is on needs the other axis's reading, and without it has none.
void unrotate(const AppliedCorrections& applied, std::optional<double>& a, std::optional<double>& b);
// The depth shift that is on, in metres; 0 when none.
double depthShiftMetres(const std::vector<Correction>& corrections);
// Why an engineer kept a correction the program refused, as its `how` records it: "" when none.
std::string insistedText(const Correction& correction);
// `how` with the refusal and the engineer's reason for keeping it anyway.
std::string insistedHow(const std::string& how, const std::string& refusal, const std::string& why);

} // namespace tarvelon::surveys
