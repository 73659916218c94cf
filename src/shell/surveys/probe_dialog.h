#pragma once
#include "analysis/survey.h"

#include <QDialog>

class QDoubleSpinBox;
class QLineEdit;

namespace tarvelon {

// "Probe": the serial and constant of the probe that read one readout, kept with the readout.
class ProbeDialog : public QDialog {
    Q_OBJECT
public:
    ProbeDialog(const surveys::Survey& readout, const surveys::TubeSettings& settings, QWidget* parent);
    std::string serial() const;
    // None: the tube's constant applies.
    std::optional<double> constant() const;

private:
    QLineEdit* serial_ = nullptr;
    QDoubleSpinBox* constant_ = nullptr;
};

} // namespace tarvelon
