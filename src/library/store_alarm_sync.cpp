// What the alarm log takes from another library, and the states it starts from: events and
// acknowledgements a sync brings keep the time and the cause they were recorded with there.
#include "library/store.h"

namespace tarvelon::surveys {

bool SurveyStore::addCarriedAlarms(const std::vector<AlarmEvent>& events, const std::string& how)
{
    if (events.empty())
        return true;
    return inOneTransaction([&] {
        sql::Statement insert(db_, "INSERT INTO alarm_events (at, client, site, tube, survey_id, readout, date, "
                                   "time, status, criterion, value, threshold, depth, caused_by, acknowledged_by, "
                                   "acknowledged_at, note, carried, acknowledgement_carried, baseline) VALUES (?, ?, "
                                   "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1 <> 0, ? <> 0, ? <> 0)");
        std::map<TubeKey, int> perTube;
        for (const AlarmEvent& e : events) {
            Survey key;
            key.client = e.tube.client, key.site = e.tube.site, key.tube = e.tube.tube;
            key.readout = e.readout, key.date = e.date, key.time = e.time;
            // The readout's survey here, which has its own id; none while it has not come.
            const std::optional<std::int64_t> id = find(key);
            insert.bind(1, e.at).bind(2, e.tube.client).bind(3, e.tube.site).bind(4, e.tube.tube);
            id ? insert.bind(5, *id) : insert.bindNull(5);
            insert.bind(6, e.readout).bind(7, e.date).bind(8, e.time).bind(9, e.status).bind(10, e.criterion);
            insert.bind(11, e.value).bind(12, e.threshold).bind(13, e.depthM).bind(14, e.causedBy);
            insert.bind(15, e.acknowledgedBy).bind(16, e.acknowledgedAt).bind(17, e.note);
            insert.bind(18, std::int64_t(e.acknowledged())).bind(19, std::int64_t(e.baseline));
            if (!insert.run()) {
                error_ = db_.error();
                return false;
            }
            insert.reset();
            ++perTube[e.tube];
        }
        for (const auto& [tube, count] : perTube)
            if (!record(tube, std::nullopt,
                        std::to_string(count) + (count == 1 ? " event" : " events") +
                            " of the alarm log carried from another library (" + how + ")"))
                return false;
        return true;
    });
}

bool SurveyStore::carryAcknowledgement(std::int64_t eventId, const AlarmEvent& a)
{
    return inOneTransaction([&] {
        // A server keeps a carried acknowledgement only when it is earlier and keeps the note
        // already there; the sync gives no other.
        sql::Statement q(db_, "UPDATE alarm_events SET acknowledged_by = ?, acknowledged_at = ?, note = ?, "
                              "acknowledgement_carried = 1 <> 0 WHERE id = ? RETURNING client, site, tube, status, "
                              "readout, date");
        q.bind(1, a.acknowledgedBy).bind(2, a.acknowledgedAt).bind(3, a.note).bind(4, eventId);
        std::vector<std::pair<TubeKey, std::string>> carried;
        while (q.step())
            carried.push_back({{q.text(0), q.text(1), q.text(2)},
                               q.text(3) + " of survey " + q.text(4) + " of " + q.text(5) + " acknowledged by " +
                                   a.acknowledgedBy + " at " + a.acknowledgedAt + " in another library (sync): " + a.note});
        if (!q.done()) {
            error_ = db_.error();
            return false;
        }
        for (const auto& [tube, what] : carried)
            if (!record(tube, std::nullopt, what))
                return false;
        return true;
    });
}

bool SurveyStore::releaseAlarms()
{
    holdAlarms_ = false;
    std::set<TubeKey> tubes = std::move(heldAlarmTubes_);
    heldAlarmTubes_.clear();
    if (tubes.empty())
        return true;
    // Judged whole: the surveys and log the sync brought may change any readout's status.
    return inOneTransaction([&] {
        for (const TubeKey& tube : tubes)
            alarmsMayChange(tube);
        return true;
    });
}

bool SurveyStore::recordBaselines()
{
    std::vector<TubeKey> tubes;
    {
        sql::Statement q(db_, "SELECT DISTINCT client, site, tube FROM surveys s WHERE NOT EXISTS (SELECT 1 FROM "
                              "alarm_events e WHERE e.client = s.client AND e.site = s.site AND e.tube = s.tube)");
        while (q.step())
            tubes.push_back({q.text(0), q.text(1), q.text(2)});
        if (!q.done()) {
            error_ = db_.error();
            return false;
        }
    }
    baseline_ = true;
    bool ok = true;
    for (const TubeKey& tube : tubes)
        if (!(ok = recordAlarmsOf(tube, AlarmChange{true})))
            break;
    baseline_ = false;
    return ok;
}

} // namespace tarvelon::surveys
