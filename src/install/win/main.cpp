// tarvelon-install-helper: what the installer and the uninstaller cannot do safely in their own
// script. Their strings are limited to 1024 characters, so a long PATH read there comes back
// empty; here the registry is read and written whole.
//   path-add [--user] FOLDER      exit 0 added, 1 already there, 2 refused (message on stderr)
//   path-remove [--user] FOLDER   exit 0 removed, 1 not there, 2 refused
//   start PROGRAM                 exit 0 started as the logged-in user, 2 not started
#include "install/win/start_as_user.h"
#include "install/win/system_path.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr int kUsage = 64;

void writeError(const std::wstring& text)
{
    const std::wstring line = L"tarvelon-install-helper: " + text + L"\r\n";
    const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    DWORD written = 0;
    if (err && err != INVALID_HANDLE_VALUE && GetConsoleMode(err, &mode)) {
        WriteConsoleW(err, line.c_str(), static_cast<DWORD>(line.size()), &written, nullptr);
        return;
    }
    // A pipe (the installer reads it) or a file gets UTF-8.
    const int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), bytes.data(), size, nullptr, nullptr);
    if (err && err != INVALID_HANDLE_VALUE)
        WriteFile(err, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

int usage()
{
    writeError(L"usage: path-add [--user] FOLDER | path-remove [--user] FOLDER | start PROGRAM");
    return kUsage;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    using namespace tarvelon::install;
    std::vector<std::wstring> args(argv + 1, argv + argc);
    if (args.empty())
        return usage();
    const std::wstring command = args.front();
    args.erase(args.begin());
    std::wstring message;
    if (command == L"start") {
        if (args.size() != 1)
            return usage();
        if (startAsUser(args[0], message))
            return 0;
        writeError(message);
        return static_cast<int>(PathResult::Refused);
    }
    if (command != L"path-add" && command != L"path-remove")
        return usage();
    PathScope scope = PathScope::Machine;
    if (!args.empty() && args.front() == L"--user") {
        scope = PathScope::User;
        args.erase(args.begin());
    }
    if (args.size() != 1 || args[0].empty())
        return usage();
    const PathResult result =
        command == L"path-add" ? addToPath(scope, args[0], message) : removeFromPath(scope, args[0], message);
    if (result == PathResult::Refused)
        writeError(message);
    return static_cast<int>(result);
}
