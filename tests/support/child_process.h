#pragma once
// A program of the build run as a child process, its standard output and error on pipes.
#ifdef _WIN32
#include "support/child_process_win.h"
#else
#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace tarvelon::test {

class ChildProcess {
public:
    // `env` entries ("NAME=value") are added to this process's environment.
    ChildProcess(const std::string& program, std::vector<std::string> args, const std::vector<std::string>& env = {})
    {
        args.insert(args.begin(), program);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        std::vector<std::string> envStrings(env);
        for (char** e = environ; *e; ++e)
            envStrings.emplace_back(*e);
        std::vector<char*> envp;
        for (auto& e : envStrings)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        int out[2], err[2];
        if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        ::close(err[1]);
        out_ = out[0];
        err_ = err[0];
    }
    ~ChildProcess()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        for (int fd : {out_, err_})
            if (fd >= 0)
                ::close(fd);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }
    void signal(int sig) { ::kill(pid_, sig); }

    // Waits until standard output holds `lines` lines (or the time is up); returns all of it.
    std::string readLines(size_t lines, std::chrono::milliseconds timeout)
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (count(out, '\n') < lines && std::chrono::steady_clock::now() < deadline)
            if (!pump(50))
                break;
        return out;
    }

    // Waits for the end; the exit status (128 + the signal for a killed program), or -1 when
    // it did not end in time. Standard output and error are then all in `out` and `err`.
    int wait(std::chrono::milliseconds timeout = std::chrono::seconds(20))
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < deadline) {
            const bool open = pump(20);
            int status = 0;
            rusage use{};
            if (wait4(pid_, &status, WNOHANG, &use) == pid_) {
                while (pump(0)) {
                }
                pid_ = -1;
                cpuSeconds = double(use.ru_utime.tv_sec + use.ru_stime.tv_sec) +
                             double(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            if (!open)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return -1;
    }

    std::string out, err;
    double cpuSeconds = 0; // user and system time of the ended program

private:
    static size_t count(const std::string& s, char c) { return size_t(std::count(s.begin(), s.end(), c)); }

    // Reads what the pipes hold, waiting up to `ms`; false once both are closed.
    bool pump(int ms)
    {
        pollfd fds[2] = {{out_, POLLIN, 0}, {err_, POLLIN, 0}};
        if (::poll(fds, 2, ms) <= 0)
            return out_ >= 0 || err_ >= 0;
        bool open = false;
        for (int i = 0; i < 2; ++i) {
            int& fd = i == 0 ? out_ : err_;
            if (fd < 0)
                continue;
            if (fds[i].revents & (POLLIN | POLLHUP)) {
                char buf[4096];
                const ssize_t n = ::read(fd, buf, sizeof buf);
                if (n > 0)
                    (i == 0 ? out : err).append(buf, size_t(n));
                else {
                    ::close(fd);
                    fd = -1;
                    continue;
                }
            }
            open = true;
        }
        return open;
    }

    pid_t pid_ = -1;
    int out_ = -1, err_ = -1;
};

} // namespace tarvelon::test
#endif
