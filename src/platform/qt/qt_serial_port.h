#pragma once
#include "platform/serial_port.h"

#include <QObject>
#include <QSerialPort>
#include <QString>

#include <functional>

namespace tarvelon {

// Turns a port number (1 to 4) into the name the system knows the port by.
using PortNameResolver = std::function<QString(int)>;

// "COMn" on Windows, "/dev/ttyS<n-1>" elsewhere.
QString defaultPortName(int number);

// The RS-232 line over QSerialPort, fixed at 9600 8N1 without flow control.
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

    int selectedPort() const { return number_; }

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    PortNameResolver resolver_;
    int number_ = 1;
};

} // namespace tarvelon
