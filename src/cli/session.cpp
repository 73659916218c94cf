#include "cli/session.h"

#include "cli/console.h"
#include "link/fields.h"
#include "link/progress.h"
#include "platform/qt/qt_text.h"

#include <QCoreApplication>

namespace tarvelon::cli {

Session::Form::Form(bool showProgress) : showProgress_(showProgress)
{
    for (const FieldSpec& f : kFields)
        boxes_[std::string(f.name)] = std::string(f.initial);
}

std::string Session::Form::text(std::string_view field) const
{
    const auto it = boxes_.find(field);
    return it == boxes_.end() ? std::string() : it->second;
}

void Session::Form::setText(std::string_view field, std::string_view text)
{
    const int limit = maxLengthOf(field);
    boxes_[std::string(field)] = std::string(limit > 0 ? text.substr(0, static_cast<size_t>(limit)) : text);
}

void Session::Form::showWaitIndicator(bool shown)
{
    waiting_ = shown;
    // The operation's end takes its progress line away.
    if (!shown && showProgress_)
        showProgressLine({});
}

void Session::Form::showProgress(const Progress& p)
{
    if (showProgress_)
        showProgressLine(fromText(progressText(p)));
}

bool Session::Form::stopRequested() const
{
    return interrupted();
}

void Session::Messages::show(const std::string& text, Icon icon, const std::string&)
{
    printMessage(fromText(text));
    failed = failed || icon == Icon::Error;
}

Session::Session(const PortChoice& port, bool quiet)
    : form_(!quiet && progressLineWanted()),
      port_([name = port.name](int) { return name; }),
      timer1_([this] { state_.onTick(); }),
      context_{state_, form_, traced_, loop_, timer1_, messages_, desktop_}
{
    state_.portNumber = port.number;
    QString why;
    if (!port.trace.isEmpty() &&
        !trace_.start(port.trace, traced_, QStringLiteral("tarvelon %1").arg(QCoreApplication::applicationVersion()), &why))
        throw UsageError{why};
}

void Session::report(const QString& text, bool failure)
{
    printMessage(text);
    messages_.failed = messages_.failed || failure;
}

int Session::exitStatus() const
{
    if (interrupted())
        return interruptedStatus();
    return failed() ? kFailed : kSucceeded;
}

} // namespace tarvelon::cli
