// Who changed what: every change is recorded in the transaction of the change itself, and
// what syncing two libraries needs (surveys in batches, settings with the time they changed).
#include "library/store.h"

#include "analysis/displacement.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <map>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace tarvelon::surveys {
namespace {

// One decimal, a true minus sign, as a person writes it; "none" for a value not set.
std::string decimal(std::optional<double> v, const char* unit = "", int decimals = 1)
{
    if (!v)
        return "none";
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf, *v, std::chars_format::fixed, decimals).ptr;
    std::string s(buf, end);
    if (s[0] == '-')
        s = (s.find_first_not_of("-0.") == std::string::npos ? "" : "\u2212") + s.substr(1);
    return s + unit;
}

std::string quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

// What a person would name each setting, its value as text and its unit, in the library's own units.
struct SettingText {
    const char* name;
    const char* unit;
    std::string (*value)(const TubeSettings&);
};

const SettingText kSettingTexts[] = {
    {"probe constant", "", [](const TubeSettings& t) { return t.constant > 0 ? decimal(t.constant, "", 0) : "none"; }},
    {"units", "", [](const TubeSettings& t) { return std::string(t.units == Units::Inches ? "in" : "mm"); }},
    {"north", "\u00B0", [](const TubeSettings& t) { return decimal(t.north); }},
    {"alert", " mm", [](const TubeSettings& t) { return decimal(t.alertMm); }},
    {"alarm", " mm", [](const TubeSettings& t) { return decimal(t.alarmMm); }},
    {"alert rate", " mm/day", [](const TubeSettings& t) { return decimal(t.alertMmPerDay); }},
    {"alarm rate", " mm/day", [](const TubeSettings& t) { return decimal(t.alarmMmPerDay); }},
    {"second pass", "", [](const TubeSettings& t) { return std::string(t.secondPass ? "yes" : "no"); }},
    {"depth reference", "", [](const TubeSettings& t) { return depthReferenceName(t.depthReference); }},
    {"gauge", " m", [](const TubeSettings& t) { return decimal(t.gaugeM, "", 2); }},
    {"checksum tolerance", " units", [](const TubeSettings& t) { return decimal(t.checksumTolerance); }},
    {"fixed end", "", [](const TubeSettings& t) { return fixedEndName(t.fixedEnd); }},
    {"minimum rate interval", " days", [](const TubeSettings& t) { return decimal(t.minIntervalDays, "", 2); }},
    {"precision", " mm", [](const TubeSettings& t) { return decimal(t.precisionMm, "", 2); }},
    {"rate unit", "", [](const TubeSettings& t) { return rateUnitWord(t.rateUnit); }},
    {"easting", " m", [](const TubeSettings& t) { return decimal(t.easting, "", 3); }},
    {"northing", " m", [](const TubeSettings& t) { return decimal(t.northing, "", 3); }},
    {"reading interval", " days", [](const TubeSettings& t) { return decimal(t.readingIntervalDays, "", 2); }},
    {"project", "", [](const TubeSettings& t) { return quoted(t.report.project); }},
    {"project number", "", [](const TubeSettings& t) { return quoted(t.report.projectNo); }},
    {"location", "", [](const TubeSettings& t) { return quoted(t.report.location); }},
    {"top elevation", " m", [](const TubeSettings& t) { return decimal(t.report.topElevation, "", 2); }},
    {"probe serial", "", [](const TubeSettings& t) { return quoted(t.report.probeSerial); }},
    {"remarks", "", [](const TubeSettings& t) { return quoted(t.report.remarks); }},
    {"report language", "", [](const TubeSettings& t) { return quoted(t.report.language); }},
};

// "alarm 5.0 → 4.0 mm", "alarm 5.0 mm → none": the unit once, after the values that carry it.
std::string change(const SettingText& s, const std::string& from, const std::string& to)
{
    if (from != "none" && to != "none")
        return std::string(s.name) + " " + from + " \u2192 " + to + s.unit;
    const auto shown = [&s](const std::string& v) { return v == "none" ? v : v + s.unit; };
    return std::string(s.name) + " " + shown(from) + " \u2192 " + shown(to);
}

std::string correctionText(const Correction& c)
{
    const char* unit = c.kind == CorrectionKind::Rotation          ? "\u00B0"
                       : c.kind == CorrectionKind::DepthShift      ? " m"
                       : c.kind == CorrectionKind::TopDisplacement ? " mm"
                                                                   : "";
    return kindName(c.kind) + (c.kind == CorrectionKind::DepthShift ? "" : c.axis ? " B" : " A") + " " +
           decimal(c.value, unit, c.kind == CorrectionKind::Bias ? 1 : 2);
}

std::string via(const std::string& how)
{
    return how.empty() ? "" : " (" + how + ")";
}

} // namespace

bool SurveyStore::writable()
{
    if (db_.isOpen() && !readOnly_)
        return true;
    if (error_.empty())
        error_ = "the library is not open";
    return false;
}

std::string SurveyStore::who()
{
    if (!user_.empty())
        return user_;
    // On a server the user is the one the server knows, whatever this computer calls him.
    if (onServer()) {
        sql::Statement q(db_, "SELECT current_user");
        if (q.step())
            return q.text(0);
    }
    for (const char* name : {"USER", "USERNAME", "LOGNAME"})
        if (const char* v = std::getenv(name); v && *v)
            return v;
    // A program started by a desktop or a service may have none of them; the system still
    // knows whose login it runs under.
#ifdef _WIN32
    wchar_t name[257];
    DWORD size = 257;
    if (GetUserNameW(name, &size) && size > 1) {
        char utf8[1024];
        if (const int n = WideCharToMultiByte(CP_UTF8, 0, name, int(size - 1), utf8, sizeof utf8, nullptr, nullptr); n > 0)
            return std::string(utf8, size_t(n));
    }
#else
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_name && *pw->pw_name)
        return pw->pw_name;
#endif
    return "unknown";
}

std::string SurveyStore::now()
{
    if (clock_)
        return clock_();
    using namespace std::chrono;
    const auto t = floor<seconds>(system_clock::now());
    const auto day = floor<days>(t);
    const year_month_day ymd{day};
    const hh_mm_ss hms{t - day};
    char out[32];
    std::snprintf(out, sizeof out, "%04d-%02u-%02uT%02d:%02d:%02dZ", int(ymd.year()), unsigned(ymd.month()),
                  unsigned(ymd.day()), int(hms.hours().count()), int(hms.minutes().count()),
                  int(hms.seconds().count()));
    return out;
}

bool SurveyStore::record(const TubeKey& tube, std::optional<std::int64_t> surveyId, const std::string& what)
{
    // A server writes its history itself, with the role and its own time; no role may insert.
    const bool server = onServer();
    sql::Statement q(db_, server ? "SELECT tarvelon_record(?, ?, ?, ?, ?)"
                                 : "INSERT INTO history (client, site, tube, survey_id, what, at, who) "
                                   "VALUES (?, ?, ?, ?, ?, ?, ?)");
    q.bind(1, tube.client).bind(2, tube.site).bind(3, tube.tube).bind(5, what);
    surveyId ? q.bind(4, *surveyId) : q.bindNull(4);
    if (!server)
        q.bind(6, now()).bind(7, who());
    if (!q.run()) {
        error_ = db_.error();
        return false;
    }
    return true;
}

bool SurveyStore::labelOf(std::int64_t surveyId, TubeKey& tube, std::string& label)
{
    sql::Statement q(db_, "SELECT client, site, tube, readout, date FROM surveys WHERE id = ?");
    q.bind(1, surveyId);
    if (!q.step()) {
        error_ = q.done() ? "the library holds no survey " + std::to_string(surveyId) : db_.error();
        return false;
    }
    tube = {q.text(0), q.text(1), q.text(2)};
    label = q.text(3) + " of " + q.text(4);
    return true;
}

bool SurveyStore::recordSettings(const TubeKey& tube, const TubeSettings& before, const TubeSettings& after,
                                 const std::string& how)
{
    // A new base and the one it carries on from are one change, said in one line.
    if (before.baseId != after.baseId || before.continuedFromId != after.continuedFromId) {
        TubeKey ignored;
        std::string label, previous;
        if ((after.baseId && !labelOf(after.baseId, ignored, label)) ||
            (after.continuedFromId && !labelOf(after.continuedFromId, ignored, previous)))
            return false;
        std::string what = after.baseId ? "base set to " + label : std::string("base cleared");
        if (after.continuedFromId)
            what += ", carrying on from " + previous;
        else if (before.continuedFromId && before.baseId == after.baseId)
            what = "base " + label + " no longer carries on from the one before";
        if (!record(tube, after.baseId ? std::optional(after.baseId) : std::nullopt, what + via(how)))
            return false;
    }
    std::string changes;
    for (const SettingText& s : kSettingTexts)
        if (const std::string from = s.value(before), to = s.value(after); from != to)
            changes += (changes.empty() ? "" : "; ") + change(s, from, to);
    return changes.empty() || record(tube, std::nullopt, "settings changed" + via(how) + ": " + changes);
}

bool SurveyStore::writeCorrections(std::int64_t surveyId, const std::vector<Correction>& given, const std::string& how)
{
    TubeKey tube;
    std::string label;
    if (!labelOf(surveyId, tube, label))
        return false;
    // One per kind and axis, the last given winning, as a list typed twice means.
    std::map<std::pair<CorrectionKind, int>, Correction> after, before;
    for (const Correction& c : given)
        after[{c.kind, c.axis}] = c;
    for (const Correction& c : corrections(surveyId))
        before[{c.kind, c.axis}] = c;
    sql::Statement clear(db_, "DELETE FROM corrections WHERE survey_id = ?");
    clear.bind(1, surveyId);
    if (!clear.run()) {
        error_ = db_.error();
        return false;
    }
    sql::Statement insert(db_, "INSERT INTO corrections (survey_id, kind, axis, value, how, accepted_at, enabled) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?)");
    for (const auto& [key, c] : after) {
        insert.bind(1, surveyId).bind(2, kindName(c.kind)).bind(3, std::int64_t(c.axis)).bind(4, c.value);
        insert.bind(5, c.how).bind(6, c.acceptedAt).bind(7, std::int64_t(c.on ? 1 : 0));
        if (!insert.run()) {
            error_ = db_.error();
            return false;
        }
        const auto was = before.find(key);
        std::string what;
        if (was == before.end() || was->second.value != c.value || was->second.how != c.how)
            what = "correction accepted on " + label;
        else if (was->second.on != c.on)
            what = std::string("correction switched ") + (c.on ? "on" : "off") + " on " + label;
        if (!what.empty() && !record(tube, surveyId, what + via(how) + ": " + correctionText(c)))
            return false;
    }
    for (const auto& [key, c] : before)
        if (!after.count(key) && !record(tube, surveyId, "correction removed on " + label + via(how) + ": " + correctionText(c)))
            return false;
    alarmsMayChange(tube);
    return true;
}

bool SurveyStore::mergeCorrections(std::int64_t surveyId, const std::vector<Correction>& given, const std::string& how)
{
    std::vector<Correction> list = corrections(surveyId);
    const size_t had = list.size();
    for (const Correction& c : given)
        if (std::none_of(list.begin(), list.end(), [&c](const Correction& k) { return k.kind == c.kind && k.axis == c.axis; }))
            list.push_back(c);
    return list.size() == had || writeCorrections(surveyId, list, how);
}

bool SurveyStore::remove(std::int64_t id)
{
    if (!writable())
        return false;
    sql::Transaction tx(db_);
    TubeKey tube;
    std::string label;
    if (!tx.begun()) {
        error_ = db_.error();
        return false;
    }
    if (!labelOf(id, tube, label))
        return false;
    sql::Statement base(db_, "SELECT count(*) FROM tubes WHERE base_survey_id = ?");
    base.bind(1, id);
    const bool wasBase = base.step() && base.integer(0) > 0;
    // Each table by hand, not left to the tables' own rules, so every engine deletes the same;
    // a server does it in a function of its own, the only way its readings are ever deleted.
    bool ok = true;
    if (onServer()) {
        sql::Statement q(db_, "SELECT tarvelon_delete_survey(?)");
        q.bind(1, id);
        ok = q.run();
    } else if (const std::optional<Survey> key = survey(id); !key || !recordDeletion(*key)) {
        return false;
    } else
        for (const char* sql : {"UPDATE tubes SET base_survey_id = NULL WHERE base_survey_id = ?",
                                "UPDATE tubes SET continued_from_id = NULL WHERE continued_from_id = ?",
                                "DELETE FROM corrections WHERE survey_id = ?", "DELETE FROM readings WHERE survey_id = ?",
                                "DELETE FROM surveys WHERE id = ?"}) {
            sql::Statement q(db_, sql);
            q.bind(1, id);
            ok = ok && q.run();
        }
    if (!ok) {
        error_ = db_.error();
        return false;
    }
    if (!record(tube, id, "survey " + label + " deleted" + (wasBase ? "; the tube has no base now" : "")))
        return false;
    // The readouts measured against the one deleted (its base, or the one before) may change.
    alarmTubes_.clear();
    alarmsMayChange(tube);
    if (!recordAlarms())
        return false;
    if (!tx.commit()) {
        error_ = db_.error();
        return false;
    }
    return true;
}

std::vector<HistoryEntry> SurveyStore::history(const TubeKey& tube)
{
    std::vector<HistoryEntry> out;
    // On a server, a line the server wrote of a change shows only where the program that made
    // it said nothing of that tube in its transaction: a change made any other way.
    sql::Statement q(db_, onServer()
                              ? "SELECT at, who, survey_id, what FROM history h WHERE client = ? AND site = ? AND "
                                "tube = ? AND (NOT by_server OR NOT EXISTS (SELECT 1 FROM history p WHERE p.txid = "
                                "h.txid AND NOT p.by_server AND p.client = h.client AND p.site = h.site AND p.tube = "
                                "h.tube)) ORDER BY at, id"
                              : "SELECT at, who, survey_id, what FROM history WHERE client = ? AND site = ? AND "
                                "tube = ? ORDER BY at, id");
    q.bind(1, tube.client).bind(2, tube.site).bind(3, tube.tube);
    while (q.step())
        out.push_back({q.text(0), q.text(1), q.isNull(2) ? std::nullopt : std::optional(q.integer(2)), q.text(3)});
    return out;
}

std::vector<AddResult> SurveyStore::addBatch(const std::vector<Survey>& surveys,
                                             const std::vector<std::vector<Correction>>& corrections,
                                             const std::string& how)
{
    const auto failed = [&surveys](const std::string& why) {
        return std::vector<AddResult>(surveys.size(), AddResult{AddStatus::Failed, 0, why});
    };
    if (!writable())
        return failed(error_);
    sql::Transaction tx(db_);
    if (!tx.begun())
        return failed(db_.error());
    std::vector<AddResult> out;
    alarmTubes_.clear();
    for (size_t i = 0; i < surveys.size(); ++i) {
        const AddResult r = addIn(surveys[i], how);
        if (r.status == AddStatus::Failed)
            return failed(r.error);
        if (r.status != AddStatus::Conflict && i < corrections.size() && !mergeCorrections(r.id, corrections[i], how))
            return failed(error_);
        out.push_back(r);
    }
    if (!recordAlarms())
        return failed(error_);
    if (!tx.commit())
        return failed(db_.error());
    return out;
}

std::map<TubeKey, std::string> SurveyStore::tubeSettingsChangedAt()
{
    std::map<TubeKey, std::string> out;
    sql::Statement q(db_, "SELECT client, site, tube, changed_at FROM tubes");
    while (q.step())
        out[{q.text(0), q.text(1), q.text(2)}] = q.text(3);
    return out;
}

bool SurveyStore::setTubeSettings(const TubeKey& tube, const TubeSettings& settings, const std::string& changedAt,
                                  const std::string& how)
{
    // The tube's settings, its report's fields and the history together.
    return inOneTransaction([&] { return writeTubeSettings(tube, settings, changedAt, how); });
}

bool SurveyStore::inOneTransaction(const std::function<bool()>& write)
{
    if (!writable())
        return false;
    sql::Transaction tx(db_);
    alarmTubes_.clear();
    if (tx.begun() && (!write() || !recordAlarms()))
        return false;
    if (!tx.begun() || !tx.commit()) {
        error_ = db_.error();
        return false;
    }
    return true;
}

} // namespace tarvelon::surveys
