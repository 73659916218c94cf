#include "shell/port_chooser.h"
#include "shell/texts.h"

#include "platform/qt/qt_serial_port.h"

#include <QAbstractItemView>
#include <QFileInfo>
#include <QLineEdit>
#include <QSerialPortInfo>

#include <algorithm>

namespace tarvelon {

QList<PortListing> machinePorts()
{
    QList<PortListing> ports;
    // The name the operator types and the program remembers: "COM7" on Windows, the system
    // location ("/dev/ttyUSB0") elsewhere.
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
#ifdef Q_OS_WIN
        ports.append({info.portName(), info.description()});
#else
        ports.append({info.systemLocation(), info.description()});
#endif
    return ports;
}

PortChooser::PortChooser(QWidget* parent, PortSource source) : QComboBox(parent)
{
    setObjectName(QStringLiteral("cboPortName"));
    setAccessibleName(Texts::tr("Serial port name"));
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
    // One adapter, one entry: a name used before stands for a present port when both lead to
    // the same device ("/dev/serial/by-id/..." and "/dev/ttyUSB0").
    const auto device = [](const QString& name) {
        const QString location = portLocation(name);
        const QString canonical = QFileInfo(location).canonicalFilePath();
        return canonical.isEmpty() ? location : canonical;
    };
    const auto sameAs = [&](const QString& name) -> const PortListing* {
        for (const PortListing& p : std::as_const(present))
            if (device(p.name) == device(name))
                return &p;
        return nullptr;
    };
    const auto described = [&](const QString& name) {
        const PortListing* p = sameAs(name);
        return p && !p->description.isEmpty() ? name + QStringLiteral(" - ") + p->description : name;
    };
    QStringList names = recent_;
    for (const PortListing& p : std::as_const(present))
        if (std::none_of(names.cbegin(), names.cend(), [&](const QString& n) { return sameAs(n) == &p; }))
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
