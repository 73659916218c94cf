#include "platform/win/win_comm.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>

namespace tarvelon {

namespace {

constexpr DWORD kReadBuffer = 4096;
// How long one ReadFile waits for a first character before it looks whether to stop.
constexpr DWORD kReadWaitMs = 200;

std::wstring deviceName(const std::wstring& name)
{
    // Ports beyond COM9 open only through the device namespace.
    return name.rfind(L"\\\\.\\", 0) == 0 ? name : L"\\\\.\\" + name;
}

// Waits for an overlapped call; false when it failed.
bool finish(HANDLE handle, OVERLAPPED& ov, BOOL started, DWORD& done)
{
    if (!started && GetLastError() != ERROR_IO_PENDING)
        return false;
    return GetOverlappedResult(handle, &ov, &done, TRUE) != 0;
}

} // namespace

std::string windowsErrorText(unsigned long code)
{
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring wide(text ? text : L"", n);
    LocalFree(text);
    while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L' ' || wide.back() == L'.'))
        wide.pop_back();
    if (wide.empty())
        return "Windows error " + std::to_string(code);
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                         nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), size, nullptr, nullptr);
    return out;
}

WinComm::~WinComm()
{
    close();
}

bool WinComm::open(const std::wstring& name)
{
    if (handle_)
        return true;
    openError_ = 0;
    lost_ = false;
    const HANDLE h = CreateFileW(deviceName(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_OVERLAPPED, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        openError_ = GetLastError();
        return false;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    COMMTIMEOUTS timeouts{};
    // A read returns as soon as one character is there, or after kReadWaitMs with none.
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
    timeouts.ReadTotalTimeoutConstant = kReadWaitMs;
    bool settled = GetCommState(h, &dcb) != 0;
    if (settled) {
        dcb.BaudRate = CBR_9600;
        dcb.ByteSize = 8;
        dcb.Parity = NOPARITY;
        dcb.StopBits = ONESTOPBIT;
        dcb.fBinary = TRUE;
        dcb.fParity = FALSE;
        dcb.fOutxCtsFlow = FALSE;
        dcb.fOutxDsrFlow = FALSE;
        dcb.fDtrControl = DTR_CONTROL_ENABLE;
        dcb.fDsrSensitivity = FALSE;
        dcb.fOutX = FALSE;
        dcb.fInX = FALSE;
        dcb.fNull = FALSE;
        dcb.fRtsControl = RTS_CONTROL_ENABLE;
        dcb.fAbortOnError = FALSE;
        settled = SetCommState(h, &dcb) && SetCommTimeouts(h, &timeouts) && SetupComm(h, kReadBuffer, kReadBuffer);
    }
    if (!settled) {
        openError_ = ERROR_NOT_SUPPORTED;
        CloseHandle(h);
        return false;
    }
    PurgeComm(h, PURGE_RXCLEAR | PURGE_TXCLEAR);
    handle_ = h;
    stopEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    {
        std::lock_guard lock(mutex_);
        received_.clear();
    }
    reader_ = std::thread([this] { readLoop(); });
    return true;
}

void WinComm::readLoop()
{
    const HANDLE h = handle_;
    OVERLAPPED ov{};
    ov.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    char buffer[kReadBuffer];
    while (WaitForSingleObject(stopEvent_, 0) == WAIT_TIMEOUT) {
        // One character is waited for, which every system hands over the moment it arrives;
        // whatever came with it is then taken at once.
        DWORD want = 1;
        COMSTAT status{};
        DWORD errors = 0;
        if (ClearCommError(h, &errors, &status) && status.cbInQue > 0)
            want = std::min<DWORD>(status.cbInQue, kReadBuffer);
        ResetEvent(ov.hEvent);
        DWORD got = 0;
        const BOOL started = ReadFile(h, buffer, want, &got, &ov);
        const bool pending = !started && GetLastError() == ERROR_IO_PENDING;
        if (pending) {
            const HANDLE waits[] = {ov.hEvent, stopEvent_};
            if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) {
                CancelIoEx(h, &ov);
                GetOverlappedResult(h, &ov, &got, TRUE);
                break;
            }
        }
        if (!(started || pending) || !finish(h, ov, TRUE, got)) {
            if (WaitForSingleObject(stopEvent_, 0) == WAIT_TIMEOUT)
                lost_ = true;
            break;
        }
        if (got == 0)
            continue;
        {
            std::lock_guard lock(mutex_);
            received_.append(buffer, got);
        }
        if (onArrival)
            onArrival();
    }
    CloseHandle(ov.hEvent);
    if (lost_ && onArrival)
        onArrival();
}

void WinComm::close()
{
    if (!handle_)
        return;
    SetEvent(stopEvent_);
    if (reader_.joinable())
        reader_.join();
    CloseHandle(handle_);
    CloseHandle(stopEvent_);
    handle_ = nullptr;
    stopEvent_ = nullptr;
    lost_ = false;
    std::lock_guard lock(mutex_);
    received_.clear();
}

bool WinComm::write(std::string_view bytes)
{
    if (!handle_ || lost_)
        return false;
    OVERLAPPED ov{};
    ov.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD done = 0;
    const BOOL started = WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &done, &ov);
    const bool ok = finish(handle_, ov, started, done) && done == bytes.size();
    CloseHandle(ov.hEvent);
    return ok;
}

int WinComm::waitingCount()
{
    std::lock_guard lock(mutex_);
    return static_cast<int>(received_.size());
}

std::string WinComm::readAll()
{
    std::lock_guard lock(mutex_);
    std::string out;
    out.swap(received_);
    return out;
}

} // namespace tarvelon
