// tarvelon: the jobs of Tarvelon Manager from the command line.
#include "cli/command.h"
#include "cli/console.h"

#include <QCoreApplication>
#ifdef TARVELON_CLI_REPORT
#include <QGuiApplication>
#endif

#include <cstring>
#include <memory>

int main(int argc, char* argv[])
{
    std::unique_ptr<QCoreApplication> app;
#ifdef TARVELON_CLI_REPORT
    // Only the tube report draws; it needs fonts and a painter but never a display.
    if (argc > 1 && std::strcmp(argv[1], "displacement") == 0) {
#ifndef _WIN32
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
#endif
    if (!app)
        app = std::make_unique<QCoreApplication>(argc, argv);
    // Names the application-data folder the window keeps its survey library in.
    QCoreApplication::setApplicationName(QStringLiteral("Tarvelon Manager"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARVELON_VERSION));
    tarvelon::cli::catchInterrupt();
    return tarvelon::cli::runTarvelon(QCoreApplication::arguments());
}
