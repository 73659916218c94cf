// "Download Blocks..." over the pseudo-terminal: the list, a download of two blocks, and Stop.
#include "shell/blocks_list_window.h"
#include "shell/folder_chooser.h"
#include "window_fixture.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QProgressBar>
#include <QTableWidget>

using namespace tarvelon;
using namespace tarvelon::test;

namespace {

class BlocksWindow : public WindowOnPty {
protected:
    void prepareUnit(sim::Unit& unit) override
    {
        unit.fillDemo();
        // Block 4 holds no readings.
        unit.receive("C03000" "CLIENT 4" "SITE0000" "T   " "0000" "1" "2" "+000" "00" "010101" "000000" "\r");
    }
};

} // namespace

TEST_F(BlocksWindow, ListsDownloadsTwoBlocksAndStops)
{
    EXPECT_FALSE(window_->control("cmdDownloadBlocks")->isEnabled());
    click("Command10");
    QTest::mouseClick(window_->findChild<FolderChooser*>("Form6")->okButton(), Qt::LeftButton);
    ASSERT_TRUE(window_->control("cmdDownloadBlocks")->isEnabled());

    click("cmdDownloadBlocks");
    auto* blocks = window_->findChild<BlocksListWindow*>();
    ASSERT_NE(blocks, nullptr);
    EXPECT_EQ(blocks->windowTitle(), "Download Blocks");
    QTableWidget* table = blocks->table();
    EXPECT_EQ(table->item(3, 0)->checkState(), Qt::Unchecked);
    EXPECT_FALSE(table->item(3, 0)->flags() & Qt::ItemIsEnabled);
    EXPECT_EQ(blocks->checkedBlocks().size(), 29u);
    EXPECT_EQ(table->item(1, 1)->text().toStdString(), reference().headerText(2).substr(0, 8));

    // Two blocks, kept in the survey library too.
    for (int row = 0; row < 30; ++row)
        if (row != 1 && row != 4)
            table->item(row, 0)->setCheckState(Qt::Unchecked);
    QTest::mouseClick(blocks->findChild<QPushButton*>("cmdDownload"), Qt::LeftButton);
    const QDir data(dir_.filePath("dati"));
    EXPECT_EQ(data.entryList({"*num.dat"}, QDir::Files).size(), 2);
    EXPECT_TRUE(table->item(4, 8)->text().contains("rows read, 0 skipped")) << table->item(4, 8)->text().toStdString();
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_FALSE(window_->findChild<QLabel*>("lblSurveyAdded")->isHidden());

    // Every measured block, stopped while the progress bar shows how far it is.
    for (int row = 0; row < 30; ++row)
        if (row != 3)
            table->item(row, 0)->setCheckState(Qt::Checked);
    QString shown;
    QTimer::singleShot(400, window_.get(), [&] {
        auto* progress = window_->findChild<QProgressBar*>("prgOperation");
        shown = progress->isVisible() ? progress->text() : QString();
        QTest::keyClick(blocks, Qt::Key_Escape);
    });
    QTest::mouseClick(blocks->findChild<QPushButton*>("cmdDownload"), Qt::LeftButton);
    EXPECT_TRUE(shown.startsWith("Block 1 of 29, row ")) << shown.toStdString();
    // The block in progress keeps its earlier files, and the message names it.
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text.rfind("Stopped: ", 0), 0u) << messages_.shown[0].text;
    EXPECT_NE(messages_.shown[0].text.find("not downloaded"), std::string::npos);
    EXPECT_EQ(table->findItems("stopped by the operator", Qt::MatchStartsWith).size(), 1);
    EXPECT_FALSE(window_->findChild<QProgressBar*>("prgOperation")->isVisible());
    EXPECT_EQ(data.entryList({"*num.dat"}, QDir::Files).size(), 2);
    expectIdle();
}
