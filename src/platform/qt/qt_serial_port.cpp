#include "platform/qt/qt_serial_port.h"

#include "platform/qt/qt_text.h"

namespace tarvelon {

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
    port_.setPortName(resolver_(number_));
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.setReadBufferSize(1024);
    return port_.open(QIODevice::ReadWrite);
}

void QtSerialPort::close()
{
    if (!port_.isOpen())
        return;
    // A command line written just before the close must still leave the machine.
    port_.flush();
    port_.close();
}

bool QtSerialPort::isOpen() const
{
    return port_.isOpen();
}

bool QtSerialPort::write(std::string_view bytes)
{
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
    if (!port_.isOpen())
        return 0;
    return static_cast<int>(port_.bytesAvailable());
}

std::string QtSerialPort::readAll()
{
    if (!port_.isOpen())
        return {};
    const QByteArray bytes = port_.readAll();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

std::string QtSerialPort::portName() const
{
    return toText(resolver_(number_));
}

void QtSerialPort::onError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::NoError:
        break;
    case QSerialPort::UnsupportedOperationError:
        // A pseudo-terminal has no modem lines; asking for them fails and changes nothing.
        port_.clearError();
        break;
    case QSerialPort::ResourceError:
        // The device went away (adapter unplugged): a closed port makes every later step
        // fail quietly and lets the waits run into their time limit.
        if (port_.isOpen())
            port_.close();
        break;
    default:
        // Open, read and write failures are reported by the calls themselves.
        break;
    }
}

} // namespace tarvelon
