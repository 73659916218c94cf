#include "library/library_location.h"
#include "library/store.h"
#include "platform/file_path.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#ifndef _WIN32
#include <unistd.h>
#endif

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
    // What syncing merges with: the library's own name for the others, each tube setting's and
    // correction's value at the last sync with each other library, and the surveys deleted.
    R"(CREATE TABLE library_identity (id TEXT NOT NULL);
       INSERT INTO library_identity VALUES (lower(hex(randomblob(16))));
       CREATE TABLE sync_bases (
           peer   TEXT NOT NULL,
           client TEXT NOT NULL,
           site   TEXT NOT NULL,
           tube   TEXT NOT NULL,
           field  TEXT NOT NULL,
           value  TEXT NOT NULL,
           PRIMARY KEY (peer, client, site, tube, field));
       CREATE TABLE deleted_surveys (
           client     TEXT NOT NULL,
           site       TEXT NOT NULL,
           tube       TEXT NOT NULL,
           readout    TEXT NOT NULL,
           date       TEXT NOT NULL,
           time       TEXT NOT NULL,
           deleted_at TEXT NOT NULL,
           PRIMARY KEY (client, site, tube, readout, date, time));)",
    // The probe each survey was read with, and the base a new base carries on from.
    R"(ALTER TABLE surveys ADD COLUMN probe_serial TEXT NOT NULL DEFAULT '';
       ALTER TABLE surveys ADD COLUMN probe_constant REAL;
       ALTER TABLE tubes ADD COLUMN continued_from_id INTEGER;)",
    // The alarm log: each change of a readout's status, what set it, who caused it and who saw it.
    R"(CREATE TABLE alarm_events (
           id              INTEGER PRIMARY KEY,
           at              TEXT NOT NULL,
           client          TEXT NOT NULL,
           site            TEXT NOT NULL,
           tube            TEXT NOT NULL,
           survey_id       INTEGER,
           readout         TEXT NOT NULL,
           date            TEXT NOT NULL,
           time            TEXT NOT NULL,
           status          TEXT NOT NULL,
           criterion       TEXT NOT NULL DEFAULT '',
           value           REAL,
           threshold       REAL,
           depth           REAL,
           caused_by       TEXT NOT NULL,
           acknowledged_by TEXT NOT NULL DEFAULT '',
           acknowledged_at TEXT NOT NULL DEFAULT '',
           note            TEXT NOT NULL DEFAULT '');
       CREATE INDEX alarm_events_of_tube ON alarm_events (client, site, tube);)",
    // Where each tube stands on its site's plan and how often it should be read.
    R"(ALTER TABLE tubes ADD COLUMN easting REAL;
       ALTER TABLE tubes ADD COLUMN northing REAL;
       ALTER TABLE tubes ADD COLUMN reading_interval_days REAL;)",
    // The language a tube's reports are written in by default; empty: the program's.
    R"(ALTER TABLE tube_reports ADD COLUMN language TEXT NOT NULL DEFAULT '';)",
    // Which events of the alarm log came from another library with their own time and cause,
    // which acknowledgements did, and which record the states found when the log began.
    R"(ALTER TABLE alarm_events ADD COLUMN carried INTEGER NOT NULL DEFAULT 0;
       ALTER TABLE alarm_events ADD COLUMN acknowledgement_carried INTEGER NOT NULL DEFAULT 0;
       ALTER TABLE alarm_events ADD COLUMN baseline INTEGER NOT NULL DEFAULT 0;)",
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

// SQLite's "unable to open database file" for a file it may read but not write says nothing of
// why: the file, or the folder where its journal goes beside it. Empty when neither is so.
static std::string whyNotWritable(const std::string& path)
{
#ifndef _WIN32
    if (::access(path.c_str(), F_OK) == 0) {
        if (::access(path.c_str(), W_OK) != 0)
            return "the file cannot be written";
        const std::string folder = std::filesystem::path(path).parent_path().string();
        if (::access(folder.empty() ? "." : folder.c_str(), W_OK) != 0)
            return "the folder it is in cannot be written, and the library keeps its journal beside it";
    }
#else
    (void)path;
#endif
    return {};
}

std::string newerLibraryText(std::int64_t version)
{
    return std::string(kNewerTables) + " (its tables are of version " + std::to_string(version) +
           "; this one knows up to version " + std::to_string(SurveyStore::kSchemaVersion) + ")";
}

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
    // One statement, so the version and the tables are seen as one program left them. A file
    // of ours from before it was marked (versions 1 to 5) is known by its two first tables and
    // their key columns; another program may have added a table of its own beside them.
    sql::Statement q(db_, "SELECT (SELECT user_version FROM pragma_user_version), "
                          "(SELECT count(*) FROM sqlite_master), "
                          "(SELECT application_id FROM pragma_application_id), "
                          "(SELECT count(*) FROM pragma_table_info('surveys') WHERE name IN ('client', 'site', "
                          "'tube', 'readout', 'date', 'time', 'header_file', 'readings_file')), "
                          "(SELECT count(*) FROM pragma_table_info('readings') WHERE name IN ('survey_id', 'depth', "
                          "'reading1', 'reading8'))");
    if (!q.step())
        return std::nullopt;
    FileState state{q.integer(0), q.integer(1), q.integer(2), false};
    state.ourTables = state.version >= 1 && state.version <= kLastUnmarkedVersion && q.integer(3) == 8 && q.integer(4) == 4;
    return state;
}

std::string SurveyStore::notOurs(const FileState& state)
{
    if (state.application == kLibraryApplicationId) {
        if (state.version > kSchemaVersion)
            return newerLibraryText(state.version);
        return {};
    }
    // Any other mark, or none on a file with tables that are not ours, whatever its version.
    if (state.application != 0 || (state.tables > 0 && !state.ourTables) || (state.tables == 0 && state.version != 0))
        return std::string(kForeignTables);
    return {};
}

bool SurveyStore::damaged()
{
    if (!db_.damaged())
        return false;
    if (error_.rfind(kDamaged, 0) != 0)
        error_ = std::string(kDamaged) + " (" + db_.error() + "); it was left as it is";
    return true;
}

bool SurveyStore::checked()
{
    sql::Statement q(db_, "PRAGMA quick_check");
    std::string first;
    if (q.step())
        first = q.text(0);
    if (first == "ok")
        return true;
    // SQLite's first finding, on one line: "*** in database main ***\nPage 12: ..." says "Page 12: ...".
    if (const size_t head = first.find("***\n"); first.rfind("***", 0) == 0 && head != std::string::npos)
        first.erase(0, head + 4);
    for (char& c : first)
        if (c == '\n' || c == '\r')
            c = ' ';
    error_ = std::string(kDamaged) + " (" + (first.empty() ? db_.error() : first) + "); it was left as it is";
    return false;
}

namespace {

// True when a file is at `path` with something in it that is not an SQLite database: SQLite
// would take a file too short for its header as an empty database and write over it.
bool holdsSomethingElse(const std::string& path)
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(fsPath(path), ec);
    if (ec || size == 0)
        return false;
    static constexpr char kHeader[] = "SQLite format 3";
    char start[sizeof kHeader] = {};
    std::ifstream in(fsPath(path), std::ios::binary);
    in.read(start, sizeof start);
    return in.gcount() < std::streamsize(sizeof start) || std::string_view(start, sizeof start) != std::string_view(kHeader, sizeof kHeader);
}

} // namespace

bool SurveyStore::open(const std::string& path, Access access)
{
    readOnly_ = false;
    error_.clear();
    if (isServerLocation(path))
        return openServer(path, access);
    if (holdsSomethingElse(path))
        return fail("it is not a survey library: the file holds something else, and is left as it is");
    if (access == Access::Read)
        return openToRead(path);
    std::optional<FileState> state;
    if (db_.open(path, sql::Database::Mode::ReadWrite)) {
        db_.waitWhenBusy(busyLimit_, onLongWait_);
        state = fileState();
    }
    if (!state) {
        // A folder or disk that cannot be written may still be read, if only as it stands.
        const std::string why = whyNotWritable(path).empty() ? db_.error() : whyNotWritable(path);
        if (!openToRead(path))
            return fail(why);
        error_ = why;
        return true;
    }
    if (const std::string why = notOurs(*state); !why.empty()) {
        if (state->application != kLibraryApplicationId)
            return fail(why);
        // Tables of a newer program: read what is known, change nothing.
        readOnly_ = true;
        error_ = why;
        return true;
    }
    if (state->tables > 0 && !checked())
        return fail(error_);
    if (db_.readOnly()) {
        readOnly_ = true;
        error_ = "the file cannot be written";
    } else if (const std::string why = whyNotWritable(path); !why.empty()) {
        readOnly_ = true;
        error_ = why;
    }
    if (readOnly_)
        return state->version == kSchemaVersion || fail(error_ + "; its tables are of an older version");
    if (!db_.exec("PRAGMA foreign_keys = ON"))
        return fail(db_.error());
    // Switching a new file to write-ahead logging, and a first look at the log another program
    // has just made, can find the file busy where SQLite waits for nobody: tried again, within
    // the same limit as any other wait.
    const auto until = std::chrono::steady_clock::now() + busyLimit_;
    while (!bringUpToDate(*state)) {
        if (!db_.busy() || !error_.empty() || std::chrono::steady_clock::now() > until)
            return fail(error_.empty() ? db_.error() : error_);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        state = fileState();
        if (!state)
            return fail(db_.error());
    }
    return true;
}

bool SurveyStore::bringUpToDate(const FileState& state)
{
    // A new library is put in write-ahead logging before it has tables, once: every program
    // that finds it new asks the same, and a library that has tables already keeps its mode.
    if (state.version == 0) {
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
    return (state.version >= kSchemaVersion && state.application == kLibraryApplicationId) || migrate();
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
    if (state->tables == 0 && state->version == 0 && state->application == 0)
        return fail(std::string(kNotALibrary));
    if (const std::string why = notOurs(*state); !why.empty()) {
        if (state->application != kLibraryApplicationId)
            return fail(why);
        error_ = why;
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
        if (const std::string why = notOurs(*state); !why.empty()) {
            error_ = why;
            return false;
        }
        // Marked as ours in the transaction of its first change, so another program that opens
        // it meanwhile sees it either unmarked and new or marked.
        if (state->application != kLibraryApplicationId &&
            !db_.exec("PRAGMA application_id = " + std::to_string(kLibraryApplicationId)))
            return false;
        if (state->version >= kSchemaVersion)
            return tx.commit();
        if (!db_.exec(kMigrations[state->version]) ||
            !db_.exec("PRAGMA user_version = " + std::to_string(state->version + 1)) ||
            (state->version + 1 == kBaselineVersion && !recordBaselines()) || !tx.commit())
            return false;
    }
}

} // namespace tarvelon::surveys
