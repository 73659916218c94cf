#pragma once
#include "platform/serial_port.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A record of what crossed the serial line, one text line per exchange, so a customer can send
// what their unit said and the simulator can say it again:
//
//   # Tarvelon line trace 1
//   0.0000 open "/dev/ttyUSB0"
//   0.0012 > "}"
//   0.0071 < "!"
//   0.0073 > "a0001\r"
//   0.0652 < "  0.5  1234 -567\r\n"
//   0.0700 close
//
// A line is the time in seconds since the trace began, then what happened: `open` with the
// port's name (or `open-failed` with the name and the reason), `>` bytes the program sent, `<`
// bytes it received, `lost` (the device went away) and `close`. Bytes stand in double quotes,
// printable ASCII as it is and the rest as \r, \n, \t, \\, \" or \xHH; a long read is cut into
// lines of at most kTraceBytesPerLine bytes with the same time. Lines starting with "#" are
// remarks.
namespace tarvelon {

inline constexpr std::string_view kTraceFirstLine = "# Tarvelon line trace 1";
inline constexpr size_t kTraceBytesPerLine = 64;

// The bytes in double quotes, escaped as above.
std::string quoteLineBytes(std::string_view bytes);

struct TraceEntry {
    enum class Kind { Open, OpenFailed, Sent, Received, Lost, Close };
    double seconds = 0;
    Kind kind = Kind::Sent;
    std::string bytes; // the bytes sent or received, or the port's name
    std::string note;  // why an open failed
    bool operator==(const TraceEntry&) const = default;
};

// The entries of a trace; nothing, with the line and what is wrong in `error`, when a line is
// not one of the above.
std::optional<std::vector<TraceEntry>> parseLineTrace(std::string_view text, std::string* error = nullptr);

// Writes the trace's lines. `seconds` gives the time since the trace began; `write` takes each
// line with its newline, and should put it on the disk at once so a trace survives a crash.
class LineTrace {
public:
    using Seconds = std::function<double()>;
    using Write = std::function<void(std::string_view)>;
    // `remarks` become "#" lines after the first (the program and when the trace began).
    LineTrace(Seconds seconds, Write write, const std::vector<std::string>& remarks = {});

    void opened(std::string_view port);
    void openFailed(std::string_view port, std::string_view why);
    void sent(std::string_view bytes);
    void received(std::string_view bytes);
    void lost();
    void closed();

private:
    void line(std::string_view what);
    Seconds seconds_;
    Write write_;
};

// A serial port that records everything its own port sends and receives, and its openings and
// closings, in a LineTrace while one is set; without one it only passes the calls on.
class TracedPort : public SerialPort {
public:
    explicit TracedPort(SerialPort& port) : port_(port) {}
    // Null ends the recording.
    void setTrace(LineTrace* trace) { trace_ = trace; }
    LineTrace* trace() const { return trace_; }

    void selectPort(int number) override { port_.selectPort(number); }
    bool open() override;
    void close() override;
    bool isOpen() const override { return port_.isOpen(); }
    bool write(std::string_view bytes) override;
    int waitingCount() override;
    std::string readAll() override;
    std::string portName() const override { return port_.portName(); }
    std::string openFailure() const override { return port_.openFailure(); }
    bool disconnected() const override;

private:
    void noteLost() const;
    SerialPort& port_;
    LineTrace* trace_ = nullptr;
    mutable bool lostNoted_ = false;
};

} // namespace tarvelon
