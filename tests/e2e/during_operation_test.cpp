// What the operator does while the program talks to the unit: none of it reaches the unit
// or the header file, and a box from another window waits until the operation has ended.
#include "blocks/download.h"
#include "shell/folder_chooser.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QPushButton>
#include <QDir>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTabBar>

using namespace tarvelon;
using namespace tarvelon::test;

namespace {

struct LongOperation {
    const char* name;
    const char* button;
};
void PrintTo(const LongOperation& op, std::ostream* os)
{
    *os << op.name;
}

class DuringOperation : public WindowOnPty, public ::testing::WithParamInterface<LongOperation> {
protected:
    void prepareUnit(sim::Unit& unit) override { unit.fillDemo(); }

    // What one run leaves behind: the lines the unit received, the header file and the
    // download folder's files.
    struct Outcome {
        std::vector<std::string> lines;
        QByteArray headerFile;
        QList<QByteArray> downloads;
        bool operator==(const Outcome&) const = default;
    };
    Outcome run(bool meddle)
    {
        const size_t before = pty_.log().size();
        if (meddle)
            QTimer::singleShot(200, window_.get(), [this] { meddleWithEveryPage(); });
        click(GetParam().button);
        Outcome o;
        const std::vector<std::string> log = pty_.log();
        o.lines.assign(log.begin() + long(before), log.end());
        o.headerFile = fileBytes(dir_.filePath("intestazione"));
        const QDir data(dir_.filePath("dati"));
        for (const QString& name : data.entryList(QDir::Files, QDir::Name))
            o.downloads << name.toUtf8() << fileBytes(data.filePath(name));
        return o;
    }

    // Types, deletes, clicks and double-clicks on every control of every page.
    void meddleWithEveryPage()
    {
        meddledDuringOperation = window_->isBusy();
        auto* tabs = window_->findChild<QTabBar*>("TabStrip1");
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            for (QLineEdit* box : window_->findChildren<QLineEdit*>()) {
                if (!box->isVisible())
                    continue;
                box->setFocus();
                QTest::keyClick(box, Qt::Key_End);
                QTest::keyClick(box, Qt::Key_Backspace);
                QTest::keyClicks(box, "x5");
                QTest::mouseDClick(box, Qt::LeftButton);
            }
            for (QAbstractButton* button : window_->findChildren<QAbstractButton*>())
                if (button->isVisible() && !button->property(kUsableDuringOperations).toBool())
                    QTest::mouseClick(button, Qt::LeftButton);
        }
        tabs->setCurrentIndex(0);
    }

    bool meddledDuringOperation = false;
};

} // namespace

TEST_P(DuringOperation, NothingTheOperatorDoesReachesTheUnitOrTheHeaderFile)
{
    // The download has its folder.
    click("Command10");
    QTest::mouseClick(window_->findChild<FolderChooser*>("Form6")->okButton(), Qt::LeftButton);

    const Outcome untouched = run(false);
    ASSERT_FALSE(untouched.lines.empty());
    const Outcome meddled = run(true);
    EXPECT_TRUE(meddledDuringOperation);
    EXPECT_EQ(meddled.lines, untouched.lines);
    EXPECT_EQ(meddled.headerFile, untouched.headerFile);
    EXPECT_EQ(meddled.downloads, untouched.downloads);
    // Nothing was typed, so nothing waits to be checked; the pages work again.
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(window_->state().portNumber, 1);
    EXPECT_FALSE(window_->field("Text3")->isReadOnly());
    EXPECT_TRUE(window_->control("sscommand10")->isEnabled());
    EXPECT_TRUE(window_->control("Text13")->isEnabled());
    expectIdle();
}

INSTANTIATE_TEST_SUITE_P(LongOperations, DuringOperation,
                         ::testing::Values(LongOperation{"SetAll", "sscommand6"}, LongOperation{"SetBlock", "Command6"},
                                           LongOperation{"ReadAllBlocks", "Command8"},
                                           LongOperation{"Download", "command3d1"}),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

// Real message boxes, a unit that answers, and a drive the folder chooser finds not ready.
class BoxesDuringWait : public WindowOnPty {
protected:
    void prepareUnit(sim::Unit& unit) override { unit.fillDemo(); }
    bool useRealMessageBoxes() const override { return true; }
    void adjustOptions(MainWindow::Options& opts) override
    {
        const QString root = opts.folders->defaultDrive;
        opts.folders->drives = [root] { return QStringList{root, QStringLiteral("/not-ready")}; };
        opts.folders->driveReady = [root](const QString& drive) { return drive == root; };
    }
};

} // namespace

TEST_F(BoxesDuringWait, TheFolderChoosersBoxWaitsAndTheUnitIsNotTakenForSilent)
{
    click("Command10");
    auto* chooser = window_->findChild<FolderChooser*>("Form6");
    ASSERT_NE(chooser, nullptr);
    bool pickedDuringOperation = false;
    QTimer::singleShot(250, chooser, [&] {
        pickedDuringOperation = window_->isBusy();
        chooser->driveList()->setCurrentIndex(1);
    });
    answerBoxes({QMessageBox::Ok, QMessageBox::Ok});
    click("Command6");
    EXPECT_TRUE(pickedDuringOperation);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].text, "Invalid drive!");
    EXPECT_FALSE(seen[1].duringOperation);
    EXPECT_EQ(commands(), (std::vector<std::string>{"C00000" + defaultText(1), "b000F500"}));
    expectIdle();
}

namespace {

class ForeignNames : public BoxesDuringWait {};

} // namespace

// Folders named outside ASCII keep their names on disk, in "FILE NAME" and in messages.
TEST_F(ForeignNames, DownloadFoldersShowAsTheyAreNamed)
{
    const char* names[] = {"misure_citt\u00E0", "CITT\u00C0", "\u0141\u00F3d\u017A", "dati \U0001F600"};
    QSignalSpy shown(window_->field("Text1"), &QLineEdit::textChanged);
    auto choose = [&](const QString& folder) {
        click("Command10");
        auto* chooser = window_->findChild<FolderChooser*>("Form6");
        chooser->setFolder(folder);
        chooser->accept();
    };
    for (const char* name : names) {
        const QString folder = QDir::toNativeSeparators(dir_.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(QDir().mkpath(folder));
        shown.clear();
        choose(folder);
        click("command3d1");
        EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 3) << name;
        ASSERT_FALSE(shown.isEmpty()) << name;
        EXPECT_TRUE(shown.first().first().toString().startsWith(folder + QDir::separator())) << name;
    }
    // A folder that went missing is named as it is in every message.
    const QString gone = QDir::toNativeSeparators(dir_.filePath(QString::fromUtf8("gone \u0141 \U0001F600")));
    choose(gone);
    answerBoxes({QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok});
    click("command3d1");
    ASSERT_EQ(seen.size(), 3u);
    for (const Seen& s : seen)
        EXPECT_TRUE(QString::fromStdString(s.text).startsWith(QString::fromUtf8(kCannotWriteFile.data(),
                                                                                qsizetype(kCannotWriteFile.size())) +
                                                              gone + QDir::separator()))
            << s.text;
    expectIdle();
}

namespace {

// A unit slow to wake, block 1 one row deep: a download of a few seconds.
class SlowUnit : public WindowOnPty {
protected:
    void prepareUnit(sim::Unit& unit) override
    {
        unit.fillDemo();
        unit.receive("C00000" "CLIENT 1" "SITE0000" "T   " "0010" "1" "2" "+000" "00" "010101" "000000" "\r");
        unit.faults.wakeDelayMs = 300;
    }
};

} // namespace

// Any modal box held open for 6 s while the program waits for the unit runs its own event
// loop; the unit that answered in 0.3 s meanwhile is not taken for silent.
TEST_F(SlowUnit, AModalBoxHeldOpenDuringAWaitDoesNotEndTheDownload)
{
    click("Command10");
    QTest::mouseClick(window_->findChild<FolderChooser*>("Form6")->okButton(), Qt::LeftButton);
    // The box opens once the unit has the first wake, while the program waits for its answer.
    bool heldDuringOperation = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (pty_.log().empty())
            return;
        poll.stop();
        heldDuringOperation = window_->isBusy();
        QMessageBox box(QMessageBox::Information, QStringLiteral("Another window"), QStringLiteral("Held open"),
                        QMessageBox::Ok, window_.get());
        QTimer::singleShot(6000, &box, &QMessageBox::accept);
        box.exec();
    });
    poll.start(2);
    click("command3d1");
    EXPECT_TRUE(heldDuringOperation);
    EXPECT_TRUE(messages_.shown.empty()) << (messages_.shown.empty() ? "" : messages_.shown[0].text);
    EXPECT_EQ(QDir(dir_.filePath("dati")).entryList({"*num.dat"}, QDir::Files).size(), 1);
    expectIdle();
}
