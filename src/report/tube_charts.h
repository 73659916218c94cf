#pragma once
#include "report/chart.h"
#include "analysis/displacement.h"
#include "analysis/site.h"

#include <optional>
#include <vector>

// The charts of a tube as an engineer reads them: A and B cumulative and incremental
// displacement against depth, one line per readout named by its date, and displacement
// against time at chosen depths with its rate; thresholds drawn as lines.
namespace tarvelon::report {

// A readout as charts and tables name it: "12/03/2024 No. 03".
QString readoutName(const surveys::Survey& s);
// The unit's date "12/03/24" with four-digit year: "12/03/2024".
QString fullDate(const std::string& date);

// Cumulative A, cumulative B, incremental A, incremental B, then against time at `depths`
// (defaultHistoryDepths when empty) with the projection when there is one, the plan at
// `planDepths` (those depths when empty), with the second pass the checksums against depth, and
// last the rate against time at `depths`. Thresholds only on the charts of their own quantity:
// the resultant's on the time chart, the rate's on the rate chart.
std::vector<ChartSpec> tubeCharts(const surveys::TubeResult& tube, std::vector<int> depths = {},
                                  std::vector<int> planDepths = {});

// Where tubeCharts() puts a chart; the rate chart and the checksums are found by name.
inline constexpr size_t kTimeChart = 4, kPlanChart = 5;
// The chart of `charts` with this file name ("rate", "checksums"); none when not drawn.
const ChartSpec* chartNamed(const std::vector<ChartSpec>& charts, const QString& fileName);

// The rate at each of `depths` per readout against time, with the rate thresholds.
ChartSpec rateChart(const surveys::TubeResult& tube, std::vector<int> depths = {});
// The projection's line from its first fitted readout on toward the alarm.
ChartSeries projectionSeries(const surveys::Projection& fit, const surveys::TubeSettings& settings);

// The base's depth, in tenths as its rows hold it, that the tube's tables print as `metres`;
// nothing, with why in `error`, when the tube was not read there.
std::optional<int> depthTenthsAt(const surveys::TubeResult& tube, double metres, QString* error);

// The resultant in plan at `depths`: B across, A up, each depth's path from the base through
// the readouts, north marked.
ChartSpec planChart(const surveys::TubeResult& tube, const std::vector<int>& depths);

// Readings 1 + 3 and 2 + 4 against depth, of the base and of the latest readout compared.
ChartSpec checksumChart(const surveys::TubeResult& tube);

// Readings 1 and 2 of readouts with no base to compare them with.
ChartSpec readingsChart(const std::vector<const surveys::Survey*>& readouts);

} // namespace tarvelon::report
