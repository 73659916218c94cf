#include "platform/qt/qt_line_trace_file.h"

#include "platform/qt/qt_text.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>

namespace tarvelon {

bool LineTraceFile::start(const QString& path, TracedPort& port, const QString& program, QString* error)
{
    stop();
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        if (error)
            *error = QCoreApplication::translate("Texts", "cannot write the line trace %1: %2")
                         .arg(QDir::toNativeSeparators(path), file_.errorString());
        return false;
    }
    clock_.start();
    const QString began = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    trace_ = std::make_unique<LineTrace>(
        [this] { return static_cast<double>(clock_.nsecsElapsed()) / 1e9; },
        [this](std::string_view line) {
            file_.write(line.data(), static_cast<qint64>(line.size()));
            file_.flush();
        },
        std::vector<std::string>{toText(QStringLiteral("recorded by %1, began %2 UTC").arg(program, began)),
                                 "times in seconds; > sent to the unit, < received from it"});
    port_ = &port;
    port.setTrace(trace_.get());
    return true;
}

void LineTraceFile::stop()
{
    if (port_)
        port_->setTrace(nullptr);
    port_ = nullptr;
    trace_.reset();
    if (file_.isOpen())
        file_.close();
}

} // namespace tarvelon
