#include "report/site_plan.h"
#include "report/report_language.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace tarvelon::report {
namespace {

constexpr double kPi = 3.14159265358979323846;

// 1, 2 or 5 times a power of ten, the largest at most `most`.
double roundDown(double most)
{
    if (!(most > 0))
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(most)));
    for (double m : {5.0, 2.0, 1.0})
        if (m * power <= most)
            return m * power;
    return power;
}

QString lengthLabel(double v, const char* unit)
{
    return localNumber(v, 'g', 6) + QLatin1Char(' ') + QLatin1String(unit);
}

void arrow(QPainter& p, QPointF from, QPointF to, double head)
{
    p.drawLine(from, to);
    const QPointF d = to - from;
    const double length = std::hypot(d.x(), d.y());
    if (length < 1e-6)
        return;
    const QPointF u = d / length, n(-u.y(), u.x());
    const double h = std::min(head, length * 0.6);
    p.drawPolygon(QPolygonF({to, to - u * h + n * h * 0.45, to - u * h - n * h * 0.45}));
}

} // namespace

QColor levelColor(surveys::Level level, bool computed)
{
    if (!computed)
        return QColor(0x80, 0x80, 0x80);
    return level == surveys::Level::Alarm   ? QColor(0xd0, 0x00, 0x00)
           : level == surveys::Level::Alert ? QColor(0xe0, 0x90, 0x00)
                                            : QColor(0x20, 0x90, 0x30);
}

SitePlan sitePlan(const std::vector<surveys::SiteRow>& rows, std::optional<int> depthTenths)
{
    SitePlan plan;
    plan.depthTenths = depthTenths;
    // Several clients' sites may share tube names: a tube is named with its site when they differ.
    const bool oneSite = std::all_of(rows.begin(), rows.end(), [&rows](const surveys::SiteRow& r) {
        return r.key.site == rows.front().key.site;
    });
    for (const surveys::SiteRow& r : rows) {
        const QString name = QString::fromStdString(oneSite ? r.key.tube : r.key.site + " / " + r.key.tube);
        if (!r.settings.easting || !r.settings.northing) {
            plan.unplaced << name;
            continue;
        }
        PlanTube t{name, *r.settings.easting, *r.settings.northing, {}, {}, r.level,
                   r.latest && r.latest->displacement.compared};
        if (t.computed) {
            for (const surveys::DisplacementRow& row : r.latest->displacement.rows) {
                if (!row.resultant || !row.azimuth)
                    continue;
                if (depthTenths ? row.depthTenths != *depthTenths : false)
                    continue;
                const double az = *row.azimuth * kPi / 180.0;
                t.eastMm = *row.resultant * std::sin(az);
                t.northMm = *row.resultant * std::cos(az);
                break; // the shallowest computed: the top
            }
        }
        plan.placed.push_back(std::move(t));
    }
    return plan;
}

PlanScales drawSitePlan(QPainter& p, const QRectF& area, const SitePlan& plan, double points)
{
    PlanScales scales;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(area);
    QFont font = p.font();
    font.setPointSizeF(std::max(8.0, points));
    p.setFont(font);
    const QFontMetricsF fm(font, p.device());
    const double line = fm.height();

    QFont bold = font;
    bold.setBold(true);
    p.setFont(bold);
    const QString title =
        plan.depthTenths
            ? translate("Texts", "Site plan, resultant at %1 m").arg(localNumbers(QString::fromStdString(surveys::depthMetres(*plan.depthTenths))))
            : translate("Texts", "Site plan, resultant at the top");
    p.setPen(Qt::black);
    p.drawText(QRectF(area.left(), area.top(), area.width(), line * 1.2), Qt::AlignHCenter | Qt::AlignTop, title);
    p.setFont(font);

    // The tubes without coordinates in a column at the right.
    QRectF body = area.adjusted(line / 2, line * 1.5, -line / 2, -line * 2.6);
    if (!plan.unplaced.isEmpty()) {
        double w = fm.horizontalAdvance(translate("Texts", "Not placed:"));
        for (const QString& n : plan.unplaced)
            w = std::max(w, fm.horizontalAdvance(n));
        w = std::min(w + line, body.width() / 3);
        const QRectF list(body.right() - w, body.top(), w, body.height());
        QString text = translate("Texts", "Not placed:");
        int shown = 0;
        for (const QString& n : plan.unplaced) {
            if ((shown + 2) * line > list.height()) {
                text += QLatin1Char('\n') + translate("Texts", "and %1 more").arg(plan.unplaced.size() - shown);
                break;
            }
            text += QLatin1Char('\n') + fm.elidedText(n, Qt::ElideRight, w);
            ++shown;
        }
        p.drawText(list, Qt::AlignLeft | Qt::AlignTop, text);
        body.setRight(list.left() - line / 2);
    }
    p.setPen(QPen(Qt::gray, 0.5));
    p.drawRect(body);
    if (plan.placed.empty()) {
        p.setPen(Qt::black);
        p.drawText(body, Qt::AlignCenter | Qt::TextWordWrap,
                   translate("Texts", "No tube has coordinates: give each its easting and northing in its settings."));
        p.restore();
        return scales;
    }

    // Metres on one scale both ways, north up, the tubes' extent with a margin for the arrows.
    double e0 = plan.placed.front().easting, e1 = e0, n0 = plan.placed.front().northing, n1 = n0;
    for (const PlanTube& t : plan.placed) {
        e0 = std::min(e0, t.easting);
        e1 = std::max(e1, t.easting);
        n0 = std::min(n0, t.northing);
        n1 = std::max(n1, t.northing);
    }
    const double span = std::max({e1 - e0, n1 - n0, 1.0});
    // The longest arrow a sixth of the plot's shorter side: long enough to read its direction in
    // a plan as flat as the window's; the tubes kept that far inside, so no arrow leaves the plot.
    const double longest = std::min(body.width(), body.height()) / 6;
    const double margin = std::max(line * 2, longest + line * 0.5);
    const QRectF inner = body.adjusted(margin, margin, -margin, -margin);
    scales.metresPerPoint = span / std::max(1.0, std::min(inner.width(), inner.height()));
    const QPointF centre((e0 + e1) / 2, (n0 + n1) / 2);
    const auto at = [&](double e, double n) {
        return QPointF(inner.center().x() + (e - centre.x()) / scales.metresPerPoint,
                       inner.center().y() - (n - centre.y()) / scales.metresPerPoint);
    };
    double largest = 0;
    for (const PlanTube& t : plan.placed)
        if (t.eastMm && t.northMm)
            largest = std::max(largest, std::hypot(*t.eastMm, *t.northMm));
    scales.mmPerPoint = largest > 0 ? largest / longest : 1.0 / longest;

    // The most alarming tubes are named first; a name that would fall on another's is left out
    // (the tube's point and arrow are still drawn, and the table names it).
    std::vector<const PlanTube*> order;
    for (const PlanTube& t : plan.placed)
        order.push_back(&t);
    std::stable_sort(order.begin(), order.end(),
                     [](const PlanTube* a, const PlanTube* b) { return int(a->level) > int(b->level); });
    std::vector<QRectF> names;
    for (const PlanTube* t : order) {
        const QPointF here = at(t->easting, t->northing);
        const QColor colour = levelColor(t->level, t->computed);
        p.setPen(QPen(colour, 1.2));
        p.setBrush(colour);
        p.drawEllipse(here, 2.5, 2.5);
        if (t->eastMm && t->northMm)
            arrow(p, here, here + QPointF(*t->eastMm, -*t->northMm) / scales.mmPerPoint, line * 0.5);
        const double width = fm.horizontalAdvance(t->name) + 2;
        QRectF box(here.x() + 4, here.y() + 1, width, line);
        if (box.right() > body.right())
            box.moveRight(here.x() - 4);
        const bool free = body.contains(box) && std::none_of(names.begin(), names.end(), [&box](const QRectF& r) {
                              return r.adjusted(-1, -1, 1, 1).intersects(box);
                          });
        if (!free)
            continue;
        names.push_back(box);
        p.setPen(Qt::black);
        p.drawText(box, Qt::AlignLeft, t->name);
    }

    // North: an arrow at the top left corner.
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::black);
    const QPointF northFoot(body.left() + line, body.top() + line * 2.6);
    arrow(p, northFoot, northFoot - QPointF(0, line * 1.8), line * 0.5);
    p.drawText(QRectF(northFoot.x() + 3, northFoot.y() - line * 2, line, line), Qt::AlignLeft, QStringLiteral("N"));

    // Two scale bars under the plot: metres of the grid, millimetres of the arrows.
    const double barMax = body.width() / 4;
    scales.barMetres = roundDown(barMax * scales.metresPerPoint);
    scales.barMm = roundDown(barMax * scales.mmPerPoint);
    const double y = body.bottom() + line * 0.9;
    const auto bar = [&](double x, double length, const QString& label) {
        p.drawLine(QPointF(x, y), QPointF(x + length, y));
        p.drawLine(QPointF(x, y - 3), QPointF(x, y + 3));
        p.drawLine(QPointF(x + length, y - 3), QPointF(x + length, y + 3));
        p.drawText(QRectF(x, y + 2, std::max(length, fm.horizontalAdvance(label) + 2), line), Qt::AlignLeft, label);
    };
    p.setBrush(Qt::NoBrush);
    bar(body.left(), scales.barMetres / scales.metresPerPoint, lengthLabel(scales.barMetres, "m"));
    p.setPen(QPen(Qt::darkBlue, 1));
    bar(body.left() + body.width() / 2, scales.barMm / scales.mmPerPoint, translate("Texts", "arrow %1").arg(lengthLabel(scales.barMm, "mm")));
    p.restore();
    return scales;
}

} // namespace tarvelon::report
