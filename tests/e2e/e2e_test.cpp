#include "link/block.h"
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
