#include "report/report_page.h"

#include "report/report_language.h"

#include <QFontMetricsF>
#include <QPainter>

namespace tarvelon::report::page {

void drawRunningHeader(QPainter& p, const QString& line1, const QString& line2)
{
    const double width = kWidth - 2 * kMargin;
    p.setPen(Qt::black);
    p.setFont(sized(kHeaderPoints, true));
    p.drawText(QRectF(kMargin, kMargin, width, 12), Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetricsF(p.font()).elidedText(line1, Qt::ElideRight, width));
    p.setFont(sized(kHeaderPoints));
    p.drawText(QRectF(kMargin, kMargin + 12, width, 12), Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetricsF(p.font()).elidedText(line2, Qt::ElideRight, width));
    p.setPen(QPen(Qt::black, 0.5));
    p.drawLine(QPointF(kMargin, kMargin + 27), QPointF(kWidth - kMargin, kMargin + 27));
}

void drawFooter(QPainter& p, const QString& left, int number, int count)
{
    p.setPen(Qt::black);
    p.setFont(sized(kHeaderPoints));
    const QRectF box(kMargin, kHeight - kMargin - 10, kWidth - 2 * kMargin, 10);
    p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, left);
    p.drawText(box, Qt::AlignRight | Qt::AlignVCenter, translate("Texts", "Page %1 of %2").arg(number).arg(count));
}

} // namespace tarvelon::report::page
