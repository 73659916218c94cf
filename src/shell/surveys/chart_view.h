#pragma once
#include "report/chart.h"

#include <QWidget>

namespace tarvelon {

// One chart of the Surveys window, painted by the same code as the report's.
class ChartView : public QWidget {
    Q_OBJECT
public:
    explicit ChartView(QWidget* parent = nullptr);
    void setChart(report::ChartSpec chart);
    const report::ChartSpec& chart() const { return chart_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    report::ChartSpec chart_;
};

} // namespace tarvelon
