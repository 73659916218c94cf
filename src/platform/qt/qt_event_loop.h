#pragma once
#include "platform/event_loop.h"

#include <QObject>
#include <QTimer>

#include <functional>

namespace tarvelon {

// The event loop of the running Qt application, as the operations' wait loops see it.
class QtEventLoop : public EventLoop {
public:
    void yield() override;
    void yieldUntilEvent() override;
    void waitAtMost(long long microseconds) override;

    // From now on every yield throws ProgramClosing, once its pass is done, so that an
    // operation in the middle of a wait unwinds when the window has been closed.
    void requestClose() { closing_ = true; }
    bool closeRequested() const { return closing_; }

    // Called before each yield lets events through.
    std::function<void()> beforeYield;

private:
    void throwIfClosing() const;

    bool closing_ = false;
};

// Timer1: a 100 ms QTimer that calls a function on each tick.
class QtTimer : public QObject, public Timer {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 100;

    explicit QtTimer(std::function<void()> onTick, QObject* parent = nullptr);

    void enable() override;
    void disable() override;
    bool isEnabled() const override;

    const QTimer& qtimer() const { return timer_; }

private:
    QTimer timer_;
    std::function<void()> onTick_;
};

} // namespace tarvelon
