// The library the benchmarks share, and the engines they run on.
#include "bench_library.h"

#include "library/sql.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tarvelon::bench {

using namespace tarvelon::surveys;

double msSince(Clock::time_point t)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

namespace {

double moved(int tube, int readout, int tenths)
{
    return readout * std::max(0, 200 - tenths) / 40.0 * (1 + tube % 7);
}

// Statements on the test server's own database, by its superuser.
bool onServer(const std::string& server, const std::string& sql)
{
    sql::Database admin;
    if (admin.connect(server + "/postgres") && admin.exec(sql))
        return true;
    std::fprintf(stderr, "%s: %s\n", sql.c_str(), admin.error().c_str());
    return false;
}

} // namespace

std::int64_t readingA(int tube, int readout, int tenths)
{
    return std::lround(1000 * std::sin(tenths / 90.0 + tube) + moved(tube, readout, tenths));
}

std::int64_t readingB(int tube, int readout, int tenths)
{
    return std::lround(800 * std::cos(tenths / 70.0 + tube) - moved(tube, readout, tenths) / 3);
}

Survey benchSurvey(int tube, int readout, const std::string& client, const std::string& site)
{
    Survey s;
    s.client = client;
    s.site = site;
    s.tube = "T" + std::to_string(tube);
    s.depth = kDepths / 2.0;
    s.step = 0.5;
    s.guides = "2";
    s.north = "+030";
    s.readout = std::to_string(readout);
    char date[32];
    std::snprintf(date, sizeof date, "%02d/%02d/24", 1 + readout % 28, 1 + readout / 28);
    s.date = date;
    s.time = "10:00:00";
    s.downloadedAt = "2024-01-01T10:00:00Z";
    s.origin = Origin::Download;
    for (int r = 0; r < kDepths; ++r) {
        const int t = 5 + 5 * r;
        s.rows.push_back({t, {readingA(tube, readout, t), readingB(tube, readout, t), 11, 12}});
    }
    return s;
}

std::vector<std::vector<std::int64_t>> addLibrary(SurveyStore& store, const std::function<Place(int tube)>& place,
                                                  std::vector<double>* adds)
{
    std::vector<std::vector<std::int64_t>> ids(kTubes);
    for (int readout = 1; readout <= kReadouts; ++readout) {
        std::vector<Survey> batch;
        for (int tube = 0; tube < kTubes; ++tube) {
            const Place p = place(tube);
            batch.push_back(benchSurvey(tube, readout, p.client, p.site));
        }
        std::vector<AddResult> added;
        if (adds) {
            for (const Survey& s : batch) {
                const auto t = Clock::now();
                added.push_back(store.add(s));
                adds->push_back(msSince(t));
            }
        } else {
            added = store.addBatch(batch, {}, "bench");
        }
        for (int tube = 0; tube < kTubes; ++tube) {
            const AddResult& r = added[size_t(tube)];
            if (r.status != AddStatus::Added) {
                std::fprintf(stderr, "add failed: %s\n", r.error.c_str());
                return {};
            }
            ids[size_t(tube)].push_back(r.id);
        }
    }
    return ids;
}

int onEachEngine(const std::string& name, const std::function<int(const std::string& location, bool file)>& bench)
{
    QTemporaryDir dir;
    std::printf("-- an SQLite file\n");
    if (const int failed = bench(dir.filePath(QStringLiteral("surveys.sqlite")).toStdString(), true))
        return failed;
    const char* server = std::getenv("TARVELON_TEST_PG");
    if (!server || !*server)
        return 0;
    const std::string database = "tarvelon_bench_" + name + "_" + std::to_string(QCoreApplication::applicationPid());
    std::printf("-- PostgreSQL on this computer\n");
    if (!onServer(server, "CREATE DATABASE " + database))
        return 1;
    const int failed = bench(std::string(server) + "/" + database, false);
    onServer(server, "DROP DATABASE " + database + " WITH (FORCE)");
    return failed;
}

} // namespace tarvelon::bench
