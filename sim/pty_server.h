#pragma once
#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <string>

#include "sim/unit.h"

namespace tarvelon::sim {

// Serves one Unit (or a replayed one) on a pseudo-terminal: what arrives on the slave side goes to the unit at once,
// and the unit's bursts go back after their pauses.
class PtyServer {
public:
    using Clock = std::chrono::steady_clock;
    // One character time at 9600 baud, 8N1: ten bits.
    static constexpr double kCharacterMs = 10.0 * 1000.0 / 9600.0;

    explicit PtyServer(LineParty& unit);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Creates the pseudo-terminal; on failure returns false and says why in `error`.
    bool open(std::string* error = nullptr);
    const std::string& slavePath() const { return slavePath_; }
    // Closes the simulator's end of the line, as when the adapter is pulled out: the
    // program's end then reads end of file. Not while serve() runs.
    void close();

    // Sends each character at its true line time instead of whole bursts at once.
    void setPaced(bool paced) { paced_ = paced; }
    // Called with every new wake or command line the unit logs.
    void setLogSink(std::function<void(const std::string&)> sink) { logSink_ = std::move(sink); }
    // Stops serving when this descriptor reaches end of file (-1: none).
    void quitOnEof(int fd) { eofFd_ = fd; }

    // Serves until `stop` is set, the watched descriptor ends, or the terminal fails;
    // returns false on a failure. The unit's clock runs with real time meanwhile.
    bool serve(const std::atomic<bool>& stop);

private:
    struct Pending {
        Clock::time_point due;
        std::string bytes;
    };

    bool readFromLine(Clock::time_point now);
    bool writeDue(Clock::time_point now);
    void schedule(const std::vector<Burst>& bursts, Clock::time_point now);

    LineParty& unit_;
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
    bool paced_ = false;
    int eofFd_ = -1;
    std::function<void(const std::string&)> logSink_;
    std::deque<Pending> queue_;
    Clock::time_point lineFreeAt_{};
    Clock::time_point inboundFreeAt_{};
    size_t logged_ = 0;
};

} // namespace tarvelon::sim
