#include "surveys/store.h"

// The library's tables, how a file becomes one and how an older one is brought up to date.
namespace tarvelon::surveys {
namespace {

// Step n brings the tables from version n to n + 1; a later change adds a step, never edits one.
constexpr std::string_view kMigrations[] = {
    R"(CREATE TABLE surveys (
           id            INTEGER PRIMARY KEY,
           client        TEXT NOT NULL,
           site          TEXT NOT NULL,
           tube          TEXT NOT NULL,
           depth         REAL,
           step          REAL NOT NULL,
           guides        TEXT NOT NULL,
           north         TEXT NOT NULL,
           readout       TEXT NOT NULL,
           date          TEXT NOT NULL,
           time          TEXT NOT NULL,
           downloaded_at TEXT NOT NULL,
           header_file   TEXT NOT NULL,
           readings_file TEXT NOT NULL,
           UNIQUE (client, site, tube, readout, date, time));
       CREATE TABLE readings (
           survey_id INTEGER NOT NULL REFERENCES surveys (id) ON DELETE CASCADE,
           depth     REAL NOT NULL,
           reading1 INTEGER, reading2 INTEGER, reading3 INTEGER, reading4 INTEGER,
           reading5 INTEGER, reading6 INTEGER, reading7 INTEGER, reading8 INTEGER,
           PRIMARY KEY (survey_id, depth)) WITHOUT ROWID;)",
    R"(ALTER TABLE surveys ADD COLUMN origin TEXT;
       ALTER TABLE surveys ADD COLUMN missing_depths TEXT NOT NULL DEFAULT '';
       CREATE TABLE tubes (
           client           TEXT NOT NULL,
           site             TEXT NOT NULL,
           tube             TEXT NOT NULL,
           probe_constant   REAL NOT NULL DEFAULT 0,
           base_survey_id   INTEGER REFERENCES surveys (id) ON DELETE SET NULL,
           units            TEXT NOT NULL DEFAULT 'mm',
           north            REAL,
           alert_mm         REAL,
           alarm_mm         REAL,
           alert_mm_per_day REAL,
           alarm_mm_per_day REAL,
           second_pass      INTEGER NOT NULL DEFAULT 0,
           PRIMARY KEY (client, site, tube));)",
};
static_assert(std::size(kMigrations) == SurveyStore::kSchemaVersion);

// A file name inside an SQLite URI: only these characters have a meaning there.
std::string uriPath(const std::string& path)
{
    std::string out = "file:";
    for (char c : path) {
        if (c == '%' || c == '?' || c == '#') {
            static const char hex[] = "0123456789ABCDEF";
            out += '%';
            out += hex[static_cast<unsigned char>(c) >> 4];
            out += hex[c & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

bool SurveyStore::fail(const std::string& why)
{
    error_ = why;
    db_.close();
    readOnly_ = false;
    return false;
}

bool SurveyStore::open(const std::string& path)
{
    readOnly_ = false;
    error_.clear();
    std::optional<std::int64_t> version;
    if (db_.open(path, sql::Database::Mode::ReadWrite))
        version = db_.queryInt("PRAGMA user_version");
    if (!version) {
        // A folder or disk that cannot be written may still be read, if only as it stands.
        const std::string why = db_.error();
        const std::string uri = uriPath(path);
        for (const char* options : {"?mode=ro", "?immutable=1"}) {
            version = db_.open(uri + options, sql::Database::Mode::ReadOnly) ? db_.queryInt("PRAGMA user_version")
                                                                            : std::nullopt;
            if (version.value_or(0) > 0)
                break;
        }
        if (version.value_or(0) <= 0)
            return fail(why);
        readOnly_ = true;
        error_ = why;
    }
    const std::int64_t found = version.value_or(0);
    if (!readOnly_ && db_.readOnly()) {
        readOnly_ = true;
        error_ = "the file cannot be written";
    }
    if (found > kSchemaVersion) {
        // Tables of a newer program: read what is known, change nothing.
        readOnly_ = true;
        error_ = "it was written by a newer version of Tarvelon Manager";
        return true;
    }
    if (readOnly_)
        return found == kSchemaVersion || fail(error_ + "; its tables are of an older version");
    if (!db_.exec("PRAGMA foreign_keys = ON"))
        return fail(db_.error());
    std::string journal;
    if (sql::Statement wal(db_, "PRAGMA journal_mode = WAL"); wal.step())
        journal = wal.text(0);
    else
        return fail(db_.error());
    if (journal != "wal")
        return fail("write-ahead logging is not available (journal mode " + journal + ")");
    if (found < kSchemaVersion && !migrate())
        return fail(db_.error());
    return true;
}

bool SurveyStore::migrate()
{
    auto version = db_.queryInt("PRAGMA user_version");
    for (; version && *version < kSchemaVersion; version = db_.queryInt("PRAGMA user_version")) {
        sql::Transaction tx(db_);
        if (!tx.begun() || !db_.exec(kMigrations[*version]) ||
            !db_.exec("PRAGMA user_version = " + std::to_string(*version + 1)) || !tx.commit())
            return false;
    }
    return version.has_value();
}

} // namespace tarvelon::surveys
