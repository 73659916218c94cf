#pragma once
#include "platform/serial_port.h"

#include <QObject>
#include <QSerialPort>
#include <QString>

#include <functional>
#ifdef Q_OS_WIN
#include "platform/win/win_comm.h"
#endif

namespace tarvelon {

// Turns a port number (1 to 4) into the name the system knows the port by.
using PortNameResolver = std::function<QString(int)>;

// "COMn" on Windows, "/dev/ttyS<n-1>" elsewhere.
QString defaultPortName(int number);

// Where the system keeps the port named `name`: on Unix a bare name ("ttyUSB0") lies under
// /dev, a path is taken as it stands.
QString portLocation(const QString& name);

// Why `name` cannot be a serial port before anything is opened (empty, too long, control
// characters, a regular file or a folder); empty when it may be one.
QString unsuitablePortName(const QString& name);

// The RS-232 line, fixed at 9600 8N1 without flow control: over QSerialPort, and on Windows
// over the Win32 calls themselves (QSerialPort's wait for a received character can come late
// there; see WinComm).
class QtSerialPort : public QObject, public SerialPort {
    Q_OBJECT
public:
    // An empty resolver means defaultPortName.
    explicit QtSerialPort(PortNameResolver resolver = {}, QObject* parent = nullptr);

    void selectPort(int number) override;
    bool open() override;
    void close() override;
    bool isOpen() const override;
    bool write(std::string_view bytes) override;
    int waitingCount() override;
    std::string readAll() override;
    std::string portName() const override;
    std::string openFailure() const override { return failure_; }
    bool disconnected() const override;

    int selectedPort() const { return number_; }

signals:
    // The port opened under this name.
    void opened(const QString& name);

private:
    void onError(QSerialPort::SerialPortError error);
    void noteLostDevice();
    QString failureReason(const QString& name) const;

    QSerialPort port_;
#ifdef Q_OS_WIN
    WinComm comm_;
#endif
    PortNameResolver resolver_;
    int number_ = 1;
    std::string failure_;
    // What went wrong while opening, kept from the error handler, which clears some errors.
    QSerialPort::SerialPortError openError_ = QSerialPort::NoError;
    bool disconnected_ = false;
};

} // namespace tarvelon
