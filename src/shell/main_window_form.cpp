// The main window as the operations see it: the named controls of all pages, the wait
// indicator, the progress and the status line.
#include "shell/main_window.h"

#include "platform/qt/qt_text.h"
#include "shell/controls.h"
#include "shell/progress_panel.h"
#include "shell/wait_indicator.h"

#include <QLineEdit>

namespace tarvelon {

QLineEdit* MainWindow::field(std::string_view name) const
{
    return fields_.value(toQString(name));
}

QWidget* MainWindow::control(std::string_view name) const
{
    const QString key = toQString(name);
    auto it = controls_.constFind(key);
    if (it != controls_.constEnd())
        return it.value();
    QWidget* w = findChild<QWidget*>(key);
    if (w)
        controls_.insert(key, w);
    return w;
}

std::string MainWindow::text(std::string_view name) const
{
    const QLineEdit* box = field(name);
    if (!box) {
        qWarning("Scaricodati: no text box %.*s", int(name.size()), name.data());
        return {};
    }
    return toText(box->text());
}

void MainWindow::setText(std::string_view name, std::string_view value)
{
    QLineEdit* box = field(name);
    if (!box) {
        qWarning("Scaricodati: no text box %.*s", int(name.size()), name.data());
        return;
    }
    // QLineEdit cuts the text to its maximum length.
    box->setText(shownText(std::string(value)));
}

void MainWindow::focus(std::string_view name)
{
    if (QLineEdit* box = field(name)) {
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
    }
}

void MainWindow::rememberFolder(const QString& folder)
{
    // The core gives a path back as its UTF-8 bytes or, made text, with "?" for each
    // character the code page lacks; either way the folder is put back as it is named.
    for (const std::string& seen : {folder.toUtf8().toStdString(), toText(folder)}) {
        const QString shown = fromText(seen);
        if (shown != folder && !folderRenderings_.contains({shown, folder}))
            folderRenderings_.append({shown, folder});
    }
}

QString MainWindow::shownText(const std::string& text) const
{
    QString shown = fromText(text);
    for (const auto& [seen, folder] : folderRenderings_)
        shown.replace(seen, folder);
    return shown;
}

void MainWindow::setEnabled(std::string_view name, bool enabled)
{
    QWidget* w = control(name);
    if (!w)
        qWarning("Scaricodati: no control %.*s", int(name.size()), name.data());
    else if (!freeze_.setEnabledLater(w, enabled))
        w->setEnabled(enabled);
}

bool MainWindow::isEnabled(std::string_view name) const
{
    QWidget* w = control(name);
    return w && freeze_.isEnabled(w);
}

void MainWindow::showWaitIndicator(bool shown)
{
    // A job talking to the unit replaces what the last one said.
    if (shown && !waitIndicator_->indicatorShown())
        statusLine_->setResult({});
    waitIndicator_->showIndicator(shown);
}

bool MainWindow::waitIndicatorShown() const
{
    return waitIndicator_->indicatorShown();
}

void MainWindow::showProgress(const Progress& p)
{
    (progressTarget_ ? progressTarget_.data() : progressPanel_)->showProgress(p);
}

void MainWindow::showOutcome(std::string_view text)
{
    showResult(shownText(std::string(text)));
}

void MainWindow::showResult(const QString& result, const QString& file)
{
    resultFromBox_ = false;
    statusLine_->setResult(result, file);
}

void MainWindow::showProgressIn(ProgressPanel* panel)
{
    progressTarget_ = panel;
}

void MainWindow::requestStop()
{
    if (!busy_)
        return;
    stopRequested_ = true;
    (progressTarget_ ? progressTarget_.data() : progressPanel_)->showStopping();
}

} // namespace tarvelon
