#include "surveys/displacement.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cmath>
#include <map>
#include <numbers>
#include <set>

namespace tarvelon::surveys {
namespace {

constexpr double kMmPerInch = 25.4;

int stepTenths(const Survey& s)
{
    return static_cast<int>(std::lround(s.step * 10));
}

// A (channel 0) or B (channel 1) of a row, the second pass folded in when the tube has one.
std::optional<double> channel(const SurveyRow& r, size_t j, bool secondPass)
{
    if (!r.readings[j])
        return std::nullopt;
    if (!secondPass)
        return double(*r.readings[j]);
    if (!r.readings[j + 2])
        return std::nullopt;
    return (double(*r.readings[j]) - double(*r.readings[j + 2])) / 2;
}

std::string depthsText(const std::vector<int>& tenths)
{
    std::string out;
    constexpr size_t kListed = 8;
    for (size_t i = 0; i < tenths.size() && i < kListed; ++i)
        out += (i ? ", " : "") + depthMetres(tenths[i]);
    if (tenths.size() > kListed)
        out += " and " + std::to_string(tenths.size() - kListed) + " more";
    return out + " m";
}

ChecksumSpread spreadOf(const std::vector<double>& v)
{
    if (v.empty())
        return {};
    double sum = 0, squares = 0;
    for (double x : v)
        sum += x;
    const double mean = sum / double(v.size());
    for (double x : v)
        squares += (x - mean) * (x - mean);
    return {mean, std::sqrt(squares / double(v.size()))};
}

void noteThresholds(ReadoutResult& r, const TubeSettings& t)
{
    const auto reaches = [](const std::optional<double>& value, const std::optional<double>& limit) {
        return value && limit && *value >= *limit;
    };
    if (reaches(r.largestMm, t.alarmMm) || reaches(r.rateMmPerDay, t.alarmMmPerDay))
        r.level = Level::Alarm;
    else if (reaches(r.largestMm, t.alertMm) || reaches(r.rateMmPerDay, t.alertMmPerDay))
        r.level = Level::Alert;
}

std::map<int, const DisplacementRow*> rowsByDepth(const Displacement& d)
{
    std::map<int, const DisplacementRow*> at;
    for (const DisplacementRow& r : d.rows)
        at[r.depthTenths] = &r;
    return at;
}

} // namespace

std::optional<double> surveyDays(const std::string& date, const std::string& time)
{
    int d = 0, m = 0, y = 0, hh = 0, mm = 0, ss = 0;
    if (std::sscanf(date.c_str(), "%2d/%2d/%2d", &d, &m, &y) != 3 || m < 1 || m > 12 || d < 1 || d > 31)
        return std::nullopt;
    if (std::sscanf(time.c_str(), "%2d:%2d:%2d", &hh, &mm, &ss) != 3 || hh > 23 || mm > 59 || ss > 59)
        hh = mm = ss = 0;
    const std::chrono::year_month_day ymd{std::chrono::year(y < 70 ? 2000 + y : 1900 + y), std::chrono::month(unsigned(m)),
                                          std::chrono::day(unsigned(d))};
    if (!ymd.ok())
        return std::nullopt;
    const double days = std::chrono::sys_days(ymd).time_since_epoch().count();
    return days + (hh * 3600 + mm * 60 + ss) / 86400.0;
}

double northDegrees(const Survey& base, const TubeSettings& settings)
{
    if (settings.north)
        return *settings.north;
    double north = 0;
    const char* text = base.north.c_str();
    while (*text == ' ' || *text == '+')
        ++text;
    std::from_chars(text, base.north.c_str() + base.north.size(), north);
    return north;
}

Displacement displacement(const Survey& base, const Survey& readout, const TubeSettings& settings)
{
    Displacement out;
    if (stepTenths(base) != stepTenths(readout)) {
        out.reason = "taken at " + depthMetres(stepTenths(readout)) + " m steps, the base at " +
                     depthMetres(stepTenths(base)) + " m: not compared";
        return out;
    }
    out.compared = true;
    const bool second = settings.secondPass;
    const int step = std::max(1, stepTenths(readout));

    // Every depth either survey holds or promises, and the steps between them.
    std::set<int> depths;
    for (const Survey* s : {&base, &readout}) {
        for (const SurveyRow& r : s->rows)
            depths.insert(r.depthTenths);
        depths.insert(s->missingTenths.begin(), s->missingTenths.end());
    }
    // Only between depths a unit can hold: a damaged library must not make this unbounded.
    if (!depths.empty() && *depths.begin() >= 0 && *depths.rbegin() <= kDeepestTenths)
        for (int t = *depths.begin(); t <= *depths.rbegin(); t += step)
            depths.insert(t);
    std::map<int, const SurveyRow*> baseAt, readoutAt;
    for (const SurveyRow& r : base.rows)
        baseAt[r.depthTenths] = &r;
    for (const SurveyRow& r : readout.rows)
        readoutAt[r.depthTenths] = &r;

    std::vector<int> gaps;
    out.rows.resize(depths.size());
    std::array<double, 2> sum{};
    std::array<bool, 2> broken{};
    std::array<std::vector<double>, 2> checksums;
    size_t i = depths.size();
    for (auto it = depths.rbegin(); it != depths.rend(); ++it) {
        DisplacementRow& row = out.rows[--i];
        row.depthTenths = *it;
        const auto b = baseAt.find(*it), r = readoutAt.find(*it);
        bool gap = false;
        for (size_t j = 0; j < 2; ++j) {
            const std::optional<double> was = b == baseAt.end() ? std::nullopt : channel(*b->second, j, second);
            const std::optional<double> now = r == readoutAt.end() ? std::nullopt : channel(*r->second, j, second);
            if (second && r != readoutAt.end() && r->second->readings[j] && r->second->readings[j + 2]) {
                row.checksum[j] = *r->second->readings[j] + *r->second->readings[j + 2];
                checksums[j].push_back(double(*row.checksum[j]));
            }
            if (!was || !now) {
                gap = true;
                broken[j] = true;
                continue;
            }
            row.change[j] = *now - *was;
            if (settings.constant <= 0)
                continue;
            row.incremental[j] = 1000.0 * readout.step * *row.change[j] / settings.constant;
            sum[j] += *row.incremental[j];
            if (!broken[j])
                row.cumulative[j] = sum[j];
        }
        if (gap)
            gaps.push_back(*it);
        if (row.cumulative[0] && row.cumulative[1]) {
            const double a = *row.cumulative[0], bb = *row.cumulative[1];
            row.resultant = std::hypot(a, bb);
            if (*row.resultant > 0) {
                const double angle = northDegrees(base, settings) + std::atan2(bb, a) * 180 / std::numbers::pi;
                row.azimuth = std::fmod(std::fmod(angle, 360.0) + 360.0, 360.0);
            }
        }
    }
    for (size_t j = 0; j < 2; ++j)
        out.checksums[j] = spreadOf(checksums[j]);

    std::vector<std::string> reasons;
    if (!gaps.empty()) {
        std::sort(gaps.begin(), gaps.end());
        reasons.push_back("not measured in both it and the base at " + depthsText(gaps) +
                          ": no change there, and no cumulative displacement there or above");
    }
    if (settings.constant <= 0)
        reasons.push_back("the tube's probe constant K is not set: no displacement in mm");
    for (const std::string& r : reasons)
        out.reason += (out.reason.empty() ? "" : "; ") + r;
    return out;
}

TubeResult analyseTube(const std::vector<Survey>& surveys, const TubeSettings& settings)
{
    const Survey* base = nullptr;
    std::vector<const Survey*> readouts;
    for (const Survey& s : surveys) {
        readouts.push_back(&s);
        if (s.id == settings.baseId)
            base = &s;
    }
    return analyseTube(base, readouts, settings);
}

TubeResult analyseTube(const Survey* base, const std::vector<const Survey*>& readouts, const TubeSettings& settings)
{
    TubeResult tube;
    tube.settings = settings;
    tube.base = base;
    if (!base) {
        tube.reason = settings.baseId ? "the tube's base readout is no longer in the library"
                                      : "no base readout is chosen for the tube";
        return tube;
    }
    const std::optional<double> baseDays = surveyDays(base->date, base->time);
    // The readout before each one: the base to start with, where every displacement is zero.
    const Displacement* before = nullptr;
    std::optional<double> beforeDays = baseDays;
    for (const Survey* s : readouts) {
        if (s->id == base->id && s->id != 0)
            continue;
        ReadoutResult r;
        r.survey = s;
        r.days = surveyDays(s->date, s->time);
        r.displacement = displacement(*base, *s, settings);
        if (r.displacement.compared) {
            const auto previous = before ? rowsByDepth(*before) : std::map<int, const DisplacementRow*>{};
            const double elapsed = r.days && beforeDays ? *r.days - *beforeDays : 0;
            for (const DisplacementRow& row : r.displacement.rows) {
                if (!row.resultant)
                    continue;
                r.largestMm = std::max(r.largestMm.value_or(0), *row.resultant);
                std::optional<double> was = 0.0;
                if (before) {
                    const auto p = previous.find(row.depthTenths);
                    was = p == previous.end() ? std::nullopt : p->second->resultant;
                }
                if (was && elapsed > 0)
                    r.rateMmPerDay = std::max(r.rateMmPerDay.value_or(0), std::abs(*row.resultant - *was) / elapsed);
            }
            noteThresholds(r, settings);
        }
        tube.readouts.push_back(std::move(r));
        if (tube.readouts.back().displacement.compared) {
            before = &tube.readouts.back().displacement;
            beforeDays = tube.readouts.back().days;
        }
    }
    return tube;
}

std::vector<TimePoint> history(const TubeResult& tube, int depthTenths)
{
    std::vector<TimePoint> out;
    if (!tube.base)
        return out;
    if (const auto days = surveyDays(tube.base->date, tube.base->time))
        out.push_back({*days, tube.base->date, 0.0, 0.0, 0.0, std::nullopt});
    for (const ReadoutResult& r : tube.readouts) {
        if (!r.days || !r.displacement.compared)
            continue;
        TimePoint p{*r.days, r.survey->date, {}, {}, {}, {}};
        for (const DisplacementRow& row : r.displacement.rows)
            if (row.depthTenths == depthTenths) {
                p.a = row.cumulative[0];
                p.b = row.cumulative[1];
                p.resultant = row.resultant;
            }
        for (auto it = out.rbegin(); it != out.rend(); ++it)
            if (it->resultant) {
                if (p.resultant && p.days > it->days)
                    p.rateMmPerDay = (*p.resultant - *it->resultant) / (p.days - it->days);
                break;
            }
        out.push_back(std::move(p));
    }
    return out;
}

std::vector<int> defaultHistoryDepths(const TubeResult& tube)
{
    std::vector<int> out;
    if (!tube.base || tube.base->rows.empty())
        return out;
    out.push_back(tube.base->rows.front().depthTenths);
    for (auto it = tube.readouts.rbegin(); it != tube.readouts.rend(); ++it) {
        if (!it->displacement.compared)
            continue;
        const DisplacementRow* largest = nullptr;
        for (const DisplacementRow& row : it->displacement.rows)
            if (row.resultant && (!largest || *row.resultant > *largest->resultant))
                largest = &row;
        if (largest && largest->depthTenths != out.front())
            out.push_back(largest->depthTenths);
        break;
    }
    return out;
}

double inUnits(double mm, Units units)
{
    return units == Units::Inches ? mm / kMmPerInch : mm;
}

std::string unitName(Units units)
{
    return units == Units::Inches ? "in" : "mm";
}

std::string hundredths(const std::optional<double>& v)
{
    if (!v)
        return {};
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf, *v, std::chars_format::fixed, 2).ptr;
    std::string s(buf, end);
    return s == "-0.00" ? "0.00" : s;
}

std::string readoutNumber(const std::string& readout)
{
    return readout.size() == 1 && readout[0] >= '0' && readout[0] <= '9' ? "0" + readout : readout;
}

std::string depthMetres(int tenths)
{
    return (tenths < 0 ? "-" : "") + std::to_string(std::abs(tenths) / 10) + "." + std::to_string(std::abs(tenths) % 10);
}

std::vector<std::string> displacementCells(const DisplacementRow& row, const TubeSettings& settings)
{
    const auto length = [&settings](const std::optional<double>& mm) {
        return hundredths(mm ? std::optional<double>(inUnits(*mm, settings.units)) : std::nullopt);
    };
    std::vector<std::string> cells{depthMetres(row.depthTenths), hundredths(row.change[0]), hundredths(row.change[1])};
    for (const auto* values : {&row.incremental, &row.cumulative})
        for (const auto& v : *values)
            cells.push_back(length(v));
    cells.push_back(length(row.resultant));
    cells.push_back(hundredths(row.azimuth));
    if (settings.secondPass)
        for (const auto& sum : row.checksum)
            cells.push_back(sum ? std::to_string(*sum) : std::string());
    return cells;
}

std::string displacementCsv(const TubeResult& tube)
{
    const std::string u = "_" + unitName(tube.settings.units);
    std::string out = "readout,date,time,depth_m,a_change,b_change,a_incremental" + u + ",b_incremental" + u +
                      ",a_cumulative" + u + ",b_cumulative" + u + ",resultant" + u + ",azimuth_deg\n";
    TubeSettings firstPass = tube.settings;
    firstPass.secondPass = false; // the checksums are not among the columns
    for (const ReadoutResult& r : tube.readouts) {
        if (!r.displacement.compared)
            continue;
        const std::string lead = readoutNumber(r.survey->readout) + "," + r.survey->date + "," + r.survey->time;
        for (const DisplacementRow& row : r.displacement.rows) {
            out += lead;
            for (const std::string& cell : displacementCells(row, firstPass))
                out += "," + cell;
            out += "\n";
        }
    }
    return out;
}

std::string surveyCsv(const Survey& survey)
{
    int channels = 0;
    for (const SurveyRow& r : survey.rows)
        for (int j = 0; j < kChannels; ++j)
            if (r.readings[size_t(j)])
                channels = std::max(channels, j + 1);
    std::string out = "depth_m";
    for (int j = 1; j <= channels; ++j)
        out += ",reading" + std::to_string(j);
    out += "\n";
    for (const SurveyRow& r : survey.rows) {
        out += depthMetres(r.depthTenths);
        for (int j = 0; j < channels; ++j)
            out += "," + (r.readings[size_t(j)] ? std::to_string(*r.readings[size_t(j)]) : std::string());
        out += "\n";
    }
    return out;
}

} // namespace tarvelon::surveys
