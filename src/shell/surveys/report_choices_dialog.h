#pragma once
#include "analysis/displacement.h"

#include <QDialog>
#include <QString>

#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace tarvelon {

// What one tube report is asked to be: its title, the depth of its plan view, its depth tables.
struct ReportChoices {
    QString title;                      // the default title when empty
    std::optional<int> planDepthTenths; // a base row's depth; the largest movement's when unset
    bool allTables = false;
    QString language{};                 // "en" or "it": the tube's default, else the program's
};

// "Tube Report": the choices of the report about to be written, asked before where it goes.
class ReportChoicesDialog : public QDialog {
    Q_OBJECT
public:
    // `tube` gives the depths to choose from and the readouts chosen, which go into the report;
    // `last` the choices made before; `tubeReadouts` how many readouts the tube has. The language
    // offered first is the tube's default, else the program's.
    ReportChoicesDialog(const surveys::TubeResult& tube, const ReportChoices& last, QWidget* parent,
                        size_t tubeReadouts = 0);
    ReportChoices choices() const;

private:
    QLineEdit* title_ = nullptr;
    QComboBox* planDepth_ = nullptr;
    QCheckBox* allTables_ = nullptr;
    QComboBox* language_ = nullptr;
};

} // namespace tarvelon
