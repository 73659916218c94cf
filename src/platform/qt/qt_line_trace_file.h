#pragma once
#include "platform/line_trace.h"

#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <memory>

namespace tarvelon {

// A line trace kept in a file: every line is on the disk as soon as it is written, so what
// the line said before a crash or a pulled plug is there to send.
class LineTraceFile {
public:
    LineTraceFile() = default;
    LineTraceFile(const LineTraceFile&) = delete;
    LineTraceFile& operator=(const LineTraceFile&) = delete;
    ~LineTraceFile() { stop(); }

    // Records `port` into the file at `path`, replacing it; `program` names who recorded it.
    // False, with the reason in `error`, when the file cannot be written.
    bool start(const QString& path, TracedPort& port, const QString& program, QString* error = nullptr);
    // Ends the recording and closes the file.
    void stop();
    bool recording() const { return trace_ != nullptr; }
    QString path() const { return file_.fileName(); }

private:
    QFile file_;
    QElapsedTimer clock_;
    std::unique_ptr<LineTrace> trace_;
    TracedPort* port_ = nullptr;
};

} // namespace tarvelon
