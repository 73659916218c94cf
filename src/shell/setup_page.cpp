#include "shell/setup_page.h"
#include "shell/texts.h"

#include "platform/serial_port.h"
#include "shell/controls.h"
#include "shell/port_chooser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QSignalBlocker>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tarvelon {

SetupPage::SetupPage(QWidget* parent) : QGroupBox(Texts::tr("Setup Tarvelon"), parent)
{
    setObjectName(QStringLiteral("Frame3"));
    auto* g = new QGridLayout(this);
    g->setHorizontalSpacing(12);
    g->setVerticalSpacing(10);
    // Built in this order, which is also the order of the page's children.
    QGroupBox* zeroGain = buildZeroGain();
    QGroupBox* parameters = buildParameters();
    QGroupBox* serial = buildSerialPort();
    QGroupBox* clock = buildClock();
    g->addWidget(zeroGain, 0, 0);
    g->addWidget(parameters, 0, 1);
    g->addWidget(serial, 1, 0);
    g->addWidget(clock, 1, 1);
    g->setColumnStretch(0, 1);
    g->setColumnStretch(1, 1);
}

void SetupPage::choosePort(int number)
{
    portOptions_.at(number - 1)->click();
}

void SetupPage::chooseOtherPort(const QString& name)
{
    portChooser_->setPortName(name);
    choosePort(kOtherPort);
}

void SetupPage::showClock(const QDateTime& when)
{
    static constexpr std::pair<const char*, const char*> kBoxes[] = {
        {"Text13a", "dd"}, {"Text1a", "MM"}, {"Text2a", "yy"}, {"Text14a", "hh"}, {"Text3a", "mm"}, {"Text4a", "ss"}};
    for (const auto& [box, format] : kBoxes)
        if (auto* edit = findChild<QLineEdit*>(QString::fromLatin1(box)))
            edit->setText(when.toString(QString::fromLatin1(format)));
}

void SetupPage::showLanguage(const QString& language)
{
    const QSignalBlocker quiet(language_);
    const int index = language_->findData(language);
    language_->setCurrentIndex(index < 0 ? 0 : index);
}

QString SetupPage::otherPortName() const
{
    return portChooser_->portName();
}

void SetupPage::showLineRecorded(bool recorded)
{
    const QSignalBlocker quiet(recordLine_);
    recordLine_->setChecked(recorded);
}

QList<QWidget*> SetupPage::tabOrder() const
{
    // Frame by frame as they stand in their two rows.
    return childrenNamed(this, {"Command13", "Text16rt", "Command6scrivi", "cboLanguage", "ssOption1_0", "ssOption1_1", "ssOption1_2",
                                "ssOption1_3", "ssOption1_4", "cboPortName", "chkTraceLine", "Text13a", "Text1a", "Text2a", "Text14a", "Text3a", "Text4a",
                                "ssCommand3", "cmdPcTime", "ssCommand4"});
}

QGroupBox* SetupPage::frame(const char* name, const char* title)
{
    auto* f = new QGroupBox(Texts::tr(title), this);
    f->setObjectName(QString::fromLatin1(name));
    return f;
}

QGroupBox* SetupPage::buildZeroGain()
{
    QGroupBox* zeroGain = frame("frameZeroGain", QT_TRANSLATE_NOOP("Texts", " Zero/Gain "));
    auto* v = new QVBoxLayout(zeroGain);
    QLabel* text = makeLabel(zeroGain, QStringLiteral("lblZeroGain"),
                             Texts::tr("To reset gain and zero parameters with the TARVELON default "
                                       "values press this button"));
    text->setWordWrap(true);
    text->setMinimumWidth(text->fontMetrics().horizontalAdvance(Texts::tr("To reset gain and zero parameters")) + 10);
    v->addWidget(text);
    QPushButton* reset = makeButton(zeroGain, "Command13", QT_TRANSLATE_NOOP("Texts", "Reset &G/Z"));
    giveRoom(reset, 7);
    v->addWidget(reset, 0, Qt::AlignLeft);
    v->addStretch(1);
    return zeroGain;
}

QGroupBox* SetupPage::buildParameters()
{
    QGroupBox* parameters = frame("frameParameters", QT_TRANSLATE_NOOP("Texts", " Parameters "));
    auto* pg = new QGridLayout(parameters);
    const QString caption = Texts::tr("Delay for Automatic Cycle");
    pg->addWidget(makeLabel(parameters, QStringLiteral("lblText16rt"), caption), 0, 0, 1, 3);
    FieldBuilder pb(parameters);
    pg->addWidget(pb.box("Text16rt", caption), 1, 0, Qt::AlignLeft);
    pg->addWidget(makeLabel(parameters, QStringLiteral("hintText16rt"), Texts::tr("From 3 to 9")), 1, 1);
    QPushButton* write = makeButton(parameters, "Command6scrivi", QT_TRANSLATE_NOOP("Texts", "&Write"));
    giveRoom(write, 6.5);
    pg->addWidget(write, 2, 0, 1, 2, Qt::AlignLeft);
    // The program's language, taken at the next start; each language is named in its own words.
    QLabel* languageLabel = makeLabel(parameters, QStringLiteral("lblLanguage"), Texts::tr("Lang&uage:"));
    language_ = new QComboBox(parameters);
    language_->setObjectName(QStringLiteral("cboLanguage"));
    language_->setAccessibleName(Texts::tr("Language"));
    language_->addItem(Texts::tr("System"), QString());
    language_->addItem(QStringLiteral("English"), QStringLiteral("en"));
    language_->addItem(QStringLiteral("Italiano"), QStringLiteral("it"));
    languageLabel->setBuddy(language_);
    connect(language_, &QComboBox::activated, this,
            [this](int index) { emit languageChosen(language_->itemData(index).toString()); });
    pg->setRowMinimumHeight(3, lines(parameters, 0.6));
    pg->addWidget(languageLabel, 4, 0, 1, 3);
    pg->addWidget(language_, 5, 0, 1, 2, Qt::AlignLeft);
    pg->setColumnStretch(2, 1);
    pg->setRowStretch(6, 1);
    return parameters;
}

QGroupBox* SetupPage::buildSerialPort()
{
    // One option group; the index of each button is its port number - 1, "Other:" last.
    QGroupBox* serial = frame("frameSerialPort", QT_TRANSLATE_NOOP("Texts", " Serial Port "));
    auto* sg = new QGridLayout(serial);
    for (int i = 0; i < kOtherPort; ++i) {
        const bool other = i + 1 == kOtherPort;
        auto* option = new QRadioButton(other ? Texts::tr("&Other:") : Texts::tr("Com &%1").arg(i + 1), serial);
        option->setObjectName(QStringLiteral("ssOption1_%1").arg(i));
        option->setProperty("index", i);
        option->setAccessibleName(withoutMnemonic(option->text()));
        // The port follows the checked state however it changed: a click, a mnemonic, an arrow
        // key or an assistive technology's toggle, which clicks nothing.
        connect(option, &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                emit portChosen(i + 1);
        });
        // Only the option's own caption takes a click, however wide the column.
        sg->addWidget(option, i / 2, i % 2, Qt::AlignLeft);
        portOptions_.append(option);
    }
    portChooser_ = new PortChooser(serial);
    sg->addWidget(portChooser_, 2, 1);
    // Choosing or typing a name is choosing "Other:"; with "Other:" chosen already, the new name
    // is the port from now on all the same.
    connect(portChooser_, &PortChooser::nameChosen, this, [this] {
        if (portOptions_.last()->isChecked())
            emit portChosen(kOtherPort);
    });
    connect(portChooser_, &PortChooser::nameChosen, portOptions_.last(), &QAbstractButton::click);
    // Off at every start: a recording is asked for, for one run, when a unit misbehaves.
    recordLine_ = new QCheckBox(Texts::tr("Record the line to a &file"), serial);
    recordLine_->setObjectName(QStringLiteral("chkTraceLine"));
    recordLine_->setAccessibleName(Texts::tr("Record the line to a file"));
    connect(recordLine_, &QCheckBox::toggled, this, &SetupPage::lineRecordingToggled);
    sg->addWidget(recordLine_, 3, 0, 1, 2, Qt::AlignLeft);
    sg->setColumnStretch(1, 1);
    sg->setRowStretch(4, 1);
    return serial;
}

QGroupBox* SetupPage::buildClock()
{
    // The clock boxes as DD MM YY and hh mm ss, each with its hint above it.
    QGroupBox* clock = frame("frameDateTime", QT_TRANSLATE_NOOP("Texts", " Date / Time  "));
    auto* cg = new QGridLayout(clock);
    cg->setVerticalSpacing(2);
    struct Cell {
        const char* box;
        const char* hint;
    };
    static constexpr Cell kDate[] = {{"Text13a", QT_TRANSLATE_NOOP("Texts", "DD")},
                                     {"Text1a", QT_TRANSLATE_NOOP("Texts", "MM")},
                                     {"Text2a", QT_TRANSLATE_NOOP("Texts", "YY")}};
    static constexpr Cell kTime[] = {{"Text14a", QT_TRANSLATE_NOOP("Texts", "hh")},
                                     {"Text3a", QT_TRANSLATE_NOOP("Texts", "mm")},
                                     {"Text4a", QT_TRANSLATE_NOOP("Texts", "ss")}};
    FieldBuilder cb(clock);
    auto addRow = [&](int r, const QString& labelName, const QString& caption, const Cell(&cells)[3]) {
        cg->addWidget(makeLabel(clock, labelName, caption), r + 1, 0);
        for (int c = 0; c < 3; ++c) {
            const QString hint = Texts::tr(cells[c].hint);
            QLabel* h = makeLabel(clock, QStringLiteral("hint") + QLatin1String(cells[c].box), hint);
            cg->addWidget(h, r, c + 1, Qt::AlignHCenter | Qt::AlignBottom);
            cg->addWidget(cb.box(cells[c].box, Texts::tr("%1 %2", "clock box").arg(caption.trimmed(), hint)), r + 1, c + 1);
        }
    };
    addRow(0, QStringLiteral("lblClockDate"), Texts::tr("Date  :"), kDate);
    // Air between the date boxes and the time hints, so "hh" does not read as a date's.
    cg->setRowMinimumHeight(2, lines(clock, 0.4));
    addRow(3, QStringLiteral("lblClockTime"), Texts::tr("Time    :"), kTime);
    cg->setRowMinimumHeight(5, lines(clock, 0.6));
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    QPushButton* pcTime = makeButton(clock, "cmdPcTime", QT_TRANSLATE_NOOP("Texts", "&PC Time"));
    for (QPushButton* button : {makeButton(clock, "ssCommand3", QT_TRANSLATE_NOOP("Texts", " Rea&d Clock")), pcTime,
                                makeButton(clock, "ssCommand4", QT_TRANSLATE_NOOP("Texts", " Write &Clock"))}) {
        giveRoom(button);
        buttons->addWidget(button);
    }
    // The computer's clock into the six boxes, to be written on purpose with Write Clock.
    connect(pcTime, &QPushButton::clicked, this, [this] { showClock(QDateTime::currentDateTime()); });
    buttons->addStretch(1);
    cg->addLayout(buttons, 6, 0, 1, 5);
    cg->setColumnStretch(4, 1);
    cg->setRowStretch(7, 1);
    return clock;
}

} // namespace tarvelon
