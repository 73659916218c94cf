#include "platform/virtual/virtual_time.h"

#include <stdexcept>

namespace tarvelon::virt {

void Loop::deliver()
{
    ++passes;
    for (Source* s : sources_)
        s->fire(clock_.now());
    if (onYield)
        onYield();
    if (closeAt && clock_.now() >= *closeAt)
        throw ProgramClosing{};
}

void Loop::yield()
{
    deliver();
}

void Loop::yieldUntilEvent()
{
    std::optional<int64_t> next;
    for (Source* s : sources_)
        if (auto t = s->nextEvent(); t && (!next || *t < *next))
            next = t;
    if (!next)
        throw std::logic_error("virtual time: a wait with nothing left to happen");
    if (*next > limit)
        throw std::logic_error("virtual time: a wait ran past the test's limit");
    clock_.advanceTo(*next);
    deliver();
}

void VirtualTimer::enable()
{
    if (!next_)
        next_ = clock_.now() + kPeriod;
}

void VirtualTimer::fire(int64_t now)
{
    while (next_ && *next_ <= now) {
        *next_ += kPeriod;
        onTick_();
    }
}

} // namespace tarvelon::virt
