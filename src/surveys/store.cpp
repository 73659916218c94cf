#include "surveys/store.h"

#include <algorithm>
#include <cmath>

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
};
static_assert(std::size(kMigrations) == SurveyStore::kSchemaVersion);

constexpr std::string_view kSurveyColumns =
    "id, client, site, tube, depth, step, guides, north, readout, date, time, downloaded_at, header_file, readings_file";

double metres(int tenths)
{
    return tenths / 10.0;
}

int tenthsOf(double metres)
{
    return static_cast<int>(std::lround(metres * 10));
}

// The depths and readings 1 and 2, all that the export files carry: a download and a later
// import of its files are the same survey.
bool sameProfile(const std::vector<SurveyRow>& a, const std::vector<SurveyRow>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const SurveyRow& x, const SurveyRow& y) {
        return x.depthTenths == y.depthTenths && x.readings[0] == y.readings[0] && x.readings[1] == y.readings[1];
    });
}

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

std::optional<std::int64_t> SurveyStore::find(const Survey& s)
{
    sql::Statement q(db_, "SELECT id FROM surveys WHERE client = ? AND site = ? AND tube = ? AND readout = ? "
                          "AND date = ? AND time = ?");
    q.bind(1, s.client).bind(2, s.site).bind(3, s.tube).bind(4, s.readout).bind(5, s.date).bind(6, s.time);
    if (q.step())
        return q.integer(0);
    return std::nullopt;
}

AddResult SurveyStore::add(const Survey& s)
{
    if (!db_.isOpen())
        return {AddStatus::Failed, 0, error_.empty() ? "the library is not open" : error_};
    if (readOnly_)
        return {AddStatus::Failed, 0, error_};
    sql::Transaction tx(db_);
    if (!tx.begun())
        return {AddStatus::Failed, 0, db_.error()};
    if (const auto id = find(s)) {
        std::vector<SurveyRow> rows;
        if (!readRows(*id, rows))
            return {AddStatus::Failed, 0, db_.error()};
        return {sameProfile(rows, s.rows) ? AddStatus::AlreadyThere : AddStatus::Conflict, *id, {}};
    }

    sql::Statement insert(db_, "INSERT INTO surveys (client, site, tube, depth, step, guides, north, readout, date, "
                               "time, downloaded_at, header_file, readings_file) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insert.bind(1, s.client).bind(2, s.site).bind(3, s.tube).bind(5, s.step).bind(6, s.guides).bind(7, s.north);
    insert.bind(8, s.readout).bind(9, s.date).bind(10, s.time).bind(11, s.downloadedAt);
    insert.bind(12, s.headerFile).bind(13, s.readingsFile);
    s.depth ? insert.bind(4, *s.depth) : insert.bindNull(4);
    if (!insert.run())
        return {AddStatus::Failed, 0, db_.error()};
    const std::int64_t id = db_.lastInsertId();

    sql::Statement row(db_, "INSERT INTO readings VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (const SurveyRow& r : s.rows) {
        row.bind(1, id).bind(2, metres(r.depthTenths));
        for (int j = 0; j < kChannels; ++j)
            r.readings[size_t(j)] ? row.bind(3 + j, *r.readings[size_t(j)]) : row.bindNull(3 + j);
        if (!row.run())
            return {AddStatus::Failed, 0, db_.error()};
    }
    if (!tx.commit())
        return {AddStatus::Failed, 0, db_.error()};
    return {AddStatus::Added, id, {}};
}

std::vector<SurveySummary> SurveyStore::list()
{
    std::vector<SurveySummary> out;
    sql::Statement q(db_, "SELECT id, client, site, tube, readout, date, time, downloaded_at FROM surveys "
                          "ORDER BY client, site, tube, downloaded_at, readout, id");
    while (q.step())
        out.push_back({q.integer(0), q.text(1), q.text(2), q.text(3), q.text(4), q.text(5), q.text(6), q.text(7)});
    return out;
}

bool SurveyStore::readRows(std::int64_t id, std::vector<SurveyRow>& rows)
{
    sql::Statement q(db_, "SELECT * FROM readings WHERE survey_id = ? ORDER BY depth");
    q.bind(1, id);
    while (q.step()) {
        SurveyRow r;
        r.depthTenths = tenthsOf(q.real(1));
        for (int j = 0; j < kChannels; ++j)
            if (!q.isNull(2 + j))
                r.readings[size_t(j)] = q.integer(2 + j);
        rows.push_back(r);
    }
    return q.done();
}

std::optional<Survey> SurveyStore::survey(std::int64_t id)
{
    sql::Statement q(db_, "SELECT " + std::string(kSurveyColumns) + " FROM surveys WHERE id = ?");
    q.bind(1, id);
    if (!q.step())
        return std::nullopt;
    Survey s;
    s.id = q.integer(0);
    s.client = q.text(1);
    s.site = q.text(2);
    s.tube = q.text(3);
    if (!q.isNull(4))
        s.depth = q.real(4);
    s.step = q.real(5);
    s.guides = q.text(6);
    s.north = q.text(7);
    s.readout = q.text(8);
    s.date = q.text(9);
    s.time = q.text(10);
    s.downloadedAt = q.text(11);
    s.headerFile = q.text(12);
    s.readingsFile = q.text(13);
    if (!readRows(id, s.rows))
        return std::nullopt;
    return s;
}

std::vector<TrendPoint> SurveyStore::trend(const std::string& client, const std::string& site,
                                           const std::string& tube, int depthTenths)
{
    std::vector<TrendPoint> out;
    sql::Statement q(db_, "SELECT s.id, s.date, s.time, s.downloaded_at, r.reading1, r.reading2 "
                          "FROM surveys s JOIN readings r ON r.survey_id = s.id AND r.depth = ? "
                          "WHERE s.client = ? AND s.site = ? AND s.tube = ? ORDER BY s.downloaded_at, s.id");
    q.bind(1, metres(depthTenths)).bind(2, client).bind(3, site).bind(4, tube);
    while (q.step()) {
        TrendPoint p{q.integer(0), q.text(1), q.text(2), q.text(3), {}, {}};
        if (!q.isNull(4))
            p.reading1 = q.integer(4);
        if (!q.isNull(5))
            p.reading2 = q.integer(5);
        out.push_back(p);
    }
    return out;
}

} // namespace tarvelon::surveys
