#include "library/sync.h"

#include <algorithm>
#include <set>

namespace tarvelon::surveys {
namespace {

std::string tubeText(const TubeKey& key)
{
    return "client \"" + key.client + "\", site \"" + key.site + "\", tube \"" + key.tube + "\"";
}

// The settings of `key` from one library into the other, the base found again by its key there
// (kept as the receiving side had it when that survey is not there, as after a conflict).
bool copySettings(SurveyStore& from, SurveyStore& to, const TubeKey& key, const std::string& changedAt,
                  std::string& error)
{
    TubeSettings settings = from.tubeSettings(key);
    if (settings.baseId) {
        const std::optional<Survey> base = from.survey(settings.baseId);
        const std::optional<std::int64_t> there = base ? to.find(*base) : std::nullopt;
        settings.baseId = there ? *there : to.tubeSettings(key).baseId;
    }
    if (to.setTubeSettings(key, settings, changedAt, "sync"))
        return true;
    error = "the settings of " + tubeText(key) + " cannot be kept: " + to.error();
    return false;
}

} // namespace

std::string surveyName(const Survey& s)
{
    return tubeText({s.client, s.site, s.tube}) + ", readout " + s.readout + " of " + s.date + " " + s.time;
}

SyncResult syncLibraries(SurveyStore& from, SurveyStore& to, const SyncOptions& options)
{
    SyncResult r;
    const std::vector<SurveySummary> all = from.list();
    r.total = int(all.size());
    const size_t batch = size_t(std::max(1, options.batch));
    for (size_t first = 0; first < all.size(); first += batch) {
        std::vector<Survey> surveys;
        std::vector<std::vector<Correction>> corrections;
        for (size_t i = first; i < std::min(all.size(), first + batch); ++i) {
            std::optional<Survey> s = from.survey(all[i].id);
            if (!s) {
                r.error = "survey " + all[i].readout + " of " + all[i].date + " cannot be read";
                return r;
            }
            corrections.push_back(from.corrections(s->id));
            surveys.push_back(std::move(*s));
        }
        const std::vector<AddResult> results = to.addBatch(surveys, corrections, "sync");
        for (size_t i = 0; i < results.size(); ++i) {
            switch (results[i].status) {
            case AddStatus::Added: ++r.sent; break;
            case AddStatus::Completed: ++r.completed; break;
            case AddStatus::AlreadyThere: ++r.skipped; break;
            case AddStatus::Conflict: r.conflicts.push_back(surveyName(surveys[i])); break;
            case AddStatus::Failed: r.error = results[i].error; return r;
            }
        }
        r.done += int(surveys.size());
        if (options.onBatch && !options.onBatch({r.done, r.total})) {
            r.error = std::string(kSyncStopped);
            return r;
        }
    }

    // Settings after the surveys, so each base is there to be found by its key. Only tubes this
    // side knows come back to it, not every tube of the firm.
    const std::map<TubeKey, std::string> fromAt = from.tubeSettingsChangedAt(), toAt = to.tubeSettingsChangedAt();
    std::set<TubeKey> known;
    for (const auto& [key, at] : fromAt)
        known.insert(key);
    for (const SurveySummary& s : all)
        known.insert({s.client, s.site, s.tube});
    for (const TubeKey& key : known) {
        const auto f = fromAt.find(key), t = toAt.find(key);
        if (f != fromAt.end() && (t == toAt.end() || f->second > t->second)) {
            if (!copySettings(from, to, key, f->second, r.error))
                return r;
            ++r.settingsSent;
        } else if (t != toAt.end() && (f == fromAt.end() || t->second > f->second)) {
            if (!copySettings(to, from, key, t->second, r.error))
                return r;
            ++r.settingsReceived;
        }
    }
    return r;
}

} // namespace tarvelon::surveys
