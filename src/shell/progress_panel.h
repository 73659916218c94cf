#pragma once
#include "platform/form.h"

#include <QString>
#include <QWidget>

class QProgressBar;
class QPushButton;
class QShortcut;

namespace tarvelon {

// Beside the wait indicator while a long operation runs: how far it has come (prgOperation,
// "Progress") and Stop (cmdStop, or Esc from any of the program's windows). Their places stay
// free while hidden, so nothing moves when they appear.
class ProgressPanel : public QWidget {
    Q_OBJECT
public:
    explicit ProgressPanel(QWidget* parent);

    void showProgress(const Progress& progress);
    // Stop was pressed: the operation ends at its next row or block.
    void showStopping();
    void hideProgress();

    // "Block 7 of 30, row 3 of 8, about 1 min 20 s left".
    static QString progressText(const Progress& progress);

signals:
    void stopPressed();

private:
    QProgressBar* bar_ = nullptr;
    QPushButton* stop_ = nullptr;
    QShortcut* esc_ = nullptr;
};

} // namespace tarvelon
