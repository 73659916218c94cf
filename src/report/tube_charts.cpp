#include "report/tube_charts.h"

#include <cmath>
#include <limits>

namespace tarvelon::report {
namespace {

constexpr double kGap = std::numeric_limits<double>::quiet_NaN();

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

QString unit(const surveys::TubeResult& tube)
{
    return qs(surveys::unitName(tube.settings.units));
}

// Thresholds in the tube's units: alert amber, alarm red.
void addLimits(ChartSpec& c, const surveys::TubeResult& tube, const std::optional<double>& alert,
               const std::optional<double>& alarm, const QString& what, bool bothSides)
{
    const auto& t = tube.settings;
    if (alert)
        c.limits.push_back({QStringLiteral("Alert %1 %2").arg(surveys::inUnits(*alert, t.units), 0, 'g', 4).arg(what),
                            surveys::inUnits(*alert, t.units), QColor(0xe0, 0x90, 0x00), bothSides});
    if (alarm)
        c.limits.push_back({QStringLiteral("Alarm %1 %2").arg(surveys::inUnits(*alarm, t.units), 0, 'g', 4).arg(what),
                            surveys::inUnits(*alarm, t.units), QColor(0xd0, 0x00, 0x00), bothSides});
}

QString notCompared(const surveys::TubeResult& tube)
{
    QStringList lines;
    if (!tube.reason.empty())
        lines << qs(tube.reason);
    for (const surveys::ReadoutResult& r : tube.readouts)
        if (!r.displacement.reason.empty())
            lines << readoutName(*r.survey) + QStringLiteral(": ") + qs(r.displacement.reason);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString readoutName(const surveys::Survey& s)
{
    return QStringLiteral("%1 No. %2").arg(qs(s.date), qs(surveys::readoutNumber(s.readout)));
}

std::vector<ChartSpec> tubeCharts(const surveys::TubeResult& tube, std::vector<int> depths)
{
    const surveys::Units units = tube.settings.units;
    const QString note = notCompared(tube);
    std::vector<ChartSpec> charts;
    const char* names[2] = {"A", "B"};
    for (int kind = 0; kind < 2; ++kind)
        for (size_t j = 0; j < 2; ++j) {
            ChartSpec c;
            const bool cumulative = kind == 0;
            c.title = QStringLiteral("%1 %2 displacement").arg(QLatin1String(names[j]),
                                                               cumulative ? QStringLiteral("cumulative")
                                                                          : QStringLiteral("incremental"));
            c.fileName = QStringLiteral("%1-%2").arg(QString::fromLatin1(names[j]).toLower(),
                                                     cumulative ? QStringLiteral("cumulative") : QStringLiteral("incremental"));
            c.xTitle = QStringLiteral("Displacement (%1)").arg(unit(tube));
            c.yTitle = QStringLiteral("Depth (m)");
            c.depthDown = true;
            c.note = note;
            size_t colour = 0;
            for (const surveys::ReadoutResult& r : tube.readouts) {
                if (!r.displacement.compared)
                    continue;
                ChartSeries s{readoutName(*r.survey), seriesColor(colour++), {}, false};
                for (const surveys::DisplacementRow& row : r.displacement.rows) {
                    const auto& v = cumulative ? row.cumulative[j] : row.incremental[j];
                    s.points.append(QPointF(v ? surveys::inUnits(*v, units) : kGap, row.topM));
                }
                c.series.push_back(std::move(s));
            }
            if (cumulative)
                addLimits(c, tube, tube.settings.alertMm, tube.settings.alarmMm, unit(tube), true);
            charts.push_back(std::move(c));
        }

    if (depths.empty())
        depths = surveys::defaultHistoryDepths(tube);
    ChartSpec time;
    time.title = QStringLiteral("Resultant displacement against time");
    time.fileName = QStringLiteral("time");
    time.xTitle = QStringLiteral("Readout date");
    time.yTitle = QStringLiteral("Displacement (%1)").arg(unit(tube));
    time.timeAxis = true;
    for (size_t i = 0; i < depths.size(); ++i) {
        const std::vector<surveys::TimePoint> points = surveys::history(tube, depths[i]);
        std::optional<double> rate;
        ChartSeries s{{}, seriesColor(i), {}, true};
        for (const surveys::TimePoint& p : points) {
            s.points.append(QPointF(p.days, p.resultant ? surveys::inUnits(*p.resultant, units) : kGap));
            if (p.rateMmPerDay)
                rate = p.rateMmPerDay;
        }
        s.name = QStringLiteral("%1 m").arg(qs(surveys::depthText(depths[i] / 10.0 - surveys::topOffsetM(tube.settings))));
        if (rate)
            s.name += QStringLiteral(", latest rate %1 %2/day")
                          .arg(qs(surveys::lengthText(*rate, units)), unit(tube));
        time.series.push_back(std::move(s));
    }
    addLimits(time, tube, tube.settings.alertMm, tube.settings.alarmMm, unit(tube), false);
    QStringList rates;
    if (tube.settings.alertMmPerDay)
        rates << QStringLiteral("alert %1 %2/day").arg(qs(surveys::lengthText(*tube.settings.alertMmPerDay, units)), unit(tube));
    if (tube.settings.alarmMmPerDay)
        rates << QStringLiteral("alarm %1 %2/day").arg(qs(surveys::lengthText(*tube.settings.alarmMmPerDay, units)), unit(tube));
    if (!rates.isEmpty())
        time.note = QStringLiteral("Rate thresholds: ") + rates.join(QStringLiteral(", "));
    charts.push_back(std::move(time));
    return charts;
}

ChartSpec readingsChart(const std::vector<const surveys::Survey*>& readouts)
{
    ChartSpec c;
    c.title = QStringLiteral("Readings");
    c.fileName = QStringLiteral("readings");
    c.xTitle = QStringLiteral("Reading (reading units)");
    c.yTitle = QStringLiteral("Depth (m)");
    c.depthDown = true;
    size_t colour = 0;
    for (const surveys::Survey* s : readouts)
        for (size_t j = 0; j < 2; ++j) {
            ChartSeries line{readoutName(*s) + (j == 0 ? QStringLiteral(" A") : QStringLiteral(" B")),
                             seriesColor(colour++), {}, false};
            for (const surveys::SurveyRow& r : s->rows)
                line.points.append(QPointF(r.readings[j] ? double(*r.readings[j]) : kGap, r.depthTenths / 10.0));
            c.series.push_back(std::move(line));
        }
    return c;
}

} // namespace tarvelon::report
