#pragma once
#include "platform/serial_port.h"
#include "platform/virtual/virtual_time.h"
#include "sim/unit.h"

#include <deque>
#include <optional>
#include <set>
#include <utility>

namespace tarvelon::sim {

// The serial line to a simulated unit on the virtual clock: what the program writes reaches
// the unit after its transmission time, and each burst the unit sends arrives whole when its
// last character has crossed the line (one character every 1.04 ms), as a serial driver
// hands it over.
class VirtualLine : public SerialPort, public virt::Source {
public:
    VirtualLine(virt::Clock& clock, Unit& unit) : clock_(clock), unit_(unit) {}

    void selectPort(int number) override;
    bool open() override;
    void close() override;
    bool isOpen() const override { return open_; }
    bool write(std::string_view bytes) override;
    int waitingCount() override { return open_ ? static_cast<int>(received_.size()) : 0; }
    std::string readAll() override;
    std::string portName() const override { return "COM" + std::to_string(number_); }

    std::optional<int64_t> nextEvent() const override;
    void fire(int64_t now) override;

    // Ports that cannot be opened (absent, or held by another program).
    std::set<int> unavailablePorts;
    // The cable pulled out: from now on the port fails every call and nothing arrives.
    void unplug() { unplugged_ = true; inFlight_.clear(); received_.clear(); }
    // The USB adapter pulled out: as unplug(), and an open port says so and closes itself.
    void pullOut();
    // When an open port was pulled out.
    std::optional<int64_t> pulledOutAt;
    bool disconnected() const override { return pulledOut_; }

    int opens = 0;
    int closes = 0;
    int selectedPort() const { return number_; }

private:
    virt::Clock& clock_;
    Unit& unit_;
    int number_ = 1;
    bool open_ = false;
    bool unplugged_ = false;
    bool pulledOut_ = false;
    int64_t lineFreeAt_ = 0;
    std::deque<std::pair<int64_t, std::string>> inFlight_;
    std::string received_;
};

} // namespace tarvelon::sim
