// The SQLite engine of the survey library: a file on this computer.
#include "library/sql.h"

#include <sqlite3.h>

namespace tarvelon::sql {
namespace {

struct BusyWait {
    std::chrono::milliseconds limit{std::chrono::seconds(20)};
    std::function<void()> onLongWait;
    std::chrono::steady_clock::time_point since;
    bool said = false;

    // SQLite's busy handler: true to try again. `tries` starts at 0 for each lock waited for.
    static int retry(void* self, int tries)
    {
        auto& w = *static_cast<BusyWait*>(self);
        const auto now = std::chrono::steady_clock::now();
        if (tries == 0)
            w.since = now;
        if (now - w.since >= w.limit)
            return 0;
        if (!w.said && now - w.since >= std::chrono::seconds(1)) {
            w.said = true;
            if (w.onLongWait)
                w.onLongWait();
        }
        sqlite3_sleep(tries < 10 ? 2 : 20);
        return 1;
    }
};

std::string messageOf(sqlite3* db)
{
    return db ? sqlite3_errmsg(db) : "no database";
}

// Set once a damaged page or a file that is no database is met, and kept: a query that stopped
// there gave only part of what the file holds.
bool damagedCode(int rc)
{
    return (rc & 0xff) == SQLITE_CORRUPT || (rc & 0xff) == SQLITE_NOTADB;
}

class SqliteCursor final : public Cursor {
public:
    SqliteCursor(sqlite3* db, sqlite3_stmt* stmt, bool& damaged) : db_(db), stmt_(stmt), damaged_(damaged) {}
    ~SqliteCursor() override { sqlite3_finalize(stmt_); }

    void bind(int index, std::string_view text) override
    {
        sqlite3_bind_text(stmt_, index, text.data(), int(text.size()), SQLITE_TRANSIENT);
    }
    void bind(int index, std::int64_t value) override { sqlite3_bind_int64(stmt_, index, value); }
    void bind(int index, double value) override { sqlite3_bind_double(stmt_, index, value); }
    void bindNull(int index) override { sqlite3_bind_null(stmt_, index); }

    bool step(std::string& error) override
    {
        const int rc = sqlite3_step(stmt_);
        done_ = rc == SQLITE_DONE;
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
            error = messageOf(db_);
            damaged_ = damaged_ || damagedCode(rc);
        }
        return rc == SQLITE_ROW;
    }
    bool done() const override { return done_; }
    void reset() override
    {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        done_ = false;
    }
    bool isNull(int column) const override { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }
    std::int64_t integer(int column) const override { return sqlite3_column_int64(stmt_, column); }
    double real(int column) const override { return sqlite3_column_double(stmt_, column); }
    std::string text(int column) const override
    {
        const auto* p = sqlite3_column_text(stmt_, column);
        return p ? std::string(reinterpret_cast<const char*>(p), size_t(sqlite3_column_bytes(stmt_, column)))
                 : std::string();
    }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_;
    bool& damaged_;
    bool done_ = false;
};

class SqliteConnection final : public Connection {
public:
    explicit SqliteConnection(sqlite3* db) : db_(db) {}
    ~SqliteConnection() override { sqlite3_close_v2(db_); }

    Engine engine() const override { return Engine::SQLite; }

    bool exec(std::string_view sql, std::string& error) override
    {
        char* message = nullptr;
        if (const int rc = sqlite3_exec(db_, std::string(sql).c_str(), nullptr, nullptr, &message); rc != SQLITE_OK) {
            damaged_ = damaged_ || damagedCode(rc);
            error = message ? message : messageOf(db_);
            sqlite3_free(message);
            return false;
        }
        return true;
    }

    std::unique_ptr<Cursor> prepare(std::string_view sql, std::string& error) override
    {
        sqlite3_stmt* stmt = nullptr;
        if (const int rc = sqlite3_prepare_v2(db_, sql.data(), int(sql.size()), &stmt, nullptr); rc != SQLITE_OK) {
            damaged_ = damaged_ || damagedCode(rc);
            error = messageOf(db_);
            sqlite3_finalize(stmt);
            return nullptr;
        }
        return std::make_unique<SqliteCursor>(db_, stmt, damaged_);
    }

    bool begin(std::string& error) override { return exec("BEGIN IMMEDIATE", error); }
    void rollback() override { sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr); }
    bool readOnly() const override { return sqlite3_db_readonly(db_, "main") == 1; }
    bool damaged() const override { return damaged_; }

    bool busy() const override
    {
        const int code = sqlite3_extended_errcode(db_) & 0xff;
        return code == SQLITE_BUSY || code == SQLITE_LOCKED;
    }

    void waitWhenBusy(std::chrono::milliseconds limit, std::function<void()> onLongWait) override
    {
        busy_.limit = limit;
        busy_.onLongWait = std::move(onLongWait);
        busy_.said = false;
        sqlite3_busy_handler(db_, &BusyWait::retry, &busy_);
    }

private:
    sqlite3* db_;
    BusyWait busy_;
    bool damaged_ = false;
};

} // namespace

std::unique_ptr<Connection> openSqlite(const std::string& path, Database::Mode mode, std::string& error)
{
    sqlite3* db = nullptr;
    const int flags = mode == Database::Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(path.c_str(), &db, flags | SQLITE_OPEN_URI | SQLITE_OPEN_FULLMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        error = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close_v2(db);
        return nullptr;
    }
    sqlite3_extended_result_codes(db, 1);
    return std::make_unique<SqliteConnection>(db);
}

} // namespace tarvelon::sql
