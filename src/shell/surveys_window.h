#pragma once
#include "surveys/import.h"
#include "surveys/store.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSettings;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace tarvelon {

class SurveyCharts;
class SurveyTables;

struct SurveysWindowOptions {
    // The library file; empty means surveyLibraryPath().
    QString libraryPath;
    // Where the scale factor is remembered; null means the program's own settings.
    QSettings* settings = nullptr;
};

// "Surveys": the library as a tree client > site > tube > readouts, the chosen readout's
// header, table and profile; several readouts of a tube overlaid, or compared with the one
// marked as base; the trend of one depth; export of chart and table.
class SurveysWindow : public QWidget {
    Q_OBJECT
public:
    explicit SurveysWindow(SurveysWindowOptions options = {}, QWidget* parent = nullptr);
    ~SurveysWindow() override;

    // Reads the tree again (after a download or an import), keeping the choice.
    void reload();
    // Chooses these readouts; the last is the one whose header and table are shown.
    void select(const std::vector<std::int64_t>& ids);
    // Marks a readout as the base of its tube's comparison; 0 clears it.
    void setBase(std::int64_t id);
    void setScaleFactor(double mmPerUnitMetre);
    // Shows the trend tab at this depth.
    void showTrend(int depthTenths);
    // Imports files and folders, reports per file, and shows the first survey added.
    surveys::ImportReport importPaths(const QStringList& paths);

    // By the name's suffix: .png, .svg or .pdf. False with the reason on failure.
    bool exportChart(const QString& path, QString* error);
    bool exportTable(const QString& path, QString* error);

    bool isReadOnly() const;
    QString statusText() const;
    QTreeWidget* tree() const { return tree_; }
    QTableWidget* table() const;

private:
    void buildUi();
    void openLibrary();
    void onSelectionChanged();
    void compareWithBase(std::vector<const surveys::Survey*> readouts);
    void updateStatus();
    const surveys::Survey* cached(std::int64_t id);
    void chooseImport(bool folder);
    void chooseExport(const QString& title, const QString& filter,
                      bool (SurveysWindow::*write)(const QString&, QString*));

    surveys::SurveyStore store_;
    QString libraryPath_;
    QSettings* settings_;
    std::unique_ptr<QSettings> ownSettings_;
    QString openError_;

    std::map<std::int64_t, surveys::Survey> cache_;
    std::map<std::int64_t, QTreeWidgetItem*> items_;
    std::vector<std::int64_t> chosen_; // readouts of one tube, the current one last
    std::int64_t baseId_ = 0;
    QString leftOutText_;

    QLabel* status_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    std::unique_ptr<SurveyTables> tables_;
    SurveyCharts* charts_ = nullptr;
    QPushButton* baseButton_ = nullptr;
    QPushButton* importButton_ = nullptr;
    QDoubleSpinBox* scale_ = nullptr;
};

} // namespace tarvelon
