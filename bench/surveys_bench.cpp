// tarvelon-bench surveys: a library of 10 000 surveys of 200 depths (500 tubes of 20 readouts),
// then the Surveys window on it, a tube's charts and report, and an import of 1000 export pairs;
// in an SQLite file, then, when TARVELON_TEST_PG names a server (scripts/with-postgres), in a
// database of its own there.
#include "blocks/export_files.h"
#include "report/tube_report.h"
#include "shell/surveys/surveys_window.h"
#include "analysis/proposal.h"
#include "library/import.h"
#include "library/sql.h"
#include "library/store.h"
#include "library/sync.h"
#include "bench_library.h"

#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace tarvelon;
using namespace tarvelon::surveys;

namespace {

using namespace tarvelon::bench;

// Ten clients of ten sites of five tubes.
Place placed(int tube)
{
    return {"CLIENT " + std::to_string(tube / 50), "SITE" + std::to_string(tube / 5)};
}

Survey make(int tube, int readout)
{
    const Place p = placed(tube);
    return benchSurvey(tube, readout, p.client, p.site);
}

// The two export files a download of this readout would have written.
void writePair(const std::filesystem::path& folder, int tube, int readout)
{
    char date[8];
    std::snprintf(date, sizeof date, "%02d%02d24", 1 + readout % 28, 1 + readout / 28);
    const BlockHeader h{"IMPORTED", "SITE", "T" + std::to_string(tube), "100.0", "0", "2", "+000",
                        std::to_string(readout), date, "100000"};
    const std::string base = "IMPORTED-SITE-T" + std::to_string(tube) + "-" + std::to_string(readout) + "-";
    std::ofstream header(folder / (base + "dat.dat"), std::ios::binary);
    for (const std::string& r : headerExportRecords(h))
        header << r;
    std::ofstream readings(folder / (base + "num.dat"), std::ios::binary);
    for (int r = 0; r < kDepths; ++r) {
        const int t = 5 + 5 * r;
        std::string reply;
        for (std::int64_t v : {readingA(tube, readout, t), readingB(tube, readout, t)}) {
            char word[8];
            std::snprintf(word, sizeof word, "%04X", unsigned((v < 0 ? 0x8000 : 0) + std::abs(v)));
            reply += std::string(word, 2) + " " + std::string(word + 2, 2) + " ";
        }
        readings << exportRecord(readingsRow(t, reply, 2)).bytes();
    }
    readings << ReadingsRecord{}.bytes() << columnLine().bytes();
}

int benchLibrary(const std::string& path, const QTemporaryDir& dir, bool file)
{
    std::vector<std::int64_t> firstTube;
    std::vector<double> adds;
    const auto started = Clock::now();
    {
        SurveyStore store;
        if (!store.open(path)) {
            std::fprintf(stderr, "cannot open %s: %s\n", path.c_str(), store.error().c_str());
            return 1;
        }
        const std::vector<std::vector<std::int64_t>> ids = addLibrary(store, placed, &adds);
        if (ids.empty())
            return 1;
        firstTube = ids.front();
        TubeSettings t;
        t.constant = 25000;
        // A new base (readout 6) carrying on from the first, as after a casing repair.
        t.baseId = firstTube[5];
        t.continuedFromId = firstTube[0];
        t.alertMm = 5;
        t.alarmMm = 10;
        store.setTubeSettings({"CLIENT 0", "SITE0", "T0"}, t);
        // Every readout of the tube measured corrected, as an engineer's accepted proposals leave it,
        // its depths read between rows.
        for (size_t i = 1; i < firstTube.size(); ++i)
            store.setCorrections(firstTube[i], {{CorrectionKind::Bias, 0, 1.5, "entered", "2024-01-01T00:00:00Z", true},
                                                {CorrectionKind::Bias, 1, -0.5, "entered", "2024-01-01T00:00:00Z", true},
                                                {CorrectionKind::Rotation, 0, 0.3, "entered", "2024-01-01T00:00:00Z", true},
                                                {CorrectionKind::Rotation, 1, -0.3, "entered", "2024-01-01T00:00:00Z", true},
                                                {CorrectionKind::DepthShift, 0, -0.06, "entered", "2024-01-01T00:00:00Z", true}});
        // The later half read with another probe, each reduced with its own constant.
        for (size_t i = firstTube.size() / 2; i < firstTube.size(); ++i)
            store.setProbe(firstTube[i], "P2", 25000);
    }
    const std::vector<double> last(adds.end() - 100, adds.end());
    std::printf("library of %d surveys of %d depths built in %.1f s; add one: median %.2f ms, slowest %.2f ms "
                "(last 100: median %.2f ms)\n",
                kTubes * kReadouts, kDepths, msSince(started) / 1000, median(adds),
                *std::max_element(adds.begin(), adds.end()), median(last));
    namespace fs = std::filesystem;
    if (file) {
        std::uintmax_t bytes = fs::file_size(path);
        std::error_code ec;
        bytes += fs::exists(path + "-wal") ? fs::file_size(path + "-wal", ec) : 0;
        std::printf("library file: %.1f MB, %.1f kB per survey\n", double(bytes) / 1e6,
                    double(bytes) / 1e3 / (kTubes * kReadouts));
    }

    auto t = Clock::now();
    SurveysWindowOptions options;
    options.libraryPath = QString::fromStdString(path);
    SurveysWindow window(options);
    window.show();
    QApplication::processEvents();
    window.repaint();
    std::printf("open the window and show the tree: %.1f ms\n", msSince(t));

    std::vector<double> one;
    for (int i = 0; i < 10; ++i) {
        t = Clock::now();
        window.select({firstTube[size_t(i)] + 7 * (i + 1)});
        window.repaint();
        one.push_back(msSince(t));
    }
    std::printf("choose a readout of another tube (tube read, no base) and draw it: median %.1f ms, slowest %.1f ms\n",
                median(one), *std::max_element(one.begin(), one.end()));

    std::vector<double> charts;
    for (int i = 0; i < 5; ++i) {
        window.select({firstTube[1]});
        t = Clock::now();
        window.select(firstTube);
        window.repaint();
        charts.push_back(msSince(t));
    }
    std::printf("a tube's 20 readouts against its base, corrected, charts and table drawn: median %.1f ms, slowest %.1f ms\n",
                median(charts), *std::max_element(charts.begin(), charts.end()));

    t = Clock::now();
    QString error;
    if (!window.writeReport(dir.filePath(QStringLiteral("report.pdf")), &error))
        std::fprintf(stderr, "report: %s\n", qPrintable(error));
    std::printf("the tube report, %d readouts of %d depths: %.1f ms, %.0f kB\n", kReadouts - 1, kDepths, msSince(t),
                double(fs::file_size(dir.filePath(QStringLiteral("report.pdf")).toStdString())) / 1e3);

    {
        SurveyStore store;
        store.open(path);
        const std::vector<Survey> all = store.tubeSurveys({"CLIENT 0", "SITE0", "T0"});
        std::vector<double> proposals;
        const TubeSettings settings = store.tubeSettings({"CLIENT 0", "SITE0", "T0"});
        const TubeResult tube = analyseTube(all, settings, store.corrections({"CLIENT 0", "SITE0", "T0"}));
        for (size_t i = 1; i < all.size(); ++i) {
            t = Clock::now();
            proposeCorrections(all[0], all[i], settings, std::nullopt, proposalContext(tube, all[i].id));
            proposals.push_back(msSince(t));
        }
        std::printf("propose the corrections of one readout of %d depths: median %.2f ms, slowest %.2f ms\n", kDepths,
                    median(proposals), *std::max_element(proposals.begin(), proposals.end()));
    }

    const fs::path folder = dir.filePath(QStringLiteral("exports")).toStdString();
    if (fs::create_directory(folder))
        for (int i = 0; i < 1000; ++i)
            writePair(folder, i / kReadouts, 1 + i % kReadouts);
    t = Clock::now();
    SurveyStore store;
    store.open(path);
    const ImportReport imported = importExportFiles(store, {folder.string()});
    std::printf("import of 1000 export pairs into the full library: %.1f s (%d added, %d not)\n", msSince(t) / 1000,
                imported.added, imported.failed + imported.skipped);
    return 0;
}

} // namespace

int benchSurveys()
{
    QTemporaryDir dir;
    return onEachEngine("surveys", [&dir](const std::string& location, bool file) {
        return benchLibrary(location, dir, file);
    });
}

int benchSync(const std::string& target)
{
    QTemporaryDir dir;
    const std::string from = dir.filePath(QStringLiteral("laptop.sqlite")).toStdString();
    const std::string to = target.empty() ? dir.filePath(QStringLiteral("office.sqlite")).toStdString() : target;
    SurveyStore laptop, office;
    if (!laptop.open(from) || !office.open(to) || office.readOnly()) {
        std::fprintf(stderr, "cannot open the libraries: %s %s\n", laptop.error().c_str(), office.error().c_str());
        return 1;
    }
    // 50 tubes of 20 readouts, each readout of a tube but the base with two corrections.
    std::vector<Survey> batch;
    for (int tube = 0; tube < 50; ++tube)
        for (int readout = 1; readout <= kReadouts; ++readout)
            batch.push_back(make(tube, readout));
    const std::vector<AddResult> added = laptop.addBatch(batch, {}, "");
    for (size_t i = 0; i < added.size(); ++i)
        if (i % kReadouts)
            laptop.setCorrections(added[i].id, {{CorrectionKind::Bias, 0, 1.5, "entered", "2024-01-01T00:00:00Z", true},
                                                {CorrectionKind::Bias, 1, -0.5, "entered", "2024-01-01T00:00:00Z", true}});
    TubeSettings t;
    t.constant = 25000;
    for (int tube = 0; tube < 50; tube += 5) {
        const Survey s = make(tube, 1);
        t.baseId = added[size_t(tube * kReadouts)].id;
        laptop.setTubeSettings({s.client, s.site, s.tube}, t);
    }

    for (const char* run : {"into a library without them", "again, every survey already there"}) {
        const auto t0 = Clock::now();
        const SyncResult r = syncLibraries(laptop, office);
        std::printf("sync of %d surveys of %d depths, %s: %.2f s (%d sent, %d already there, %zu conflicts, "
                    "%d tube settings sent)%s%s\n",
                    r.total, kDepths, run, msSince(t0) / 1000, r.sent, r.skipped, r.conflicts.size(), r.settingsSent,
                    r.error.empty() ? "" : "; stopped: ", r.error.c_str());
        if (!r.error.empty())
            return 1;
    }
    return 0;
}
