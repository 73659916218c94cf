#pragma once
#include <QFrame>
#include <QList>

namespace tarvelon {

// The control panel beside the pages: resetting, setting and reading blocks, "About" and
// "Help", in pairs.
class ControlPanel : public QFrame {
    Q_OBJECT
public:
    explicit ControlPanel(QWidget* parent);

    // The panel's buttons in the order Tab walks them.
    QList<QWidget*> tabOrder() const;
};

} // namespace tarvelon
