#pragma once
#include "report/chart.h"
#include "analysis/displacement.h"

#include <QString>
#include <QTabWidget>

#include <vector>

class QComboBox;

namespace tarvelon {

class ChartView;

// The Surveys window's charts: "Cumulative" and "Incremental" (A and B side by side),
// "Time" (displacement at chosen depths against time, with its rate) and "Readings" (a
// readout's own readings when there is no base to compare it with).
class SurveyCharts : public QTabWidget {
    Q_OBJECT
public:
    explicit SurveyCharts(QWidget* parent);
    // The tube's readouts compared with its base; the time chart keeps a depth chosen before.
    void drawTube(const surveys::TubeResult& tube);
    void drawReadings(const std::vector<const surveys::Survey*>& readouts);
    void clear();
    // Shows the time chart at this depth besides the default ones.
    void showTime(int depthTenths);

    // The charts shown, as the report draws them.
    std::vector<report::ChartSpec> charts() const;
    // The shown tab's first chart, by the name's suffix: .png, .svg or .pdf.
    bool exportChart(const QString& path, QString* error) const;

private:
    void drawTime();
    // The top, the depth of largest displacement and the one chosen.
    std::vector<int> timeDepths() const;

    ChartView* cumulative_[2]{};
    ChartView* incremental_[2]{};
    ChartView* time_ = nullptr;
    ChartView* rate_ = nullptr;
    ChartView* readings_ = nullptr;
    QComboBox* depth_ = nullptr;
    QWidget* timePage_ = nullptr;
    const surveys::TubeResult* tube_ = nullptr;
    bool compared_ = false;
};

} // namespace tarvelon
