// A site's table: the projection against a line worked out by hand, the rows' order and state,
// the CSV as scripts read it, and the tubes read from the library on either engine.
#include "analysis/site.h"
#include "library/site.h"
#include "library/store.h"
#include "library_engines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <iterator>

using namespace tarvelon;
using namespace tarvelon::surveys;

namespace {

// 01/03/24, the base of every tube below, in days since 1970.
const double kMarch1 = *isoDays("2024-03-01");

// A tube whose readouts hold these resultants (mm) at 5.0 m, `days` after the base; the
// latest's rate is at 5.0 m. Surveys are kept in `store`, which must outlive the result.
TubeResult tubeOf(std::deque<Survey>& store, const std::vector<std::pair<double, double>>& readouts,
                  std::optional<double> alarmMm = 10.0)
{
    Survey& base = store.emplace_back();
    base.date = "01/03/24";
    base.time = "00:00:00";
    base.readout = "01";
    TubeResult tube;
    tube.base = &base;
    tube.settings.alarmMm = alarmMm;
    int n = 2;
    for (const auto& [days, mm] : readouts) {
        Survey& s = store.emplace_back();
        s.readout = std::to_string(n++);
        s.date = isoDate(kMarch1 + days); // only the days are read below
        ReadoutResult r;
        r.survey = &s;
        r.days = kMarch1 + days;
        r.displacement.compared = true;
        DisplacementRow row;
        row.depthTenths = 50;
        row.resultant = mm;
        row.azimuth = 90;
        r.displacement.rows.push_back(row);
        r.largestMm = mm;
        r.largestDepthTenths = 50;
        r.largestAzimuth = 90;
        r.rateMmPerDay = 0.1;
        r.rateDepthTenths = 50;
        tube.readouts.push_back(std::move(r));
    }
    return tube;
}

} // namespace

// y = -0.05 + 0.12 x through (0, 0), (10, 1.0), (20, 2.5), (30, 3.5): mean x 15, mean y 1.75,
// Sxx 500, Sxy 60; 10 mm reached at x = 10.05 / 0.12 = 83.75, 83 days after 01/03/24.
TEST(SiteProjection, FitsTheHandComputedLine)
{
    const struct {
        const char* what;
        std::vector<std::pair<double, double>> readouts;
        std::optional<double> alarm;
        std::optional<double> slope, intercept; // none: no projection
        std::string date;
    } cases[] = {
        {"rising", {{10, 1.0}, {20, 2.5}, {30, 3.5}}, 10.0, 0.12, -0.05, "2024-05-23"},
        // Only the latest five readouts, on y = 0.12 x - 0.05: the base and the two first, far off
        // it, are left out.
        {"last five", {{1, 9.0}, {2, 9.0}, {5, 0.55}, {10, 1.15}, {20, 2.35}, {30, 3.55}, {40, 4.75}}, 10.0, 0.12, -0.05, ""},
        {"no alarm set", {{10, 1.0}, {20, 2.5}, {30, 3.5}}, std::nullopt, 0.12, -0.05, ""},
        {"too few readouts", {{10, 1.0}}, 10.0, {}, {}, ""},
        // Falling over the latest five; the base, at 0, no longer among them.
        {"not rising", {{5, 3.0}, {10, 2.8}, {20, 2.5}, {30, 2.2}, {40, 2.0}}, 10.0, {}, {}, ""},
        {"flat", {{10, 0.0}, {20, 0.0}}, 10.0, {}, {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::deque<Survey> surveys;
        const TubeResult tube = tubeOf(surveys, c.readouts, c.alarm);
        const std::optional<Projection> p = projectAlarm(tube);
        ASSERT_EQ(p.has_value(), c.slope.has_value());
        if (!p)
            continue;
        EXPECT_NEAR(p->slopeMmPerDay, *c.slope, 1e-9);
        EXPECT_EQ(p->depthTenths, 50);
        EXPECT_EQ(p->points, std::min<int>(int(c.readouts.size()) + 1, kProjectionReadouts));
        if (c.intercept) {
            EXPECT_NEAR(p->interceptMm + p->slopeMmPerDay * kMarch1, *c.intercept, 1e-9);
        }
        EXPECT_EQ(p->alarmDays.has_value(), c.alarm.has_value());
        if (!c.date.empty()) {
            ASSERT_TRUE(p->alarmDays);
            EXPECT_NEAR(*p->alarmDays - kMarch1, 83.75, 1e-9);
            EXPECT_EQ(isoDate(*p->alarmDays), c.date);
            EXPECT_EQ(projectionText(*p, tube.settings),
                      "0.120 mm/day over 4 readouts at 5.0 m (2024-03-01 to 2024-03-31); reaches 10.00 mm on 2024-05-23");
        }
    }
}

// A tube already past its alarm is said to have reached it: the line's crossing lies before the
// latest readout, and a date in the past would read as a forecast.
TEST(SiteProjection, AnAlarmAlreadyReachedIsNoForecast)
{
    for (const double alarm : {3.5, 3.0, 3.6}) {
        SCOPED_TRACE(alarm);
        std::deque<Survey> surveys;
        const TubeResult tube = tubeOf(surveys, {{10, 1.0}, {20, 2.5}, {30, 3.5}}, alarm);
        const std::optional<Projection> p = projectAlarm(tube);
        ASSERT_TRUE(p);
        const bool reached = alarm <= 3.5;
        EXPECT_EQ(p->reached, reached);
        EXPECT_EQ(p->alarmDays.has_value(), !reached);
        if (p->alarmDays) {
            EXPECT_GT(*p->alarmDays, p->toDays);
        }
        EXPECT_EQ(projectionText(*p, tube.settings).find("already at or past the alarm") != std::string::npos, reached);
    }
}

// A movement whose every change is within the precision band has no rate of its own: the line is
// fitted where the change was largest all the same; with no rate anywhere there is none.
TEST(SiteProjection, WithinTheBandAtTheLargestRatesDepth)
{
    std::deque<Survey> surveys;
    TubeResult tube = tubeOf(surveys, {{10, 1.0}, {20, 2.5}, {30, 3.5}});
    ReadoutResult& latest = tube.readouts.back();
    latest.rateMmPerDay.reset();
    latest.rateDepthTenths.reset();
    latest.displacement.rows[0].rateMmPerDay = 0.1;
    std::optional<Projection> p = projectAlarm(tube);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->depthTenths, 50);
    EXPECT_NEAR(p->slopeMmPerDay, 0.12, 1e-9);
    latest.displacement.rows[0].rateMmPerDay.reset();
    EXPECT_FALSE(projectAlarm(tube));
}

TEST(SiteProjection, DatesGoBothWays)
{
    const std::pair<const char*, double> cases[] = {
        {"1970-01-01", 0}, {"2024-02-29", 19782}, {"2000-03-01", 11017}, {"1969-12-31", -1}};
    for (const auto& [text, days] : cases) {
        EXPECT_EQ(isoDate(days), text);
        EXPECT_EQ(isoDays(text), days) << text;
    }
    for (const char* wrong : {"2024-02-30", "2024-13-01", "24-03-01", "2024-03-01x", ""})
        EXPECT_FALSE(isoDays(wrong)) << wrong;
}

// The most alarming first, the fastest first within a level, tubes with nothing compared last;
// days since and overdue against each tube's interval.
TEST(SiteRows, SortByStatusThenRateAndSayWhatIsOverdue)
{
    std::deque<Survey> surveys;
    struct Tube {
        const char* name;
        Level level;
        double rate;
        std::optional<double> interval;
        bool compared;
    };
    const Tube tubes[] = {
        {"I1", Level::None, 0.50, 7.0, true},   {"I2", Level::Alarm, 0.05, std::nullopt, true},
        {"I3", Level::Alert, 0.20, 30.0, true}, {"I4", Level::Alarm, 0.30, std::nullopt, true},
        {"I5", Level::None, 0.0, std::nullopt, false},
    };
    std::vector<TubeResult> results;
    for (const Tube& t : tubes) {
        TubeResult r = tubeOf(surveys, {{10, 1.0}, {20, 2.0}});
        r.settings.readingIntervalDays = t.interval;
        r.readouts.back().level = t.level;
        r.readouts.back().rateMmPerDay = t.rate;
        if (t.level != Level::None)
            r.readouts.back().causes = {{t.level, Criterion::Rate, t.rate, 0.05, 50}};
        if (!t.compared) {
            r.readouts.clear();
            r.base = nullptr;
            r.reason = Reason(QT_TRANSLATE_NOOP("Texts", "no base readout is chosen for the tube"));
        }
        results.push_back(std::move(r));
    }
    std::vector<std::pair<TubeKey, const TubeResult*>> in;
    for (size_t i = 0; i < results.size(); ++i)
        in.push_back({{"C", "S", tubes[i].name}, &results[i]});
    const double today = kMarch1 + 30.5;
    const std::vector<SiteRow> rows = siteRows(in, today);
    std::vector<std::string> order;
    for (const SiteRow& r : rows)
        order.push_back(r.key.tube);
    EXPECT_EQ(order, (std::vector<std::string>{"I4", "I2", "I3", "I1", "I5"}));
    ASSERT_TRUE(rows[3].daysSince);
    EXPECT_DOUBLE_EQ(*rows[3].daysSince, 10.5);
    EXPECT_EQ(rows[3].overdue, true);   // every 7 days, 10.5 since
    EXPECT_EQ(rows[2].overdue, false);  // every 30 days
    EXPECT_FALSE(rows[0].overdue);      // no interval
    EXPECT_EQ(rows[4].reason.english(), "no base readout is chosen for the tube");
    EXPECT_EQ(criteriaText(rows[0].causes), "rate");
    EXPECT_EQ(criteriaText({{Level::Alarm, Criterion::Displacement, 12, 10, 50}, {Level::Alarm, Criterion::Rate, 1, 0.5, 50}}),
              "displacement and rate");

    // The CSV: the header as scripts read it, a row per tube in the same order.
    const std::string csv = siteCsv(rows);
    const std::string header = "client,site,tube,latest_readout,latest_date,days_since_latest,overdue,largest_mm,"
                               "largest_depth_m,azimuth_deg,rate,rate_unit,status,criterion,projected_alarm_date\n";
    EXPECT_EQ(csv.substr(0, header.size()), header);
    EXPECT_NE(csv.find("\nC,S,I4,03,2024-03-21,10.5,,2.00,5.0,90.00,0.300,mm/day,ALARM,rate,2024-06-09\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\nC,S,I1,03,2024-03-21,10.5,yes,2.00,5.0,90.00,0.500,mm/day,,,2024-06-09\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\nC,S,I5,,,,,,,,,mm/day,not computed: no base readout is chosen for the tube,,\n"), std::string::npos) << csv;
    size_t lines = 0;
    for (char c : csv)
        lines += c == '\n';
    EXPECT_EQ(lines, rows.size() + 1);

    // In inches throughout: the length's column says so.
    for (TubeResult& r : results)
        r.settings.units = Units::Inches;
    const std::string inches = siteCsv(siteRows(in, today));
    EXPECT_EQ(inches.rfind("client,site,tube,latest_readout,latest_date,days_since_latest,overdue,largest_in,", 0), 0u);
    EXPECT_NE(inches.find(",0.079,5.0,"), std::string::npos) << inches;
}

using SiteOnEachEngine = test::OnEachEngine;

INSTANTIATE_TEST_SUITE_P(Engines, SiteOnEachEngine,
                         testing::Values(test::LibraryEngine::SQLite, test::LibraryEngine::PostgreSQL),
                         test::engineName);

// A site's tubes read from the library, a client's across its sites; the plan's coordinates and
// the reading interval kept and read back with the tube's settings.
TEST_P(SiteOnEachEngine, ReadsEveryTubeOfTheSiteWithItsPlace)
{
    SurveyStore store;
    ASSERT_TRUE(store.open(location())) << store.error();
    const struct {
        const char* site;
        const char* tube;
    } tubes[] = {{"S1", "A"}, {"S1", "B"}, {"S2", "C"}};
    for (const auto& t : tubes)
        for (int n = 1; n <= 3; ++n) {
            Survey s;
            s.client = "CL";
            s.site = t.site;
            s.tube = t.tube;
            s.readout = "0" + std::to_string(n);
            s.date = "0" + std::to_string(n) + "/03/24";
            s.time = "09:00:00";
            s.step = 0.5;
            for (int d = 5; d <= 20; d += 5)
                s.rows.push_back({d, {std::int64_t(1000 + 10 * n * (d <= 10)), std::int64_t(-300)}});
            ASSERT_EQ(store.add(s).status, AddStatus::Added) << store.error();
        }
    TubeSettings placed;
    placed.constant = 25000;
    placed.baseId = *store.findReadout({"CL", "S1", "A"}, "01");
    placed.easting = 1250.5;
    placed.northing = -30.25;
    placed.readingIntervalDays = 7;
    ASSERT_TRUE(store.setTubeSettings({"CL", "S1", "A"}, placed)) << store.error();
    EXPECT_EQ(store.tubeSettings({"CL", "S1", "A"}), placed);
    const std::vector<HistoryEntry> history = store.history({"CL", "S1", "A"});
    ASSERT_FALSE(history.empty());
    EXPECT_NE(history.back().what.find("easting none \u2192 1250.500 m"), std::string::npos) << history.back().what;

    const Site site = loadSite(store, "CL", std::string("S1"), kMarch1 + 10);
    ASSERT_EQ(site.rows.size(), 2u);
    ASSERT_EQ(site.tubes.size(), 2u);
    // A, compared and moving, before B, which has no base.
    EXPECT_EQ(site.rows[0].key.tube, "A");
    ASSERT_TRUE(site.rows[0].latest);
    EXPECT_EQ(site.rows[0].latest->survey->readout, "03");
    EXPECT_EQ(site.rows[0].settings.easting, 1250.5);
    EXPECT_EQ(site.rows[0].overdue, true); // read on 03/03, every 7 days, 8 days ago
    EXPECT_TRUE(site.rows[0].projection);   // 0, 0.4 and 0.8 mm: rising
    EXPECT_EQ(site.rows[1].key.tube, "B");
    EXPECT_FALSE(site.rows[1].latest && site.rows[1].latest->displacement.compared);

    const Site client = loadSite(store, "CL", std::nullopt, kMarch1 + 10);
    EXPECT_EQ(client.rows.size(), 3u);
    EXPECT_TRUE(loadSite(store, "nobody", std::nullopt, kMarch1).rows.empty());
}

// A site's table reads each tube's base and latest readouts only: what it shows is what every
// readout read gives, for a tube read daily and then twice within its minimum interval.
TEST_P(SiteOnEachEngine, TheLatestReadoutsGiveWhatEveryReadoutGives)
{
    SurveyStore store;
    ASSERT_TRUE(store.open(location())) << store.error();
    const TubeKey key{"CL", "S", "LONG"};
    for (int n = 1; n <= 14; ++n) {
        Survey s;
        s.client = key.client;
        s.site = key.site;
        s.tube = key.tube;
        s.readout = std::to_string(n);
        // Daily, the last two a few hours after the one before them: their rate reaches back.
        const int day = n <= 12 ? n : 12;
        s.date = (day < 10 ? "0" : "") + std::to_string(day) + "/03/24";
        s.time = n <= 12 ? "08:00:00" : n == 13 ? "12:00:00" : "16:00:00";
        s.step = 0.5;
        for (int d = 5; d <= 30; d += 5)
            s.rows.push_back({d, {std::int64_t(1000 + (d <= 15 ? n * n * 4 : 0)), std::int64_t(-300 + n)}});
        ASSERT_EQ(store.add(s).status, AddStatus::Added) << store.error();
    }
    TubeSettings t;
    t.constant = 25000;
    t.baseId = *store.findReadout(key, "1");
    t.alarmMm = 40;
    t.alertMmPerDay = 0.1;
    ASSERT_TRUE(store.setTubeSettings(key, t)) << store.error();
    const Site latest = loadSite(store, "CL", std::string("S"), kMarch1 + 20);
    const Site whole = loadSite(store, "CL", std::string("S"), kMarch1 + 20, true);
    ASSERT_EQ(latest.rows.size(), 1u);
    EXPECT_EQ(latest.tubes[0]->surveys.size(), kSiteReadouts + 1);
    EXPECT_EQ(whole.tubes[0]->surveys.size(), 14u);
    const SiteRow &a = latest.rows[0], &b = whole.rows[0];
    ASSERT_TRUE(a.latest && b.latest);
    EXPECT_EQ(a.latest->survey->readout, "14");
    EXPECT_EQ(a.latest->largestMm, b.latest->largestMm);
    ASSERT_TRUE(a.latest->rateMmPerDay);
    EXPECT_EQ(a.latest->rateMmPerDay, b.latest->rateMmPerDay);
    EXPECT_EQ(a.latest->rateFromDays, b.latest->rateFromDays);
    EXPECT_EQ(a.level, b.level);
    EXPECT_EQ(siteCsv(latest.rows), siteCsv(whole.rows));
    ASSERT_TRUE(a.projection && b.projection);
    EXPECT_EQ(a.projection->points, kProjectionReadouts);
    EXPECT_DOUBLE_EQ(a.projection->slopeMmPerDay, b.projection->slopeMmPerDay);
}

// The site read at once gives each tube what its every readout read gives: a base carried on
// from an earlier one, corrections, another probe, no base, a base since deleted.
TEST_P(SiteOnEachEngine, TheSiteReadAtOnceGivesWhatEachWholeTubeGives)
{
    SurveyStore store;
    ASSERT_TRUE(store.open(location())) << store.error();
    enum class Kind { Plain, Carried, Corrected, OtherProbe, NoBase, BaseDeleted };
    const struct {
        const char* tube;
        Kind kind;
    } tubes[] = {{"PLAIN", Kind::Plain},          {"CARRIED", Kind::Carried},   {"CORRECTED", Kind::Corrected},
                 {"PROBE", Kind::OtherProbe},     {"NOBASE", Kind::NoBase},     {"GONE", Kind::BaseDeleted}};
    for (const auto& t : tubes) {
        const TubeKey key{"CL", "S", t.tube};
        std::vector<std::int64_t> ids;
        for (int n = 1; n <= 12; ++n) {
            Survey s;
            s.client = key.client;
            s.site = key.site;
            s.tube = key.tube;
            s.readout = (n < 10 ? "0" : "") + std::to_string(n);
            s.date = (n < 10 ? "0" : "") + std::to_string(n) + "/03/24";
            s.time = "08:00:00";
            s.step = 0.5;
            for (int d = 5; d <= 30; d += 5)
                s.rows.push_back({d, {std::int64_t(1000 + (d <= 15 ? n * n * 3 : 0)), std::int64_t(-300 + 2 * n)}});
            const AddResult r = store.add(s);
            ASSERT_EQ(r.status, AddStatus::Added) << r.error;
            ids.push_back(r.id);
        }
        TubeSettings settings;
        settings.constant = 25000;
        settings.alertMm = 1;
        settings.alertMmPerDay = 0.05;
        settings.baseId = t.kind == Kind::NoBase ? 0 : ids[0];
        if (t.kind == Kind::Carried) {
            // The first base is older than every readout the table reads.
            settings.continuedFromId = ids[0];
            settings.baseId = ids[2];
        }
        ASSERT_TRUE(store.setTubeSettings(key, settings)) << store.error();
        if (t.kind == Kind::Corrected) {
            for (size_t i = 8; i < ids.size(); ++i)
                ASSERT_TRUE(store.setCorrections(ids[i], {{CorrectionKind::Bias, 0, 4, "entered", "2024-03-20T00:00:00Z", true}}))
                    << store.error();
        }
        if (t.kind == Kind::OtherProbe) {
            ASSERT_TRUE(store.setProbe(ids.back(), "P2", 20000)) << store.error();
        }
        if (t.kind == Kind::BaseDeleted) {
            ASSERT_TRUE(store.remove(ids[0])) << store.error();
        }
    }
    const Site latest = loadSite(store, "CL", std::string("S"), kMarch1 + 20);
    const Site whole = loadSite(store, "CL", std::string("S"), kMarch1 + 20, true);
    ASSERT_EQ(latest.rows.size(), std::size(tubes));
    EXPECT_EQ(siteCsv(latest.rows), siteCsv(whole.rows));
    for (size_t i = 0; i < latest.rows.size(); ++i) {
        const SiteRow &a = latest.rows[i], &b = whole.rows[i];
        ASSERT_EQ(a.key, b.key);
        EXPECT_EQ(a.reason, b.reason) << a.key.tube;
        ASSERT_EQ(bool(a.latest), bool(b.latest)) << a.key.tube;
        if (!a.latest)
            continue;
        EXPECT_EQ(a.latest->largestMm, b.latest->largestMm) << a.key.tube;
        EXPECT_EQ(a.latest->rateMmPerDay, b.latest->rateMmPerDay) << a.key.tube;
        EXPECT_EQ(a.latest->carried, b.latest->carried) << a.key.tube;
        EXPECT_EQ(a.latest->corrections.size(), b.latest->corrections.size()) << a.key.tube;
    }
    // The carried tube carries on from its first base, which only the whole tube would hold
    // among its latest readouts otherwise.
    const auto carried = std::find_if(latest.rows.begin(), latest.rows.end(),
                                      [](const SiteRow& r) { return r.key.tube == "CARRIED"; });
    ASSERT_NE(carried, latest.rows.end());
    ASSERT_TRUE(carried->latest);
    EXPECT_TRUE(carried->latest->carried);
}
