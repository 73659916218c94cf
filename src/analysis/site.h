#pragma once
#include "analysis/displacement.h"

#include <optional>
#include <string>
#include <vector>

// A site at a glance: one row per tube with its latest readout's state, and when its
// displacement, going on as it has, would reach the alarm threshold. Plain C++, the day injected.
namespace tarvelon::surveys {

// How many of the latest readouts (the base among them) the projection's line is fitted to.
inline constexpr int kProjectionReadouts = 5;

// A straight line fitted by least squares to the resultant at one depth against time, and the
// day it reaches the alarm threshold.
struct Projection {
    int depthTenths = 0;
    int points = 0;                // readouts the line is fitted to
    double slopeMmPerDay = 0;      // the line's rise
    double interceptMm = 0;        // its value at day 0 (1970-01-01)
    double fromDays = 0, toDays = 0; // the first and last readouts fitted
    std::optional<double> alarmDays; // when the line reaches the alarm; none without one, or once reached
    bool reached = false;          // the latest readout fitted is at or past the alarm already
};

// The line through `points` (days, mm): none with fewer than three points or all on one day.
std::optional<Projection> fitLine(const std::vector<std::pair<double, double>>& points);
// The tube's projection at the depth of its latest readout's rate (of its largest rate at any
// depth when every change is within the precision band): none when it has no rate at all, fewer
// than three readouts hold a resultant there, or the line does not rise.
std::optional<Projection> projectAlarm(const TubeResult& tube);
// "0.120 mm/day over 5 readouts at 12.5 m (12/03/24 to 30/04/24); reaches 10.00 mm on 2024-06-01",
// in the tube's units and rate unit.
std::string projectionText(const Projection& projection, const TubeSettings& settings);
// The same in the program's language, as the window shows it.
std::string shownProjectionText(const Projection& projection, const TubeSettings& settings);

// Days since 1970-01-01 as "YYYY-MM-DD", and back; nothing for a text that is no such date.
std::string isoDate(double days);
std::optional<double> isoDays(const std::string& date);

// One tube of a site as the site table shows it.
struct SiteRow {
    TubeKey key;
    TubeSettings settings;
    const ReadoutResult* latest = nullptr; // the latest readout compared with the base; none: nothing to show
    Reason reason;                         // why there is none ("no base readout chosen")
    std::optional<double> daysSince;       // from the latest readout's own date to today
    std::optional<bool> overdue;           // none without a reading interval
    Level level = Level::None;
    std::vector<LevelCause> causes;
    std::optional<Projection> projection;
};

// The rows of the tubes given, `today` in days since 1970-01-01: the most alarming first, the
// fastest first within a level, then by name; tubes with nothing compared last.
std::vector<SiteRow> siteRows(const std::vector<std::pair<TubeKey, const TubeResult*>>& tubes, double today);

// "displacement", "rate", "displacement and rate" or "" for the criteria that set a level.
std::string criteriaText(const std::vector<LevelCause>& causes);
// The same in the program's language.
std::string shownCriteriaText(const std::vector<LevelCause>& causes);

// A row as the window and the report print it, in the tube's units: largest with its unit, rate
// with its unit, status as statusText() says it ("ALARM (rate 0.620 mm/day ≥ 0.500)").
struct SiteCells {
    std::string tube, readout, date, daysSince, overdue, largest, depth, azimuth, rate, status, projected;
};
SiteCells siteCells(const SiteRow& row);
// The same in the program's language, as the window shows it: the status and projection words,
// "overdue" and "reached".
SiteCells shownSiteCells(const SiteRow& row);

// client,site,tube,latest_readout,latest_date,days_since_latest,overdue,largest_mm,largest_depth_m,
// azimuth_deg,rate,rate_unit,status,criterion,projected_alarm_date ("largest_in" when every tube
// is in inches); the date ISO, overdue "yes", "no" or "" without an interval.
std::string siteCsv(const std::vector<SiteRow>& rows);

} // namespace tarvelon::surveys
