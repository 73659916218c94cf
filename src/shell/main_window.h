#pragma once
#include "link/context.h"
#include "link/program_state.h"
#include "platform/form.h"
#include "platform/line_trace.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_event_loop.h"
#include "platform/qt/qt_line_trace_file.h"
#include "platform/qt/qt_messages.h"
#include "platform/qt/qt_serial_port.h"
#include "shell/folder_chooser.h"
#include "shell/page_freeze.h"
#include "shell/port_chooser.h"
#include "shell/program_folder.h"
#include "shell/remembered_choices.h"
#include "shell/status_line.h"
#include "shell/wait_indicator.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <QList>

#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

class QLineEdit;
class QTabBar;

namespace tarvelon {

class ControlPanel;
class DownloadPage;
class HeaderPage;
class ProgressPanel;
class SetupPage;

// The property that keeps a control usable while an operation runs ("About", "Help").
inline constexpr const char* kUsableDuringOperations = "usableDuringOperations";

struct MainWindowOptions {
    // Port number to system port name; empty means COMn / /dev/ttyS<n-1>.
    PortNameResolver portName;
    // Folder of the header file; empty means defaultProgramFolder().
    QString programFolder;
    // Stand-ins for the message boxes and the desktop (tests that drive the window); null
    // means the real ones.
    Messages* messages = nullptr;
    Desktop* desktop = nullptr;
    // Run the window's loading at the end of the constructor. Off only for a test that
    // looks at the window as created and then calls load() itself.
    bool runStartUp = true;
    // Drives and default folder of the folder chooser; none means this machine's.
    std::optional<FolderChooserOptions> folders;
    // The ports offered beside "Other:"; empty means this machine's.
    PortSource ports;
    // "Other:" chosen with this name at every loading (--port NAME).
    std::optional<QString> otherPort;
    // Where the choices offered again at the next start are kept; empty means the user's
    // settings.
    QString settingsFile;
    // Where Help looks for the installed guide; empty means guideFolders().
    QStringList guideFolders;
    // The line recorded into this file from the start (--trace FILE).
    std::optional<QString> traceFile;
};

// The main window (Scaricodati): the tab strip over three pages, the control panel beside
// them and the wait indicator below. It owns the program-wide state, the serial port, Timer1
// and the other platform pieces, and hands them to the operations as one Context; to the
// operations it is the Form, whichever page holds the named control.
class MainWindow : public QWidget, public Form {
    Q_OBJECT
public:
    using Options = MainWindowOptions;
    using Operation = std::function<void(Context&)>;

    explicit MainWindow(Options opts = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The window's loading: block numbers, enabled buttons, port 1 (or the --port name),
    // header file rebuilt with the default headers, block 1 shown.
    void load();

    // Runs one operation to its end while the window keeps processing events. While it runs
    // the boxes of the pages are read-only and their buttons disabled, so nothing the
    // operator does can change what the operation sends; a box left half-edited is checked
    // first. When the window is closed during the operation, it unwinds and the application
    // quits.
    void runOperation(const Operation& op);
    // Runs `task` now, or when the running operation has ended: for what the operator does
    // in other windows while the unit is being talked to.
    void whenIdle(std::function<void()> task);
    // Makes a click on the named button run `op` through runOperation.
    void connectOperation(const char* buttonName, Operation op);
    // Makes leaving the named text box for another control of this window run `op` through
    // runOperation.
    void connectLeaveCheck(const char* fieldName, Operation op);
    bool isBusy() const { return busy_; }

    ProgramState& state() { return state_; }
    Context& context() { return ctx_; }
    QtTimer& timer() { return timer_; }
    QtSerialPort& port() { return port_; }
    QtEventLoop& eventLoop() { return loop_; }
    const QString& programFolder() const { return programFolder_; }
    // What is offered again at the next start, window sizes among it.
    RememberedChoices& remembered() { return remembered_; }

    // The windows the control panel and the Download Data page open.
    void showAbout();
    void showHelp();
    void showFolderChooser();

    // A text of the core as shown, with the program's folders as they are named.
    QString shownText(const std::string& text) const;

    // The text box or control of that name, on any page; null when there is none.
    QLineEdit* field(std::string_view name) const;
    QWidget* control(std::string_view name) const;

    // Form
    using QWidget::isEnabled;
    using QWidget::setEnabled;
    std::string text(std::string_view field) const override;
    void setText(std::string_view field, std::string_view text) override;
    void setEnabled(std::string_view control, bool enabled) override;
    bool isEnabled(std::string_view control) const override;
    void showWaitIndicator(bool shown) override;
    bool waitIndicatorShown() const override;
    void showProgress(const Progress& progress) override;
    bool stopRequested() const override { return stopRequested_; }
    void showOutcome(std::string_view text) override;
    void focus(std::string_view field) override;

    // How a job of this window or another ended, on the status line; `file` is offered as a
    // link that opens it.
    void showResult(const QString& result, const QString& file = {});
    StatusLine* statusLine() const { return statusLine_; }

    // Stop (or Esc, or closing a window the operation works for): the running operation
    // ends at its next row or block.
    void requestStop();
    // Progress and Stop shown in `panel` (another window's) until the operation ends; null
    // gives them back to this window.
    void showProgressIn(ProgressPanel* panel);
    // The window whose operation is running, over which its message boxes stand, so the main
    // window does not come in front of it; none for the main window itself.
    void boxesOver(QWidget* window) { messages_.setOwner(window ? window : this); }

signals:
    // A double-click on the depth tenths box (Text13), or Space on it: how the operator changes it.
    void tenthsDoubleClicked();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:

    void buildUi();
    void chainTabOrder();
    void showPage(int index);
    void checkEditedBox();
    void rememberFolder(const QString& folder);
    void showPort();
    // "Record the line to a file" and --trace: the recording starts into `file` (a box asks
    // for one when empty) or ends.
    void wireLineRecording(const std::optional<QString>& file);
    void recordLine(bool on, QString file = {});

    QString programFolder_;
    QStringList guideFolders_;
    std::optional<FolderChooserOptions> folderOptions_;
    std::optional<QString> otherPort_;
    RememberedChoices remembered_;
    ProgramState state_;
    QtEventLoop loop_;
    QtSerialPort port_;
    // The operations talk through this, so a recording sees all they say and nothing else.
    TracedPort tracedPort_{port_};
    LineTraceFile lineTrace_;
    QtTimer timer_;
    QtMessages messages_;
    QtDesktop desktop_;
    UnlitMessages unlit_;
    NotedMessages noted_;
    Context ctx_;

    QTabBar* tabs_ = nullptr;
    HeaderPage* headerPage_ = nullptr;
    DownloadPage* downloadPage_ = nullptr;
    SetupPage* setupPage_ = nullptr;
    QList<QWidget*> pages_;
    ControlPanel* controlPanel_ = nullptr;
    WaitIndicator* waitIndicator_ = nullptr;
    ProgressPanel* progressPanel_ = nullptr;
    StatusLine* statusLine_ = nullptr;
    QPointer<ProgressPanel> progressTarget_;
    QPointer<QWidget> aboutBox_, folderChooser_;
    bool stopRequested_ = false;
    QHash<QString, QLineEdit*> fields_;
    mutable QHash<QString, QWidget*> controls_;
    QHash<QObject*, Operation> leaveChecks_;
    bool busy_ = false;
    int messagesShown_ = 0;
    bool resultFromBox_ = false; // the status line's result is the text of a message box
    std::string lastMessage_;
    PageFreeze freeze_;
    std::vector<std::function<void()>> postponed_;
    std::unique_ptr<Messages> chooserMessages_;
    QList<std::pair<QString, QString>> folderRenderings_;
};

} // namespace tarvelon
