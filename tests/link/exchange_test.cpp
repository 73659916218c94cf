#include "link/commands.h"
#include "link/exchange.h"
#include "support/harness.h"

#include <gtest/gtest.h>

using namespace tarvelon;
using namespace tarvelon::test;

namespace {

// The unit's wake answer arrives `ms` after the wake was sent: the wake and the "!" each
// take one character time on the line.
double wakeDelayFor(double ms)
{
    return ms - 2.0 * virt::kCharTime / 1000.0;
}

struct ExchangeTest : ::testing::Test {
    Harness h;
    Exchange ex{h.ctx};
};

} // namespace

TEST_F(ExchangeTest, WakeAnswerTimeDecidesBetweenReplyAndSilence)
{
    struct Case {
        double answerMs;
        Wake expected;
    };
    for (const Case& c : {Case{10, Wake::Ready}, Case{400, Wake::Ready}, Case{499, Wake::Ready},
                          Case{600, Wake::NoReply}, Case{700, Wake::NoReply}}) {
        Harness h;
        Exchange ex{h.ctx};
        h.unit.faults.wakeDelayMs = wakeDelayFor(c.answerMs);
        ASSERT_TRUE(ex.begin());
        EXPECT_EQ(ex.handshake(Limit::ReplyTime), c.expected) << c.answerMs;
        if (c.expected == Wake::NoReply) {
            ASSERT_EQ(h.messages.shown.size(), 1u);
            EXPECT_EQ(h.messages.shown[0].text, "Attention: TARVELON not connected");
            EXPECT_EQ(h.messages.shown[0].icon, Icon::Error);
            EXPECT_FALSE(h.line.isOpen());
            EXPECT_FALSE(h.form.waitIndicatorShown());
            EXPECT_LE(h.seconds(), 0.61);
        } else {
            EXPECT_TRUE(h.messages.shown.empty());
            EXPECT_TRUE(h.line.isOpen());
            EXPECT_TRUE(h.form.waitIndicatorShown());
        }
    }
}

TEST_F(ExchangeTest, ReplyOnTheSixthTickIsNoReply)
{
    // Timer1 starts with the wait, so its sixth tick falls exactly 0.6 s after the wake.
    h.unit.faults.wakeDelayMs = wakeDelayFor(600);
    ASSERT_TRUE(ex.begin());
    EXPECT_EQ(ex.handshake(Limit::ReplyTime), Wake::NoReply);
    EXPECT_EQ(h.messages.shown.size(), 1u);
}

TEST_F(ExchangeTest, AnythingButExactlyTheReadyCharacterIsRefusedSilently)
{
    for (const char* extra : {"x", "!", "\r\n"}) {
        Harness h;
        Exchange ex{h.ctx};
        h.unit.faults.wakeExtra = extra;
        ASSERT_TRUE(ex.begin());
        EXPECT_EQ(ex.handshake(Limit::ReplyTime), Wake::Refused) << extra;
        EXPECT_TRUE(h.messages.shown.empty());
        EXPECT_EQ(h.line.waitingCount(), 0) << "the whole answer is read";
    }
}

TEST_F(ExchangeTest, CharactersBeforeTheAnswerAreNotTakenForIt)
{
    struct Case {
        const char* noise;     // sent by the unit after the first clock reply
        bool settle;           // the noise arrives before the next wake, or after it
        double wakeDelayMs;
        Limit limit;
        Wake expected;
    };
    const Case cases[] = {
        {"!", true, 2, Limit::ReplyTime, Wake::Ready}, // waiting before the wake: dropped
        {"x!", true, 2, Limit::Silence, Wake::Ready},
        {"x", false, 2, Limit::ReplyTime, Wake::Ready}, // arriving between wake and "!"
        {"x", false, 2, Limit::Silence, Wake::Ready},
        {"x", false, 700, Limit::ReplyTime, Wake::Refused}, // noise and no "!" within the reply time
        {"x", false, 700, Limit::Silence, Wake::Refused},
    };
    for (const Case& c : cases) {
        Harness h;
        Exchange ex{h.ctx};
        h.unit.faults.noiseAfterReply = c.noise;
        ASSERT_TRUE(ex.begin());
        ASSERT_EQ(ex.handshake(Limit::ReplyTime), Wake::Ready);
        ex.send(cmd::kReadClock);
        ASSERT_TRUE(ex.countWait(cmd::kClockReplyLength).has_value());
        h.unit.faults.wakeDelayMs = c.wakeDelayMs;
        if (c.settle)
            ex.settleWait(1);
        EXPECT_EQ(ex.handshake(c.limit), c.expected) << c.noise << " " << c.wakeDelayMs;
        EXPECT_TRUE(h.messages.shown.empty());
        if (c.expected != Wake::Ready)
            continue;
        // The next reply is read whole, with nothing of the noise in front of it.
        h.unit.faults.noiseAfterReply.clear();
        ex.send(cmd::kReadClock);
        EXPECT_EQ(ex.countWait(cmd::kClockReplyLength), h.unit.clockText() + "\r\n") << c.noise;
    }
}

TEST_F(ExchangeTest, ClockReplyInTwoPartsIsReadInOneRead)
{
    h.unit.setClock("241231175930");
    h.unit.faults.splitParts = 2;
    h.unit.faults.splitGapMs = 300;
    ASSERT_TRUE(ex.begin());
    ASSERT_EQ(ex.handshake(Limit::ReplyTime), Wake::Ready);
    ex.send(cmd::kReadClock);
    const auto reply = ex.countWait(cmd::kClockReplyLength);
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->substr(0, 12), "241231175930");
    EXPECT_EQ(reply->size(), 14u);
    EXPECT_EQ(h.line.waitingCount(), 0);
}

TEST_F(ExchangeTest, CountWaitEndsAfterFiveSecondsWithoutANewCharacter)
{
    h.unit.faults.cutReplyAt = 30;
    ASSERT_TRUE(ex.begin());
    ASSERT_EQ(ex.handshake(Limit::ReplyTime), Wake::Ready);
    ex.send(cmd::readRow("00", "0", "00"));
    EXPECT_FALSE(ex.countWait(cmd::kRowReplyLength).has_value());
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, "Attention: TARVELON not connected");
    EXPECT_FALSE(h.line.isOpen());
    EXPECT_FALSE(h.form.waitIndicatorShown());
    EXPECT_GE(h.seconds(), 5.0);
    EXPECT_LT(h.seconds(), 5.3);
}

TEST_F(ExchangeTest, SlowButSteadyReplyIsNotCutByTheSilenceLimit)
{
    // Ten parts with 4 s between them: never 5 s without a new character.
    h.unit.faults.splitParts = 10;
    h.unit.faults.splitGapMs = 4000;
    ASSERT_TRUE(ex.begin());
    ASSERT_EQ(ex.handshake(Limit::ReplyTime), Wake::Ready);
    ex.send(cmd::readRow("00", "0", "00"));
    auto reply = ex.countWait(cmd::kRowReplyLength);
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->size(), 50u);
    EXPECT_GT(h.seconds(), 30.0);
}

TEST_F(ExchangeTest, LaterWakeWaitsForSilenceOfFiveSeconds)
{
    h.unit.faults.answerWakes = 1;
    ASSERT_TRUE(ex.begin());
    ASSERT_EQ(ex.handshake(Limit::ReplyTime), Wake::Ready);
    EXPECT_EQ(ex.handshake(Limit::Silence), Wake::NoReply);
    EXPECT_EQ(h.messages.shown.size(), 1u);
    EXPECT_FALSE(h.line.isOpen());
    EXPECT_NEAR(h.seconds(), 5.0, 0.2);
}

TEST_F(ExchangeTest, LaterWakeAcceptsALateAnswer)
{
    h.unit.faults.wakeDelayMs = 2000;
    ASSERT_TRUE(ex.openPort());
    EXPECT_EQ(ex.handshake(Limit::Silence), Wake::Ready);
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(ExchangeTest, PortThatCannotBeOpenedIsReported)
{
    h.state.portNumber = 4;
    h.line.unavailablePorts = {4};
    EXPECT_FALSE(ex.begin());
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, "Attention: cannot open serial port COM4");
    EXPECT_EQ(h.messages.shown[0].icon, Icon::Error);
    EXPECT_FALSE(h.form.waitIndicatorShown());
    EXPECT_TRUE(h.unit.log().empty());
}

TEST_F(ExchangeTest, SettleWaitLastsItsTicksAndReadsNothing)
{
    for (int ticks : {2, 4}) {
        Harness h;
        Exchange ex{h.ctx};
        ASSERT_TRUE(ex.begin());
        ASSERT_EQ(ex.handshake(Limit::ReplyTime), Wake::Ready);
        ex.send("b000F500\r");
        h.unit.faults.wakeExtra = "";
        const double start = h.seconds();
        ex.settleWait(ticks);
        EXPECT_NEAR(h.seconds() - start, ticks * 0.1, 0.011) << ticks;
        ex.end();
        EXPECT_EQ(h.unit.log(), (std::vector<std::string>{"}", "b000F500"}));
        EXPECT_FALSE(h.line.isOpen());
        EXPECT_FALSE(h.form.waitIndicatorShown());
    }
}

TEST_F(ExchangeTest, WaitsNeverSpin)
{
    // A 5 s silence is 50 ticks: each pass of a wait must sleep until the next event.
    h.unit.faults.silent = true;
    ASSERT_TRUE(ex.begin());
    EXPECT_EQ(ex.handshake(Limit::ReplyTime), Wake::NoReply);
    EXPECT_LT(h.loop.passes, 20);
}

TEST(TickCounter, WrapsFromFiveThousandToZero)
{
    ProgramState s;
    std::vector<int> seen;
    for (int i = 0; i < 5002; ++i) {
        s.onTick();
        seen.push_back(s.tick);
        ASSERT_LE(s.tick, 5000);
    }
    EXPECT_EQ(seen[4999], 5000);
    EXPECT_EQ(seen[5000], 0);
    EXPECT_EQ(seen[5001], 1);
}

TEST(VirtualTimer, EnablingARunningTimerKeepsItsPeriod)
{
    Harness h;
    h.timer1.enable();
    h.clock.advanceTo(50000);
    h.timer1.enable();
    EXPECT_EQ(h.timer1.nextEvent(), 100000);
}

// A modal box of another window held open for 6 s during a wait runs its own event loop: the
// ticks go on and the unit's answer arrives meanwhile. Every wait reads what is waiting before
// it judges the unit silent, while a unit that really is silent still is.
TEST(ExchangeHeldUp, ABoxHeldOpenDuringAWaitDoesNotMakeAnAnsweringUnitSilent)
{
    struct Case {
        const char* name;
        Limit limit;
        bool silent;
        bool boxDuringRow; // the box opens during the row's wait rather than the wake's
        bool answered;
    };
    const Case cases[] = {
        {"first wake", Limit::ReplyTime, false, false, true},
        {"later wake", Limit::Silence, false, false, true},
        {"row reply", Limit::ReplyTime, false, true, true},
        {"silent unit", Limit::ReplyTime, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        Exchange ex{h.ctx};
        h.unit.faults.wakeDelayMs = wakeDelayFor(300);
        h.unit.faults.replyDelayMs = 300;
        h.unit.faults.silent = c.silent;
        size_t boxAfter = c.boxDuringRow ? 2 : 1; // lines the unit has received when the box opens
        h.loop.onYield = [&] {
            if (boxAfter == 0 || h.unit.log().size() < boxAfter)
                return;
            boxAfter = 0;
            const int64_t closes = h.clock.now() + 6'000'000;
            while (h.clock.now() < closes)
                h.loop.yieldUntilEvent();
        };
        ASSERT_TRUE(ex.begin());
        const Wake wake = ex.handshake(c.limit);
        EXPECT_EQ(wake, c.answered ? Wake::Ready : Wake::NoReply);
        if (wake == Wake::Ready) {
            ex.send(cmd::readRow("00", "0", "00"));
            const auto reply = ex.countWait(cmd::kRowReplyLength);
            ASSERT_TRUE(reply.has_value());
            EXPECT_EQ(reply->size(), 50u);
        }
        EXPECT_EQ(h.messages.shown.size(), c.answered ? 0u : 1u);
        EXPECT_EQ(boxAfter, 0u) << "the box was shown";
    }
}
