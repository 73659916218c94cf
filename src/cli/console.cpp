#include "cli/console.h"

#include <QByteArray>

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
    return g_interrupted.exchange(true) ? FALSE : TRUE;
}
#else
void onInterrupt(int signal)
{
    // The first signal decides the status; a second one of any kind ends the program.
    if (!g_interrupted.exchange(true))
        g_stopStatus.store(128 + signal);
}
#endif

void write(std::FILE* stream, const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

void clearProgressLine()
{
    if (g_progressWidth == 0)
        return;
    write(stderr, '\r' + QByteArray(g_progressWidth, ' ') + '\r');
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
    write(stdout, (line + QLatin1Char('\n')).toLocal8Bit());
}

void printMessage(const QString& line)
{
    clearProgressLine();
    write(stderr, (QStringLiteral("tarvelon: ") + line + QLatin1Char('\n')).toLocal8Bit());
}

void printText(const QString& text)
{
    write(stdout, text.toLocal8Bit());
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
    const QByteArray bytes = text.toLocal8Bit();
    const qsizetype blank = std::max<qsizetype>(g_progressWidth - bytes.size(), 0);
    write(stderr, '\r' + bytes + QByteArray(blank, ' '));
    g_progressWidth = bytes.size();
}

} // namespace tarvelon::cli
