#include "library/sync.h"

#include "analysis/said.h"

#include "library/sync_merge.h"

#include <algorithm>
#include <set>

namespace tarvelon::surveys {
namespace {

std::string tubeText(const TubeKey& key)
{
    return said(QT_TRANSLATE_NOOP("Texts", "client \"%1\", site \"%2\", tube \"%3\""), {key.client, key.site, key.tube});
}

std::string shown(const std::string& value)
{
    return value.empty() ? "none" : value;
}

bool writable(SurveyStore& store)
{
    return !store.readOnly() && store.rights() != SurveyStore::Rights::Read;
}

// The surveys one side deleted go from the other, where that side may delete them; the
// deletion itself is kept there too, so it travels on to a third library.
bool applyDeletions(SurveyStore& holder, SurveyStore& other, int& deleted, std::string& error)
{
    if (!writable(other))
        return true;
    const bool mayDelete = other.rights() == SurveyStore::Rights::Manage;
    for (const Survey& key : holder.deletions()) {
        const std::optional<std::int64_t> id = other.find(key);
        if (id && mayDelete) {
            if (!other.remove(*id)) {
                error = said(QT_TRANSLATE_NOOP("Texts", "a deletion cannot be kept: %1"), {other.error()});
                return false;
            }
            ++deleted;
        } else if (!id && other.onServer() && !mayDelete) {
            continue; // only a manager's delete marks one there
        } else if (!id && !other.addDeletion(key)) {
            error = said(QT_TRANSLATE_NOOP("Texts", "a deletion cannot be kept: %1"), {other.error()});
            return false;
        }
    }
    return true;
}

} // namespace

std::string surveyName(const Survey& s)
{
    return tubeText({s.client, s.site, s.tube}) + ", readout " + s.readout + " of " + s.date + " " + s.time;
}

namespace {

SyncResult syncHeld(SurveyStore& from, SurveyStore& to, bool back, const SyncOptions& options);

} // namespace

SyncResult syncLibraries(SurveyStore& from, SurveyStore& to, const SyncOptions& options)
{
    // Each side looks at its readouts' statuses again only once it holds the other's alarm log,
    // so a change both recorded is not recorded twice; and so too when the sync stops midway.
    const bool back = writable(from);
    to.holdAlarms();
    if (back)
        from.holdAlarms();
    SyncResult r = syncHeld(from, to, back, options);
    if (r.error.empty() || r.error == kSyncStopped)
        mergeAlarmLogs(from, to, back, r.alarms, r.error);
    for (SurveyStore* side : {&to, back ? &from : nullptr})
        if (side && !side->releaseAlarms() && r.error.empty())
            r.error = "the alarm log cannot be brought up to date: " + side->error();
    return r;
}

namespace {

SyncResult syncHeld(SurveyStore& from, SurveyStore& to, bool back, const SyncOptions& options)
{
    SyncResult r;
    r.sourceReadOnly = !back;
    // Deletions first: a survey deleted on one side is not sent back from the other.
    if (!applyDeletions(to, from, r.deletedHere, r.error) || !applyDeletions(from, to, r.deletedThere, r.error))
        return r;
    std::set<std::string> deleted;
    for (const Survey& d : to.deletions())
        deleted.insert(surveyName(d));
    std::vector<SurveySummary> all;
    for (SurveySummary& s : from.list()) {
        Survey key;
        key.client = s.client, key.site = s.site, key.tube = s.tube, key.readout = s.readout, key.date = s.date;
        key.time = s.time;
        if (!deleted.count(surveyName(key)))
            all.push_back(std::move(s));
    }
    r.total = int(all.size());
    const size_t batch = size_t(std::max(1, options.batch));
    for (size_t first = 0; first < all.size(); first += batch) {
        std::vector<Survey> surveys;
        for (size_t i = first; i < std::min(all.size(), first + batch); ++i) {
            std::optional<Survey> s = from.survey(all[i].id);
            if (!s) {
                r.error = said(QT_TRANSLATE_NOOP("Texts", "survey %1 of %2 cannot be read"), {all[i].readout, all[i].date});
                return r;
            }
            surveys.push_back(std::move(*s));
        }
        // Their corrections are merged with the settings, below, as any other correction.
        const std::vector<AddResult> results = to.addBatch(surveys, {}, "sync");
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

    // Settings and corrections after the surveys, so each base and readout is there to be
    // found by its key. Only tubes this side knows come back to it, not every tube of the firm.
    std::set<TubeKey> known;
    for (const auto& [key, at] : from.tubeSettingsChangedAt())
        known.insert(key);
    for (const SurveySummary& s : all)
        known.insert({s.client, s.site, s.tube});
    const std::string fromId = from.identity(), toId = to.identity();
    // A conflict keeps the server's value; between two files, the target's.
    const bool keepTo = to.onServer() || !from.onServer();
    for (const TubeKey& key : known) {
        const Fields a = fieldsOf(from, key), b = fieldsOf(to, key);
        Fields base = back ? from.syncBase(toId, key) : Fields{};
        if (base.empty())
            base = to.syncBase(fromId, key);
        const Merged m = mergeFields(a, b, base, keepTo);
        for (const std::string& field : m.conflictFields) {
            const auto valueIn = [&field](const Fields& f) {
                const auto it = f.find(field);
                return shown(it == f.end() ? defaultOf(field) : it->second);
            };
            r.settingConflicts.push_back(
                keepTo ? said(QT_TRANSLATE_NOOP("Texts", "%1: %2 changed on both sides (%3 in the source, %4 in the "
                                                         "target); the target's is kept until someone chooses"),
                              {tubeText(key), field, valueIn(a), valueIn(b)})
                       : said(QT_TRANSLATE_NOOP("Texts", "%1: %2 changed on both sides (%3 in the source, %4 in the "
                                                         "target); the source's is kept until someone chooses"),
                              {tubeText(key), field, valueIn(a), valueIn(b)}));
        }
        bool changedTo = false, changedFrom = false;
        if (!applyFields(to, key, b, m.fields, changedTo, r.error))
            return r;
        if (back && !applyFields(from, key, a, m.fields, changedFrom, r.error))
            return r;
        r.settingsSent += changedTo ? 1 : 0;
        r.settingsReceived += changedFrom ? 1 : 0;
        // What both now hold is what they last agreed on, kept on each side that may be written.
        if (!to.setSyncBase(fromId, key, m.fields) || (back && !from.setSyncBase(toId, key, m.fields))) {
            r.error = said(QT_TRANSLATE_NOOP("Texts", "what was agreed cannot be kept: %1"),
                           {(back ? from.error() + " " : "") + to.error()});
            return r;
        }
    }
    return r;
}

} // namespace

} // namespace tarvelon::surveys
