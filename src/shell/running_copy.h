#pragma once
#include <QObject>
#include <QString>

#include <chrono>
#include <functional>

class QFileSystemWatcher;

namespace tarvelon {

// A second start of the program brings the running copy's window forward. The second copy
// leaves a request file in the program folder, which the running copy watches and takes
// away (the Windows build's Qt has no local sockets; both builds can watch a folder).
class RunningCopy : public QObject {
    Q_OBJECT
public:
    // The running copy: `comeForward` runs at each request. A request left over from before
    // is dropped.
    RunningCopy(const QString& folder, std::function<void()> comeForward, QObject* parent = nullptr);

    // The second copy: true when the running copy took the request within `wait`; otherwise
    // the request is taken back.
    static bool askToComeForward(const QString& folder, std::chrono::milliseconds wait);
    static QString requestFile(const QString& folder);

private:
    void takeRequest();

    QString request_;
    std::function<void()> comeForward_;
    QFileSystemWatcher* watcher_ = nullptr;
};

} // namespace tarvelon
