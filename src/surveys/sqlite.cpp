#include "surveys/sqlite.h"

#include <sqlite3.h>

#include <utility>

namespace tarvelon::sql {

struct Database::BusyWait {
    std::chrono::milliseconds limit{0};
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

Database::Database() = default;

Database::~Database()
{
    close();
}

Database::Database(Database&& other) noexcept
    : db_(std::exchange(other.db_, nullptr)), error_(std::move(other.error_)), busy_(std::move(other.busy_))
{
}

Database& Database::operator=(Database&& other) noexcept
{
    if (this != &other) {
        close();
        db_ = std::exchange(other.db_, nullptr);
        error_ = std::move(other.error_);
        busy_ = std::move(other.busy_);
    }
    return *this;
}

bool Database::open(const std::string& path, Mode mode)
{
    close();
    const int flags = mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(path.c_str(), &db_, flags | SQLITE_OPEN_URI | SQLITE_OPEN_FULLMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        error_ = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        close();
        return false;
    }
    sqlite3_extended_result_codes(db_, 1);
    // Another program holding the file briefly is waited for; one that keeps it is reported.
    waitWhenBusy(std::chrono::seconds(20), nullptr);
    return true;
}

void Database::waitWhenBusy(std::chrono::milliseconds limit, std::function<void()> onLongWait)
{
    if (!busy_)
        busy_ = std::make_unique<BusyWait>();
    busy_->limit = limit;
    busy_->onLongWait = std::move(onLongWait);
    busy_->said = false;
    if (db_)
        sqlite3_busy_handler(db_, &BusyWait::retry, busy_.get());
}

void Database::close()
{
    if (db_)
        sqlite3_close_v2(db_);
    db_ = nullptr;
}

bool Database::fail()
{
    error_ = db_ ? sqlite3_errmsg(db_) : "no database";
    return false;
}

bool Database::busy() const
{
    if (!db_)
        return false;
    const int code = sqlite3_extended_errcode(db_) & 0xff;
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

bool Database::exec(std::string_view sql)
{
    if (!db_)
        return fail();
    char* message = nullptr;
    if (sqlite3_exec(db_, std::string(sql).c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        error_ = message ? message : sqlite3_errmsg(db_);
        sqlite3_free(message);
        return false;
    }
    return true;
}

std::optional<std::int64_t> Database::queryInt(std::string_view sql)
{
    Statement s(*this, sql);
    if (s.ok() && s.step())
        return s.integer(0);
    return std::nullopt;
}

std::int64_t Database::lastInsertId() const
{
    return db_ ? sqlite3_last_insert_rowid(db_) : 0;
}

bool Database::readOnly() const
{
    return db_ && sqlite3_db_readonly(db_, "main") == 1;
}

Statement::Statement(Database& db, std::string_view sql) : db_(db)
{
    if (!db.handle() || sqlite3_prepare_v2(db.handle(), sql.data(), int(sql.size()), &stmt_, nullptr) != SQLITE_OK) {
        db.fail();
        stmt_ = nullptr;
    }
}

Statement::~Statement()
{
    sqlite3_finalize(stmt_);
}

Statement& Statement::bind(int index, std::string_view text)
{
    sqlite3_bind_text(stmt_, index, text.data(), int(text.size()), SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::bind(int index, std::int64_t value)
{
    sqlite3_bind_int64(stmt_, index, value);
    return *this;
}

Statement& Statement::bind(int index, double value)
{
    sqlite3_bind_double(stmt_, index, value);
    return *this;
}

Statement& Statement::bindNull(int index)
{
    sqlite3_bind_null(stmt_, index);
    return *this;
}

bool Statement::step()
{
    if (!stmt_)
        return false;
    const int rc = sqlite3_step(stmt_);
    done_ = rc == SQLITE_DONE;
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        db_.fail();
    return rc == SQLITE_ROW;
}

bool Statement::run()
{
    while (step()) {
    }
    const bool ok = done_;
    reset();
    return ok;
}

void Statement::reset()
{
    if (stmt_) {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
    done_ = false;
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

std::int64_t Statement::integer(int column) const
{
    return sqlite3_column_int64(stmt_, column);
}

double Statement::real(int column) const
{
    return sqlite3_column_double(stmt_, column);
}

std::string Statement::text(int column) const
{
    const auto* p = sqlite3_column_text(stmt_, column);
    return p ? std::string(reinterpret_cast<const char*>(p), size_t(sqlite3_column_bytes(stmt_, column))) : std::string();
}

Transaction::Transaction(Database& db) : db_(db)
{
    begun_ = open_ = db.exec("BEGIN IMMEDIATE");
}

Transaction::~Transaction()
{
    // Not through exec(): the message of the failure that led here must survive.
    if (open_)
        sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

bool Transaction::commit()
{
    if (!open_ || !db_.exec("COMMIT"))
        return false;
    open_ = false;
    return true;
}

} // namespace tarvelon::sql
