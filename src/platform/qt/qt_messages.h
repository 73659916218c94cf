#pragma once
#include "platform/messages.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace tarvelon {

inline constexpr const char* kProgramTitle = "Tarvelon Manager";

// Modal message boxes over the main window.
class QtMessages : public Messages {
public:
    explicit QtMessages(QWidget* parent = nullptr) : parent_(parent) {}

    void show(const std::string& text, Icon icon, const std::string& title = {}) override;
    bool askOkCancel(const std::string& text) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace tarvelon
