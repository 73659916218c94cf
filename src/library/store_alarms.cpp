// The alarm log: each change of a readout's status recorded with the change that caused it, and
// acknowledged by an engineer with a note.
#include "library/store.h"
#include "library/store_rows.h"

#include "analysis/displacement.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

namespace tarvelon::surveys {
namespace {

constexpr std::string_view kEventColumns = "id, at, client, site, tube, survey_id, readout, date, time, status, "
                                           "criterion, value, threshold, depth, caused_by, acknowledged_by, "
                                           "acknowledged_at, note, CASE WHEN carried THEN 1 ELSE 0 END, "
                                           "CASE WHEN acknowledgement_carried THEN 1 ELSE 0 END, "
                                           "CASE WHEN baseline THEN 1 ELSE 0 END";

AlarmEvent eventOfRow(const sql::Statement& q)
{
    AlarmEvent e;
    e.id = q.integer(0);
    e.at = q.text(1);
    e.tube = {q.text(2), q.text(3), q.text(4)};
    if (!q.isNull(5))
        e.surveyId = q.integer(5);
    e.readout = q.text(6);
    e.date = q.text(7);
    e.time = q.text(8);
    e.status = q.text(9);
    e.criterion = q.text(10);
    e.value = q.optionalReal(11);
    e.threshold = q.optionalReal(12);
    e.depthM = q.optionalReal(13);
    e.causedBy = q.text(14);
    e.acknowledgedBy = q.text(15);
    e.acknowledgedAt = q.text(16);
    e.note = q.text(17);
    e.carried = q.integer(18) != 0;
    e.acknowledgementCarried = q.integer(19) != 0;
    e.baseline = q.integer(20) != 0;
    return e;
}

std::string statusWord(Level level)
{
    return level == Level::None ? std::string("none") : levelWord(level);
}

bool anyThreshold(const TubeSettings& t)
{
    return t.alertMm || t.alarmMm || t.alertMmPerDay || t.alarmMmPerDay;
}

using ReadoutKey = std::tuple<std::string, std::string, std::string>; // readout, date, time

// True when, at every depth where a changed readout has a cumulative, a readout of `window` (the
// latest of the tube, the changed among them) could be the one its rate is measured against:
// any readout left unread is older still, so the rates are those of the whole tube.
bool ratesReachedWithin(const TubeResult& result, const std::set<std::int64_t>& changed,
                        const std::set<std::int64_t>& window, const TubeSettings& settings)
{
    for (const ReadoutResult& r : result.readouts) {
        if (!changed.count(r.survey->id) || !r.displacement.compared || r.beforeBase || !r.days)
            continue;
        for (const DisplacementRow& row : r.displacement.rows) {
            if (!row.cumulative[0] || !row.cumulative[1])
                continue;
            const bool reached = std::any_of(result.readouts.begin(), result.readouts.end(), [&](const ReadoutResult& q) {
                if (!window.count(q.survey->id) || !q.displacement.compared || q.beforeBase || !q.days ||
                    !(*q.days < *r.days && *q.days <= *r.days - settings.minIntervalDays))
                    return false;
                return std::any_of(q.displacement.rows.begin(), q.displacement.rows.end(), [&](const DisplacementRow& x) {
                    return x.depthTenths == row.depthTenths && x.cumulative[0] && x.cumulative[1];
                });
            });
            if (!reached)
                return false;
        }
    }
    return true;
}

} // namespace

bool SurveyStore::recordAlarms()
{
    const std::map<TubeKey, AlarmChange> tubes = std::move(alarmTubes_);
    alarmTubes_.clear();
    if (holdAlarms_) {
        for (const auto& entry : tubes)
            heldAlarmTubes_.insert(entry.first);
        return true;
    }
    for (const auto& [tube, change] : tubes)
        if (!recordAlarmsOf(tube, change))
            return false;
    return true;
}

bool SurveyStore::recordAlarmsOf(const TubeKey& tube, const AlarmChange& change)
{
    // Each readout's status as the log last recorded it, by when (an event carried from another
    // library comes in after ones it precedes); a readout it never named has none.
    std::map<ReadoutKey, std::string> last;
    {
        sql::Statement q(db_, "SELECT readout, date, time, status FROM alarm_events WHERE client = ? AND site = ? "
                              "AND tube = ? ORDER BY at, id");
        q.bind(1, tube.client).bind(2, tube.site).bind(3, tube.tube);
        while (q.step())
            last[{q.text(0), q.text(1), q.text(2)}] = q.text(3);
        if (!q.done()) {
            error_ = db_.error();
            return false;
        }
    }
    const TubeSettings settings = tubeSettings(tube);
    // A tube without thresholds whose readouts the log holds at none has nothing to record:
    // its surveys need not be compared at all.
    const bool anyRaised = std::any_of(last.begin(), last.end(), [](const auto& e) { return e.second != "none"; });
    if (!anyThreshold(settings) && !anyRaised)
        return true;
    if (!change.whole)
        if (const std::optional<bool> done = recordLatestAlarms(tube, settings, change.surveys, last))
            return *done;
    const std::vector<Survey> surveys = tubeSurveys(tube);
    return writeAlarmEvents(tube, analyseTube(surveys, settings, corrections(tube)), last, nullptr);
}

std::optional<bool> SurveyStore::recordLatestAlarms(const TubeKey& tube, const TubeSettings& settings,
                                                    const std::set<std::int64_t>& changed,
                                                    const std::map<ReadoutKey, std::string>& last)
{
    if (!settings.baseId)
        return std::nullopt;
    std::vector<stored::TimeOrder> keys;
    {
        sql::Statement q(db_, "SELECT date, time, downloaded_at, id FROM surveys WHERE client = ? AND site = ? AND "
                              "tube = ?");
        q.bind(1, tube.client).bind(2, tube.site).bind(3, tube.tube);
        while (q.step())
            keys.push_back(stored::timeOrder(q.text(0), q.text(1), q.text(2), q.integer(3)));
        if (!q.done())
            return std::nullopt;
    }
    std::sort(keys.begin(), keys.end());
    // Readouts are analysed in time order, each against those before it: when the changed ones
    // come after every other, no other readout's status can have changed.
    size_t first = keys.size();
    while (first > 0 && changed.count(keys[first - 1].id))
        --first;
    if (keys.size() - first != changed.size())
        return std::nullopt;
    std::set<std::int64_t> ids(changed);
    for (std::int64_t id : {settings.baseId, settings.continuedFromId})
        if (id)
            ids.insert(id);
    // A few readouts before them, more when those do not reach the one a rate is measured
    // against at every depth.
    for (size_t before = 1;; before *= 4) {
        size_t from = first > before ? first - before : 0;
        // Of readouts taken at the same time the first is measured against: none is left out.
        while (from > 0 && keys[from - 1].days == keys[from].days)
            --from;
        std::set<std::int64_t> window;
        for (size_t i = from; i < keys.size(); ++i)
            window.insert(keys[i].id);
        ids.insert(window.begin(), window.end());
        const std::vector<Survey> surveys = surveysWithIds(ids);
        const TubeResult result = analyseTube(surveys, settings, corrections(tube));
        if (from == 0 || ratesReachedWithin(result, changed, window, settings))
            return writeAlarmEvents(tube, result, last, &changed);
    }
}

bool SurveyStore::writeAlarmEvents(const TubeKey& tube, const TubeResult& result,
                                   const std::map<ReadoutKey, std::string>& last, const std::set<std::int64_t>* only)
{
    sql::Statement insert(db_, "INSERT INTO alarm_events (at, client, site, tube, survey_id, readout, date, time, "
                               "status, criterion, value, threshold, depth, caused_by, baseline) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ? <> 0)");
    // Asked only when there is something to record: a clock a test set moves when it is read.
    std::optional<std::string> at, by;
    for (const ReadoutResult& r : result.readouts) {
        const Survey& s = *r.survey;
        if (only && !only->count(s.id))
            continue;
        const std::string status = statusWord(r.level);
        const auto was = last.find({s.readout, s.date, s.time});
        if ((was == last.end() ? std::string("none") : was->second) == status)
            continue;
        if (!at) {
            at = now();
            by = who();
        }
        insert.bind(1, *at).bind(2, tube.client).bind(3, tube.site).bind(4, tube.tube).bind(5, s.id);
        insert.bind(6, s.readout).bind(7, s.date).bind(8, s.time).bind(9, status).bind(14, *by);
        insert.bind(15, std::int64_t(baseline_));
        if (r.level != Level::None && !r.causes.empty()) {
            const LevelCause& c = r.causes.front();
            insert.bind(10, criterionName(c.criterion)).bind(11, c.value).bind(12, c.threshold);
            insert.bind(13, c.depthTenths ? std::optional<double>(*c.depthTenths / 10.0) : std::nullopt);
        } else {
            insert.bind(10, std::string_view("")).bindNull(11).bindNull(12).bindNull(13);
        }
        if (!insert.run()) {
            error_ = db_.error();
            return false;
        }
        insert.reset();
    }
    return true;
}

std::vector<AlarmEvent> SurveyStore::alarmEvents(const AlarmFilter& filter)
{
    std::string where;
    std::vector<std::string> values;
    const auto add = [&](const char* column, const std::string& value, const char* op = " = ?") {
        if (value.empty())
            return;
        where += std::string(where.empty() ? " WHERE " : " AND ") + column + op;
        values.push_back(value);
    };
    add("client", filter.client);
    add("site", filter.site);
    add("tube", filter.tube);
    add("at", filter.since, " >= ?");
    if (filter.unacknowledged)
        where += std::string(where.empty() ? " WHERE " : " AND ") + "acknowledged_at = ''";
    sql::Statement q(db_, "SELECT " + std::string(kEventColumns) + " FROM alarm_events" + where + " ORDER BY at, id");
    for (size_t i = 0; i < values.size(); ++i)
        q.bind(int(i) + 1, values[i]);
    std::vector<AlarmEvent> out;
    while (q.step())
        out.push_back(eventOfRow(q));
    return out;
}

bool SurveyStore::acknowledgeIn(const std::string& where, std::int64_t key, const std::string& note, int& count)
{
    // A server stamps who and when itself, whatever the program gives.
    sql::Statement q(db_, "UPDATE alarm_events SET acknowledged_by = ?, acknowledged_at = ?, note = ? WHERE " + where +
                              " AND acknowledged_at = '' RETURNING client, site, tube, status, readout, date");
    q.bind(1, who()).bind(2, now()).bind(3, note).bind(4, key);
    std::vector<std::pair<TubeKey, std::string>> acknowledged;
    while (q.step())
        acknowledged.push_back({{q.text(0), q.text(1), q.text(2)},
                                q.text(3) + " of survey " + q.text(4) + " of " + q.text(5) + " acknowledged: " + note});
    if (!q.done()) {
        error_ = db_.error();
        return false;
    }
    count = int(acknowledged.size());
    for (const auto& [tube, what] : acknowledged)
        if (!record(tube, std::nullopt, what))
            return false;
    return true;
}

bool SurveyStore::acknowledgeAlarm(std::int64_t eventId, const std::string& note)
{
    if (note.find_first_not_of(" \t") == std::string::npos) {
        error_ = "an acknowledgement needs a note saying what was done";
        return false;
    }
    int count = 0;
    if (!inOneTransaction([&] { return acknowledgeIn("id = ?", eventId, note, count); }))
        return false;
    if (count == 0) {
        error_ = "the alarm log holds no unacknowledged event " + std::to_string(eventId);
        return false;
    }
    return true;
}

int SurveyStore::acknowledgeReadout(std::int64_t surveyId, const std::string& note)
{
    if (note.find_first_not_of(" \t") == std::string::npos) {
        error_ = "an acknowledgement needs a note saying what was done";
        return -1;
    }
    int count = 0;
    // The readout by its tube, number, date and time, which its events keep when it is gone.
    const std::string where = "(client, site, tube, readout, date, time) = (SELECT client, site, tube, readout, date, "
                              "time FROM surveys WHERE id = ?)";
    if (!inOneTransaction([&] { return acknowledgeIn(where, surveyId, note, count); }))
        return -1;
    return count;
}

} // namespace tarvelon::surveys
