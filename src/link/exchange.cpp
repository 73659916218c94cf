#include "link/exchange.h"

#include "link/commands.h"

namespace tarvelon {

bool Exchange::begin()
{
    c_.form.showWaitIndicator(true);
    c_.loop.yield();
    return openPort();
}

bool Exchange::openPort()
{
    c_.port.selectPort(c_.state.portNumber);
    if (c_.port.open())
        return true;
    const std::string reason = c_.port.openFailure();
    c_.messages.show(reason.empty() ? fillIn(translate("Texts", "Attention: cannot open serial port %1"), {c_.port.portName()})
                                    : fillIn(translate("Texts", "Attention: cannot open serial port %1: %2"),
                                             {c_.port.portName(), reason}),
                     Icon::Error);
    c_.form.showWaitIndicator(false);
    c_.loop.yield();
    return false;
}

void Exchange::startWait()
{
    c_.state.tick = 0;
    c_.timer1.enable();
    c_.loop.yield();
}

int Exchange::ticksSince(int mark) const
{
    // The counter wraps from 5000 to 0.
    const int span = ProgramState::kTickWrap + 1;
    return ((c_.state.tick - mark) % span + span) % span;
}

Wake Exchange::handshake(Limit limit)
{
    // Whatever is waiting came before the wake (a stray character after the last reply, the
    // tail of a broken one), so it cannot be its answer.
    c_.port.readAll();
    send(cmd::kWake);
    int passStart = 0;
    startWait();
    std::string heard;
    // A character that reached the line before the unit's answer is not part of it; anything
    // after the "!" is.
    const auto answer = [&heard]() -> std::optional<Wake> {
        const size_t ready = heard.find(cmd::kReady);
        if (ready == std::string::npos)
            return std::nullopt;
        return std::string_view(heard).substr(ready) == cmd::kReady ? Wake::Ready : Wake::Refused;
    };
    for (;;) {
        if (lost() || (heard.empty() && abandoned(c_.state.tick)))
            return Wake::NoReply;
        // A pass that took several ticks was held up (a modal box of another window ran its
        // own event loop): what arrived meanwhile may have come in time, so it is read before
        // the clock is looked at.
        if (ticksSince(passStart) > 1 && c_.port.waitingCount() > 0) {
            heard += c_.port.readAll();
            if (const auto wake = answer())
                return *wake;
        }
        // Noise with no "!" after it gets the reply time to be followed by one, then counts
        // as a refusal; characters arriving in the pass that passed the limit count as none.
        if (c_.state.tick > kReplyTicks && (limit == Limit::ReplyTime || !heard.empty())) {
            if (!heard.empty())
                return Wake::Refused;
            notConnected();
            return Wake::NoReply;
        }
        if (heard.empty() && c_.state.tick >= kSilenceTicks) {
            notConnected();
            return Wake::NoReply;
        }
        if (c_.port.waitingCount() > 0) {
            heard += c_.port.readAll();
            if (const auto wake = answer())
                return *wake;
            continue;
        }
        passStart = c_.state.tick;
        c_.loop.yieldUntilEvent();
    }
}

void Exchange::send(std::string_view line)
{
    c_.port.write(line);
}

std::optional<std::string> Exchange::countWait(int n)
{
    startWait();
    int seen = c_.port.waitingCount();
    int lastArrival = c_.state.tick;
    while (seen < n) {
        if (lost() || abandoned(ticksSince(lastArrival)))
            return std::nullopt;
        if (ticksSince(lastArrival) >= kSilenceTicks) {
            notConnected();
            return std::nullopt;
        }
        // Once the reply has begun, all but the last of the characters still missing cannot
        // cross the line any sooner (the first may be under way); the last is seen the moment
        // it comes.
        if (seen > 0 && n - seen > 1)
            c_.loop.waitAtMost(static_cast<long long>(n - seen - 1) * kCharacterMicroseconds);
        else
            c_.loop.yieldUntilEvent();
        const int now = c_.port.waitingCount();
        if (now != seen) {
            seen = now;
            lastArrival = c_.state.tick;
        }
    }
    return c_.port.readAll();
}

void Exchange::settleWait(int n)
{
    startWait();
    while (c_.state.tick < n && !c_.port.disconnected() && !c_.form.stopRequested())
        c_.loop.yieldUntilEvent();
}

bool Exchange::stopped()
{
    if (!c_.form.stopRequested())
        return false;
    end();
    return true;
}

bool Exchange::abandoned(int silentTicks)
{
    if (silentTicks < kStopSilenceTicks || !c_.form.stopRequested())
        return false;
    end();
    return true;
}

bool Exchange::lost()
{
    if (!c_.port.disconnected())
        return false;
    end();
    return true;
}

void Exchange::end()
{
    if (c_.port.disconnected())
        c_.messages.show(fillIn(translate("Texts", "Attention: serial port %1 was disconnected"), {c_.port.portName()}),
                         Icon::Error);
    c_.port.close();
    c_.form.showWaitIndicator(false);
    c_.loop.yield();
}

void Exchange::notConnected()
{
    c_.messages.show(translate("Texts", kNotConnected.data()), Icon::Error);
    end();
}

} // namespace tarvelon
