#pragma once
#include "platform/line_trace.h"
#include "sim/unit.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvelon::sim {

// A unit that answers as a traced one did: each time the program sends what the trace says it
// sent next, the bytes the trace then received go back, each after the pause it came after.
// What the program sends that the trace does not have next is looked for further on (a step
// the program skipped); when it is nowhere, nothing answers it, as a unit that fell silent.
class ReplayedUnit : public LineParty {
public:
    explicit ReplayedUnit(std::vector<TraceEntry> entries);

    std::vector<Burst> receive(std::string_view bytes) override;
    const std::vector<std::string>& log() const override { return log_; }

    // Sent entries not yet heard from the program.
    size_t sendsLeft() const;
    // What the program sent that the trace did not have, one line each.
    const std::vector<std::string>& mismatches() const { return mismatches_; }

private:
    std::vector<Burst> answersTo(size_t sent);
    size_t findSent(size_t from, std::string_view heard, bool* partial) const;

    std::vector<TraceEntry> entries_;
    size_t next_ = 0; // the entry the program's next bytes should be
    std::string heard_;
    std::vector<std::string> log_;
    std::vector<std::string> mismatches_;
};

} // namespace tarvelon::sim
