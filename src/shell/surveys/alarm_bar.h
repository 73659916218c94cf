#pragma once
#include "library/store.h"

#include <QDialog>
#include <QFrame>
#include <QString>

#include <functional>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tarvelon {

// An event as one line says it: "ALARM: client "C", site "S", tube "T", readout 05,
// displacement 12.30 mm ≥ 10.00 at 4.5 m (2026-12-08T06:40:12Z)".
QString alarmEventText(const surveys::AlarmEvent& event);

// The Surveys window's strip of alarms: the latest ALARM nobody has acknowledged, in red, until
// it is acknowledged with a note; "No unacknowledged alarm" otherwise. It keeps its place and
// height either way, so nothing under it moves when an alarm comes.
class AlarmBar : public QFrame {
    Q_OBJECT
public:
    // `acknowledged` hears after the log changed here, so the window reads the library again.
    AlarmBar(surveys::SurveyStore& store, std::function<void()> acknowledged, QWidget* parent = nullptr);

    // Reads the log again; `mayAcknowledge` when the user may change the library.
    void refresh(bool mayAcknowledge);
    QString text() const;
    // The unacknowledged ALARMs, newest first; the first is the one shown.
    const std::vector<surveys::AlarmEvent>& alarms() const { return alarms_; }
    // What Acknowledge... does once the note is typed: false with why when it could not.
    bool acknowledgeShown(const QString& note, QString* error);

private:
    void askToAcknowledge();
    void showLog();

    surveys::SurveyStore& store_;
    std::function<void()> acknowledged_;
    std::vector<surveys::AlarmEvent> alarms_;
    bool mayAcknowledge_ = false;
    QLabel* text_ = nullptr;
    QPushButton* acknowledgeButton_ = nullptr;
};

// "Alarm Log": every event, newest first, or only those nobody has acknowledged; the chosen
// ones acknowledged with one note.
class AlarmLogDialog : public QDialog {
    Q_OBJECT
public:
    AlarmLogDialog(surveys::SurveyStore& store, bool mayAcknowledge, QWidget* parent = nullptr);
    QTableWidget* table() const { return table_; }
    // Acknowledges the events of these rows with the note: false with why when one could not be.
    bool acknowledgeRows(const std::vector<int>& rows, const QString& note, QString* error);
    bool changed() const { return changed_; }

private:
    void fill();
    void askToAcknowledge();

    surveys::SurveyStore& store_;
    std::vector<surveys::AlarmEvent> events_;
    QTableWidget* table_ = nullptr;
    QCheckBox* openOnly_ = nullptr;
    QPushButton* acknowledgeButton_ = nullptr;
    bool mayAcknowledge_ = false;
    bool changed_ = false;
};

} // namespace tarvelon
