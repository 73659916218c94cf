#pragma once
#include "analysis/survey.h"
#include "library/sql.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// How the library's files and servers hold a survey's columns and rows: shared by the files
// that write surveys and those that read them.
namespace tarvelon::surveys::stored {

inline constexpr std::string_view kSurveyColumns = "s.id, s.client, s.site, s.tube, s.depth, s.step, s.guides, "
                                                   "s.north, s.readout, s.date, s.time, s.downloaded_at, "
                                                   "s.header_file, s.readings_file, s.origin, s.missing_depths, "
                                                   "s.probe_serial, s.probe_constant";
inline constexpr int kSurveyColumnCount = 18;

// A depth as the readings table keeps it: metres.
double metres(int tenths);
// "download", "import" or "" as the origin column holds it, and back.
std::string originText(Origin o);
Origin originOf(const std::string& text);
// The survey's own time first; one without a real date after those with one, by when it was kept.
bool earlier(const std::string& dateA, const std::string& timeA, const std::string& keptA, std::int64_t idA,
             const std::string& dateB, const std::string& timeB, const std::string& keptB, std::int64_t idB);
// A survey's place in time as earlier() orders it, its date and time read once.
struct TimeOrder {
    std::optional<double> days;
    std::string kept;
    std::int64_t id = 0;
    bool operator<(const TimeOrder& other) const;
};
TimeOrder timeOrder(const std::string& date, const std::string& time, const std::string& kept, std::int64_t id);

// A survey's columns as kSurveyColumns lists them, rows aside.
Survey surveyOfRow(const sql::Statement& q);
// A row of the readings table whose depth column is `first`; none when no unit could have
// given it (a damaged or foreign row is left out).
std::optional<SurveyRow> heldRow(const sql::Statement& q, int first);

} // namespace tarvelon::surveys::stored
