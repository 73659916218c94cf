#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The survey library's one way to speak SQL, whichever engine keeps it: an SQLite file or a
// PostgreSQL server. A connection, its statements (parameters only, `?` in the text) and a
// transaction that rolls back unless committed. Failures carry the engine's own message, but
// for a refusal by the server, said in plain words.
namespace tarvelon::sql {

enum class Engine { SQLite, PostgreSQL };

// What one engine does for Database and Statement; made by Database::open or connect.
class Cursor {
public:
    virtual ~Cursor() = default;
    virtual void bind(int index, std::string_view text) = 0;
    virtual void bind(int index, std::int64_t value) = 0;
    virtual void bind(int index, double value) = 0;
    virtual void bindNull(int index) = 0;
    // True while a row is there; false at the end (done() true) or on failure (error set).
    virtual bool step(std::string& error) = 0;
    virtual bool done() const = 0;
    virtual void reset() = 0;
    virtual bool isNull(int column) const = 0;
    virtual std::int64_t integer(int column) const = 0;
    virtual double real(int column) const = 0;
    virtual std::string text(int column) const = 0;
};

class Connection {
public:
    virtual ~Connection() = default;
    virtual Engine engine() const = 0;
    virtual bool exec(std::string_view sql, std::string& error) = 0;
    virtual std::unique_ptr<Cursor> prepare(std::string_view sql, std::string& error) = 0;
    virtual bool begin(std::string& error) = 0;
    // Not through exec(): the message of the failure that led here must survive.
    virtual void rollback() = 0;
    virtual bool readOnly() const = 0;
    virtual bool busy() const = 0;
    virtual bool refused() const { return false; }
    // A file found damaged by anything read or written since it was opened.
    virtual bool damaged() const { return false; }
    virtual void waitWhenBusy(std::chrono::milliseconds limit, std::function<void()> onLongWait) = 0;
    // Who holds the lock a writer waits for ("NAME on HOST since TIME"); empty when unknown.
    virtual std::string lockHolder() const { return {}; }
    virtual int notificationSocket() { return -1; }
    virtual std::vector<std::string> takeNotifications() { return {}; }
};

class Database {
public:
    enum class Mode { ReadWrite, ReadOnly };

    Database();
    ~Database();
    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens (creating in ReadWrite mode) an SQLite file; false with error() set on failure.
    bool open(const std::string& path, Mode mode);
    // Connects to a PostgreSQL server named by a URI or connection keywords; a password the
    // user's password file lacks is asked through the process's password prompt, once a run.
    bool connect(const std::string& connection);
    bool isOpen() const { return conn_ != nullptr; }
    Engine engine() const { return conn_ ? conn_->engine() : Engine::SQLite; }
    void close();

    // Runs statements without results; false with error() set on failure.
    bool exec(std::string_view sql);
    // The first column of the first row of a query, when there is one.
    std::optional<std::int64_t> queryInt(std::string_view sql);
    bool readOnly() const;
    const std::string& error() const { return error_; }
    // The last failure was another program holding the library after the wait gave up.
    bool busy() const;
    // The last failure was the server refusing what the user's role may not do.
    bool refused() const;
    // Something met since the file was opened was damaged (SQLite's SQLITE_CORRUPT or NOTADB):
    // whatever a query gave before it stopped is not the whole.
    bool damaged() const;
    // Another program holding the library is waited for up to `limit`; `onLongWait` hears once,
    // when a wait has lasted a second, so a person knows why nothing happens.
    void waitWhenBusy(std::chrono::milliseconds limit, std::function<void()> onLongWait);
    std::string lockHolder() const { return conn_ ? conn_->lockHolder() : std::string(); }
    // A socket that becomes readable when the server has news (-1: none), and the news.
    int notificationSocket();
    std::vector<std::string> takeNotifications();
    Connection* connection() const { return conn_.get(); }
    std::string& errorText() { return error_; }
    void setError(std::string error) { error_ = std::move(error); }

private:
    std::unique_ptr<Connection> conn_;
    std::string error_;
    std::chrono::milliseconds busyLimit_{std::chrono::seconds(20)};
    std::function<void()> onLongWait_;
};

class Statement {
public:
    Statement(Database& db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return cursor_ != nullptr; }
    // Parameters are numbered from 1, in the order of the `?` in the text.
    Statement& bind(int index, std::string_view text);
    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, double value);
    Statement& bindNull(int index);
    // A value that may be missing: NULL when it is.
    Statement& bind(int index, const std::optional<double>& value)
    {
        return value ? bind(index, *value) : bindNull(index);
    }
    // One step: true while a row is there. done() tells a finished statement from a failure.
    bool step();
    bool done() const { return cursor_ && cursor_->done(); }
    // Step to the end of a statement without results; false on failure.
    bool run();
    void reset();

    bool isNull(int column) const { return cursor_->isNull(column); }
    std::int64_t integer(int column) const { return cursor_->integer(column); }
    double real(int column) const { return cursor_->real(column); }
    std::optional<double> optionalReal(int column) const
    {
        return isNull(column) ? std::nullopt : std::optional<double>(real(column));
    }
    std::string text(int column) const { return cursor_->text(column); }

private:
    Database& db_;
    std::unique_ptr<Cursor> cursor_;
};

// Begun at construction, so a writer learns at once that another holds the library (SQLite's
// BEGIN IMMEDIATE; on a server, a lock every writer takes); rolled back unless committed.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    bool begun() const { return begun_; }
    bool commit();

private:
    Database& db_;
    bool begun_ = false;
    bool open_ = false;
};

// The limits a server puts on each session of this program, so that a laptop gone away while
// it held the writers' lock frees it within a minute. A test may shorten them.
struct SessionLimits {
    std::chrono::milliseconds idleInTransaction{std::chrono::seconds(30)};
    std::chrono::milliseconds statement{std::chrono::seconds(60)};
};
void setSessionLimits(const SessionLimits& limits);

// Asks every statement running on a server to stop: the server's cancel request is sent, and
// a statement not answered 1.5 s later is given up with its connection. Safe in a signal handler.
void cancelRunningStatements() noexcept;
// A program that goes on after a stop (the window's Cancel) lets statements run to their end again.
void resumeAfterStop();

// The engines behind Database::open and Database::connect.
std::unique_ptr<Connection> openSqlite(const std::string& path, Database::Mode mode, std::string& error);
std::unique_ptr<Connection> connectPostgres(const std::string& connection, std::string& error);

} // namespace tarvelon::sql
