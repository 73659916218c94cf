// tarvelon-bench surveys: a library of 1000 surveys of 240 rows (40 tubes of 25 readouts),
// then the Surveys window on it.
#include "shell/surveys/surveys_window.h"
#include "surveys/store.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>

using namespace tarvelon;
using namespace tarvelon::surveys;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

Survey make(int tube, int readout)
{
    Survey s;
    s.client = "CLIENT " + std::to_string(tube / 10);
    s.site = "SITE" + std::to_string(tube / 4);
    s.tube = "T" + std::to_string(tube);
    s.depth = 120.0;
    s.step = 0.5;
    s.guides = "2";
    s.readout = std::to_string(readout);
    char date[16];
    std::snprintf(date, sizeof date, "%02d/%02d/24", 1 + readout % 28, 1 + readout / 28);
    s.date = date;
    s.time = "10:00:00";
    s.downloadedAt = "2024-01-01T10:00:00Z";
    for (int r = 0; r < 240; ++r) {
        const int t = 5 + 5 * r;
        s.rows.push_back({t, {std::lround(1000 * std::sin(t / 90.0 + tube) + readout * t / 50.0),
                              std::lround(800 * std::cos(t / 70.0 + tube) - readout * t / 80.0), 11, 12}});
    }
    return s;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int benchSurveys()
{
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("surveys.sqlite")).toStdString();
    constexpr int kTubes = 40, kReadouts = 25;
    std::vector<std::int64_t> firstTube;
    std::vector<double> adds;
    {
        SurveyStore store;
        if (!store.open(path)) {
            std::fprintf(stderr, "cannot open %s: %s\n", path.c_str(), store.error().c_str());
            return 1;
        }
        for (int readout = 1; readout <= kReadouts; ++readout)
            for (int tube = 0; tube < kTubes; ++tube) {
                const Survey s = make(tube, readout);
                const auto t = Clock::now();
                const AddResult r = store.add(s);
                adds.push_back(msSince(t));
                if (r.status != AddStatus::Added) {
                    std::fprintf(stderr, "add failed: %s\n", r.error.c_str());
                    return 1;
                }
                if (tube == 0)
                    firstTube.push_back(r.id);
            }
    }
    const std::vector<double> last(adds.end() - 100, adds.end());
    std::printf("add one survey of 240 rows: median %.2f ms, slowest %.2f ms (last 100 into a full library: median %.2f ms)\n",
                median(adds), *std::max_element(adds.begin(), adds.end()), median(last));
    namespace fs = std::filesystem;
    std::uintmax_t bytes = fs::file_size(path);
    std::error_code ec;
    bytes += fs::exists(path + "-wal") ? fs::file_size(path + "-wal", ec) : 0;
    std::printf("library file: %.1f MB for %d surveys, %.1f kB per survey\n", double(bytes) / 1e6,
                kTubes * kReadouts, double(bytes) / 1e3 / (kTubes * kReadouts));

    QSettings settings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    auto t = Clock::now();
    SurveysWindow window({QString::fromStdString(path), &settings});
    window.show();
    QApplication::processEvents();
    window.repaint();
    std::printf("open the window and show the tree: %.1f ms\n", msSince(t));

    std::vector<double> one;
    for (int i = 0; i < 10; ++i) {
        t = Clock::now();
        window.select({firstTube[size_t(i)] + 7});
        window.repaint();
        one.push_back(msSince(t));
    }
    std::printf("choose a readout and draw it: median %.1f ms, slowest %.1f ms\n", median(one),
                *std::max_element(one.begin(), one.end()));

    t = Clock::now();
    window.setBase(firstTube[0]);
    window.repaint();
    std::printf("mark a base readout (tree rebuilt): %.1f ms\n", msSince(t));
    std::vector<double> overlay;
    for (int i = 0; i < 5; ++i) {
        t = Clock::now();
        window.select({firstTube.begin() + 1 + (i % 2), firstTube.begin() + 21 + (i % 2)});
        window.repaint();
        overlay.push_back(msSince(t));
    }
    std::printf("overlay 20 readouts compared with the base: median %.1f ms, slowest %.1f ms\n", median(overlay),
                *std::max_element(overlay.begin(), overlay.end()));
    return 0;
}
