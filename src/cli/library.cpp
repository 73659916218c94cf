#include "cli/library.h"
#include "shell/texts.h"

#include "cli/console.h"
#include "platform/file_path.h"
#include "library/download_feed.h"
#include "platform/qt/qt_file_message.h"
#include "library/library_location.h"

#include <cstdio>
#include <filesystem>
#include <iostream>

#ifdef _WIN32
#define NOMINMAX
#include <windows.h>
#else
#include <termios.h>
#include <unistd.h>
#endif

namespace tarvelon::cli {
namespace {

// Another program holding the library makes this one wait: the person running it is told,
// with who holds it where the server says.
void sayLongWaits(surveys::SurveyStore& store)
{
    store.waitWhenBusy(std::chrono::seconds(20), [&store] {
        const std::string holder = store.lockHolder();
        printMessage(holder.empty() ? Texts::tr("waiting for the survey library: another program is using it")
                                    : QString::fromStdString(holder));
    });
}

// A password typed in a connection on the command line is seen by anyone who lists the
// computer's programs while this one runs: said once a run, with the safer ways.
void warnOfPasswordGiven(const std::string& path)
{
    static bool said = false;
    if (said || !surveys::holdsPassword(path))
        return;
    said = true;
#ifdef _WIN32
    const QString file = QStringLiteral("%APPDATA%\\postgresql\\pgpass.conf");
#else
    const QString file = QStringLiteral("~/.pgpass");
#endif
    printMessage(Texts::tr("Note: a password given on the command line can be seen by others on this computer "
                           "while the program runs; keep it in your password file (%1) or leave it out of the "
                           "connection to be asked for it")
                     .arg(file));
}

// False, with the message said, when there is nothing at `path` to open. A server's library is
// not a file: the server says whether it is there when it is opened.
bool libraryIsThere(const std::string& path)
{
    if (surveys::isServerLocation(path))
        return true;
    std::error_code ec;
    if (std::filesystem::exists(fsPath(path), ec))
        return true;
    printMessage(Texts::tr("Attention: no survey library at %1").arg(nativePath(QString::fromStdString(path))));
    return false;
}

} // namespace

bool openExistingLibrary(const std::string& path, surveys::SurveyStore& store)
{
    warnOfPasswordGiven(path);
    if (!libraryIsThere(path))
        return false;
    sayLongWaits(store);
    if (!store.open(path, surveys::SurveyStore::Access::Read)) {
        printMessage(Texts::tr("Attention: the survey library cannot be read: %1").arg(QString::fromStdString(store.error())));
        return false;
    }
    return true;
}

bool openLibraryToWrite(const std::string& path, surveys::SurveyStore& store)
{
    warnOfPasswordGiven(path);
    sayLongWaits(store);
    if (!store.open(path) || store.readOnly()) {
        printMessage(Texts::tr(kLibraryCannotBeWritten.data()) + QString::fromStdString(store.error()));
        return false;
    }
    // A role that may only read is told so before anything is tried (the server would refuse).
    if (store.rights() == surveys::SurveyStore::Rights::Read) {
        printMessage(Texts::tr(kLibraryCannotBeWritten.data()) + Texts::tr(kReadOnlyRole.data()));
        return false;
    }
    return true;
}

bool openSourceOfSync(const std::string& path, surveys::SurveyStore& store)
{
    warnOfPasswordGiven(path);
    if (!libraryIsThere(path))
        return false;
    sayLongWaits(store);
    if (store.open(path) && !store.readOnly() && store.rights() != surveys::SurveyStore::Rights::Read)
        return true;
    return openExistingLibrary(path, store);
}

bool damagedSaid(surveys::SurveyStore& store)
{
    if (!store.damaged())
        return false;
    printMessage(Texts::tr("Attention: the survey library cannot be read: %1").arg(QString::fromStdString(store.error())));
    return true;
}

std::optional<std::string> askPasswordOnTerminal(const std::string& shown)
{
    std::fprintf(stderr, "%s", Texts::tr("Password for %1: ").arg(QString::fromStdString(shown)).toLocal8Bit().constData());
    std::fflush(stderr);
    std::string password;
#ifdef _WIN32
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    const bool console = GetConsoleMode(in, &mode);
    if (console)
        SetConsoleMode(in, mode & ~DWORD(ENABLE_ECHO_INPUT));
    const bool read = bool(std::getline(std::cin, password));
    if (console)
        SetConsoleMode(in, mode);
#else
    termios before{};
    const bool terminal = tcgetattr(STDIN_FILENO, &before) == 0;
    if (terminal) {
        termios quiet = before;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    const bool read = bool(std::getline(std::cin, password));
    if (terminal)
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &before);
#endif
    std::fprintf(stderr, "\n");
    if (!read || password.empty())
        return std::nullopt;
    if (!password.empty() && password.back() == '\r')
        password.pop_back();
    return password;
}

bool openExistingLibrary(const std::string& path, surveys::SurveyStore& store, bool toWrite)
{
    if (!toWrite)
        return openExistingLibrary(path, store);
    return libraryIsThere(path) && openLibraryToWrite(path, store);
}

QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

} // namespace tarvelon::cli
