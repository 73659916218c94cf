#pragma once
#include "shell/surveys/report_choices_dialog.h"
#include "analysis/displacement.h"
#include "library/import.h"
#include "library/store.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

class QLabel;
class QPushButton;
class QSocketNotifier;
class QStackedWidget;
class QTableWidget;

namespace tarvelon {

class AlarmBar;
class CorrectionsDialog;

// "Written: <path>" with "Open" and "Show in Folder", which hand the file or its folder to the
// desktop.
void offerWritten(QWidget* parent, const QString& title, const QString& path);
class HistoryView;
class SiteView;
class SurveyCharts;
class SurveysTree;
class SurveyTables;

struct SurveysWindowOptions {
    // The library file; empty means surveyLibraryPath().
    QString libraryPath;
    // Runs a task that opens a box now, or once the operation talking to the unit has ended
    // (a modal box during a wait would hold the wait up); empty runs it at once.
    std::function<void(std::function<void()>)> whenIdle;
    // The download folder, where file boxes start (else the user's Documents); may be empty.
    std::function<QString()> downloadFolder{};
    // Hears of a file written ("Report written: ", the file), for the main window's status line.
    std::function<void(const QString&, const QString&)> written{};
};

// "Surveys": the library as a tree client > site > tube > readouts by their own date; the
// chosen readouts of a tube compared with its base readout in millimetres (charts, table,
// report and CSV), each tube's probe, units, north and thresholds kept in the library.
class SurveysWindow : public QWidget {
    Q_OBJECT
public:
    explicit SurveysWindow(SurveysWindowOptions options = {}, QWidget* parent = nullptr);
    ~SurveysWindow() override;

    // Reads the tree again (after a download or an import), keeping the choice.
    void reload();
    // Chooses these readouts; the last is the one whose header and table are shown.
    void select(const std::vector<std::int64_t>& ids);
    // Makes this readout its tube's base; 0 clears the base of the shown tube.
    // `carryOn`: the new base carries on from the present one (TubeSettings::continuedFromId).
    void setBase(std::int64_t id, bool carryOn = false);
    // Keeps the settings of a tube; false (and the status says why) when the library refuses.
    bool setTubeSettings(const surveys::TubeKey& tube, const surveys::TubeSettings& settings);
    // "Corrections" for the shown readout, which keeps what it changes at once and redraws this
    // window; nothing when the shown readout is not compared with a base.
    std::unique_ptr<CorrectionsDialog> correctionsDialog();
    // Deletes the survey (no question asked); false (and the status says why) when the library refuses.
    bool deleteSurvey(std::int64_t id);
    // Syncs this computer's library file with `other` (a file or a connection), then reads the
    // tree again; what happened, as the closing box says it, `failed` set when it stopped early.
    QString syncWith(const QString& other, bool* failed = nullptr);
    // Shows the time chart with this depth too.
    void showTrend(int depthTenths);
    // Moves the window to another library (a file or a server): its error, empty when it opened;
    // the window stays on its library when the other cannot be opened.
    QString useLibrary(const QString& location);
    // Imports files and folders, reports per file, and shows the first survey added.
    surveys::ImportReport importPaths(const QStringList& paths);

    // The shown chart by the name's suffix: .png, .svg or .pdf.
    bool exportChart(const QString& path, QString* error);
    // A PNG and an SVG of every chart shown: `pathBase` + "-a-cumulative.png" and so on.
    bool exportCharts(const QString& pathBase, QString* error);
    bool exportTable(const QString& path, QString* error);
    // The report of the shown tube, every readout compared with its base.
    bool writeReport(const QString& path, QString* error);
    // The report of the site shown, its table and plan, then a page per tube.
    bool writeSiteReport(const QString& path, QString* error);
    // The site view, shown in place of the tube's when a site or a client is chosen in the tree.
    SiteView* siteView() const { return site_; }
    bool showingSite() const;

    bool isReadOnly() const;
    QString statusText() const;
    SurveysTree* tree() const { return tree_; }
    QTableWidget* table() const;
    SurveyCharts* charts() const { return charts_; }
    AlarmBar* alarmBar() const { return alarmBar_; }

private:
    void buildUi();
    void openLibrary();
    void onSelectionChanged();
    void loadTube(const surveys::TubeKey& key);
    // Shows the site view when a site or client is the tree's current item, the tube's otherwise.
    void showSiteIfChosen();
    // Chooses the tube's latest readout in the tree, which shows the tube.
    void openTube(const surveys::TubeKey& key);
    void updateStatus();
    // Runs `task` (which opens a box) when no operation is talking to the unit.
    void whenIdle(std::function<void()> task);
    void chooseImport(bool folder);
    void chooseExport(const QString& title, const QString& filter, const QString& ending,
                      bool (SurveysWindow::*write)(const QString&, QString*));
    QString startFolder() const;
    void editTubeSettings();
    // Keeps a readout's corrections and redraws; "" when kept, else why not.
    QString keepCorrections(std::int64_t id, const std::vector<surveys::Correction>& list);
    void askToDelete();
    // Mark as Base (or Clear Base) after the operator's OK.
    void askToSetBase();
    // The chosen readout's probe, asked and kept.
    void editProbe();
    void chooseSync();

    surveys::SurveyStore store_;
    QString libraryPath_;
    std::function<void(std::function<void()>)> whenIdle_;
    std::function<QString()> downloadFolder_;
    std::function<void(const QString&, const QString&)> written_;
    QString openError_, actionError_, writtenLine_;

    std::vector<std::int64_t> chosen_;             // readouts of one tube, the current one last

    // The shown tube, read whole, and its readouts compared with its base.
    std::optional<surveys::TubeKey> tube_;
    std::vector<surveys::Survey> tubeSurveys_;
    surveys::CorrectionsById corrections_;
    surveys::TubeSettings settings_;
    surveys::TubeResult result_;
    QStringList reasons_;

    QLabel* status_ = nullptr;
    AlarmBar* alarmBar_ = nullptr; // the latest unacknowledged ALARM, until acknowledged
    SurveysTree* tree_ = nullptr;
    std::unique_ptr<SurveyTables> tables_;
    SurveyCharts* charts_ = nullptr;
    HistoryView* history_ = nullptr;
    QStackedWidget* pages_ = nullptr; // the tube's view, or the site's
    SiteView* site_ = nullptr;
    QPushButton* baseButton_ = nullptr;
    QPushButton* settingsButton_ = nullptr;
    QPushButton* correctButton_ = nullptr;
    QPushButton* probeButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* syncButton_ = nullptr;
    QPushButton* reportButton_ = nullptr;
    ReportChoices reportChoices_; // the last report's, offered again
    int chartDpi_ = 96;           // the PNG charts' resolution chosen last
    QPushButton* importButton_ = nullptr;
    QSocketNotifier* news_ = nullptr; // a server's news of changes
    bool mayDelete_ = false; // a server's manager; a file: when writable
    bool mayEdit_ = false; // what the user's role on a server allows; a file: when writable
};

} // namespace tarvelon
