#pragma once
#include <libpq-fe.h>

#include <chrono>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// What every connection to a server is opened with, beside the user's own settings: encryption
// checked unless asked otherwise, keepalives, the server's limits per session, a name others
// see while it holds the writers' lock, and the server's cancel request when the program stops.
namespace tarvelon::sql::pg {

// Keywords and values given before the user's connection, which wins over any of them.
struct ConnectDefaults {
    std::vector<std::string> keys, values;
};
ConnectDefaults connectDefaults(const std::string& connection);

// The SET statements that give a new session its limits.
std::string sessionSettings();
// How long the program itself waits for an answer before it gives the server up: a relay that
// stops passing bytes leaves no other sign.
std::chrono::milliseconds answerLimit();

// "waiting for another program (NAME on HOST) since TIME": who holds the writers' lock that
// `waiting` waits for, asked through `other`; the time the wait began when the holder's is hidden.
std::string lockWaitText(PGconn* waiting, PGconn* other, std::time_t waitBegan);

// The server's "canceling statement due to lock timeout" in words: who held the library, since
// when (from lockWaitText's `waitText`, when the wait lasted long enough to ask).
std::string lockTimeoutText(const std::string& waitText);

// '?' placeholders become $1, $2...; a '?' inside quotes is left alone. `count` says how many.
std::string numbered(std::string_view sql, int& count);

// Said once a run for each connection that travels in plain text (a Unix socket excepted).
void sayIfNotEncrypted(PGconn* conn, const std::string& connection);

// The answer to what was just sent on `conn`: the first failure, or the last result. Waited for
// in steps, so a stop asked by the user, or a server that stops answering (a stalled relay
// passes nothing, not even an error), ends the wait: nullptr then, with why in `failure`.
// `afterASecond` hears once when the answer has taken a second.
PGresult* awaitResult(PGconn* conn, const std::function<void()>& afterASecond, std::string& failure);

// Set by cancelRunningStatements(): a statement waited for is then cancelled, and given up
// 1.5 s later if the server has not answered.
bool stopAsked();

} // namespace tarvelon::sql::pg
