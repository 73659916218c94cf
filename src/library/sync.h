#pragma once
#include "library/store.h"

#include <functional>
#include <string>
#include <vector>

// One library brought up to another's surveys, tube settings and corrections (a field laptop's
// file and the firm's library). Surveys are matched by their client, site, tube, readout, date
// and time, never by id, since ids differ between libraries; bases and corrections follow the
// survey they belong to. Surveys go in batches, one transaction each, so a sync cut off keeps
// whole batches and a second run skips what already arrived. Settings and corrections are
// merged with what the two libraries last agreed on; deletions travel as deletions.
namespace tarvelon::surveys {

inline constexpr int kSyncBatch = 200;

struct SyncProgress {
    int done = 0, total = 0; // surveys
};

// The events and acknowledgements of the alarm log that went each way.
struct AlarmSync {
    int eventsSent = 0, eventsReceived = 0;
    int acknowledgementsSent = 0, acknowledgementsReceived = 0;
};

struct SyncResult {
    int sent = 0;      // surveys the target lacked, added
    int completed = 0; // incomplete surveys of the target completed
    int skipped = 0;   // already there, identical
    std::vector<std::string> conflicts; // the same survey with other readings, left on both sides
    int settingsSent = 0, settingsReceived = 0; // tubes whose settings or corrections changed there, here
    // A setting or correction changed on both sides to different values since they last agreed:
    // named with both values and the one kept (the server's, or the target's) until someone chooses.
    std::vector<std::string> settingConflicts;
    int deletedThere = 0, deletedHere = 0; // surveys deleted by a deletion the other side held
    // Said once: the source could only be read, so nothing came back to it.
    bool sourceReadOnly = false;
    AlarmSync alarms{};
    int done = 0, total = 0; // surveys gone through, of all the source holds
    std::string error;       // why it stopped; empty when it ran to its end
};

struct SyncOptions {
    int batch = kSyncBatch;
    // Hears after each batch is kept; false stops the sync there (Ctrl+C, Cancel).
    std::function<bool(const SyncProgress&)> onBatch;
};

inline constexpr std::string_view kSyncStopped = "stopped before the end";

// Every survey `from` holds and `to` lacks goes to `to`; settings, corrections, deletions and the
// alarm log go either way, merged. `to` must be open to write; `from` may be open only to read (a reader's
// server library, a read-only file), and then nothing comes back to it.
SyncResult syncLibraries(SurveyStore& from, SurveyStore& to, const SyncOptions& options = {});

// client "C", site "S", tube "T", readout 04 of 12/03/24 10:00:00
std::string surveyName(const Survey& survey);

} // namespace tarvelon::surveys
