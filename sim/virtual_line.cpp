#include "sim/virtual_line.h"

#include <algorithm>
#include <cmath>

namespace tarvelon::sim {

void VirtualLine::selectPort(int number)
{
    if (!open_)
        number_ = number;
}

bool VirtualLine::open()
{
    if (open_)
        return true;
    pulledOut_ = false;
    if (unplugged_ || unavailablePorts.count(number_))
        return false;
    open_ = true;
    ++opens;
    received_.clear();
    return true;
}

void VirtualLine::pullOut()
{
    unplug();
    if (open_) {
        pulledOut_ = true;
        pulledOutAt = clock_.now();
    }
    open_ = false;
}

void VirtualLine::close()
{
    pulledOut_ = false;
    if (open_)
        ++closes;
    open_ = false;
    received_.clear();
}

bool VirtualLine::write(std::string_view bytes)
{
    if (!open_ || unplugged_)
        return false;
    const int64_t start = std::max(clock_.now(), lineFreeAt_);
    const int64_t sent = start + virt::kCharTime * static_cast<int64_t>(bytes.size());
    lineFreeAt_ = sent;
    int64_t t = std::max(sent, inFlight_.empty() ? sent : inFlight_.back().first);
    for (const Burst& b : unit_.receive(bytes)) {
        if (b.bytes.empty())
            continue;
        t += static_cast<int64_t>(std::llround(b.delayMs * 1000.0));
        t += virt::kCharTime * static_cast<int64_t>(b.bytes.size());
        inFlight_.emplace_back(t, b.bytes);
    }
    return true;
}

std::string VirtualLine::readAll()
{
    std::string out;
    if (open_)
        out.swap(received_);
    return out;
}

std::optional<int64_t> VirtualLine::nextEvent() const
{
    if (inFlight_.empty())
        return std::nullopt;
    return inFlight_.front().first;
}

void VirtualLine::fire(int64_t now)
{
    while (!inFlight_.empty() && inFlight_.front().first <= now) {
        // Characters that reach a closed port are lost, as on a real line.
        if (open_)
            received_ += inFlight_.front().second;
        inFlight_.pop_front();
    }
}

} // namespace tarvelon::sim
