#pragma once
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace tarvelon::sim::testing_line {

// Opens a terminal the way the program's serial port does: raw, 9600 baud, never blocking.
inline int openRaw(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    termios t{};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    cfsetspeed(&t, B9600);
    tcsetattr(fd, TCSANOW, &t);
    return fd;
}

// Reads until `count` characters arrived or the time is up; returns what arrived.
inline std::string readFor(int fd, size_t count, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string got;
    while (got.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, int(left.count())) <= 0)
            continue;
        char buf[256];
        const ssize_t n = ::read(fd, buf, std::min(sizeof buf, count - got.size()));
        if (n > 0)
            got.append(buf, size_t(n));
        else if (n == 0)
            break;
    }
    return got;
}

inline bool writeAll(int fd, const std::string& text)
{
    return ::write(fd, text.data(), text.size()) == ssize_t(text.size());
}

} // namespace tarvelon::sim::testing_line
