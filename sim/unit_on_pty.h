#pragma once
#include "sim/pty_server.h"
#include "sim/unit.h"

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tarvelon::sim {

// A simulated unit served on a pseudo-terminal from a thread of its own, so a program in the
// same process reaches it through its real serial port. Set the unit up before start().
class UnitOnPty {
public:
    UnitOnPty() = default;
    ~UnitOnPty() { stop(); }

    bool start();
    void stop();
    // Stops serving and closes the unit's end of the line.
    void hangUp()
    {
        stop();
        server_.close();
    }
    const std::string& path() const { return server_.slavePath(); }
    // Every wake and command line the unit received so far.
    std::vector<std::string> log() const;

    Unit unit;

private:
    PtyServer server_{unit};
    std::thread thread_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> log_;
};

} // namespace tarvelon::sim
