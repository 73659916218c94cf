#pragma once
#include "analysis/survey.h"

#include <QGroupBox>

class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPlainTextEdit;

namespace tarvelon {

// Tube Settings' "Report" group: what the tube's report says of it (project, location, casing
// top, probe serial, remarks) and the language its reports are written in, and who writes every report (company, preparer, checker), which
// the program keeps for all tubes.
class TubeReportBox : public QGroupBox {
    Q_OBJECT
public:
    TubeReportBox(const surveys::TubeReportFields& fields, QWidget* parent);
    surveys::TubeReportFields fields() const;
    // Keeps the company, preparer and checker typed here as the program's.
    void keepAuthor() const;

private:
    QLineEdit *project_, *projectNo_, *location_, *probeSerial_, *company_, *preparer_, *checker_;
    QDoubleSpinBox* topElevation_;
    QPlainTextEdit* remarks_;
    QComboBox* language_;
};

} // namespace tarvelon
