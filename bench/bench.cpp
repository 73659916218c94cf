// tarvelon-bench wait      : what a 10 s wait of an operation costs the program in CPU.
// tarvelon-bench download  : a full download from tarvelon-unit-sim paced at a true 9600 baud.
// tarvelon-bench download-noisy : the same with a stray character after each of the unit's replies.
// tarvelon-bench cli-download [TARVELON_EXE] : the same download by the tarvelon command line;
//                              given the Windows build's tarvelon.exe, by it under wine64 through COM1.
// tarvelon-bench blocks    : the block list and a download of three blocks in one go, paced as above.
// tarvelon-bench stop      : Stop pressed in the middle of a download of blocks: press to port closed.
// tarvelon-bench startup   : time from start to the main window shown, beyond the splash.
// tarvelon-bench surveys   : the survey library, its window and a tube report with 10 000 surveys (surveys_bench.cpp).
// tarvelon-bench alarms    : adding a survey with its alarms judged, and tarvelon alarms over 10 000 events (alarms_bench.cpp).
// tarvelon-bench site      : those 10 000 surveys as one site of 500 tubes: its table and plan (site_bench.cpp).
// tarvelon-bench sync [LIBRARY] : 1000 surveys of 200 depths synced from a library file into an empty one
//                              (or into LIBRARY, which must not hold them yet), then again (surveys_bench.cpp).
#include "blocks/block_list.h"
#include "blocks/download.h"
#include "link/block.h"
#include "link/exchange.h"
#include "shell/main_window.h"
#include "shell/splash_screen.h"
#include "sim/unit.h"
#include "support/child_process.h"
#include "support/fake_form.h"

#include <QApplication>
#include <QPushButton>
#include <QSerialPort>
#include <QTimer>
#include <QDir>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace tarvelon;
using Clock = std::chrono::steady_clock;

namespace {

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

long peakKiB()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

double since(Clock::time_point t)
{
    return std::chrono::duration<double>(Clock::now() - t).count();
}

// tarvelon-unit-sim in a process of its own, so its CPU time is not counted as the program's.
struct Simulator {
    explicit Simulator(std::vector<std::string> args)
    {
        args.insert(args.begin(), TARVELON_UNIT_SIM);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        int fds[2];
        if (pipe(fds) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn(&pid, TARVELON_UNIT_SIM, &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        char c;
        while (::read(fds[0], &c, 1) == 1 && c != '\n')
            path += c;
        ::close(fds[0]);
    }
    ~Simulator()
    {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }
    pid_t pid = -1;
    std::string path;
};

std::unique_ptr<MainWindow> windowOn(const std::string& unitPath, const QString& folder, test::FakeMessages& messages)
{
    MainWindow::Options opts;
    opts.programFolder = folder;
    const QString path = QString::fromStdString(unitPath);
    opts.portName = [path](int) { return path; };
    opts.messages = &messages;
    auto w = std::make_unique<MainWindow>(opts);
    w->show();
    return w;
}

int benchWait()
{
    QTemporaryDir dir;
    Simulator sim({"--silent"});
    test::FakeMessages messages;
    auto w = windowOn(sim.path, dir.path(), messages);
    QCoreApplication::processEvents();
    // A settle wait of 100 ticks, then a wake the unit never answers: 10 s and 5 s of waiting.
    struct Case {
        const char* what;
        std::function<void(Exchange&)> wait;
    } cases[] = {
        {"settle wait of 100 ticks", [](Exchange& ex) { ex.settleWait(100); }},
        {"later wake with no answer", [](Exchange& ex) { ex.handshake(Limit::Silence); }},
    };
    for (const Case& c : cases) {
        w->runOperation([&](Context& ctx) {
            Exchange ex(ctx);
            ex.openPort();
            const double cpu0 = cpuSeconds();
            const auto t0 = Clock::now();
            c.wait(ex);
            const double wall = since(t0);
            const double cpu = cpuSeconds() - cpu0;
            ex.end();
            std::printf("%-28s wall %6.2f s  cpu %6.3f s  = %.3f %% of a core\n", c.what, wall, cpu, 100.0 * cpu / wall);
        });
    }
    return 0;
}

// tarvelon-unit-sim's arguments for a unit paced at a true 9600 baud whose block 1 is 200.0 m
// at 1 m steps with four guides: 200 rows of eight readings.
std::vector<std::string> fullBlockUnit(const QTemporaryDir& dir)
{
    sim::Unit unit;
    unit.receive("C00000BENCHMRKSITE0001T001200014+00001011224103015\r");
    for (int r = 0; r < 240; ++r)
        for (int b = 0; b < 16; ++b)
            unit.memory()[size_t(0x100 + r * 16 + b)] = uint8_t(b % 2 ? r : 0x80 | (r >> 4));
    const std::string image = dir.filePath("image.bin").toStdString();
    unit.saveImage(image);
    return {"--image", image, "--paced", "--wake-delay-ms", "0", "--reply-delay-ms", "0"};
}

// `noise`: characters the unit sends unasked after every reply, as a chatty unit does.
int benchDownload(const std::string& noise)
{
    QTemporaryDir dir;
    std::vector<std::string> args = fullBlockUnit(dir);
    if (!noise.empty())
        args.insert(args.end(), {"--noise", noise});
    Simulator sim(args);
    test::FakeMessages messages;
    auto w = windowOn(sim.path, dir.path(), messages);
    w->state().downloadFolder = dir.path().toStdString();
    w->setEnabled("command3d1", true);
    QCoreApplication::processEvents();

    const double cpu0 = cpuSeconds();
    const auto t0 = Clock::now();
    w->runOperation(download);
    const double wall = since(t0);
    const double cpu = cpuSeconds() - cpu0;

    // Per row: the wake and its answer, "a" + address + CR, and the 50-character reply.
    const double charMs = 10.0 * 1000.0 / 9600.0;
    const int rows = 10 + 200;
    const double line = rows * (1 + 1 + 7 + 50) * charMs / 1000.0 + 0.5;
    QFile work(dir.filePath("datiram.dat"));
    work.open(QIODevice::ReadOnly);
    std::printf("download of %d rows%s: wall %.3f s, line's own time %.3f s (+%.2f %%)\n", rows,
                noise.empty() ? "" : ", a stray character after each reply", wall, line, 100.0 * (wall - line) / line);
    std::printf("cpu %.3f s = %.2f %% of the wall time; peak memory %ld KiB; work file %lld bytes; messages %zu\n", cpu,
                100.0 * cpu / wall, peakKiB(), work.size(), messages.shown.size());
    return 0;
}

// Three measured blocks (100 m at 1 m, 50 m at 0.5 m with four guides, 30 m at 1 m), every
// other block with depth 0, served paced at 9600 baud.
struct ThreeBlocks {
    ThreeBlocks()
    {
        sim::Unit unit;
        const char* shapes[] = {"100012", "050004", "030012"};
        for (int n = 1; n <= 30; ++n) {
            char line[64];
            std::snprintf(line, sizeof line, "C%02X000BENCH%03dSITE0001T%03d%s+00001011224103015\r", n - 1, n, n,
                          n <= 3 ? shapes[n - 1] : "000012");
            unit.receive(line);
        }
        for (size_t i = 0; i < unit.memory().size(); ++i)
            if (i % 4096 >= 0x100)
                unit.memory()[i] = uint8_t(i * 7 % 251);
        const std::string image = dir.filePath("image.bin").toStdString();
        unit.saveImage(image);
        sim = std::make_unique<Simulator>(
            std::vector<std::string>{"--image", image, "--paced", "--wake-delay-ms", "0", "--reply-delay-ms", "0"});
        w = windowOn(sim->path, dir.path(), messages);
        w->state().downloadFolder = dir.path().toStdString();
        QCoreApplication::processEvents();
    }
    static constexpr int kRows[] = {100, 100, 30};
    QTemporaryDir dir;
    std::unique_ptr<Simulator> sim;
    test::FakeMessages messages;
    std::unique_ptr<MainWindow> w;
};

double rowsLineSeconds(int rows)
{
    return rows * (1 + 1 + 7 + 50) * 10.0 / 9600.0;
}

int benchBlocks()
{
    ThreeBlocks b;
    std::vector<ListedBlock> list;
    double cpu0 = cpuSeconds();
    auto t0 = Clock::now();
    b.w->runOperation([&](Context& c) { list = listBlocks(c); });
    double wall = since(t0);
    int listRows = 0;
    std::vector<PlannedBlock> plan;
    for (const ListedBlock& l : list) {
        listRows += l.readingRows > 0 ? kListedRows + 1 : kListedRows;
        if (l.readingRows > 0)
            plan.push_back({l.block, l.readingRows});
    }
    double line = rowsLineSeconds(listRows);
    std::printf("block list: %d rows, wall %.3f s, line's own time %.3f s (+%.2f %%), cpu %.2f %% of the wall\n", listRows,
                wall, line, 100.0 * (wall - line) / line, 100.0 * (cpuSeconds() - cpu0) / wall);

    int rows = 0;
    for (const int r : ThreeBlocks::kRows)
        rows += 10 + r;
    cpu0 = cpuSeconds();
    t0 = Clock::now();
    std::vector<BlockResult> results;
    b.w->runOperation([&](Context& c) { results = downloadBlocks(c, plan, {}); });
    wall = since(t0);
    const double cpu = cpuSeconds() - cpu0;
    line = rowsLineSeconds(rows);
    int downloaded = 0;
    for (const BlockResult& r : results)
        downloaded += r.status == BlockResult::Downloaded;
    std::printf("download of %d blocks, %d rows: wall %.3f s, line's own time %.3f s (+%.2f %%)\n", downloaded, rows, wall,
                line, 100.0 * (wall - line) / line);
    std::printf("cpu %.3f s = %.2f %% of the wall time; peak memory %ld KiB; messages %zu\n", cpu, 100.0 * cpu / wall,
                peakKiB(), b.messages.shown.size());
    return 0;
}

// The same full download by the command line, in a process of its own: its wall time and its
// processor time as the system counts them.
// A program run to its end: exit status and wall time.
std::pair<int, double> timed(const std::string& program, const std::vector<std::string>& args,
                             const std::vector<std::string>& env = {})
{
    const auto t0 = Clock::now();
    test::ChildProcess p(program, args, env);
    const int status = p.wait(std::chrono::seconds(120));
    return {status, since(t0)};
}

// `windowsCli`: the Windows build's tarvelon.exe, run under wine64 in $WINEPREFIX through
// COM1, which wine maps to the simulator's terminal.
int benchCliDownload(const std::string& windowsCli)
{
    QTemporaryDir dir;
    Simulator sim(fullBlockUnit(dir));
    const QString folder = dir.filePath(QStringLiteral("out"));
    QDir().mkpath(folder);
    std::string program = TARVELON_CLI;
    std::vector<std::string> args = {"download", "--port", sim.path, "--folder", folder.toStdString(), "--block",
                                     "1", "--no-library", "--quiet"};
    std::vector<std::string> env;
    double start = 0;
    if (!windowsCli.empty()) {
        if (qEnvironmentVariableIsEmpty("WINEPREFIX")) {
            std::fprintf(stderr, "cli-download under wine needs WINEPREFIX (a prefix of the Windows build's)\n");
            return 2;
        }
        const std::string wine = "/usr/lib/wine/wine64", server = "/usr/lib/wine/wineserver";
        env = {"WINEDEBUG=-all", "WINEDLLOVERRIDES=winemenubuilder.exe=d"};
        timed(wine, {"reg", "add", "HKLM\\Software\\Wine\\Ports", "/v", "COM1", "/d", sim.path, "/f"}, env);
        // Wine makes its COM1 from that entry when its server starts.
        timed(server, {"-k"}, env);
        timed(server, {"--wait"}, env);
        timed(wine, {windowsCli, "--version"}, env);
        // What wine alone costs a start of the program, its server already running.
        start = timed(wine, {windowsCli, "--version"}, env).second;
        program = wine;
        args[2] = "COM1";
        args[4] = "Z:" + folder.toStdString();
        args.insert(args.begin(), windowsCli);
    }
    const auto t0 = Clock::now();
    test::ChildProcess cli(program, args, env);
    const int status = cli.wait(std::chrono::seconds(120));
    const double wall = since(t0);
    const double line = rowsLineSeconds(10 + 200) + 0.5;
    std::printf("tarvelon%s download of 210 rows: exit %d, wall %.3f s, line's own time %.3f s (+%.2f %%)\n",
                windowsCli.empty() ? "" : ".exe under wine", status, wall, line, 100.0 * (wall - line) / line);
    if (!windowsCli.empty())
        std::printf("of which wine's start of a program: %.3f s; without it %.3f s (%+.2f %%)\n", start,
                    wall - start, 100.0 * (wall - start - line) / line);
    else
        std::printf("cpu %.3f s = %.2f %% of the wall time", cli.cpuSeconds, 100.0 * cli.cpuSeconds / wall);
    std::printf("%s%s\n", cli.err.empty() ? "" : "; ", cli.err.c_str());
    return status;
}

int benchStop()
{
    ThreeBlocks b;
    auto* serial = b.w->port().findChild<QSerialPort*>(QStringLiteral("MSComm1"));
    auto* stop = b.w->findChild<QPushButton*>(QStringLiteral("cmdStop"));
    Clock::time_point pressed, closed;
    QObject::connect(serial, &QIODevice::aboutToClose, [&] { closed = Clock::now(); });
    double worst = 0;
    // Pressed at different moments of a row; the press counts from the moment it is made,
    // however long the program takes to notice it.
    for (const int ms : {700, 1233, 1517, 2071, 2900}) {
        pressed = Clock::now() + std::chrono::milliseconds(ms);
        QTimer::singleShot(ms, Qt::PreciseTimer, stop, [stop] { stop->click(); });
        b.messages.shown.clear();
        b.w->runOperation([&](Context& c) { downloadBlocks(c, {{1, 100}, {2, 100}, {3, 30}}, {}); });
        const double took = std::chrono::duration<double>(closed - pressed).count();
        worst = std::max(worst, took);
        std::printf("Stop at %4d ms: port closed %.1f ms after the press; %s\n", ms, took * 1000,
                    b.messages.shown.empty() ? "no message" : b.messages.shown.back().text.c_str());
    }
    std::printf("worst: %.1f ms\n", worst * 1000);
    return 0;
}

int benchStartup()
{
    QTemporaryDir dir;
    const auto t0 = Clock::now();
    std::unique_ptr<MainWindow> w;
    double shownAt = 0;
    SplashScreen splash([&] {
        const auto t1 = Clock::now();
        MainWindow::Options opts;
        opts.programFolder = dir.path();
        w = std::make_unique<MainWindow>(opts);
        w->show();
        QCoreApplication::processEvents();
        shownAt = std::chrono::duration<double>(Clock::now() - t1).count();
        QCoreApplication::quit();
    });
    splash.show();
    QApplication::exec();
    std::printf("splash to main window: %.3f s in all; the main window itself took %.1f ms\n", since(t0), shownAt * 1000);
    std::printf("peak memory at rest: %ld KiB\n", peakKiB());
    return 0;
}

} // namespace

int benchSurveys();
int benchSync(const std::string& target);
int benchProposals();
int benchAlarms();
int benchSiteView();

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const std::string what = argc > 1 ? argv[1] : "";
    if (what == "wait")
        return benchWait();
    if (what == "download")
        return benchDownload("");
    if (what == "download-noisy")
        return benchDownload("x");
    if (what == "blocks")
        return benchBlocks();
    if (what == "cli-download")
        return benchCliDownload(argc > 2 ? argv[2] : "");
    if (what == "stop")
        return benchStop();
    if (what == "startup")
        return benchStartup();
    if (what == "surveys")
        return benchSurveys();
    if (what == "sync")
        return benchSync(argc > 2 ? argv[2] : "");
    if (what == "proposals")
        return benchProposals();
    if (what == "alarms")
        return benchAlarms();
    if (what == "site")
        return benchSiteView();
    std::fprintf(stderr, "usage: tarvelon-bench wait|download|download-noisy|cli-download [TARVELON_EXE]|blocks|stop|startup|surveys|sync [LIBRARY]|proposals|alarms|site\n");
    return 2;
}
