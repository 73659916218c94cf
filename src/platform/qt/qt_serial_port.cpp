#include "platform/qt/qt_serial_port.h"

#include "platform/qt/qt_text.h"

#include <QCoreApplication>
#include <QFileInfo>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace tarvelon {

namespace {

// Longer names are no device the machine has, and Qt's lock file for them fails with a
// misleading "permission error".
constexpr qsizetype kLongestName = 255;
// A message shows at most this much of a name.
constexpr qsizetype kShownName = 80;

bool mayReadAndWrite(const QString& location)
{
#ifdef Q_OS_WIN
    Q_UNUSED(location);
    return true;
#else
    return ::access(QFile::encodeName(location).constData(), R_OK | W_OK) == 0;
#endif
}

#ifdef Q_OS_WIN
QString windowsOpenFailure(unsigned long code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return QCoreApplication::translate("Texts", "no such port");
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return QCoreApplication::translate("Texts", "in use by another program");
    case ERROR_NOT_SUPPORTED:
        return QCoreApplication::translate("Texts", "it is not a serial port");
    default:
        return QString::fromStdString(windowsErrorText(code));
    }
}
#endif

} // namespace

QString portLocation(const QString& name)
{
#ifdef Q_OS_WIN
    return name;
#else
    // As Qt opens it: a path as it stands, from the current folder too; a bare name under /dev.
    const bool path = name.startsWith(QLatin1Char('/')) || name.startsWith(QStringLiteral("./")) ||
                      name.startsWith(QStringLiteral("../"));
    return path ? name : QStringLiteral("/dev/") + name;
#endif
}

QString unsuitablePortName(const QString& name)
{
    if (name.isEmpty())
        return QCoreApplication::translate("Texts", "no port name given");
    if (name.size() > kLongestName)
        return QCoreApplication::translate("Texts", "the name is longer than %1 characters").arg(kLongestName);
    for (const QChar c : name)
        if (c.category() == QChar::Other_Control)
            return QCoreApplication::translate("Texts", "the name contains control characters");
#ifdef Q_OS_WIN
    // "COM12" or "\\.\COM12" is no file; only a name with a folder in it can be one.
    const bool device = name.startsWith(QStringLiteral("\\\\.\\"));
    if (device || (!name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))))
        return {};
#endif
    const QFileInfo info(portLocation(name));
    if (info.isDir())
        return QCoreApplication::translate("Texts", "it is a folder, not a serial port");
    // Opening a regular file as a port would write the unit's commands into it.
    if (info.isFile())
        return QCoreApplication::translate("Texts", "it is a regular file, not a serial port");
    return {};
}

QString defaultPortName(int number)
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}

QtSerialPort::QtSerialPort(PortNameResolver resolver, QObject* parent)
    : QObject(parent), port_(this), resolver_(resolver ? std::move(resolver) : PortNameResolver(defaultPortName))
{
    port_.setObjectName(QStringLiteral("MSComm1"));
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialPort::onError);
#ifdef Q_OS_WIN
    // The reader's thread wakes the event loop, whose wait for an event then ends at once.
    comm_.onArrival = [this] { QMetaObject::invokeMethod(this, [] {}, Qt::QueuedConnection); };
#endif
}

void QtSerialPort::selectPort(int number)
{
    if (!port_.isOpen())
        number_ = number;
}

bool QtSerialPort::open()
{
    if (port_.isOpen())
        return true;
    failure_.clear();
    disconnected_ = false;
    const QString name = resolver_(number_);
    if (const QString why = unsuitablePortName(name); !why.isEmpty()) {
        failure_ = toText(why);
        return false;
    }
#ifdef Q_OS_WIN
    if (!comm_.open(name.toStdWString())) {
        failure_ = toText(windowsOpenFailure(comm_.openError()));
        return false;
    }
    emit opened(name);
    return true;
#endif
    port_.setPortName(name);
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.setReadBufferSize(1024);
    openError_ = QSerialPort::NoError;
    if (!port_.open(QIODevice::ReadWrite)) {
        failure_ = toText(failureReason(name));
        return false;
    }
    emit opened(name);
    return true;
}

QString QtSerialPort::failureReason(const QString& name) const
{
    // The error handler may have cleared what the open said.
    switch (port_.error() != QSerialPort::NoError ? port_.error() : openError_) {
    case QSerialPort::UnsupportedOperationError:
        // The device opened but takes no line settings: a file or device that is no terminal.
        return QCoreApplication::translate("Texts", "it is not a serial port");
    case QSerialPort::DeviceNotFoundError:
        return QCoreApplication::translate("Texts", "no such port");
    case QSerialPort::PermissionError:
        // Qt reports a port held by another program (its lock, or exclusive use) the same way
        // as one the user may not open; only the device's own permissions tell them apart.
        if (mayReadAndWrite(portLocation(name)))
            return QCoreApplication::translate("Texts", "in use by another program");
#ifdef Q_OS_LINUX
        return QStringLiteral("permission denied (the user must be a member of the \"dialout\" group)");
#else
        return QStringLiteral("permission denied");
#endif
    default:
        return port_.errorString();
    }
}

void QtSerialPort::close()
{
    disconnected_ = false;
#ifdef Q_OS_WIN
    // Writes are handed to the driver before write() returns: nothing is left to flush.
    comm_.close();
    return;
#endif
    if (!port_.isOpen())
        return;
    // A command line written just before the close must still leave the machine.
    port_.flush();
    port_.close();
}

bool QtSerialPort::isOpen() const
{
#ifdef Q_OS_WIN
    return comm_.isOpen();
#endif
    return port_.isOpen();
}

bool QtSerialPort::write(std::string_view bytes)
{
#ifdef Q_OS_WIN
    return comm_.isOpen() && comm_.write(bytes);
#endif
    if (!port_.isOpen())
        return false;
    const qint64 n = port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    // Hand the line to the driver now rather than on the next pass of the event loop, so
    // the unit's reply time starts when the line is sent.
    port_.flush();
    return n == static_cast<qint64>(bytes.size());
}

int QtSerialPort::waitingCount()
{
#ifdef Q_OS_WIN
    noteLostDevice();
    return comm_.isOpen() ? comm_.waitingCount() : 0;
#endif
    if (!port_.isOpen())
        return 0;
    return static_cast<int>(port_.bytesAvailable());
}

std::string QtSerialPort::readAll()
{
#ifdef Q_OS_WIN
    noteLostDevice();
    return comm_.isOpen() ? comm_.readAll() : std::string();
#endif
    if (!port_.isOpen())
        return {};
    const QByteArray bytes = port_.readAll();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

std::string QtSerialPort::portName() const
{
    // A message box can show neither control characters nor ten thousand of anything.
    QString shown = resolver_(number_);
    for (QChar& c : shown)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    if (shown.size() > kShownName)
        shown = shown.left(kShownName) + QStringLiteral("...");
    return toText(shown);
}

bool QtSerialPort::disconnected() const
{
#ifdef Q_OS_WIN
    if (comm_.isOpen() && comm_.lost())
        return true;
#endif
    return disconnected_;
}

void QtSerialPort::noteLostDevice()
{
#ifdef Q_OS_WIN
    // The device went away under the reader: the port is closed and the exchange told.
    if (comm_.isOpen() && comm_.lost()) {
        comm_.close();
        disconnected_ = true;
    }
#endif
}

void QtSerialPort::onError(QSerialPort::SerialPortError error)
{
    if (!port_.isOpen() && error != QSerialPort::NoError)
        openError_ = error;
    switch (error) {
    case QSerialPort::NoError:
        break;
    case QSerialPort::UnsupportedOperationError:
        // A pseudo-terminal has no modem lines; asking for them fails and changes nothing.
        port_.clearError();
        break;
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
        // The device went away (adapter unplugged). Qt 6.4 says so with a resource error, or
        // with a read error when the device hangs up and a read returns nothing; either way
        // the port cannot be read again, so it is closed and the exchange told at once.
        if (port_.isOpen()) {
            port_.close();
            disconnected_ = true;
        }
        break;
    default:
        // Open, read and write failures are reported by the calls themselves.
        break;
    }
}

} // namespace tarvelon
