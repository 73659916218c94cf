#pragma once
#include <QComboBox>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace tarvelon {

// One serial port the machine has, with what the system knows of it.
struct PortListing {
    QString name;        // "/dev/ttyUSB0", "COM7"
    QString description; // "FT232R USB UART"; may be empty
};

// Where the list of ports comes from; tests hand in their own.
using PortSource = std::function<QList<PortListing>()>;

// The ports of QSerialPortInfo::availablePorts().
QList<PortListing> machinePorts();

// The editable "Serial port name" box beside "Other:": the names used before, most recent
// first, then the ports the machine has now, read again each time the list drops down. A
// name can also be typed.
class PortChooser : public QComboBox {
    Q_OBJECT
public:
    explicit PortChooser(QWidget* parent, PortSource source = {});

    void setSource(PortSource source);
    // The names used before, most recent first; the box shows the first.
    void setRecentNames(const QStringList& names);
    // The name typed or chosen, without surrounding blanks.
    QString portName() const;
    void setPortName(const QString& name);

    void showPopup() override;

signals:
    // The operator chose a name from the list or typed in the box.
    void nameChosen();

private:
    void refresh();

    PortSource source_;
    QStringList recent_;
};

} // namespace tarvelon
