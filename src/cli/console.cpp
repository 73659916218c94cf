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
qsizetype g_progressWidth = 0;

#ifdef _WIN32
BOOL WINAPI onConsoleControl(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    // The second press lets Windows end the program.
    return g_interrupted.exchange(true) ? FALSE : TRUE;
}
#else
void onInterrupt(int)
{
    g_interrupted.store(true);
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
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    // One press stops at the next row; the handler then gives way, so a second one ends the
    // program even if the unit's line hangs.
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
#endif
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
