#pragma once
#include "platform/messages.h"

#include <functional>

namespace tarvelon {

// Message boxes of another window (the folder chooser). One that would open while the unit is
// being talked to waits until the operation has ended: a modal box would hold up the wait,
// and a unit that answered in time would count as silent.
class IdleMessages : public Messages {
public:
    using WhenIdle = std::function<void(std::function<void()>)>;

    IdleMessages(Messages& messages, WhenIdle whenIdle, std::function<bool()> busy)
        : messages_(messages), whenIdle_(std::move(whenIdle)), busy_(std::move(busy))
    {
    }

    void show(const std::string& text, Icon icon, const std::string& title) override
    {
        whenIdle_([this, text, icon, title] { messages_.show(text, icon, title); });
    }
    // A question cannot wait for its answer: while an operation runs it is refused.
    bool askOkCancel(const std::string& text, const std::string& erases = {}) override
    {
        return !busy_() && messages_.askOkCancel(text, erases);
    }
    Answer ask(const Question& q) override { return busy_() ? Answer::Cancel : messages_.ask(q); }

private:
    Messages& messages_;
    WhenIdle whenIdle_;
    std::function<bool()> busy_;
};

} // namespace tarvelon
