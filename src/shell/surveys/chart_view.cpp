#include "shell/surveys/chart_view.h"

#include <QPainter>

namespace tarvelon {

ChartView::ChartView(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(240, 240);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartView::setChart(report::ChartSpec chart)
{
    chart_ = std::move(chart);
    update();
}

void ChartView::setPlaceholder(const QString& text)
{
    placeholder_ = text;
    setAccessibleDescription(text);
    update();
}

void ChartView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    // Axes from 0 to 1 would read as a chart of nothing measured.
    if (chart_.series.empty() && chart_.title.isEmpty()) {
        p.setPen(palette().color(QPalette::PlaceholderText));
        p.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap, placeholder_);
        return;
    }
    report::drawChart(p, QRectF(rect()), chart_);
}

} // namespace tarvelon
