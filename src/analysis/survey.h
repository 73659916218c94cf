#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

// One download of a block as the survey library keeps it. Texts are UTF-8.
namespace tarvelon::surveys {

inline constexpr int kChannels = 8;
// The deepest depth a header can give (four digits: 999.9 m), in tenths; a row at a depth
// below 0 or beyond it was never read from a unit.
inline constexpr int kDeepestTenths = 9999;

// Depths are whole tenths of a metre, as the unit steps by 0.5 m or 1 m.
struct SurveyRow {
    int depthTenths = 0;
    std::array<std::optional<std::int64_t>, kChannels> readings{};
    bool operator==(const SurveyRow&) const = default;
};

// How a survey reached the library; surveys kept before this was recorded say Unknown.
enum class Origin { Unknown, Download, Import };

struct Survey {
    std::int64_t id = 0;
    std::string client, site, tube;
    std::optional<double> depth; // metres, as the header gives it
    double step = 1.0;           // metres between rows
    std::string guides, north, readout;
    std::string date, time;      // as read from the unit: "DD/MM/YY", "hh:mm:ss"
    std::string downloadedAt;    // ISO 8601, UTC: when it was downloaded or imported
    Origin origin = Origin::Unknown;
    std::string headerFile, readingsFile;
    std::vector<SurveyRow> rows; // shallowest first
    // Depths the header promises whose rows were not read; empty for a whole survey.
    std::vector<int> missingTenths;
    // The probe that read it: taken from the tube's settings when downloaded or imported,
    // changeable per readout; no constant: the tube's applies.
    std::string probeSerial;
    std::optional<double> probeConstant;

    bool complete() const { return missingTenths.empty(); }
};

// What the tree of the library needs of a survey.
struct SurveySummary {
    std::int64_t id = 0;
    std::string client, site, tube, readout, date, time, downloadedAt;
    Origin origin = Origin::Unknown;
    bool complete = true;
};

// A tube of the library, named as its headers name it.
struct TubeKey {
    std::string client, site, tube;
    bool operator==(const TubeKey&) const = default;
    bool operator<(const TubeKey& o) const
    {
        return std::tie(client, site, tube) < std::tie(o.client, o.site, o.tube);
    }
};

enum class Units { Millimetres, Inches };

// What the tube's report says of it beyond its headers; set per tube, printed as typed.
struct TubeReportFields {
    std::string project, projectNo, location, probeSerial, remarks;
    std::optional<double> topElevation; // casing top, metres
    std::string language{};             // the reports' language, "en" or "it"; the program's when empty
    bool operator==(const TubeReportFields&) const = default;
};

// What a reading's depth marks on the probe: its upper wheel (the interval read at depth d runs
// from d down to d + gauge), its lower wheel (d - gauge to d) or the middle of the two.
enum class DepthReference { UpperWheel, LowerWheel, Centre };

// Which end of the tube is taken as not moving: the toe (the deepest depth that the base and the
// readout share, when the readout lacks the base's bottom rows), that shared depth always, or the
// top, whose displacement is surveyed with each readout and summed downwards.
enum class FixedEnd { Toe, Common, Top };

// The time a rate is given per.
enum class RateUnit { Day, Month, Year };

// What an engineer sets once per tube; kept in the library beside its surveys.
struct TubeSettings {
    double constant = 0;           // probe constant K: reading units for sin = 1; 0 when not set
    std::int64_t baseId = 0;       // the base readout's survey; 0 when none is chosen
    Units units = Units::Millimetres;
    std::optional<double> north;   // degrees clockwise from north of the A0 groove; the base header's when unset
    std::optional<double> alertMm, alarmMm;             // cumulative resultant displacement
    std::optional<double> alertMmPerDay, alarmMmPerDay; // its rate between readouts
    bool secondPass = false;       // readings 3 and 4 hold the 180-degree pass of readings 1 and 2
    DepthReference depthReference = DepthReference::UpperWheel;
    double gaugeM = 0.5;           // the probe's wheel base, metres; the readings' step may differ
    // A readout's checksum mean may move this far (reading units) from the base's before it is
    // marked "possible bias shift"; none: never marked.
    std::optional<double> checksumTolerance = 10.0;
    FixedEnd fixedEnd = FixedEnd::Toe;
    // A readout closer than this to the readout before is measured for its rate against the
    // latest readout at least this long before it: hours apart, the noise is all a rate shows.
    double minIntervalDays = 1.0;
    // The random error of one reading interval, mm; a cumulative displacement is known to within
    // it times the square root of the intervals summed from the fixed end.
    double precisionMm = 0.16;
    RateUnit rateUnit = RateUnit::Day;
    // The base chosen before this one when the new base carries on from it: the new base's
    // cumulative against it is added to every later readout; 0 when each starts at zero.
    std::int64_t continuedFromId = 0;
    // Where the tube stands on the site's own grid, metres, and how often it should be read.
    std::optional<double> easting{}, northing{};
    std::optional<double> readingIntervalDays{};
    TubeReportFields report{};
    bool operator==(const TubeSettings&) const = default;
};

// A survey's own date and time ("DD/MM/YY", "hh:mm:ss") as days since 1970-01-01, years
// 70 to 99 taken as 19xx; nothing when the header holds no real date.
std::optional<double> surveyDays(const std::string& date, const std::string& time);

// The probe constant a survey was read with: its own, else the tube's; 0 when neither is set.
inline double probeConstantOf(const Survey& survey, const TubeSettings& settings)
{
    return survey.probeConstant && *survey.probeConstant > 0 ? *survey.probeConstant : settings.constant;
}

} // namespace tarvelon::surveys
