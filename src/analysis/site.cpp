// A site's table: each tube's latest state and its projected alarm date.
#include "analysis/site.h"
#include "analysis/said.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <tuple>

namespace tarvelon::surveys {
namespace {

int levelRank(Level level)
{
    return level == Level::Alarm ? 2 : level == Level::Alert ? 1 : 0;
}

std::string fixed(double v, int decimals)
{
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals).ptr;
    return std::string(buf, end);
}

std::string csvField(const std::string& text)
{
    if (text.find_first_of(",\"\n\r") == std::string::npos)
        return text;
    std::string out = "\"";
    for (char c : text) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + "\"";
}

} // namespace

std::string isoDate(double days)
{
    // Days to a civil date in the proleptic Gregorian calendar, by eras of 400 years.
    const long long z = static_cast<long long>(std::floor(days)) + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long long d = doy - (153 * mp + 2) / 5 + 1;
    const long long m = mp < 10 ? mp + 3 : mp - 9;
    const long long y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04lld-%02d-%02d", y, int(m), int(d));
    return buf;
}

std::optional<double> isoDays(const std::string& date)
{
    int y = 0, m = 0, d = 0;
    char tail = 0;
    if (date.size() != 10 || std::sscanf(date.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &tail) != 3 || m < 1 || m > 12 ||
        d < 1 || d > 31)
        return std::nullopt;
    const int yy = y - (m <= 2 ? 1 : 0);
    const long long era = (yy >= 0 ? yy : yy - 399) / 400;
    const long long yoe = yy - era * 400;
    const long long doy = (153LL * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const double days = static_cast<double>(era * 146097 + doe - 719468);
    // 31/02 and the like come back as another date: no such day.
    if (isoDate(days) != date)
        return std::nullopt;
    return days;
}

std::optional<Projection> fitLine(const std::vector<std::pair<double, double>>& points)
{
    if (points.size() < 3)
        return std::nullopt;
    // Centred on the means, so days since 1970 do not swamp the sums.
    double mx = 0, my = 0;
    for (const auto& [x, y] : points) {
        mx += x;
        my += y;
    }
    mx /= double(points.size());
    my /= double(points.size());
    double sxx = 0, sxy = 0;
    for (const auto& [x, y] : points) {
        sxx += (x - mx) * (x - mx);
        sxy += (x - mx) * (y - my);
    }
    if (!(sxx > 0))
        return std::nullopt;
    Projection p;
    p.points = int(points.size());
    p.slopeMmPerDay = sxy / sxx;
    p.interceptMm = my - p.slopeMmPerDay * mx;
    p.fromDays = points.front().first;
    p.toDays = points.back().first;
    return p;
}

std::optional<Projection> projectAlarm(const TubeResult& tube)
{
    const ReadoutResult* latest = nullptr;
    for (const ReadoutResult& r : tube.readouts)
        if (!r.beforeBase && r.displacement.compared && r.days)
            latest = &r;
    if (!latest)
        return std::nullopt;
    // The depth of the readout's rate; when every change is within the precision band, of the
    // largest rate at any depth all the same: a slow movement is what a projection is for.
    std::optional<int> depth = latest->rateDepthTenths;
    double fastest = 0;
    for (const DisplacementRow& row : latest->displacement.rows)
        if (!latest->rateDepthTenths && row.rateMmPerDay && *row.rateMmPerDay > fastest) {
            fastest = *row.rateMmPerDay;
            depth = row.depthTenths;
        }
    if (!depth)
        return std::nullopt;
    std::vector<std::pair<double, double>> points;
    for (const TimePoint& t : history(tube, *depth))
        if (t.resultant)
            points.emplace_back(t.days, *t.resultant);
    if (points.size() > size_t(kProjectionReadouts))
        points.erase(points.begin(), points.end() - kProjectionReadouts);
    std::optional<Projection> p = fitLine(points);
    if (!p || !(p->slopeMmPerDay > 0))
        return std::nullopt;
    p->depthTenths = *depth;
    // A line fitted through points past the alarm crosses it before the latest readout: a date
    // in the past would read as a forecast, so the table says the alarm is reached instead.
    p->reached = tube.settings.alarmMm && points.back().second >= *tube.settings.alarmMm;
    if (tube.settings.alarmMm && !p->reached)
        p->alarmDays = (*tube.settings.alarmMm - p->interceptMm) / p->slopeMmPerDay;
    return p;
}

namespace {

// The projection's sentence in English, or in the program's language when `shown`.
std::string projectionIn(const Projection& p, const TubeSettings& settings, bool shown)
{
    const auto say = [shown](const char* source, std::initializer_list<std::string> values) {
        return shown ? said(source, values) : fillIn(source, values);
    };
    const std::string alarm = lengthText(settings.alarmMm, settings.units) + " " + unitName(settings.units);
    std::string text = say(QT_TRANSLATE_NOOP("Texts", "%1 over %2 readouts at %3 m (%4 to %5)"),
                           {rateText(p.slopeMmPerDay, settings) + " " + rateUnitName(settings), std::to_string(p.points),
                            depthMetres(p.depthTenths), isoDate(p.fromDays), isoDate(p.toDays)});
    if (p.reached && settings.alarmMm)
        text += say(QT_TRANSLATE_NOOP("Texts", "; already at or past the alarm of %1"), {alarm});
    else if (p.alarmDays && settings.alarmMm)
        text += say(QT_TRANSLATE_NOOP("Texts", "; reaches %1 on %2"), {alarm, isoDate(*p.alarmDays)});
    else
        text += say(QT_TRANSLATE_NOOP("Texts", "; no alarm threshold set"), {});
    return text;
}

} // namespace

std::string projectionText(const Projection& p, const TubeSettings& settings)
{
    return projectionIn(p, settings, false);
}

std::string shownProjectionText(const Projection& p, const TubeSettings& settings)
{
    return projectionIn(p, settings, true);
}

namespace {

// Each criterion once, in the order the causes name them.
std::vector<Criterion> criteriaOf(const std::vector<LevelCause>& causes)
{
    std::vector<Criterion> out;
    for (const LevelCause& c : causes)
        if (std::find(out.begin(), out.end(), c.criterion) == out.end())
            out.push_back(c.criterion);
    return out;
}

} // namespace

std::string criteriaText(const std::vector<LevelCause>& causes)
{
    std::string out;
    for (const Criterion c : criteriaOf(causes))
        out += (out.empty() ? "" : " and ") + criterionName(c);
    return out;
}

std::string shownCriteriaText(const std::vector<LevelCause>& causes)
{
    const std::vector<Criterion> criteria = criteriaOf(causes);
    if (criteria.size() == 2)
        return said(QT_TRANSLATE_NOOP("Texts", "%1 and %2"),
                    {shownCriterionName(criteria[0]), shownCriterionName(criteria[1])});
    return criteria.empty() ? std::string() : shownCriterionName(criteria[0]);
}

std::vector<SiteRow> siteRows(const std::vector<std::pair<TubeKey, const TubeResult*>>& tubes, double today)
{
    std::vector<SiteRow> rows;
    rows.reserve(tubes.size());
    for (const auto& [key, tube] : tubes) {
        SiteRow row;
        row.key = key;
        row.settings = tube->settings;
        for (const ReadoutResult& r : tube->readouts)
            if (!r.beforeBase)
                row.latest = &r;
        if (!row.latest) {
            row.reason = !tube->reason.empty() ? tube->reason : Reason(QT_TRANSLATE_NOOP("Texts", "no readout after the base"));
        } else {
            if (row.latest->days)
                row.daysSince = today - *row.latest->days;
            if (row.settings.readingIntervalDays && row.daysSince)
                row.overdue = *row.daysSince > *row.settings.readingIntervalDays;
            row.level = row.latest->level;
            row.causes = row.latest->causes;
            row.projection = projectAlarm(*tube);
        }
        rows.push_back(std::move(row));
    }
    const auto rate = [](const SiteRow& r) {
        return r.latest && r.latest->rateMmPerDay ? *r.latest->rateMmPerDay : -1.0;
    };
    std::stable_sort(rows.begin(), rows.end(), [&rate](const SiteRow& x, const SiteRow& y) {
        const bool xs = x.latest && x.latest->displacement.compared, ys = y.latest && y.latest->displacement.compared;
        return std::make_tuple(!xs, -levelRank(x.level), -rate(x), x.key) <
               std::make_tuple(!ys, -levelRank(y.level), -rate(y), y.key);
    });
    return rows;
}

namespace {
// The cells in English, or in the program's language when `shown`.
SiteCells cellsIn(const SiteRow& r, bool shown);
} // namespace

SiteCells siteCells(const SiteRow& r)
{
    return cellsIn(r, false);
}

SiteCells shownSiteCells(const SiteRow& r)
{
    return cellsIn(r, true);
}

namespace {

SiteCells cellsIn(const SiteRow& r, bool shown)
{
    SiteCells c;
    c.tube = r.key.tube;
    const ReadoutResult* l = r.latest;
    if (!l) {
        c.status = shown ? said(QT_TRANSLATE_NOOP("Texts", "not computed: %1"), {r.reason.shown()})
                         : "not computed: " + r.reason.english();
        return c;
    }
    c.readout = readoutNumber(l->survey->readout);
    c.date = l->days ? isoDate(*l->days) : l->survey->date;
    c.daysSince = r.daysSince ? fixed(std::floor(*r.daysSince), 0) : "";
    if (r.overdue)
        c.overdue = !shown ? (*r.overdue ? "overdue" : "no")
                           : said(*r.overdue ? QT_TRANSLATE_NOOP("Texts", "overdue") : QT_TRANSLATE_NOOP("Texts", "no"));
    if (l->largestMm)
        c.largest = lengthText(l->largestMm, r.settings.units) + " " + unitName(r.settings.units);
    c.depth = l->largestDepthTenths ? depthMetres(*l->largestDepthTenths) : "";
    c.azimuth = l->largestAzimuth ? fixed(*l->largestAzimuth, 0) : "";
    if (l->rateMmPerDay)
        c.rate = rateText(l->rateMmPerDay, r.settings) + " " + rateUnitName(r.settings);
    c.status = shown ? shownStatusText(*l, r.settings) : statusText(*l, r.settings);
    if (r.projection && r.projection->reached)
        c.projected = shown ? said(QT_TRANSLATE_NOOP("Texts", "reached")) : "reached";
    else if (r.projection && r.projection->alarmDays)
        c.projected = isoDate(*r.projection->alarmDays);
    return c;
}

} // namespace

std::string siteCsv(const std::vector<SiteRow>& rows)
{
    const bool inches = !rows.empty() && std::all_of(rows.begin(), rows.end(), [](const SiteRow& r) {
        return r.settings.units == Units::Inches;
    });
    const Units units = inches ? Units::Inches : Units::Millimetres;
    const std::string u = inches ? "in" : "mm";
    std::string out = "client,site,tube,latest_readout,latest_date,days_since_latest,overdue,largest_" + u +
                      ",largest_depth_m,azimuth_deg,rate,rate_unit,status,criterion,projected_alarm_date\n";
    for (const SiteRow& r : rows) {
        const ReadoutResult* l = r.latest;
        std::vector<std::string> cells{r.key.client, r.key.site, r.key.tube};
        cells.push_back(l ? readoutNumber(l->survey->readout) : "");
        cells.push_back(l && l->days ? isoDate(*l->days) : "");
        cells.push_back(r.daysSince ? fixed(*r.daysSince, 1) : "");
        cells.push_back(r.overdue ? (*r.overdue ? "yes" : "no") : "");
        cells.push_back(l ? lengthText(l->largestMm, units) : "");
        cells.push_back(l && l->largestDepthTenths ? depthMetres(*l->largestDepthTenths) : "");
        cells.push_back(l ? hundredths(l->largestAzimuth) : "");
        cells.push_back(l ? rateText(l->rateMmPerDay, r.settings) : "");
        cells.push_back(rateUnitName(r.settings));
        cells.push_back(!l ? "not computed: " + r.reason.english()
                           : l->displacement.compared ? levelWord(r.level)
                                                      : statusText(*l, r.settings));
        cells.push_back(criteriaText(r.causes));
        cells.push_back(r.projection && r.projection->alarmDays ? isoDate(*r.projection->alarmDays) : "");
        for (size_t i = 0; i < cells.size(); ++i)
            out += (i ? "," : "") + csvField(cells[i]);
        out += '\n';
    }
    return out;
}

} // namespace tarvelon::surveys
