#pragma once
#include "library/store.h"

#include <functional>
#include <string>
#include <vector>

// One library brought up to another's surveys, tube settings and corrections (a field laptop's
// file and the firm's library). Surveys are matched by their client, site, tube, readout, date
// and time, never by id, since ids differ between libraries; bases and corrections follow the
// survey they belong to. Surveys go in batches, one transaction each, so a sync cut off keeps
// whole batches and a second run skips what already arrived.
namespace tarvelon::surveys {

inline constexpr int kSyncBatch = 200;

struct SyncProgress {
    int done = 0, total = 0; // surveys
};

struct SyncResult {
    int sent = 0;      // surveys the target lacked, added
    int completed = 0; // incomplete surveys of the target completed
    int skipped = 0;   // already there, identical
    std::vector<std::string> conflicts; // the same survey with other readings, left on both sides
    int settingsSent = 0, settingsReceived = 0; // tubes whose settings the other side held older
    int done = 0, total = 0; // surveys gone through, of all the source holds
    std::string error;       // why it stopped; empty when it ran to its end
};

struct SyncOptions {
    int batch = kSyncBatch;
    // Hears after each batch is kept; false stops the sync there (Ctrl+C, Cancel).
    std::function<bool(const SyncProgress&)> onBatch;
};

inline constexpr std::string_view kSyncStopped = "stopped before the end";

// Every survey and correction `from` holds and `to` lacks goes to `to`; tube settings go
// either way, the side that changed them last winning. Both must be open to write.
SyncResult syncLibraries(SurveyStore& from, SurveyStore& to, const SyncOptions& options = {});

// client "C", site "S", tube "T", readout 04 of 12/03/24 10:00:00
std::string surveyName(const Survey& survey);

} // namespace tarvelon::surveys
