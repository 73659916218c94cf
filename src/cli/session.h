#pragma once
#include "cli/options.h"
#include "link/context.h"
#include "platform/line_trace.h"
#include "platform/qt/qt_event_loop.h"
#include "platform/qt/qt_line_trace_file.h"
#include "platform/qt/qt_serial_port.h"

#include <QString>

#include <map>
#include <string>

// What an operation of the window works with, without a window: the same program state,
// serial port, event loop and Timer1; the form's boxes held in memory, its messages on
// standard error and its progress as a line on the terminal; Ctrl+C as Stop.
namespace tarvelon::cli {

class Session {
public:
    // Throws UsageError when the trace file cannot be written, before anything is sent.
    Session(const PortChoice& port, bool quiet);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Context& context() { return context_; }
    ProgramState& state() { return state_; }

    // A message of the command line's own, in the window's words; `failure` sets the exit
    // status to 1.
    void report(const QString& text, bool failure = true);
    bool failed() const { return messages_.failed; }
    // 130 after Ctrl+C (143 after SIGTERM, 129 after SIGHUP), 1 once something failed, else 0.
    int exitStatus() const;

private:
    class Form : public tarvelon::Form {
    public:
        explicit Form(bool showProgress);
        std::string text(std::string_view field) const override;
        void setText(std::string_view field, std::string_view text) override;
        void setEnabled(std::string_view, bool) override {}
        bool isEnabled(std::string_view) const override { return true; }
        void showWaitIndicator(bool shown) override;
        bool waitIndicatorShown() const override { return waiting_; }
        void showProgress(const Progress& p) override;
        bool stopRequested() const override;

    private:
        std::map<std::string, std::string, std::less<>> boxes_;
        bool showProgress_;
        bool waiting_ = false;
    };

    class Messages : public tarvelon::Messages {
    public:
        void show(const std::string& text, Icon icon, const std::string& title) override;
        // The command itself is the operator's OK.
        bool askOkCancel(const std::string&, const std::string& = {}) override { return true; }
        bool failed = false;
    };

    class NoDesktop : public Desktop {
    public:
        bool open(const std::string&) override { return false; }
    };

    ProgramState state_;
    Form form_;
    Messages messages_;
    NoDesktop desktop_;
    QtSerialPort port_;
    TracedPort traced_{port_};
    LineTraceFile trace_;
    QtEventLoop loop_;
    QtTimer timer1_;
    Context context_;
};

} // namespace tarvelon::cli
