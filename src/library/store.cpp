#include "library/store.h"

#include "analysis/displacement.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

namespace tarvelon::surveys {
namespace {

constexpr std::string_view kSurveyColumns = "s.id, s.client, s.site, s.tube, s.depth, s.step, s.guides, s.north, "
                                            "s.readout, s.date, s.time, s.downloaded_at, s.header_file, "
                                            "s.readings_file, s.origin, s.missing_depths, s.probe_serial, s.probe_constant";
constexpr int kSurveyColumnCount = 18;

double metres(int tenths)
{
    return tenths / 10.0;
}

int tenthsOf(double metres)
{
    // A value no unit could give (a damaged or foreign row) becomes a depth that is not held.
    if (!(metres >= -1 && metres <= kDeepestTenths / 10.0 + 1))
        return -1;
    return static_cast<int>(std::lround(metres * 10));
}

// Rows and missing depths beyond what a unit can hold are refused as they are read.
bool held(int tenths)
{
    return tenths >= 0 && tenths <= kDeepestTenths;
}

// The unit's readings are signed 16-bit values; a row with any other is not the unit's.
constexpr std::int64_t kReadingLimit = 32767;

bool rowHeld(const sql::Statement& q, int first)
{
    if (!held(tenthsOf(q.real(first))))
        return false;
    for (int j = 0; j < kChannels; ++j)
        if (!q.isNull(first + 1 + j) && (q.integer(first + 1 + j) > kReadingLimit || q.integer(first + 1 + j) < -kReadingLimit))
            return false;
    return true;
}

// NUL and the other control characters become a space, the same on every engine (a server
// refuses NUL in text, a file keeps it); true when one was there.
bool withoutControlCharacters(std::string& text)
{
    bool found = false;
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            c = ' ';
            found = true;
        }
    return found;
}

bool cleanHeaderTexts(Survey& s)
{
    bool found = false;
    for (std::string* text : {&s.client, &s.site, &s.tube, &s.guides, &s.north, &s.readout, &s.date, &s.time})
        found = withoutControlCharacters(*text) || found;
    return found;
}

// The depths and readings 1 and 2, all that the export files carry: a download and a later
// import of its files are the same survey. Where one of them is incomplete, only the depths
// both hold are compared, and a whole survey must hold every depth the other read.
bool agree(const std::vector<SurveyRow>& kept, bool keptWhole, const std::vector<SurveyRow>& added, bool addedWhole)
{
    std::map<int, const SurveyRow*> at;
    for (const SurveyRow& r : kept)
        at[r.depthTenths] = &r;
    size_t shared = 0;
    for (const SurveyRow& r : added) {
        const auto it = at.find(r.depthTenths);
        if (it == at.end()) {
            if (keptWhole)
                return false;
            continue;
        }
        ++shared;
        if (it->second->readings[0] != r.readings[0] || it->second->readings[1] != r.readings[1])
            return false;
    }
    return !addedWhole || shared == kept.size();
}

std::string depthList(const std::vector<int>& tenths)
{
    std::string out;
    for (int t : tenths)
        out += (out.empty() ? "" : " ") + depthMetres(t);
    return out;
}

std::vector<int> depthsOf(const std::string& list)
{
    std::vector<int> out;
    std::istringstream in(list);
    for (double m; in >> m;)
        if (held(tenthsOf(m)))
            out.push_back(tenthsOf(m));
    return out;
}

std::string originText(Origin o)
{
    return o == Origin::Download ? "download" : o == Origin::Import ? "import" : "";
}

Origin originOf(const std::string& text)
{
    return text == "download" ? Origin::Download : text == "import" ? Origin::Import : Origin::Unknown;
}

// The survey's own time first; one without a real date after those with one, by when it was kept.
bool earlier(const std::string& dateA, const std::string& timeA, const std::string& keptA, std::int64_t idA,
             const std::string& dateB, const std::string& timeB, const std::string& keptB, std::int64_t idB)
{
    const auto a = surveyDays(dateA, timeA), b = surveyDays(dateB, timeB);
    if (a.has_value() != b.has_value())
        return a.has_value();
    if (a && *a != *b)
        return *a < *b;
    return std::tie(keptA, idA) < std::tie(keptB, idB);
}

// A survey's columns as kSurveyColumns lists them, rows aside.
Survey surveyOfRow(const sql::Statement& q)
{
    Survey s;
    s.id = q.integer(0);
    s.client = q.text(1);
    s.site = q.text(2);
    s.tube = q.text(3);
    s.depth = q.optionalReal(4);
    s.step = q.real(5);
    s.guides = q.text(6);
    s.north = q.text(7);
    s.readout = q.text(8);
    s.date = q.text(9);
    s.time = q.text(10);
    s.downloadedAt = q.text(11);
    s.headerFile = q.text(12);
    s.readingsFile = q.text(13);
    s.origin = originOf(q.text(14));
    s.missingTenths = depthsOf(q.text(15));
    s.probeSerial = q.text(16);
    s.probeConstant = q.optionalReal(17);
    return s;
}

SurveyRow rowOf(const sql::Statement& q, int first)
{
    SurveyRow r;
    r.depthTenths = tenthsOf(q.real(first));
    for (int j = 0; j < kChannels; ++j)
        if (!q.isNull(first + 1 + j))
            r.readings[size_t(j)] = q.integer(first + 1 + j);
    return r;
}

} // namespace

std::optional<std::int64_t> SurveyStore::find(const Survey& key)
{
    Survey s;
    s.client = key.client, s.site = key.site, s.tube = key.tube, s.readout = key.readout, s.date = key.date;
    s.time = key.time;
    cleanHeaderTexts(s);
    sql::Statement q(db_, "SELECT id FROM surveys WHERE client = ? AND site = ? AND tube = ? AND readout = ? "
                          "AND date = ? AND time = ?");
    q.bind(1, s.client).bind(2, s.site).bind(3, s.tube).bind(4, s.readout).bind(5, s.date).bind(6, s.time);
    if (q.step())
        return q.integer(0);
    return std::nullopt;
}

bool SurveyStore::insertRows(std::int64_t id, const std::vector<SurveyRow>& rows)
{
    // Many rows a statement: a server is asked once for them, not once a depth. 90 rows of 10
    // values stay within the 999 parameters the oldest SQLite takes.
    constexpr size_t kBatch = 90;
    std::string sql;
    size_t prepared = 0;
    std::optional<sql::Statement> insert;
    for (size_t first = 0; first < rows.size(); first += kBatch) {
        const size_t n = std::min(kBatch, rows.size() - first);
        if (n != prepared) {
            sql = "INSERT INTO readings VALUES ";
            for (size_t i = 0; i < n; ++i)
                sql += i ? ", (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)" : "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
            insert.reset();
            insert.emplace(db_, sql);
            prepared = n;
        }
        int at = 1;
        for (size_t i = first; i < first + n; ++i) {
            const SurveyRow& r = rows[i];
            insert->bind(at, id).bind(at + 1, metres(r.depthTenths));
            at += 2;
            for (int j = 0; j < kChannels; ++j, ++at)
                r.readings[size_t(j)] ? insert->bind(at, *r.readings[size_t(j)]) : insert->bindNull(at);
        }
        if (!insert->run())
            return false;
    }
    return true;
}

bool SurveyStore::undelete(const Survey& s)
{
    // A survey added again is no longer one deleted; a server sees to it itself.
    if (onServer())
        return true;
    sql::Statement q(db_, "DELETE FROM deleted_surveys WHERE client = ? AND site = ? AND tube = ? AND readout = ? "
                          "AND date = ? AND time = ?");
    q.bind(1, s.client).bind(2, s.site).bind(3, s.tube).bind(4, s.readout).bind(5, s.date).bind(6, s.time);
    return q.run();
}

AddResult SurveyStore::add(const Survey& s)
{
    if (!writable())
        return {AddStatus::Failed, 0, error_};
    sql::Transaction tx(db_);
    if (!tx.begun())
        return {AddStatus::Failed, 0, db_.error()};
    alarmTubes_.clear();
    const AddResult r = addIn(s, originText(s.origin));
    if ((r.status == AddStatus::Added || r.status == AddStatus::Completed) && !recordAlarms())
        return {AddStatus::Failed, 0, error_};
    if ((r.status == AddStatus::Added || r.status == AddStatus::Completed) && !tx.commit())
        return {AddStatus::Failed, 0, db_.error()};
    return r;
}

AddResult SurveyStore::addIn(const Survey& given, const std::string& how)
{
    Survey s = given;
    if (cleanHeaderTexts(s))
        ++textsCleaned_;
    const std::string label = "survey " + s.readout + " of " + s.date;
    const TubeKey tube{s.client, s.site, s.tube};
    if (const auto id = find(s)) {
        const std::optional<Survey> kept = survey(*id);
        if (!kept)
            return {AddStatus::Failed, 0, db_.error()};
        if (!agree(kept->rows, kept->complete(), s.rows, s.complete()))
            return {AddStatus::Conflict, *id, {}};
        if (kept->complete())
            return {AddStatus::AlreadyThere, *id, {}};
        // The kept rows stay (a download's may hold readings 3 to 8 an import lacks); the
        // depths it lacked come from the new survey.
        std::set<int> have;
        for (const SurveyRow& r : kept->rows)
            have.insert(r.depthTenths);
        std::vector<SurveyRow> rows;
        std::set<int> got;
        for (const SurveyRow& r : s.rows) {
            got.insert(r.depthTenths);
            if (!have.count(r.depthTenths))
                rows.push_back(r);
        }
        std::vector<int> missing;
        if (!s.complete())
            for (int t : kept->missingTenths)
                if (!got.count(t))
                    missing.push_back(t);
        if (rows.empty() && missing == kept->missingTenths)
            return {AddStatus::AlreadyThere, *id, {}};
        sql::Statement update(db_, "UPDATE surveys SET missing_depths = ?, header_file = ?, readings_file = ?, "
                                   "downloaded_at = ?, origin = ? WHERE id = ?");
        const bool files = s.complete() || kept->headerFile.empty();
        update.bind(1, depthList(missing)).bind(6, *id);
        update.bind(2, files ? s.headerFile : kept->headerFile).bind(3, files ? s.readingsFile : kept->readingsFile);
        update.bind(4, s.downloadedAt).bind(5, originText(s.origin));
        const std::string what = label + (missing.empty() ? " completed: " : ": ") + std::to_string(rows.size()) +
                                 " depths added" + (missing.empty() ? "" : ", still incomplete");
        if (!update.run() || !insertRows(*id, rows) || !record(tube, *id, what))
            return {AddStatus::Failed, 0, db_.error()};
        alarmsMayChange(tube);
        return {AddStatus::Completed, *id, {}};
    }

    if (how != "sync")
        probeFromTube(s);
    sql::Statement insert(db_, "INSERT INTO surveys (client, site, tube, depth, step, guides, north, readout, date, "
                               "time, downloaded_at, header_file, readings_file, origin, missing_depths, probe_serial, "
                               "probe_constant) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id");
    insert.bind(16, s.probeSerial).bind(17, s.probeConstant);
    insert.bind(1, s.client).bind(2, s.site).bind(3, s.tube).bind(5, s.step).bind(6, s.guides).bind(7, s.north);
    insert.bind(8, s.readout).bind(9, s.date).bind(10, s.time).bind(11, s.downloadedAt);
    insert.bind(12, s.headerFile).bind(13, s.readingsFile).bind(15, depthList(s.missingTenths));
    s.origin == Origin::Unknown ? insert.bindNull(14) : insert.bind(14, originText(s.origin));
    s.depth ? insert.bind(4, *s.depth) : insert.bindNull(4);
    if (!insert.step())
        return {AddStatus::Failed, 0, db_.error()};
    const std::int64_t id = insert.integer(0);
    insert.reset();
    const std::string what = label + " added" + (how.empty() ? "" : " (" + how + ")") + (s.complete() ? "" : ", incomplete");
    if (!insertRows(id, s.rows) || !record(tube, id, what) || !undelete(s))
        return {AddStatus::Failed, 0, db_.error()};
    alarmsMayChange(tube);
    return {AddStatus::Added, id, {}};
}

std::vector<SurveySummary> SurveyStore::list()
{
    std::vector<SurveySummary> out;
    sql::Statement q(db_, "SELECT id, client, site, tube, readout, date, time, downloaded_at, origin, "
                          "CASE WHEN missing_depths = '' THEN 1 ELSE 0 END FROM surveys ORDER BY client, site, tube");
    while (q.step())
        out.push_back({q.integer(0), q.text(1), q.text(2), q.text(3), q.text(4), q.text(5), q.text(6), q.text(7),
                       originOf(q.text(8)), q.integer(9) != 0});
    // Each tube's readouts by their own date and time; the day number is worked out once each.
    std::vector<std::optional<double>> days;
    for (const SurveySummary& s : out)
        days.push_back(surveyDays(s.date, s.time));
    std::vector<size_t> order(out.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const SurveySummary &x = out[a], &y = out[b];
        if (std::tie(x.client, x.site, x.tube) != std::tie(y.client, y.site, y.tube))
            return std::tie(x.client, x.site, x.tube) < std::tie(y.client, y.site, y.tube);
        if (days[a].has_value() != days[b].has_value())
            return days[a].has_value();
        if (days[a] && *days[a] != *days[b])
            return *days[a] < *days[b];
        return std::tie(x.downloadedAt, x.id) < std::tie(y.downloadedAt, y.id);
    });
    std::vector<SurveySummary> sorted;
    sorted.reserve(out.size());
    for (size_t i : order)
        sorted.push_back(std::move(out[i]));
    return sorted;
}

namespace {

// Surveys with their rows, one row of the query per reading, ordered by the survey's own date.
std::vector<Survey> surveysOfRows(sql::Statement& q)
{
    std::vector<Survey> out;
    while (q.step()) {
        if (out.empty() || out.back().id != q.integer(0))
            out.push_back(surveyOfRow(q));
        if (!q.isNull(kSurveyColumnCount) && rowHeld(q, kSurveyColumnCount + 1))
            out.back().rows.push_back(rowOf(q, kSurveyColumnCount + 1));
    }
    std::stable_sort(out.begin(), out.end(), [](const Survey& a, const Survey& b) {
        return earlier(a.date, a.time, a.downloadedAt, a.id, b.date, b.time, b.downloadedAt, b.id);
    });
    return out;
}

} // namespace

std::vector<Survey> SurveyStore::tubeSurveys(const TubeKey& tube)
{
    sql::Statement q(db_, "SELECT " + std::string(kSurveyColumns) +
                              ", r.* FROM surveys s LEFT JOIN readings r ON r.survey_id = s.id "
                              "WHERE s.client = ? AND s.site = ? AND s.tube = ? ORDER BY s.id, r.depth");
    q.bind(1, tube.client).bind(2, tube.site).bind(3, tube.tube);
    return surveysOfRows(q);
}

std::vector<Survey> SurveyStore::latestTubeSurveys(const TubeKey& tube, std::int64_t baseId, size_t count)
{
    struct Key {
        std::string date, time, kept;
        std::int64_t id;
    };
    std::vector<Key> keys;
    sql::Statement list(db_, "SELECT date, time, downloaded_at, id FROM surveys WHERE client = ? AND site = ? AND tube = ?");
    list.bind(1, tube.client).bind(2, tube.site).bind(3, tube.tube);
    while (list.step())
        keys.push_back({list.text(0), list.text(1), list.text(2), list.integer(3)});
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        return earlier(a.date, a.time, a.kept, a.id, b.date, b.time, b.kept, b.id);
    });
    // Ids are numbers the library gave: written into the statement, they cannot be anything else.
    std::string ids = std::to_string(baseId);
    for (size_t i = keys.size() > count ? keys.size() - count : 0; i < keys.size(); ++i)
        ids += ", " + std::to_string(keys[i].id);
    sql::Statement q(db_, "SELECT " + std::string(kSurveyColumns) +
                              ", r.* FROM surveys s LEFT JOIN readings r ON r.survey_id = s.id WHERE s.id IN (" + ids +
                              ") ORDER BY s.id, r.depth");
    return surveysOfRows(q);
}

std::optional<std::int64_t> SurveyStore::findReadout(const TubeKey& tube, const std::string& readout)
{
    const auto number = [](const std::string& text) {
        const size_t first = text.find_first_not_of('0');
        return first == std::string::npos ? std::string("0") : text.substr(first);
    };
    std::optional<std::int64_t> found;
    sql::Statement q(db_, "SELECT id, readout, date, time, downloaded_at FROM surveys "
                          "WHERE client = ? AND site = ? AND tube = ?");
    q.bind(1, tube.client).bind(2, tube.site).bind(3, tube.tube);
    std::string date, time, kept;
    while (q.step()) {
        if (number(q.text(1)) != number(readout))
            continue;
        if (!found || earlier(date, time, kept, *found, q.text(2), q.text(3), q.text(4), q.integer(0))) {
            found = q.integer(0);
            date = q.text(2), time = q.text(3), kept = q.text(4);
        }
    }
    return found;
}

bool SurveyStore::readRows(std::int64_t id, std::vector<SurveyRow>& rows)
{
    sql::Statement q(db_, "SELECT * FROM readings WHERE survey_id = ? ORDER BY depth");
    q.bind(1, id);
    while (q.step())
        if (rowHeld(q, 1))
            rows.push_back(rowOf(q, 1));
    return q.done();
}

std::optional<Survey> SurveyStore::survey(std::int64_t id)
{
    sql::Statement q(db_, "SELECT " + std::string(kSurveyColumns) + " FROM surveys s WHERE s.id = ?");
    q.bind(1, id);
    if (!q.step())
        return std::nullopt;
    Survey s = surveyOfRow(q);
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
