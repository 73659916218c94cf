#pragma once
#include "surveys/comparison.h"
#include "surveys/import.h"
#include "surveys/store.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QChart;
class QChartView;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSettings;
class QTabWidget;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace tarvelon {

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
    QTableWidget* table() const { return table_; }

private:
    void buildUi();
    void openLibrary();
    void onSelectionChanged();
    void showHeader(const surveys::Survey& s);
    void showSurveyTable(const surveys::Survey& s);
    void showComparisonTable(const surveys::Comparison& c);
    void drawProfiles(const std::vector<const surveys::Survey*>& readouts);
    void drawComparisons(const std::vector<const surveys::Survey*>& readouts);
    void drawTrend();
    void updateStatus();
    const surveys::Survey* cached(std::int64_t id);
    QString cumulativeUnit() const;
    QWidget* shownChart() const;
    void chooseImport(bool folder);
    void chooseChartExport();
    void chooseTableExport();

    surveys::SurveyStore store_;
    QString libraryPath_;
    QSettings* settings_;
    std::unique_ptr<QSettings> ownSettings_;
    QString openError_;

    std::map<std::int64_t, surveys::Survey> cache_;
    std::map<std::int64_t, QTreeWidgetItem*> items_;
    std::vector<std::int64_t> chosen_; // readouts of one tube, the current one last
    std::int64_t baseId_ = 0;
    std::optional<surveys::Comparison> comparison_;
    QString leftOutText_;

    QLabel* status_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QLabel* header_ = nullptr;
    QTableWidget* table_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QWidget* profilePage_ = nullptr;
    QChart* profile_ = nullptr;
    QChart* cumulative_ = nullptr;
    QChartView* cumulativeView_ = nullptr;
    QChart* trend_ = nullptr;
    QComboBox* trendDepth_ = nullptr;
    QWidget* trendPage_ = nullptr;
    QPushButton* baseButton_ = nullptr;
    QPushButton* importButton_ = nullptr;
    QDoubleSpinBox* scale_ = nullptr;
};

} // namespace tarvelon
