#include "library/postgres_session.h"

#include "library/library_location.h"
#include "library/sql.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

#ifdef _WIN32
#include <winsock2.h>
#else
#include <poll.h>
#include <unistd.h>
#endif

namespace tarvelon::sql {
namespace pg {
namespace {

SessionLimits& limits()
{
    static SessionLimits kept;
    return kept;
}

std::optional<std::string> given(const PQconninfoOption* options, std::string_view key)
{
    for (const PQconninfoOption* o = options; o && o->keyword; ++o)
        if (key == o->keyword && o->val && *o->val)
            return std::string(o->val);
    return std::nullopt;
}

std::optional<std::string> environment(const char* name)
{
    const char* v = std::getenv(name);
    return v && *v ? std::optional<std::string>(v) : std::nullopt;
}

// Where libpq looks for the user's own files: ~/.postgresql, %APPDATA%\postgresql.
std::filesystem::path userFolder()
{
#ifdef _WIN32
    const auto base = environment("APPDATA");
    return base ? std::filesystem::path(*base) / "postgresql" : std::filesystem::path();
#else
    const auto home = environment("HOME");
    return home ? std::filesystem::path(*home) : std::filesystem::path();
#endif
}

std::string trimmed(std::string text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    const size_t last = text.find_last_not_of(" \t\r\n");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// A setting of a service in the user's service file, else the system's, as libpq reads them:
// the first file that names the service is the only one read.
std::optional<std::string> serviceSetting(const std::string& service, const std::string& key)
{
    std::vector<std::filesystem::path> files;
    if (const auto f = environment("PGSERVICEFILE"))
        files.emplace_back(*f);
    else
        files.push_back(userFolder() / ".pg_service.conf");
    files.push_back(environment("PGSYSCONFDIR") ? std::filesystem::path(*environment("PGSYSCONFDIR")) / "pg_service.conf"
                                                 : std::filesystem::path("/etc/postgresql-common/pg_service.conf"));
    for (const auto& file : files) {
        std::ifstream in(file);
        bool inService = false, named = false;
        for (std::string line; std::getline(in, line);) {
            line = trimmed(line);
            if (line.empty() || line[0] == '#')
                continue;
            if (line[0] == '[') {
                inService = line == "[" + service + "]";
                named = named || inService;
                continue;
            }
            const size_t eq = line.find('=');
            if (inService && eq != std::string::npos && trimmed(line.substr(0, eq)) == key)
                return trimmed(line.substr(eq + 1));
        }
        if (named)
            return std::nullopt;
    }
    return std::nullopt;
}

std::string computerName()
{
#ifdef _WIN32
    return environment("COMPUTERNAME").value_or("this computer");
#else
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0 || !*name)
        return "this computer";
    return name;
#endif
}

std::atomic<bool> g_stopAsked{false};

// The server's cancel request, sent from a thread of its own: libpq waits for the server to
// close the request's connection, which a stalled network never does.
void sendCancel(PGconn* conn)
{
    if (PGcancel* cancel = PQgetCancel(conn))
        std::thread([cancel] {
            char error[256];
            PQcancel(cancel, error, sizeof error);
            PQfreeCancel(cancel);
        }).detach();
}

} // namespace

ConnectDefaults connectDefaults(const std::string& connection)
{
    ConnectDefaults d;
    const auto add = [&d](std::string key, std::string value) {
        d.keys.push_back(std::move(key));
        d.values.push_back(std::move(value));
    };
    add("connect_timeout", "10");
    add("client_encoding", "UTF8");
    // Seen by another program that waits for the writers' lock this one holds.
    add("application_name", ("Tarvelon Manager on " + computerName()).substr(0, 63));
    // A laptop that vanishes is noticed by this side within half a minute.
    add("keepalives", "1");
    add("keepalives_idle", "10");
    add("keepalives_interval", "5");
    add("keepalives_count", "3");

    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(connection.c_str(), &error);
    PQfreemem(error);
    if (!options)
        return d; // libpq says what is wrong with it when it connects
    const std::optional<std::string> service = given(options, "service").has_value()
                                                   ? given(options, "service")
                                                   : environment("PGSERVICE");
    const auto setting = [&](const char* key, const char* env) {
        if (auto v = given(options, key))
            return v;
        if (auto v = environment(env))
            return v;
        return service ? serviceSetting(*service, key) : std::nullopt;
    };
    // Encrypted and the server's certificate checked unless the connection says otherwise.
    const std::optional<std::string> mode = setting("sslmode", "PGSSLMODE");
    if (!mode)
        add("sslmode", "verify-full");
    const std::string effective = mode.value_or("verify-full");
    if ((effective == "verify-full" || effective == "verify-ca") && !setting("sslrootcert", "PGSSLROOTCERT")) {
        // The user's own authority where there is one, else the system's.
        std::error_code ec;
        const std::filesystem::path own = userFolder() / (
#ifdef _WIN32
                                                             "root.crt"
#else
                                                             ".postgresql/root.crt"
#endif
                                                         );
        if (!std::filesystem::exists(own, ec)) {
            if (PQlibVersion() >= 160000)
                add("sslrootcert", "system");
            else
                for (const char* bundle : {"/etc/ssl/certs/ca-certificates.crt", "/etc/pki/tls/certs/ca-bundle.crt",
                                           "/etc/ssl/cert.pem"})
                    if (std::filesystem::exists(bundle, ec)) {
                        add("sslrootcert", bundle);
                        break;
                    }
        }
    }
    PQconninfoFree(options);
    return d;
}

std::string sessionSettings()
{
    const SessionLimits& l = limits();
    const auto ms = [](std::chrono::milliseconds v) { return "'" + std::to_string(v.count()) + "ms'"; };
    // The server's side of the keepalives, so it frees the locks of a laptop gone away.
    return "SET idle_in_transaction_session_timeout = " + ms(l.idleInTransaction) +
           "; SET statement_timeout = " + ms(l.statement) +
           "; SET tcp_keepalives_idle = 10; SET tcp_keepalives_interval = 5; SET tcp_keepalives_count = 3";
}

std::chrono::milliseconds answerLimit()
{
    return limits().statement + std::chrono::seconds(10);
}

void sayIfNotEncrypted(PGconn* conn, const std::string& connection)
{
    if (PQsslInUse(conn))
        return;
    const char* host = PQhost(conn);
    if (host && (host[0] == '/' || host[0] == '@'))
        return; // a Unix socket never leaves the computer
    static std::mutex mutex;
    static std::set<std::string> said;
    const std::string shown = surveys::withoutPassword(connection);
    {
        std::lock_guard lock(mutex);
        if (!said.insert(shown).second)
            return;
    }
    if (const auto& notice = surveys::connectionNotice())
        notice("the connection to " + shown +
               " is not encrypted: remarks and readings travel readable on the network (sslmode=verify-full "
               "encrypts it and checks the server)");
}

std::string lockTimeoutText(const std::string& waitText)
{
    const std::string prefix = "waiting for ";
    const size_t since = waitText.find(" since ");
    if (waitText.rfind(prefix, 0) != 0 || since == std::string::npos)
        return "another program holds the library; nothing was changed: try again when it is done";
    return waitText.substr(prefix.size(), since - prefix.size()) + " has held the library" + waitText.substr(since) +
           "; nothing was changed: try again when it is done";
}

std::string numbered(std::string_view sql, int& count)
{
    std::string out;
    char quote = 0;
    count = 0;
    for (char c : sql) {
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '?') {
            out += '$' + std::to_string(++count);
            continue;
        }
        out += c;
    }
    return out;
}

std::string lockWaitText(PGconn* waiting, PGconn* other, std::time_t waitBegan)
{
    char at[16];
    std::strftime(at, sizeof at, "%H:%M:%S", std::localtime(&waitBegan));
    std::string holder = "another program";
    if (other && PQstatus(other) == CONNECTION_OK) {
        const std::string pid = std::to_string(PQbackendPID(waiting));
        const char* values[] = {pid.c_str()};
        // The application's name is shown to every role; the address and the start of the
        // holder's transaction only to those allowed to see its session.
        PGresult* r = PQexecParams(
            other,
            "SELECT a.application_name, coalesce(a.client_hostname, host(a.client_addr), ''), "
            "to_char(a.xact_start, 'HH24:MI:SS') FROM pg_locks l JOIN pg_stat_activity a ON a.pid = l.pid "
            "WHERE l.granted AND l.pid <> $1::int AND ((l.locktype = 'relation' AND l.relation = "
            "to_regclass('library_lock')) OR (l.locktype = 'advisory' AND l.classid = 1 AND l.objid = "
            "3166760369)) LIMIT 1",
            1, nullptr, values, nullptr, nullptr, 0);
        if (PQresultStatus(r) == PGRES_TUPLES_OK && PQntuples(r) == 1) {
            std::string name = PQgetvalue(r, 0, 0);
            const std::string host = PQgetvalue(r, 0, 1);
            if (name.empty())
                name = "a program";
            if (name.find(" on ") == std::string::npos)
                name += " on " + (host.empty() ? std::string("an unknown computer") : host);
            holder = "another program (" + name + ")";
            if (!PQgetisnull(r, 0, 2))
                std::snprintf(at, sizeof at, "%s", PQgetvalue(r, 0, 2));
        }
        PQclear(r);
    }
    return "waiting for " + holder + " since " + at;
}

PGresult* awaitResult(PGconn* conn, const std::function<void()>& afterASecond, std::string& failure)
{
    using clock = std::chrono::steady_clock;
    const auto start = clock::now();
    std::optional<clock::time_point> stopSeen;
    bool said = false;
    while (PQflush(conn) > 0 || PQisBusy(conn)) {
#ifdef _WIN32
        WSAPOLLFD p{SOCKET(PQsocket(conn)), POLLRDNORM, 0};
        WSAPoll(&p, 1, 100);
#else
        pollfd p{PQsocket(conn), POLLIN, 0};
        poll(&p, 1, 100);
#endif
        if (!PQconsumeInput(conn) || !PQisBusy(conn))
            break;
        const auto now = clock::now();
        if (!said && afterASecond && now - start >= std::chrono::seconds(1)) {
            said = true;
            afterASecond();
        }
        if (stopAsked() && !stopSeen) {
            stopSeen = clock::now();
            sendCancel(conn);
        }
        // A stop the server's cancel request did not reach is not waited for past 1.5 s.
        if (stopSeen && clock::now() - *stopSeen > std::chrono::milliseconds(1500)) {
            failure = "stopped";
            return nullptr;
        }
        if (now - start > answerLimit()) {
            failure = "the server did not answer within " +
                      std::to_string(std::chrono::duration_cast<std::chrono::seconds>(answerLimit()).count()) +
                      " s, so the connection was given up";
            return nullptr;
        }
    }
    PGresult* kept = nullptr;
    const auto failed = [](PGresult* r) {
        return PQresultStatus(r) != PGRES_COMMAND_OK && PQresultStatus(r) != PGRES_TUPLES_OK;
    };
    while (PGresult* r = PQgetResult(conn)) {
        if (kept && failed(kept)) {
            PQclear(r); // the first failure is the one that says why
            continue;
        }
        PQclear(kept);
        kept = r;
    }
    return kept;
}

bool stopAsked()
{
    return g_stopAsked.load();
}

} // namespace pg

void setSessionLimits(const SessionLimits& limits)
{
    pg::limits() = limits;
}

void resumeAfterStop()
{
    pg::g_stopAsked.store(false);
}

void cancelRunningStatements() noexcept
{
    // Only a flag: each statement's wait sees it within a tenth of a second and sends the
    // server's cancel request itself.
    pg::g_stopAsked.store(true);
}

} // namespace tarvelon::sql
