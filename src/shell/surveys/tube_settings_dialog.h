#pragma once
#include "analysis/survey.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QLabel;

namespace tarvelon {
class TubeReportBox;
}

namespace tarvelon {

// "Tube Settings": what turns a tube's readings into millimetres and what is an alert, kept
// in the library for that tube. The base readout is chosen in the tree ("Mark as Base").
class TubeSettingsDialog : public QDialog {
    Q_OBJECT
public:
    TubeSettingsDialog(const surveys::TubeKey& tube, const surveys::TubeSettings& settings, QWidget* parent);
    // What the boxes hold, the base kept as it was.
    surveys::TubeSettings settings() const;

private:
    void labelLimits();
    // The tube's place on its site's plan and how often it is read, in a box of their own.
    void addSiteBox(QFormLayout* form, const surveys::TubeSettings& settings);

    surveys::TubeSettings settings_;
    QDoubleSpinBox* constant_ = nullptr;
    QComboBox* units_ = nullptr;
    QDoubleSpinBox* north_ = nullptr;
    QDoubleSpinBox* limits_[4]{};
    QLabel* limitLabels_[4]{};
    QCheckBox* secondPass_ = nullptr;
    QComboBox* reference_ = nullptr;
    QDoubleSpinBox* gauge_ = nullptr;
    QDoubleSpinBox* tolerance_ = nullptr;
    QComboBox* fixedEnd_ = nullptr;
    QDoubleSpinBox* minInterval_ = nullptr;
    QDoubleSpinBox* precision_ = nullptr;
    QComboBox* rateUnit_ = nullptr;
    QLabel* precisionLabel_ = nullptr;
    surveys::RateUnit shownRateUnit_ = surveys::RateUnit::Day; // what the rate thresholds are typed in
    TubeReportBox* report_ = nullptr;
    QCheckBox* easting_ = nullptr; // placed on the plan: both coordinates kept
    QDoubleSpinBox* coordinates_[2]{};
    QDoubleSpinBox* interval_ = nullptr;
};

} // namespace tarvelon
