// tarvelon-serial-calls COMn [ROUNDS]: how soon a received character reaches the program by
// the two ways of waiting for it, against tarvelon-unit-sim (--wake-delay-ms 0) on that
// port: QSerialPort's (WaitCommEvent for EV_RXCHAR, then a read that returns at once) and the
// program's (a ReadFile of one character with timeouts that return it on arrival). Each round
// sends the wake "}" and waits for the "!".
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

bool setTimeouts(HANDLE h, DWORD interval, DWORD multiplier, DWORD constant)
{
    COMMTIMEOUTS t{};
    t.ReadIntervalTimeout = interval;
    t.ReadTotalTimeoutMultiplier = multiplier;
    t.ReadTotalTimeoutConstant = constant;
    return SetCommTimeouts(h, &t) != 0;
}

bool send(HANDLE h, OVERLAPPED& ov)
{
    DWORD done = 0;
    ResetEvent(ov.hEvent);
    if (!WriteFile(h, "}", 1, &done, &ov) && GetLastError() != ERROR_IO_PENDING)
        return false;
    return GetOverlappedResult(h, &ov, &done, TRUE) && done == 1;
}

// Rounds where the notification came without a character to read, and where it failed.
int g_emptyEvents = 0, g_failedWaits = 0;

// Milliseconds from the wake sent to its "!" read; negative on failure.
double byCommEvent(HANDLE h, OVERLAPPED& wov, OVERLAPPED& ov)
{
    const auto t0 = Clock::now();
    DWORD mask = 0, done = 0;
    ResetEvent(ov.hEvent);
    const BOOL waited = WaitCommEvent(h, &mask, &ov);
    if (!send(h, wov))
        return -1;
    if (!waited && (GetLastError() != ERROR_IO_PENDING || !GetOverlappedResult(h, &ov, &done, TRUE))) {
        ++g_failedWaits;
        return -1;
    }
    // As QSerialPort does: once notified, read what is there, and wait again if nothing is.
    for (;;) {
        char c = 0;
        ResetEvent(ov.hEvent);
        if (!ReadFile(h, &c, 1, &done, &ov) &&
            (GetLastError() != ERROR_IO_PENDING || !GetOverlappedResult(h, &ov, &done, TRUE)))
            return -1;
        if (done == 1)
            return c == '!' ? std::chrono::duration<double, std::milli>(Clock::now() - t0).count() : -1;
        ++g_emptyEvents;
        ResetEvent(ov.hEvent);
        if (!WaitCommEvent(h, &mask, &ov) &&
            (GetLastError() != ERROR_IO_PENDING || !GetOverlappedResult(h, &ov, &done, TRUE))) {
            ++g_failedWaits;
            return -1;
        }
    }
}

double byRead(HANDLE h, OVERLAPPED& wov, OVERLAPPED& ov)
{
    const auto t0 = Clock::now();
    char c = 0;
    DWORD done = 0;
    ResetEvent(ov.hEvent);
    const BOOL read = ReadFile(h, &c, 1, &done, &ov);
    if (!read && GetLastError() != ERROR_IO_PENDING)
        return -1;
    if (!send(h, wov))
        return -1;
    if (!read && !GetOverlappedResult(h, &ov, &done, TRUE))
        return -1;
    return done == 1 && c == '!' ? std::chrono::duration<double, std::milli>(Clock::now() - t0).count() : -1;
}

void report(const char* way, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double m : ms)
        sum += m;
    std::printf("%-44s mean %7.2f ms, median %7.2f ms, worst %7.2f ms (%zu rounds)\n", way, sum / ms.size(),
                ms[ms.size() / 2], ms.back(), ms.size());
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: tarvelon-serial-calls COMn [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 30;
    const std::string name = std::string("\\\\.\\") + argv[1];
    const HANDLE h = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_OVERLAPPED, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot open %s (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    GetCommState(h, &dcb);
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fOutxCtsFlow = dcb.fOutxDsrFlow = dcb.fOutX = dcb.fInX = FALSE;
    SetCommState(h, &dcb);
    SetCommMask(h, EV_RXCHAR);
    OVERLAPPED wov{}, ov{};
    wov.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ov.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    PurgeComm(h, PURGE_RXCLEAR);

    std::vector<double> event, read;
    setTimeouts(h, MAXDWORD, 0, 0);
    for (int i = 0; i < rounds; ++i)
        if (const double ms = byCommEvent(h, wov, ov); ms >= 0)
            event.push_back(ms);
    setTimeouts(h, MAXDWORD, MAXDWORD, 1000);
    for (int i = 0; i < rounds; ++i)
        if (const double ms = byRead(h, wov, ov); ms >= 0)
            read.push_back(ms);
    if (event.empty() || read.empty()) {
        std::fprintf(stderr, "no reply came (%zu by WaitCommEvent, %zu by ReadFile)\n", event.size(), read.size());
        return 1;
    }
    report("WaitCommEvent(EV_RXCHAR), then ReadFile:", event);
    std::printf("    notifications with nothing to read: %d; failed waits: %d\n", g_emptyEvents, g_failedWaits);
    report("ReadFile of 1 with MAXDWORD/MAXDWORD/1000:", read);
    CloseHandle(h);
    return 0;
}
