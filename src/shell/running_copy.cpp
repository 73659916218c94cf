#include "shell/running_copy.h"

#include "shell/program_folder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileSystemWatcher>
#include <QThread>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tarvelon {

QString RunningCopy::requestFile(const QString& folder)
{
    return folder + QLatin1Char('/') + kHeaderFileName + QStringLiteral(".show");
}

RunningCopy::RunningCopy(const QString& folder, std::function<void()> comeForward, QObject* parent)
    : QObject(parent), request_(requestFile(folder)), comeForward_(std::move(comeForward)),
      watcher_(new QFileSystemWatcher(this))
{
    QFile::remove(request_);
    watcher_->addPath(folder);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &RunningCopy::takeRequest);
}

void RunningCopy::takeRequest()
{
    // Taking the file away is the answer the second copy waits for.
    if (QFile::exists(request_) && QFile::remove(request_) && comeForward_)
        comeForward_();
}

bool RunningCopy::askToComeForward(const QString& folder, std::chrono::milliseconds wait)
{
#ifdef Q_OS_WIN
    // Windows lets a program take the foreground only when the one that has it allows it:
    // this copy was just started by the user, so it has it to give.
    AllowSetForegroundWindow(ASFW_ANY);
#endif
    const QString request = requestFile(folder);
    QFile file(request);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QByteArray::number(QCoreApplication::applicationPid()));
    file.close();
    const QDeadlineTimer deadline(wait);
    while (!deadline.hasExpired()) {
        if (!QFile::exists(request))
            return true;
        QThread::msleep(20);
    }
    return !QFile::exists(request) || !QFile::remove(request);
}

} // namespace tarvelon
