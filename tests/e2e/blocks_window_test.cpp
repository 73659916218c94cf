// "Download Blocks..." over the pseudo-terminal: the list, a download of two blocks, and Stop.
#include "shell/blocks_list_window.h"
#include "shell/folder_chooser.h"
#include "window_fixture.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QProgressBar>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableWidget>

#include <algorithm>
#include <map>

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
    EXPECT_TRUE(table->item(4, 9)->text().contains(QRegularExpression("^\\d+ rows, 0 skipped"))) << table->item(4, 9)->text().toStdString();
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_FALSE(window_->findChild<QLabel*>("lblSurveyAdded")->isHidden());

    // Every measured block, stopped while the progress bar shows how far it is.
    for (int row = 0; row < 30; ++row)
        if (row != 3)
            table->item(row, 0)->setCheckState(Qt::Checked);
    QString shown;
    QTimer::singleShot(400, window_.get(), [&] {
        // The progress is shown in this window, where the operator is looking.
        auto* progress = blocks->findChild<QProgressBar*>("prgOperation");
        shown = progress->isVisible() ? progress->text() : QString();
        QTest::keyClick(blocks, Qt::Key_Escape);
    });
    QTest::mouseClick(blocks->findChild<QPushButton*>("cmdDownload"), Qt::LeftButton);
    // The block's own rows are told apart from its header's.
    EXPECT_TRUE(shown.contains(QRegularExpression("^Block 1 of 29, (header )?row \\d+ of "))) << shown.toStdString();
    // The block in progress keeps its earlier files, and the message names it.
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text.rfind("Stopped: ", 0), 0u) << messages_.shown[0].text;
    EXPECT_NE(messages_.shown[0].text.find("not downloaded"), std::string::npos);
    EXPECT_EQ(table->findItems("stopped by the operator", Qt::MatchContains).size(), 1);
    EXPECT_FALSE(blocks->findChild<QProgressBar*>("prgOperation")->isVisible());
    // The blocks the run never reached say so.
    for (int row = 1; row < 30; ++row) {
        if (row != 3) {
            EXPECT_TRUE(table->item(row, 9)->text().startsWith("not downloaded")) << row;
        }
    }
    EXPECT_EQ(data.entryList({"*num.dat"}, QDir::Files).size(), 2);
    expectIdle();
}

// Closing the window is the operator's Stop: what the run did stands, what it was doing is undone.
TEST_F(BlocksWindow, ClosingTheWindowDuringARunStopsIt)
{
    click("Command10");
    QTest::mouseClick(window_->findChild<FolderChooser*>("Form6")->okButton(), Qt::LeftButton);
    click("cmdDownloadBlocks");
    auto* blocks = window_->findChild<BlocksListWindow*>();
    ASSERT_NE(blocks, nullptr);
    QTableWidget* table = blocks->table();
    const auto download = [&](std::vector<int> rows) {
        for (int row = 0; row < 30; ++row)
            if (row != 3)
                table->item(row, 0)->setCheckState(std::count(rows.begin(), rows.end(), row) ? Qt::Checked : Qt::Unchecked);
        QTest::mouseClick(blocks->findChild<QPushButton*>("cmdDownload"), Qt::LeftButton);
    };
    const QDir data(dir_.filePath("dati"));
    const auto exports = [&] {
        std::map<QString, QByteArray> files;
        for (const QString& name : data.entryList({"*dat.dat", "*num.dat"}, QDir::Files))
            files[name] = fileBytes(data.filePath(name));
        return files;
    };
    download({1});
    const auto earlier = exports();
    ASSERT_EQ(earlier.size(), 2u);

    // Blocks 1 to 3; the window closed once block 2 is past its header.
    auto* progress = blocks->findChild<QProgressBar*>("prgOperation");
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (progress->format().startsWith("Block 2 of 3, row ") && progress->value() > 12) {
            poll.stop();
            blocks->close();
        }
    });
    poll.start(5);
    download({0, 1, 2});
    EXPECT_FALSE(poll.isActive()) << "the run ended before block 2 was under way";
    EXPECT_FALSE(blocks->isVisible());

    EXPECT_TRUE(table->item(0, 9)->text().contains(QRegularExpression("^\\d+ rows, 0 skipped"))) << table->item(0, 9)->text().toStdString();
    EXPECT_TRUE(table->item(1, 9)->text().contains("stopped by the operator")) << table->item(1, 9)->text().toStdString();
    EXPECT_EQ(table->item(2, 9)->text(), "not downloaded: stopped before it");
    const auto now = exports();
    EXPECT_EQ(now.size(), 4u); // block 1's two files beside block 2's earlier ones
    for (const auto& [name, bytes] : earlier)
        EXPECT_EQ(now.at(name), bytes) << name.toStdString();
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text.rfind("Stopped: ", 0), 0u) << messages_.shown[0].text;
    expectIdle();

    // The program goes on: the window opens again, blocks 1 and 2 unchecked as the library
    // keeps them whole (block 2 from the first run), block 3 checked; it downloads block 2 whole.
    click("cmdDownloadBlocks");
    EXPECT_TRUE(blocks->isVisible());
    for (int row : {0, 1}) {
        EXPECT_EQ(table->item(row, 8)->text(), "yes") << row;
        EXPECT_EQ(table->item(row, 0)->checkState(), Qt::Unchecked) << row;
    }
    EXPECT_EQ(table->item(2, 8)->text(), "no");
    EXPECT_EQ(table->item(2, 0)->checkState(), Qt::Checked);
    download({1});
    EXPECT_TRUE(table->item(1, 9)->text().contains(QRegularExpression("^\\d+ rows, 0 skipped"))) << table->item(1, 9)->text().toStdString();
    EXPECT_EQ(exports().size(), 4u);
    expectIdle();
}

namespace {

class BlocksWindowTexts : public BlocksWindow {
protected:
    void prepareUnit(sim::Unit& unit) override
    {
        BlocksWindow::prepareUnit(unit);
        // Block 6 as an erased unit holds it: every header byte 0.
        std::fill_n(unit.memory().begin() + 5 * sim::Unit::kBlockSize, 0x100, uint8_t(0));
    }
};

} // namespace

// A folder named outside the code page, an erased block and a long result are shown whole.
TEST_F(BlocksWindowTexts, ResultsShowFoldersAsNamedErasedHeadersBlankAndNothingCut)
{
    const QString folder = QDir::toNativeSeparators(dir_.filePath(QString::fromUtf8("dati \u0141\u00F3d\u017A \U0001F600")));
    ASSERT_TRUE(QDir().mkpath(folder));
    click("Command10");
    auto* chooser = window_->findChild<FolderChooser*>("Form6");
    chooser->setFolder(folder);
    chooser->accept();
    click("cmdDownloadBlocks");
    auto* blocks = window_->findChild<BlocksListWindow*>();
    ASSERT_NE(blocks, nullptr);
    QTableWidget* table = blocks->table();
    for (int col = 1; col < 8; ++col)
        EXPECT_EQ(table->item(5, col)->text(), QString()) << "column " << col;
    for (int row = 0; row < 30; ++row)
        if (row != 1)
            table->item(row, 0)->setCheckState(Qt::Unchecked);
    QTest::mouseClick(blocks->findChild<QPushButton*>("cmdDownload"), Qt::LeftButton);
    const QString result = table->item(1, 9)->text();
    // Rows first, then the files by name; their full paths, folder as named, in the tooltip.
    EXPECT_TRUE(result.contains(QRegularExpression("^\\d+ rows, 0 skipped; [^;]+dat\\.dat; [^;]+num\\.dat$")))
        << result.toStdString();
    const QStringList tip = table->item(1, 9)->toolTip().split(QLatin1Char('\n'));
    EXPECT_EQ(tip.value(0), result) << "the whole text first";
    EXPECT_TRUE(tip.value(1).startsWith(folder + QDir::separator())) << tip.join(QLatin1Char('|')).toStdString();
    // The result wraps in the width the other columns leave, its row as high as it needs: the
    // columns fill the table's width and nothing lies beyond it.
    int width = 0;
    for (int col = 0; col < 10; ++col)
        width += table->columnWidth(col);
    EXPECT_EQ(width, table->viewport()->width());
    EXPECT_LT(table->columnWidth(9), table->fontMetrics().horizontalAdvance(result)) << "a result that wraps";
    const QRect needed = table->fontMetrics().boundingRect(QRect(0, 0, table->columnWidth(9) - 8, 100000),
                                                           Qt::TextWordWrap, result);
    EXPECT_GE(table->rowHeight(1), needed.height());
}

namespace {

// Where a click checks the block of `row`: its check box.
QPoint checkBoxOf(QTableWidget* table, int row)
{
    const QRect cell = table->visualItemRect(table->item(row, 0));
    QStyleOptionViewItem option;
    option.initFrom(table);
    option.rect = cell;
    option.features = QStyleOptionViewItem::HasCheckIndicator;
    return table->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, table).center();
}

} // namespace

// Shift with a click or with Space checks every block from the one changed last; a block that
// cannot be downloaded stays unchecked.
TEST_F(BlocksWindow, ShiftChecksARange)
{
    click("Command10");
    QTest::mouseClick(window_->findChild<FolderChooser*>("Form6")->okButton(), Qt::LeftButton);
    click("cmdDownloadBlocks");
    auto* blocks = window_->findChild<BlocksListWindow*>();
    ASSERT_NE(blocks, nullptr);
    QTableWidget* table = blocks->table();
    QTest::mouseClick(blocks->findChild<QPushButton*>("cmdSelectNone"), Qt::LeftButton);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, checkBoxOf(table, 1));
    EXPECT_EQ(blocks->checkedBlocks(), std::vector<int>{2});
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ShiftModifier, checkBoxOf(table, 6));
    EXPECT_EQ(blocks->checkedBlocks(), (std::vector<int>{2, 3, 5, 6, 7})) << "block 4 holds no readings";
    table->setCurrentCell(8, 0);
    QTest::keyClick(table, Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_EQ(blocks->checkedBlocks(), (std::vector<int>{2, 3, 5, 6, 7, 8, 9}));
    // Unchecking works the same way.
    table->setCurrentCell(4, 0);
    QTest::keyClick(table, Qt::Key_Space);
    table->setCurrentCell(8, 0);
    QTest::keyClick(table, Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_EQ(blocks->checkedBlocks(), (std::vector<int>{2, 3}));
    blocks->close();
    expectIdle();
}

namespace {

class BlocksWindowRealBoxes : public BlocksWindow {
protected:
    bool useRealMessageBoxes() const override { return true; }
};

} // namespace

// After Stop the message stands over the Download Blocks window, not over the main window,
// which therefore does not come in front of it.
TEST_F(BlocksWindowRealBoxes, AfterStopItsMessageStandsOverIt)
{
    click("Command10");
    QTest::mouseClick(window_->findChild<FolderChooser*>("Form6")->okButton(), Qt::LeftButton);
    click("cmdDownloadBlocks");
    auto* blocks = window_->findChild<BlocksListWindow*>();
    ASSERT_NE(blocks, nullptr);
    QTimer::singleShot(300, blocks, [blocks] { blocks->findChild<QPushButton*>("cmdStop")->click(); });
    QWidget* over = nullptr;
    QString said;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || over)
            return;
        over = box->parentWidget();
        said = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    poll.start(10);
    QTest::mouseClick(blocks->findChild<QPushButton*>("cmdDownload"), Qt::LeftButton);
    EXPECT_TRUE(said.startsWith("Stopped: ")) << said.toStdString();
    EXPECT_EQ(over, blocks);
    EXPECT_TRUE(blocks->isVisible());
    // The main window's own jobs have their boxes over it again.
    over = nullptr;
    window_->context().messages.show("x", Icon::None);
    EXPECT_EQ(over, window_.get());
    blocks->close();
    expectIdle();
}
