#include "link/block.h"
#include "platform/line_trace.h"
#include "window_fixture.h"

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

using EndToEnd = WindowOnPty;

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
    EXPECT_EQ(messages_.shown[0].text, "Attention: cannot open serial port /nonexistent/ttyS1: no such port");
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

// "Record the line to a file": off at every start; --trace checks it and records what the
// operations say to the unit, and only while it is checked.
TEST_F(EndToEnd, RecordsTheLineOnlyWhileAskedAndOnlyTheLine)
{
    auto* box = window_->findChild<QAbstractButton*>(QStringLiteral("chkTraceLine"));
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isChecked());

    const QString trace = dir_.filePath(QStringLiteral("line.txt"));
    MainWindow::Options opts = options();
    opts.traceFile = trace;
    restart(opts);
    box = window_->findChild<QAbstractButton*>(QStringLiteral("chkTraceLine"));
    EXPECT_TRUE(box->isChecked());
    click("ssCommand3");
    QTest::mouseClick(box, Qt::LeftButton); // cleared: the recording ends
    EXPECT_FALSE(box->isChecked());
    const QByteArray recorded = fileBytes(trace);
    click("ssCommand3");
    EXPECT_EQ(fileBytes(trace), recorded) << "recorded after the box was cleared";

    std::string error;
    const auto entries = parseLineTrace(recorded.toStdString(), &error);
    ASSERT_TRUE(entries) << error << "\n" << recorded.toStdString();
    std::vector<std::string> sent;
    bool heard = false;
    for (const TraceEntry& e : *entries) {
        if (e.kind == TraceEntry::Kind::Sent)
            sent.push_back(e.bytes);
        heard = heard || e.kind == TraceEntry::Kind::Received;
    }
    EXPECT_EQ(sent, (std::vector<std::string>{"}", "H\r"})) << recorded.toStdString();
    EXPECT_TRUE(heard);
    EXPECT_EQ(entries->front().kind, TraceEntry::Kind::Open);
    EXPECT_EQ(entries->back().kind, TraceEntry::Kind::Close);
    EXPECT_TRUE(messages_.shown.empty());

    // A file that cannot be written is said, and the box stays clear.
    opts.traceFile = dir_.filePath(QStringLiteral("no folder/line.txt"));
    restart(opts);
    EXPECT_FALSE(window_->findChild<QAbstractButton*>(QStringLiteral("chkTraceLine"))->isChecked());
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_NE(messages_.shown.front().text.find("Attention: cannot write the line trace"), std::string::npos);
}
