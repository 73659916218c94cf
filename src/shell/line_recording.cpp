// "Record the line to a file" on the Setup Tarvelon page, and --trace FILE.
#include "shell/main_window.h"
#include "shell/texts.h"
#include "platform/qt/qt_text.h"

#include "shell/file_boxes.h"
#include "shell/setup_page.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>

namespace tarvelon {

void MainWindow::wireLineRecording(const std::optional<QString>& file)
{
    connect(setupPage_, &SetupPage::lineRecordingToggled, this, [this](bool on) { recordLine(on); });
    if (file)
        recordLine(true, *file);
}

void MainWindow::recordLine(bool on, QString file)
{
    if (!on) {
        const QString recorded = lineTrace_.path();
        lineTrace_.stop();
        setupPage_->showLineRecorded(false);
        if (!recorded.isEmpty())
            showResult(Texts::tr("The line was recorded in %1").arg(QDir::toNativeSeparators(recorded)), recorded);
        return;
    }
    if (file.isEmpty()) {
        const QString name = QStringLiteral("tarvelon-line-%1.txt")
                                 .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss")));
        const QString folder = fileBoxFolder(QString::fromUtf8(state_.downloadFolder.c_str()));
        file = saveFileBox(this, Texts::tr("Record the line to a file"), QDir(folder).filePath(name),
                           Texts::tr("Line traces (*.txt)"));
    }
    QString why;
    const QString program = QStringLiteral("tarvelon-manager %1").arg(QCoreApplication::applicationVersion());
    const bool recording = !file.isEmpty() && lineTrace_.start(file, tracedPort_, program, &why);
    setupPage_->showLineRecorded(recording);
    if (recording)
        showResult(Texts::tr("Recording the line in %1").arg(QDir::toNativeSeparators(file)), file);
    else if (!why.isEmpty())
        ctx_.messages.show(toText(Texts::tr("Attention: %1").arg(why)), Icon::Error);
}

} // namespace tarvelon
