// A 60 m tube built with known truth: a shear zone that grows and turns, then one real movement or
// one error of the probe per readout. An engineer proposes and accepts what the program offers as
// acceptable, readout by readout; every readout must then read its truth.
#include "analysis/corrections.h"
#include "analysis/displacement.h"
#include "analysis/proposal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>

using namespace tarvelon::surveys;

namespace {

constexpr double kUnitMm = 1000.0 * 0.5 / 20000; // one reading unit over a 0.5 m gauge with K 20 000
constexpr double kPi = std::numbers::pi;

enum class Event { Plain, WholeTilt, DeepTilt, Creep, Bias, Rotation, DepthError, Blocked, Repeat };

struct Planned {
    Event event;
    int k;                 // how far the shear zone has grown
    std::string date, time;
};

// Oldest first; real movements stay once they happened, errors belong to their readout alone.
const Planned kPlan[] = {
    {Event::Plain, 1, "15/03/25", "10:00:00"},      {Event::WholeTilt, 2, "29/03/25", "10:00:00"},
    {Event::DeepTilt, 3, "12/04/25", "10:00:00"},   {Event::Creep, 4, "26/04/25", "10:00:00"},
    {Event::Plain, 5, "10/05/25", "10:00:00"},      {Event::Bias, 6, "24/05/25", "10:00:00"},
    {Event::Plain, 7, "07/06/25", "10:00:00"},      {Event::Rotation, 8, "21/06/25", "10:00:00"},
    {Event::DepthError, 9, "05/07/25", "10:00:00"}, {Event::Plain, 10, "19/07/25", "10:00:00"},
    {Event::Repeat, 10, "19/07/25", "12:00:00"},    {Event::Blocked, 11, "02/08/25", "10:00:00"},
    {Event::Plain, 12, "16/08/25", "10:00:00"},
};
constexpr size_t kReadouts = std::size(kPlan);

// The casing as installed: inclinations (reading units) that vary along it, B about 354 on average.
double casing(size_t axis, double d)
{
    return axis == 0 ? 100 + 8 * d + 150 * std::sin(2 * kPi * d / 7.3) + 60 * std::sin(2 * kPi * d / 5.1 + 1)
                     : 354 - 5 * (d - 30) + 250 * std::sin(2 * kPi * d / 11 + 0.5) + 80 * std::cos(2 * kPi * d / 6.3);
}

// The true change of inclination at depth d (reading units) when readout `index` was taken.
double movement(size_t axis, double d, size_t index)
{
    const Planned& p = kPlan[index];
    const auto since = [index](Event e) {
        for (size_t i = 0; i <= index; ++i)
            if (kPlan[i].event == e)
                return int(index - i) + 1;
        return 0;
    };
    double m = 0;
    if (d >= 19.8 && d <= 22.2) // the shear zone: grows, and turns towards B
        m += axis == 0 ? 10.0 * p.k : 1.5 * p.k * p.k;
    if (since(Event::WholeTilt))
        m += 3;
    if (since(Event::DeepTilt) && d >= 45.3)
        m += axis == 0 ? -2 : 14;
    if (const int n = since(Event::Creep); n && d <= 15)
        m += (axis == 0 ? 0.8 : 0.5) * n * (1 - d / 15);
    return m;
}

// A reproducible reading noise within half a unit, before the unit rounds.
double noise(std::uint64_t seed)
{
    seed = (seed ^ (seed >> 33)) * 0xff51afd7ed558ccdULL;
    seed = (seed ^ (seed >> 33)) * 0xc4ceb9fe1a85ec53ULL;
    return double((seed ^ (seed >> 33)) % 1000) / 1000.0 - 0.5;
}

constexpr double kRotationDegrees = 0.5;
constexpr double kDepthErrorM = -0.06; // read 6 cm too deep

// Readout `index` (or the base, index -1) as the unit keeps it: both passes, offsets of its zero.
Survey survey(int index, bool secondPass)
{
    Survey s;
    s.id = index + 2;
    s.client = "C", s.site = "S", s.tube = "I1";
    s.readout = std::to_string(index + 1);
    s.step = 0.5;
    s.date = index < 0 ? "01/03/25" : kPlan[index].date;
    s.time = index < 0 ? "10:00:00" : kPlan[index].time;
    s.downloadedAt = "2026-01-01T00:00:00Z"; // long after: a rate must come from the survey's own date
    const Event e = index < 0 ? Event::Plain : kPlan[index].event;
    const int last = e == Event::Blocked ? 590 : 600;
    for (int t = 5; t <= last; t += 5) {
        const double d = t / 10.0 + (e == Event::DepthError ? kDepthErrorM : 0.0);
        double a = casing(0, d) + (index < 0 ? 0 : movement(0, d, size_t(index)));
        double b = casing(1, d) + (index < 0 ? 0 : movement(1, d, size_t(index)));
        if (e == Event::Rotation) {
            const double c = std::cos(kRotationDegrees * kPi / 180), sn = std::sin(kRotationDegrees * kPi / 180);
            const double a0 = a;
            a = a0 * c + b * sn;
            b = b * c - a0 * sn;
        }
        // Zero offsets of the two passes; a bias is a shift of the first pass's A.
        double a1 = a + 5, a3 = -a - 3, b2 = b + 5, b4 = -b + 4;
        if (e == Event::Bias)
            a1 += secondPass ? 8 : 4;
        const std::uint64_t seed = std::uint64_t(index + 7) * 100000 + std::uint64_t(t) * 10;
        SurveyRow row{t, {}};
        const double values[] = {a1, b2, a3, b4};
        for (size_t j = 0; j < 4; ++j)
            row.readings[j] = std::llround(values[j] + noise(seed + j));
        s.rows.push_back(row);
    }
    return s;
}

struct Truth {
    double a = 0, b = 0; // mm at the top, summed from `fixedTenths` up
};

Truth truthOf(size_t index, int fixedTenths)
{
    Truth t;
    for (int tenths = 5; tenths <= fixedTenths; tenths += 5) {
        t.a += movement(0, tenths / 10.0, index) * kUnitMm;
        t.b += movement(1, tenths / 10.0, index) * kUnitMm;
    }
    return t;
}

TubeSettings settingsFor(bool secondPass)
{
    TubeSettings t;
    t.constant = 20000;
    t.gaugeM = 0.5;
    t.secondPass = secondPass;
    t.baseId = 1;
    t.alertMmPerDay = 0.5;
    t.alarmMmPerDay = 1.0;
    return t;
}

std::vector<Survey> tube(bool secondPass)
{
    std::vector<Survey> all{survey(-1, secondPass)};
    for (size_t i = 0; i < kReadouts; ++i)
        all.push_back(survey(int(i), secondPass));
    return all;
}

// The engineer's way: readout by readout, oldest first, accept what is offered as acceptable.
CorrectionsById proposeAndAccept(const std::vector<Survey>& all, const TubeSettings& t)
{
    CorrectionsById accepted;
    for (size_t i = 1; i < all.size(); ++i) {
        const TubeResult now = analyseTube(all, t, accepted);
        const CorrectionProposal p = proposeCorrections(all[0], all[i], t, std::nullopt, proposalContext(now, all[i].id));
        accepted[all[i].id] = p.acceptable();
    }
    return accepted;
}

struct Expected {
    Event event;
    double within;    // mm, the readout's top against its truth
    int fixedTenths;  // the fixed end the readout is summed from
    double uncorrectedAtLeast; // mm: how far off it reads with nothing accepted (the case has teeth)
};

const Expected kExpected[] = {
    {Event::Plain, 0.5, 600, 0},      {Event::WholeTilt, 0.5, 600, 0}, {Event::DeepTilt, 0.5, 600, 0},
    {Event::Creep, 0.5, 600, 0},      {Event::Bias, 0.3, 600, 2.0},    {Event::Rotation, 0.5, 600, 1.0},
    {Event::DepthError, 0.5, 595, 1.0}, {Event::Blocked, 0.5, 590, 0}, {Event::Repeat, 0.5, 600, 0},
};

const Expected& expectedFor(Event e)
{
    for (const Expected& x : kExpected)
        if (x.event == e)
            return x;
    throw std::logic_error("no expectation");
}

double topOffTruth(const ReadoutResult& r, size_t index)
{
    const DisplacementRow& top = r.displacement.rows.front();
    if (!top.cumulative[0] || !top.cumulative[1] || !r.displacement.fixedTenths)
        return 1e9; // nothing computed at the top: as far from the truth as it gets
    const Truth t = truthOf(index, *r.displacement.fixedTenths);
    return std::hypot(*top.cumulative[0] - t.a, *top.cumulative[1] - t.b);
}

class KnownTruth : public testing::TestWithParam<bool> {};

TEST_P(KnownTruth, EveryReadoutReadsItsTruthOnceTheAcceptableCorrectionsAreAccepted)
{
    const bool second = GetParam();
    const TubeSettings t = settingsFor(second);
    const std::vector<Survey> all = tube(second);
    const CorrectionsById accepted = proposeAndAccept(all, t);
    const TubeResult corrected = analyseTube(all, t, accepted), raw = analyseTube(all, t);
    ASSERT_EQ(corrected.readouts.size(), kReadouts);
    for (size_t i = 0; i < kReadouts; ++i) {
        const Expected& x = expectedFor(kPlan[i].event);
        const ReadoutResult& r = corrected.readouts[i];
        const std::string what = "readout " + std::to_string(i + 1) + " (" + std::to_string(int(x.event)) +
                                 "), accepted: " + correctionsText(accepted.at(all[i + 1].id));
        ASSERT_TRUE(r.displacement.fixedTenths) << what << ": " << r.displacement.reason.english();
        EXPECT_EQ(*r.displacement.fixedTenths, x.fixedTenths) << what;
        EXPECT_EQ(r.notComputed().english(), "") << what;
        EXPECT_LE(topOffTruth(r, i), x.within) << what;
        EXPECT_GE(topOffTruth(raw.readouts[i], i), x.uncorrectedAtLeast) << what << " as read";
    }
}

// Two hours after the readout before it, a repeat reads noise: no rate raises anything, whether
// the minimum interval or the precision band keeps it out; with neither, the noise raises ALARM.
TEST_P(KnownTruth, ARepeatSurveyHoursLaterRaisesNoRate)
{
    const bool second = GetParam();
    const std::vector<Survey> all = tube(second);
    const struct {
        double minDays, precision;
        bool raised;
    } cases[] = {{1, 0.16, false}, {1, 0, false}, {0, 0.16, false}, {0, 0, true}};
    size_t repeat = 0;
    while (kPlan[repeat].event != Event::Repeat)
        ++repeat;
    for (const auto& c : cases) {
        TubeSettings t = settingsFor(second);
        t.minIntervalDays = c.minDays;
        t.precisionMm = c.precision;
        const TubeResult analysed = analyseTube(all, t);
        const ReadoutResult& r = analysed.readouts[repeat];
        EXPECT_EQ(r.level != Level::None, c.raised) << c.minDays << " days, " << c.precision << " mm: "
                                                    << rateText(r.rateMmPerDay, t);
        if (c.minDays > 0 && r.rateFromDays) { // against the readout 14 days before, not 2 hours
            EXPECT_NEAR(*r.days - *r.rateFromDays, 14 + 2 / 24.0, 1e-6);
        }
    }
}

// What the program offers as acceptable never takes real movement for the probe.
TEST_P(KnownTruth, RealMovementIsNeverOfferedAsABias)
{
    const bool second = GetParam();
    const TubeSettings t = settingsFor(second);
    const std::vector<Survey> all = tube(second);
    const TubeResult now = analyseTube(all, t);
    for (size_t i = 0; i < kReadouts; ++i) {
        const CorrectionProposal p =
            proposeCorrections(all[0], all[i + 1], t, std::nullopt, proposalContext(now, all[i + 1].id));
        for (const ProposedCorrection& c : p.proposed) {
            if (c.correction.kind != CorrectionKind::Bias)
                continue;
            EXPECT_EQ(c.acceptable, kPlan[i].event == Event::Bias)
                << "readout " << i + 1 << ": " << correctionName(c.correction) << " " << c.correction.value << ": "
                << c.refusal.english() << " / " << proposalEvidence(p, t);
            if (!c.acceptable) {
                EXPECT_FALSE(c.refusal.empty());
            }
        }
    }
}

// What the engineer gives is checked as what the program finds: a zone across the shear zone, a
// probe turned too far; each refusal says why with the numbers, and each proposal what it does.
TEST_P(KnownTruth, AZoneThatMovesAndAProbeTurnedTooFarAreRefusedWithTheNumbers)
{
    const bool second = GetParam();
    const TubeSettings t = settingsFor(second);
    std::vector<Survey> all = tube(second);
    // Readout 8 turned 3 degrees instead of half of one.
    Survey turned = all[8];
    for (SurveyRow& r : turned.rows) {
        const double a = double(*r.readings[0]), b = double(*r.readings[1]), sn = std::sin(2.5 * kPi / 180);
        r.readings[0] = std::llround(a + b * sn);
        r.readings[1] = std::llround(b - a * sn);
        if (second) {
            r.readings[2] = std::llround(double(*r.readings[2]) - b * sn);
            r.readings[3] = std::llround(double(*r.readings[3]) + a * sn);
        }
    }
    const TubeResult now = analyseTube(all, t);
    const struct {
        const char* what;
        const Survey& readout;
        std::optional<DepthZone> zone;
        CorrectionKind kind;
        std::string refusal;
    } cases[] = {
        {"a zone across the shear zone", all[5], DepthZone{200, 300}, CorrectionKind::Bias,
         "the zone 20.0 to 30.0 m is not quiet"},
        {"a probe turned 3 degrees", turned, std::nullopt, CorrectionKind::Rotation, "(more than 2.00°) is faulty"},
    };
    for (const auto& c : cases) {
        const CorrectionProposal p =
            proposeCorrections(all[0], c.readout, t, c.zone, proposalContext(now, c.readout.id));
        bool seen = false;
        for (const ProposedCorrection& pc : p.proposed) {
            EXPECT_TRUE(pc.after.topMm.has_value()) << c.what << ": every proposal says what it does at the top";
            if (pc.correction.kind != c.kind)
                continue;
            seen = true;
            EXPECT_FALSE(pc.acceptable) << c.what;
            EXPECT_NE(pc.refusal.english().find(c.refusal), std::string::npos) << c.what << ": " << pc.refusal.english();
        }
        if (!seen) { // nothing of the kind to propose: the reason still says why the zone is refused
            EXPECT_NE(p.reason.english().find(c.refusal), std::string::npos) << c.what << ": " << p.reason.english();
        }
        EXPECT_TRUE(p.acceptable().empty() || c.kind == CorrectionKind::Rotation) << c.what;
    }
}

// Readout 7 read with another probe (K 25 000, its readings a quarter larger for the same
// inclination): reduced with its own constant it reads its truth; with the tube's, far from it.
TEST_P(KnownTruth, AReadoutTakenWithAnotherProbeReadsItsTruthWithItsOwnConstant)
{
    const bool second = GetParam();
    const TubeSettings t = settingsFor(second);
    std::vector<Survey> all = tube(second);
    const size_t index = 6;
    ASSERT_EQ(kPlan[index].event, Event::Plain);
    all[0].probeSerial = "P1";
    Survey& other = all[index + 1];
    for (SurveyRow& r : other.rows)
        for (auto& v : r.readings)
            if (v)
                v = std::llround(double(*v) * 1.25);
    other.probeSerial = "P2";
    other.probeConstant = 25000;
    const TubeResult own = analyseTube(all, t);
    EXPECT_LE(topOffTruth(own.readouts[index], index), 0.5);
    EXPECT_FALSE(own.readouts[index].probeChange.empty());
    EXPECT_TRUE(own.readouts[index - 1].probeChange.empty());
    other.probeConstant.reset();
    const TubeResult asTube = analyseTube(all, t);
    EXPECT_GE(topOffTruth(asTube.readouts[index], index), 1.0);
}

// Readout 5 made the new base, carrying on from the first: every readout of known truth reads
// its truth against the first base, before the new one and after it (the one blocked short too,
// the new base's own part below its fixed end carried on); starting again at zero, those after
// the new base lose what the tube had moved by then.
TEST_P(KnownTruth, ANewBaseThatCarriesOnKeepsEveryReadoutOnItsTruth)
{
    const bool second = GetParam();
    const std::vector<Survey> all = tube(second);
    const size_t newBase = 4;
    TubeSettings t = settingsFor(second);
    t.baseId = all[newBase + 1].id;
    t.continuedFromId = all[0].id;
    const TubeResult carried = analyseTube(all, t);
    t.continuedFromId = 0;
    const TubeResult restarted = analyseTube(all, t);
    ASSERT_EQ(carried.readouts.size(), kReadouts);
    for (size_t i = 0; i < kReadouts; ++i) {
        const Event e = kPlan[i].event;
        if (e == Event::Bias || e == Event::Rotation || e == Event::DepthError)
            continue; // the probe's own errors, which the corrections take out
        const ReadoutResult& r = carried.readouts[i];
        SCOPED_TRACE("readout " + std::to_string(i + 1) + ": " + r.displacement.reason.english());
        EXPECT_EQ(r.notComputed().english(), "");
        EXPECT_EQ(r.carried, i > newBase);
        const DisplacementRow& top = r.displacement.rows.front();
        ASSERT_TRUE(top.cumulative[0] && top.cumulative[1]);
        const Truth truth = truthOf(i, 600);
        EXPECT_LE(std::hypot(*top.cumulative[0] - truth.a, *top.cumulative[1] - truth.b), 0.5);
        if (i > newBase) {
            EXPECT_GE(topOffTruth(restarted.readouts[i - 1], i), 1.0);
        }
    }
    // The time chart runs from the first base through every readout.
    EXPECT_EQ(history(carried, 5).size(), kReadouts + 1);
}

INSTANTIATE_TEST_SUITE_P(Passes, KnownTruth, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& p) { return p.param ? "TwoPasses" : "OnePass"; });

} // namespace
