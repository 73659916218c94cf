// Reading surveys back: the list of every survey, a tube's surveys with their rows, one
// survey, and one depth's readings through time.
#include "library/store.h"
#include "library/store_rows.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>
#include <tuple>

namespace tarvelon::surveys {
namespace stored {
namespace {

int tenthsOf(double metres)
{
    // A value no unit could give (a damaged or foreign row) becomes a depth that is not held.
    if (!(metres >= -1 && metres <= kDeepestTenths / 10.0 + 1))
        return -1;
    return static_cast<int>(std::lround(metres * 10));
}

// Rows and missing depths beyond what a unit can hold are refused as they are read.
bool held(int tenths)
{
    return tenths >= 0 && tenths <= kDeepestTenths;
}

// The unit's readings are signed 16-bit values; a row with any other is not the unit's.
constexpr std::int64_t kReadingLimit = 32767;

std::vector<int> depthsOf(const std::string& list)
{
    std::vector<int> out;
    std::istringstream in(list);
    for (double m; in >> m;)
        if (held(tenthsOf(m)))
            out.push_back(tenthsOf(m));
    return out;
}

} // namespace

double metres(int tenths)
{
    return tenths / 10.0;
}

std::string originText(Origin o)
{
    return o == Origin::Download ? "download" : o == Origin::Import ? "import" : "";
}

Origin originOf(const std::string& text)
{
    return text == "download" ? Origin::Download : text == "import" ? Origin::Import : Origin::Unknown;
}

bool earlier(const std::string& dateA, const std::string& timeA, const std::string& keptA, std::int64_t idA,
             const std::string& dateB, const std::string& timeB, const std::string& keptB, std::int64_t idB)
{
    const auto a = surveyDays(dateA, timeA), b = surveyDays(dateB, timeB);
    if (a.has_value() != b.has_value())
        return a.has_value();
    if (a && *a != *b)
        return *a < *b;
    return std::tie(keptA, idA) < std::tie(keptB, idB);
}

bool TimeOrder::operator<(const TimeOrder& other) const
{
    if (days.has_value() != other.days.has_value())
        return days.has_value();
    if (days && *days != *other.days)
        return *days < *other.days;
    return std::tie(kept, id) < std::tie(other.kept, other.id);
}

TimeOrder timeOrder(const std::string& date, const std::string& time, const std::string& kept, std::int64_t id)
{
    return {surveyDays(date, time), kept, id};
}

Survey surveyOfRow(const sql::Statement& q)
{
    Survey s;
    s.id = q.integer(0);
    s.client = q.text(1);
    s.site = q.text(2);
    s.tube = q.text(3);
    s.depth = q.optionalReal(4);
    s.step = q.real(5);
    s.guides = q.text(6);
    s.north = q.text(7);
    s.readout = q.text(8);
    s.date = q.text(9);
    s.time = q.text(10);
    s.downloadedAt = q.text(11);
    s.headerFile = q.text(12);
    s.readingsFile = q.text(13);
    s.origin = originOf(q.text(14));
    s.missingTenths = depthsOf(q.text(15));
    s.probeSerial = q.text(16);
    s.probeConstant = q.optionalReal(17);
    return s;
}

std::optional<SurveyRow> heldRow(const sql::Statement& q, int first)
{
    // Each column asked once: a file's library answers every question under its lock.
    SurveyRow r;
    r.depthTenths = tenthsOf(q.real(first));
    if (!held(r.depthTenths))
        return std::nullopt;
    for (int j = 0; j < kChannels; ++j) {
        if (q.isNull(first + 1 + j))
            continue;
        const std::int64_t v = q.integer(first + 1 + j);
        if (v > kReadingLimit || v < -kReadingLimit)
            return std::nullopt;
        r.readings[size_t(j)] = v;
    }
    return r;
}

} // namespace stored

using namespace stored;

std::vector<SurveySummary> SurveyStore::list()
{
    std::vector<SurveySummary> out;
    sql::Statement q(db_, "SELECT id, client, site, tube, readout, date, time, downloaded_at, origin, "
                          "CASE WHEN missing_depths = '' THEN 1 ELSE 0 END FROM surveys ORDER BY client, site, tube");
    while (q.step())
        out.push_back({q.integer(0), q.text(1), q.text(2), q.text(3), q.text(4), q.text(5), q.text(6), q.text(7),
                       originOf(q.text(8)), q.integer(9) != 0});
    // Each tube's readouts by their own date and time; the day number is worked out once each.
    std::vector<std::optional<double>> days;
    for (const SurveySummary& s : out)
        days.push_back(surveyDays(s.date, s.time));
    std::vector<size_t> order(out.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const SurveySummary &x = out[a], &y = out[b];
        if (std::tie(x.client, x.site, x.tube) != std::tie(y.client, y.site, y.tube))
            return std::tie(x.client, x.site, x.tube) < std::tie(y.client, y.site, y.tube);
        if (days[a].has_value() != days[b].has_value())
            return days[a].has_value();
        if (days[a] && *days[a] != *days[b])
            return *days[a] < *days[b];
        return std::tie(x.downloadedAt, x.id) < std::tie(y.downloadedAt, y.id);
    });
    std::vector<SurveySummary> sorted;
    sorted.reserve(out.size());
    for (size_t i : order)
        sorted.push_back(std::move(out[i]));
    return sorted;
}

namespace {

void inTimeOrder(std::vector<Survey>& surveys)
{
    std::vector<std::pair<TimeOrder, size_t>> order;
    order.reserve(surveys.size());
    for (size_t i = 0; i < surveys.size(); ++i)
        order.push_back({timeOrder(surveys[i].date, surveys[i].time, surveys[i].downloadedAt, surveys[i].id), i});
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Survey> sorted;
    sorted.reserve(surveys.size());
    for (const auto& [at, i] : order)
        sorted.push_back(std::move(surveys[i]));
    surveys = std::move(sorted);
}

} // namespace

std::vector<Survey> SurveyStore::tubeSurveys(const TubeKey& tube)
{
    // One statement, so a survey another program adds or deletes meanwhile is whole or absent.
    sql::Statement q(db_, "SELECT " + std::string(kSurveyColumns) +
                              ", r.* FROM surveys s LEFT JOIN readings r ON r.survey_id = s.id "
                              "WHERE s.client = ? AND s.site = ? AND s.tube = ? ORDER BY s.id, r.depth");
    q.bind(1, tube.client).bind(2, tube.site).bind(3, tube.tube);
    std::vector<Survey> out;
    while (q.step()) {
        if (out.empty() || out.back().id != q.integer(0))
            out.push_back(surveyOfRow(q));
        if (q.isNull(kSurveyColumnCount))
            continue;
        if (std::optional<SurveyRow> row = heldRow(q, kSurveyColumnCount + 1))
            out.back().rows.push_back(*row);
    }
    inTimeOrder(out);
    return out;
}

std::vector<Survey> SurveyStore::latestTubeSurveys(const TubeKey& tube, std::int64_t baseId, size_t count)
{
    std::vector<TimeOrder> keys;
    sql::Statement list(db_, "SELECT date, time, downloaded_at, id FROM surveys WHERE client = ? AND site = ? AND tube = ?");
    list.bind(1, tube.client).bind(2, tube.site).bind(3, tube.tube);
    while (list.step())
        keys.push_back(timeOrder(list.text(0), list.text(1), list.text(2), list.integer(3)));
    std::sort(keys.begin(), keys.end());
    std::set<std::int64_t> ids{baseId};
    for (size_t i = keys.size() > count ? keys.size() - count : 0; i < keys.size(); ++i)
        ids.insert(keys[i].id);
    return surveysWithIds(ids);
}

bool SurveyStore::readRows(std::int64_t id, std::vector<SurveyRow>& rows)
{
    sql::Statement q(db_, "SELECT * FROM readings WHERE survey_id = ? ORDER BY depth");
    q.bind(1, id);
    while (q.step())
        if (std::optional<SurveyRow> row = heldRow(q, 1))
            rows.push_back(*row);
    return q.done();
}

std::map<TubeKey, std::vector<Survey>> SurveyStore::latestSiteSurveys(const std::string& client,
                                                                    const std::optional<std::string>& site,
                                                                    const std::map<TubeKey, TubeSettings>& settings,
                                                                    size_t count)
{
    std::map<TubeKey, std::vector<TimeOrder>> keys;
    {
        sql::Statement list(db_, std::string("SELECT client, site, tube, date, time, downloaded_at, id FROM surveys "
                                             "WHERE client = ?") +
                                     (site ? " AND site = ?" : ""));
        list.bind(1, client);
        if (site)
            list.bind(2, *site);
        while (list.step())
            keys[{list.text(0), list.text(1), list.text(2)}].push_back(
                timeOrder(list.text(3), list.text(4), list.text(5), list.integer(6)));
    }
    // Each tube's base and latest, then every one of them read at once: a server is asked three
    // times for the site, not twice a tube.
    std::map<TubeKey, std::vector<std::int64_t>> wanted;
    std::set<std::int64_t> all;
    std::map<std::int64_t, int> uses;
    for (auto& [tube, list] : keys) {
        std::sort(list.begin(), list.end());
        std::vector<std::int64_t>& ids = wanted[tube];
        // The base, and the base it was carried on from, which every later readout adds to.
        if (const auto it = settings.find(tube); it != settings.end())
            for (std::int64_t id : {it->second.baseId, it->second.continuedFromId})
                if (id)
                    ids.push_back(id);
        for (size_t i = list.size() > count ? list.size() - count : 0; i < list.size(); ++i)
            ids.push_back(list[i].id);
        std::sort(ids.begin(), ids.end());
        ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
        for (std::int64_t id : ids)
            ++uses[id];
        all.insert(ids.begin(), ids.end());
    }
    std::map<TubeKey, std::vector<Survey>> out;
    std::map<std::int64_t, Survey> read = surveysById(all);
    for (const auto& [tube, ids] : wanted) {
        std::vector<Survey>& surveys = out[tube];
        // Moved to the last tube that wants it (a survey is another tube's base only by mistake).
        for (std::int64_t id : ids)
            if (const auto it = read.find(id); it != read.end())
                surveys.push_back(--uses[id] == 0 ? std::move(it->second) : it->second);
        inTimeOrder(surveys);
    }
    return out;
}

std::vector<Survey> SurveyStore::surveysWithIds(const std::set<std::int64_t>& ids)
{
    std::vector<Survey> out;
    for (auto& [id, s] : surveysById(ids))
        out.push_back(std::move(s));
    inTimeOrder(out);
    return out;
}

std::map<std::int64_t, Survey> SurveyStore::surveysById(const std::set<std::int64_t>& ids)
{
    std::map<std::int64_t, Survey> read;
    if (ids.empty())
        return read;
    // Ids are numbers the library gave: written into the statement, they cannot be anything else.
    std::string in;
    for (std::int64_t id : ids)
        in += (in.empty() ? "" : ", ") + std::to_string(id);
    // The rows first, then their surveys: a survey another program deletes meanwhile is left out
    // whole, and one it adds was not asked for.
    std::map<std::int64_t, std::vector<SurveyRow>> rows;
    {
        sql::Statement q(db_, "SELECT * FROM readings WHERE survey_id IN (" + in + ") ORDER BY survey_id, depth");
        std::vector<SurveyRow>* at = nullptr;
        std::int64_t atId = 0;
        while (q.step()) {
            if (!at || atId != q.integer(0)) {
                atId = q.integer(0);
                at = &rows[atId];
            }
            if (std::optional<SurveyRow> row = heldRow(q, 1))
                at->push_back(*row);
        }
    }
    sql::Statement q(db_, "SELECT " + std::string(kSurveyColumns) + " FROM surveys s WHERE s.id IN (" + in + ")");
    while (q.step()) {
        Survey s = surveyOfRow(q);
        if (auto it = rows.find(s.id); it != rows.end())
            s.rows = std::move(it->second);
        read.emplace(s.id, std::move(s));
    }
    return read;
}

std::optional<Survey> SurveyStore::survey(std::int64_t id)
{
    sql::Statement q(db_, "SELECT " + std::string(kSurveyColumns) + " FROM surveys s WHERE s.id = ?");
    q.bind(1, id);
    if (!q.step())
        return std::nullopt;
    Survey s = surveyOfRow(q);
    if (!readRows(id, s.rows))
        return std::nullopt;
    return s;
}

std::vector<TrendPoint> SurveyStore::trend(const std::string& client, const std::string& site,
                                           const std::string& tube, int depthTenths)
{
    std::vector<TrendPoint> out;
    sql::Statement q(db_, "SELECT s.id, s.date, s.time, s.downloaded_at, r.reading1, r.reading2 "
                          "FROM surveys s JOIN readings r ON r.survey_id = s.id AND r.depth = ? "
                          "WHERE s.client = ? AND s.site = ? AND s.tube = ? ORDER BY s.downloaded_at, s.id");
    q.bind(1, metres(depthTenths)).bind(2, client).bind(3, site).bind(4, tube);
    while (q.step()) {
        TrendPoint p{q.integer(0), q.text(1), q.text(2), q.text(3), {}, {}};
        if (!q.isNull(4))
            p.reading1 = q.integer(4);
        if (!q.isNull(5))
            p.reading2 = q.integer(5);
        out.push_back(p);
    }
    return out;
}

} // namespace tarvelon::surveys
