#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelon::sim {

// How the simulated unit misbehaves; the defaults make a healthy unit.
struct Faults {
    bool silent = false;            // answers nothing at all
    int answerWakes = -1;           // answers only the first k wakes, then falls silent (-1: all)
    double wakeDelayMs = 2.0;       // pause before "!" after the wake is received
    double replyDelayMs = 5.0;      // pause before a row or clock reply
    std::string wakeExtra;          // characters sent right after "!" (in the same burst)
    std::set<int> refusedWakes;     // 1-based wake numbers answered "!x" instead of "!"
    int cutReplyAt = -1;            // row and clock replies stop after this many characters
    int splitParts = 1;             // row and clock replies sent in this many parts
    double splitGapMs = 0.0;        // pause between the parts
    std::string noiseAfterReply;    // sent unasked after every row or clock reply
    int noiseInReplyAt = -1;        // "~" put into every row and clock reply before this character
};

// One burst of characters the unit sends: after a pause of `delayMs`, counted from the end of
// what came before (the last character received, or the previous burst).
struct Burst {
    double delayMs = 0.0;
    std::string bytes;
};

// What answers on the simulator's end of the line: the unit itself, or a recorded unit
// replayed.
class LineParty {
public:
    virtual ~LineParty() = default;
    // Characters received from the line; returns what goes back in answer.
    virtual std::vector<Burst> receive(std::string_view bytes) = 0;
    // Real time passed while serving, in seconds.
    virtual void advanceClock(double) {}
    // Every wake and command line heard, in order, for the simulator's log.
    virtual const std::vector<std::string>& log() const = 0;
};

// The TARVELON readout unit: 30 blocks of 4096 bytes, the setting cells in block 1's area,
// a clock, and the interpreter of "}", "a", "b", "C", "D", "G", "H".
class Unit : public LineParty {
public:
    static constexpr int kBlocks = 30;
    static constexpr int kBlockSize = 4096;
    static constexpr int kMemorySize = kBlocks * kBlockSize;

    Unit();

    // Characters received from the line; returns what the unit sends back in answer.
    std::vector<Burst> receive(std::string_view bytes) override;

    // Every wake ("}") and every command line (without its carriage return), in order.
    const std::vector<std::string>& log() const override { return log_; }
    void clearLog() { log_.clear(); }
    // Command lines only, without the wakes.
    std::vector<std::string> commands() const;

    std::array<uint8_t, kMemorySize>& memory() { return memory_; }
    const std::array<uint8_t, kMemorySize>& memory() const { return memory_; }
    // The ten header fields of block n (1-based) as written by "C", 44 characters.
    std::string headerText(int block) const;

    // Memory image: the 30 block areas, 122880 bytes.
    bool loadImage(const std::string& path);
    bool saveImage(const std::string& path) const;
    // Plausible headers and readings in every block, so every button does something real.
    void fillDemo();

    // The clock as YYMMDDhhmmss. Set by "G"; advanced by the caller's seconds.
    std::string clockText() const;
    void setClock(std::string_view yymmddhhmmss);
    void advanceClock(double seconds) override;

    Faults faults;

private:
    void fillDemoHistory();
    std::vector<Burst> command(const std::string& line);
    std::vector<Burst> reply(std::string text, double delayMs);

    std::array<uint8_t, kMemorySize> memory_{};
    std::vector<std::string> log_;
    std::string pending_;
    int wakes_ = 0;
    long long clockSeconds_ = 0; // seconds since 2000-01-01 00:00:00
    double clockFraction_ = 0.0;
};

} // namespace tarvelon::sim
