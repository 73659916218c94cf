#pragma once
#include "blocks/block_list.h"
#include "blocks/download.h"
#include "link/context.h"

#include <QWidget>

#include <optional>
#include <vector>

class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace tarvelon {

class MainWindow;
class ProgressPanel;
class SurveysLauncher;

// "Download Blocks": the headers of the unit's 30 blocks with a check box each (a block of
// depth 0 greyed and unchecked, one already in the survey library unchecked), "Download" for
// the checked ones and "Close". After a download each row says what became of its block. The
// unit is talked to through the main window's operations, whose progress and Stop this
// window shows while it talks; closing it (or Esc) during a run stops the run.
class BlocksListWindow : public QWidget {
    Q_OBJECT
public:
    BlocksListWindow(MainWindow& main, SurveysLauncher& surveys);

    // The window of `main`, made when first asked for.
    static BlocksListWindow& of(MainWindow& main, SurveysLauncher& surveys);

    // Shows the window and reads the list from the unit (inside the running operation).
    void list(Context& c);
    // "Download": the checked blocks in block order, each also kept in the survey library.
    void downloadChecked(Context& c);
    std::vector<int> checkedBlocks() const;
    QTableWidget* table() const { return table_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showBlocks();
    void showResult(const BlockResult& result, const std::string& libraryError);
    void setRunning(bool running);
    void fitResultColumn();
    void checkAll(bool checked);
    // With Shift held, the rows from the last one changed take this row's check state.
    void checkRange(QTableWidgetItem* item);

    MainWindow& main_;
    SurveysLauncher& surveys_;
    QTableWidget* table_ = nullptr;
    QPushButton* download_ = nullptr;
    QPushButton* close_ = nullptr;
    ProgressPanel* progress_ = nullptr;
    QString keptText(int row) const;

    std::vector<ListedBlock> blocks_;
    std::vector<std::optional<LibraryKeeps>> kept_; // what the library keeps of each block listed
    bool running_ = false;
    int anchorRow_ = -1;
    bool rangeChecking_ = false;
    Qt::KeyboardModifiers modifiers_; // of the last click or key in the table
};

} // namespace tarvelon
