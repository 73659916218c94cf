#pragma once
#include "surveys/survey.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// A tube's readouts in millimetres against its base readout.
//
// At each depth d, with the readout's step L (m) and the probe constant K (reading units for
// sin = 1): change = reading - base reading for A (reading 1) and B (reading 2), or, with the
// tube's second pass, for (reading 1 - reading 3) / 2 and (reading 2 - reading 4) / 2;
// incremental = 1000 L change / K mm; cumulative at d = the incremental values at d and every
// deeper depth, the toe taken as fixed. Resultant = sqrt(A^2 + B^2) of the cumulatives, its
// azimuth clockwise from north with the A0 groove at "north" degrees and B0 90 degrees
// clockwise from A0. A value that was not measured is never made up: a depth missing from
// either survey leaves its change and every cumulative from it up empty, and a readout taken
// at another step than the base is not compared at all; `reason` says why, once.
//
// What the command line needs, with no window (library tarvelon_surveys, free of Qt):
//   SurveyStore::tubeSettings / setTubeSettings / tubeSurveys / findReadout   (surveys/store.h)
//   analyseTube(base, readouts, settings) -> TubeResult                        (here)
//   displacementCsv(result, units) -> the CSV text                             (here)
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
};

struct ChecksumSpread {
    std::optional<double> mean, spread; // spread: standard deviation over the depths
};

struct Displacement {
    bool compared = false;             // false: not compared at all, and `reason` says why
    std::string reason;                // why values are missing; empty when every one is computed
    std::vector<DisplacementRow> rows; // shallowest first: every depth of either survey and between
    std::array<ChecksumSpread, 2> checksums{};
};

// The tube's north: its setting, else the base header's "+045", else 0.
double northDegrees(const Survey& base, const TubeSettings& settings);
Displacement displacement(const Survey& base, const Survey& readout, const TubeSettings& settings);

enum class Level { None, Alert, Alarm };

struct ReadoutResult {
    const Survey* survey = nullptr;
    Displacement displacement;
    std::optional<double> days;          // the survey's own date, surveyDays()
    std::optional<double> largestMm;     // the largest resultant at any depth
    std::optional<double> rateMmPerDay;  // the fastest change of a resultant since the readout before
    Level level = Level::None;           // a threshold reached by either
};

struct TubeResult {
    TubeSettings settings;
    const Survey* base = nullptr;
    std::string reason;                  // why nothing is compared (no base chosen or found)
    std::vector<ReadoutResult> readouts; // oldest first, the base left out
};

// `readouts` oldest first (SurveyStore::tubeSurveys' order); the base may be among them.
TubeResult analyseTube(const Survey* base, const std::vector<const Survey*>& readouts, const TubeSettings& settings);
// The whole tube: every survey of it (SurveyStore::tubeSurveys), the base found by the settings'
// baseId. The result points into `surveys`, which must outlive it.
TubeResult analyseTube(const std::vector<Survey>& surveys, const TubeSettings& settings);

// Displacement at one depth against time: the base (zero) and each compared readout.
struct TimePoint {
    double days = 0;
    std::string date;
    std::optional<double> a, b, resultant; // mm
    std::optional<double> rateMmPerDay;    // of the resultant, since the point before
};
std::vector<TimePoint> history(const TubeResult& tube, int depthTenths);
// The top of the tube and the depth of largest resultant in the latest readout.
std::vector<int> defaultHistoryDepths(const TubeResult& tube);

// Millimetres into the tube's units, and their name.
double inUnits(double mm, Units units);
std::string unitName(Units units); // "mm" or "in"

// One row per compared readout and depth: readout,date,time,depth_m,a_change,b_change,
// a_incremental_mm,b_incremental_mm,a_cumulative_mm,b_cumulative_mm,resultant_mm,azimuth_deg
// ("_in" for a tube in inches); values to 0.01, empty where not computed.
std::string displacementCsv(const TubeResult& tube);

// One row as the CSV, the report and the window show it: depth, A and B change, incremental,
// cumulative, resultant (in the tube's units), azimuth, then with the second pass the checksums.
std::vector<std::string> displacementCells(const DisplacementRow& row, const TubeSettings& settings);

// A survey's readings as CSV: depth_m,reading1,...
std::string surveyCsv(const Survey& survey);
// Depth in metres as the tables show it: "12.5".
std::string depthMetres(int tenths);
// The header's readout number with two digits: "2" gives "02".
std::string readoutNumber(const std::string& readout);
// A value to 0.01, "." as decimal point whatever the locale; "" for none.
std::string hundredths(const std::optional<double>& v);

} // namespace tarvelon::surveys
