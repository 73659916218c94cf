// tarvelon: the jobs of Tarvelon Manager from the command line.
#include "cli/command.h"
#include "cli/console.h"
#ifdef TARVELON_CLI_SURVEYS
#include "cli/library.h"
#include "library/library_location.h"
#include "library/sql.h"
#endif

#include <QCoreApplication>
#ifdef TARVELON_CLI_REPORT
#include <QGuiApplication>
#endif

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// Everything the command line says goes through its own messages; Qt's own remarks (no
// XDG_RUNTIME_DIR under cron, a painter that could not begin) would only confuse a script.
void dropQtMessages(QtMsgType type, const QMessageLogContext&, const QString&)
{
    if (type == QtFatalMsg)
        std::abort();
}

} // namespace

#ifdef TARVELON_CLI_REPORT
// The command: the first argument after the program's own --language and its value.
static const char* commandOf(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--language") == 0)
            ++i;
        else if (std::strncmp(argv[i], "--language=", 11) != 0)
            return argv[i];
    }
    return "";
}
#endif

int main(int argc, char* argv[])
{
    qInstallMessageHandler(dropQtMessages);
    std::unique_ptr<QCoreApplication> app;
#ifdef TARVELON_CLI_REPORT
    // Only the tube and site reports draw; they need fonts and a painter but never a display.
    if (const char* command = commandOf(argc, argv);
        std::strcmp(command, "displacement") == 0 || std::strcmp(command, "site") == 0) {
#ifndef _WIN32
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
#endif
    if (!app)
        app = std::make_unique<QCoreApplication>(argc, argv);
    // Name the application-data folder the window keeps its survey library in.
    QCoreApplication::setOrganizationName(QStringLiteral("Tarvelon Instruments"));
    QCoreApplication::setApplicationName(QStringLiteral("Tarvelon Manager"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARVELON_VERSION));
    tarvelon::cli::catchInterrupt();
#ifdef TARVELON_CLI_SURVEYS
    // A server's password the user's password file lacks is asked once a run, never shown.
    tarvelon::surveys::setPasswordPrompt(tarvelon::cli::askPasswordOnTerminal);
    tarvelon::surveys::setConnectionNotice(
        [](const std::string& text) { tarvelon::cli::printMessage(QStringLiteral("Note: ") + QString::fromStdString(text)); });
    // A statement running on a server stops at once, not when it ends by itself.
    tarvelon::cli::onStop([] { tarvelon::sql::cancelRunningStatements(); });
#endif
    return tarvelon::cli::runTarvelon(QCoreApplication::arguments());
}
