#pragma once
#include <QGroupBox>
#include <QList>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QDateTime;

namespace tarvelon {

class PortChooser;

// The "Setup Tarvelon" page (Frame3), in four frames: resetting zero and gain, the
// automatic-cycle delay, the serial port, and the unit's clock.
class SetupPage : public QGroupBox {
    Q_OBJECT
public:
    explicit SetupPage(QWidget* parent);

    // Chooses port `number` (1 to 4, or kOtherPort) as a click on its option would.
    void choosePort(int number);
    // Chooses "Other:" with `name` in its box.
    void chooseOtherPort(const QString& name);
    // The name in the box beside "Other:".
    QString otherPortName() const;
    PortChooser* portChooser() const { return portChooser_; }
    // "Record the line to a file", set without telling anyone (the recording already runs or ended).
    void showLineRecorded(bool recorded);
    // Shows the language kept with the user's settings ("" for the system's, "en", "it").
    void showLanguage(const QString& language);
    // Fills the six clock boxes with `when`, as "PC Time" does with the computer's clock.
    void showClock(const QDateTime& when);

    // The page's controls in the order Tab walks them.
    QList<QWidget*> tabOrder() const;

signals:
    // The operator chose port `number` (1 to 4, or kOtherPort).
    void portChosen(int number);
    // The operator checked or cleared "Record the line to a file".
    void lineRecordingToggled(bool on);
    // The operator chose the language of the next start: "" for the system's, "en" or "it".
    void languageChosen(const QString& language);

private:
    QGroupBox* frame(const char* name, const char* title);
    QGroupBox* buildZeroGain();
    QGroupBox* buildParameters();
    QGroupBox* buildSerialPort();
    QGroupBox* buildClock();

    QList<QAbstractButton*> portOptions_;
    PortChooser* portChooser_ = nullptr;
    QCheckBox* recordLine_ = nullptr;
    QComboBox* language_ = nullptr;
};

} // namespace tarvelon
