// tarvelon-bench alarms: the alarm log's costs. Adding a survey to a tube with thresholds (its
// readouts' statuses looked at again in the same transaction) against one without, and
// `tarvelon alarms --unacknowledged` over 10 000 events, the program's start included; in an
// SQLite file, then, when TARVELON_TEST_PG names a server, in a database of its own there.
#include "library/sql.h"
#include "library/store.h"
#include "bench_library.h"
#include "support/child_process.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

using namespace tarvelon;
using namespace tarvelon::surveys;

namespace {

using namespace tarvelon::bench;
constexpr int kAlarmReadouts = 40, kEvents = 10000;

int benchLibrary(const std::string& location, bool file)
{
    SurveyStore store;
    if (!store.open(location)) {
        std::fprintf(stderr, "cannot open %s: %s\n", location.c_str(), store.error().c_str());
        return 1;
    }
    TubeSettings watched;
    watched.constant = 25000;
    watched.alertMm = 5;
    watched.alarmMm = 10;
    watched.alertMmPerDay = 0.5;
    watched.alarmMmPerDay = 1;
    // Tube T0 of the shared library's surveys watched, T1 not.
    for (const int tube : {0, 1}) {
        const bool watching = tube == 0;
        std::vector<double> adds;
        for (int readout = 1; readout <= kAlarmReadouts; ++readout) {
            const auto t = Clock::now();
            const AddResult r = store.add(benchSurvey(tube, readout, "CLIENT", "SITE"));
            adds.push_back(msSince(t));
            if (r.status != AddStatus::Added) {
                std::fprintf(stderr, "add failed: %s\n", r.error.c_str());
                return 1;
            }
            if (readout == 1 && watching) {
                watched.baseId = r.id;
                store.setTubeSettings({"CLIENT", "SITE", "T0"}, watched);
            }
        }
        const std::vector<double> last(adds.end() - 10, adds.end());
        std::printf("add a survey of %d depths to a tube %s: median %.2f ms, slowest %.2f ms, the last 10 "
                    "(%d readouts and more) median %.2f ms\n",
                    kDepths, watching ? "with thresholds, its statuses judged again" : "without thresholds",
                    median(adds), *std::max_element(adds.begin(), adds.end()), kAlarmReadouts - 10, median(last));
    }
    std::printf("events recorded by the watched tube: %zu\n", store.alarmEvents().size());

    // 10 000 events over 500 tubes, one in ten unacknowledged, written straight into the table.
    sql::Database raw;
    if (!(file ? raw.open(location, sql::Database::Mode::ReadWrite) : raw.connect(location)) || !raw.exec("BEGIN")) {
        std::fprintf(stderr, "cannot write the events: %s\n", raw.error().c_str());
        return 1;
    }
    {
        sql::Statement insert(raw, "INSERT INTO alarm_events (at, client, site, tube, readout, date, time, status, "
                                   "criterion, value, threshold, depth, caused_by, acknowledged_by, acknowledged_at, "
                                   "note) VALUES (?, 'CLIENT', ?, ?, ?, '01/01/24', '10:00:00', ?, 'displacement', "
                                   "12.5, 10, 4.5, 'bench', ?, ?, ?)");
        for (int i = 0; i < kEvents; ++i) {
            char at[32];
            std::snprintf(at, sizeof at, "2025-%02d-%02dT%02d:00:00Z", 1 + i / 900 % 12, 1 + i / 30 % 28, i % 24);
            const bool open = i % 10 == 0;
            const std::string site = "SITE" + std::to_string(i % 50), tube = "T" + std::to_string(i % 500),
                              readout = std::to_string(i % 40);
            insert.bind(1, std::string_view(at)).bind(2, site).bind(3, tube);
            insert.bind(4, readout).bind(5, std::string_view(i % 3 ? "ALERT" : "ALARM"));
            insert.bind(6, std::string_view(open ? "" : "ana")).bind(7, std::string_view(open ? "" : at));
            insert.bind(8, std::string_view(open ? "" : "seen"));
            if (!insert.run()) {
                std::fprintf(stderr, "cannot write the events: %s\n", raw.error().c_str());
                return 1;
            }
            insert.reset();
        }
    }
    // A server stamps every event it is given as unacknowledged; nine in ten are acknowledged
    // as a person would, which it stamps too.
    if (!file && !raw.exec("UPDATE alarm_events SET note = 'seen' WHERE caused_by <> '' AND id % 10 <> 0"))
        return 1;
    if (!raw.exec("COMMIT"))
        return 1;
    raw.close();

    std::vector<double> inProcess, program;
    AlarmFilter open;
    open.unacknowledged = true;
    size_t listed = 0;
    for (int i = 0; i < 10; ++i) {
        auto t = Clock::now();
        listed = store.alarmEvents(open).size();
        inProcess.push_back(msSince(t));
        t = Clock::now();
        test::ChildProcess p(TARVELON_CLI, {"alarms", "--unacknowledged", "--csv", "--library", location});
        const int status = p.wait(std::chrono::seconds(60));
        program.push_back(msSince(t));
        if (status != 3 && status != 0) {
            std::fprintf(stderr, "tarvelon alarms: status %d: %s\n", status, p.err.c_str());
            return 1;
        }
    }
    std::printf("the unacknowledged of %d events (%zu listed): in the program %.1f ms median; "
                "tarvelon alarms --unacknowledged --csv, its start included, median %.1f ms, slowest %.1f ms\n",
                int(store.alarmEvents().size()), listed, median(inProcess), median(program),
                *std::max_element(program.begin(), program.end()));
    return 0;
}

} // namespace

int benchAlarms()
{
    return onEachEngine("alarms", benchLibrary);
}
