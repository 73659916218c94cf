#pragma once
#include "platform/messages.h"

#include <QWidget>

#include <functional>

class QLabel;

namespace tarvelon {

// The wait indicator under the pages: "WAIT DATA TRANSMISSION ONGOING" (Label34) inside a
// rounded shape (Shape1), both shown and hidden together. Its place stays free while it is
// hidden, so nothing moves when it appears.
class WaitIndicator : public QWidget {
    Q_OBJECT
public:
    explicit WaitIndicator(QWidget* parent);

    void showIndicator(bool shown);
    bool indicatorShown() const;

private:
    QWidget* shape_ = nullptr;
    QLabel* label_ = nullptr;
};

// Message boxes that never stand in front of a lit wait indicator, which would tell the operator
// the unit is still being talked to while the program waits for him: the indicator goes out
// before every box, and is lit again after it when the job goes on.
class UnlitMessages : public Messages {
public:
    UnlitMessages(Messages& boxes, std::function<WaitIndicator*()> indicator)
        : boxes_(boxes), indicator_(std::move(indicator))
    {
    }
    void show(const std::string& text, Icon icon, const std::string& title = {}) override;
    bool askOkCancel(const std::string& text, const std::string& erases = {}) override;
    Answer ask(const Question& q) override;

private:
    // Puts the indicator out for as long as it lives, and back as it was.
    class Unlit {
    public:
        explicit Unlit(WaitIndicator* indicator);
        ~Unlit();
        Unlit(const Unlit&) = delete;
        Unlit& operator=(const Unlit&) = delete;

    private:
        WaitIndicator* indicator_;
        bool wasLit_;
    };

    Messages& boxes_;
    std::function<WaitIndicator*()> indicator_;
};

} // namespace tarvelon
