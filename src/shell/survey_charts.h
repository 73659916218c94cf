#pragma once
#include "surveys/comparison.h"
#include "surveys/store.h"

#include <QString>
#include <QTabWidget>

#include <string>
#include <vector>

class QChart;
class QChartView;
class QComboBox;

namespace tarvelon {

// The Surveys window's charts: the "Profile" tab (readings, or the change since the base
// beside its cumulative change) and the "Trend" tab (one depth of a tube across its readouts).
class SurveyCharts : public QTabWidget {
    Q_OBJECT
public:
    SurveyCharts(surveys::SurveyStore& store, QWidget* parent);

    // Readings 1 and 2 of each readout against depth.
    void drawProfiles(const std::vector<const surveys::Survey*>& readouts);
    // Each readout's change since `base` and its cumulative change, scaled to mm when the
    // factor is set; returns the comparisons, one a readout in the same order.
    std::vector<surveys::Comparison> drawComparisons(const surveys::Survey& base,
                                                     const std::vector<const surveys::Survey*>& readouts,
                                                     double mmPerUnitMetre);
    // The trend depths of this readout's tube, keeping the chosen depth; null clears them.
    void setTrendReadout(const surveys::Survey* s);
    // Shows the trend tab at this depth.
    void showTrend(int depthTenths);

    // The shown tab, by the name's suffix: .png, .svg or .pdf. False with the reason on failure.
    bool exportChart(const QString& path, const QString& title, QString* error);

private:
    void drawTrend();

    surveys::SurveyStore& store_;
    std::string client_, site_, tube_; // the trend's tube
    QChart* profile_ = nullptr;
    QChart* cumulative_ = nullptr;
    QChartView* cumulativeView_ = nullptr;
    QChart* trend_ = nullptr;
    QComboBox* trendDepth_ = nullptr;
    QWidget* trendPage_ = nullptr;
};

} // namespace tarvelon
