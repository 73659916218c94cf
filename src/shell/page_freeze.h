#pragma once
#include <QHash>
#include <QList>
#include <QPointer>
#include <QWidget>

class QLineEdit;

namespace tarvelon {

// The rooms of the window while an operation runs: boxes read-only, so the caret stays where
// the operator left it; buttons, lists and the tenths box (changed only by a double-click)
// disabled. What the program enables or disables meanwhile takes effect at the thaw, and the
// control that had the focus gets it back.
class PageFreeze {
public:
    bool isFrozen() const { return frozen_; }
    void freeze(const QList<QWidget*>& rooms, QWidget* tenths);
    void thaw();

    // A frozen control keeps `enabled` for the thaw; false when the control is not frozen.
    bool setEnabledLater(QWidget* control, bool enabled);
    // The enabled state the control has, or will have at the thaw.
    bool isEnabled(QWidget* control) const { return controls_.value(control, control->isEnabled()); }

private:
    bool frozen_ = false;
    QHash<QWidget*, bool> controls_;
    QList<QLineEdit*> boxes_;
    QPointer<QWidget> focusBefore_;
    QPointer<QWidget> focusAfter_;
};

} // namespace tarvelon
