#include "report/tube_charts.h"
#include "report/report_language.h"

#include <QCoreApplication>
#include <QDate>

#include <algorithm>

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
        c.limits.push_back({translate("Texts", "Alert %1 %2").arg(localNumbers(qs(surveys::lengthText(*alert, t.units))), what),
                            surveys::inUnits(*alert, t.units), QColor(0xe0, 0x90, 0x00), bothSides});
    if (alarm)
        c.limits.push_back({translate("Texts", "Alarm %1 %2").arg(localNumbers(qs(surveys::lengthText(*alarm, t.units))), what),
                            surveys::inUnits(*alarm, t.units), QColor(0xd0, 0x00, 0x00), bothSides});
}

QString notCompared(const surveys::TubeResult& tube)
{
    QStringList lines;
    if (!tube.reason.empty())
        lines << localNumbers(qs(tube.reason.shown()));
    for (const surveys::ReadoutResult& r : tube.readouts)
        if (!r.displacement.reason.empty())
            lines << readoutName(*r.survey) + QStringLiteral(": ") + localNumbers(qs(r.displacement.reason.shown()));
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString fullDate(const std::string& date)
{
    // The unit's "DD/MM/YY" with the century its days are counted in; anything else as it is.
    const std::optional<double> days = surveys::surveyDays(date, "00:00:00");
    if (!days)
        return qs(date);
    return QDate(1970, 1, 1).addDays(qint64(std::floor(*days))).toString(QStringLiteral("dd/MM/yyyy"));
}

QString readoutName(const surveys::Survey& s)
{
    return translate("Texts", "%1 No. %2").arg(fullDate(s.date), qs(surveys::readoutNumber(s.readout)));
}

std::vector<ChartSpec> tubeCharts(const surveys::TubeResult& tube, std::vector<int> depths, std::vector<int> planDepths)
{
    const surveys::Units units = tube.settings.units;
    const QString note = notCompared(tube);
    std::vector<ChartSpec> charts;
    const char* names[2] = {"A", "B"};
    const double north = tube.base ? surveys::northDegrees(*tube.base, tube.settings) : 0;
    size_t latest = 0;
    for (size_t i = 0; i < tube.readouts.size(); ++i)
        if (tube.readouts[i].displacement.compared)
            latest = i;
    for (int kind = 0; kind < 2; ++kind)
        for (size_t j = 0; j < 2; ++j) {
            ChartSpec c;
            const bool cumulative = kind == 0;
            c.title = cumulative ? translate("Texts", "%1 cumulative displacement").arg(QLatin1String(names[j]))
                                 : translate("Texts", "%1 incremental displacement").arg(QLatin1String(names[j]));
            c.fileName = QStringLiteral("%1-%2").arg(QString::fromLatin1(names[j]).toLower(),
                                                     cumulative ? QStringLiteral("cumulative") : QStringLiteral("incremental"));
            // The sign of the axis: toward the groove it is named by, at its bearing from north.
            c.xTitle = translate("Texts", "%1, + toward %2 at %3°")
                           .arg(unit(tube), QLatin1String(names[j]) + QLatin1Char('0'),
                                localNumber(std::fmod(north + 90.0 * double(j) + 360.0, 360.0), 'g', 4));
            c.yTitle = translate("Texts", "Depth (m)");
            c.depthDown = true;
            c.note = note;
            // A readout keeps its colour and style in every chart: by its place in the tube.
            for (size_t i = 0; i < tube.readouts.size(); ++i) {
                const surveys::ReadoutResult& r = tube.readouts[i];
                if (!r.displacement.compared)
                    continue;
                const SeriesStyle style = seriesStyle(i);
                ChartSeries s{readoutName(*r.survey), style.color, {}, false, style.style, i == latest};
                for (const surveys::DisplacementRow& row : r.displacement.rows) {
                    const auto& v = cumulative ? row.cumulative[j] : row.incremental[j];
                    s.points.append(QPointF(v ? surveys::inUnits(*v, units) : kGap, row.topM));
                }
                c.series.push_back(std::move(s));
            }
            // The thresholds are of the resultant: a component inside them may still be in alarm,
            // so they are drawn only on charts of the resultant.
            if (cumulative) {
                // The precision band of the latest readout's sums, shaded about zero.
                if (!tube.readouts.empty() && tube.readouts[latest].displacement.compared)
                    for (const surveys::DisplacementRow& row : tube.readouts[latest].displacement.rows)
                        if (row.bandMm)
                            c.band.append(QPointF(surveys::inUnits(*row.bandMm, units), row.topM));
            }
            charts.push_back(std::move(c));
        }
    // A and B of one kind on one scale, so that equal movements look equal.
    shareValueRange({&charts[0], &charts[1]});
    shareValueRange({&charts[2], &charts[3]});

    if (depths.empty())
        depths = surveys::defaultHistoryDepths(tube);
    ChartSpec time;
    time.title = translate("Texts", "Displacement against time");
    time.fileName = QStringLiteral("time");
    time.xTitle = translate("Texts", "Readout date");
    time.yTitle = translate("Texts", "Displacement (%1)").arg(unit(tube));
    time.timeAxis = true;
    if (tube.base)
        time.timeOrigin = surveys::surveyDays(tube.origin()->date, tube.origin()->time).value_or(time.timeOrigin);
    for (size_t i = 0; i < depths.size(); ++i) {
        const std::vector<surveys::TimePoint> points = surveys::history(tube, depths[i]);
        std::optional<double> rate;
        // Named where the values belong, as the tables place them by the tube's depth reference.
        const QString at =
            localNumbers(QStringLiteral("%1 m").arg(qs(surveys::depthText(depths[i] / 10.0 - surveys::topOffsetM(tube.settings)))));
        // The resultant solid with its points, A dashed and B dotted, in the depth's colour.
        ChartSeries resultant{translate("Texts", "%1 resultant").arg(at), seriesColor(i), {}, true, Qt::SolidLine, false};
        ChartSeries a{at + QStringLiteral(" A"), seriesColor(i), {}, false, Qt::DashLine, false};
        ChartSeries b{at + QStringLiteral(" B"), seriesColor(i), {}, false, Qt::DotLine, false};
        for (const surveys::TimePoint& p : points) {
            const auto value = [&](const std::optional<double>& v) { return v ? surveys::inUnits(*v, units) : kGap; };
            resultant.points.append(QPointF(p.days, value(p.resultant)));
            a.points.append(QPointF(p.days, value(p.a)));
            b.points.append(QPointF(p.days, value(p.b)));
            if (p.rateMmPerDay)
                rate = p.rateMmPerDay;
        }
        if (rate)
            resultant.name += translate("Texts", ", latest rate %1 %2")
                                  .arg(localNumbers(qs(surveys::rateText(*rate, tube.settings))),
                                       qs(surveys::rateUnitName(tube.settings)));
        time.series.push_back(std::move(resultant));
        time.series.push_back(std::move(a));
        time.series.push_back(std::move(b));
    }
    addLimits(time, tube, tube.settings.alertMm, tube.settings.alarmMm, unit(tube), false);
    if (const std::optional<surveys::Projection> fit = surveys::projectAlarm(tube))
        time.series.push_back(projectionSeries(*fit, tube.settings));
    charts.push_back(std::move(time));
    charts.push_back(planChart(tube, planDepths.empty() ? depths : planDepths));
    if (tube.settings.secondPass)
        charts.push_back(checksumChart(tube));
    charts.push_back(rateChart(tube, depths));
    return charts;
}

const ChartSpec* chartNamed(const std::vector<ChartSpec>& charts, const QString& fileName)
{
    for (const ChartSpec& c : charts)
        if (c.fileName == fileName)
            return &c;
    return nullptr;
}

ChartSeries projectionSeries(const surveys::Projection& fit, const surveys::TubeSettings& settings)
{
    // Drawn on to the alarm, but no further ahead than the fitted readouts span (a month at least),
    // so a far date does not squeeze the readouts into a corner.
    const double ahead = std::max(30.0, fit.toDays - fit.fromDays);
    const double end = fit.alarmDays ? std::clamp(*fit.alarmDays, fit.toDays, fit.toDays + ahead) : fit.toDays + ahead;
    ChartSeries s{translate("Texts", "Projection at %1 m, %2 %3")
                      .arg(localNumbers(qs(surveys::depthMetres(fit.depthTenths))),
                           localNumbers(qs(surveys::rateText(fit.slopeMmPerDay, settings))), qs(surveys::rateUnitName(settings))),
                  QColor(0x60, 0x60, 0x60), {}, false, Qt::DashDotLine, false};
    for (const double day : {fit.fromDays, end})
        s.points.append(QPointF(day, surveys::inUnits(fit.interceptMm + fit.slopeMmPerDay * day, settings.units)));
    return s;
}

ChartSpec rateChart(const surveys::TubeResult& tube, std::vector<int> depths)
{
    if (depths.empty())
        depths = surveys::defaultHistoryDepths(tube);
    ChartSpec c;
    c.title = translate("Texts", "Rate against time");
    c.fileName = QStringLiteral("rate");
    c.xTitle = translate("Texts", "Readout date");
    c.yTitle = translate("Texts", "Rate (%1)").arg(qs(surveys::rateUnitName(tube.settings)));
    c.timeAxis = true;
    if (tube.base)
        c.timeOrigin = surveys::surveyDays(tube.base->date, tube.base->time).value_or(c.timeOrigin);
    for (size_t i = 0; i < depths.size(); ++i) {
        ChartSeries s{localNumbers(QStringLiteral("%1 m").arg(qs(surveys::depthText(depths[i] / 10.0 - surveys::topOffsetM(tube.settings))))),
                      seriesColor(i), {}, true, Qt::SolidLine, false};
        for (const surveys::TimePoint& p : surveys::history(tube, depths[i]))
            if (p.rateMmPerDay)
                s.points.append(QPointF(p.days, surveys::rateInUnits(*p.rateMmPerDay, tube.settings)));
        c.series.push_back(std::move(s));
    }
    const auto& t = tube.settings;
    // A rate is never below zero: the scale from zero, so a steady rate is a level line, not
    // noise blown up to fill the chart.
    double top = 0;
    for (const ChartSeries& series : c.series)
        for (const QPointF& p : series.points)
            top = std::max(top, p.y());
    for (const std::optional<double>& limit : {t.alertMmPerDay, t.alarmMmPerDay})
        if (limit)
            top = std::max(top, surveys::rateInUnits(*limit, t));
    if (top > 0)
        c.valueRange = std::pair(0.0, top * 1.1);
    const QString u = qs(surveys::rateUnitName(t));
    if (t.alertMmPerDay)
        c.limits.push_back({translate("Texts", "Alert %1 %2").arg(localNumbers(qs(surveys::rateText(*t.alertMmPerDay, t))), u),
                            surveys::rateInUnits(*t.alertMmPerDay, t), QColor(0xe0, 0x90, 0x00), false});
    if (t.alarmMmPerDay)
        c.limits.push_back({translate("Texts", "Alarm %1 %2").arg(localNumbers(qs(surveys::rateText(*t.alarmMmPerDay, t))), u),
                            surveys::rateInUnits(*t.alarmMmPerDay, t), QColor(0xd0, 0x00, 0x00), false});
    return c;
}

std::optional<int> depthTenthsAt(const surveys::TubeResult& tube, double metres, QString* error)
{
    const auto failed = [&](const QString& why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (!tube.base || tube.base->rows.empty())
        return failed(QCoreApplication::translate("Texts", "the tube has no base readout to take depths from"));
    const double offset = surveys::topOffsetM(tube.settings);
    // Depths are printed to the centimetre at most: a typed one matches within half of that.
    for (const surveys::SurveyRow& r : tube.base->rows)
        if (std::isfinite(metres) && std::abs(r.depthTenths / 10.0 - offset - metres) < 0.005)
            return r.depthTenths;
    const auto& rows = tube.base->rows;
    return failed(QCoreApplication::translate("Texts", "the tube was not read at %1 m: its depths run from %2 to %3 m every %4 m")
                      .arg(QString::number(metres, 'f', 2), qs(surveys::depthText(rows.front().depthTenths / 10.0 - offset)),
                           qs(surveys::depthText(rows.back().depthTenths / 10.0 - offset)),
                           QString::number(tube.base->step, 'g', 4)));
}

ChartSpec planChart(const surveys::TubeResult& tube, const std::vector<int>& depths)
{
    const surveys::Units units = tube.settings.units;
    ChartSpec plan;
    plan.title = translate("Texts", "Plan of the resultant");
    plan.fileName = QStringLiteral("plan");
    plan.xTitle = translate("Texts", "B (%1), + toward B0").arg(unit(tube));
    plan.yTitle = translate("Texts", "A (%1), + toward A0").arg(unit(tube));
    plan.planNorth = tube.base ? surveys::northDegrees(*tube.base, tube.settings) : 0;
    // Each depth's path from the base (the origin) through the readouts, the latest marked.
    for (size_t i = 0; i < depths.size(); ++i) {
        ChartSeries s{localNumbers(QStringLiteral("%1 m").arg(qs(surveys::depthText(depths[i] / 10.0 - surveys::topOffsetM(tube.settings))))),
                      seriesColor(i), {}, true,
                      Qt::SolidLine, false};
        for (const surveys::TimePoint& p : surveys::history(tube, depths[i]))
            s.points.append(p.a && p.b ? QPointF(surveys::inUnits(*p.b, units), surveys::inUnits(*p.a, units))
                                       : QPointF(kGap, kGap));
        plan.series.push_back(std::move(s));
    }
    return plan;
}

ChartSpec checksumChart(const surveys::TubeResult& tube)
{
    ChartSpec c;
    c.title = translate("Texts", "Checksums against depth");
    c.fileName = QStringLiteral("checksums");
    c.xTitle = translate("Texts", "Reading 1 + 3, 2 + 4 (units)");
    c.yTitle = translate("Texts", "Depth (m)");
    c.depthDown = true;
    if (tube.base)
        for (size_t j = 0; j < 2; ++j) {
            ChartSeries s{translate("Texts", "Base, %1").arg(j == 0 ? QLatin1Char('A') : QLatin1Char('B')), seriesColor(7),
                          {}, false, j == 0 ? Qt::SolidLine : Qt::DashLine, false};
            for (const surveys::SurveyRow& r : tube.base->rows)
                s.points.append(QPointF(r.readings[j] && r.readings[j + 2] ? double(*r.readings[j] + *r.readings[j + 2])
                                                                          : kGap,
                                        r.depthTenths / 10.0 - surveys::topOffsetM(tube.settings)));
            c.series.push_back(std::move(s));
        }
    // Every readout marked "possible bias shift" and the latest compared, beside the base.
    size_t latest = tube.readouts.size();
    for (size_t i = 0; i < tube.readouts.size(); ++i)
        if (tube.readouts[i].displacement.compared)
            latest = i;
    for (size_t i = 0; i < tube.readouts.size(); ++i) {
        const surveys::ReadoutResult& r = tube.readouts[i];
        if (!r.displacement.compared || (i != latest && !r.possibleBiasShift))
            continue;
        for (size_t j = 0; j < 2; ++j) {
            ChartSeries s{readoutName(*r.survey) + (j == 0 ? QStringLiteral(", A") : QStringLiteral(", B")) +
                              (r.possibleBiasShift ? translate("Texts", " (possible bias shift)") : QString()),
                          seriesStyle(i).color, {}, false, j == 0 ? Qt::SolidLine : Qt::DashLine, i == latest};
            for (const surveys::DisplacementRow& row : r.displacement.rows)
                s.points.append(QPointF(row.checksum[j] ? double(*row.checksum[j]) : kGap, row.topM));
            c.series.push_back(std::move(s));
        }
    }
    return c;
}

ChartSpec readingsChart(const std::vector<const surveys::Survey*>& readouts)
{
    ChartSpec c;
    c.title = translate("Texts", "Readings");
    c.fileName = QStringLiteral("readings");
    c.xTitle = translate("Texts", "Reading (reading units)");
    c.yTitle = translate("Texts", "Depth (m)");
    c.depthDown = true;
    size_t colour = 0;
    for (const surveys::Survey* s : readouts)
        for (size_t j = 0; j < 2; ++j) {
            const SeriesStyle style = seriesStyle(colour++);
            ChartSeries line{readoutName(*s) + (j == 0 ? QStringLiteral(" A") : QStringLiteral(" B")),
                             style.color, {}, false, style.style, false};
            for (const surveys::SurveyRow& r : s->rows)
                line.points.append(QPointF(r.readings[j] ? double(*r.readings[j]) : kGap, r.depthTenths / 10.0));
            c.series.push_back(std::move(line));
        }
    return c;
}

} // namespace tarvelon::report
