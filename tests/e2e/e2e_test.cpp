#include "link/block.h"
#include "shell/main_window.h"
#include "support/fake_form.h"
#include "unit_on_pty.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace tarvelon;
using namespace tarvelon::test;

namespace {

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        prepareUnit(pty_.unit);
        ASSERT_TRUE(pty_.start());
        Scaricodati::Options opts;
        opts.programFolder = dir_.path();
        // "Com 1" is the simulated unit; the others are ports this machine does not have.
        const QString unitPath = QString::fromStdString(pty_.path());
        opts.portName = [unitPath](int n) { return n == 1 ? unitPath : QStringLiteral("/nonexistent/ttyS%1").arg(n - 1); };
        opts.messages = &messages_;
        opts.desktop = &desktop_;
        window_ = std::make_unique<Scaricodati>(opts);
        window_->show();
        QApplication::setActiveWindow(window_.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    virtual void prepareUnit(sim::Unit&) {}

    void click(const char* name)
    {
        auto* button = window_->findChild<QAbstractButton*>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void type(const char* box, const QString& text)
    {
        QLineEdit* edit = window_->field(box);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        // Leaving the box, as the operator does, runs its entry check.
        QTest::keyClick(edit, Qt::Key_Tab);
    }
    std::string text(const char* box) const { return window_->text(box); }

    QTemporaryDir dir_;
    UnitOnPty pty_;
    FakeMessages messages_;
    FakeDesktop desktop_;
    std::unique_ptr<Scaricodati> window_;
};

} // namespace

TEST_F(EndToEnd, SetBlockThenReadBlockBringsTheHeaderBack)
{
    type("Text3", "fieldops");
    type("Text10", "7");
    click("Command6"); // Set Block
    const std::vector<std::string> expected = {"}", "C00000FIELDOPSSITE0000T   000012+00007DDMMYYhhmmss", "}", "b000F500"};
    EXPECT_EQ(pty_.log(), expected);
    EXPECT_EQ(messages_.questions.size(), 1u);
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_FALSE(window_->waitIndicatorShown());
    EXPECT_FALSE(window_->port().isOpen());

    window_->setText("Text3", "");
    window_->setText("Text10", "");
    click("Command3"); // Read Block
    EXPECT_EQ(text("Text3"), "FIELDOPS");
    EXPECT_EQ(text("Text10"), "07");
    EXPECT_EQ(text("Text11"), "DDMMYY");
    EXPECT_EQ(text("Text17"), "00090");
    EXPECT_EQ(pty_.log().size(), expected.size() + 20);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(EndToEnd, PortTheMachineLacksIsReported)
{
    click("ssOption1_1"); // Com 2
    click("Command3");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, "Attention: cannot open serial port /nonexistent/ttyS1");
    EXPECT_FALSE(window_->waitIndicatorShown());
    EXPECT_TRUE(pty_.log().empty());
}

TEST_F(EndToEnd, ClockRoundTrip)
{
    for (auto [box, value] : {std::pair{"Text13a", "31"}, {"Text1a", "12"}, {"Text2a", "24"}, {"Text14a", "17"},
                              {"Text3a", "59"}, {"Text4a", "30"}})
        window_->setText(box, value);
    click("ssCommand4");
    for (const char* box : {"Text13a", "Text1a", "Text2a", "Text14a", "Text3a", "Text4a"})
        window_->setText(box, "");
    click("ssCommand3");
    EXPECT_EQ(pty_.log()[1], "G241231175930");
    EXPECT_EQ(text("Text2a"), "24");
    EXPECT_EQ(text("Text1a"), "12");
    EXPECT_EQ(text("Text13a"), "31");
    EXPECT_EQ(text("Text14a"), "17");
    EXPECT_TRUE(messages_.shown.empty());
}

class DemoUnit : public EndToEnd {
    void prepareUnit(sim::Unit& unit) override { unit.fillDemo(); }
};

TEST_F(DemoUnit, DownloadWritesTheThreeFilesIntoTheChosenFolder)
{
    QTemporaryDir data;
    window_->state().downloadFolder = data.path().toStdString();
    window_->setEnabled("command3d1", true);
    click("command3d1");
    EXPECT_TRUE(messages_.shown.empty());
    const QStringList files = QDir(data.path()).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 3) << files.join(", ").toStdString();
    EXPECT_TRUE(files.contains("datiram.dat"));
    QFile work(data.filePath("datiram.dat"));
    ASSERT_TRUE(work.open(QIODevice::ReadOnly));
    const QByteArray bytes = work.readAll();
    EXPECT_EQ(bytes.size() % 113, 0);
    EXPECT_GT(bytes.size(), 2 * 113) << "rows of readings arrived";
    EXPECT_TRUE(bytes.startsWith("Profondit\xE0;S1;S2"));
    EXPECT_TRUE(window_->isEnabled("command3d1"));
    EXPECT_EQ(text("Text1"), "");
}
