#include "cli/console.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>

#ifdef _WIN32
#define NOMINMAX
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace tarvelon::cli {
namespace {

std::atomic<bool> g_interrupted{false};
// Called with the first stop, from the signal handler: it must be safe there.
std::atomic<void (*)()> g_onStop{nullptr};

void stopHeard()
{
    if (void (*hook)() = g_onStop.load())
        hook();
}
// The exit status the stop asks for: 128 and the signal's number, as a shell reports it.
std::atomic<int> g_stopStatus{130};
qsizetype g_progressWidth = 0;

#ifdef _WIN32
BOOL WINAPI onConsoleControl(DWORD event)
{
    if (event == CTRL_CLOSE_EVENT) {
        // Windows ends the program once this returns: the running job gets the few seconds
        // Windows allows to stop at its next row and close the port.
        g_stopStatus.store(129);
        g_interrupted.store(true);
        Sleep(4000);
        return TRUE;
    }
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    // The second press lets Windows end the program.
    if (g_interrupted.exchange(true))
        return FALSE;
    stopHeard();
    return TRUE;
}
#else
void onInterrupt(int signal)
{
    // The first signal decides the status; a second one of any kind ends the program.
    if (!g_interrupted.exchange(true)) {
        g_stopStatus.store(128 + signal);
        stopHeard();
    }
}
#endif

#ifdef _WIN32
// The console itself takes UTF-16 through its wide output, whatever its code page; bytes
// written to it would be read in the OEM code page.
bool writeConsole(std::FILE* stream, const QString& text)
{
    const HANDLE handle = GetStdHandle(stream == stdout ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode))
        return false;
    std::fflush(stream);
    const auto* units = reinterpret_cast<const wchar_t*>(text.utf16());
    DWORD left = static_cast<DWORD>(text.size());
    while (left > 0) {
        DWORD written = 0;
        if (!WriteConsoleW(handle, units, left, &written, nullptr) || written == 0)
            break;
        units += written;
        left -= written;
    }
    return true;
}
#endif

// A terminal gets the text as it shows it; a pipe or a file gets UTF-8 on every system, so a
// path is printed exactly as the disk holds it.
void write(std::FILE* stream, const QString& text)
{
#ifdef _WIN32
    if (writeConsole(stream, text))
        return;
#endif
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

void clearProgressLine()
{
    if (g_progressWidth == 0)
        return;
    const QString blank(g_progressWidth, QLatin1Char(' '));
    write(stderr, QLatin1Char('\r') + blank + QLatin1Char('\r'));
    g_progressWidth = 0;
}

} // namespace

void catchInterrupt()
{
#ifdef _WIN32
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
#else
    // A service stop, `timeout` and a closed terminal ask as Ctrl+C does.
    constexpr int kStops[] = {SIGINT, SIGTERM, SIGHUP};
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    // One signal stops at the next row; the handler then gives way, so a second one ends the
    // program even if the unit's line hangs.
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int s : kStops)
        sigaddset(&action.sa_mask, s);
    for (int s : kStops)
        sigaction(s, &action, nullptr);
#endif
}

void onStop(void (*hook)())
{
    g_onStop.store(hook);
}

int interruptedStatus()
{
    return g_stopStatus.load();
}

bool interrupted()
{
    return g_interrupted.load();
}

void printResult(const QString& line)
{
    clearProgressLine();
    write(stdout, line + QLatin1Char('\n'));
}

void printMessage(const QString& line)
{
    clearProgressLine();
    write(stderr, QStringLiteral("tarvelon: ") + line + QLatin1Char('\n'));
}

void printText(const QString& text)
{
    write(stdout, text);
}

bool progressLineWanted()
{
#ifdef _WIN32
    return _isatty(_fileno(stderr));
#else
    return isatty(fileno(stderr));
#endif
}

void showProgressLine(const QString& text)
{
    if (text.isEmpty()) {
        clearProgressLine();
        return;
    }
    const qsizetype blank = std::max<qsizetype>(g_progressWidth - text.size(), 0);
    write(stderr, QLatin1Char('\r') + text + QString(blank, QLatin1Char(' ')));
    g_progressWidth = text.size();
}

} // namespace tarvelon::cli
