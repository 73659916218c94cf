#include "platform/qt/qt_event_loop.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <chrono>
#include <thread>

namespace tarvelon {

void QtEventLoop::yield()
{
    if (beforeYield)
        beforeYield();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    throwIfClosing();
}

void QtEventLoop::yieldUntilEvent()
{
    // Sleeps in the system's wait until a tick, a received character or input arrives, so a
    // wait for the unit costs no processor time.
    if (beforeYield)
        beforeYield();
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    throwIfClosing();
}

void QtEventLoop::waitAtMost(long long microseconds)
{
    // A reply arrives a character a millisecond: waking for each costs more processor time
    // than the whole exchange, while sleeping until the last one can be there costs none,
    // and the window answers a click at most that long later.
    if (beforeYield)
        beforeYield();
    std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    throwIfClosing();
}

void QtEventLoop::throwIfClosing() const
{
    if (closing_)
        throw ProgramClosing{};
}

QtTimer::QtTimer(std::function<void()> onTick, QObject* parent)
    : QObject(parent), timer_(this), onTick_(std::move(onTick))
{
    timer_.setObjectName(QStringLiteral("Timer1"));
    timer_.setInterval(kIntervalMs);
    // The reply limits are counted in ticks: keep them close to 100 ms each.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (onTick_)
            onTick_();
    });
}

void QtTimer::enable()
{
    // Restarting a running timer would stretch the tick in progress.
    if (!timer_.isActive())
        timer_.start();
}

void QtTimer::disable()
{
    timer_.stop();
}

bool QtTimer::isEnabled() const
{
    return timer_.isActive();
}

} // namespace tarvelon
