// The alarm log merged between two libraries: each adds the events it lacks, and an
// acknowledgement made on either side reaches the other. Nothing is deleted or overwritten.
#include "library/sync_merge.h"

#include <map>
#include <tuple>

namespace tarvelon::surveys {
namespace {

// An event is known by its readout, the status it took, and how many times before that readout
// took that status: the same survey crossing ALARM in both libraries is one event, however
// each recorded it, and a readout that leaves ALARM and comes back has two.
using EventKey = std::tuple<TubeKey, std::string, std::string, std::string, std::string, int>;

std::map<EventKey, AlarmEvent> keyed(const std::vector<AlarmEvent>& log)
{
    std::map<EventKey, AlarmEvent> out;
    std::map<std::tuple<TubeKey, std::string, std::string, std::string, std::string>, int> seen;
    for (const AlarmEvent& e : log) { // oldest first
        const int n = seen[{e.tube, e.readout, e.date, e.time, e.status}]++;
        out.emplace(EventKey{e.tube, e.readout, e.date, e.time, e.status, n}, e);
    }
    return out;
}

bool sameAcknowledgement(const AlarmEvent& a, const AlarmEvent& b)
{
    return a.acknowledgedBy == b.acknowledgedBy && a.acknowledgedAt == b.acknowledgedAt && a.note == b.note;
}

bool write(SurveyStore& store, std::int64_t id, const AlarmEvent& had, const AlarmEvent& merged, int& count,
           std::string& error)
{
    if (sameAcknowledgement(had, merged))
        return true;
    if (!store.carryAcknowledgement(id, merged)) {
        error = "an acknowledgement cannot be kept: " + store.error();
        return false;
    }
    ++count;
    return true;
}

} // namespace

AlarmEvent mergedAcknowledgement(const AlarmEvent& a, const AlarmEvent& b)
{
    if (!b.acknowledged())
        return a;
    if (!a.acknowledged() || sameAcknowledgement(a, b))
        return b;
    // The earlier is kept; the later's note goes with it, said as whose it was.
    const bool aFirst = std::tie(a.acknowledgedAt, a.acknowledgedBy, a.note) <= std::tie(b.acknowledgedAt, b.acknowledgedBy, b.note);
    const AlarmEvent& first = aFirst ? a : b;
    const AlarmEvent& later = aFirst ? b : a;
    AlarmEvent m = first;
    if (first.note.find(later.note) == std::string::npos)
        m.note = first.note + "\nalso acknowledged by " + later.acknowledgedBy + " at " + later.acknowledgedAt + ": " +
                 later.note;
    return m;
}

bool mergeAlarmLogs(SurveyStore& from, SurveyStore& to, bool back, AlarmSync& r, std::string& error)
{
    const std::map<EventKey, AlarmEvent> a = keyed(from.alarmEvents()), b = keyed(to.alarmEvents());
    std::vector<AlarmEvent> toTo, toFrom;
    for (const auto& [key, e] : a) {
        const auto there = b.find(key);
        if (there == b.end()) {
            toTo.push_back(e);
            continue;
        }
        const AlarmEvent m = mergedAcknowledgement(e, there->second);
        if (!write(to, there->second.id, there->second, m, r.acknowledgementsSent, error) ||
            (back && !write(from, e.id, e, m, r.acknowledgementsReceived, error)))
            return false;
    }
    if (back)
        for (const auto& [key, e] : b)
            if (!a.count(key))
                toFrom.push_back(e);
    if (!to.addCarriedAlarms(toTo, "sync") || !from.addCarriedAlarms(toFrom, "sync")) {
        error = "the alarm log's events cannot be kept: " + (toFrom.empty() ? to.error() : from.error() + " " + to.error());
        return false;
    }
    r.eventsSent += int(toTo.size());
    r.eventsReceived += int(toFrom.size());
    return true;
}

} // namespace tarvelon::surveys
