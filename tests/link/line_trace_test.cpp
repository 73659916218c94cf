#include <gtest/gtest.h>

#include "platform/line_trace.h"

#include <string>
#include <utility>
#include <vector>

namespace tarvelon {
namespace {

using Kind = TraceEntry::Kind;

TEST(LineTrace, BytesComeBackAsTheyWentWhateverTheyAre)
{
    std::string every;
    for (int c = 0; c < 256; ++c)
        every.push_back(static_cast<char>(c));
    const struct {
        std::string bytes;
        std::string quoted;
    } cases[] = {
        {"}", "\"}\""},
        {"a0001\r", "\"a0001\\r\""},
        {"  0.5 -12\r\n", "\"  0.5 -12\\r\\n\""},
        {"\"\\\t", "\"\\\"\\\\\\t\""},
        {std::string("\0\x7F\xE9", 3), "\"\\x00\\x7F\\xE9\""},
        {"", "\"\""},
        {every, ""},
    };
    for (const auto& c : cases) {
        const std::string quoted = quoteLineBytes(c.bytes);
        if (!c.quoted.empty()) {
            EXPECT_EQ(quoted, c.quoted);
        }
        // Only printable ASCII, so a mail program changes nothing.
        for (char q : quoted)
            EXPECT_TRUE(q >= 0x20 && q < 0x7F) << quoted;
        const std::string text = std::string(kTraceFirstLine) + "\n1.5 < " + quoted + "\n";
        const auto entries = parseLineTrace(text);
        ASSERT_TRUE(entries) << quoted;
        ASSERT_EQ(entries->size(), 1u);
        EXPECT_EQ(entries->front().bytes, c.bytes) << quoted;
    }
}

// A port of a test's own: what the program would send and receive.
class ScriptedPort : public SerialPort {
public:
    void selectPort(int) override {}
    bool open() override { return open_ = !refuse; }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    bool write(std::string_view) override { return open_; }
    int waitingCount() override { return static_cast<int>(incoming.size()); }
    std::string readAll() override { return std::exchange(incoming, {}); }
    std::string portName() const override { return "/dev/ttyUSB0"; }
    std::string openFailure() const override { return "no such port"; }
    bool disconnected() const override { return gone; }
    std::string incoming;
    bool refuse = false, gone = false;

private:
    bool open_ = false;
};

TEST(LineTrace, RecordsWhatCrossedTheLineInOrderWithItsTimeAndReadsBackTheSame)
{
    ScriptedPort line;
    TracedPort port(line);
    double now = 0;
    std::string text;
    LineTrace trace([&now] { return now; }, [&text](std::string_view l) { text += l; }, {"recorded by a test"});
    port.write("not recorded: no trace yet, and the port closed");
    port.setTrace(&trace);
    line.refuse = true;
    EXPECT_FALSE(port.open());
    line.refuse = false;
    now = 0.25;
    ASSERT_TRUE(port.open());
    port.write("}");
    now = 0.2571;
    line.incoming = "!";
    EXPECT_EQ(port.waitingCount(), 1);
    EXPECT_EQ(port.readAll(), "!");
    EXPECT_EQ(port.readAll(), ""); // nothing read, nothing recorded
    port.write("a0001\r");
    now = 1.5;
    line.incoming = std::string(100, '7');
    port.readAll();
    line.gone = true;
    EXPECT_TRUE(port.disconnected());
    EXPECT_TRUE(port.disconnected());
    port.close();
    port.setTrace(nullptr);
    port.write("not recorded either");

    EXPECT_EQ(text.substr(0, text.find("0.0000")), std::string(kTraceFirstLine) + "\n# recorded by a test\n");
    std::string error;
    const auto entries = parseLineTrace(text, &error);
    ASSERT_TRUE(entries) << error << "\n" << text;
    const std::vector<TraceEntry> expected = {
        {0, Kind::OpenFailed, "/dev/ttyUSB0", "no such port"},
        {0.25, Kind::Open, "/dev/ttyUSB0", ""},
        {0.25, Kind::Sent, "}", ""},
        {0.2571, Kind::Received, "!", ""},
        {0.2571, Kind::Sent, "a0001\r", ""},
        // A long read is cut into lines an e-mail keeps whole.
        {1.5, Kind::Received, std::string(kTraceBytesPerLine, '7'), ""},
        {1.5, Kind::Received, std::string(100 - kTraceBytesPerLine, '7'), ""},
        {1.5, Kind::Lost, "", ""},
        {1.5, Kind::Close, "", ""},
    };
    EXPECT_EQ(*entries, expected) << text;
    for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
        EXPECT_LE(end - at, 100u);
}

TEST(LineTrace, ALineThatIsNoEntryIsNamedWithItsNumber)
{
    const std::string head = std::string(kTraceFirstLine) + "\n";
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {"", "empty"},
        {"Hello,\nhere is the file.\n", "line 1 is not"},
        {head + "0.1 > \"}\"\n0.2 says hello\n", "line 3 is not"},
        {head + "0.1 > \"}\n", "line 2 is not"},
        {head + "0.1 > \"\\q\"\n", "line 2 is not"},
        {head + "0.1 > \"\\x4\"\n", "line 2 is not"},
        {head + "0.1 > \"}\" more\n", "line 2 is not"},
        {head + "0.5 > \"}\"\n0.4 < \"!\"\n", "line 3 is not an entry of a line trace (its time goes back)"},
        {head + "-1 close\n", "line 2 is not"},
        {head + "x close\n", "line 2 is not"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(parseLineTrace(c.text, &error)) << c.text;
        EXPECT_NE(error.find(c.error), std::string::npos) << c.text << " -> " << error;
    }
    // What a mail program may do to it: carriage returns, indented or blank lines, remarks.
    std::string error;
    const auto mailed = parseLineTrace(head + "# from the site\r\n\r\n  0.1 > \"}\"  \r\n0.2 close\r\n", &error);
    ASSERT_TRUE(mailed) << error;
    EXPECT_EQ(mailed->size(), 2u);
}

} // namespace
} // namespace tarvelon
