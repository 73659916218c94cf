// The PostgreSQL engine of the survey library: a server shared by a firm. Values only ever
// travel as parameters of prepared statements, never in the text of the SQL.
#include "library/library_location.h"
#include "library/postgres_messages.h"
#include "library/postgres_session.h"
#include "library/sql.h"

#include <libpq-fe.h>

#include <charconv>
#include <cstdlib>
#include <ctime>
#include <map>
#include <mutex>

namespace tarvelon::sql {
namespace {

// Every writer takes this lock for its transaction, so writes follow one another as they do
// in an SQLite file and a survey is looked for and added as one step. A lock on a table that
// only its writers may change, so a reader cannot take it; a library made before that table
// is brought up to date under the lock every program of its time took.
constexpr const char* kWriteLock = "LOCK TABLE library_lock IN EXCLUSIVE MODE";
constexpr const char* kFormerWriteLock = "SELECT pg_advisory_xact_lock(7461727665)";
constexpr std::string_view kRefusedCode = "42501", kLockTimeoutCode = "55P03", kCanceledCode = "57014";

struct Result {
    PGresult* r = nullptr;
    explicit Result(PGresult* result = nullptr) : r(result) {}
    ~Result() { PQclear(r); }
    Result(const Result&) = delete;
    Result& operator=(const Result&) = delete;
    void reset(PGresult* result = nullptr)
    {
        PQclear(r);
        r = result;
    }
};

// Passwords asked for this run, by connection; never written anywhere.
std::map<std::string, std::string>& passwords()
{
    static std::map<std::string, std::string> kept;
    return kept;
}
std::mutex passwordsMutex;

class PgConnection;
PGconn* connectWithDefaults(const std::string& connection, const std::string* password);

class PgCursor final : public Cursor {
public:
    PgCursor(PgConnection& conn, std::string sql, int params) : conn_(conn), sql_(std::move(sql)), values_(size_t(params))
    {
    }

    void bind(int index, std::string_view text) override { at(index) = std::string(text); }
    void bind(int index, std::int64_t value) override { at(index) = std::to_string(value); }
    void bind(int index, double value) override
    {
        char buf[32];
        const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
        at(index) = std::string(buf, end);
    }
    void bindNull(int index) override { at(index).reset(); }

    bool step(std::string& error) override;
    bool done() const override { return done_; }
    void reset() override
    {
        result_.reset();
        for (auto& v : values_)
            v.reset();
        done_ = false;
        row_ = -1;
    }
    bool isNull(int column) const override { return !result_.r || PQgetisnull(result_.r, row_, column); }
    std::int64_t integer(int column) const override
    {
        const char* v = value(column);
        if (*v == 't' || *v == 'f') // a boolean
            return *v == 't';
        return std::strtoll(v, nullptr, 10);
    }
    double real(int column) const override { return std::strtod(value(column), nullptr); }
    std::string text(int column) const override
    {
        return result_.r ? std::string(value(column), size_t(PQgetlength(result_.r, row_, column))) : std::string();
    }

private:
    std::optional<std::string>& at(int index)
    {
        if (size_t(index) > values_.size())
            values_.resize(size_t(index));
        return values_[size_t(index) - 1];
    }
    const char* value(int column) const { return result_.r ? PQgetvalue(result_.r, row_, column) : ""; }

    PgConnection& conn_;
    std::string sql_;
    std::vector<std::optional<std::string>> values_;
    Result result_;
    int row_ = -1;
    bool done_ = false;
};

class PgConnection final : public Connection {
public:
    PgConnection(PGconn* conn, std::string connection, std::optional<std::string> password)
        : conn_(conn), connection_(std::move(connection)), password_(std::move(password))
    {
        std::string ignored;
        exec(pg::sessionSettings(), ignored);
    }
    ~PgConnection() override { PQfinish(conn_); }

    Engine engine() const override { return Engine::PostgreSQL; }

    // Takes the result's state: true when it succeeded; otherwise the message and code kept.
    bool check(PGresult* r, std::string_view sql, std::string& error)
    {
        const ExecStatusType s = PQresultStatus(r);
        if (r && (s == PGRES_COMMAND_OK || s == PGRES_TUPLES_OK)) {
            code_.clear();
            return true;
        }
        const char* code = r ? PQresultErrorField(r, PG_DIAG_SQLSTATE) : nullptr;
        code_ = code ? code : "";
        if (!r && !failure_.empty())
            error = failure_;
        else if (code_ == kRefusedCode)
            error = refusalMessage(sql);
        else if (code_ == kCanceledCode && pg::stopAsked())
            error = "stopped";
        else if (!conn_ || PQstatus(conn_) == CONNECTION_BAD)
            error = "the connection to the server was lost (" + firstLine(conn_ ? PQerrorMessage(conn_) : "") + ")";
        else
            error = firstLine(r ? PQresultErrorMessage(r) : PQerrorMessage(conn_));
        if (error.empty())
            error = "the server did not answer";
        return false;
    }

    bool exec(std::string_view sql, std::string& error) override
    {
        Result r(conn_ && PQsendQuery(conn_, std::string(sql).c_str()) ? await() : nullptr);
        if (!check(r.r, sql, error))
            return false;
        // A COMMIT of a transaction that had failed is answered with a ROLLBACK, not an error.
        if (sql == "COMMIT" && std::string_view(PQcmdStatus(r.r)) == "ROLLBACK") {
            error = "the change was not kept (the transaction was rolled back)";
            return false;
        }
        if (sql != "COMMIT" && sql != "ROLLBACK" && sql != "BEGIN")
            forgetPrepared(); // the tables may have changed under the statements prepared
        return true;
    }

    std::unique_ptr<Cursor> prepare(std::string_view sql, std::string& error) override
    {
        (void)error;
        int count = 0;
        std::string text = pg::numbered(sql, count);
        return std::make_unique<PgCursor>(*this, std::move(text), count);
    }

    // The name of the statement prepared for this text, prepared on first use.
    const char* prepared(const std::string& sql, std::string& error)
    {
        if (const auto it = names_.find(sql); it != names_.end())
            return it->second.c_str();
        std::string name = "t" + std::to_string(++made_);
        Result r(conn_ && PQsendPrepare(conn_, name.c_str(), sql.c_str(), 0, nullptr) ? await() : nullptr);
        if (!check(r.r, sql, error))
            return nullptr;
        return names_.emplace(sql, std::move(name)).first->second.c_str();
    }

    PGresult* run(const std::string& sql, const std::vector<std::optional<std::string>>& values, std::string& error)
    {
        const char* name = prepared(sql, error);
        if (!name)
            return nullptr;
        std::vector<const char*> params;
        params.reserve(values.size());
        for (const auto& v : values)
            params.push_back(v ? v->c_str() : nullptr);
        PGresult* r = PQsendQueryPrepared(conn_, name, int(params.size()), params.data(), nullptr, nullptr, 0)
                          ? await()
                          : nullptr;
        if (!check(r, sql, error)) {
            PQclear(r);
            return nullptr;
        }
        return r;
    }

    bool begin(std::string& error) override
    {
        // Once the lock's table is known to be there, the transaction and its lock are asked
        // for together: one wait for the server instead of two, for every survey added.
        if (lockTable_)
            return lockWriters(std::string("BEGIN; ") + kWriteLock, error);
        if (!exec("BEGIN", error))
            return false;
        {
            Result there(PQsendQuery(conn_, "SELECT to_regclass('library_lock') IS NOT NULL") ? await() : nullptr);
            if (!check(there.r, "SELECT", error)) {
                rollback();
                return false;
            }
            lockTable_ = PQntuples(there.r) == 1 && *PQgetvalue(there.r, 0, 0) == 't';
        }
        return lockWriters(lockTable_ ? kWriteLock : kFormerWriteLock, error);
    }

    bool lockWriters(const std::string& sql, std::string& error)
    {
        waitText_.clear();
        const auto since = std::time(nullptr);
        Result r(conn_ && PQsendQuery(conn_, sql.c_str()) ? await([&] { sayWait(since); }) : nullptr);
        if (!check(r.r, "LOCK", error)) {
            if (busy())
                error = pg::lockTimeoutText(waitText_);
            rollback();
            return false;
        }
        return true;
    }

    void rollback() override
    {
        if (conn_ && PQsendQuery(conn_, "ROLLBACK"))
            PQclear(await());
    }
    bool readOnly() const override { return false; }
    bool busy() const override { return code_ == kLockTimeoutCode; }
    bool refused() const override { return code_ == kRefusedCode; }
    std::string lockHolder() const override { return waitText_; }

    // A server has no busy file: only the writers' lock is waited for, up to the limit.
    void waitWhenBusy(std::chrono::milliseconds limit, std::function<void()> onLongWait) override
    {
        onLongWait_ = std::move(onLongWait);
        std::string ignored;
        exec("SET lock_timeout = " + std::to_string(limit.count()), ignored);
    }

    int notificationSocket() override
    {
        if (!listening_ && conn_) {
            std::string ignored;
            listening_ = exec("LISTEN tarvelon_changes", ignored);
        }
        return listening_ ? PQsocket(conn_) : -1;
    }

    std::vector<std::string> takeNotifications() override
    {
        std::vector<std::string> out;
        if (!conn_)
            return out;
        PQconsumeInput(conn_);
        while (PGnotify* n = PQnotifies(conn_)) {
            out.emplace_back(n->extra);
            PQfreemem(n);
        }
        return out;
    }

private:
    // The answer to what was just sent (pg::awaitResult); a connection that gave no answer is
    // given up.
    PGresult* await(const std::function<void()>& afterASecond = {})
    {
        failure_.clear();
        PGresult* r = pg::awaitResult(conn_, afterASecond, failure_);
        if (!r && !failure_.empty())
            giveUp();
        return r;
    }

    // Closes a connection that no longer answers; the server ends its session and frees its
    // locks when its own limits see it idle, or its keepalives see it gone.
    void giveUp()
    {
        PQfinish(conn_);
        conn_ = nullptr;
        names_.clear();
    }

    // Who holds the writers' lock, asked on a connection of its own while this one waits.
    void sayWait(std::time_t since)
    {
        PGconn* other = connectWithDefaults(connection_, password_ ? &*password_ : nullptr);
        waitText_ = pg::lockWaitText(conn_, other, since);
        PQfinish(other);
        if (onLongWait_)
            onLongWait_();
    }

    void forgetPrepared()
    {
        if (names_.empty() || !conn_)
            return;
        if (PQsendQuery(conn_, "DEALLOCATE ALL"))
            PQclear(await());
        names_.clear();
    }

    PGconn* conn_;
    std::string connection_;
    std::optional<std::string> password_;
    std::map<std::string, std::string> names_;
    int made_ = 0;
    std::string code_;
    std::string failure_;
    std::string waitText_;
    std::function<void()> onLongWait_;
    bool listening_ = false;
    bool lockTable_ = false;
};

bool PgCursor::step(std::string& error)
{
    if (done_)
        return false;
    if (!result_.r) {
        result_.reset(conn_.run(sql_, values_, error));
        if (!result_.r)
            return false;
    }
    if (++row_ < PQntuples(result_.r))
        return true;
    done_ = true;
    return false;
}

PGconn* connectWithDefaults(const std::string& connection, const std::string* password)
{
    // The connection's own settings come after these and win over them.
    const pg::ConnectDefaults defaults = pg::connectDefaults(connection);
    std::vector<const char*> keys, values;
    for (size_t i = 0; i < defaults.keys.size(); ++i) {
        keys.push_back(defaults.keys[i].c_str());
        values.push_back(defaults.values[i].c_str());
    }
    keys.push_back("dbname");
    values.push_back(connection.c_str());
    if (password) {
        keys.push_back("password");
        values.push_back(password->c_str());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    return PQconnectdbParams(keys.data(), values.data(), 1);
}

} // namespace

std::unique_ptr<Connection> connectPostgres(const std::string& connection, std::string& error)
{
    std::optional<std::string> password;
    {
        std::lock_guard lock(passwordsMutex);
        if (const auto it = passwords().find(connection); it != passwords().end())
            password = it->second;
    }
    PGconn* conn = connectWithDefaults(connection, password ? &*password : nullptr);
    if (conn && PQstatus(conn) == CONNECTION_BAD && PQconnectionNeedsPassword(conn) && !password &&
        surveys::passwordPrompt()) {
        password = surveys::passwordPrompt()(surveys::withoutPassword(connection));
        if (password) {
            PQfinish(conn);
            conn = connectWithDefaults(connection, &*password);
        }
    }
    if (!conn || PQstatus(conn) != CONNECTION_OK) {
        error = surveys::withoutPasswordOf(connectionMessage(conn ? PQerrorMessage(conn) : "out of memory", conn), connection);
        PQfinish(conn);
        return nullptr;
    }
    if (password && PQconnectionUsedPassword(conn)) {
        std::lock_guard lock(passwordsMutex);
        passwords()[connection] = *password;
    }
    // Notices (a role granted twice, a table already there) are not the user's concern.
    PQsetNoticeProcessor(conn, [](void*, const char*) {}, nullptr);
    pg::sayIfNotEncrypted(conn, connection);
    return std::make_unique<PgConnection>(conn, connection, password);
}

} // namespace tarvelon::sql
