// What the operator sees is what the unit gets, and every job says how it ended: driven in
// the real window against the simulated unit on a pseudo-terminal.
#include "link/block.h"
#include "link/header_record.h"
#include "shell/folder_chooser.h"
#include "shell/status_line.h"
#include "window_fixture.h"

#include <QDir>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTabBar>

#include <functional>

using namespace tarvelon;
using namespace tarvelon::test;

namespace {

struct RoundTrip {
    const char* typed; // into the block number box
    const char* box;   // then edited, or nothing
    const char* value;
    bool leaveNumber;  // Tab out of the number box before editing; else Set Block is clicked at once
};

class Operator : public WindowOnPty {
protected:
    void prepareUnit(sim::Unit& unit) override { unit.fillDemo(); }

    std::vector<HeaderRecord> records() const
    {
        std::vector<HeaderRecord> out;
        for (int n = 1; n <= kBlockCount; ++n)
            out.push_back(record(n));
        return out;
    }
};

class HeaderRoundTrip : public Operator, public ::testing::WithParamInterface<RoundTrip> {};

} // namespace

INSTANTIATE_TEST_SUITE_P(Cases, HeaderRoundTrip,
                         ::testing::Values(RoundTrip{"05", "Text3", "TESTCLI", true},
                                           RoundTrip{"5", "Text5", "T9", true},
                                           RoundTrip{"30", "Text4", "CAVA", true},
                                           RoundTrip{"01", "Text3", "SAME", true},
                                           RoundTrip{"12", nullptr, nullptr, false}),
                         [](const ::testing::TestParamInfo<RoundTrip>& info) {
                             return std::string("Block") + info.param.typed + (info.param.box ? info.param.box : "NotLeft");
                         });

TEST_P(HeaderRoundTrip, SetBlockWritesTheHeaderShownAndNoOtherRecord)
{
    const RoundTrip& k = GetParam();
    {
        // Read All Blocks first: every record then differs, so a header saved under the wrong
        // block shows.
        click("Command8");
        std::vector<HeaderRecord> before = records();
        const int block = *blockNumberOf(k.typed);

        if (k.leaveNumber) {
            type("Text2", QString::fromLatin1(k.typed));
            type(k.box, QString::fromLatin1(k.value));
        } else {
            QLineEdit* edit = window_->field("Text2");
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, QString::fromLatin1(k.typed));
        }
        const std::string shownBefore = k.leaveNumber ? headerText(*window_) : std::string();
        const size_t sent = pty_.log().size();
        click("Command6");

        const std::string shown = headerText(*window_);
        if (k.leaveNumber) {
            EXPECT_EQ(shown, shownBefore);
        } else {
            EXPECT_EQ(shown.substr(0, 8), before[size_t(block - 1)].get(HeaderRecord::Client));
        }
        const std::vector<std::string> cmds = commands();
        ASSERT_GE(pty_.log().size(), sent + 4);
        EXPECT_EQ(cmds[cmds.size() - 2], "C" + *blockAddress(block) + shown);
        EXPECT_EQ(text("Text2"), twoDigits(block));
        pty_.stop();
        EXPECT_EQ(pty_.unit.headerText(block), shown);
        // The block written holds the edit; every other record is as Read All Blocks left it.
        const std::vector<HeaderRecord> after = records();
        for (int n = 1; n <= kBlockCount; ++n) {
            if (n != block) {
                EXPECT_EQ(after[size_t(n - 1)], before[size_t(n - 1)]) << "record " << n;
            }
        }
        if (k.box) {
            EXPECT_EQ(QString::fromStdString(text(k.box)).trimmed(), QString::fromLatin1(k.value)) << k.box;
        }
        EXPECT_TRUE(messages_.shown.empty());
        expectIdle();
    }
}

namespace {

class StatusAfterJob;

struct Job {
    const char* what;
    std::function<void(StatusAfterJob&)> run;
    const char* status; // how the status line's result begins
};

class StatusAfterJob : public Operator, public ::testing::WithParamInterface<Job> {
public:
    using Operator::click;
    using Operator::type;
    void setClockBoxes()
    {
        for (auto [box, value] : {std::pair{"Text13a", "07"}, {"Text1a", "12"}, {"Text2a", "26"}, {"Text14a", "17"},
                                  {"Text3a", "45"}, {"Text4a", "00"}})
            type(box, QString::fromLatin1(value));
    }
};

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Jobs, StatusAfterJob,
    ::testing::Values(
        Job{"SetBlock", [](StatusAfterJob& t) { t.click("Command6"); }, "Block 01 written"},
        Job{"ResetBlock",
            [](StatusAfterJob& t) {
                t.type("Text2", "5");
                t.click("Command7");
            },
            "Block 05 cleared"},
        Job{"TotalReset", [](StatusAfterJob& t) { t.click("ssCommand8"); }, "Blocks 01 to 30 cleared"},
        Job{"SetAll", [](StatusAfterJob& t) { t.click("sscommand6"); }, "Blocks 01 to 30 written"},
        Job{"ReadBlock", [](StatusAfterJob& t) { t.click("Command3"); }, "Block 01 read"},
        Job{"WriteClock",
            [](StatusAfterJob& t) {
                t.setClockBoxes();
                t.click("ssCommand4");
            },
            "Clock set to 07/12/26 17:45:00"},
        Job{"ReadClock",
            [](StatusAfterJob& t) {
                t.setClockBoxes();
                t.click("ssCommand4");
                t.click("ssCommand3");
            },
            "Clock read: 07/12/26 17:45:0"},
        Job{"Delay",
            [](StatusAfterJob& t) {
                t.type("Text16rt", "7");
                t.click("Command6scrivi");
            },
            "Delay for Automatic Cycle set to 7"},
        Job{"ResetGainZero", [](StatusAfterJob& t) { t.click("Command13"); },
            "Default zero and gain written to blocks 01 to 30"},
        Job{"BadDelay",
            [](StatusAfterJob& t) {
                t.type("Text16rt", "50");
                t.click("Command6scrivi");
            },
            "Delay for Automatic Cycle is incorrect: a whole number from 3 to 9 is allowed"}),
    [](const ::testing::TestParamInfo<Job>& info) { return std::string(info.param.what); });

TEST_P(StatusAfterJob, TheStatusLineSaysHowItEnded)
{
    StatusLine* status = window_->statusLine();
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), "Port: Com 1 | No download folder");
    GetParam().run(*this);
    const QString line = status->text();
    EXPECT_TRUE(line.startsWith("Port: Com 1 | No download folder | ")) << line.toStdString();
    EXPECT_TRUE(status->result().startsWith(QString::fromLatin1(GetParam().status))) << line.toStdString();
    expectIdle();
}

TEST_F(Operator, AFailedJobReplacesTheLastResultWithWhyItFailed)
{
    click("Command3");
    EXPECT_EQ(window_->statusLine()->result(), "Block 01 read");
    pty_.stop(); // nobody answers on the line any more
    click("Command3");
    EXPECT_EQ(window_->statusLine()->result(), "TARVELON not connected");
    expectIdle();
}

namespace {

class RealQuestion : public Operator {
protected:
    bool useRealMessageBoxes() const override { return true; }
};

} // namespace

// Enter on an erasing question is Cancel: nothing reaches the unit, and the box names the block.
TEST_F(RealQuestion, EnterOnAnErasingQuestionErasesNothing)
{
    click("Command8");
    type("Text2", "3");
    const size_t sent = pty_.log().size();
    QString informative;
    QAbstractButton* defaultButton = nullptr;
    QAbstractButton* cancel = nullptr;
    QTimer::singleShot(50, window_.get(), [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        informative = box->informativeText();
        defaultButton = box->defaultButton();
        cancel = box->button(QMessageBox::Cancel);
        QTest::keyClick(box, Qt::Key_Return);
    });
    click("Command7");
    EXPECT_EQ(defaultButton, cancel);
    const std::string header = reference().headerText(3);
    EXPECT_TRUE(informative.startsWith("Block 03: " + QString::fromLatin1(header.substr(0, 8)).trimmed()))
        << informative.toStdString();
    EXPECT_EQ(pty_.log().size(), sent);
    expectIdle();
}

// Every window opens no larger than the screen it opens on, so its buttons are on it; About
// and Folder are one window each, and Esc closes them.
TEST_F(Operator, WindowsFitTheScreenOpenOnceAndCloseWithEsc)
{
    const QRect screen = window_->screen()->availableGeometry();
    click("Command10");
    click("Command10");
    EXPECT_EQ(window_->findChildren<FolderChooser*>().size(), 1);
    QTest::mouseClick(window_->findChild<FolderChooser*>("Form6")->okButton(), Qt::LeftButton);
    click("Command11");
    click("Command11");
    QList<QWidget*> abouts;
    for (QWidget* w : window_->findChildren<QWidget*>("aboutus"))
        if (w->isVisible())
            abouts << w;
    ASSERT_EQ(abouts.size(), 1);
    click("cmdDownloadBlocks");
    click("cmdSurveys");
    for (const char* name : {"aboutus", "frmDownloadBlocks", "Surveys"}) {
        QWidget* w = nullptr;
        for (QWidget* c : window_->findChildren<QWidget*>(name))
            if (c->isVisible())
                w = c;
        ASSERT_NE(w, nullptr) << name;
        EXPECT_LE(w->width(), screen.width()) << name;
        EXPECT_LE(w->height(), screen.height()) << name;
        QTest::keyClick(w, Qt::Key_Escape);
        EXPECT_FALSE(w->isVisible()) << name;
    }
    expectIdle();
}

TEST_F(Operator, EnterPressesTheFocusedButtonAndCtrlTabTurnsThePage)
{
    window_->control("Command3")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(window_->statusLine()->result(), "Block 01 read");
    auto* tabs = window_->findChild<QTabBar*>("TabStrip1");
    window_->field("Text3")->setFocus();
    for (int expected : {1, 2, 0}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(tabs->currentIndex(), expected);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 2);
    // Space on the tenths changes them, as a double-click does.
    tabs->setCurrentIndex(0);
    window_->field("Text13")->setFocus();
    QTest::keyClick(window_->field("Text13"), Qt::Key_Space);
    EXPECT_EQ(text("Text13"), "5");
    expectIdle();
}

// A single download names the two files it wrote; the folder is on the line already.
TEST_F(Operator, ASingleDownloadNamesItsTwoFiles)
{
    click("Command10");
    QTest::mouseClick(window_->findChild<FolderChooser*>("Form6")->okButton(), Qt::LeftButton);
    click("command3d1");
    const QString result = window_->statusLine()->result();
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^Written: (.+dat\\.dat) and (.+num\\.dat), kept in the survey library$")).match(result);
    ASSERT_TRUE(m.hasMatch()) << result.toStdString();
    const QDir data(dir_.filePath("dati"));
    EXPECT_TRUE(data.exists(m.captured(1))) << m.captured(1).toStdString();
    EXPECT_TRUE(data.exists(m.captured(2))) << m.captured(2).toStdString();
    EXPECT_TRUE(window_->statusLine()->text().contains(QStringLiteral("Folder: ") + QDir::toNativeSeparators(data.path())));
    expectIdle();
}
