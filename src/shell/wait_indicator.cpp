#include "shell/wait_indicator.h"
#include "shell/texts.h"

#include "shell/controls.h"

#include <QFrame>
#include <QLabel>

namespace tarvelon {

WaitIndicator::WaitIndicator(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("waitArea"));
    shape_ = new QFrame(this);
    shape_->setObjectName(QStringLiteral("Shape1"));
    shape_->setStyleSheet(QStringLiteral(
        "#Shape1 { border: 2px solid #b01818; border-radius: 12px; background-color: #fff3c4; }"));
    label_ = makeLabel(this, QStringLiteral("Label34"), Texts::tr("WAIT DATA TRANSMISSION ONGOING"));
    QFont waitFont = label_->font();
    waitFont.setBold(true);
    waitFont.setPointSizeF(waitFont.pointSizeF() * 1.15);
    label_->setFont(waitFont);
    label_->setStyleSheet(QStringLiteral("#Label34 { color: #b01818; background: transparent; }"));
    label_->setAlignment(Qt::AlignCenter);
    const QSize labelSize = label_->sizeHint();
    const QSize shapeSize(labelSize.width() + 60, labelSize.height() + 20);
    setFixedSize(shapeSize);
    shape_->setGeometry(QRect(QPoint(0, 0), shapeSize));
    label_->setGeometry(QRect(QPoint(30, 10), labelSize));
    label_->raise();
    showIndicator(false);
}

void WaitIndicator::showIndicator(bool shown)
{
    shape_->setVisible(shown);
    label_->setVisible(shown);
}

bool WaitIndicator::indicatorShown() const
{
    return !label_->isHidden();
}

UnlitMessages::Unlit::Unlit(WaitIndicator* indicator)
    : indicator_(indicator), wasLit_(indicator && indicator->indicatorShown())
{
    if (wasLit_)
        indicator_->showIndicator(false);
}

UnlitMessages::Unlit::~Unlit()
{
    if (wasLit_)
        indicator_->showIndicator(true);
}

void UnlitMessages::show(const std::string& text, Icon icon, const std::string& title)
{
    Unlit unlit(indicator_());
    boxes_.show(text, icon, title);
}

bool UnlitMessages::askOkCancel(const std::string& text, const std::string& erases)
{
    Unlit unlit(indicator_());
    return boxes_.askOkCancel(text, erases);
}

Answer UnlitMessages::ask(const Question& q)
{
    Unlit unlit(indicator_());
    return boxes_.ask(q);
}

} // namespace tarvelon
