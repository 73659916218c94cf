#include "support/harness.h"
#include "library/store.h"
#include "library/sync.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>

using namespace tarvelon;
using namespace tarvelon::surveys;
using tarvelon::test::TempDir;

namespace {

const TubeKey kTube{"C", "S", "T"};

// Four depths from 0.5 m; `missing` leaves the deepest ones out, as a download cut short does.
Survey readout(const std::string& number, int offset = 0, int missing = 0)
{
    Survey s;
    s.client = kTube.client;
    s.site = kTube.site;
    s.tube = kTube.tube;
    s.readout = number;
    s.date = "12/03/24";
    s.time = "10:" + number + ":00";
    s.step = 0.5;
    s.origin = Origin::Download;
    for (int t = 5; t <= 20; t += 5)
        (t > 20 - 5 * missing ? s.missingTenths.push_back(t) : s.rows.push_back({t, {t + offset, -t}}));
    return s;
}

std::string clockText(int startMinute, int tick)
{
    char at[32];
    std::snprintf(at, sizeof at, "2026-03-01T10:%02d:%02dZ", startMinute + tick / 60, tick % 60);
    return at;
}

// A library whose changes are told apart by a clock that moves a second each time it is read.
struct Library {
    explicit Library(const std::string& path, const std::string& user = "ana", int startMinute = 0)
    {
        store.setUser(user);
        store.setClock([this, startMinute] { return clockText(startMinute, ticks++); });
        EXPECT_TRUE(store.open(path)) << store.error();
    }
    std::int64_t add(const Survey& s)
    {
        const AddResult r = store.add(s);
        EXPECT_TRUE(r.status == AddStatus::Added || r.status == AddStatus::Completed) << r.error;
        return r.id;
    }
    bool setBase(std::int64_t id)
    {
        TubeSettings t = store.tubeSettings(kTube);
        t.baseId = id;
        return store.setTubeSettings(kTube, t);
    }
    SurveyStore store;
    int ticks = 0;
};

Correction bias(int axis, double value, bool on = true)
{
    return {CorrectionKind::Bias, axis, value, "entered", "2026-03-01T00:00:00Z", on};
}

struct HistoryStep {
    const char* name;
    std::function<bool(Library&)> change;
    const char* recorded; // the line it adds; nullptr: none, the change not made
};

TEST(History, EveryChangeIsRecordedWithItsUserAndTimeAndNothingElse)
{
    TempDir dir;
    Library lib(dir.file("l.sqlite"));
    const auto idOf = [&lib](const std::string& number) { return *lib.store.findReadout(kTube, number); };
    const HistoryStep steps[] = {
        {"download", [](Library& l) { return l.store.add(readout("04", 0, 2)).status == AddStatus::Added; },
         "survey 04 of 12/03/24 added (download), incomplete"},
        {"completed", [](Library& l) { return l.store.add(readout("04")).status == AddStatus::Completed; },
         "survey 04 of 12/03/24 completed: 2 depths added"},
        {"identical", [](Library& l) { return l.store.add(readout("04")).status == AddStatus::AlreadyThere; }, nullptr},
        {"conflict", [](Library& l) { return l.store.add(readout("04", 9)).status == AddStatus::Conflict; }, nullptr},
        {"second", [](Library& l) { return l.store.add(readout("05", 1)).status == AddStatus::Added; },
         "survey 05 of 12/03/24 added (download)"},
        {"base", [&](Library& l) { return l.setBase(idOf("04")); }, "base set to 04 of 12/03/24"},
        {"rate", [](Library& l) {
             TubeSettings t = l.store.tubeSettings(kTube);
             t.alarmMmPerDay = 5.0;
             return l.store.setTubeSettings(kTube, t);
         }, "settings changed: alarm rate none \u2192 5.0 mm/day"},
        {"two at once", [](Library& l) {
             TubeSettings t = l.store.tubeSettings(kTube);
             t.alarmMmPerDay = 4.0;
             t.report.project = "Dam";
             return l.store.setTubeSettings(kTube, t);
         }, "settings changed: alarm rate 5.0 \u2192 4.0 mm/day; project \"\" \u2192 \"Dam\""},
        {"report language", [](Library& l) {
             TubeSettings t = l.store.tubeSettings(kTube);
             t.report.language = "it";
             return l.store.setTubeSettings(kTube, t);
         }, "settings changed: report language \"\" \u2192 \"it\""},
        {"unchanged", [](Library& l) { return l.store.setTubeSettings(kTube, l.store.tubeSettings(kTube)); }, nullptr},
        {"correction", [&](Library& l) { return l.store.setCorrections(idOf("05"), {bias(0, -2.0)}); },
         "correction accepted on 05 of 12/03/24: bias A \u22122.0"},
        {"switched off", [&](Library& l) { return l.store.setCorrections(idOf("05"), {bias(0, -2.0, false)}); },
         "correction switched off on 05 of 12/03/24: bias A \u22122.0"},
        {"correction removed", [&](Library& l) { return l.store.setCorrections(idOf("05"), {}); },
         "correction removed on 05 of 12/03/24: bias A \u22122.0"},
        {"no such survey", [](Library& l) { return !l.store.setCorrections(999, {bias(1, 1.0)}); }, nullptr},
        {"probe", [&](Library& l) { return l.store.setProbe(idOf("05"), "P2", 25000.0); },
         "probe of 05 of 12/03/24 set: serial \"\", K the tube's \u2192 serial \"P2\", K 25000"},
        {"probe unchanged", [&](Library& l) { return l.store.setProbe(idOf("05"), "P2", 25000.0); }, nullptr},
        {"probe constant refused", [&](Library& l) { return !l.store.setProbe(idOf("05"), "P2", -1.0); }, nullptr},
        {"new base carrying on", [&](Library& l) {
             TubeSettings t = l.store.tubeSettings(kTube);
             t.continuedFromId = t.baseId;
             t.baseId = idOf("05");
             return l.store.setTubeSettings(kTube, t);
         }, "base set to 05 of 12/03/24, carrying on from 04 of 12/03/24"},
        {"previous base deleted", [&](Library& l) {
             return l.store.remove(idOf("04")) && l.store.tubeSettings(kTube).continuedFromId == 0 &&
                    l.store.tubeSettings(kTube).baseId == idOf("05");
         }, "survey 04 of 12/03/24 deleted"},
        {"base deleted", [&](Library& l) { return l.store.remove(idOf("05")); },
         "survey 05 of 12/03/24 deleted; the tube has no base now"},
        {"deleted twice", [](Library& l) { return !l.store.remove(1); }, nullptr},
    };
    size_t lines = 0;
    for (const HistoryStep& step : steps) {
        SCOPED_TRACE(step.name);
        ASSERT_TRUE(step.change(lib)) << lib.store.error();
        const std::vector<HistoryEntry> h = lib.store.history(kTube);
        ASSERT_EQ(h.size(), lines + (step.recorded ? 1 : 0));
        if (!step.recorded)
            continue;
        lines = h.size();
        EXPECT_EQ(h.back().what, step.recorded);
        EXPECT_EQ(h.back().who, "ana");
        EXPECT_EQ(h.back().at, clockText(0, lib.ticks - 1)); // the clock's last word, in the change's transaction
    }
    EXPECT_TRUE(lib.store.history({"C", "S", "other"}).empty());
}

TEST(Remove, TakesTheReadingsAndCorrectionsWithItAndLeavesTheRest)
{
    TempDir dir;
    Library lib(dir.file("l.sqlite"));
    const std::int64_t gone = lib.add(readout("01")), kept = lib.add(readout("02", 3));
    ASSERT_TRUE(lib.store.setCorrections(gone, {bias(0, 1.0)}));
    ASSERT_TRUE(lib.store.setCorrections(kept, {bias(1, 2.0)}));
    ASSERT_TRUE(lib.setBase(kept));

    ASSERT_TRUE(lib.store.remove(gone)) << lib.store.error();
    EXPECT_FALSE(lib.store.survey(gone));
    EXPECT_TRUE(lib.store.corrections(gone).empty());
    ASSERT_EQ(lib.store.tubeSurveys(kTube).size(), 1u);
    EXPECT_EQ(lib.store.tubeSurveys(kTube)[0].rows, readout("02", 3).rows);
    EXPECT_EQ(lib.store.corrections(kept), std::vector<Correction>{bias(1, 2.0)});
    EXPECT_EQ(lib.store.tubeSettings(kTube).baseId, kept);
    EXPECT_EQ(lib.store.history(kTube).back().what, "survey 01 of 12/03/24 deleted");
    // A survey added again later is a new one, not a conflict with a ghost.
    EXPECT_EQ(lib.store.add(readout("01", 5)).status, AddStatus::Added);
}

struct SyncCase {
    const char* name;
    bool laptopLater; // the source's clock runs half an hour ahead of the target's, else behind
    std::function<void(Library& from, Library& to)> setUp;
    int sent, completed, skipped, conflicts, settingsSent, settingsReceived;
    std::function<void(Library& from, Library& to)> check;
};

void sameSettings(Library& from, Library& to)
{
    TubeSettings a = from.store.tubeSettings(kTube), b = to.store.tubeSettings(kTube);
    a.baseId = b.baseId = 0; // ids differ between libraries
    EXPECT_EQ(a, b); // each side stamps its own time of the change: only the settings agree
}

void setAlarm(Library& l, double mm)
{
    TubeSettings t = l.store.tubeSettings(kTube);
    t.alarmMm = mm;
    ASSERT_TRUE(l.store.setTubeSettings(kTube, t));
}

const SyncCase kSyncCases[] = {
    {"identical skipped, the missing sent", false,
     [](Library& f, Library& t) { f.add(readout("01")), f.add(readout("02")), t.add(readout("01")); }, 1, 0, 1, 0, 0, 0,
     [](Library&, Library& t) { EXPECT_EQ(t.store.list().size(), 2u); }},
    {"conflict left on both sides", false,
     [](Library& f, Library& t) { f.add(readout("01", 7)), t.add(readout("01")); }, 0, 0, 0, 1, 0, 0,
     [](Library& f, Library& t) {
         EXPECT_EQ(f.store.tubeSurveys(kTube).at(0).rows, readout("01", 7).rows);
         EXPECT_EQ(t.store.tubeSurveys(kTube).at(0).rows, readout("01").rows);
     }},
    {"incomplete completed", false,
     [](Library& f, Library& t) { f.add(readout("01")), t.add(readout("01", 0, 3)); }, 0, 1, 0, 0, 0, 0,
     [](Library&, Library& t) { EXPECT_EQ(t.store.tubeSurveys(kTube).at(0).rows, readout("01").rows); }},
    // Set on both before they ever agreed: a conflict, the target's kept, whichever clock is ahead.
    {"settings set on both sides, the source's clock ahead", true,
     [](Library& f, Library& t) { setAlarm(t, 9), setAlarm(f, 4); }, 0, 0, 0, 0, 0, 1,
     [](Library& f, Library& t) {
         EXPECT_EQ(t.store.tubeSettings(kTube).alarmMm, 9.0);
         sameSettings(f, t);
     }},
    {"settings set on both sides, the source's clock behind", false,
     [](Library& f, Library& t) { f.add(readout("01")), setAlarm(f, 4), setAlarm(t, 9); }, 1, 0, 0, 0, 0, 1,
     [](Library& f, Library& t) {
         EXPECT_EQ(f.store.tubeSettings(kTube).alarmMm, 9.0);
         sameSettings(f, t);
     }},
    {"base and corrections carried by the survey's key", false,
     [](Library& f, Library& t) {
         t.add(readout("08", 2)), t.add(readout("09", 2));
         const std::int64_t base = f.add(readout("01")), other = f.add(readout("02", 1));
         // The same ids name other surveys there: carried by id, they would land on those.
         ASSERT_EQ(base, *t.store.findReadout(kTube, "08"));
         ASSERT_EQ(other, *t.store.findReadout(kTube, "09"));
         ASSERT_TRUE(f.setBase(base));
         ASSERT_TRUE(f.store.setCorrections(other, {bias(0, -1.5), bias(1, 0.5)}));
     },
     2, 0, 0, 0, 1, 0,
     [](Library&, Library& t) {
         const std::int64_t base = *t.store.findReadout(kTube, "01"), other = *t.store.findReadout(kTube, "02");
         EXPECT_EQ(t.store.tubeSettings(kTube).baseId, base);
         EXPECT_EQ(t.store.corrections(other), (std::vector<Correction>{bias(0, -1.5), bias(1, 0.5)}));
     }},
    // A readout's probe and the base a new base carries on from go by the surveys' keys too.
    {"a readout's probe and a base carrying on, carried by the survey's key", false,
     [](Library& f, Library& t) {
         t.add(readout("08", 2)), t.add(readout("09", 2)), t.add(readout("01"));
         const std::int64_t old = f.add(readout("01")), now = f.add(readout("02", 1));
         ASSERT_TRUE(f.store.setProbe(old, "P2", 25000.0));
         TubeSettings s = f.store.tubeSettings(kTube);
         s.baseId = now;
         s.continuedFromId = old;
         ASSERT_TRUE(f.store.setTubeSettings(kTube, s));
     },
     1, 0, 1, 0, 1, 0,
     [](Library&, Library& t) {
         const std::int64_t old = *t.store.findReadout(kTube, "01"), now = *t.store.findReadout(kTube, "02");
         EXPECT_EQ(t.store.tubeSettings(kTube).baseId, now);
         EXPECT_EQ(t.store.tubeSettings(kTube).continuedFromId, old);
         EXPECT_EQ(t.store.survey(old)->probeSerial, "P2");
         EXPECT_EQ(t.store.survey(old)->probeConstant, 25000.0);
     }},
    // The correction only the source has goes; the one both set differently keeps the target's.
    {"only the corrections the target lacks", false,
     [](Library& f, Library& t) {
         ASSERT_TRUE(f.store.setCorrections(f.add(readout("01")), {bias(0, -1.5), bias(1, 0.5)}));
         ASSERT_TRUE(t.store.setCorrections(t.add(readout("01")), {bias(0, 3.0)}));
     },
     0, 0, 1, 0, 1, 1,
     [](Library& f, Library& t) {
         EXPECT_EQ(t.store.corrections(*t.store.findReadout(kTube, "01")),
                   (std::vector<Correction>{bias(0, 3.0), bias(1, 0.5)}));
         EXPECT_EQ(f.store.corrections(*f.store.findReadout(kTube, "01")),
                   (std::vector<Correction>{bias(0, 3.0), bias(1, 0.5)}));
     }},
};

class Sync : public testing::TestWithParam<SyncCase> {};

TEST_P(Sync, BringsTheTargetUpToTheSourceAndTheSecondRunFindsNothingToDo)
{
    const SyncCase& c = GetParam();
    TempDir dir;
    Library from(dir.file("laptop.sqlite"), "ana", c.laptopLater ? 30 : 0),
        to(dir.file("office.sqlite"), "bo", c.laptopLater ? 0 : 30);
    c.setUp(from, to);
    const SyncResult r = syncLibraries(from.store, to.store);
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(std::vector<int>({r.sent, r.completed, r.skipped, int(r.conflicts.size()), r.settingsSent, r.settingsReceived}),
              std::vector<int>({c.sent, c.completed, c.skipped, c.conflicts, c.settingsSent, c.settingsReceived}));
    c.check(from, to);
    const SyncResult again = syncLibraries(from.store, to.store);
    EXPECT_EQ(again.sent + again.completed + again.settingsSent + again.settingsReceived, 0);
    EXPECT_EQ(again.conflicts, r.conflicts);
}

INSTANTIATE_TEST_SUITE_P(Cases, Sync, testing::ValuesIn(kSyncCases),
                         [](const auto& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST(SyncCutOff, ResumesWithNoDuplicateAndNothingLost)
{
    TempDir dir;
    Library from(dir.file("laptop.sqlite")), to(dir.file("office.sqlite"), "bo");
    for (int i = 1; i <= 5; ++i)
        from.add(readout("0" + std::to_string(i), i));
    // Another program takes the target's lock after the first batch: the next one cannot be kept.
    to.store.waitWhenBusy(std::chrono::milliseconds(0), nullptr);
    sql::Database other;
    ASSERT_TRUE(other.open(dir.file("office.sqlite"), sql::Database::Mode::ReadWrite));
    SyncOptions options;
    options.batch = 2;
    bool locked = false;
    options.onBatch = [&](const SyncProgress&) { return locked || (locked = other.exec("BEGIN IMMEDIATE")); };
    const SyncResult cut = syncLibraries(from.store, to.store, options);
    EXPECT_NE(cut.error, "");
    EXPECT_EQ(cut.done, 2);
    EXPECT_EQ(to.store.list().size(), 2u);

    ASSERT_TRUE(other.exec("ROLLBACK"));
    const SyncResult resumed = syncLibraries(from.store, to.store, options);
    EXPECT_EQ(resumed.error, "");
    EXPECT_EQ(resumed.sent, 3);
    EXPECT_EQ(resumed.skipped, 2);
    ASSERT_EQ(to.store.list().size(), 5u);
    for (const Survey& s : from.store.tubeSurveys(kTube))
        EXPECT_EQ(to.store.survey(*to.store.find(s))->rows, s.rows);
}

} // namespace
