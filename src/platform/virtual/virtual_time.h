#pragma once
#include "platform/event_loop.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace tarvelon::virt {

// Time in microseconds on a clock that only moves when the event loop says so, so every
// wait of an operation runs in no real time and identically on every run.
class Clock {
public:
    int64_t now() const { return now_; }
    void advanceTo(int64_t t)
    {
        if (t > now_)
            now_ = t;
    }

private:
    int64_t now_ = 0;
};

// Something that happens at a moment of virtual time: a timer tick, a character arriving.
class Source {
public:
    virtual ~Source() = default;
    virtual std::optional<int64_t> nextEvent() const = 0;
    // Delivers everything due at or before `now`.
    virtual void fire(int64_t now) = 0;
};

// One character at 9600 baud, ten bits.
inline constexpr int64_t kCharTime = 1042;

class Loop : public EventLoop {
public:
    explicit Loop(Clock& clock) : clock_(clock) {}
    void addSource(Source* s) { sources_.push_back(s); }

    void yield() override;
    // Moves the clock to the next event and delivers it; throws when nothing can ever happen
    // or virtual time passes `limit`, so a test with a hanging wait fails instead of hanging.
    void yieldUntilEvent() override;

    // Called at the end of every yield: tests act here as a user would during a wait.
    std::function<void()> onYield;
    // Ends the running operation at this virtual time, as closing the window would.
    std::optional<int64_t> closeAt;
    int64_t limit = int64_t(3600) * 1000 * 1000;
    long passes = 0;

private:
    void deliver();
    Clock& clock_;
    std::vector<Source*> sources_;
};

// Timer1 on the virtual clock: ticks every 100 ms while enabled.
class VirtualTimer : public Timer, public Source {
public:
    VirtualTimer(Clock& clock, std::function<void()> onTick) : clock_(clock), onTick_(std::move(onTick)) {}
    static constexpr int64_t kPeriod = 100000;

    void enable() override;
    void disable() override { next_.reset(); }
    bool isEnabled() const override { return next_.has_value(); }
    std::optional<int64_t> nextEvent() const override { return next_; }
    void fire(int64_t now) override;

private:
    Clock& clock_;
    std::function<void()> onTick_;
    std::optional<int64_t> next_;
};

} // namespace tarvelon::virt
