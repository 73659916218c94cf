#include "platform/cp1252.h"
#include "platform/qt/qt_event_loop.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/qt/qt_text.h"

#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace tarvelon {
namespace {

// ---------------------------------------------------------------------------------------
// Text crossing between the program's bytes and the widgets

struct TextCase {
    const char* what;
    QString shown;
    std::string bytes;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.what; }

class TextConversion : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextConversion, ToTextGivesOneBytePerCharacter)
{
    EXPECT_EQ(toText(GetParam().shown), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Qt, TextConversion,
    ::testing::Values(
        TextCase{"accent", QStringLiteral("Profondit\u00E0;S1;S2"), "Profondit\xE0;S1;S2"},
        TextCase{"degree", QStringLiteral("1\u00B0 Canale"), "1\xB0 Canale"},
        TextCase{"euro in 0x80 row", QStringLiteral("\u20AC5"), "\x80" "5"},
        TextCase{"emoji is one question mark", QString::fromUtf8("a\xF0\x9F\x98\x80" "b"), "a?b"},
        TextCase{"two emoji, two marks", QString::fromUtf8("\xF0\x9F\x98\x80\xF0\x9F\x9A\x80"), "??"},
        TextCase{"outside the code page", QStringLiteral("\u0100\u4E2D"), "??"},
        TextCase{"empty", QString(), ""}),
    [](const auto& info) {
        std::string n;
        for (char c : std::string(info.param.what))
            n += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return n;
    });

TEST(QtText, EveryDefinedByteSurvivesTheRoundTrip)
{
    for (int b = 1; b < 256; ++b) {
        if (fromCp1252(static_cast<unsigned char>(b)) == char32_t(b) && b >= 0x80 && b < 0xA0)
            continue; // one of the five bytes the code page leaves undefined
        const std::string byte(1, static_cast<char>(b));
        const QString shown = fromText(byte);
        EXPECT_EQ(shown.size(), 1) << "byte " << b;
        EXPECT_EQ(toText(shown), byte) << "byte " << b;
    }
}

// ---------------------------------------------------------------------------------------
// Serial port

TEST(QtSerialPortNames, DefaultNamesFollowThePlatform)
{
    for (int n = 1; n <= 4; ++n) {
#ifdef Q_OS_WIN
        EXPECT_EQ(defaultPortName(n), QStringLiteral("COM%1").arg(n));
#else
        EXPECT_EQ(defaultPortName(n), QStringLiteral("/dev/ttyS%1").arg(n - 1));
#endif
    }
    QtSerialPort port;
    port.selectPort(3);
    EXPECT_EQ(port.portName(), toText(defaultPortName(3)));
}

// A pseudo-terminal stands in for the unit's end of the line.
class PtyLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        char name[256] = {};
        ASSERT_EQ(::openpty(&master_, &slave_, name, nullptr, nullptr), 0);
        termios t{};
        ::tcgetattr(slave_, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(slave_, TCSANOW, &t);
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
        slaveName_ = QString::fromLocal8Bit(name);
    }
    void TearDown() override
    {
        ::close(master_);
        ::close(slave_);
    }

    // What the program sent, as the unit reads it.
    std::string unitReads()
    {
        std::string got;
        char buf[256];
        for (int tries = 0; tries < 50; ++tries) {
            const ssize_t n = ::read(master_, buf, sizeof buf);
            if (n > 0) {
                got.append(buf, static_cast<size_t>(n));
                tries = 40; // drain what is left, then stop
            } else {
                QThread::msleep(10);
            }
        }
        return got;
    }
    void unitSends(std::string_view bytes) { ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), ssize_t(bytes.size())); }

    // Yields until n characters are waiting, as a wait of an operation does.
    int waitFor(QtSerialPort& port, int n)
    {
        QtEventLoop loop;
        QElapsedTimer clock;
        clock.start();
        while (port.waitingCount() < n && clock.elapsed() < 3000) {
            loop.yield();
            QThread::msleep(5);
        }
        return port.waitingCount();
    }

    int master_ = -1;
    int slave_ = -1;
    QString slaveName_;
};

TEST_F(PtyLine, OpensTheResolvedPortAndCarriesBytesBothWays)
{
    QList<int> asked;
    QtSerialPort port([&](int n) {
        asked.append(n);
        return slaveName_;
    });
    port.selectPort(2);
    ASSERT_TRUE(port.open());
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(asked.value(0), 2);
    EXPECT_EQ(port.portName(), slaveName_.toStdString());

    ASSERT_TRUE(port.write("}"));
    EXPECT_EQ(unitReads(), "}");
    ASSERT_TRUE(port.write("a00090\r"));
    EXPECT_EQ(unitReads(), "a00090\r");

    unitSends("!");
    ASSERT_EQ(waitFor(port, 1), 1);
    EXPECT_EQ(port.readAll(), "!");
    EXPECT_EQ(port.waitingCount(), 0);

    // Bytes above 0x7F arrive as they are, one character each.
    const std::string high = "\xE0\x80\xFF\x7D";
    unitSends(high);
    ASSERT_EQ(waitFor(port, 4), 4);
    EXPECT_EQ(port.readAll(), high);
}

TEST_F(PtyLine, AnOpenPortStaysOpenAndKeepsItsNumber)
{
    QList<int> asked;
    QtSerialPort port([&](int n) {
        asked.append(n);
        return slaveName_;
    });
    ASSERT_TRUE(port.open());
    port.selectPort(4);
    EXPECT_TRUE(port.open());
    EXPECT_EQ(asked.size(), 1);
    EXPECT_EQ(port.selectedPort(), 1);
}

TEST_F(PtyLine, ClosingDiscardsWaitingCharactersAndStopsWrites)
{
    QtSerialPort port([&](int) { return slaveName_; });
    ASSERT_TRUE(port.open());
    unitSends("!!!");
    ASSERT_EQ(waitFor(port, 3), 3);
    port.close();
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.waitingCount(), 0);
    EXPECT_EQ(port.readAll(), "");
    EXPECT_FALSE(port.write("}"));
}

TEST(QtSerialPortMissing, APortThatIsAbsentDoesNotOpen)
{
    QtSerialPort port([](int) { return QStringLiteral("/nonexistent/ttyTarvelon"); });
    EXPECT_FALSE(port.open());
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.waitingCount(), 0);
    EXPECT_FALSE(port.write("}"));
}

// ---------------------------------------------------------------------------------------
// Event loop and Timer1

TEST(QtEventLoopTest, YieldsThrowOnlyAfterCloseIsRequested)
{
    QtEventLoop loop;
    EXPECT_NO_THROW(loop.yield());
    EXPECT_FALSE(loop.closeRequested());
    loop.requestClose();
    EXPECT_THROW(loop.yield(), ProgramClosing);
    // Something must arrive for the sleeping pass to return at all.
    QTimer::singleShot(10, [] {});
    EXPECT_THROW(loop.yieldUntilEvent(), ProgramClosing);
}

TEST(QtEventLoopTest, WaitingPassSleepsUntilTheNextTick)
{
    QtEventLoop loop;
    int ticks = 0;
    QtTimer timer([&] { ++ticks; });
    timer.enable();
    QElapsedTimer clock;
    clock.start();
    int passes = 0;
    while (ticks < 3 && clock.elapsed() < 5000) {
        loop.yieldUntilEvent();
        ++passes;
    }
    timer.disable();
    EXPECT_EQ(ticks, 3);
    EXPECT_GE(clock.elapsed(), 250);
    // A spinning pass would loop thousands of times in 300 ms.
    EXPECT_LT(passes, 40);
}

TEST(QtTimerTest, IsA100MsTimerThatTicksOnlyWhileEnabled)
{
    int ticks = 0;
    QtTimer timer([&] { ++ticks; });
    EXPECT_EQ(timer.qtimer().interval(), 100);
    EXPECT_EQ(timer.qtimer().objectName(), QStringLiteral("Timer1"));
    EXPECT_FALSE(timer.isEnabled());
    timer.enable();
    EXPECT_TRUE(timer.isEnabled());
    timer.disable();
    EXPECT_FALSE(timer.isEnabled());
    QThread::msleep(150);
    QtEventLoop().yield();
    EXPECT_EQ(ticks, 0);
}

TEST(QtTimerTest, EnablingARunningTimerKeepsItsPeriod)
{
    QtTimer timer([] {});
    timer.enable();
    QThread::msleep(60);
    timer.enable();
    // A restart would put the next tick a full 100 ms away again.
    EXPECT_LE(timer.qtimer().remainingTime(), 45);
    timer.disable();
}

} // namespace
} // namespace tarvelon
