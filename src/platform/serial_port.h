#pragma once
#include <string>
#include <string_view>

namespace tarvelon {

// The port number of "Other:", the port the operator names rather than numbers.
inline constexpr int kOtherPort = 5;

// The one RS-232 line to the unit. Every call reports failure instead of throwing, so an
// operation can skip a failed step and go on with the next one.
class SerialPort {
public:
    virtual ~SerialPort() = default;
    // Chooses the port to open next (1 to 4, or kOtherPort); ignored while the port is open.
    virtual void selectPort(int number) = 0;
    // Opens the selected port at 9600 8N1 without flow control. A port that is already open
    // stays open and counts as opened.
    virtual bool open() = 0;
    // Closes the port; characters still waiting are discarded.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual bool write(std::string_view bytes) = 0;
    // Received characters not yet read; 0 when the port is closed or failed.
    virtual int waitingCount() = 0;
    // Returns and removes every waiting character.
    virtual std::string readAll() = 0;
    // The platform's name of the selected port ("COM1", "/dev/ttyS0"), as a message shows it.
    virtual std::string portName() const = 0;
    // Why the last open() failed, in plain words; empty when the line cannot tell.
    virtual std::string openFailure() const { return {}; }
    // The device went away while the port was open (a USB adapter pulled out); the port is
    // then closed. Stays true until the next open() or close().
    virtual bool disconnected() const { return false; }
};

} // namespace tarvelon
