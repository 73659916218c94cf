#include "library/library_location.h"
#include "library/store.h"

#include <chrono>
#include <thread>

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
    R"(ALTER TABLE tubes ADD COLUMN depth_reference TEXT NOT NULL DEFAULT 'upper';
       ALTER TABLE tubes ADD COLUMN gauge_m REAL NOT NULL DEFAULT 0.5;
       ALTER TABLE tubes ADD COLUMN checksum_tolerance REAL DEFAULT 10;
       CREATE TABLE corrections (
           survey_id   INTEGER NOT NULL REFERENCES surveys (id) ON DELETE CASCADE,
           kind        TEXT NOT NULL,
           axis        INTEGER NOT NULL,
           value       REAL NOT NULL,
           how         TEXT NOT NULL,
           accepted_at TEXT NOT NULL,
           enabled     INTEGER NOT NULL DEFAULT 1,
           PRIMARY KEY (survey_id, kind, axis));)",
    // What the tube's report says of it, in a table of its own.
    R"(CREATE TABLE tube_reports (
           client        TEXT NOT NULL,
           site          TEXT NOT NULL,
           tube          TEXT NOT NULL,
           project       TEXT NOT NULL DEFAULT '',
           project_no    TEXT NOT NULL DEFAULT '',
           location      TEXT NOT NULL DEFAULT '',
           top_elevation REAL,
           probe_serial  TEXT NOT NULL DEFAULT '',
           remarks       TEXT NOT NULL DEFAULT '',
           PRIMARY KEY (client, site, tube));)",
    // Who changed what, and when each tube's settings changed, so two libraries can be synced.
    R"(ALTER TABLE tubes ADD COLUMN changed_at TEXT NOT NULL DEFAULT '';
       CREATE TABLE history (
           id        INTEGER PRIMARY KEY,
           at        TEXT NOT NULL,
           who       TEXT NOT NULL,
           client    TEXT NOT NULL,
           site      TEXT NOT NULL,
           tube      TEXT NOT NULL,
           survey_id INTEGER,
           what      TEXT NOT NULL);
       CREATE INDEX history_of_tube ON history (client, site, tube);)",
    // Which end of a tube is fixed, and how its rates are told from noise and given.
    R"(ALTER TABLE tubes ADD COLUMN fixed_end TEXT NOT NULL DEFAULT 'toe';
       ALTER TABLE tubes ADD COLUMN min_interval_days REAL NOT NULL DEFAULT 1;
       ALTER TABLE tubes ADD COLUMN precision_mm REAL NOT NULL DEFAULT 0.16;
       ALTER TABLE tubes ADD COLUMN rate_unit TEXT NOT NULL DEFAULT 'day';)",
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

void SurveyStore::waitWhenBusy(std::chrono::milliseconds limit, std::function<void()> onLongWait)
{
    busyLimit_ = limit;
    onLongWait_ = std::move(onLongWait);
    if (db_.isOpen())
        db_.waitWhenBusy(busyLimit_, onLongWait_);
}

std::optional<SurveyStore::FileState> SurveyStore::fileState()
{
    // One statement, so the version and the tables are seen as one program left them.
    sql::Statement q(db_, "SELECT (SELECT user_version FROM pragma_user_version), "
                          "(SELECT count(*) FROM sqlite_master)");
    if (!q.step())
        return std::nullopt;
    return FileState{q.integer(0), q.integer(1)};
}

bool SurveyStore::open(const std::string& path, Access access)
{
    readOnly_ = false;
    error_.clear();
    if (isServerLocation(path))
        return openServer(path, access);
    if (access == Access::Read)
        return openToRead(path);
    std::optional<FileState> state;
    if (db_.open(path, sql::Database::Mode::ReadWrite)) {
        db_.waitWhenBusy(busyLimit_, onLongWait_);
        state = fileState();
    }
    if (!state) {
        // A folder or disk that cannot be written may still be read, if only as it stands.
        const std::string why = db_.error();
        if (!openToRead(path))
            return fail(why);
        error_ = why;
        return true;
    }
    if (state->version == 0 && state->tables > 0)
        return fail(std::string(kForeignTables));
    if (db_.readOnly()) {
        readOnly_ = true;
        error_ = "the file cannot be written";
    }
    if (state->version > kSchemaVersion) {
        // Tables of a newer program: read what is known, change nothing.
        readOnly_ = true;
        error_ = std::string(kNewerTables);
        return true;
    }
    if (readOnly_)
        return state->version == kSchemaVersion || fail(error_ + "; its tables are of an older version");
    if (!db_.exec("PRAGMA foreign_keys = ON"))
        return fail(db_.error());
    // Switching a new file to write-ahead logging, and a first look at the log another program
    // has just made, can find the file busy where SQLite waits for nobody: tried again, within
    // the same limit as any other wait.
    const auto until = std::chrono::steady_clock::now() + busyLimit_;
    while (!bringUpToDate(state->version)) {
        if (!db_.busy() || !error_.empty() || std::chrono::steady_clock::now() > until)
            return fail(error_.empty() ? db_.error() : error_);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        state = fileState();
        if (!state)
            return fail(db_.error());
    }
    return true;
}

bool SurveyStore::bringUpToDate(std::int64_t version)
{
    // A new library is put in write-ahead logging before it has tables, once: every program
    // that finds it new asks the same, and a library that has tables already keeps its mode.
    if (version == 0) {
        std::string journal;
        if (sql::Statement wal(db_, "PRAGMA journal_mode = WAL"); wal.step())
            journal = wal.text(0);
        else
            return false;
        if (journal != "wal") {
            error_ = "write-ahead logging is not available (journal mode " + journal + ")";
            return false;
        }
    }
    return version >= kSchemaVersion || migrate();
}

bool SurveyStore::openToRead(const std::string& path)
{
    // Only ever read: no file made, no table added, the journal mode as it was.
    const std::string uri = uriPath(path);
    std::optional<FileState> state;
    std::string why;
    for (const char* options : {"?mode=ro", "?immutable=1"}) {
        if (db_.open(uri + options, sql::Database::Mode::ReadOnly)) {
            db_.waitWhenBusy(busyLimit_, onLongWait_);
            state = fileState();
        }
        if (state)
            break;
        if (why.empty())
            why = db_.error();
    }
    if (!state)
        return fail(why);
    readOnly_ = true;
    error_ = "the library was opened only to read";
    if (state->version == 0)
        return fail(std::string(state->tables > 0 ? kForeignTables : kNotALibrary));
    if (state->version > kSchemaVersion) {
        error_ = std::string(kNewerTables);
        return true;
    }
    if (state->version < kSchemaVersion)
        return fail("its tables are of an older version of Tarvelon Manager; importing into it or opening it in "
                    "the window brings it up to date");
    return true;
}

bool SurveyStore::migrate()
{
    // Each step reads the version inside its own write transaction, so programs that open an
    // older library together take the steps one after another and each step is taken once.
    for (;;) {
        sql::Transaction tx(db_);
        if (!tx.begun())
            return false;
        const std::optional<FileState> state = fileState();
        if (!state)
            return false;
        if (state->version >= kSchemaVersion)
            return tx.commit();
        if (state->version == 0 && state->tables > 0) {
            error_ = std::string(kForeignTables);
            return false;
        }
        if (!db_.exec(kMigrations[state->version]) ||
            !db_.exec("PRAGMA user_version = " + std::to_string(state->version + 1)) || !tx.commit())
            return false;
    }
}

} // namespace tarvelon::surveys
