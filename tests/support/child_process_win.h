#pragma once
// A program of the build run as a child process, its standard output and error on pipes
// (Windows; the same interface as the POSIX one).
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cwctype>
#include <string>
#include <thread>
#include <vector>

namespace tarvelon::test {

inline std::wstring widen(const std::string& utf8)
{
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(size_t(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), int(wide.size()))));
    return wide;
}

// One argument as the C runtime's parser (CommandLineToArgvW) reads it back: quoted when it
// holds a blank or a quote, a backslash doubled only before a quote mark.
inline std::wstring quoteArgument(const std::wstring& arg)
{
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos)
        return arg;
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

class ChildProcess {
public:
    // `env` entries ("NAME=value") are added to this process's environment, replacing a
    // variable of the same name.
    ChildProcess(const std::string& program, const std::vector<std::string>& args,
                 const std::vector<std::string>& env = {})
    {
        std::wstring commandLine = quoteArgument(widen(program));
        for (const std::string& a : args)
            commandLine += L" " + quoteArgument(widen(a));
        const std::wstring block = environmentWith(env);

        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE outWrite = nullptr, errWrite = nullptr;
        if (!CreatePipe(&out_, &outWrite, &inherit, 0) || !CreatePipe(&err_, &errWrite, &inherit, 0))
            return;
        SetHandleInformation(out_, HANDLE_FLAG_INHERIT, 0);
        SetHandleInformation(err_, HANDLE_FLAG_INHERIT, 0);
        const HANDLE nul =
            CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nul;
        startup.hStdOutput = outWrite;
        startup.hStdError = errWrite;
        PROCESS_INFORMATION info{};
        // The program's own name: no search, no ".exe" added (a Linux program under Wine has none).
        created_ = CreateProcessW(widen(program).c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                  CREATE_UNICODE_ENVIRONMENT, const_cast<wchar_t*>(block.c_str()),
                                  nullptr, &startup, &info);
        if (created_) {
            // Wine starts a Linux program with no handle to it.
            process_ = info.hProcess;
            pid_ = info.dwProcessId;
            if (info.hThread)
                CloseHandle(info.hThread);
        }
        CloseHandle(outWrite);
        CloseHandle(errWrite);
        if (nul != INVALID_HANDLE_VALUE)
            CloseHandle(nul);
    }
    ~ChildProcess()
    {
        if (process_) {
            if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process_, 137);
                WaitForSingleObject(process_, 5000);
            }
            CloseHandle(process_);
        }
        for (HANDLE h : {out_, err_})
            if (h)
                CloseHandle(h);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return created_; }
    DWORD pid() const { return pid_; }

    // Waits until standard output holds `lines` lines (or the time is up); returns all of it.
    std::string readLines(size_t lines, std::chrono::milliseconds timeout)
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (size_t(std::count(out.begin(), out.end(), '\n')) < lines && std::chrono::steady_clock::now() < deadline)
            if (!pump(50))
                break;
        unixLineEnds();
        return out;
    }

    // Waits for the end; the exit code, or -1 when it did not end in time (or cannot be
    // waited for). Standard output and error are then all in `out` and `err`.
    int wait(std::chrono::milliseconds timeout = std::chrono::seconds(20))
    {
        if (!process_)
            return -1;
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < deadline) {
            pump(20);
            if (WaitForSingleObject(process_, 0) != WAIT_OBJECT_0)
                continue;
            // What the program wrote before it ended is in the pipes; a grandchild holding
            // their other end must not keep this waiting.
            while (pump(0) && available() > 0) {
            }
            DWORD code = 0;
            GetExitCodeProcess(process_, &code);
            FILETIME created, exited, kernel, user;
            if (GetProcessTimes(process_, &created, &exited, &kernel, &user))
                cpuSeconds = double(ticks(kernel) + ticks(user)) / 1e7;
            CloseHandle(process_);
            process_ = nullptr;
            unixLineEnds();
            return int(code);
        }
        return -1;
    }

    std::string out, err;
    double cpuSeconds = 0; // user and system time of the ended program

private:
    static unsigned long long ticks(const FILETIME& t)
    {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    }

    static std::wstring environmentWith(const std::vector<std::string>& additions)
    {
        std::vector<std::wstring> entries;
        for (const std::string& e : additions)
            entries.push_back(widen(e));
        const auto nameOf = [](const std::wstring& e) {
            std::wstring name = e.substr(0, e.find(L'=', 1));
            std::transform(name.begin(), name.end(), name.begin(), [](wchar_t c) { return wchar_t(std::towupper(c)); });
            return name;
        };
        wchar_t* own = GetEnvironmentStringsW();
        for (const wchar_t* e = own; e && *e; e += wcslen(e) + 1) {
            const std::wstring entry(e);
            const auto sameName = [&](const std::wstring& a) { return nameOf(a) == nameOf(entry); };
            if (std::none_of(entries.begin(), entries.end(), sameName))
                entries.push_back(entry);
        }
        FreeEnvironmentStringsW(own);
        std::sort(entries.begin(), entries.end(),
                  [&](const std::wstring& a, const std::wstring& b) { return nameOf(a) < nameOf(b); });
        std::wstring block;
        for (const std::wstring& e : entries)
            block += e + L'\0';
        return block + L'\0';
    }

    // The C runtime's text mode ends a line with CR LF: the tests compare lines as on Unix.
    void unixLineEnds()
    {
        for (std::string* text : {&out, &err})
            for (size_t at = text->find("\r\n"); at != std::string::npos; at = text->find("\r\n", at))
                text->erase(at, 1);
    }

    DWORD available() const
    {
        DWORD total = 0;
        for (HANDLE h : {out_, err_}) {
            DWORD n = 0;
            if (h && PeekNamedPipe(h, nullptr, 0, nullptr, &n, nullptr))
                total += n;
        }
        return total;
    }

    // Reads what the pipes hold, waiting up to `ms` when they hold nothing; false once both
    // are closed.
    bool pump(int ms)
    {
        bool open = false, read = false;
        for (int i = 0; i < 2; ++i) {
            HANDLE& h = i == 0 ? out_ : err_;
            if (!h)
                continue;
            DWORD n = 0;
            if (!PeekNamedPipe(h, nullptr, 0, nullptr, &n, nullptr)) {
                CloseHandle(h);
                h = nullptr;
                continue;
            }
            open = true;
            if (n == 0)
                continue;
            std::string buf(n, '\0');
            DWORD got = 0;
            if (ReadFile(h, buf.data(), n, &got, nullptr) && got > 0) {
                (i == 0 ? out : err).append(buf.data(), got);
                read = true;
            }
        }
        if (open && !read && ms > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(std::min(ms, 10)));
        return open;
    }

    bool created_ = false;
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    HANDLE out_ = nullptr, err_ = nullptr;
};

} // namespace tarvelon::test
