// One test per button of the control panel, the Download Data page and the Setup page,
// clicked in the real window against the simulated unit on a pseudo-terminal.
#include "link/block.h"
#include "link/header_record.h"
#include "shell/about_box.h"
#include "shell/folder_chooser.h"
#include "shell/surveys/survey_library.h"
#include "window_fixture.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QFile>
#include <QMessageBox>
#include <QTimer>

using namespace tarvelon;
using namespace tarvelon::test;

namespace {

class Buttons : public WindowOnPty {
protected:
    void prepareUnit(sim::Unit& unit) override { unit.fillDemo(); }
};

} // namespace

TEST_F(Buttons, ResetBlockClearsTheBlockInTheBox)
{
    type("Text2", "5");
    click("Command7");
    EXPECT_EQ(commands(), (std::vector<std::string>{"C04000" + defaultText(5), "b000F500"}));
    EXPECT_EQ(record(5), defaultHeader(5));
    EXPECT_EQ(text("Text2"), "05");
    EXPECT_EQ(text("Text3"), "CLIENT 5");
    EXPECT_TRUE(messages_.shown.empty());
    expectIdle();
}

TEST_F(Buttons, TotalResetClearsEveryBlock)
{
    click("ssCommand8");
    const auto cmds = commands();
    ASSERT_EQ(cmds.size(), 31u);
    for (int n = 1; n <= 30; ++n)
        EXPECT_EQ(cmds[size_t(n - 1)], "C" + *blockAddress(n) + defaultText(n));
    EXPECT_EQ(cmds.back(), "b000F500");
    EXPECT_EQ(text("Text2"), "01");
    expectIdle();
}

TEST_F(Buttons, SetAllWritesTheHeaderFileIntoTheUnit)
{
    type("Text3", "edited");
    click("sscommand6");
    const auto cmds = commands();
    ASSERT_EQ(cmds.size(), 31u);
    EXPECT_EQ(cmds[0], "C00000EDITED  " + defaultText(1).substr(8));
    EXPECT_EQ(cmds[29], "C1D000" + defaultText(30));
    EXPECT_EQ(cmds[30], "b000F500");
    EXPECT_EQ(text("Text3"), "EDITED  ");
    expectIdle();
}

TEST_F(Buttons, ReadBlockShowsTheUnitsHeader)
{
    type("Text2", "2");
    click("Command3");
    const std::string header = reference().headerText(2);
    EXPECT_EQ(text("Text3"), header.substr(0, 8));
    EXPECT_EQ(text("Text4"), header.substr(8, 8));
    EXPECT_EQ(text("Text6") + text("Text13"), header.substr(20, 4));
    EXPECT_EQ(text("Text12"), header.substr(38, 6));
    EXPECT_EQ(text("Text17"), "01090");
    expectIdle();
}

TEST_F(Buttons, ReadAllBlocksStoresEveryHeader)
{
    click("Command8");
    for (int n = 1; n <= 30; ++n) {
        const std::string header = reference().headerText(n);
        const std::string stored = record(n).bytes();
        EXPECT_EQ(stored.substr(0, 32), header.substr(0, 32)) << n;
        EXPECT_EQ(stored.substr(32, 6), header.substr(32, 6)) << n;
    }
    EXPECT_EQ(commands().size(), 300u);
    EXPECT_EQ(text("Text3"), reference().headerText(1).substr(0, 8));
    expectIdle();
}

TEST_F(Buttons, AboutAndHelp)
{
    click("Command11");
    auto* about = window_->findChild<AboutBox*>("aboutus");
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    click("Command12");
    EXPECT_EQ(desktop_.opened, std::vector<std::string>{"https://www.tarvelon.example/manuals/TARVELONmanual.pdf"});
    EXPECT_TRUE(pty_.log().empty());
}

TEST_F(Buttons, ResetZeroGainWritesEveryBlock)
{
    click("Command13");
    const auto cmds = commands();
    ASSERT_EQ(cmds.size(), 30u);
    for (int n = 1; n <= 30; ++n)
        EXPECT_EQ(cmds[size_t(n - 1)], "D" + *blockAddress(n) + "+1.0000+0.0000+1.0000+0.00000");
    EXPECT_EQ(window_->state().currentBlock, 1);
    expectIdle();
}

TEST_F(Buttons, WriteSendsTheDelay)
{
    type("Text16rt", "7");
    click("Command6scrivi");
    EXPECT_EQ(commands(), std::vector<std::string>{"b000F037"});
    type("Text16rt", "50");
    EXPECT_EQ(text("Text16rt"), "50") << "what was typed stays to be corrected";
    click("Command6scrivi");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, "Delay for Automatic Cycle is incorrect: a whole number from 3 to 9 is allowed");
    EXPECT_EQ(text("Text16rt"), "50");
    EXPECT_EQ(commands().size(), 1u);
    expectIdle();
}

TEST_F(Buttons, FolderPlusAndOkDownloadTheChosenBlock)
{
    EXPECT_FALSE(window_->isEnabled("command3d1"));
    click("Command10");
    auto* chooser = window_->findChild<FolderChooser*>("Form6");
    ASSERT_NE(chooser, nullptr);
    QTest::mouseClick(chooser->okButton(), Qt::LeftButton);
    EXPECT_TRUE(window_->isEnabled("command3d1"));

    click("Command1");
    click("Command1");
    click("Command2");
    EXPECT_EQ(text("numblocco"), "02");
    click("command3d1");

    const std::string h = reference().headerText(2);
    const QString base = QString::fromLatin1(h.substr(0, 8) + "-" + h.substr(8, 8) + "-" + h.substr(16, 4) + "-" +
                                             h.substr(30, 2) + "-");
    const QDir data(dir_.filePath("dati"));
    EXPECT_EQ(data.entryList(QDir::Files, QDir::Name),
              (QStringList{base + "dat.dat", base + "num.dat", "datiram.dat"}));
    const QByteArray header = fileBytes(data.filePath(base + "dat.dat"));
    ASSERT_EQ(header.size(), 19 * 42);
    EXPECT_EQ(header.left(42), QByteArray::fromStdString(("Cliente: ;" + h.substr(0, 8) + std::string(22, ' ') + "\r ")));
    const QByteArray work = fileBytes(data.filePath("datiram.dat"));
    const QByteArray exported = fileBytes(data.filePath(base + "num.dat"));
    EXPECT_EQ(work.size(), exported.size());
    EXPECT_EQ(exported.right(113).left(16), QByteArray("Profondit\xE0;S1;S2"));
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_TRUE(window_->isEnabled("command3d1"));
    expectIdle();
    // The survey went to the library, and the page offers it.
    EXPECT_FALSE(window_->findChild<QLabel*>("lblSurveyAdded")->isHidden());

    // A damaged library: the files are written all the same, and the message says why the
    // library is not.
    QFile::remove(data.filePath(base + "num.dat"));
    QFile library(surveyLibraryPath());
    ASSERT_TRUE(library.open(QIODevice::ReadWrite));
    library.write(QByteArray(4096, 'x'));
    library.close();
    click("command3d1");
    EXPECT_TRUE(QFile::exists(data.filePath(base + "num.dat")));
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, "Attention: survey library cannot be written: it is not a survey library: the file holds "
                                           "something else, and is left as it is");
    QFile::remove(surveyLibraryPath());
}

namespace {

// Real message boxes, answered by the test as they come up.
class RealBoxes : public WindowOnPty {
protected:
    void prepareUnit(sim::Unit& unit) override { unit.faults.silent = true; }
    bool useRealMessageBoxes() const override { return true; }
};

} // namespace

TEST_F(RealBoxes, QuestionThenSilenceAreBothReported)
{
    answerBoxes(std::vector<QMessageBox::StandardButton>(6, QMessageBox::Ok));
    click("Command6");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, "ATTENTION: ALL MEMORY DATA WILL BE LOST, WOULD YOU LIKE TO CONTINUE ?");
    EXPECT_EQ(seen[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen[1].text, "Attention: TARVELON not connected");
    EXPECT_EQ(seen[1].icon, QMessageBox::Critical);
    EXPECT_EQ(seen[1].title, "Tarvelon Manager");
    EXPECT_EQ(pty_.log(), std::vector<std::string>{"}"});
    expectIdle();
}

TEST_F(RealBoxes, CancelSendsNothing)
{
    answerBoxes({QMessageBox::Cancel});
    click("ssCommand8");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(pty_.log().empty());
    expectIdle();
}

// Every box that ends a job stands in front of a window whose wait indicator is already out.
TEST_F(RealBoxes, NoBoxShowsOverTheLitWaitIndicator)
{
    const struct {
        const char* port;
        const char* button;
        size_t boxes;
        const char* last; // how the last box starts
    } cases[] = {
        {"ssOption1_1", "Command3", 1, "Attention: cannot open serial port /nonexistent/ttyS1"}, // Com 2, Read Block
        {"ssOption1_0", "ssCommand3", 1, "Attention: TARVELON not connected"},                      // Read Clock
        {"ssOption1_0", "Command6", 2, "Attention: TARVELON not connected"},                        // Set Block
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        seen.clear();
        click(c.port);
        answerBoxes(std::vector<QMessageBox::StandardButton>(c.boxes, QMessageBox::Ok));
        click(c.button);
        ASSERT_EQ(seen.size(), c.boxes);
        EXPECT_EQ(seen.back().text.rfind(c.last, 0), 0u) << seen.back().text;
        for (const Seen& s : seen)
            EXPECT_FALSE(s.waitShown) << s.text;
        expectIdle();
    }
}

namespace {

// A download folder whose name the window's code page cannot hold.
class FolderBeyondTheCodePage : public WindowOnPty {
protected:
    void adjustOptions(MainWindow::Options& opts) override
    {
        opts.folders->defaultFolder = dir_.filePath(QStringLiteral("Łódź данные"));
    }
    bool useRealMessageBoxes() const override { return true; }
};

} // namespace

// Each box names the folder as the disk has it, not with a "?" for each letter beyond Windows-1252.
TEST_F(FolderBeyondTheCodePage, ItsMessagesNameItAsOnDisk)
{
    answerBoxes(std::vector<QMessageBox::StandardButton>(3, QMessageBox::Ok));
    click("Command10");
    QTest::mouseClick(window_->findChild<FolderChooser*>("Form6")->okButton(), Qt::LeftButton);
    const QString folder = QDir::toNativeSeparators(dir_.filePath(QStringLiteral("Łódź данные")));
    ASSERT_TRUE(QDir(folder).removeRecursively());
    click("command3d1");
    // The work file and both exports could not be written into the folder that went away.
    ASSERT_EQ(seen.size(), 3u);
    for (const Seen& s : seen)
        EXPECT_TRUE(QString::fromStdString(s.text).startsWith(QStringLiteral("Attention: cannot write file ") + folder +
                                                              QDir::separator()))
            << s.text;
    expectIdle();
}
