// Hand-worked cases of each survey's own probe and of a new base that carries on from the one
// before it.
#include "analysis/displacement.h"

#include <gtest/gtest.h>

#include <map>

using namespace tarvelon::surveys;

namespace {

TubeSettings probe(double k = 25000)
{
    TubeSettings t;
    t.constant = k;
    t.gaugeM = 0.5;
    return t;
}

// A readout at 0.5 m steps, `to` tenths deep, every reading `level` but these (A, B) at these depths.
Survey readout(std::int64_t id, std::string date, int to, std::map<int, std::pair<std::int64_t, std::int64_t>> at = {},
               std::int64_t level = 0)
{
    Survey s;
    s.id = id;
    s.readout = std::to_string(id);
    s.date = std::move(date);
    s.time = "10:00:00";
    s.step = 0.5;
    for (int t = 5; t <= to; t += 5) {
        const auto c = at.find(t);
        s.rows.push_back({t, {c == at.end() ? level : c->second.first, c == at.end() ? level : c->second.second}});
    }
    return s;
}

const ReadoutResult& of(const TubeResult& tube, std::int64_t id)
{
    for (const ReadoutResult& r : tube.readouts)
        if (r.survey->id == id)
            return r;
    throw std::runtime_error("no readout " + std::to_string(id));
}

double topA(const ReadoutResult& r)
{
    const auto& a = r.displacement.rows.at(0).cumulative[0];
    return a ? *a : 1e9; // nothing computed: as far from any figure as it gets
}

// The base read 1000 units (sin 0.05 with K 20 000) everywhere; the readout read with a probe of
// K 25 000, 1300 units at 1.0 m (sin 0.052) and 1250 elsewhere (sin 0.05: no change). The change
// at 1.0 m is 1300 - 1000 x 25000 / 20000 = 50 units, 1000 x 0.5 x 50 / 25000 = 1.00 mm.
TEST(Probe, EachSurveyIsReducedWithItsOwnConstantAndAChangeIsSaid)
{
    Survey base = readout(1, "01/03/24", 20, {}, 1000);
    base.probeSerial = "P1";
    base.probeConstant = 20000;
    Survey other = readout(2, "11/03/24", 20, {{10, {1300, 1250}}}, 1250);
    other.probeSerial = "P2";
    other.probeConstant = 25000;
    const TubeSettings t = probe(20000);
    const TubeResult tube = analyseTube(&base, {&base, &other}, t);
    const ReadoutResult& r = of(tube, 2);
    ASSERT_TRUE(r.displacement.rows.at(1).change[0]);
    EXPECT_NEAR(*r.displacement.rows.at(1).change[0], 50, 1e-9);
    EXPECT_NEAR(*r.displacement.rows.at(1).incremental[0], 1.0, 1e-9);
    ASSERT_TRUE(r.displacement.rows.at(3).cumulative[1]);
    EXPECT_NEAR(*r.displacement.rows.at(3).cumulative[1], 0, 1e-9);
    EXPECT_NEAR(topA(r), 1.0, 1e-9);
    EXPECT_EQ(r.probeChange.english(), "probe changed since the base: read with P2, K 25000, the base with P1, K 20000 (each "
                             "reduced with its own constant)");
    EXPECT_NE(readoutNotes(r, t).find(r.probeChange.english()), std::string::npos) << readoutNotes(r, t);
    const std::string csv = summaryCsv(tube);
    EXPECT_NE(csv.find(",status,probe\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",\"P2, K 25000\"\n"), std::string::npos) << csv;

    // Reduced with the tube's constant, as before each survey kept its own, the change of probe
    // reads as 250 units of movement at every depth.
    Survey unknown = other;
    unknown.probeConstant.reset();
    const TubeResult asTube = analyseTube(&base, {&base, &unknown}, probe(20000));
    EXPECT_GT(topA(of(asTube, 2)), 20);

    // The same probe, or a serial only one side knows: nothing said.
    const struct {
        const char *baseSerial, *serial;
        std::optional<double> k;
        bool said;
    } cases[] = {{"P1", "P1", std::nullopt, false}, {"", "P2", std::nullopt, false}, {"P1", "P2", std::nullopt, true},
                 {"P1", "P1", 21000.0, true}};
    for (const auto& c : cases) {
        Survey a = readout(1, "01/03/24", 10), b = readout(2, "02/03/24", 10);
        a.probeSerial = c.baseSerial;
        b.probeSerial = c.serial;
        b.probeConstant = c.k;
        EXPECT_EQ(!probeChangeText(a, b, probe()).empty(), c.said) << c.baseSerial << " / " << c.serial;
    }
}

// Readouts 1 (base), 2 and 3 (the new base) against the first; 4 and 5 against the new base. At
// 1.0 m A moved 100 units (2 mm) by the new base, 50 more (1 mm) by readout 4 ten days after it,
// and 25 more by readout 5 twenty days after that.
TEST(CarriedBase, EveryLaterReadoutRunsOnFromThePreviousBaseWithoutAJump)
{
    const Survey first = readout(1, "01/03/24", 20), between = readout(2, "11/03/24", 20, {{10, {40, 0}}});
    const Survey newBase = readout(3, "21/03/24", 20, {{10, {100, 0}}});
    const Survey after = readout(4, "31/03/24", 20, {{10, {150, 0}}}), later = readout(5, "20/04/24", 20, {{10, {175, 0}}});
    const Survey older = readout(6, "01/02/24", 20);
    TubeSettings t = probe();
    t.baseId = 3;
    t.continuedFromId = 1;
    const std::vector<const Survey*> all{&older, &first, &between, &newBase, &after, &later};
    const TubeResult tube = analyseTube(&newBase, all, t);
    ASSERT_EQ(tube.previousBase, &first);
    EXPECT_EQ(tube.origin(), &first);
    ASSERT_EQ(tube.readouts.size(), 5u);
    const struct {
        std::int64_t id;
        double top;            // mm, A at the top
        bool againstPrevious, carried, beforeBase;
        std::optional<double> rate; // mm/day
    } cases[] = {
        {6, 0, true, false, true, std::nullopt},   {2, 0.8, true, false, false, 0.08}, {3, 2.0, true, false, false, 0.12},
        {4, 3.0, false, true, false, 0.1},          {5, 3.5, false, true, false, 0.025},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        const ReadoutResult& r = of(tube, c.id);
        EXPECT_NEAR(topA(r), c.top, 1e-9);
        EXPECT_EQ(r.againstPrevious, c.againstPrevious);
        EXPECT_EQ(r.carried, c.carried);
        EXPECT_EQ(r.beforeBase, c.beforeBase);
        EXPECT_EQ(r.rateMmPerDay.has_value(), c.rate.has_value());
        if (c.rate && r.rateMmPerDay) {
            EXPECT_NEAR(*r.rateMmPerDay, *c.rate, 1e-9);
        }
    }
    // The time chart from the previous base through the new one, without a jump.
    const std::vector<TimePoint> points = history(tube, 5);
    ASSERT_EQ(points.size(), 5u);
    const double want[] = {0, 0.8, 2.0, 3.0, 3.5};
    for (size_t i = 0; i < points.size(); ++i) {
        ASSERT_TRUE(points[i].a) << i;
        EXPECT_NEAR(*points[i].a, want[i], 1e-9) << i;
    }
    EXPECT_EQ(points.front().date, "01/03/24");
    EXPECT_EQ(carriedBaseText(tube), "carries on from base 01 of 01/03/24: base 03 of 21/03/24's cumulative against "
                                     "it is added to every later readout");
    EXPECT_NE(summaryCsv(tube).find("05,20/04/24,10:00:00,50.00,"), std::string::npos) << summaryCsv(tube);

    // Without carrying on, a new base starts at zero; with the previous base gone, likewise.
    for (std::int64_t previous : {std::int64_t(0), std::int64_t(99)}) {
        t.continuedFromId = previous;
        const TubeResult plain = analyseTube(&newBase, all, t);
        EXPECT_EQ(plain.previousBase, nullptr);
        EXPECT_NEAR(topA(of(plain, 4)), 1.0, 1e-9);
        EXPECT_TRUE(of(plain, 2).beforeBase);
        EXPECT_EQ(carriedBaseText(plain), "");
    }
}

// Where the new base has nothing against the previous one, nothing is carried on and it is said.
TEST(CarriedBase, ADepthTheNewBaseLacksAgainstThePreviousIsLeftEmptyAndSaid)
{
    Survey first = readout(1, "01/03/24", 20);
    first.rows.erase(first.rows.begin() + 1); // 1.0 m not read: nothing carried at or above it
    const Survey newBase = readout(2, "21/03/24", 20);
    Survey after = readout(3, "31/03/24", 20, {{20, {50, 0}}});
    TubeSettings t = probe();
    t.baseId = 2;
    t.continuedFromId = 1;
    const TubeResult tube = analyseTube(&newBase, {&first, &newBase, &after}, t);
    const ReadoutResult& r = of(tube, 3);
    EXPECT_FALSE(r.displacement.rows.at(0).cumulative[0].has_value());
    ASSERT_TRUE(r.displacement.rows.at(3).cumulative[0]);
    EXPECT_NEAR(*r.displacement.rows.at(3).cumulative[0], 1.0, 1e-9);
    EXPECT_NE(r.displacement.reason.english().find("the new base holds no cumulative against the previous one at"),
              std::string::npos)
        << r.displacement.reason.english();
}

} // namespace
