#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// A thin owner of SQLite's C interface: a connection, its prepared statements and a
// transaction that rolls back unless committed. Failures carry SQLite's own message.
namespace tarvelon::sql {

class Database {
public:
    enum class Mode { ReadWrite, ReadOnly };

    Database();
    ~Database();
    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens (creating in ReadWrite mode) the file; false with error() set on failure.
    bool open(const std::string& path, Mode mode);
    bool isOpen() const { return db_ != nullptr; }
    void close();

    // Runs statements without results; false with error() set on failure.
    bool exec(std::string_view sql);
    // The first column of the first row of a query, when there is one.
    std::optional<std::int64_t> queryInt(std::string_view sql);
    std::int64_t lastInsertId() const;
    bool readOnly() const;
    const std::string& error() const { return error_; }
    // The last failure was another program holding the file (after the busy handler gave up,
    // or where SQLite does not call it).
    bool busy() const;
    sqlite3* handle() const { return db_; }
    // Another program holding the file is waited for up to `limit`; `onLongWait` hears once,
    // when a wait has lasted a second, so a person knows why nothing happens.
    void waitWhenBusy(std::chrono::milliseconds limit, std::function<void()> onLongWait);
    // Takes the connection's current message (after a failed call).
    bool fail();

private:
    struct BusyWait;

    sqlite3* db_ = nullptr;
    std::string error_;
    std::unique_ptr<BusyWait> busy_; // where it is, for SQLite's busy handler, even once moved
};

class Statement {
public:
    Statement(Database& db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return stmt_ != nullptr; }
    // Parameters are numbered from 1, as in SQLite.
    Statement& bind(int index, std::string_view text);
    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, double value);
    Statement& bindNull(int index);
    // One step: true while a row is there. done() tells a finished statement from a failure.
    bool step();
    bool done() const { return done_; }
    // Step to the end of a statement without results; false on failure.
    bool run();
    void reset();

    bool isNull(int column) const;
    std::int64_t integer(int column) const;
    double real(int column) const;
    std::string text(int column) const;

private:
    Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
    bool done_ = false;
};

// BEGIN IMMEDIATE at construction, so a writer learns at once that another holds the lock;
// rolled back when it goes out of scope without commit().
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

} // namespace tarvelon::sql
