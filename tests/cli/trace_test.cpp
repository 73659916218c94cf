#include <gtest/gtest.h>

#include "platform/line_trace.h"
#include "support/child_process.h"
#include "support/harness.h"

#include <filesystem>
#include <map>

// A line trace of the command line, replayed by the simulator, makes the command line do and
// say the same again: what a customer's trace is for.
namespace tarvelon::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

struct Served {
    explicit Served(std::vector<std::string> args) : process(TARVELON_UNIT_SIM, std::move(args))
    {
        const std::string first = process.readLines(1, 5s);
        path = first.substr(0, first.find('\n'));
    }
    ChildProcess process;
    std::string path;
};

struct Outcome {
    int status = -1;
    std::string out, err;
    std::map<std::string, std::string> files;
};

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

// A download of block 2 from the unit on `port`, into a folder of its own, recorded in `trace`;
// the folder's name is taken out of what it printed.
Outcome download(const std::string& port, const std::string& trace)
{
    TempDir home, folder;
    ChildProcess p(TARVELON_CLI,
                   {"download", "--port", port, "--folder", folder.file(""), "--block", "2", "--no-library", "--trace", trace},
                   {"HOME=" + home.file(""), "XDG_DATA_HOME=" + home.file("share"), "XDG_CONFIG_HOME=" + home.file("config")});
    Outcome o;
    o.status = p.wait(60s);
    o.out = replaced(p.out, folder.file(""), "FOLDER/");
    o.err = replaced(replaced(p.err, folder.file(""), "FOLDER/"), port, "PORT");
    for (const auto& entry : fs::directory_iterator(folder.path()))
        o.files[entry.path().filename().string()] = readFile(entry.path().string());
    return o;
}

std::vector<TraceEntry> entriesOf(const std::string& trace, TraceEntry::Kind kind)
{
    std::string error;
    const auto entries = parseLineTrace(readFile(trace), &error);
    EXPECT_TRUE(entries) << error;
    std::vector<TraceEntry> kept;
    for (const TraceEntry& e : entries.value_or(std::vector<TraceEntry>{}))
        if (e.kind == kind) {
            kept.push_back(e);
            kept.back().seconds = 0;
        }
    return kept;
}

// When the last thing on the line happened, in seconds since the recording began.
double lastTime(const std::string& trace)
{
    const auto entries = parseLineTrace(readFile(trace));
    return entries && !entries->empty() ? entries->back().seconds : -1;
}

struct Fault {
    const char* name;
    std::vector<std::string> unit;
    int status;
    const char* message; // in what the command line said, or empty
};

class TraceReplay : public testing::TestWithParam<Fault> {};

TEST_P(TraceReplay, GivesTheSameFilesMessagesAndExitStatus)
{
    const Fault& fault = GetParam();
    TempDir dir;
    const std::string first = dir.file("first.txt"), again = dir.file("again.txt");
    Outcome recorded;
    {
        std::vector<std::string> args = {"--demo", "--wake-delay-ms", "0", "--reply-delay-ms", "1"};
        args.insert(args.end(), fault.unit.begin(), fault.unit.end());
        Served unit(args);
        recorded = download(unit.path, first);
    }
    EXPECT_EQ(recorded.status, fault.status) << recorded.err;
    if (*fault.message) {
        EXPECT_NE(recorded.err.find(fault.message), std::string::npos) << recorded.err;
    }

    // Nothing but the line: every line of the trace is one of its entries.
    const std::vector<TraceEntry> sent = entriesOf(first, TraceEntry::Kind::Sent);
    ASSERT_GT(sent.size(), 3u);
    ASSERT_FALSE(entriesOf(first, TraceEntry::Kind::Received).empty());

    Served replay({"--replay", first});
    const Outcome replayed = download(replay.path, again);
    EXPECT_EQ(replayed.status, recorded.status) << replayed.err;
    EXPECT_EQ(replayed.err, recorded.err);
    EXPECT_EQ(replayed.out, recorded.out);
    EXPECT_EQ(replayed.files, recorded.files);
    // The program sent the same, and heard the same.
    EXPECT_EQ(entriesOf(again, TraceEntry::Kind::Sent), sent);
    // Paced as recorded: the silent unit's wait and the noisy unit's replies take their time.
    EXPECT_GT(lastTime(again), 0.8 * lastTime(first));
    EXPECT_LT(lastTime(again), 1.5 * lastTime(first) + 1);
    replay.process.signal(SIGTERM);
    EXPECT_EQ(replay.process.wait(5s), 0);
    EXPECT_EQ(replay.process.err, "") << "the replayed unit heard what its trace did not have";
}

INSTANTIATE_TEST_SUITE_P(
    Units, TraceReplay,
    testing::Values(Fault{"Noisy", {"--noise", "~", "--split-parts", "2", "--split-gap-ms", "3"}, 0, ""},
                    Fault{"FellSilent", {"--answer-wakes", "12"}, 1, "Attention: TARVELON not connected"}),
    [](const testing::TestParamInfo<Fault>& info) { return std::string(info.param.name); });

TEST(TraceReplay, AFileThatIsNoTraceIsRefusedSayingWhy)
{
    TempDir dir;
    const std::string notes = dir.file("notes.txt");
    writeFile(notes, "Dear support,\nthe unit beeps.\n");
    ChildProcess sim(TARVELON_UNIT_SIM, {"--replay", notes});
    EXPECT_EQ(sim.wait(5s), 1);
    EXPECT_NE(sim.err.find("not a line trace"), std::string::npos) << sim.err;
}

TEST(TraceReplay, ATraceThatCannotBeWrittenStopsTheCommandBeforeAnythingIsSent)
{
    TempDir dir, home;
    Served unit({"--demo", "--log", dir.file("unit.log")});
    ChildProcess p(TARVELON_CLI,
                   {"clock", "--port", unit.path, "--trace", dir.file("no such folder/trace.txt")},
                   {"HOME=" + home.file(""), "XDG_DATA_HOME=" + home.file("share")});
    EXPECT_EQ(p.wait(30s), 2);
    EXPECT_NE(p.err.find("cannot write the line trace"), std::string::npos) << p.err;
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(readFile(dir.file("unit.log")), "");
}

} // namespace
} // namespace tarvelon::test
