#include "report/chart.h"
#include "report/report_language.h"
#include "report/write_failure.h"

#include <QDate>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPolygonF>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace tarvelon::report {
namespace {

struct Range {
    double lo = 0, hi = 0;
    bool any = false;
    void take(double v)
    {
        if (!std::isfinite(v))
            return;
        lo = any ? std::min(lo, v) : v;
        hi = any ? std::max(hi, v) : v;
        any = true;
    }
};

// Round steps (1, 2 or 5 times a power of ten) that give about `count` ticks.
std::vector<double> ticks(Range& r, int count)
{
    if (!r.any)
        r = {0, 1, true};
    if (r.hi - r.lo < 1e-9) {
        const double pad = std::max(1.0, std::abs(r.lo) * 0.1);
        r.lo -= pad;
        r.hi += pad;
    }
    const double raw = (r.hi - r.lo) / std::max(1, count);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power;
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (raw <= m * power) {
            step = m * power;
            break;
        }
    r.lo = std::floor(r.lo / step) * step;
    r.hi = std::ceil(r.hi / step) * step;
    std::vector<double> out;
    for (double v = r.lo; v <= r.hi + step / 2; v += step)
        out.push_back(std::abs(v) < step / 1e6 ? 0 : v);
    return out;
}

QString tickText(double v, bool time)
{
    if (time)
        return QDate(1970, 1, 1).addDays(qint64(std::floor(v + 0.5))).toString(QStringLiteral("dd/MM/yyyy"));
    return localNumber(v, 'g', 6);
}

double dayOf(const QDate& d)
{
    return double(QDate(1970, 1, 1).daysTo(d));
}

// Ticks on calendar boundaries from `r.lo` on: every 1, 2, 7 or 14 days, or on the first of
// every 1, 2, 3, 6 or 12 months, the finest step giving at most `count` ticks.
std::vector<double> timeTicks(const Range& r, int count)
{
    const QDate first = QDate(1970, 1, 1).addDays(qint64(std::ceil(r.lo - 1e-9)));
    for (int days : {1, 2, 7, 14}) {
        std::vector<double> out;
        for (double v = dayOf(first); v <= r.hi + 1e-9; v += days)
            out.push_back(v);
        if (int(out.size()) <= count)
            return out;
    }
    for (int months : {1, 2, 3, 6, 12, 24, 60, 120}) {
        std::vector<double> out;
        QDate d(first.year(), first.month(), 1);
        if (d < first)
            d = d.addMonths(1);
        while ((d.month() - 1) % std::min(months, 12) != 0 || (months > 12 && d.year() % (months / 12) != 0))
            d = d.addMonths(1);
        for (; dayOf(d) <= r.hi + 1e-9; d = d.addMonths(months))
            out.push_back(dayOf(d));
        if (int(out.size()) <= count)
            return out;
    }
    return {};
}

bool drawn(const ChartSeries& s)
{
    return std::any_of(s.points.begin(), s.points.end(),
                       [](const QPointF& pt) { return std::isfinite(pt.x()) && std::isfinite(pt.y()); });
}

} // namespace

QColor seriesColor(size_t index)
{
    static const QColor colors[] = {
        QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28), QColor(0x2c, 0xa0, 0x2c), QColor(0xff, 0x7f, 0x0e),
        QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b), QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f),
        QColor(0xbc, 0xbd, 0x22), QColor(0x17, 0xbe, 0xcf), QColor(0x00, 0x00, 0x00), QColor(0x0a, 0x3d, 0x62)};
    return colors[index % std::size(colors)];
}

SeriesStyle seriesStyle(size_t index)
{
    static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                          Qt::DashDotDotLine};
    return {seriesColor(index), styles[(index / 12) % std::size(styles)]};
}

double chartPointSize(double width, double height)
{
    return std::clamp(std::min(width, height) / 34.0, 8.0, 11.0);
}

std::optional<std::pair<double, double>> valueRangeOf(const ChartSpec& c)
{
    Range v;
    for (const ChartSeries& s : c.series)
        for (const QPointF& pt : s.points)
            if (std::isfinite(pt.x()) && std::isfinite(pt.y()))
                v.take(c.depthDown ? pt.x() : pt.y());
    for (const ChartLimit& l : c.limits) {
        v.take(l.value);
        if (l.bothSides)
            v.take(-l.value);
    }
    if (!v.any)
        return std::nullopt;
    if (c.depthDown || !c.timeAxis)
        v.take(0);
    const double pad = std::max(v.hi - v.lo, 1e-6) / 20;
    return std::pair{v.lo - pad, v.hi + pad};
}

void shareValueRange(std::vector<ChartSpec*> charts)
{
    Range all;
    for (ChartSpec* c : charts)
        if (const auto r = valueRangeOf(*c)) {
            all.take(r->first);
            all.take(r->second);
        }
    for (ChartSpec* c : charts)
        c->valueRange = all.any ? std::optional(std::pair{all.lo, all.hi}) : std::nullopt;
}

std::vector<double> valuesAt(const ChartSpec& c, double at)
{
    std::vector<double> out;
    for (const ChartSeries& s : c.series) {
        if (!drawn(s))
            continue;
        double v = std::numeric_limits<double>::quiet_NaN();
        for (const QPointF& pt : s.points)
            if (std::abs((c.depthDown ? pt.y() : pt.x()) - at) < 1e-6)
                v = c.depthDown ? pt.x() : pt.y();
        out.push_back(v);
    }
    return out;
}

void drawChart(QPainter& p, const QRectF& area, const ChartSpec& c)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(area);
    QFont font = p.font();
    // Text in points, so it keeps its size on a screen of any resolution and in print.
    const double toPoints = 72.0 / std::max(1, p.device()->logicalDpiY());
    font.setPointSizeF(chartPointSize(area.width() * toPoints, area.height() * toPoints));
    p.setFont(font);
    const QFontMetricsF fm(font, p.device());
    const double line = fm.height();

    QRectF rest = area.adjusted(line / 2, line / 2, -line / 2, -line / 2);
    QFont bold = font;
    bold.setBold(true);
    p.setFont(bold);
    p.drawText(QRectF(rest.left(), rest.top(), rest.width(), line * 1.2), Qt::AlignHCenter | Qt::AlignTop, c.title);
    p.setFont(font);
    rest.setTop(rest.top() + line * 1.4);
    if (!c.note.isEmpty()) {
        // As many lines as the note takes, up to a third of the chart.
        const double height = std::min(rest.height() / 3,
                                       p.boundingRect(rest, Qt::AlignLeft | Qt::TextWordWrap, c.note).height());
        const QRectF noteBox(rest.left(), rest.bottom() - height, rest.width(), height);
        p.setPen(QColor(0x80, 0x30, 0x00));
        p.drawText(noteBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, c.note);
        p.setPen(Qt::black);
        rest.setBottom(noteBox.top() - line * 0.3);
    }

    // The legend: a list beside the plot, each name in full, as many as fit; only the series drawn.
    std::vector<const ChartSeries*> shownSeries;
    for (const ChartSeries& s : c.series)
        if (drawn(s))
            shownSeries.push_back(&s);
    const double legendWidth =
        shownSeries.empty() && c.limits.empty() ? 0 : std::min(rest.width() * 0.4, line * 11.5);
    const QRectF legend(rest.right() - legendWidth, rest.top(), legendWidth, rest.height());
    rest.setRight(legend.left() - (legendWidth > 0 ? line * 0.5 : 0));

    // Axes: ranges and ticks.
    Range x, y;
    Range& values = c.depthDown ? x : y;
    if (c.valueRange) {
        values = {c.valueRange->first, c.valueRange->second, true};
    } else if (const auto r = valueRangeOf(c)) {
        values = {r->first, r->second, true};
    }
    for (const ChartSeries* s : shownSeries)
        for (const QPointF& pt : s->points)
            if (std::isfinite(pt.x()) && std::isfinite(pt.y()))
                (c.depthDown ? y : x).take(c.depthDown ? pt.y() : pt.x());
    if (c.depthDown)
        y.take(0);
    if (c.planNorth) {
        double most = 0;
        for (const ChartSeries* s : shownSeries)
            for (const QPointF& pt : s->points)
                if (std::isfinite(pt.x()) && std::isfinite(pt.y()))
                    most = std::max({most, std::abs(pt.x()), std::abs(pt.y())});
        most = most > 0 ? most * 1.1 : 1;
        x = {-most, most, true};
        y = {-most, most, true};
    }
    if (c.timeAxis && x.any) {
        if (std::isfinite(c.timeOrigin))
            x.lo = c.timeOrigin;
        x.hi = std::max(x.hi + std::max(1.0, (x.hi - x.lo) / 30), x.lo + 7);
    }
    std::vector<double> yt = ticks(y, c.planNorth ? 4 : 6);
    double yLabelWidth = 0;
    for (double v : yt)
        yLabelWidth = std::max(yLabelWidth, fm.horizontalAdvance(tickText(v, false)));
    const double top = rest.top() + (c.depthDown ? line * 1.8 : line * 0.5);
    QRectF box(QPointF(rest.left() + line * 1.3 + yLabelWidth + line * 0.3, top),
               QPointF(rest.right() - line * 0.5, rest.bottom() - line * (c.depthDown ? 1.3 : 2.9)));
    if (c.planNorth) // one scale both ways: a square
        box.setSize(QSizeF(std::min(box.width(), box.height()), std::min(box.width(), box.height())));
    if (box.width() < 10 || box.height() < 10) {
        p.restore();
        return;
    }
    // As many x ticks as have room for their labels with a space between.
    std::vector<double> xt;
    Range xr = x;
    for (int count = c.timeAxis ? 8 : 6; count >= 2; --count) {
        xr = x;
        if (!xr.any)
            xr = {0, 1, true};
        xt = c.timeAxis ? timeTicks(xr, count) : ticks(xr, count);
        double widest = 0, closest = box.width();
        for (size_t i = 0; i < xt.size(); ++i) {
            widest = std::max(widest, fm.horizontalAdvance(tickText(xt[i], c.timeAxis)));
            if (i > 0)
                closest = std::min(closest, (xt[i] - xt[i - 1]) / (xr.hi - xr.lo) * box.width());
        }
        if (widest + line <= closest)
            break;
    }
    x = xr;
    if (c.planNorth) {
        x = y; // the same rounding both ways
        xt = yt;
    }
    const auto px = [&](double v) { return box.left() + (v - x.lo) / (x.hi - x.lo) * box.width(); };
    const auto py = [&](double v) {
        const double f = (v - y.lo) / (y.hi - y.lo);
        return c.depthDown ? box.top() + f * box.height() : box.bottom() - f * box.height();
    };

    p.setPen(QPen(QColor(0xdd, 0xdd, 0xdd), 0));
    for (double v : xt)
        p.drawLine(QPointF(px(v), box.top()), QPointF(px(v), box.bottom()));
    for (double v : yt)
        p.drawLine(QPointF(box.left(), py(v)), QPointF(box.right(), py(v)));
    p.setPen(QPen(Qt::black, 0));
    p.drawRect(box);
    if (x.lo < 0 && x.hi > 0)
        p.drawLine(QPointF(px(0), box.top()), QPointF(px(0), box.bottom()));
    if (!c.depthDown && y.lo < 0 && y.hi > 0)
        p.drawLine(QPointF(box.left(), py(0)), QPointF(box.right(), py(0)));
    // X labels half a line clear of the plot, so none touches the y label at its corner.
    const double xLabels = c.depthDown ? box.top() - line * 1.65 : box.bottom() + line * 0.6;
    for (double v : xt) {
        const QString t = tickText(v, c.timeAxis);
        const double w = fm.horizontalAdvance(t);
        const double left = std::clamp(px(v) - w / 2, area.left(), area.right() - w);
        p.drawText(QRectF(left - 1, xLabels, w + 2, line), Qt::AlignCenter, t);
    }
    for (double v : yt)
        p.drawText(QRectF(box.left() - yLabelWidth - line * 0.4, py(v) - line / 2, yLabelWidth, line),
                   Qt::AlignRight | Qt::AlignVCenter, tickText(v, false));
    p.drawText(QRectF(box.left(), c.depthDown ? rest.bottom() - line : box.bottom() + line * 1.75, box.width(), line),
               Qt::AlignCenter, fm.elidedText(c.xTitle, Qt::ElideRight, box.width()));
    p.save();
    p.translate(rest.left(), box.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-box.height() / 2, 0, box.height(), line), Qt::AlignCenter, c.yTitle);
    p.restore();

    p.setClipRect(box.adjusted(-1, -1, 1, 1));
    if (c.depthDown && c.band.size() > 1) {
        QPolygonF shade;
        for (const QPointF& pt : c.band)
            shade << QPointF(px(pt.x()), py(pt.y()));
        for (auto it = c.band.rbegin(); it != c.band.rend(); ++it)
            shade << QPointF(px(-it->x()), py(it->y()));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x90, 0x90, 0x90, 0x40));
        p.drawPolygon(shade);
        p.setBrush(Qt::NoBrush);
    }
    for (const ChartLimit& l : c.limits) {
        p.setPen(QPen(l.color, 0, Qt::DashLine));
        for (double v : l.bothSides ? std::vector<double>{l.value, -l.value} : std::vector<double>{l.value}) {
            if (c.depthDown)
                p.drawLine(QPointF(px(v), box.top()), QPointF(px(v), box.bottom()));
            else
                p.drawLine(QPointF(box.left(), py(v)), QPointF(box.right(), py(v)));
        }
    }
    const double width = std::max(1.0, line / 10);
    for (const ChartSeries* s : shownSeries) {
        // Polylines between the gaps: far cheaper to draw than one path.
        p.setPen(QPen(s->color, s->heavy ? width * 2.4 : width, s->style));
        p.setBrush(Qt::NoBrush);
        QPolygonF run;
        const auto flush = [&] {
            if (run.size() > 1)
                p.drawPolyline(run);
            run.clear();
        };
        for (const QPointF& pt : s->points) {
            if (!std::isfinite(pt.x()) || !std::isfinite(pt.y())) {
                flush();
                continue;
            }
            run.append(QPointF(px(pt.x()), py(pt.y())));
        }
        flush();
        if (s->markers) {
            p.setPen(QPen(s->color, width));
            p.setBrush(s->color);
            for (const QPointF& pt : s->points)
                if (std::isfinite(pt.x()) && std::isfinite(pt.y()))
                    p.drawEllipse(QPointF(px(pt.x()), py(pt.y())), line / 5, line / 5);
        }
    }
    if (c.planNorth) {
        // North: an arrow in the plot's top right corner, A0 being up.
        const double angle = *c.planNorth * M_PI / 180, length = line * 2;
        const QPointF foot(box.right() - line * 1.6, box.top() + line * 3.2);
        const QPointF tip(foot.x() - std::sin(angle) * length, foot.y() - std::cos(angle) * length);
        p.setPen(QPen(Qt::black, width * 1.2));
        p.drawLine(foot, tip);
        p.setBrush(Qt::black);
        p.drawEllipse(tip, line / 6, line / 6);
        p.setClipRect(area);
        const double w = fm.horizontalAdvance(QStringLiteral("N"));
        p.drawText(QRectF(tip.x() - w / 2 - 1, tip.y() - line * 1.1, w + 2, line), Qt::AlignCenter, QStringLiteral("N"));
    }
    p.setClipRect(area);

    // Legend entries, then thresholds, one a line; what does not fit is counted.
    double at = legend.top();
    const auto entry = [&](const QString& name, const QColor& color, Qt::PenStyle style, double penWidth) {
        p.setPen(QPen(color, penWidth, style));
        p.drawLine(QPointF(legend.left(), at + line / 2), QPointF(legend.left() + line * 1.6, at + line / 2));
        p.setPen(Qt::black);
        const QRectF text(legend.left() + line * 1.9, at, legend.width() - line * 1.9, line * 3);
        const QRectF used = p.boundingRect(text, Qt::TextWordWrap, name);
        p.drawText(text, Qt::TextWordWrap, name);
        at += std::max(line, used.height()) + line * 0.15;
    };
    const size_t entries = shownSeries.size() + c.limits.size();
    size_t shown = 0;
    for (size_t i = 0; i < entries; ++i) {
        if (at + line * 2.2 > legend.bottom() && i + 1 < entries) {
            p.drawText(QRectF(legend.left(), at, legend.width(), line), Qt::AlignLeft,
                       translate("Texts", "and %1 more").arg(entries - shown));
            break;
        }
        if (i < shownSeries.size()) {
            const ChartSeries& s = *shownSeries[i];
            entry(s.name, s.color, s.style, s.heavy ? width * 2.4 : width * 1.2);
        } else {
            const ChartLimit& l = c.limits[i - shownSeries.size()];
            entry(l.name, l.color, Qt::DashLine, width * 1.2);
        }
        ++shown;
    }
    p.restore();
}

} // namespace tarvelon::report
