// tarvelon-bench site: the 10 000-survey library (500 tubes of 20 readouts of 200 depths) as one
// site, every tube placed with a base and thresholds: the site's table read and its table and plan
// shown in the window's site view; in an SQLite file, then, when TARVELON_TEST_PG names a server
// (scripts/with-postgres), in a database of its own there.
#include "library/site.h"
#include "library/sql.h"
#include "library/store.h"
#include "shell/surveys/site_view.h"

#include <QApplication>
#include <QTableWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

using namespace tarvelon;
using namespace tarvelon::surveys;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kTubes = 500, kReadouts = 20, kDepths = 200;

double msSince(Clock::time_point t)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

Survey make(int tube, int readout)
{
    Survey s;
    s.client = "CLIENT";
    s.site = "SITE";
    s.tube = "T" + std::to_string(tube);
    s.depth = kDepths / 2.0;
    s.step = 0.5;
    s.guides = "2";
    s.north = "+030";
    s.readout = std::to_string(readout);
    char date[16];
    std::snprintf(date, sizeof date, "%02d/%02d/24", 1 + readout % 28, 1 + readout / 28);
    s.date = date;
    s.time = "10:00:00";
    s.downloadedAt = "2024-01-01T10:00:00Z";
    s.origin = Origin::Download;
    // Moving above 20 m, each tube at its own speed, with a little noise.
    for (int r = 0; r < kDepths; ++r) {
        const int t = 5 + 5 * r;
        const double moved = readout * std::max(0, 200 - t) / 40.0 * (1 + tube % 7);
        s.rows.push_back({t, {std::lround(1000 * std::sin(t / 90.0 + tube) + moved),
                              std::lround(800 * std::cos(t / 70.0 + tube) - moved / 3), 11, 12}});
    }
    return s;
}

int benchSite(const std::string& location)
{
    auto t = Clock::now();
    {
        SurveyStore store;
        if (!store.open(location)) {
            std::fprintf(stderr, "cannot open %s: %s\n", location.c_str(), store.error().c_str());
            return 1;
        }
        std::vector<std::int64_t> bases(kTubes);
        for (int readout = 1; readout <= kReadouts; ++readout) {
            std::vector<Survey> batch;
            for (int tube = 0; tube < kTubes; ++tube)
                batch.push_back(make(tube, readout));
            const std::vector<AddResult> added = store.addBatch(batch, {}, "bench");
            for (int tube = 0; tube < kTubes; ++tube) {
                if (added[size_t(tube)].status != AddStatus::Added) {
                    std::fprintf(stderr, "add failed: %s\n", added[size_t(tube)].error.c_str());
                    return 1;
                }
                if (readout == 1)
                    bases[size_t(tube)] = added[size_t(tube)].id;
            }
        }
        for (int tube = 0; tube < kTubes; ++tube) {
            TubeSettings s;
            s.constant = 25000;
            s.baseId = bases[size_t(tube)];
            s.alertMm = 5;
            s.alarmMm = 10;
            s.alertMmPerDay = 0.5;
            s.readingIntervalDays = 7;
            if (tube % 10 != 9) { // a tenth not placed
                s.easting = 25.0 * (tube % 25);
                s.northing = 25.0 * (tube / 25);
            }
            store.setTubeSettings({"CLIENT", "SITE", "T" + std::to_string(tube)}, s);
        }
    }
    std::printf("library of %d surveys of %d depths in one site of %d tubes built in %.1f s\n", kTubes * kReadouts,
                kDepths, kTubes, msSince(t) / 1000);

    SurveyStore store;
    if (!store.open(location)) {
        std::fprintf(stderr, "cannot open %s: %s\n", location.c_str(), store.error().c_str());
        return 1;
    }
    const double today = *isoDays("2024-02-01");
    std::vector<double> reads, shows, totals;
    SiteView view(nullptr);
    view.resize(1100, 760);
    view.show();
    QApplication::processEvents();
    size_t rows = 0;
    for (int run = 0; run < 7; ++run) {
        t = Clock::now();
        Site site = loadSite(store, "CLIENT", std::string("SITE"), today);
        reads.push_back(msSince(t));
        const auto shown = Clock::now();
        rows = site.rows.size();
        view.showSite(std::move(site), QStringLiteral("CLIENT / SITE"));
        view.repaint();
        shows.push_back(msSince(shown));
        totals.push_back(msSince(t));
    }
    std::printf("site of %zu tubes: read and analysed median %.1f ms; table and plan shown median %.1f ms; "
                "together median %.1f ms, slowest %.1f ms\n",
                rows, median(reads), median(shows), median(totals), *std::max_element(totals.begin(), totals.end()));
    // Where the time goes: the reading alone, then the analysis alone.
    t = Clock::now();
    const std::map<TubeKey, TubeSettings> settings = store.allTubeSettings();
    std::vector<std::vector<Survey>> read;
    for (const TubeKey& key : store.tubeKeys("CLIENT", std::string("SITE")))
        read.push_back(store.latestTubeSurveys(key, settings.at(key).baseId, kSiteReadouts));
    const double reading = msSince(t);
    t = Clock::now();
    size_t i = 0;
    for (const auto& [key, s] : settings)
        analyseTube(read[i++], s);
    std::printf("of which reading the tubes' latest readouts %.1f ms, analysing them %.1f ms\n", reading, msSince(t));
    t = Clock::now();
    const Site whole = loadSite(store, "CLIENT", std::string("SITE"), today, true);
    std::printf("the same site with every readout read (as the site report reads it): %.1f ms\n", msSince(t));
    return view.table()->rowCount() == kTubes ? 0 : 1;
}

bool onServer(const std::string& server, const std::string& sql)
{
    sql::Database admin;
    if (admin.connect(server + "/postgres") && admin.exec(sql))
        return true;
    std::fprintf(stderr, "%s: %s\n", sql.c_str(), admin.error().c_str());
    return false;
}

} // namespace

int benchSiteView()
{
    QTemporaryDir dir;
    std::printf("-- an SQLite file\n");
    if (const int failed = benchSite(dir.filePath(QStringLiteral("surveys.sqlite")).toStdString()))
        return failed;
    const char* server = std::getenv("TARVELON_TEST_PG");
    if (!server || !*server)
        return 0;
    const std::string database = "tarvelon_bench_site_" + std::to_string(QCoreApplication::applicationPid());
    std::printf("-- PostgreSQL on this computer\n");
    if (!onServer(server, "CREATE DATABASE " + database))
        return 1;
    const int failed = benchSite(std::string(server) + "/" + database);
    onServer(server, "DROP DATABASE " + database + " WITH (FORCE)");
    return failed;
}
