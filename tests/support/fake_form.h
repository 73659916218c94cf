#pragma once
#include "platform/desktop.h"
#include "platform/form.h"
#include "platform/messages.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace tarvelon::test {

// The window's text boxes and buttons without a window, built from the same field table.
class FakeForm : public Form {
public:
    FakeForm();
    std::string text(std::string_view field) const override;
    void setText(std::string_view field, std::string_view text) override;
    void setEnabled(std::string_view control, bool enabled) override;
    bool isEnabled(std::string_view control) const override;
    void showWaitIndicator(bool shown) override;
    bool waitIndicatorShown() const override { return waitShown_; }
    void showProgress(const Progress& p) override { progress.push_back(p); }
    bool stopRequested() const override { return stop; }
    void showOutcome(std::string_view text) override { outcomes.emplace_back(text); }
    void focus(std::string_view field) override { focused = field; }

    // Stop as the operator presses it; every progress shown, in order; every outcome told.
    bool stop = false;
    std::vector<Progress> progress;
    std::vector<std::string> outcomes;
    std::string focused; // the box last given the focus

    // Every value a box has taken, in order, for checks of what an operation showed.
    std::vector<std::string> history(std::string_view field) const;

private:
    struct Box {
        int maxLength = 0;
        std::string text;
        std::vector<std::string> history;
    };
    Box& box(std::string_view field);
    const Box& box(std::string_view field) const;

    std::map<std::string, Box, std::less<>> boxes_;
    std::map<std::string, bool, std::less<>> enabled_;
    bool waitShown_ = false;
};

struct ShownMessage {
    std::string text;
    Icon icon;
    std::string title;
};

// Message boxes answered by the test: questions take the queued answers, OK when none.
class FakeMessages : public Messages {
public:
    void show(const std::string& text, Icon icon, const std::string& title) override;
    bool askOkCancel(const std::string& text, const std::string& erases = {}) override;
    // Recorded whole; answered from `choices` first, then as askOkCancel answers.
    Answer ask(const Question& q) override;

    std::vector<ShownMessage> shown;
    std::vector<std::string> questions;
    std::vector<std::string> erased; // what each question said it erases
    std::vector<Question> asked;     // questions asked with a title

    std::deque<bool> answers;
    std::deque<Answer> choices;
};

class FakeDesktop : public Desktop {
public:
    bool open(const std::string& address) override
    {
        opened.push_back(address);
        return handles;
    }
    std::vector<std::string> opened;
    // False: the desktop has no program for the address.
    bool handles = true;
};

} // namespace tarvelon::test
