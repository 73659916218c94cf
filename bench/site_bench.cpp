// tarvelon-bench site: the 10 000-survey library (500 tubes of 20 readouts of 200 depths) as one
// site, every tube placed with a base and thresholds: the site's table read and its table and plan
// shown in the window's site view; in an SQLite file, then, when TARVELON_TEST_PG names a server
// (scripts/with-postgres), in a database of its own there.
#include "library/site.h"
#include "library/sql.h"
#include "library/store.h"
#include "shell/surveys/site_view.h"
#include "bench_library.h"

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

using namespace tarvelon::bench;

int benchSite(const std::string& location)
{
    auto t = Clock::now();
    {
        SurveyStore store;
        if (!store.open(location)) {
            std::fprintf(stderr, "cannot open %s: %s\n", location.c_str(), store.error().c_str());
            return 1;
        }
        const std::vector<std::vector<std::int64_t>> ids =
            addLibrary(store, [](int) { return Place{"CLIENT", "SITE"}; });
        if (ids.empty())
            return 1;
        for (int tube = 0; tube < kTubes; ++tube) {
            TubeSettings s;
            s.constant = 25000;
            s.baseId = ids[size_t(tube)].front();
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
    const std::map<TubeKey, std::vector<Survey>> read =
        store.latestSiteSurveys("CLIENT", std::string("SITE"), settings, kSiteReadouts);
    const double reading = msSince(t);
    t = Clock::now();
    for (const auto& [key, surveys] : read)
        analyseTube(surveys, settings.at(key));
    std::printf("of which reading the tubes' latest readouts %.1f ms, analysing them %.1f ms\n", reading, msSince(t));
    t = Clock::now();
    const Site whole = loadSite(store, "CLIENT", std::string("SITE"), today, true);
    std::printf("the same site with every readout read (as the site report reads it): %.1f ms\n", msSince(t));
    return view.table()->rowCount() == kTubes ? 0 : 1;
}

} // namespace

int benchSiteView()
{
    return onEachEngine("site", [](const std::string& location, bool) { return benchSite(location); });
}
