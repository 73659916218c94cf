#pragma once
#include "analysis/corrections.h"
#include "library/sql.h"
#include "analysis/survey.h"
#include "platform/translate.h"

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

// The survey library: one SQLite file, written one survey per transaction, in write-ahead
// logging so the window can read while a download adds; or a firm's PostgreSQL database, with
// the same tables, where the server says who may change what.
namespace tarvelon::surveys {

struct TubeResult;

inline constexpr std::string_view kLibraryFileName = "surveys.sqlite";
inline constexpr std::string_view kForeignTables = "it holds the tables of another program, not a survey library";
inline constexpr std::string_view kNotALibrary = "it is not a survey library (it holds no tables)";
inline constexpr std::string_view kNewerTables = "it was written by a newer version of Tarvelon Manager";
inline constexpr std::string_view kControlCharactersReplaced = QT_TRANSLATE_NOOP(
    "Texts", "header texts held control characters (such as NUL); each was replaced by a space");
inline constexpr std::string_view kDamaged = "the library file is damaged";
// kNewerTables with the version found, which this program does not know.
std::string newerLibraryText(std::int64_t version);
// What a file library is marked with in SQLite's header (application_id), "TrvM", when made.
inline constexpr std::int32_t kLibraryApplicationId = 0x5472764D;

enum class AddStatus {
    Added,
    AlreadyThere, // the same survey: same depths, readings 1 and 2
    Completed,    // rows an incomplete survey lacked, added to it (whole now, or less incomplete)
    Conflict,     // the same client, site, tube, readout, date and time with other readings
    Failed,
};

struct AddResult {
    AddStatus status = AddStatus::Failed;
    std::int64_t id = 0; // the survey added or already there
    std::string error;
};

// One change of a tube's surveys or settings, as the library recorded it with the change.
struct HistoryEntry {
    std::string at;  // ISO 8601, UTC
    std::string who; // the login name (a file) or the database user (a server)
    std::optional<std::int64_t> surveyId; // the survey it was about, if any (it may be deleted since)
    std::string what;                     // "survey 04 of 12/03/24 added (download)"
};

// One change of a readout's status as the alarm log keeps it: the status it took, what set it,
// who caused it, and who acknowledged it with what note.
struct AlarmEvent {
    std::int64_t id = 0;
    std::string at; // when it was recorded, ISO 8601 UTC
    TubeKey tube;
    std::optional<std::int64_t> surveyId;  // the readout's survey (it may be deleted since)
    std::string readout, date, time;       // the readout, by its own number, date and time
    std::string status;                    // "ALARM", "ALERT" or "none" (back under every threshold)
    std::string criterion;                 // "displacement" or "rate"; empty for "none"
    std::optional<double> value, threshold; // mm, or mm per day for a rate
    std::optional<double> depthM;
    std::string causedBy;
    std::string acknowledgedBy, acknowledgedAt, note; // empty until acknowledged
    bool carried = false;                // recorded in another library and brought by a sync
    bool acknowledgementCarried = false; // acknowledged in another library
    bool baseline = false; // the state found when the log began, not a change anyone caused
    bool acknowledged() const { return !acknowledgedAt.empty(); }
};

// Which events a listing holds; empty texts leave that part open. `since` is a date or an ISO
// 8601 time: events recorded at or after it.
struct AlarmFilter {
    std::string client, site, tube;
    bool unacknowledged = false;
    std::string since{};
};

// One readout's readings 1 and 2 at one depth, for the trend of a depth.
struct TrendPoint {
    std::int64_t surveyId = 0;
    std::string date, time, downloadedAt;
    std::optional<std::int64_t> reading1, reading2;
};

class SurveyStore {
public:
    // Version of the tables this program writes; older files are brought up to it on opening.
    static constexpr int kSchemaVersion = 12;
    // The version from which the alarm log knows the states its tubes were in when it began.
    static constexpr int kBaselineVersion = 12;
    // The last version whose files were not yet marked with kLibraryApplicationId when made.
    static constexpr int kLastUnmarkedVersion = 5;

    // What the user may do: a file, all of it where it can be written; a server, what the
    // user's role was granted.
    enum class Rights { Read, Edit, Manage };

    enum class Access {
        Write, // made when new or empty, brought up to date when older
        Read,  // only read as it is: never made, upgraded or changed; an older one is refused
    };

    // Opens or creates the library: a file, or a server's database when `path` is a connection. A file that cannot be written (read-only disk, newer
    // program's tables) opens read-only with why in error(); false when it cannot be read at all
    // or holds the tables of another program.
    bool open(const std::string& path, Access access = Access::Write);
    // Another program holding the library is waited for up to `limit`; `onLongWait` hears once
    // when a wait has lasted a second.
    void waitWhenBusy(std::chrono::milliseconds limit, std::function<void()> onLongWait);
    bool isOpen() const { return db_.isOpen(); }
    bool onServer() const { return db_.isOpen() && db_.engine() == sql::Engine::PostgreSQL; }
    Rights rights();
    // On a server, by its database's owner: the tables, brought up to date, and the roles
    // tarvelon_reader, tarvelon_editor and tarvelon_manager with their rights; again changes
    // nothing. False with error() when it cannot.
    bool initServerRoles();
    // A socket that becomes readable when another program changed a tube (-1 on a file), and
    // the tubes changed since the last call, as "client\tsite\ttube".
    int notificationSocket();
    std::vector<std::string> takeNotifications();
    bool readOnly() const { return readOnly_; }
    const std::string& error() const { return error_; }
    // Surveys added since the library was opened whose header texts held control characters,
    // kept with a space for each (kControlCharactersReplaced says it).
    int textsCleaned() const { return textsCleaned_; }
    // Who holds the lock a writer waits for, once the wait has lasted a second ("waiting for
    // another program (NAME on HOST) since TIME"); empty for a file.
    std::string lockHolder() const { return db_.lockHolder(); }
    // A file found damaged while it was read: what a reading gave is not the whole, and error()
    // says so.
    bool damaged();

    // A survey that matches one kept incomplete (the same readings at every depth both hold)
    // completes it; two whole surveys that differ conflict.
    AddResult add(const Survey& survey);
    // Every survey, ordered client, site, tube, then by the survey's own date and time.
    std::vector<SurveySummary> list();
    // Every survey of a tube with its rows, in one query, ordered by the survey's own date and time.
    std::vector<Survey> tubeSurveys(const TubeKey& tube);
    // The tube's base and its `count` latest surveys with their rows, ordered as tubeSurveys():
    // what a site's table needs of a tube, without reading every readout it has.
    std::vector<Survey> latestTubeSurveys(const TubeKey& tube, std::int64_t baseId, size_t count);
    // Each tube's base and the base it was carried on from (by `settings`) and its `count`
    // latest surveys, ordered as tubeSurveys(), for every tube of the client's site or of all its sites, read in a few queries.
    std::map<TubeKey, std::vector<Survey>> latestSiteSurveys(const std::string& client,
                                                             const std::optional<std::string>& site,
                                                             const std::map<TubeKey, TubeSettings>& settings,
                                                             size_t count);
    // Each readout's corrections, by survey id, of every tube of the client's site or of all its sites.
    std::map<std::int64_t, std::vector<Correction>> siteCorrections(const std::string& client,
                                                                    const std::optional<std::string>& site);
    // The tube's readout with this number ("2" finds "02"), the latest when several share it.
    std::optional<std::int64_t> findReadout(const TubeKey& tube, const std::string& readout);
    // The tube's settings; defaults for a tube never set.
    TubeSettings tubeSettings(const TubeKey& tube);
    // The tubes that have surveys, by name: of the client's site, or of all its sites.
    std::vector<TubeKey> tubeKeys(const std::string& client, const std::optional<std::string>& site);
    // Every tube that has settings.
    std::map<TubeKey, TubeSettings> allTubeSettings();
    // False with error() when the library cannot be written.
    bool setTubeSettings(const TubeKey& tube, const TubeSettings& settings);
    // Each readout's corrections, by survey id, for every readout of the tube that has any.
    std::map<std::int64_t, std::vector<Correction>> corrections(const TubeKey& tube);
    std::vector<Correction> corrections(std::int64_t surveyId);
    // Replaces the readout's corrections (none: clears them); false with error() when it cannot.
    // `how` says in the history how they came ("sync").
    bool setCorrections(std::int64_t surveyId, const std::vector<Correction>& corrections, const std::string& how = "");
    std::optional<Survey> survey(std::int64_t id);
    // The probe a survey was read with (no constant: the tube's); recorded in the history.
    // `how` says how it came ("sync"). False with error() when it cannot.
    bool setProbe(std::int64_t surveyId, const std::string& serial, std::optional<double> constant,
                  const std::string& how = "");
    // Deletes the survey with its readings and corrections; a tube whose base it was has none
    // then. False with error() when it is not there or the library cannot be written.
    bool remove(std::int64_t id);
    // The tube's changes, oldest first.
    std::vector<HistoryEntry> history(const TubeKey& tube);

    // Who and when each change is recorded with: the login name (USER, USERNAME) and the
    // system clock unless set, so a test can fix them. The clock gives ISO 8601 UTC text.
    void setUser(std::string name) { user_ = std::move(name); }
    void setClock(std::function<std::string()> nowUtc) { clock_ = std::move(nowUtc); }

    // Several surveys in one transaction, each as add() takes it, and for each the corrections
    // the library lacks of it (by kind and axis; `corrections` empty or one list per survey).
    // `how` says in the history how they came ("sync"). When one fails none is kept and every
    // result is Failed with the error; a conflict is a result, not a failure.
    std::vector<AddResult> addBatch(const std::vector<Survey>& surveys,
                                    const std::vector<std::vector<Correction>>& corrections, const std::string& how);
    // When each tube's settings last changed (ISO 8601 UTC; empty when set before that was kept).
    std::map<TubeKey, std::string> tubeSettingsChangedAt();
    // The settings as another library holds them, kept with the time they changed there (empty:
    // now); `how` says in the history where they came from.
    bool setTubeSettings(const TubeKey& tube, const TubeSettings& settings, const std::string& changedAt,
                         const std::string& how);
    std::optional<std::int64_t> find(const Survey& key);

    // What a sync merges with. The library's own name for the others; each setting's and
    // correction's value (by field name) when this library last agreed with `peer` on a tube,
    // replaced whole by setSyncBase; the keys of the surveys deleted here or by a sync, which
    // travel as deletions (a survey added again is no longer one).
    std::string identity();
    std::map<std::string, std::string> syncBase(const std::string& peer, const TubeKey& tube);
    bool setSyncBase(const std::string& peer, const TubeKey& tube, const std::map<std::string, std::string>& values);
    std::vector<Survey> deletions();
    bool addDeletion(const Survey& key);
    // The alarm log, oldest first. Every change of a tube's surveys, corrections or settings
    // records, in its own transaction, each readout whose status it changed.
    std::vector<AlarmEvent> alarmEvents(const AlarmFilter& filter = {});
    // Acknowledges the event with a note (who and when recorded with it); false with error()
    // when it is acknowledged already, not there, the note is empty or the library refuses.
    bool acknowledgeAlarm(std::int64_t eventId, const std::string& note);
    // Acknowledges every unacknowledged event of the readout: how many; -1 with error() when
    // it cannot.
    int acknowledgeReadout(std::int64_t surveyId, const std::string& note);
    // Events another library recorded, as it recorded them (time, cause, acknowledgement), for
    // readouts found here by their key; in one transaction, each tube's history saying so.
    bool addCarriedAlarms(const std::vector<AlarmEvent>& events, const std::string& how);
    // The event's acknowledgement as another library holds it: kept when the event has none
    // here, or when it is earlier than the one here and keeps this one's note.
    bool carryAcknowledgement(std::int64_t eventId, const AlarmEvent& acknowledged);
    // While held, the statuses of the readouts that writes change are looked at again only when
    // released, all in one transaction: a sync brings the other library's log before its own
    // re-evaluation can record the same changes again.
    void holdAlarms() { holdAlarms_ = true; }
    bool releaseAlarms();
    std::vector<TrendPoint> trend(const std::string& client, const std::string& site, const std::string& tube,
                                  int depthTenths);

private:
    struct FileState {
        std::int64_t version = 0, tables = 0;
        std::int64_t application = 0; // SQLite's application_id; 0 on a server
        bool ourTables = false;        // a file left unmarked by an older program of ours
    };

    bool fail(const std::string& why);
    bool writable();
    // `write` and its history in one transaction, when the library may be written; a failure of
    // `write` itself has said why in error(), the transaction's is said in the engine's words.
    bool inOneTransaction(const std::function<bool()>& write);
    // The work of add() and setCorrections() inside a transaction the caller holds.
    AddResult addIn(const Survey& survey, const std::string& how);
    bool writeCorrections(std::int64_t surveyId, const std::vector<Correction>& corrections, const std::string& how);
    // Adds those of `given` whose kind and axis the survey has none of.
    bool mergeCorrections(std::int64_t surveyId, const std::vector<Correction>& given, const std::string& how);
    bool writeTubeSettings(const TubeKey& tube, const TubeSettings& settings, const std::string& changedAt,
                           const std::string& how);
    // One line of the tube's history, in the transaction of the change it records.
    bool record(const TubeKey& tube, std::optional<std::int64_t> surveyId, const std::string& what);
    bool recordSettings(const TubeKey& tube, const TubeSettings& before, const TubeSettings& after,
                        const std::string& how);
    // The survey's tube and "survey 04 of 12/03/24"; false with error() when there is none.
    bool labelOf(std::int64_t surveyId, TubeKey& tube, std::string& label);
    // The user changes are recorded with; a server answers with its own user.
    std::string who();
    std::string now();
    std::optional<FileState> fileState();
    bool openToRead(const std::string& path);
    // Why a file at `state` is not a library this program may open; empty when it is one.
    std::string notOurs(const FileState& state);
    // PRAGMA quick_check: false with error() when the file is damaged.
    bool checked();
    bool openServer(const std::string& connection, Access access);
    std::optional<FileState> serverState();
    bool migrateServer();
    // The three roles' rights on every table, when the roles are there.
    bool grantWhereRolesAre();
    // The name of the owner of the server's tables, when it is not this user (nor a role of his).
    std::optional<std::string> ownerIfNotMe();
    bool migrate();
    bool bringUpToDate(const FileState& state);
    bool recordDeletion(const Survey& key);
    // The tubes a write of this transaction changed, whose readouts' statuses are looked at
    // again before it commits (recordAlarms), each once however many surveys it added.
    void alarmsMayChange(const TubeKey& tube) { alarmTubes_[tube].whole = true; }
    // Only the survey added or completed changed: when it is the tube's latest, only its own
    // status can change, and only it and the readouts its rate is measured against are read.
    void alarmsMayChange(const TubeKey& tube, std::int64_t surveyId) { alarmTubes_[tube].surveys.insert(surveyId); }
    struct AlarmChange {
        bool whole = false;
        std::set<std::int64_t> surveys{};
    };
    bool recordAlarms();
    bool recordAlarmsOf(const TubeKey& tube, const AlarmChange& change);
    // The statuses of the changed readouts alone, when they are the tube's latest and the
    // readouts read hold what their rates are measured against; none when the whole tube must be
    // analysed.
    std::optional<bool> recordLatestAlarms(const TubeKey& tube, const TubeSettings& settings,
                                           const std::set<std::int64_t>& changed,
                                           const std::map<std::tuple<std::string, std::string, std::string>, std::string>& last);
    bool writeAlarmEvents(const TubeKey& tube, const TubeResult& result,
                          const std::map<std::tuple<std::string, std::string, std::string>, std::string>& last,
                          const std::set<std::int64_t>* only);
    // The surveys with these ids with their rows, ordered as tubeSurveys(), in two queries.
    std::vector<Survey> surveysWithIds(const std::set<std::int64_t>& ids);
    std::map<std::int64_t, Survey> surveysById(const std::set<std::int64_t>& ids);
    // The statuses of the readouts of every tube the log holds nothing of, recorded as found:
    // a library from before the log, or one whose tubes have never crossed a threshold.
    bool recordBaselines();
    bool acknowledgeIn(const std::string& where, std::int64_t key, const std::string& note, int& count);
    bool undelete(const Survey& survey);
    bool readRows(std::int64_t id, std::vector<SurveyRow>& rows);
    // A survey downloaded or imported without its probe is read with the tube's, as set now.
    void probeFromTube(Survey& survey);
    bool insertRows(std::int64_t id, const std::vector<SurveyRow>& rows);
    void readReportFields(const TubeKey& tube, TubeReportFields& fields);
    bool writeReportFields(const TubeKey& tube, const TubeReportFields& fields);

    sql::Database db_;
    std::chrono::milliseconds busyLimit_{std::chrono::seconds(20)};
    std::function<void()> onLongWait_;
    bool readOnly_ = false;
    std::string error_;
    std::string user_;
    std::function<std::string()> clock_;
    int textsCleaned_ = 0;
    std::map<TubeKey, AlarmChange> alarmTubes_;
    bool holdAlarms_ = false, baseline_ = false;
    std::set<TubeKey> heldAlarmTubes_;
};

} // namespace tarvelon::surveys
