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

void ChartView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    report::drawChart(p, QRectF(rect()), chart_);
}

} // namespace tarvelon
