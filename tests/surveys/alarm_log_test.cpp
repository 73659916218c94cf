// The alarm log on both engines: a tube's readouts crossing and leaving its thresholds by
// displacement and by rate, each change recorded once with what set it, and acknowledged.
#include "surveys/alarm_surveys.h"
#include "surveys/library_engines.h"
#include "library/sql.h"
#include "analysis/displacement.h"
#include "library/store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>

using namespace tarvelon;
using namespace tarvelon::surveys;
using tarvelon::test::LibraryEngine;
using tarvelon::test::OnEachEngine;

namespace {

const TubeKey kTube{"C", "S", "T"};

Survey readout(const std::string& number, int day, int offset)
{
    return test::movedReadout(kTube, number, test::dayOf(day), offset);
}

TubeSettings thresholds(std::int64_t base, std::optional<double> alarmRate = 2.0)
{
    return test::alarmSettings(base, 5, 10, 1, alarmRate);
}

struct Expected {
    std::string readout, status, criterion;
    std::optional<double> value, threshold;
};

class AlarmLog : public OnEachEngine {
protected:
    void SetUp() override
    {
        OnEachEngine::SetUp();
        if (IsSkipped())
            return;
        store_.setUser("ana");
        store_.setClock([this] {
            char at[32];
            std::snprintf(at, sizeof at, "2026-03-01T10:%02d:%02dZ", ticks_ / 60, ticks_ % 60);
            ++ticks_;
            return std::string(at);
        });
        ASSERT_TRUE(store_.open(location())) << store_.error();
    }
    std::int64_t add(const Survey& s, AddStatus expected = AddStatus::Added)
    {
        const AddResult r = store_.add(s);
        EXPECT_EQ(r.status, expected) << s.readout << ": " << r.error;
        return r.id;
    }
    // The events recorded since the last look, checked against `expected` in order.
    void expectNew(const std::vector<Expected>& expected, const std::string& step)
    {
        const std::vector<AlarmEvent> all = store_.alarmEvents();
        ASSERT_GE(all.size(), seen_) << step;
        const std::vector<AlarmEvent> fresh(all.begin() + std::ptrdiff_t(seen_), all.end());
        seen_ = all.size();
        ASSERT_EQ(fresh.size(), expected.size()) << step;
        for (size_t i = 0; i < fresh.size(); ++i) {
            const AlarmEvent& e = fresh[i];
            const Expected& x = expected[i];
            EXPECT_EQ(e.tube, kTube) << step;
            EXPECT_EQ(e.readout, x.readout) << step;
            EXPECT_EQ(e.status, x.status) << step << " readout " << x.readout;
            EXPECT_EQ(e.criterion, x.criterion) << step << " readout " << x.readout;
            EXPECT_EQ(e.value.has_value(), x.value.has_value()) << step;
            if (e.value && x.value) {
                EXPECT_NEAR(*e.value, *x.value, 1e-6) << step << " readout " << x.readout;
            }
            EXPECT_EQ(e.threshold, x.threshold) << step << " readout " << x.readout;
            // The largest resultant is at the top; a rate is measured there too.
            EXPECT_EQ(e.depthM, x.value ? std::optional<double>(0.5) : std::nullopt) << step;
            EXPECT_FALSE(e.causedBy.empty());
            EXPECT_FALSE(e.at.empty());
            EXPECT_FALSE(e.acknowledged());
            if (GetParam() == LibraryEngine::SQLite) {
                EXPECT_EQ(e.causedBy, "ana");
            }
        }
    }

    SurveyStore store_;
    int ticks_ = 0;
    size_t seen_ = 0;
};

TEST_P(AlarmLog, ReadoutsCrossingAndLeavingThresholdsRecordEachChangeOnce)
{
    const std::int64_t base = add(readout("01", 1, 0));
    ASSERT_TRUE(store_.setTubeSettings(kTube, thresholds(base))) << store_.error();
    expectNew({}, "the base alone");

    const struct {
        Survey survey;
        std::vector<Expected> recorded;
    } surveys[] = {
        // 2 mm in 10 days: under every threshold.
        {readout("02", 11, 1), {}},
        // 6 mm, 0.4 mm/day: alert by displacement.
        {readout("03", 21, 3), {{"03", "ALERT", "displacement", 6.0, 5.0}}},
        // 6 mm again the next day: still an alert by displacement, a readout of its own.
        {readout("04", 22, 3), {{"04", "ALERT", "displacement", 6.0, 5.0}}},
        // 12 mm at 6 mm/day: alarm by both, the displacement named first.
        {readout("05", 23, 6), {{"05", "ALARM", "displacement", 12.0, 10.0}}},
        // 8 mm after 12 the day before: 4 mm/day, an alarm by its rate alone.
        {readout("06", 24, 4), {{"06", "ALARM", "rate", 4.0, 2.0}}},
        // 8 mm two days later, still: an alert by displacement.
        {readout("07", 26, 4), {{"07", "ALERT", "displacement", 8.0, 5.0}}},
    };
    for (const auto& s : surveys) {
        add(s.survey);
        expectNew(s.recorded, "readout " + s.survey.readout + " added");
    }

    // The same survey again, as a second import of its files: nothing new.
    add(surveys[4].survey, AddStatus::AlreadyThere);
    expectNew({}, "readout 06 imported again");

    // A rate alarm raised above its rate: readout 06 falls back to an alert by its displacement.
    ASSERT_TRUE(store_.setTubeSettings(kTube, thresholds(base, 10.0))) << store_.error();
    expectNew({{"06", "ALERT", "displacement", 8.0, 5.0}}, "alarm rate raised");

    // A correction taking readout 05's movement out: it leaves its alarm, and from 6 mm the day
    // before to none is an alert by its rate.
    ASSERT_TRUE(store_.setCorrections(store_.find(surveys[3].survey).value(),
                                      {{CorrectionKind::Bias, 0, 6, "entered", "2026-03-01T00:00:00Z", true}}))
        << store_.error();
    expectNew({{"05", "ALERT", "rate", 6.0, 1.0}}, "readout 05 corrected");

    // No thresholds at all: every raised readout goes back to none.
    TubeSettings none = thresholds(base);
    none.alertMm = none.alarmMm = none.alertMmPerDay = none.alarmMmPerDay = std::nullopt;
    ASSERT_TRUE(store_.setTubeSettings(kTube, none)) << store_.error();
    expectNew({{"03", "none", "", {}, {}}, {"04", "none", "", {}, {}}, {"05", "none", "", {}, {}},
               {"06", "none", "", {}, {}}, {"07", "none", "", {}, {}}},
              "thresholds cleared");
    ASSERT_TRUE(store_.setTubeSettings(kTube, none)) << store_.error();
    expectNew({}, "the same settings again");
}

TEST_P(AlarmLog, ABatchOfSurveysIsJudgedOnceWithTheWholeTube)
{
    const std::int64_t base = add(readout("01", 1, 0));
    ASSERT_TRUE(store_.setTubeSettings(kTube, thresholds(base))) << store_.error();
    const std::vector<AddResult> added =
        store_.addBatch({readout("02", 11, 1), readout("03", 21, 6), readout("04", 31, 6)}, {}, "sync");
    ASSERT_EQ(added.size(), 3u);
    EXPECT_EQ(added[2].status, AddStatus::Added) << added[2].error;
    expectNew({{"03", "ALARM", "displacement", 12.0, 10.0}, {"04", "ALARM", "displacement", 12.0, 10.0}}, "batch");
    store_.addBatch({readout("03", 21, 6)}, {}, "sync");
    expectNew({}, "the batch again");
}

TEST_P(AlarmLog, AnAcknowledgedEventStaysWithItsNoteAndIsNotAcknowledgedTwice)
{
    const std::int64_t base = add(readout("01", 1, 0));
    ASSERT_TRUE(store_.setTubeSettings(kTube, thresholds(base))) << store_.error();
    const std::int64_t alarm = add(readout("02", 11, 6));
    add(readout("03", 21, 3));
    ASSERT_EQ(store_.alarmEvents().size(), 2u);
    const std::int64_t first = store_.alarmEvents().front().id;

    EXPECT_FALSE(store_.acknowledgeAlarm(first, "  "));
    EXPECT_NE(store_.error().find("needs a note"), std::string::npos) << store_.error();
    EXPECT_EQ(store_.acknowledgeReadout(alarm, "inspected the slope; no crack"), 1) << store_.error();
    EXPECT_EQ(store_.acknowledgeReadout(alarm, "again"), 0) << "acknowledged twice";

    const std::vector<AlarmEvent> all = store_.alarmEvents();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_TRUE(all[0].acknowledged());
    EXPECT_EQ(all[0].note, "inspected the slope; no crack");
    EXPECT_FALSE(all[0].acknowledgedBy.empty());
    EXPECT_GE(all[0].acknowledgedAt, all[0].at);
    EXPECT_FALSE(all[1].acknowledged());
    EXPECT_FALSE(store_.acknowledgeAlarm(all[0].id, "once more"));

    AlarmFilter open;
    open.unacknowledged = true;
    ASSERT_EQ(store_.alarmEvents(open).size(), 1u);
    EXPECT_EQ(store_.alarmEvents(open)[0].readout, "03");
    AlarmFilter elsewhere;
    elsewhere.site = "other";
    EXPECT_TRUE(store_.alarmEvents(elsewhere).empty());
    AlarmFilter later;
    later.since = "2999-01-01";
    EXPECT_TRUE(store_.alarmEvents(later).empty());
    later.since = "2000-01-01";
    EXPECT_EQ(store_.alarmEvents(later).size(), 2u);
    // The acknowledgement is in the tube's history.
    const std::vector<HistoryEntry> history = store_.history(kTube);
    EXPECT_TRUE(std::any_of(history.begin(), history.end(), [](const HistoryEntry& h) {
        return h.what == "ALARM of survey 02 of 11/03/24 acknowledged: inspected the slope; no crack";
    }));
}

// A library from before the alarm log, upgraded: the readouts already raised are recorded as
// found, marked so, and the first change records only what it changed; a new tube whose first
// readout crosses a threshold is recorded as any change is.
TEST_P(AlarmLog, AnUpgradeRecordsTheStatesFoundAndTheNextChangeOnlyItsOwn)
{
    const std::int64_t base = add(readout("01", 1, 0));
    ASSERT_TRUE(store_.setTubeSettings(kTube, thresholds(base))) << store_.error();
    add(readout("02", 11, 6)); // 12 mm: ALARM
    add(readout("03", 21, 3)); // 6 mm: ALERT
    store_ = SurveyStore();
    // Back to the tables of version 8, which had no log.
    if (GetParam() == LibraryEngine::SQLite) {
        sql::Database raw;
        ASSERT_TRUE(raw.open(location(), sql::Database::Mode::ReadWrite)) << raw.error();
        ASSERT_TRUE(raw.exec("DROP TABLE alarm_events; ALTER TABLE tubes DROP COLUMN easting; ALTER TABLE tubes "
                             "DROP COLUMN northing; ALTER TABLE tubes DROP COLUMN reading_interval_days; "
                             "ALTER TABLE tube_reports DROP COLUMN language; PRAGMA user_version = 8"))
            << raw.error();
    } else {
        ASSERT_TRUE(test::onServer("DROP TABLE alarm_events; DROP FUNCTION tarvelon_stamp_alarm(); ALTER TABLE tubes "
                                   "DROP COLUMN easting, DROP COLUMN northing, DROP COLUMN reading_interval_days; "
                                   "ALTER TABLE tube_reports DROP COLUMN language; UPDATE library_version SET version = 8",
                                   library().database()));
    }
    store_.setUser("ana");
    store_.setClock([this] { return "2026-03-02T00:00:" + std::to_string(10 + ticks_++) + "Z"; });
    ASSERT_TRUE(store_.open(location())) << store_.error();
    seen_ = 0;
    expectNew({{"02", "ALARM", "displacement", 12.0, 10.0}, {"03", "ALERT", "displacement", 6.0, 5.0}}, "upgraded");
    for (const AlarmEvent& e : store_.alarmEvents())
        EXPECT_TRUE(e.baseline) << e.readout;

    add(readout("04", 31, 6));
    expectNew({{"04", "ALARM", "displacement", 12.0, 10.0}}, "the first survey after the upgrade");
    EXPECT_FALSE(store_.alarmEvents().back().baseline);

    // Opened again: nothing more.
    store_ = SurveyStore();
    ASSERT_TRUE(store_.open(location())) << store_.error();
    EXPECT_EQ(store_.alarmEvents().size(), 3u);

    const TubeKey fresh{"C", "S", "NEW"};
    Survey first = readout("01", 1, 0), alarm = readout("02", 11, 6);
    first.tube = alarm.tube = fresh.tube;
    const std::int64_t freshBase = add(first);
    ASSERT_TRUE(store_.setTubeSettings(fresh, thresholds(freshBase))) << store_.error();
    add(alarm);
    AlarmFilter ofFresh;
    ofFresh.tube = fresh.tube;
    const std::vector<AlarmEvent> recorded = store_.alarmEvents(ofFresh);
    ASSERT_EQ(recorded.size(), 1u);
    EXPECT_EQ(recorded[0].status, "ALARM");
    EXPECT_FALSE(recorded[0].baseline);
}

// Whatever changed, the status the log last recorded of each readout is the one a fresh analysis
// of the whole tube gives: a survey added after the others has only itself judged, with the
// readouts its rate reaches back to, and any other change has the whole tube judged.
TEST_P(AlarmLog, TheLogFollowsAFreshAnalysisOfTheWholeTube)
{
    struct Step {
        enum { Add, CarryOn, Probe } kind;
        int day = 0, offset = 0;
        std::string time = "10:00:00";
        bool withoutTop = false; // the top depth not read: an incomplete survey
    };
    const struct {
        const char* tube;
        double minIntervalDays;
        std::vector<Step> steps;
    } cases[] = {
        {"daily", 1, {{Step::Add, 2, 1}, {Step::Add, 3, 2}, {Step::Add, 4, 4}, {Step::Add, 5, 7}, {Step::Add, 6, 7},
                      {Step::Add, 7, 8}, {Step::Add, 8, 1}}},
        // A rate measured against the readout a week before, beyond the few read at first: back
        // from +4 to -4 mm in a week is an alert by its rate, under every displacement threshold.
        {"weekly interval", 7, {{Step::Add, 2, 2}, {Step::Add, 3, 2}, {Step::Add, 4, 2}, {Step::Add, 5, 2},
                                {Step::Add, 6, 2}, {Step::Add, 7, 2}, {Step::Add, 8, 2}, {Step::Add, 9, -2},
                                {Step::Add, 10, -2}, {Step::Add, 11, -2}, {Step::Add, 12, -2}, {Step::Add, 13, -2},
                                {Step::Add, 14, -2}, {Step::Add, 15, -2}}},
        // The top not read for days: its rate reaches back past them, to the last that read it.
        {"incomplete", 1, {{Step::Add, 2, 2}, {Step::Add, 3, -2, "10:00:00", true}, {Step::Add, 4, -2, "10:00:00", true},
                           {Step::Add, 5, -2, "10:00:00", true}, {Step::Add, 6, -2, "10:00:00", true},
                           {Step::Add, 7, -2, "10:00:00", true}, {Step::Add, 8, -2}}},
        // A readout older than the latest: those after it are measured against it.
        {"added before others", 1, {{Step::Add, 10, 2}, {Step::Add, 12, 8}, {Step::Add, 11, 4}, {Step::Add, 5, 6}}},
        // Two readouts at the same time, then a third: the first of the two is its reference.
        {"same time", 1, {{Step::Add, 3, 2}, {Step::Add, 3, 5}, {Step::Add, 4, 5}, {Step::Add, 5, 9}}},
        // A new base carrying on from the first, then readouts against it.
        {"carried base", 1, {{Step::Add, 2, 2}, {Step::Add, 3, 3}, {Step::CarryOn}, {Step::Add, 4, 4},
                             {Step::Add, 5, 4}, {Step::Add, 6, 6}}},
        // A readout found read with a probe of another constant: its movement is another.
        {"probe changed", 1, {{Step::Add, 2, 1}, {Step::Add, 3, 2}, {Step::Add, 4, 2}, {Step::Probe}}},
    };
    for (const auto& c : cases) {
        const TubeKey tube{"C", "S", c.tube};
        const auto survey = [&tube](int n, const Step& step) {
            Survey s = readout((n < 10 ? "0" : "") + std::to_string(n), step.day, step.offset);
            s.tube = tube.tube;
            s.time = step.time;
            if (step.withoutTop) {
                s.rows.erase(s.rows.begin());
                s.missingTenths = {5};
            }
            return s;
        };
        const std::int64_t base = add(survey(1, {Step::Add, 1, 0}));
        TubeSettings settings = thresholds(base);
        settings.minIntervalDays = c.minIntervalDays;
        ASSERT_TRUE(store_.setTubeSettings(tube, settings)) << store_.error();
        std::int64_t latest = base;
        int n = 2;
        for (const Step& step : c.steps) {
            if (step.kind == Step::Add) {
                latest = add(survey(n++, step));
            } else if (step.kind == Step::CarryOn) {
                settings.continuedFromId = settings.baseId;
                settings.baseId = latest;
                ASSERT_TRUE(store_.setTubeSettings(tube, settings)) << store_.error();
            } else {
                ASSERT_TRUE(store_.setProbe(latest, "P2", 2000)) << store_.error();
            }
            std::map<std::string, std::string> logged;
            for (const AlarmEvent& e : store_.alarmEvents())
                if (e.tube == tube)
                    logged[e.readout + " " + e.date + " " + e.time] = e.status;
            const std::vector<Survey> surveys = store_.tubeSurveys(tube);
            const TubeResult fresh = analyseTube(surveys, store_.tubeSettings(tube), store_.corrections(tube));
            size_t raised = 0;
            for (const ReadoutResult& r : fresh.readouts) {
                const auto was = logged.find(r.survey->readout + " " + r.survey->date + " " + r.survey->time);
                const std::string status = r.level == Level::None ? "none" : levelWord(r.level);
                raised += status != "none";
                EXPECT_EQ(was == logged.end() ? "none" : was->second, status)
                    << c.tube << ", step " << n << ": readout " << r.survey->readout;
            }
            if (&step == &c.steps.back()) {
                EXPECT_GT(raised, 0u) << c.tube << ": no readout ever crossed a threshold";
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, AlarmLog, testing::Values(LibraryEngine::SQLite, LibraryEngine::PostgreSQL),
                         tarvelon::test::engineName);

} // namespace
