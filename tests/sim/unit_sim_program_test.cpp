#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

#include "line_io.h"
#include "sim/unit.h"

extern char** environ;

namespace tarvelon::sim {
namespace {

using namespace std::chrono_literals;
using namespace testing_line;

// The built tarvelon-unit-sim, started with its standard output on a pipe.
class Program {
public:
    explicit Program(std::vector<std::string> args, bool inputFromNull = false)
    {
        args.insert(args.begin(), TARVELON_UNIT_SIM);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        if (inputFromNull)
            posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        if (posix_spawn(&pid_, TARVELON_UNIT_SIM, &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        out_ = fds[0];
    }
    ~Program()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0)
            ::close(out_);
    }

    bool started() const { return pid_ > 0; }

    // The first line of standard output, without its line end.
    std::string firstLine()
    {
        std::string line;
        while (line.empty() || line.back() != '\n') {
            const std::string c = readFor(out_, 1, 5s);
            if (c.empty())
                return line;
            line += c;
        }
        line.pop_back();
        return line;
    }

    // Waits for the exit; the status as waitpid gives it, or -1 when it did not end in time.
    int wait(std::chrono::milliseconds timeout = 5s)
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return status;
            }
            std::this_thread::sleep_for(10ms);
        }
        return -1;
    }

    void signal(int sig) { ::kill(pid_, sig); }

private:
    pid_t pid_ = -1;
    int out_ = -1;
};

TEST(UnitSimProgram, ServesWakeAndClockAndStopsCleanlyOnTerm)
{
    Program sim({"--clock", "240229235959"});
    ASSERT_TRUE(sim.started());
    const std::string path = sim.firstLine();
    ASSERT_EQ(path.rfind("/dev/", 0), 0u) << path;
    const int line = openRaw(path);
    ASSERT_GE(line, 0) << path;
    EXPECT_EQ(readFor(line, 1, 200ms), "") << "the unit spoke unasked";

    ASSERT_TRUE(writeAll(line, "}"));
    EXPECT_EQ(readFor(line, 1, 2s), "!");
    ASSERT_TRUE(writeAll(line, "H\r"));
    const std::string clock = readFor(line, 14, 2s);
    ASSERT_EQ(clock.size(), 14u) << clock;
    EXPECT_TRUE(clock.starts_with("24022923595") || clock.starts_with("2403010000")) << clock;
    EXPECT_TRUE(clock.ends_with("\r\n"));
    ::close(line);

    sim.signal(SIGTERM);
    const int status = sim.wait();
    ASSERT_NE(status, -1) << "still running after SIGTERM";
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(UnitSimProgram, LogsLinesAndSavesTheImageOnExit)
{
    const std::string dir = testing::TempDir() + "unit_sim_" + std::to_string(getpid());
    std::filesystem::create_directories(dir);
    const std::string log = dir + "/line.log", image = dir + "/memory.bin";

    Program sim({"--demo", "--log", log, "--save-image", image, "--paced"});
    ASSERT_TRUE(sim.started());
    const int line = openRaw(sim.firstLine());
    ASSERT_GE(line, 0);
    ASSERT_TRUE(writeAll(line, "}"));
    EXPECT_EQ(readFor(line, 1, 2s), "!");
    ASSERT_TRUE(writeAll(line, "b000F5AA\r}"));
    EXPECT_EQ(readFor(line, 1, 2s), "!");
    ASSERT_TRUE(writeAll(line, "a000F0\r"));
    EXPECT_EQ(readFor(line, 50, 2s).substr(0, 18), "33 00 00 00 00 AA ");
    ::close(line);

    std::ifstream in(log);
    std::vector<std::string> logged;
    for (std::string entry; std::getline(in, entry);)
        logged.push_back(entry);
    EXPECT_EQ(logged, (std::vector<std::string>{"}", "b000F5AA", "}", "a000F0"}));

    sim.signal(SIGINT);
    ASSERT_EQ(sim.wait(), 0);
    Unit saved;
    ASSERT_TRUE(saved.loadImage(image));
    EXPECT_EQ(saved.memory()[0xF5], 0xAA);
    EXPECT_EQ(saved.headerText(1).substr(0, 8).find_first_not_of(' '), 0u) << "no demo data saved";
    std::filesystem::remove_all(dir);
}

TEST(UnitSimProgram, StopsAtEndOfStandardInputWhenAsked)
{
    Program sim({"--stdin-eof-quits"}, true);
    ASSERT_TRUE(sim.started());
    EXPECT_EQ(sim.firstLine().rfind("/dev/", 0), 0u);
    const int status = sim.wait();
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// A program that can neither read the simulator's output nor signal it finds the terminal
// through --link (a link a killed simulator left is replaced) and stops it by removing the
// file of --while-exists; the link goes with the simulator.
TEST(UnitSimProgram, LinksToItsTerminalAndStopsWhenTheWatchedFileGoes)
{
    const std::string dir = testing::TempDir() + "unit_sim_link_" + std::to_string(getpid());
    std::filesystem::create_directories(dir);
    const std::string link = dir + "/com5", alive = dir + "/alive";
    std::filesystem::create_symlink("/dev/null", link);
    for (const bool byRemoval : {true, false}) {
        std::ofstream(alive).put('x');
        Program sim({"--link", link, "--while-exists", alive});
        ASSERT_TRUE(sim.started());
        const std::string path = sim.firstLine();
        ASSERT_EQ(path.rfind("/dev/", 0), 0u) << path;
        EXPECT_EQ(std::filesystem::read_symlink(link).string(), path);
        const int line = openRaw(link);
        ASSERT_GE(line, 0);
        ASSERT_TRUE(writeAll(line, "}"));
        EXPECT_EQ(readFor(line, 1, 2s), "!");
        ::close(line);
        EXPECT_EQ(sim.wait(200ms), -1) << "stopped while the file is there";
        if (byRemoval)
            std::filesystem::remove(alive);
        else
            sim.signal(SIGTERM);
        const int status = sim.wait();
        ASSERT_NE(status, -1) << "still running";
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        EXPECT_FALSE(std::filesystem::is_symlink(link)) << "the link outlived the simulator";
    }
    std::filesystem::remove_all(dir);
}

class UnitSimBadOptions : public testing::TestWithParam<std::vector<std::string>> {};

TEST_P(UnitSimBadOptions, AreRefusedWithStatusTwo)
{
    Program sim(GetParam());
    ASSERT_TRUE(sim.started());
    const int status = sim.wait();
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_EQ(sim.firstLine(), "") << "no terminal may be offered";
}

INSTANTIATE_TEST_SUITE_P(
    Options, UnitSimBadOptions,
    testing::Values(std::vector<std::string>{"--bogus"}, std::vector<std::string>{"--answer-wakes"},
                    std::vector<std::string>{"--answer-wakes", "x"}, std::vector<std::string>{"--cut-reply", "-3"},
                    std::vector<std::string>{"--split-parts", "0"}, std::vector<std::string>{"--wake-delay-ms", "1ms"},
                    std::vector<std::string>{"--clock", "240230120000"}, std::vector<std::string>{"--demo=yes"},
                    std::vector<std::string>{"--while-exists", ""}));

} // namespace
} // namespace tarvelon::sim
