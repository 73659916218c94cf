// What syncing two libraries keeps in each: its own name for the others, the value of each tube
// setting and correction as it last agreed with each other library, and the surveys deleted.
#include "library/store.h"

namespace tarvelon::surveys {

std::string SurveyStore::identity()
{
    sql::Statement q(db_, "SELECT id FROM library_identity");
    return q.step() ? q.text(0) : std::string();
}

std::map<std::string, std::string> SurveyStore::syncBase(const std::string& peer, const TubeKey& tube)
{
    std::map<std::string, std::string> out;
    sql::Statement q(db_, "SELECT field, value FROM sync_bases WHERE peer = ? AND client = ? AND site = ? AND tube = ?");
    q.bind(1, peer).bind(2, tube.client).bind(3, tube.site).bind(4, tube.tube);
    while (q.step())
        out[q.text(0)] = q.text(1);
    return out;
}

bool SurveyStore::setSyncBase(const std::string& peer, const TubeKey& tube, const std::map<std::string, std::string>& values)
{
    return inOneTransaction([&] {
        sql::Statement clear(db_, "DELETE FROM sync_bases WHERE peer = ? AND client = ? AND site = ? AND tube = ?");
        clear.bind(1, peer).bind(2, tube.client).bind(3, tube.site).bind(4, tube.tube);
        if (!clear.run()) {
            error_ = db_.error();
            return false;
        }
        sql::Statement insert(db_, "INSERT INTO sync_bases (peer, client, site, tube, field, value) VALUES (?, ?, ?, ?, ?, ?)");
        for (const auto& [field, value] : values) {
            insert.bind(1, peer).bind(2, tube.client).bind(3, tube.site).bind(4, tube.tube).bind(5, field).bind(6, value);
            if (!insert.run()) {
                error_ = db_.error();
                return false;
            }
        }
        return true;
    });
}

std::vector<Survey> SurveyStore::deletions()
{
    std::vector<Survey> out;
    sql::Statement q(db_, "SELECT client, site, tube, readout, date, time FROM deleted_surveys");
    while (q.step()) {
        Survey s;
        s.client = q.text(0), s.site = q.text(1), s.tube = q.text(2);
        s.readout = q.text(3), s.date = q.text(4), s.time = q.text(5);
        out.push_back(std::move(s));
    }
    return out;
}

bool SurveyStore::recordDeletion(const Survey& key)
{
    sql::Statement q(db_, "INSERT INTO deleted_surveys (client, site, tube, readout, date, time, deleted_at) "
                          "VALUES (?, ?, ?, ?, ?, ?, ?) ON CONFLICT DO NOTHING");
    q.bind(1, key.client).bind(2, key.site).bind(3, key.tube).bind(4, key.readout).bind(5, key.date).bind(6, key.time);
    q.bind(7, now());
    if (!q.run()) {
        error_ = db_.error();
        return false;
    }
    return true;
}

bool SurveyStore::addDeletion(const Survey& key)
{
    return inOneTransaction([&] { return recordDeletion(key); });
}

} // namespace tarvelon::surveys
