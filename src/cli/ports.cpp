// tarvelon ports: the serial ports the machine has.
#include "cli/command.h"
#include "cli/console.h"

#include <QCoreApplication>
#include <QSerialPortInfo>

namespace tarvelon::cli {
namespace {

void addOptions(QCommandLineParser&) {}

int run(const QCommandLineParser&)
{
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        // The name --port takes: the device's path on Linux, "COM7" on Windows.
        const QString name = info.systemLocation().startsWith(QLatin1Char('/')) ? info.systemLocation() : info.portName();
        printResult(info.description().isEmpty() ? name : name + QLatin1Char('\t') + info.description());
    }
    return kSucceeded;
}

} // namespace

extern const Command kPortsCommand{"ports", "", QT_TRANSLATE_NOOP("Texts", "The serial ports present, one a line: system name, then description."),
                                   addOptions, run};

} // namespace tarvelon::cli
