#include "shell/control_panel.h"

#include "shell/controls.h"

#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tarvelon {

ControlPanel::ControlPanel(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("ControlPanel"));
    setFrameShape(QFrame::StyledPanel);
    auto* v = new QVBoxLayout(this);
    v->setSpacing(lines(this, 0.4));
    struct Entry {
        const char* name;
        const char* caption;
        bool enabled;
    };
    static constexpr Entry kButtons[] = {
        {"Command7", QT_TRANSLATE_NOOP("Texts", " &Reset Block"), true}, {"ssCommand8", QT_TRANSLATE_NOOP("Texts", " &Total Reset"), true},
        {"Command6", QT_TRANSLATE_NOOP("Texts", "&Set Block"), false},   {"sscommand6", QT_TRANSLATE_NOOP("Texts", "Set &All"), false},
        {"Command3", QT_TRANSLATE_NOOP("Texts", " R&ead Block"), false}, {"Command8", QT_TRANSLATE_NOOP("Texts", " Read All B&locks"), true},
        {"Command11", QT_TRANSLATE_NOOP("Texts", "A&bout"), true},       {"Command12", QT_TRANSLATE_NOOP("Texts", "&Help"), true},
    };
    int width = 0;
    QList<QPushButton*> buttons;
    for (const Entry& e : kButtons) {
        QPushButton* button = makeButton(this, e.name, e.caption, e.enabled);
        width = std::max(width, button->sizeHint().width());
        buttons.append(button);
        v->addWidget(button);
        if (buttons.size() == 2 || buttons.size() == 4 || buttons.size() == 6)
            v->addSpacing(lines(this, 0.6));
    }
    for (QPushButton* button : buttons)
        button->setMinimumSize(std::max(width + lines(button, 1.4), lines(button, 10.5)), lines(button, 2.1));
}

QList<QWidget*> ControlPanel::tabOrder() const
{
    return childrenNamed(this, {"Command7", "ssCommand8", "Command6", "sscommand6", "Command3", "Command8", "Command11",
                                "Command12"});
}

} // namespace tarvelon
