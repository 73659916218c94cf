#include "sim/replay.h"

#include <algorithm>

namespace tarvelon::sim {

namespace {

using Kind = TraceEntry::Kind;

} // namespace

ReplayedUnit::ReplayedUnit(std::vector<TraceEntry> entries) : entries_(std::move(entries)) {}

size_t ReplayedUnit::sendsLeft() const
{
    return static_cast<size_t>(std::count_if(entries_.begin() + static_cast<std::ptrdiff_t>(next_), entries_.end(),
                                             [](const TraceEntry& e) { return e.kind == Kind::Sent; }));
}

size_t ReplayedUnit::findSent(size_t from, std::string_view heard, bool* partial) const
{
    *partial = false;
    for (size_t i = from; i < entries_.size(); ++i) {
        if (entries_[i].kind != Kind::Sent)
            continue;
        const std::string& sent = entries_[i].bytes;
        if (heard.substr(0, sent.size()) == sent)
            return i;
        // The rest of the program's write is still on its way.
        if (std::string_view(sent).substr(0, heard.size()) == heard) {
            *partial = true;
            return i;
        }
    }
    return entries_.size();
}

std::vector<Burst> ReplayedUnit::answersTo(size_t sent)
{
    // What the trace received after this send, up to its next send or the port's closing, each
    // after the pause that came before it.
    std::vector<Burst> bursts;
    double last = entries_[sent].seconds;
    size_t i = sent + 1;
    for (; i < entries_.size() && entries_[i].kind != Kind::Sent && entries_[i].kind != Kind::Close; ++i) {
        if (entries_[i].kind != Kind::Received)
            continue;
        bursts.push_back({(entries_[i].seconds - last) * 1000.0, entries_[i].bytes});
        last = entries_[i].seconds;
    }
    next_ = i;
    return bursts;
}

std::vector<Burst> ReplayedUnit::receive(std::string_view bytes)
{
    heard_ += bytes;
    std::vector<Burst> out;
    while (!heard_.empty()) {
        bool partial = false;
        const size_t at = findSent(next_, heard_, &partial);
        if (at == entries_.size()) {
            mismatches_.push_back(quoteLineBytes(heard_));
            log_.push_back("not in the trace: " + quoteLineBytes(heard_));
            heard_.clear();
            break;
        }
        if (partial)
            break;
        // Sends of the trace the program did not make (openings, closings and what the
        // trace received in between are no sends).
        for (size_t i = next_; i < at; ++i)
            if (entries_[i].kind == Kind::Sent)
                mismatches_.push_back("the program did not send " + quoteLineBytes(entries_[i].bytes));
        const std::string sent = entries_[at].bytes;
        heard_.erase(0, sent.size());
        log_.push_back(sent.size() > 0 && sent.back() == '\r' ? sent.substr(0, sent.size() - 1) : sent);
        std::vector<Burst> answers = answersTo(at);
        out.insert(out.end(), answers.begin(), answers.end());
    }
    return out;
}

} // namespace tarvelon::sim
