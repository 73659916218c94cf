#pragma once
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace tarvelon {

// A COM port through the Win32 calls themselves, at 9600 8N1 without flow control. A reader
// of its own waits in ReadFile for the next character and hands each one on the moment it
// arrives, so a reply is seen at the line's speed rather than at the pace of a notification
// that the system may deliver late.
class WinComm {
public:
    WinComm() = default;
    ~WinComm();
    WinComm(const WinComm&) = delete;
    WinComm& operator=(const WinComm&) = delete;

    // Opens the port `name` ("COM3", "\\.\COM12"); on failure the Windows error code is kept.
    bool open(const std::wstring& name);
    void close();
    bool isOpen() const { return handle_ != nullptr; }
    // Returns once the bytes have been handed to the driver.
    bool write(std::string_view bytes);
    int waitingCount();
    std::string readAll();
    // The reader could read no more (the device went away).
    bool lost() const { return lost_.load(); }
    // GetLastError() of the open that failed; ERROR_NOT_SUPPORTED when the device took no line
    // settings.
    unsigned long openError() const { return openError_; }
    // Called from the reader's thread whenever characters were added.
    std::function<void()> onArrival;

private:
    void readLoop();

    void* handle_ = nullptr;
    void* stopEvent_ = nullptr;
    std::thread reader_;
    std::mutex mutex_;
    std::string received_;
    std::atomic<bool> lost_{false};
    unsigned long openError_ = 0;
};

// The system's own words for a Windows error code, without the final line break.
std::string windowsErrorText(unsigned long code);

} // namespace tarvelon
