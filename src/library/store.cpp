#include "library/store.h"
#include "library/store_rows.h"

#include "analysis/displacement.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

namespace tarvelon::surveys {
using namespace stored;

namespace {

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
        alarmsMayChange(tube, *id);
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
    alarmsMayChange(tube, id);
    return {AddStatus::Added, id, {}};
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

} // namespace tarvelon::surveys
