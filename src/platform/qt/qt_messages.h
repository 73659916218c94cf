#pragma once
#include "platform/messages.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace tarvelon {

inline constexpr const char* kProgramTitle = "Tarvelon Manager";

// Modal message boxes over the main window.
class QtMessages : public Messages {
public:
    // `shown` turns a text into what the box shows; none means fromText.
    explicit QtMessages(QWidget* parent = nullptr, std::function<QString(const std::string&)> shown = {})
        : parent_(parent), shown_(std::move(shown))
    {
    }

    void show(const std::string& text, Icon icon, const std::string& title = {}) override;
    bool askOkCancel(const std::string& text, const std::string& erases = {}) override;
    Answer ask(const Question& q) override;
    // The window the boxes stand over from now on.
    void setOwner(QWidget* owner) { parent_ = owner; }

private:
    QString shown(const std::string& text) const;

    QPointer<QWidget> parent_;
    std::function<QString(const std::string&)> shown_;
};

} // namespace tarvelon
