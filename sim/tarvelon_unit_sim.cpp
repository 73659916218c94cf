// tarvelon-unit-sim: a simulated TARVELON readout unit on a pseudo-terminal.
#include <atomic>
#include <chrono>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "sim/pty_server.h"
#include "sim/replay.h"
#include "sim/unit.h"

#include <fstream>
#include <iterator>
#include <memory>

namespace {

constexpr const char* kUsage = R"(Usage: tarvelon-unit-sim [options]
Serves a simulated TARVELON readout unit on a pseudo-terminal. The first line
printed on standard output is the terminal's path (e.g. /dev/pts/7).

  --image FILE          load the block memory from a 122880-byte memory image
  --demo                fill every block with plausible headers and readings
  --save-image FILE     write the memory image on exit
  --log FILE            append every wake and command line to FILE
  --link PATH           make PATH a symbolic link to the terminal (e.g. a Wine
                        prefix's dosdevices/com5), removed at exit
  --while-exists FILE   stop once FILE no longer exists
  --clock YYMMDDhhmmss  set the unit's clock (it then runs with real time)
  --paced               send each character at true 9600-baud pace
  --stdin-eof-quits     stop when standard input reaches end of file
  --replay FILE         answer as the unit of a line trace (tarvelon --trace FILE)
                        did, each reply after the pause it came after
Faults:
  --silent              answer nothing (commands are still logged and stored)
  --answer-wakes K      answer only the first K wakes, then fall silent
  --refuse-wakes N,...  answer these wakes (1-based) with "!x"
  --wake-delay-ms X     pause before "!" (default 2)
  --reply-delay-ms X    pause before a row or clock reply (default 5)
  --wake-extra TEXT     characters sent right after "!"
  --cut-reply N         row and clock replies stop after N characters
  --split-parts N       send row and clock replies in N parts
  --split-gap-ms X      pause between those parts
  --noise TEXT          characters sent unasked after every reply
TEXT may hold \r, \n, \t, \\ and \xHH.
  --help                show this help
Stops on SIGTERM or SIGINT.
)";

std::atomic<bool> g_stop{false};

void onStopSignal(int)
{
    g_stop.store(true);
}

struct UsageError {
    std::string message;
};

std::string unescape(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out.push_back(text[i]);
            continue;
        }
        const char c = text[++i];
        if (c == 'r')
            out.push_back('\r');
        else if (c == 'n')
            out.push_back('\n');
        else if (c == 't')
            out.push_back('\t');
        else if (c == 'x' && i + 2 < text.size() && std::isxdigit(uint8_t(text[i + 1]))
                 && std::isxdigit(uint8_t(text[i + 2]))) {
            out.push_back(char(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16)));
            i += 2;
        } else
            out.push_back(c);
    }
    return out;
}

double toNumber(const std::string& option, const std::string& value)
{
    try {
        size_t used = 0;
        const double v = std::stod(value, &used);
        if (used == value.size() && v >= 0)
            return v;
    } catch (...) {
    }
    throw UsageError{option + " needs a number of 0 or more, not \"" + value + "\""};
}

int toInt(const std::string& option, const std::string& value)
{
    const double v = toNumber(option, value);
    if (v != double(int(v)))
        throw UsageError{option + " needs a whole number, not \"" + value + "\""};
    return int(v);
}

bool validClock(const std::string& text)
{
    if (text.size() != 12 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    // The unit ignores an impossible date, so check it the same way: set and read back.
    tarvelon::sim::Unit probe;
    probe.setClock(text);
    return probe.clockText() == text;
}

struct Options {
    std::string image, saveImage, log, link, whileExists, replay;
    std::optional<std::string> clock;
    bool demo = false, paced = false, stdinEofQuits = false, help = false;
    tarvelon::sim::Faults faults;
};

Options parse(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::optional<std::string> inlineValue;
        if (const auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = arg.substr(eq + 1);
            arg.resize(eq);
        }
        auto value = [&]() -> std::string {
            if (inlineValue)
                return *inlineValue;
            if (i + 1 >= argc)
                throw UsageError{arg + " needs a value"};
            return argv[++i];
        };
        auto flag = [&]() {
            if (inlineValue)
                throw UsageError{arg + " takes no value"};
        };
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--image") {
            o.image = value();
        } else if (arg == "--demo") {
            flag();
            o.demo = true;
        } else if (arg == "--save-image") {
            o.saveImage = value();
        } else if (arg == "--log") {
            o.log = value();
        } else if (arg == "--link") {
            o.link = value();
        } else if (arg == "--while-exists") {
            // An empty name would leave the simulator running for ever.
            if ((o.whileExists = value()).empty())
                throw UsageError{"--while-exists needs a file"};
        } else if (arg == "--clock") {
            o.clock = value();
            if (!validClock(*o.clock))
                throw UsageError{"--clock needs a valid YYMMDDhhmmss, not \"" + *o.clock + "\""};
        } else if (arg == "--replay") {
            if ((o.replay = value()).empty())
                throw UsageError{"--replay needs a file"};
        } else if (arg == "--paced") {
            flag();
            o.paced = true;
        } else if (arg == "--stdin-eof-quits") {
            flag();
            o.stdinEofQuits = true;
        } else if (arg == "--silent") {
            flag();
            o.faults.silent = true;
        } else if (arg == "--answer-wakes") {
            o.faults.answerWakes = toInt(arg, value());
        } else if (arg == "--refuse-wakes") {
            std::stringstream list(value());
            for (std::string item; std::getline(list, item, ',');)
                o.faults.refusedWakes.insert(toInt(arg, item));
        } else if (arg == "--wake-delay-ms") {
            o.faults.wakeDelayMs = toNumber(arg, value());
        } else if (arg == "--reply-delay-ms") {
            o.faults.replyDelayMs = toNumber(arg, value());
        } else if (arg == "--wake-extra") {
            o.faults.wakeExtra = unescape(value());
        } else if (arg == "--cut-reply") {
            o.faults.cutReplyAt = toInt(arg, value());
        } else if (arg == "--split-parts") {
            o.faults.splitParts = toInt(arg, value());
            if (o.faults.splitParts < 1)
                throw UsageError{"--split-parts needs 1 or more"};
        } else if (arg == "--split-gap-ms") {
            o.faults.splitGapMs = toNumber(arg, value());
        } else if (arg == "--noise") {
            o.faults.noiseAfterReply = unescape(value());
        } else {
            throw UsageError{"unknown option " + arg};
        }
    }
    if (!o.image.empty() && o.demo)
        throw UsageError{"--image and --demo cannot be used together"};
    // A replayed unit says only what the trace holds.
    if (!o.replay.empty() && (o.demo || !o.image.empty() || !o.saveImage.empty() || o.clock))
        throw UsageError{"--replay cannot be used with --demo, --image, --save-image or --clock"};
    return o;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    try {
        options = parse(argc, argv);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "tarvelon-unit-sim: %s\nTry --help.\n", e.message.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }

    tarvelon::sim::Unit unit;
    unit.faults = options.faults;
    if (options.demo)
        unit.fillDemo();
    if (!options.image.empty() && !unit.loadImage(options.image)) {
        std::fprintf(stderr, "tarvelon-unit-sim: cannot load the memory image %s (missing, or not %d bytes)\n",
                     options.image.c_str(), tarvelon::sim::Unit::kMemorySize);
        return 1;
    }
    if (options.clock)
        unit.setClock(*options.clock);

    std::unique_ptr<tarvelon::sim::ReplayedUnit> replayed;
    if (!options.replay.empty()) {
        std::ifstream in(options.replay, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::string why = "cannot be read";
        const auto entries = in ? tarvelon::parseLineTrace(text, &why) : std::nullopt;
        if (!entries) {
            std::fprintf(stderr, "tarvelon-unit-sim: %s: %s\n", options.replay.c_str(), why.c_str());
            return 1;
        }
        replayed = std::make_unique<tarvelon::sim::ReplayedUnit>(*entries);
    }

    FILE* log = nullptr;
    if (!options.log.empty() && !(log = std::fopen(options.log.c_str(), "a"))) {
        std::perror(("tarvelon-unit-sim: " + options.log).c_str());
        return 1;
    }

    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    tarvelon::sim::PtyServer server(replayed ? static_cast<tarvelon::sim::LineParty&>(*replayed)
                                             : static_cast<tarvelon::sim::LineParty&>(unit));
    std::string error;
    if (!server.open(&error)) {
        std::fprintf(stderr, "tarvelon-unit-sim: %s\n", error.c_str());
        return 1;
    }
    server.setPaced(options.paced);
    if (options.stdinEofQuits)
        server.quitOnEof(STDIN_FILENO);
    if (log)
        server.setLogSink([log](const std::string& entry) {
            std::fprintf(log, "%s\n", entry.c_str());
            std::fflush(log);
        });

    // A program that cannot read this one's output or signal it (a Windows one under Wine,
    // which starts it with neither) finds the terminal through the link and ends the
    // simulator by removing the file it watches.
    if (!options.link.empty()) {
        struct stat existing {};
        if (lstat(options.link.c_str(), &existing) == 0 && S_ISLNK(existing.st_mode))
            unlink(options.link.c_str()); // left by a simulator that was killed
        if (symlink(server.slavePath().c_str(), options.link.c_str()) != 0) {
            std::perror(("tarvelon-unit-sim: " + options.link).c_str());
            return 1;
        }
    }
    std::thread watch;
    if (!options.whileExists.empty())
        watch = std::thread([&options] {
            struct stat st {};
            while (!g_stop.load() && stat(options.whileExists.c_str(), &st) == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            g_stop.store(true);
        });

    std::printf("%s\n", server.slavePath().c_str());
    std::fflush(stdout);

    const bool served = server.serve(g_stop);
    if (watch.joinable()) {
        g_stop.store(true);
        watch.join();
    }
    if (!options.link.empty()) {
        char target[4096];
        const ssize_t n = readlink(options.link.c_str(), target, sizeof target);
        if (n > 0 && std::string(target, size_t(n)) == server.slavePath())
            unlink(options.link.c_str());
    }
    if (!served)
        std::fprintf(stderr, "tarvelon-unit-sim: the pseudo-terminal failed\n");

    int status = served ? 0 : 1;
    // What the program sent that the unit of the trace never heard: the program went another way.
    if (replayed)
        for (const std::string& m : replayed->mismatches())
            std::fprintf(stderr, "tarvelon-unit-sim: not as in the trace: %s\n", m.c_str());
    if (!options.saveImage.empty() && !unit.saveImage(options.saveImage)) {
        std::fprintf(stderr, "tarvelon-unit-sim: cannot write the memory image %s\n", options.saveImage.c_str());
        status = 1;
    }
    if (log)
        std::fclose(log);
    return status;
}
