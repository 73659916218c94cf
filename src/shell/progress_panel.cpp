#include "shell/progress_panel.h"
#include "shell/texts.h"

#include "link/progress.h"
#include "platform/qt/qt_text.h"
#include "shell/controls.h"
#include "shell/main_window.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStringList>

#include <algorithm>

namespace tarvelon {

ProgressPanel::ProgressPanel(QWidget* parent) : QWidget(parent)
{
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("prgOperation"));
    bar_->setAccessibleName(Texts::tr("Progress"));
    bar_->setTextVisible(true);
    bar_->setMinimumWidth(bar_->fontMetrics().horizontalAdvance(progressText({30, 30, 240, 240, 3599})) + 40);
    stop_ = makeButton(this, "cmdStop", QT_TRANSLATE_NOOP("Texts", "Stop"));
    stop_->setToolTip(Texts::tr("Stop the operation at the next row or block (Esc)"));
    stop_->setProperty(kUsableDuringOperations, true);
    connect(stop_, &QPushButton::clicked, this, &ProgressPanel::stopPressed);
    // Esc stops only while there is something to stop; otherwise it closes the window it is
    // pressed in.
    esc_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc_->setContext(Qt::ApplicationShortcut);
    esc_->setEnabled(false);
    connect(esc_, &QShortcut::activated, this, [this] {
        if (!stop_->isHidden())
            emit stopPressed();
    });

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(14);
    for (QWidget* w : {static_cast<QWidget*>(bar_), static_cast<QWidget*>(stop_)}) {
        QSizePolicy keep = w->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        w->setSizePolicy(keep);
        w->hide();
        row->addWidget(w);
    }
}

void ProgressPanel::showProgress(const Progress& p)
{
    // A run of blocks counts in blocks, with the block in progress as a fraction of one.
    constexpr int kSteps = 1000;
    if (p.blocks > 0) {
        bar_->setRange(0, p.blocks * kSteps);
        bar_->setValue((p.block - 1) * kSteps + (p.rows > 0 ? (p.row - 1) * kSteps / p.rows : 0));
    } else {
        bar_->setRange(0, std::max(p.rows, 1));
        bar_->setValue(std::max(p.row - 1, 0));
    }
    bar_->setFormat(progressText(p));
    bar_->show();
    stop_->show();
    esc_->setEnabled(true);
}

void ProgressPanel::showStopping()
{
    stop_->setEnabled(false);
    bar_->setFormat(bar_->format() + Texts::tr(" (stopping)"));
}

void ProgressPanel::hideProgress()
{
    bar_->hide();
    stop_->hide();
    stop_->setEnabled(true);
    esc_->setEnabled(false);
}

QString ProgressPanel::progressText(const Progress& p)
{
    return fromText(tarvelon::progressText(p));
}

} // namespace tarvelon
