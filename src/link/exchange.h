#pragma once
#include "link/context.h"
#include "platform/translate.h"

#include <optional>
#include <string>
#include <string_view>

namespace tarvelon {

inline constexpr std::string_view kNotConnected = QT_TRANSLATE_NOOP("Texts", "Attention: TARVELON not connected");
inline constexpr std::string_view kCannotOpenPort = "Attention: cannot open serial port ";
inline constexpr std::string_view kPortLostBefore = "Attention: serial port ";
inline constexpr std::string_view kPortLostAfter = " was disconnected";

// What a wake brought back.
enum class Wake {
    Ready,   // "!" and nothing after it; stray characters before it are dropped
    Refused, // anything else: the caller skips its command
    NoReply, // the unit is silent or its port went away: already reported, port closed,
             // wait indicator hidden
};

enum class Limit {
    ReplyTime, // the first wake of an operation: more than 5 ticks is no reply
    Silence,   // later wakes of a read: no reply once nothing has arrived for 5 s
};

// The building blocks every exchange with the unit is made of. All waits run on the tick
// counter that Timer1 advances, and yield to the event loop on every pass.
class Exchange {
public:
    explicit Exchange(Context& ctx) : c_(ctx) {}

    // One character at 9600 baud, ten bits.
    static constexpr int kCharacterMicroseconds = 1042;
    static constexpr int kReplyTicks = 5;    // a reply wait ends when the counter passes this
    static constexpr int kSilenceTicks = 50; // 5 s without a new character ends any wait
    // Once the operator has asked to stop, a unit silent this long is not waited for.
    static constexpr int kStopSilenceTicks = 2;

    // Shows the wait indicator, yields so it is painted, and opens the port.
    bool begin();
    // Selects the port by the port number and opens it. A port that cannot be opened is
    // reported with the reason, the wait indicator hidden, and false returned: the operation
    // ends.
    bool openPort();
    // Drops what is waiting, sends the wake character and waits for the unit's answer.
    Wake handshake(Limit limit);
    // Writes one command line; a failed write is skipped like any failed step.
    void send(std::string_view line);
    // Waits until at least n characters are waiting and reads them all. Nothing when the
    // unit fell silent for 5 s or the port went away: already reported, port closed, wait
    // indicator hidden.
    std::optional<std::string> countWait(int n);
    // Waits until the tick counter reaches n, the port went away or the operator asked to
    // stop (nothing follows a stopped operation's last command); nothing is read.
    void settleWait(int n);
    // The operator asked to stop: the port is closed and the wait indicator hidden, and the
    // caller ends as after a silent unit, then says what was done.
    bool stopped();
    // Closes the port, hides the wait indicator and yields; a port that went away during
    // the exchange is reported first, whichever step noticed it.
    void end();
    // The unit did not answer: the message, then the port closed and the indicator hidden.
    void notConnected();

private:
    // The port went away: reported, port closed, wait indicator hidden.
    bool lost();
    // Stop asked and the unit silent for kStopSilenceTicks: the port closed without a message.
    bool abandoned(int silentTicks);
    void startWait();
    int ticksSince(int mark) const;

    Context& c_;
};

} // namespace tarvelon
