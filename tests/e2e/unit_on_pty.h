#pragma once
#include "sim/pty_server.h"
#include "sim/unit.h"

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tarvelon::test {

// A simulated unit served on a pseudo-terminal from a thread of its own, so the program under
// test reaches it through its real serial port. Set the unit up before start().
class UnitOnPty {
public:
    UnitOnPty() = default;
    ~UnitOnPty() { stop(); }

    bool start();
    void stop();
    const std::string& path() const { return server_.slavePath(); }
    // Every wake and command line the unit received so far.
    std::vector<std::string> log() const;

    sim::Unit unit;

private:
    sim::PtyServer server_{unit};
    std::thread thread_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> log_;
};

} // namespace tarvelon::test
