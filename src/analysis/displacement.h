#pragma once
#include "analysis/corrections.h"
#include "analysis/reason.h"
#include "analysis/survey.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

// A tube's readouts in millimetres against its base readout.
//
// At each depth d, with the probe's gauge length G (m, its wheel base) and constant K (reading
// units for sin = 1): the readout's A (reading 1) and B (reading 2), or with the tube's second
// pass (reading 1 - reading 3) / 2 and (reading 2 - reading 4) / 2, are taken at d (between its
// rows when a depth shift is on), their rotation taken out, and compared with the base's:
// change = A' - base's A - bias, likewise for B (corrections.h); incremental = 1000 G change / K
// mm, the sideways offset over the interval the probe spans. That interval runs from d to d + G
// when the depth marks the upper wheel, d - G to d for the lower wheel, d - G/2 to d + G/2 for
// the centre: each value is placed at its interval's top. Cumulative at a depth = the
// incremental values there and at every deeper depth down to the fixed end: the toe, or the
// deepest depth both the base and the readout hold when the readout lacks the base's bottom
// rows (said in `reason`); with the top fixed, the top's surveyed displacement less the
// incremental values above. Resultant = sqrt(A^2 + B^2) of the cumulatives, its azimuth
// clockwise from north with the A0 groove at "north" degrees and B0 90 degrees clockwise from
// A0. A value that was not measured is never made up: a depth missing from either survey above
// the fixed end leaves its change and every cumulative beyond it from the fixed end empty; rows
// deeper than the base's deepest have no partner and are left out; a readout taken at another
// step than the base is not compared at all; `reason` says why, once.
//
// The rate at a depth is |D(now) - D(before)| / days, D the vector of the A and B cumulatives
// and "before" the latest earlier readout, at or after the base and at least the tube's minimum
// interval before, whose cumulative at that depth was computed (the base itself, D = 0, to
// start with). A change within the precision band there (the tube's precision times the square
// root of the intervals summed from the fixed end) is noise: its rate is shown but raises no
// threshold and is not the readout's rate, the fastest over its depths beyond the band.
// Readouts older than the base are compared but are no reference and have no rate.
//
// What the command line needs, with no window (library tarvelon_analysis, free of Qt):
//   SurveyStore::tubeSettings / setTubeSettings / tubeSurveys / findReadout   (surveys/store.h)
//   SurveyStore::corrections / setCorrections                                  (surveys/store.h)
//   analyseTube(surveys, settings, corrections) -> TubeResult                  (here)
//   displacementCsv(result), summaryCsv(result) -> the CSV texts               (here)
//   proposeCorrections(...), correctionsText(...)                              (corrections.h)
//   writeTubeReport(...) and writeChartImages(...) draw it (report/tube_report.h, QtGui).
namespace tarvelon::surveys {

struct DisplacementRow {
    int depthTenths = 0;
    std::array<std::optional<double>, 2> change{};      // A, B in reading units
    std::array<std::optional<double>, 2> incremental{}; // mm
    std::array<std::optional<double>, 2> cumulative{};  // mm, summed from the toe up
    std::optional<double> resultant;                    // mm
    std::optional<double> azimuth;                      // degrees clockwise from north
    std::array<std::optional<std::int64_t>, 2> checksum{}; // second pass: reading 1 + 3, reading 2 + 4
    std::array<std::optional<double>, 2> checksumChange{};  // the checksum less the base's there
    double topM = 0; // where the values belong: the top of the interval the probe read at this depth
    std::optional<double> rateMmPerDay; // the speed of the movement here since the readout before (analyseTube)
    bool rateBeyondBand = false;        // the change behind the rate exceeds the precision band
    int intervals = 0;                  // intervals summed from the fixed end to here; 0 when none
    std::optional<double> bandMm;       // the precision band of the cumulative here
};

struct ChecksumSpread {
    std::optional<double> mean, spread; // spread: standard deviation over the depths
};

struct Displacement {
    bool compared = false;             // false: not compared at all, and `reason` says why
    Reason reason;                     // why values are missing; empty when every one is computed
    std::vector<DisplacementRow> rows; // shallowest first: every depth of either survey and between
    std::array<ChecksumSpread, 2> checksums{};     // second pass: the readout's checksums
    std::array<ChecksumSpread, 2> baseChecksums{}; // and the base's at the same depths
    std::optional<int> fixedTenths;    // the depth summed from: the fixed end, when anything is
    bool computed() const;             // a resultant at some depth
};

// The tube's north: its setting, else the base header's "+045", else 0.
double northDegrees(const Survey& base, const TubeSettings& settings);
Displacement displacement(const Survey& base, const Survey& readout, const TubeSettings& settings,
                          const std::vector<Correction>& corrections = {});
// A (axis 0) or B (axis 1) of a row, the second pass folded in when `secondPass`.
std::optional<double> axisValue(const SurveyRow& row, size_t axis, bool secondPass);
// Whether the survey carries readings 3 and 4 at every depth it holds (a download does; export
// files carry readings 1 and 2 only).
bool hasSecondPass(const Survey& survey);
// How far above the reading's depth its interval's top lies, metres: 0, G or G/2.
double topOffsetM(const TubeSettings& settings);

enum class Level { None, Alert, Alarm };
enum class Criterion { Displacement, Rate };

// A threshold a readout reached: by what, how far against which limit, and where.
struct LevelCause {
    Level level = Level::None;
    Criterion criterion = Criterion::Displacement;
    double value = 0, threshold = 0;    // mm, or mm per day for a rate
    std::optional<int> depthTenths;
};

struct ReadoutResult {
    const Survey* survey = nullptr;
    Displacement displacement;
    std::optional<double> days;          // the survey's own date, surveyDays()
    std::optional<double> largestMm;     // the largest resultant at any depth
    std::optional<int> largestDepthTenths;
    std::optional<double> largestAzimuth;
    std::optional<double> rateMmPerDay;  // the speed of the movement, the fastest over the depths
    std::optional<int> rateDepthTenths;
    std::vector<Correction> corrections; // stored with the readout, on or off; those on are applied
    std::array<std::optional<double>, 2> checksumShift{}; // second pass: mean less the base's, units
    bool possibleBiasShift = false;      // a checksum mean moved by more than the tube's tolerance
    bool beforeBase = false;             // taken before the base: no reference, no rate, not drawn in time
    Level level = Level::None;           // a threshold reached by either
    std::vector<LevelCause> causes;      // what set `level`: the displacement first, then the rate
    std::optional<double> rateFromDays;  // when the readout its rate is measured against was taken
    // The readout was read with another probe than its base: "probe S2 (K 20000), the base's S1
    // (K 25000)"; "" when the same.
    Reason probeChange;
    // Compared with the previous base (it was taken before the new base, or is the new base),
    // or carried on from it: the new base's cumulative added (TubeSettings::continuedFromId).
    bool againstPrevious = false, carried = false;
    // Why nothing could be computed, "" when something was: the status "not computed: REASON".
    Reason notComputed() const;
};

struct TubeResult {
    TubeSettings settings;
    const Survey* base = nullptr;
    // The base the tube carries on from, when the settings say so and it is still there: every
    // displacement and rate runs from it, the new base's cumulative against it carried on.
    const Survey* previousBase = nullptr;
    // The survey every displacement starts from: the previous base when carried on, else the base.
    const Survey* origin() const { return previousBase ? previousBase : base; }
    Reason reason;                       // why nothing is compared (no base chosen or found)
    std::string warning;                 // settingsWarning(): said once for the tube
    std::vector<ReadoutResult> readouts; // oldest first, the base left out
};

// Each readout's corrections by survey id (SurveyStore::corrections).
using CorrectionsById = std::map<std::int64_t, std::vector<Correction>>;

// `readouts` oldest first (SurveyStore::tubeSurveys' order); the base may be among them.
TubeResult analyseTube(const Survey* base, const std::vector<const Survey*>& readouts, const TubeSettings& settings,
                       const CorrectionsById& corrections = {});
// The whole tube: every survey of it (SurveyStore::tubeSurveys), the base found by the settings'
// baseId. The result points into `surveys`, which must outlive it.
TubeResult analyseTube(const std::vector<Survey>& surveys, const TubeSettings& settings,
                       const CorrectionsById& corrections = {});
// A temporary list would leave the result pointing at nothing.
TubeResult analyseTube(std::vector<Survey>&& surveys, const TubeSettings& settings,
                       const CorrectionsById& corrections = {}) = delete;

// Displacement at one depth against time: the base (zero) and each compared readout taken at or
// after it; the rate is the readout's own at that depth, as ReadoutResult measures it.
struct TimePoint {
    double days = 0;
    std::string date;
    std::optional<double> a, b, resultant; // mm
    std::optional<double> rateMmPerDay;    // of the movement, since the readout before at this depth
};
std::vector<TimePoint> history(const TubeResult& tube, int depthTenths);
// The top of the tube and the depth of largest resultant in the latest readout.
std::vector<int> defaultHistoryDepths(const TubeResult& tube);

// A rate per day in the tube's units and rate unit, and their names: "mm/day", "in/year".
double rateInUnits(double mmPerDay, const TubeSettings& settings);
double rateMmPerDay(double valueInUnits, const TubeSettings& settings); // the reverse
std::string rateUnitName(const TubeSettings& settings);
// A rate as every table prints it: three significant figures; "" for none.
std::string rateText(const std::optional<double>& mmPerDay, const TubeSettings& settings);
// "toe", "common", "top"; "day", "month", "year", as the command line and the library name them.
std::string fixedEndName(FixedEnd end);
std::optional<FixedEnd> fixedEndNamed(const std::string& name);
std::string rateUnitWord(RateUnit unit);
std::optional<RateUnit> rateUnitNamed(const std::string& name);
// What the tube's thresholds and precision band are, as the report's title block says it.
std::string thresholdsText(const TubeSettings& settings);
// The thresholds a readout reaches at its highest level, displacement before rate.
std::vector<LevelCause> levelCauses(const ReadoutResult& readout, const TubeSettings& settings);
// "ALARM", "ALERT" or "".
std::string levelWord(Level level);
// "displacement" or "rate", as the command line and the alarm log name them.
std::string criterionName(Criterion criterion);
// The same in the program's language, for a person to read.
std::string shownCriterionName(Criterion criterion);
// One reached threshold in the tube's units: "rate 0.620 mm/day ≥ 0.500",
// "displacement 12.30 mm ≥ 10.00".
std::string causeText(const LevelCause& cause, const TubeSettings& settings);
// The status a summary gives a readout: "", "ALERT (displacement 6.20 mm ≥ 5.00)",
// "ALARM (rate 0.620 mm/day ≥ 0.500)", both criteria when both fired, or "not computed: REASON".
std::string statusText(const ReadoutResult& readout, const TubeSettings& settings);
// The level, a cause and a status as the window shows them, in the program's language; the CSV
// files and the library keep the English words above.
std::string shownLevelWord(Level level);
std::string shownCauseText(const LevelCause& cause, const TubeSettings& settings);
std::string shownStatusText(const ReadoutResult& readout, const TubeSettings& settings);

// Millimetres into the tube's units, and their name.
double inUnits(double mm, Units units);
std::string unitName(Units units); // "mm" or "in"
// A length in the tube's units as every table prints it: 0.01 mm or 0.001 in; "" for none.
std::string lengthText(const std::optional<double>& mm, Units units);
// "upper", "lower", "centre" as the command line and the library name them.
std::string depthReferenceName(DepthReference reference);
std::optional<DepthReference> depthReferenceNamed(const std::string& name);
// What differs between the tube's settings and its readouts that the engineer should know (a
// gauge length other than the step); "" when nothing.
std::string settingsWarning(const TubeSettings& settings, const Survey& base);

// One row per compared readout and depth: readout,date,time,depth_m,a_change,b_change,
// a_incremental_mm,b_incremental_mm,a_cumulative_mm,b_cumulative_mm,resultant_mm,azimuth_deg
// ("_in" for a tube in inches); values to 0.01, empty where not computed.
std::string displacementCsv(const TubeResult& tube);

// What a reader needs of one readout beside its table, as one line: the largest resultant and
// the rate with their depths, a possible bias shift with the checksums' move from the base's
// (reading units and mm), the corrections applied, then why values are missing; "" for none.
std::string readoutNotes(const ReadoutResult& readout, const TubeSettings& settings);

// A move of a checksum (reading units) as the millimetres it stands for: half of it is each
// pass's offset, which a reading taken alone would add to every interval; nothing without K.
std::optional<double> checksumMm(const std::optional<double>& units, const TubeSettings& settings);
// How the readout's checksum means moved from the base's: "checksum mean moved A +12.00 units
// (0.24 mm), B -1.00 units (0.02 mm) from the base's", and for a readout marked "possible bias
// shift", ", beyond the tube's tolerance of 10.00 units"; "" without the second pass.
std::string checksumShiftText(const ReadoutResult& readout, const TubeSettings& settings);

// One line per readout, base left out: readout,date,time,days_since_base,largest_mm,
// largest_depth_m,rate_mm_per_day,rate_depth_m,status,probe ("_in", "in_per_year" for a tube in
// inches and rates per year; status statusText(), which names the criterion that fired; probe the
// readout's probeText() when it differs from the base's). Days count from the tube's origin().
std::string summaryCsv(const TubeResult& tube);

// One row as the CSV, the report and the window show it: depth, A and B change, incremental,
// cumulative, resultant (in the tube's units), azimuth, then with the second pass the checksums
// and their moves from the base's, in reading units and, when `checksumLengths`, in the tube's units.
std::vector<std::string> displacementCells(const DisplacementRow& row, const TubeSettings& settings,
                                           bool checksumLengths = false);

// How the probe of `readout` differs from the base's, as ReadoutResult::probeChange says it.
Reason probeChangeText(const Survey& base, const Survey& readout, const TubeSettings& settings);
// "S2, K 20000": a survey's probe as the tables name it; "" when neither is known.
std::string probeText(const Survey& survey, const TubeSettings& settings);
// What the report's title block says of a base carried on: "carries on from base 02 of
// 01/02/25: base 05 of 01/06/25's cumulative against it is added to every later readout"; "" when not.
std::string carriedBaseText(const TubeResult& tube);

// A survey's readings as CSV: depth_m,reading1,...
std::string surveyCsv(const Survey& survey);
// Depth in metres as the tables show it: "12.5".
std::string depthMetres(int tenths);
// A depth that may lie between tenths (a centre reference): "12.5", "12.25".
std::string depthText(double metres);
// The header's readout number with two digits: "2" gives "02".
std::string readoutNumber(const std::string& readout);
// A value to 0.01, "." as decimal point whatever the locale; "" for none.
std::string hundredths(const std::optional<double>& v);

} // namespace tarvelon::surveys
