#pragma once
#include "platform/messages.h"

#include <QFrame>
#include <QString>

#include <functional>

class QLabel;

namespace tarvelon {

// The line at the foot of the main window: the port, the download folder and how the last
// job ended ("Block 05 written", "Report written: <a>…pdf</a>"), so no job ends without a word.
class StatusLine : public QFrame {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent);

    void setPort(const QString& port);
    // Empty: no folder chosen yet.
    void setFolder(const QString& folder);
    // The last job's result; `file`, when given, is shown after it as a link that opens it.
    void setResult(const QString& result, const QString& file = {});
    QString result() const { return result_; }
    // The whole line as read aloud and as tests see it.
    QString text() const;

signals:
    void fileActivated(const QString& file);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showTexts();

    QLabel* port_ = nullptr;
    QLabel* folderLabel_ = nullptr;
    QLabel* resultLabel_ = nullptr;
    QString portText_, folderText_, folder_, result_, file_;
};

// Message boxes that also leave their text on the status line: a job that ends in a box
// ends there too.
class NotedMessages : public Messages {
public:
    NotedMessages(Messages& messages, std::function<void(const std::string&)> note)
        : messages_(messages), note_(std::move(note))
    {
    }
    void show(const std::string& text, Icon icon, const std::string& title = {}) override
    {
        note_(text);
        messages_.show(text, icon, title);
    }
    bool askOkCancel(const std::string& text, const std::string& erases = {}) override
    {
        return messages_.askOkCancel(text, erases);
    }
    Answer ask(const Question& q) override { return messages_.ask(q); }

private:
    Messages& messages_;
    std::function<void(const std::string&)> note_;
};

} // namespace tarvelon
