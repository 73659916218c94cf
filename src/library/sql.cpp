#include "library/sql.h"

#include <utility>

namespace tarvelon::sql {

Database::Database() = default;

Database::~Database()
{
    close();
}

Database::Database(Database&& other) noexcept
    : conn_(std::move(other.conn_)), error_(std::move(other.error_)), busyLimit_(other.busyLimit_),
      onLongWait_(std::move(other.onLongWait_))
{
}

Database& Database::operator=(Database&& other) noexcept
{
    if (this != &other) {
        conn_ = std::move(other.conn_);
        error_ = std::move(other.error_);
        busyLimit_ = other.busyLimit_;
        onLongWait_ = std::move(other.onLongWait_);
    }
    return *this;
}

bool Database::open(const std::string& path, Mode mode)
{
    close();
    conn_ = openSqlite(path, mode, error_);
    if (conn_)
        conn_->waitWhenBusy(busyLimit_, onLongWait_);
    return conn_ != nullptr;
}

bool Database::connect(const std::string& connection)
{
    close();
    conn_ = connectPostgres(connection, error_);
    if (conn_)
        conn_->waitWhenBusy(busyLimit_, onLongWait_);
    return conn_ != nullptr;
}

void Database::close()
{
    conn_.reset();
}

void Database::waitWhenBusy(std::chrono::milliseconds limit, std::function<void()> onLongWait)
{
    busyLimit_ = limit;
    onLongWait_ = std::move(onLongWait);
    if (conn_)
        conn_->waitWhenBusy(busyLimit_, onLongWait_);
}

bool Database::exec(std::string_view sql)
{
    if (!conn_) {
        error_ = "no database";
        return false;
    }
    return conn_->exec(sql, error_);
}

std::optional<std::int64_t> Database::queryInt(std::string_view sql)
{
    Statement s(*this, sql);
    if (s.ok() && s.step())
        return s.integer(0);
    return std::nullopt;
}

bool Database::readOnly() const
{
    return conn_ && conn_->readOnly();
}

bool Database::busy() const
{
    return conn_ && conn_->busy();
}

bool Database::refused() const
{
    return conn_ && conn_->refused();
}

bool Database::damaged() const
{
    return conn_ && conn_->damaged();
}

int Database::notificationSocket()
{
    return conn_ ? conn_->notificationSocket() : -1;
}

std::vector<std::string> Database::takeNotifications()
{
    return conn_ ? conn_->takeNotifications() : std::vector<std::string>{};
}

Statement::Statement(Database& db, std::string_view sql) : db_(db)
{
    if (!db.connection())
        db.setError("no database");
    else
        cursor_ = db.connection()->prepare(sql, db.errorText());
}

Statement::~Statement() = default;

Statement& Statement::bind(int index, std::string_view text)
{
    if (cursor_)
        cursor_->bind(index, text);
    return *this;
}

Statement& Statement::bind(int index, std::int64_t value)
{
    if (cursor_)
        cursor_->bind(index, value);
    return *this;
}

Statement& Statement::bind(int index, double value)
{
    if (cursor_)
        cursor_->bind(index, value);
    return *this;
}

Statement& Statement::bindNull(int index)
{
    if (cursor_)
        cursor_->bindNull(index);
    return *this;
}

bool Statement::step()
{
    return cursor_ && cursor_->step(db_.errorText());
}

bool Statement::run()
{
    while (step()) {
    }
    const bool ok = done();
    reset();
    return ok;
}

void Statement::reset()
{
    if (cursor_)
        cursor_->reset();
}

Transaction::Transaction(Database& db) : db_(db)
{
    if (!db.connection())
        db.setError("no database");
    else
        begun_ = open_ = db.connection()->begin(db.errorText());
}

Transaction::~Transaction()
{
    if (open_ && db_.connection())
        db_.connection()->rollback();
}

bool Transaction::commit()
{
    if (!open_ || !db_.exec("COMMIT"))
        return false;
    open_ = false;
    return true;
}

} // namespace tarvelon::sql
