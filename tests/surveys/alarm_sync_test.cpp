// The alarm log carried by a sync, file to file and file to server: each side ends with the
// events of both, each once, with the time and cause it was recorded with, and every
// acknowledgement; and a library from before the log starts it from the states it holds.
#include "surveys/alarm_surveys.h"
#include "surveys/library_engines.h"
#include "library/store.h"
#include "library/sync.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace tarvelon;
using namespace tarvelon::surveys;
using tarvelon::test::alarmSettings;
using tarvelon::test::dayOf;
using tarvelon::test::movedReadout;

namespace {

// One library of the sync, whose own changes are told apart by a clock that moves a second
// each time it is read, starting at `hour` (a server stamps with its own).
struct Side {
    Side(const std::string& location, const std::string& user, int hour)
    {
        store.setUser(user);
        store.setClock([this, hour] {
            char at[32];
            std::snprintf(at, sizeof at, "2026-03-01T%02d:%02d:%02dZ", hour, ticks / 60, ticks % 60);
            ++ticks;
            return std::string(at);
        });
        EXPECT_TRUE(store.open(location)) << store.error();
    }
    // The base, thresholds of 5 and 10 mm, and readout 02 at 12 mm: an ALARM.
    void alarmOn(const TubeKey& tube)
    {
        const std::int64_t base = store.add(movedReadout(tube, "01", dayOf(1), 0)).id;
        ASSERT_TRUE(store.setTubeSettings(tube, alarmSettings(base, 5, 10))) << store.error();
        ASSERT_EQ(store.add(movedReadout(tube, "02", dayOf(11), 6)).status, AddStatus::Added);
    }
    void setAlarmAt(const TubeKey& tube, double mm)
    {
        TubeSettings t = store.tubeSettings(tube);
        t.alarmMm = mm;
        ASSERT_TRUE(store.setTubeSettings(tube, t)) << store.error();
    }
    void acknowledge(const TubeKey& tube, const std::string& note)
    {
        AlarmFilter of;
        of.tube = tube.tube;
        ASSERT_TRUE(store.acknowledgeAlarm(store.alarmEvents(of).at(0).id, note)) << store.error();
    }
    std::vector<AlarmEvent> log(const TubeKey& tube)
    {
        AlarmFilter of;
        of.tube = tube.tube;
        return store.alarmEvents(of);
    }
    SurveyStore store;
    int ticks = 0;
};

struct Case {
    const char* name;
    std::function<void(Side& laptop, Side& firm, const TubeKey& tube)> before;
    std::vector<std::string> events; // "READOUT STATUS" both sides hold after, in any order
    // The event both hold was recorded on one side only, and keeps that side's time and cause.
    bool oneRecord;
    std::vector<std::string> notes; // what the first event's note holds on both sides; none: unacknowledged
};

const std::vector<Case>& cases()
{
    static const std::vector<Case> all{
        {"an ALARM only the laptop recorded", [](Side& l, Side&, const TubeKey& t) { l.alarmOn(t); }, {"02 ALARM"},
         true, {}},
        {"an ALARM only the firm recorded", [](Side&, Side& f, const TubeKey& t) { f.alarmOn(t); }, {"02 ALARM"},
         true, {}},
        {"the same survey crossing ALARM on both sides",
         [](Side& l, Side& f, const TubeKey& t) {
             l.alarmOn(t);
             f.alarmOn(t);
         },
         {"02 ALARM"}, false, {}},
        {"acknowledged on the laptop",
         [](Side& l, Side& f, const TubeKey& t) {
             l.alarmOn(t);
             f.alarmOn(t);
             l.acknowledge(t, "walked the slope");
         },
         {"02 ALARM"}, false, {"walked the slope"}},
        {"acknowledged on the firm, where only the laptop recorded it first",
         [](Side& l, Side& f, const TubeKey& t) {
             l.alarmOn(t);
             EXPECT_TRUE(syncLibraries(l.store, f.store).error.empty());
             f.acknowledge(t, "called the site");
         },
         {"02 ALARM"}, true, {"called the site"}},
        {"acknowledged on both, the laptop's first",
         [](Side& l, Side& f, const TubeKey& t) {
             l.alarmOn(t);
             f.alarmOn(t);
             l.acknowledge(t, "walked the slope");
             f.acknowledge(t, "called the site");
         },
         {"02 ALARM"}, false, {"walked the slope", "called the site"}},
        {"an ALARM left and raised again on the laptop",
         [](Side& l, Side& f, const TubeKey& t) {
             l.alarmOn(t);
             f.alarmOn(t);
             l.setAlarmAt(t, 20);
             l.setAlarmAt(t, 10);
         },
         {"02 ALARM", "02 ALERT", "02 ALARM"}, false, {}},
        {"under every threshold", [](Side& l, Side&, const TubeKey& t) {
             const std::int64_t base = l.store.add(movedReadout(t, "01", dayOf(1), 0)).id;
             ASSERT_TRUE(l.store.setTubeSettings(t, alarmSettings(base, 5, 10)));
             l.store.add(movedReadout(t, "02", dayOf(11), 1));
         },
         {}, false, {}},
    };
    return all;
}

std::vector<std::string> shown(const std::vector<AlarmEvent>& log)
{
    std::vector<std::string> out;
    for (const AlarmEvent& e : log)
        out.push_back(e.readout + " " + e.status);
    std::sort(out.begin(), out.end());
    return out;
}

// Each case on a tube of its own, between the same two libraries: a sync after each case
// leaves the tubes of the cases before as they were.
void runCases(Side& laptop, Side& firm)
{
    for (size_t i = 0; i < cases().size(); ++i) {
        const Case& c = cases()[i];
        SCOPED_TRACE(c.name);
        const TubeKey tube{"C", "S", "T" + std::to_string(i)};
        c.before(laptop, firm, tube);
        const std::vector<AlarmEvent> hadLaptop = laptop.log(tube), hadFirm = firm.log(tube);
        const SyncResult r = syncLibraries(laptop.store, firm.store);
        ASSERT_TRUE(r.error.empty()) << r.error;
        const std::vector<AlarmEvent> l = laptop.log(tube), f = firm.log(tube);
        std::vector<std::string> expected = c.events;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(shown(l), expected) << "on the laptop";
        EXPECT_EQ(shown(f), expected) << "on the firm's library";
        // Nothing is lost on either side, and each side's own events stay as it recorded them.
        for (const auto& [had, now] : {std::pair{&hadLaptop, &l}, std::pair{&hadFirm, &f}})
            for (const AlarmEvent& e : *had) {
                const auto kept = std::find_if(now->begin(), now->end(), [&e](const AlarmEvent& k) { return k.id == e.id; });
                ASSERT_NE(kept, now->end()) << e.readout << " " << e.status << " lost";
                EXPECT_EQ(kept->at, e.at);
                EXPECT_EQ(kept->causedBy, e.causedBy);
                EXPECT_EQ(kept->carried, e.carried);
            }
        if (expected.empty())
            continue;
        ASSERT_FALSE(l.empty());
        ASSERT_FALSE(f.empty());
        if (c.oneRecord) {
            EXPECT_EQ(l[0].at, f[0].at);
            EXPECT_EQ(l[0].causedBy, f[0].causedBy);
            EXPECT_NE(l[0].carried, f[0].carried) << "carried to one side, recorded on the other";
        }
        for (const AlarmEvent* e : {&l[0], &f[0]}) {
            EXPECT_EQ(e->acknowledged(), !c.notes.empty());
            for (const std::string& note : c.notes)
                EXPECT_NE(e->note.find(note), std::string::npos) << e->note;
        }
        EXPECT_EQ(l[0].acknowledgedAt, f[0].acknowledgedAt);
        EXPECT_EQ(l[0].acknowledgedBy, f[0].acknowledgedBy);
        EXPECT_EQ(l[0].note, f[0].note);
        if (c.notes.size() == 2) {
            EXPECT_EQ(l[0].acknowledgedBy, "ana") << "the earlier acknowledgement kept";
        }

        // Again: nothing more goes either way.
        const SyncResult again = syncLibraries(laptop.store, firm.store);
        EXPECT_TRUE(again.error.empty()) << again.error;
        EXPECT_EQ(again.alarms.eventsSent + again.alarms.eventsReceived + again.alarms.acknowledgementsSent +
                      again.alarms.acknowledgementsReceived,
                  0);
        EXPECT_EQ(laptop.log(tube).size(), l.size());
        EXPECT_EQ(firm.log(tube).size(), f.size());
    }
}

TEST(AlarmLogSync, FileToFile)
{
    test::TempDir dir;
    Side laptop(dir.file("laptop.sqlite"), "ana", 10), firm(dir.file("firm.sqlite"), "bruno", 11);
    runCases(laptop, firm);
}

class AlarmLogSyncServer : public test::OnServerWithPeople {};

TEST_F(AlarmLogSyncServer, FileToServer)
{
    {
        SurveyStore owner;
        ASSERT_TRUE(owner.open(location())) << owner.error();
        ASSERT_TRUE(owner.initServerRoles()) << owner.error();
    }
    test::TempDir dir;
    Side laptop(dir.file("laptop.sqlite"), "ana", 10), firm(as(person("bruno", "tarvelon_editor")), "", 11);
    runCases(laptop, firm);
}

// A reader's sync brings the server's log to his file and nothing back; the server keeps him
// from adding to its log, carried or not.
TEST_F(AlarmLogSyncServer, AReaderTakesTheLogAndAddsNothing)
{
    const TubeKey tube{"C", "S", "T"};
    {
        Side owner(location(), "", 11);
        ASSERT_TRUE(owner.store.initServerRoles()) << owner.store.error();
        owner.alarmOn(tube);
    }
    test::TempDir dir;
    Side laptop(dir.file("laptop.sqlite"), "ana", 10), reader(as(person("carla", "tarvelon_reader")), "", 11);
    laptop.alarmOn({"C", "S", "U"});
    const SyncResult r = syncLibraries(reader.store, laptop.store);
    ASSERT_TRUE(r.error.empty()) << r.error;
    EXPECT_TRUE(r.sourceReadOnly);
    ASSERT_EQ(laptop.log(tube).size(), 1u);
    EXPECT_TRUE(laptop.log(tube)[0].carried);
    EXPECT_EQ(laptop.log(tube)[0].at, reader.log(tube)[0].at);
    EXPECT_EQ(reader.store.alarmEvents().size(), 1u) << "nothing went back";
    EXPECT_FALSE(reader.store.addCarriedAlarms(laptop.store.alarmEvents(), "sync"));
    EXPECT_EQ(reader.store.alarmEvents().size(), 1u);
}

} // namespace
