// Hand-worked cases of the tube analysis: the rate, the base, the depths, the corrections.
#include "analysis/corrections.h"
#include "analysis/displacement.h"
#include "analysis/proposal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <numbers>

using namespace tarvelon::surveys;

namespace {

// K 25 000 and a 0.5 m gauge: one reading unit is 0.02 mm.
TubeSettings probe()
{
    TubeSettings t;
    t.constant = 25000;
    t.gaugeM = 0.5;
    return t;
}

// A readout of zeros at 0.5 m steps, `to` tenths deep, with these changes (A, B) at these depths.
Survey readout(std::int64_t id, std::string date, std::string time, int to,
               std::map<int, std::pair<std::int64_t, std::int64_t>> changes = {})
{
    Survey s;
    s.id = id;
    s.readout = std::to_string(id);
    s.date = std::move(date);
    s.time = std::move(time);
    s.step = 0.5;
    for (int t = 5; t <= to; t += 5) {
        const auto c = changes.find(t);
        s.rows.push_back({t, {c == changes.end() ? 0 : c->second.first, c == changes.end() ? 0 : c->second.second}});
    }
    return s;
}

const DisplacementRow& at(const Displacement& d, int tenths)
{
    for (const DisplacementRow& r : d.rows)
        if (r.depthTenths == tenths)
            return r;
    throw std::runtime_error("no row at " + std::to_string(tenths));
}

// What a case worked out, against what the hand-worked figure says.
struct Check {
    std::string what;
    double got, want, within;
};

// The ±2 unit bias case: an 80 m tube read weekly 14 times, a shear zone at 10 to 12 m moving
// 0.14 mm/day, every readout off by +2 or -2 units on each axis, with a unit of reading noise.
std::vector<Check> biasCase()
{
    std::vector<Check> checks;
    const Survey base = readout(1, "01/01/24", "09:00:00", 800);
    const TubeSettings t = probe();
    double worstUncorrected = 0;
    for (int week = 1; week <= 13; ++week) {
        // 0.14 mm/day x 7 days over 5 rows: 9.8 units a row a week, in A.
        Survey s = base;
        s.id = 1 + week;
        std::map<int, double> truth;
        for (SurveyRow& r : s.rows) {
            const bool shear = r.depthTenths >= 100 && r.depthTenths <= 120;
            const std::int64_t a = shear ? std::lround(9.8 * week) : 0;
            const std::int64_t noise = (r.depthTenths / 5 + week) % 3 - 1;
            truth[r.depthTenths] = double(a);
            r.readings[0] = a + noise + (week % 2 ? 2 : -2);
            r.readings[1] = -noise + (week % 3 ? -2 : 2);
        }
        // With one pass and nothing either side, a bias is offered unticked; its size is still right.
        const CorrectionProposal proposal = proposeCorrections(base, s, t);
        std::vector<Correction> biases;
        for (const ProposedCorrection& p : proposal.proposed)
            if (p.correction.kind == CorrectionKind::Bias) {
                biases.push_back(p.correction);
                checks.push_back({"week " + std::to_string(week) + ": unticked with the reason",
                                  double(!p.acceptable && !p.refusal.empty()), 1, 0});
            }
        if (week == 1) {
            // A: noise -1, 0, +1 around the +2 bias: RMS sqrt(14/3) as read, sqrt(2/3) less the bias.
            checks.push_back({"week 1: A's residual over the stable zone as read", *proposal.residualBefore[0], 2.16, 0.05});
            checks.push_back({"week 1: A's residual corrected", *proposal.residualAfter[0], 0.82, 0.05});
            checks.push_back({"week 1: found with the second pass off",
                              double(foundWithSecondPass(biases.at(0)) == false), 1, 0});
        }
        const Displacement raw = displacement(base, s, t), fixed = displacement(base, s, t, biases);
        double trueCum = 0, worst = 0;
        for (auto it = fixed.rows.rbegin(); it != fixed.rows.rend(); ++it) {
            trueCum += 1000 * 0.5 * truth[it->depthTenths] / 25000;
            worst = std::max({worst, std::abs(*it->cumulative[0] - trueCum), std::abs(*it->cumulative[1])});
        }
        worstUncorrected = std::max(worstUncorrected, std::abs(*raw.rows.front().cumulative[0] - trueCum));
        checks.push_back({"week " + std::to_string(week) + ": farthest from the true profile (mm)", worst, 0, 0.5});
    }
    checks.push_back({"the bias uncorrected moves the top (mm)", worstUncorrected, 6.4, 0.7});
    return checks;
}

const struct Case {
    const char* what;
    std::function<std::vector<Check>()> work;
} kCases[] = {
    {"a turning movement at 6.0 m: A 14.76 / B -3.02 to A 11.18 / B 9.00 mm in 20.83 days is 0.60 mm/day",
     [] {
         const Survey base = readout(1, "01/02/24", "00:00:00", 100), first = readout(2, "01/03/24", "00:00:00", 100,
                                                                                     {{60, {738, -151}}});
         const Survey second = readout(3, "21/03/24", "19:55:12", 100, {{60, {559, 450}}});
         TubeSettings t = probe();
         t.alarmMmPerDay = 0.5;
         const TubeResult tube = analyseTube(&base, {&base, &first, &second}, t);
         const ReadoutResult& r = tube.readouts[1];
         // sqrt(3.58^2 + 12.02^2) / 20.83 = 12.542 / 20.83
         return std::vector<Check>{{"rate", *r.rateMmPerDay, 0.6021, 0.0005},
                                   {"alarm", double(r.level == Level::Alarm), 1, 0},
                                   {"rate at 6.0 m, as the time chart has it", *history(tube, 60).back().rateMmPerDay,
                                    0.6021, 0.0005},
                                   {"largest at", double(*r.largestDepthTenths), 5, 0}};
     }},
    {"a later base: the next readout is measured against the base, older ones are no reference",
     [] {
         const Survey old = readout(1, "01/03/24", "00:00:00", 20, {{20, {-300, 0}}});
         const Survey base = readout(2, "15/03/24", "00:00:00", 20);
         const Survey next = readout(3, "29/03/24", "00:00:00", 20, {{20, {406, 0}}});
         TubeSettings t = probe();
         t.baseId = 2;
         const std::vector<Survey> surveys{old, base, next};
         const TubeResult tube = analyseTube(surveys, t);
         // 406 x 0.02 = 8.12 mm in the base's 14 days.
         return std::vector<Check>{{"rate", *tube.readouts[1].rateMmPerDay, 0.58, 1e-9},
                                   {"the older readout has no rate", double(tube.readouts[0].rateMmPerDay.has_value()), 0, 0},
                                   {"time chart points: base and the next only", double(history(tube, 20).size()), 2, 0}};
     }},
    {"a readout with nothing computed is never the readout before",
     [] {
         const Survey base = readout(1, "01/03/24", "00:00:00", 20);
         const Survey first = readout(2, "11/03/24", "00:00:00", 20, {{20, {100, 0}}});
         Survey blank = readout(3, "16/03/24", "00:00:00", 20);
         blank.step = 1.0; // read at another step: not compared, nothing cumulative at all
         const Survey last = readout(4, "21/03/24", "00:00:00", 20, {{20, {150, 0}}});
         const TubeResult tube = analyseTube(&base, {&base, &first, &blank, &last}, probe());
         // (3.0 - 2.0) mm over the 10 days since the first.
         return std::vector<Check>{{"rate", *tube.readouts[2].rateMmPerDay, 0.1, 1e-9}};
     }},
    {"an extra deeper row leaves the common depths as they were without it",
     [] {
         const Survey base = readout(1, "01/03/24", "", 30);
         const Survey without = readout(2, "02/03/24", "", 30, {{20, {50, 25}}});
         Survey with = readout(2, "02/03/24", "", 35, {{20, {50, 25}}, {35, {900, 900}}});
         const Displacement a = displacement(base, without, probe()), b = displacement(base, with, probe());
         std::vector<Check> checks;
         for (int t = 5; t <= 30; t += 5)
             for (size_t j = 0; j < 2; ++j)
                 checks.push_back({"at " + std::to_string(t), *at(b, t).cumulative[j], *at(a, t).cumulative[j], 1e-12});
         checks.push_back({"rows", double(b.rows.size()), double(a.rows.size()), 0});
         return checks;
     }},
    {"each depth reference places the same profile at its interval's top",
     [] {
         const Survey base = readout(1, "01/03/24", "", 20), moved = readout(2, "02/03/24", "", 20, {{20, {50, 0}}});
         std::vector<Check> checks;
         const std::pair<DepthReference, double> tops[] = {
             {DepthReference::UpperWheel, 2.0}, {DepthReference::LowerWheel, 1.5}, {DepthReference::Centre, 1.75}};
         for (const auto& [reference, top] : tops) {
             TubeSettings t = probe();
             t.depthReference = reference;
             const Displacement d = displacement(base, moved, t);
             checks.push_back({depthReferenceName(reference) + ": top of the 2.0 m reading", at(d, 20).topM, top, 1e-12});
             checks.push_back({depthReferenceName(reference) + ": cumulative there", *at(d, 20).cumulative[0], 1.0, 1e-12});
         }
         return checks;
     }},
    {"a +-2 unit bias between weekly readouts, proposed and applied, is within 0.5 mm of the truth", biasCase},
    {"a probe turned by 2 degrees gives back B's share of A",
     [] {
         const double c = std::cos(2 * std::numbers::pi / 180), s = std::sin(2 * std::numbers::pi / 180);
         const Survey base = readout(1, "01/03/24", "", 20);
         const Survey turned = readout(2, "02/03/24", "", 20, {{20, {std::lround(1000 * c), std::lround(-1000 * s)}}});
         const std::vector<Correction> rotation{{CorrectionKind::Rotation, 0, 2.0, "entered", "", true},
                                                {CorrectionKind::Rotation, 1, -2.0, "entered", "", true}};
         const Displacement d = displacement(base, turned, probe(), rotation);
         // 1000 units x 0.02 = 20 mm, all in A.
         return std::vector<Check>{{"A", *at(d, 5).cumulative[0], 20, 0.01}, {"B", *at(d, 5).cumulative[1], 0, 0.01},
                                   {"B uncorrected", *at(displacement(base, turned, probe()), 5).cumulative[1], -0.70, 0.01}};
     }},
    {"a readout read one step too deep is matched to the base's profile",
     [] {
         Survey base = readout(1, "01/03/24", "", 100);
         for (SurveyRow& r : base.rows)
             r.readings = {(r.depthTenths * 37) % 401 - 200, (r.depthTenths * 53) % 307 - 150};
         Survey deeper = base;
         deeper.id = 2;
         for (SurveyRow& r : deeper.rows)
             r.depthTenths -= 5; // its 1.0 m is the base's 1.5 m
         const CorrectionProposal p = proposeCorrections(base, deeper, probe());
         const Displacement d = displacement(base, deeper, probe(), p.acceptable());
         return std::vector<Check>{{"depth shift (m)", depthShiftMetres(p.acceptable()), 0.5, 1e-12},
                                   {"top after it", *d.rows.front().cumulative[0], 0, 1e-9}};
     }},
    {"a checksum that moved 20 units stands for 0.20 mm, shown beside the units",
     [] {
         Survey base = readout(1, "01/03/24", "", 10), moved = readout(2, "02/03/24", "", 10);
         for (Survey* s : {&base, &moved})
             for (SurveyRow& r : s->rows) {
                 r.readings[2] = r.readings[3] = 0;
                 if (s == &moved)
                     r.readings[0] = r.readings[2] = 10; // A unchanged, its sum 20 up
             }
         TubeSettings t = probe();
         t.secondPass = true;
         const std::vector<std::string> cells = displacementCells(at(displacement(base, moved, t), 10), t, true);
         return std::vector<Check>{{"A's sum less the base's (units)", std::stod(cells.at(cells.size() - 4)), 20, 0},
                                   {"in mm: 500 x 0.5 x 20 / 25000", std::stod(cells.at(cells.size() - 2)), 0.2, 0},
                                   {"A's change", std::stod(cells.at(1)), 0, 0}};
     }},
    {"inches to 0.001 in, millimetres to 0.01 mm",
     [] {
         return std::vector<Check>{{"12.7 mm in inches", std::stod(lengthText(12.7, Units::Inches)), 0.5, 0},
                                   {"0.2 mm in inches", std::stod(lengthText(0.2, Units::Inches)), 0.008, 0},
                                   {"digits for 0.2 mm in inches", double(lengthText(0.2, Units::Inches).size()), 5, 0},
                                   {"0.204 mm", std::stod(lengthText(0.204, Units::Millimetres)), 0.2, 0}};
     }},
    {"the published two-pass example: A0 359, A180 -339, 24 in gauge, K 20000: 0.4188 in, checksum 20, one pass "
     "+0.012 in",
     [] {
         Survey base = readout(1, "01/03/24", "", 5), read = readout(2, "02/03/24", "", 5);
         for (SurveyRow& r : base.rows)
             r.readings = {0, 0, 0, 0};
         read.rows[0].readings = {359, 0, -339, 0};
         TubeSettings t;
         t.constant = 20000;
         t.gaugeM = 24 * 0.0254;
         t.units = Units::Inches;
         t.secondPass = true;
         const DisplacementRow two = displacement(base, read, t).rows.at(0);
         t.secondPass = false;
         const DisplacementRow one = displacement(base, read, t).rows.at(0);
         return std::vector<Check>{{"difference", *two.change[0] * 2, 698, 1e-9},
                                   {"checksum", double(*two.checksum[0]), 20, 0},
                                   {"deviation (in)", std::stod(lengthText(two.incremental[0], Units::Inches)), 0.419, 0},
                                   {"deviation unrounded (in)", inUnits(*two.incremental[0], Units::Inches), 0.4188, 5e-5},
                                   {"one-pass bias error (in)",
                                    inUnits(*one.incremental[0] - *two.incremental[0], Units::Inches), 0.012, 5e-4}};
     }},
    {"a depth read 0.2 m too shallow is read between the readout's rows, every value there",
     [] {
         // The casing's A grows 40 units a metre; the readout's row at d was read at d + 0.2 m.
         Survey base = readout(1, "01/03/24", "", 30), shallow = readout(2, "02/03/24", "", 30);
         for (Survey* s : {&base, &shallow})
             for (SurveyRow& r : s->rows)
                 r.readings = {std::int64_t(4 * (r.depthTenths + (s == &shallow ? 2 : 0))), 0};
         const Displacement d = displacement(base, shallow, probe(), {{CorrectionKind::DepthShift, 0, 0.2, "", "", true}});
         std::vector<Check> checks;
         for (const DisplacementRow& r : d.rows) {
             if (r.depthTenths == 5) { // the base's top: the readout read nothing that shallow
                 checks.push_back({"nothing made up above the readout", double(r.change[0].has_value()), 0, 0});
                 continue;
             }
             checks.push_back({"A change exists at " + depthMetres(r.depthTenths), double(r.change[0].has_value()), 1, 0});
             checks.push_back({"A change at " + depthMetres(r.depthTenths), r.change[0].value_or(99), 0, 1e-9});
         }
         checks.push_back({"fixed end at the toe", double(d.fixedTenths.value_or(0)), 30, 0});
         const std::optional<double> wrong =
             displacement(base, shallow, probe(), {{CorrectionKind::DepthShift, 0, -0.2, "", "", true}}).rows.at(1).change[0];
         checks.push_back({"the wrong way: a change exists at 1.0 m", double(wrong.has_value()), 1, 0});
         checks.push_back({"the wrong way reads 16 units off", wrong.value_or(99), 16, 1e-9});
         return checks;
     }},
    {"a probe turned 0.5 degrees reads a share of the casing's B, which the correction on the readings takes back",
     [] {
         Survey base = readout(1, "01/03/24", "", 50), turned = readout(2, "02/03/24", "", 50);
         const double sn = std::sin(0.5 * std::numbers::pi / 180), c = std::cos(0.5 * std::numbers::pi / 180);
         for (Survey* s : {&base, &turned})
             for (SurveyRow& r : s->rows) {
                 const double a = 100, b = 354 + r.depthTenths; // the casing leans; nothing moves
                 r.readings = {std::llround(s == &turned ? a * c + b * sn : a), std::llround(s == &turned ? b * c - a * sn : b)};
             }
         const std::vector<Correction> rotation{{CorrectionKind::Rotation, 0, 0.5, "entered", "", true},
                                                {CorrectionKind::Rotation, 1, -0.5, "entered", "", true}};
         const Displacement as = displacement(base, turned, probe()), fixed = displacement(base, turned, probe(), rotation);
         // As read, A gains sin 0.5° x B: 3.1 to 3.5 units a row, 31 units as the unit rounds them.
         return std::vector<Check>{{"as read, A at the top (mm)", *as.rows.front().cumulative[0], 0.62, 0.01},
                                   {"corrected, A at the top (mm)", *fixed.rows.front().cumulative[0], 0, 0.1},
                                   {"corrected, B at the top (mm)", *fixed.rows.front().cumulative[1], 0, 0.1}};
     }},
    {"the fastest rate and the largest displacement at different depths, in the summary",
     [] {
         // At 1.0 m A moves back, so the largest stays at 1.5 m; the second readout moves fastest at 1.0 m.
         const Survey base = readout(1, "01/03/24", "", 20);
         const Survey first = readout(2, "11/03/24", "", 20, {{15, {100, 0}}, {10, {-50, 0}}});
         const Survey second = readout(3, "21/03/24", "", 20, {{15, {100, 0}}, {10, {-20, 0}}});
         const TubeResult tube = analyseTube(&base, {&base, &first, &second}, probe());
         const std::string csv = summaryCsv(tube);
         const std::string line = csv.substr(csv.rfind("03,"));
         return std::vector<Check>{{"largest at (m)", double(*tube.readouts[1].largestDepthTenths) / 10, 1.5, 0},
                                   {"rate at (m)", double(*tube.readouts[1].rateDepthTenths) / 10, 0.5, 0},
                                   {"summary: largest 2.00 mm at 1.5 m, rate 0.0600 at 0.5 m",
                                    double(line.find(",2.00,1.5,0.0600,0.5,") != std::string::npos), 1, 0}};
     }},
    {"the time chart's default depths and rate come from the latest readout, not the oldest",
     [] {
         const Survey base = readout(1, "01/03/24", "", 30);
         const Survey old = readout(2, "11/03/24", "", 30, {{25, {100, 0}}, {5, {-90, 0}}});
         const Survey latest = readout(3, "21/03/24", "", 30, {{15, {300, 0}}, {10, {-250, 0}}});
         const TubeResult tube = analyseTube(&base, {&base, &old, &latest}, probe());
         const std::vector<int> depths = defaultHistoryDepths(tube);
         const std::vector<TimePoint> points = history(tube, 15);
         return std::vector<Check>{{"depths", double(depths.size()), 2, 0},
                                   {"the latest's largest at 1.5 m", double(depths.at(1)), 15, 0},
                                   {"the last point's rate is the latest's", *points.back().rateMmPerDay,
                                    *tube.readouts[1].displacement.rows.at(2).rateMmPerDay, 0}};
     }},
    {"a checksum that moved down 12 units is as much a possible bias shift as one that moved up",
     [] {
         Survey base = readout(1, "01/03/24", "", 10), down = readout(2, "02/03/24", "", 10), up = down;
         for (Survey* s : {&base, &down, &up})
             for (SurveyRow& r : s->rows)
                 r.readings = {0, 0, s == &down ? -12 : s == &up ? 12 : 0, 0};
         TubeSettings t = probe();
         t.secondPass = true;
         const TubeResult tube = analyseTube(&base, {&base, &down, &up}, t);
         return std::vector<Check>{{"down flagged", double(tube.readouts[0].possibleBiasShift), 1, 0},
                                   {"up flagged", double(tube.readouts[1].possibleBiasShift), 1, 0},
                                   {"down's shift", *tube.readouts[0].checksumShift[0], -12, 0}};
     }},
    {"a rate counts the days between the surveys' own dates, whatever the download time",
     [] {
         Survey base = readout(1, "01/03/24", "08:00:00", 20), moved = readout(2, "11/03/24", "08:00:00", 20, {{20, {100, 0}}});
         base.downloadedAt = "2024-06-01T00:00:00Z";
         moved.downloadedAt = "2024-06-01T00:05:00Z";
         const TubeResult tube = analyseTube(&base, {&base, &moved}, probe());
         // 2 mm in 10 days.
         return std::vector<Check>{{"rate", tube.readouts[0].rateMmPerDay.value_or(-1), 0.2, 1e-12}};
     }},
    {"rates in three significant figures, per day, month or year",
     [] {
         TubeSettings t = probe();
         std::vector<Check> checks{{"0.602 mm/day", std::stod(rateText(0.60213, t)), 0.602, 0},
                                   {"digits of 0.000123", double(rateText(0.000123, t).size()), 8, 0}};
         t.rateUnit = RateUnit::Year;
         checks.push_back({"0.1 mm/day is 36.5 mm/year", std::stod(rateText(0.1, t)), 36.5, 0});
         t.rateUnit = RateUnit::Month;
         t.units = Units::Inches;
         checks.push_back({"1 mm/day is 1.20 in/month", std::stod(rateText(1, t)), 1.2, 0});
         checks.push_back({"unit name in/month", double(rateUnitName(t) == "in/month"), 1, 0});
         return checks;
     }},
    {"the precision band grows with the square root of the intervals summed from the fixed end",
     [] {
         const Survey base = readout(1, "01/03/24", "", 20), moved = readout(2, "02/03/24", "", 20, {{10, {50, 0}}});
         TubeSettings t = probe();
         const Displacement toe = displacement(base, moved, t);
         t.fixedEnd = FixedEnd::Top;
         const Displacement top = displacement(
             base, moved, t, {{CorrectionKind::TopDisplacement, 0, 0, "", "", true}, {CorrectionKind::TopDisplacement, 1, 0, "", "", true}});
         return std::vector<Check>{{"toe: at the toe, one interval", *at(toe, 20).bandMm, 0.16, 1e-12},
                                   {"toe: at the top, four", *at(toe, 5).bandMm, 0.32, 1e-12},
                                   {"top: at the top, one", *at(top, 5).bandMm, 0.16, 1e-12},
                                   {"top: at the toe, four", *at(top, 20).bandMm, 0.32, 1e-12}};
     }},
    {"fixed at the top: the surveyed top displacement less the movement above each depth",
     [] {
         const Survey base = readout(1, "01/03/24", "", 20), moved = readout(2, "02/03/24", "", 20, {{10, {50, 0}}});
         TubeSettings t = probe();
         t.fixedEnd = FixedEnd::Top;
         const std::vector<Correction> top{{CorrectionKind::TopDisplacement, 0, 3.0, "surveyed", "", true},
                                           {CorrectionKind::TopDisplacement, 1, -1.0, "surveyed", "", true}};
         const Displacement d = displacement(base, moved, t, top), none = displacement(base, moved, t);
         // 50 units at 1.0 m are 1 mm: 3 mm at 0.5 and 1.0 m, 2 mm below.
         return std::vector<Check>{{"A at 0.5 m", *at(d, 5).cumulative[0], 3, 1e-12},
                                   {"A at 1.0 m", *at(d, 10).cumulative[0], 3, 1e-12},
                                   {"A at 1.5 m", *at(d, 15).cumulative[0], 2, 1e-12},
                                   {"B at 2.0 m", *at(d, 20).cumulative[1], -1, 1e-12},
                                   {"without the top surveyed: nothing", double(none.computed()), 0, 0}};
     }},
};

class HandWorked : public testing::TestWithParam<Case> {};

TEST_P(HandWorked, MatchesTheFiguresWorkedByHand)
{
    for (const Check& c : GetParam().work())
        EXPECT_NEAR(c.got, c.want, c.within) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Analysis, HandWorked, testing::ValuesIn(kCases));

// A bias or rotation found for one reduction of the second pass is no correction for the other.
TEST(Corrections, FoundForTheOtherReductionAreSaidSo)
{
    const struct {
        const char* what;
        CorrectionKind kind;
        std::string how;
        bool on, tubeSecondPass, warned;
    } cases[] = {
        {"bias found without, tube now with", CorrectionKind::Bias, "proposed over 1.0 to 2.0 m" + reductionNote(false),
         true, true, true},
        {"bias found without, tube still without", CorrectionKind::Bias, "proposed" + reductionNote(false), true, false, false},
        {"rotation entered with, tube now without", CorrectionKind::Rotation, "entered" + reductionNote(true), true, false, true},
        {"switched off", CorrectionKind::Bias, "entered" + reductionNote(false), false, true, false},
        {"a depth shift matches readings 1 and 2 either way", CorrectionKind::DepthShift, "proposed" + reductionNote(false),
         true, true, false},
        {"kept before the reduction was said", CorrectionKind::Bias, "entered", true, true, false},
    };
    for (const auto& c : cases) {
        TubeSettings t = probe();
        t.secondPass = c.tubeSecondPass;
        const std::string said = otherReductionText({{c.kind, 0, 2.0, c.how, "", c.on}}, t);
        EXPECT_EQ(said.find("the accepted bias is for the other reduction") != std::string::npos, c.warned)
            << c.what << ": " << said;
    }
}

} // namespace

#include "blocks/download.h"
#include "support/harness.h"
#include "library/download_feed.h"
#include "surveys/library_engines.h"
#include "library/store.h"

namespace {

// The simulated unit's demo tube, downloaded as the window does: a base, a shear zone that grows
// and turns, a bias shift the second pass reveals and a proposal takes out, an extra deeper row.
TEST(DemoTube, HasAHistoryThatShowsEveryPartOfTheAnalysis)
{
    tarvelon::test::Harness h;
    h.startUp();
    h.unit.fillDemo();
    h.state.downloadFolder = h.dir.file("");
    const std::string library = h.dir.file("surveys.sqlite");
    for (int block = 25; block <= 30; ++block) {
        h.form.setText("numblocco", std::to_string(block));
        const tarvelon::DownloadedBlock downloaded = tarvelon::downloadBlock(h.ctx);
        ASSERT_TRUE(downloaded.complete) << block;
        ASSERT_EQ(tarvelon::addToLibrary(library, downloaded, "2024-07-01T08:00:00Z").error, "");
    }
    SurveyStore store;
    ASSERT_TRUE(store.open(library));
    const TubeKey key{"ACME SRL", "FRANA 12", "I1"};
    const std::vector<Survey> all = store.tubeSurveys(key);
    ASSERT_EQ(all.size(), 6u);
    TubeSettings t = probe();
    t.baseId = all[0].id;
    t.alarmMm = 20;
    const TubeResult first = analyseTube(all, t);
    ASSERT_EQ(first.readouts.size(), 5u);
    EXPECT_EQ(first.readouts[4].level, Level::Alarm);
    EXPECT_NE(first.readouts[3].displacement.reason.english().find("30.5 m lie outside the base's depths"), std::string::npos);
    // Readout 4's bias: 6 units over 61 rows is 7.3 mm at the top, which its proposal takes out.
    const CorrectionProposal p = proposeCorrections(*first.base, *first.readouts[2].survey, t);
    ASSERT_FALSE(p.proposed.empty()) << p.reason.english();
    EXPECT_NEAR(p.all()[0].value, 6, 0.1);
    t.secondPass = true;
    const TubeResult second = analyseTube(all, t);
    EXPECT_TRUE(second.readouts[2].possibleBiasShift);
    EXPECT_FALSE(second.readouts[1].possibleBiasShift);
    // Corrected or read with both passes, readout 4 lies between its neighbours at the top.
    const auto top = [](const ReadoutResult& r) { return *r.displacement.rows.front().resultant; };
    EXPECT_GT(top(second.readouts[2]), top(second.readouts[1]));
    EXPECT_LT(top(second.readouts[2]), top(second.readouts[3]));
}

} // namespace

namespace {

using StoredCorrections = tarvelon::test::OnEachEngine;

INSTANTIATE_TEST_SUITE_P(Engines, StoredCorrections,
                         testing::Values(tarvelon::test::LibraryEngine::SQLite, tarvelon::test::LibraryEngine::PostgreSQL),
                         tarvelon::test::engineName);

// A readout's corrections come back from the library as they were kept, and are replaced whole.
TEST_P(StoredCorrections, ComeBackAsKeptAndAreReplacedWhole)
{
    SurveyStore store;
    ASSERT_TRUE(store.open(location())) << store.error();
    Survey s = readout(0, "01/03/24", "10:00:00", 20);
    s.client = "C", s.site = "S", s.tube = "T";
    const std::int64_t id = store.add(s).id;
    const std::vector<Correction> kept{{CorrectionKind::Bias, 1, -2.25, "proposed over 1.0 to 2.0 m", "2024-03-02T10:00:00Z", false},
                                       {CorrectionKind::DepthShift, 0, 0.5, "entered", "2024-03-02T10:00:00Z", true}};
    ASSERT_TRUE(store.setCorrections(id, kept)) << store.error();
    std::vector<Correction> back = store.corrections(id);
    std::sort(back.begin(), back.end(), [](const Correction& a, const Correction& b) { return a.kind < b.kind; });
    EXPECT_EQ(back, kept);
    EXPECT_EQ(store.corrections(TubeKey{"C", "S", "T"}).at(id), store.corrections(id));
    ASSERT_TRUE(store.setCorrections(id, {kept[1]}));
    EXPECT_EQ(store.corrections(id), std::vector<Correction>{kept[1]});
}

} // namespace
