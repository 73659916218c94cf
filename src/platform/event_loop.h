#pragma once
#include <functional>

namespace tarvelon {

// Thrown out of a yield when the program is ending in the middle of an operation: the
// operation unwinds at once, every file it had open is closed by its owner on the way out.
struct ProgramClosing {};

// The window's event loop as the operations see it.
class EventLoop {
public:
    virtual ~EventLoop() = default;
    // Processes whatever is pending (repaints, clicks) and returns without sleeping.
    virtual void yield() = 0;
    // One pass of a wait loop: sleeps until a timer tick, a received character or user input
    // arrives, processes it and returns. Never spins.
    virtual void yieldUntilEvent() = 0;
    // A wait whose end cannot come sooner than `microseconds` from now (the characters still
    // missing from a reply need that long on the line): may sleep up to that long without
    // waking for each event, then processes everything pending. Never longer.
    virtual void waitAtMost(long long microseconds)
    {
        (void)microseconds;
        yieldUntilEvent();
    }
};

// The main window's periodic timer: 100 ms, disabled at start. Enabling a running timer
// does not restart its period.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void enable() = 0;
    virtual void disable() = 0;
    virtual bool isEnabled() const = 0;
};

} // namespace tarvelon
