#include "sim/pty_server.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace tarvelon::sim {

namespace {

// Without a stop signal to wake it, the loop still looks at the stop flag this often.
constexpr auto kStopCheck = std::chrono::milliseconds(100);

bool makeRaw(int fd)
{
    termios t{};
    if (tcgetattr(fd, &t) != 0)
        return false;
    cfmakeraw(&t);
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    return tcsetattr(fd, TCSANOW, &t) == 0;
}

std::string failure(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

timespec toTimespec(PtyServer::Clock::duration d)
{
    if (d < PtyServer::Clock::duration::zero())
        d = PtyServer::Clock::duration::zero();
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(d).count();
    return timespec{time_t(ns / 1000000000), long(ns % 1000000000)};
}

PtyServer::Clock::duration milliseconds(double ms)
{
    return std::chrono::duration_cast<PtyServer::Clock::duration>(std::chrono::duration<double, std::milli>(ms));
}

} // namespace

PtyServer::PtyServer(LineParty& unit) : unit_(unit) {}

PtyServer::~PtyServer()
{
    close();
}

void PtyServer::close()
{
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
    slave_ = master_ = -1;
}

bool PtyServer::open(std::string* error)
{
    auto fail = [&](const char* what) {
        if (error)
            *error = failure(what);
        return false;
    };
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0)
        return fail("posix_openpt");
    if (grantpt(master_) != 0)
        return fail("grantpt");
    if (unlockpt(master_) != 0)
        return fail("unlockpt");
    const char* name = ptsname(master_);
    if (!name)
        return fail("ptsname");
    slavePath_ = name;
    // Our own slave descriptor stays open for good: once the last one closes, the master reads EIO.
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0)
        return fail("open slave");
    if (!makeRaw(slave_))
        return fail("raw mode on the slave");
    makeRaw(master_); // not every system lets the master have its own settings
    const int flags = fcntl(master_, F_GETFL);
    if (flags < 0 || fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0)
        return fail("non-blocking master");
    return true;
}

bool PtyServer::serve(const std::atomic<bool>& stop)
{
    if (master_ < 0)
        return false;
    // The stop signals are let through only inside ppoll, so one arriving just before it cannot be missed.
    sigset_t stopSignals, waitMask;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, &waitMask);
    sigdelset(&waitMask, SIGINT);
    sigdelset(&waitMask, SIGTERM);

    auto lastTick = Clock::now();
    lineFreeAt_ = lastTick;
    bool ok = true;
    while (!stop.load()) {
        const auto now = Clock::now();
        unit_.advanceClock(std::chrono::duration<double>(now - lastTick).count());
        lastTick = now;

        if (!writeDue(now)) {
            ok = false;
            break;
        }
        const bool blocked = !queue_.empty() && queue_.front().due <= now;
        auto wait = std::chrono::duration_cast<Clock::duration>(kStopCheck);
        if (!queue_.empty() && !blocked)
            wait = std::min(wait, queue_.front().due - now);

        pollfd fds[2] = {{master_, short(POLLIN | (blocked ? POLLOUT : 0)), 0}, {eofFd_, POLLIN, 0}};
        const timespec timeout = toTimespec(wait);
        const int rc = ppoll(fds, eofFd_ >= 0 ? 2 : 1, &timeout, &waitMask);
        if (rc < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        if (fds[0].revents & (POLLIN | POLLERR | POLLHUP)) {
            if (!readFromLine(Clock::now())) {
                ok = false;
                break;
            }
        }
        if (eofFd_ >= 0 && fds[1].revents) {
            char buf[256];
            const ssize_t n = ::read(eofFd_, buf, sizeof buf);
            if (n == 0)
                break;
            if (n < 0 && errno != EINTR && errno != EAGAIN)
                eofFd_ = -1;
        }
    }
    pthread_sigmask(SIG_UNBLOCK, &stopSignals, nullptr);
    return ok;
}

bool PtyServer::readFromLine(Clock::time_point now)
{
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno == EAGAIN || errno == EWOULDBLOCK;
        }
        if (n == 0)
            return true;
        // Paced, what the program sends takes its line time too: the unit answers only once
        // the last character of the line has arrived.
        auto arrived = now;
        if (paced_) {
            inboundFreeAt_ = std::max(now, inboundFreeAt_) + milliseconds(kCharacterMs) * long(n);
            arrived = inboundFreeAt_;
        }
        schedule(unit_.receive(std::string_view(buf, size_t(n))), arrived);
        const auto& log = unit_.log();
        if (logged_ > log.size())
            logged_ = 0;
        for (; logged_ < log.size(); ++logged_)
            if (logSink_)
                logSink_(log[logged_]);
    }
}

void PtyServer::schedule(const std::vector<Burst>& bursts, Clock::time_point now)
{
    const auto character = milliseconds(kCharacterMs);
    auto base = std::max(now, lineFreeAt_);
    for (const auto& burst : bursts) {
        const auto start = base + milliseconds(burst.delayMs);
        if (paced_) {
            // A character is on the far side once its ten bits have crossed the line.
            for (size_t i = 0; i < burst.bytes.size(); ++i)
                queue_.push_back({start + character * long(i + 1), std::string(1, burst.bytes[i])});
            base = start + character * long(burst.bytes.size());
        } else {
            queue_.push_back({start, burst.bytes});
            base = start;
        }
    }
    lineFreeAt_ = base;
}

bool PtyServer::writeDue(Clock::time_point now)
{
    while (!queue_.empty() && queue_.front().due <= now) {
        auto& front = queue_.front();
        if (front.bytes.empty()) {
            queue_.pop_front();
            continue;
        }
        const ssize_t n = ::write(master_, front.bytes.data(), front.bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno == EAGAIN || errno == EWOULDBLOCK;
        }
        if (size_t(n) < front.bytes.size()) {
            front.bytes.erase(0, size_t(n));
            return true;
        }
        queue_.pop_front();
    }
    return true;
}

} // namespace tarvelon::sim
