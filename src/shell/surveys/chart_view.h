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
    // What an empty view says instead of drawing empty axes.
    void setPlaceholder(const QString& text);
    QString placeholder() const { return placeholder_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    report::ChartSpec chart_;
    QString placeholder_;
};

} // namespace tarvelon
