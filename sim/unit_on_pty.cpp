#include "sim/unit_on_pty.h"

namespace tarvelon::sim {

bool UnitOnPty::start()
{
    if (!server_.open())
        return false;
    server_.setLogSink([this](const std::string& line) {
        std::lock_guard lock(mutex_);
        log_.push_back(line);
    });
    thread_ = std::thread([this] { server_.serve(stop_); });
    return true;
}

void UnitOnPty::stop()
{
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
}

std::vector<std::string> UnitOnPty::log() const
{
    std::lock_guard lock(mutex_);
    return log_;
}

} // namespace tarvelon::sim
