#include "shell/port_chooser.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QSerialPortInfo>

namespace tarvelon {

QList<PortListing> machinePorts()
{
    QList<PortListing> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.append({info.portName(), info.description()});
    return ports;
}

PortChooser::PortChooser(QWidget* parent, PortSource source) : QComboBox(parent)
{
    setObjectName(QStringLiteral("cboPortName"));
    setAccessibleName(QStringLiteral("Serial port name"));
    setEditable(true);
    // A typed name is used as it stands; it joins the list once a port opens under it.
    setInsertPolicy(QComboBox::NoInsert);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(14);
    setSource(std::move(source));
    // The list shows what the system knows of each port; the box takes only its name.
    connect(this, &QComboBox::activated, this, [this](int index) {
        setEditText(itemData(index).toString());
        emit nameChosen();
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, &PortChooser::nameChosen);
}

void PortChooser::setSource(PortSource source)
{
    source_ = source ? std::move(source) : PortSource(machinePorts);
}

void PortChooser::setRecentNames(const QStringList& names)
{
    recent_ = names;
    refresh();
    setEditText(recent_.value(0));
}

QString PortChooser::portName() const
{
    return currentText().trimmed();
}

void PortChooser::setPortName(const QString& name)
{
    setEditText(name);
}

void PortChooser::showPopup()
{
    refresh();
    // The list may be wider than the box: "/dev/ttyUSB0 - FT232R USB UART" is shown whole.
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 2 * view()->frameWidth());
    QComboBox::showPopup();
}

void PortChooser::refresh()
{
    const QList<PortListing> present = source_();
    auto described = [&present](const QString& name) {
        for (const PortListing& p : present)
            if (p.name == name && !p.description.isEmpty())
                return name + QStringLiteral(" - ") + p.description;
        return name;
    };
    QStringList names = recent_;
    for (const PortListing& p : present)
        if (!names.contains(p.name))
            names.append(p.name);
    // Filling the list would put its first entry in the box; what the operator typed stays.
    const QString typed = currentText();
    const QSignalBlocker quiet(this);
    clear();
    for (const QString& name : std::as_const(names))
        addItem(described(name), name);
    setCurrentIndex(-1);
    setEditText(typed);
}

} // namespace tarvelon
