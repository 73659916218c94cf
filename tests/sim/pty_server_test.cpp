#include "sim/pty_server.h"

#include <gtest/gtest.h>

#include <thread>

#include "line_io.h"

namespace tarvelon::sim {
namespace {

using namespace std::chrono_literals;
using namespace testing_line;
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

// A server running on its own thread, with the test's end of the line open.
class PtyServerTest : public testing::Test {
protected:
    void start()
    {
        ASSERT_TRUE(server.open()) << "no pseudo-terminal";
        ASSERT_EQ(server.slavePath().rfind("/dev/pts/", 0), 0u) << server.slavePath();
        line = openRaw(server.slavePath());
        ASSERT_GE(line, 0);
        thread = std::thread([this] { served = server.serve(stop); });
    }
    void TearDown() override
    {
        stop = true;
        if (thread.joinable())
            thread.join();
        if (line >= 0)
            ::close(line);
        EXPECT_TRUE(served);
    }

    Unit unit;
    PtyServer server{unit};
    std::atomic<bool> stop{false};
    std::thread thread;
    bool served = true;
    int line = -1;
};

TEST_F(PtyServerTest, WakeIsAnsweredAfterItsDelay)
{
    unit.faults.wakeDelayMs = 80;
    start();
    const auto sentAt = Clock::now();
    ASSERT_TRUE(writeAll(line, "}"));
    EXPECT_EQ(readFor(line, 1, 2s), "!");
    EXPECT_GE(msSince(sentAt), 75.0);
}

TEST_F(PtyServerTest, LineSplitAcrossWritesIsAnsweredOnce)
{
    unit.setClock("240101120000");
    start();
    ASSERT_TRUE(writeAll(line, "}"));
    EXPECT_EQ(readFor(line, 1, 2s), "!");
    ASSERT_TRUE(writeAll(line, "b000F0"));
    std::this_thread::sleep_for(20ms);
    ASSERT_TRUE(writeAll(line, "33\r}a000"));
    EXPECT_EQ(readFor(line, 1, 2s), "!");
    std::this_thread::sleep_for(20ms);
    ASSERT_TRUE(writeAll(line, "F0\r"));
    EXPECT_EQ(readFor(line, 50, 2s), "33 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 \r\n");
    EXPECT_EQ(readFor(line, 1, 50ms), "") << "nothing more may follow";
}

TEST_F(PtyServerTest, PacedReplyTakesTheLineTimeOfItsCharacters)
{
    unit.faults.replyDelayMs = 0;
    server.setPaced(true);
    start();
    const auto sentAt = Clock::now();
    ASSERT_TRUE(writeAll(line, "a00000\r"));
    EXPECT_EQ(readFor(line, 50, 2s).size(), 50u);
    EXPECT_GE(msSince(sentAt), 49 * PtyServer::kCharacterMs);
}

TEST_F(PtyServerTest, SplitPartsArriveAfterTheirGaps)
{
    unit.faults.replyDelayMs = 0;
    unit.faults.splitParts = 2;
    unit.faults.splitGapMs = 150;
    start();
    ASSERT_TRUE(writeAll(line, "H\r"));
    EXPECT_EQ(readFor(line, 14, 100ms).size(), 7u) << "the second part came too early";
    EXPECT_EQ(readFor(line, 7, 2s).size(), 7u);
}

TEST_F(PtyServerTest, ClockRunsWhileServing)
{
    unit.setClock("240101120000");
    start();
    std::this_thread::sleep_for(1100ms);
    ASSERT_TRUE(writeAll(line, "H\r"));
    const std::string reply = readFor(line, 14, 2s);
    EXPECT_TRUE(reply == "240101120001\r\n" || reply == "240101120002\r\n") << reply;
}

} // namespace
} // namespace tarvelon::sim
