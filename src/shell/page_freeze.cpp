#include "shell/page_freeze.h"

#include "shell/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

namespace tarvelon {

void PageFreeze::freeze(const QList<QWidget*>& rooms, QWidget* tenths)
{
    if (frozen_)
        return;
    frozen_ = true;
    focusBefore_ = QApplication::focusWidget();
    for (QWidget* room : rooms) {
        for (QWidget* w : room->findChildren<QWidget*>()) {
            if (w->property(kUsableDuringOperations).toBool())
                continue;
            auto* box = qobject_cast<QLineEdit*>(w);
            if (box && box != tenths) {
                if (!box->isReadOnly()) {
                    box->setReadOnly(true);
                    boxes_.append(box);
                }
            } else if (box || qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w)) {
                controls_.insert(w, w->isEnabled());
                w->setEnabled(false);
            }
        }
    }
    focusAfter_ = QApplication::focusWidget();
}

void PageFreeze::thaw()
{
    if (!frozen_)
        return;
    frozen_ = false;
    for (auto it = controls_.cbegin(); it != controls_.cend(); ++it)
        it.key()->setEnabled(it.value());
    for (QLineEdit* box : std::as_const(boxes_))
        box->setReadOnly(false);
    controls_.clear();
    boxes_.clear();
    // Unless the operator has put the focus elsewhere meanwhile.
    if (focusBefore_ && QApplication::focusWidget() == focusAfter_)
        focusBefore_->setFocus(Qt::OtherFocusReason);
}

bool PageFreeze::setEnabledLater(QWidget* control, bool enabled)
{
    auto frozen = controls_.find(control);
    if (frozen == controls_.end())
        return false;
    *frozen = enabled;
    return true;
}

} // namespace tarvelon
