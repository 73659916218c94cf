// The Surveys window's alarm strip and the alarm log it opens.
#include "shell/surveys/alarm_bar.h"

#include "analysis/displacement.h"
#include "shell/surveys/survey_texts.h"
#include "shell/texts.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>
#include <set>

namespace tarvelon {
namespace {

// The event's cause as a readout's status says it, in millimetres and days as the log keeps it.
QString causeOf(const surveys::AlarmEvent& e)
{
    if (!e.value || !e.threshold)
        return {};
    surveys::LevelCause c;
    c.criterion = e.criterion == "rate" ? surveys::Criterion::Rate : surveys::Criterion::Displacement;
    c.value = *e.value;
    c.threshold = *e.threshold;
    return qs(surveys::shownCauseText(c, surveys::TubeSettings{}));
}

// The level the log keeps ("ALARM", "ALERT", "none" once a readout left the thresholds), in the
// program's language.
QString statusOf(const surveys::AlarmEvent& e)
{
    if (e.status == "ALARM")
        return qs(surveys::shownLevelWord(surveys::Level::Alarm));
    if (e.status == "ALERT")
        return qs(surveys::shownLevelWord(surveys::Level::Alert));
    return e.status == "none" ? Texts::tr("none", "no threshold reached") : qs(e.status);
}

QString tubeText(const surveys::AlarmEvent& e)
{
    return Texts::tr("client \"%1\", site \"%2\", tube \"%3\"").arg(qs(e.tube.client), qs(e.tube.site), qs(e.tube.tube));
}

// Asks for the note that goes with an acknowledgement; empty when the user cancels.
QString askNote(QWidget* parent, const QString& what)
{
    bool ok = false;
    const QString note = QInputDialog::getMultiLineText(
        parent, Texts::tr("Acknowledge"), Texts::tr("%1\n\nWhat was done about it (kept with your name):").arg(what),
        QString(), &ok);
    return ok ? note.trimmed() : QString();
}

} // namespace

QString alarmEventText(const surveys::AlarmEvent& e)
{
    // Each shape is a sentence of its own, so a language may order its parts as it needs.
    const QString status = statusOf(e), tube = tubeText(e), readout = qs(surveys::readoutNumber(e.readout));
    const QString cause = causeOf(e), at = qs(e.at);
    const QString depth = e.depthM ? qs(surveys::depthText(*e.depthM)) : QString();
    if (!cause.isEmpty() && e.depthM)
        return Texts::tr("%1: %2, readout %3, %4 at %5 m (%6)").arg(status, tube, readout, cause, depth, at);
    if (!cause.isEmpty())
        return Texts::tr("%1: %2, readout %3, %4 (%5)").arg(status, tube, readout, cause, at);
    if (e.depthM)
        return Texts::tr("%1: %2, readout %3 at %4 m (%5)").arg(status, tube, readout, depth, at);
    return Texts::tr("%1: %2, readout %3 (%4)").arg(status, tube, readout, at);
}

AlarmBar::AlarmBar(surveys::SurveyStore& store, std::function<void()> acknowledged, QWidget* parent)
    : QFrame(parent), store_(store), acknowledged_(std::move(acknowledged))
{
    setObjectName(QStringLiteral("alarmBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("alarmText"));
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(text_, 1);
    acknowledgeButton_ = new QPushButton(Texts::tr("Ac&knowledge..."), this);
    acknowledgeButton_->setObjectName(QStringLiteral("acknowledgeAlarm"));
    connect(acknowledgeButton_, &QPushButton::clicked, this, &AlarmBar::askToAcknowledge);
    layout->addWidget(acknowledgeButton_);
    auto* logButton = new QPushButton(Texts::tr("Alarm &Log..."), this);
    logButton->setObjectName(QStringLiteral("alarmLog"));
    connect(logButton, &QPushButton::clicked, this, &AlarmBar::showLog);
    layout->addWidget(logButton);
    refresh(false);
}

void AlarmBar::refresh(bool mayAcknowledge)
{
    mayAcknowledge_ = mayAcknowledge;
    alarms_.clear();
    if (store_.isOpen()) {
        surveys::AlarmFilter open;
        open.unacknowledged = true;
        for (surveys::AlarmEvent& e : store_.alarmEvents(open))
            if (e.status == "ALARM")
                alarms_.push_back(std::move(e));
        std::reverse(alarms_.begin(), alarms_.end());
    }
    QPalette p = palette();
    if (alarms_.empty()) {
        text_->setText(Texts::tr("No unacknowledged alarm"));
        p = QPalette();
    } else {
        QString line = alarmEventText(alarms_.front());
        if (alarms_.size() > 1)
            line += Texts::tr("; %n more unacknowledged", nullptr, int(alarms_.size() - 1));
        text_->setText(line);
        p.setColor(QPalette::Window, QColor(0xf8, 0xd0, 0xd0));
        p.setColor(QPalette::WindowText, QColor(0x80, 0x00, 0x00));
    }
    setPalette(p);
    text_->setToolTip(text_->text());
    acknowledgeButton_->setEnabled(!alarms_.empty() && mayAcknowledge_);
}

QString AlarmBar::text() const
{
    return text_->text();
}

bool AlarmBar::acknowledgeShown(const QString& note, QString* error)
{
    if (alarms_.empty()) {
        *error = Texts::tr("there is no unacknowledged alarm");
        return false;
    }
    const bool ok = store_.acknowledgeAlarm(alarms_.front().id, note.toStdString());
    if (!ok)
        *error = qs(store_.error());
    refresh(mayAcknowledge_);
    if (ok && acknowledged_)
        acknowledged_();
    return ok;
}

void AlarmBar::askToAcknowledge()
{
    if (alarms_.empty())
        return;
    const QString note = askNote(this, alarmEventText(alarms_.front()));
    if (note.isEmpty())
        return;
    if (QString error; !acknowledgeShown(note, &error))
        QMessageBox::warning(this, Texts::tr("Acknowledge"), Texts::tr("Not acknowledged: %1").arg(error));
}

void AlarmBar::showLog()
{
    AlarmLogDialog dialog(store_, mayAcknowledge_, this);
    dialog.exec();
    if (dialog.changed()) {
        refresh(mayAcknowledge_);
        if (acknowledged_)
            acknowledged_();
    }
}

AlarmLogDialog::AlarmLogDialog(surveys::SurveyStore& store, bool mayAcknowledge, QWidget* parent)
    : QDialog(parent), store_(store), mayAcknowledge_(mayAcknowledge)
{
    setObjectName(QStringLiteral("AlarmLog"));
    setWindowTitle(Texts::tr("Alarm Log"));
    auto* layout = new QVBoxLayout(this);
    openOnly_ = new QCheckBox(Texts::tr("&Unacknowledged only"), this);
    openOnly_->setObjectName(QStringLiteral("unacknowledgedOnly"));
    connect(openOnly_, &QCheckBox::toggled, this, &AlarmLogDialog::fill);
    layout->addWidget(openOnly_);
    table_ = new QTableWidget(this);
    table_->setObjectName(QStringLiteral("alarmEvents"));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    layout->addWidget(table_, 1);
    auto* buttons = new QHBoxLayout;
    acknowledgeButton_ = new QPushButton(Texts::tr("Ac&knowledge..."), this);
    acknowledgeButton_->setObjectName(QStringLiteral("acknowledgeChosen"));
    acknowledgeButton_->setEnabled(false);
    connect(acknowledgeButton_, &QPushButton::clicked, this, &AlarmLogDialog::askToAcknowledge);
    connect(table_, &QTableWidget::itemSelectionChanged, this,
            [this] { acknowledgeButton_->setEnabled(mayAcknowledge_ && !table_->selectedItems().isEmpty()); });
    auto* close = new QPushButton(Texts::tr("&Close"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(acknowledgeButton_);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    fill();
    resize(1000, 480);
}

void AlarmLogDialog::fill()
{
    surveys::AlarmFilter filter;
    filter.unacknowledged = openOnly_->isChecked();
    events_ = store_.alarmEvents(filter);
    std::reverse(events_.begin(), events_.end());
    const QStringList headers{Texts::tr("When (UTC)"),      Texts::tr("Client"),         Texts::tr("Site"),
                              Texts::tr("Tube"),            Texts::tr("Readout"),        Texts::tr("Status"),
                              Texts::tr("Cause"),           Texts::tr("Depth (m)"),      Texts::tr("Caused by"),
                              Texts::tr("Acknowledged by"), Texts::tr("Acknowledged at"), Texts::tr("Note")};
    table_->clear();
    table_->setColumnCount(int(headers.size()));
    table_->setHorizontalHeaderLabels(headers);
    table_->setRowCount(int(events_.size()));
    for (int r = 0; r < int(events_.size()); ++r) {
        const surveys::AlarmEvent& e = events_[size_t(r)];
        const QStringList cells{qs(e.at), qs(e.tube.client), qs(e.tube.site), qs(e.tube.tube),
                                qs(surveys::readoutNumber(e.readout)), statusOf(e), causeOf(e),
                                e.depthM ? qs(surveys::depthText(*e.depthM)) : QString(), qs(e.causedBy),
                                qs(e.acknowledgedBy), qs(e.acknowledgedAt), qs(e.note)};
        for (int c = 0; c < int(cells.size()); ++c)
            table_->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    table_->resizeColumnsToContents();
}

bool AlarmLogDialog::acknowledgeRows(const std::vector<int>& rows, const QString& note, QString* error)
{
    bool all = true;
    for (int r : rows) {
        if (r < 0 || r >= int(events_.size()) || events_[size_t(r)].acknowledged())
            continue;
        if (store_.acknowledgeAlarm(events_[size_t(r)].id, note.toStdString())) {
            changed_ = true;
        } else if (all) {
            *error = qs(store_.error());
            all = false;
        }
    }
    fill();
    return all;
}

void AlarmLogDialog::askToAcknowledge()
{
    std::set<int> rows;
    for (const QTableWidgetItem* item : table_->selectedItems())
        rows.insert(item->row());
    const int open = int(std::count_if(rows.begin(), rows.end(), [this](int r) { return !events_[size_t(r)].acknowledged(); }));
    if (open == 0)
        return;
    const QString note = askNote(this, open == 1 ? Texts::tr("1 unacknowledged event chosen.")
                                                     : Texts::tr("%n unacknowledged events chosen.", nullptr, open));
    if (note.isEmpty())
        return;
    if (QString error; !acknowledgeRows(std::vector<int>(rows.begin(), rows.end()), note, &error))
        QMessageBox::warning(this, Texts::tr("Acknowledge"), Texts::tr("Not acknowledged: %1").arg(error));
}

} // namespace tarvelon
