#include "shell/program.h"

#include "platform/qt/qt_messages.h"
#include "shell/program_folder.h"
#include "shell/splash_screen.h"

#include <QCommandLineParser>
#include <QLockFile>

#include <memory>

// The icon is compiled into the shell's static library, whose resources a linker keeps only
// when something names them.
static void initShellResources()
{
    Q_INIT_RESOURCE(tarvelon_manager);
}

namespace tarvelon {

void portFromCommandLine(const QStringList& arguments, MainWindowOptions& options)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tarvelon Manager"));
    parser.addHelpOption();
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Choose \"Other:\" with this serial port (/dev/ttyUSB0, COM9)."),
                                  QStringLiteral("name"));
    parser.addOption(port);
    // Unknown options and --help end the program here, with a word on the terminal.
    parser.process(arguments);
    if (parser.isSet(port))
        options.otherPort = parser.value(port);
}

int runProgram(QApplication& app, MainWindowOptions options)
{
    // Also names the application-data folder that may hold the header file.
    QApplication::setApplicationName(QStringLiteral("Tarvelon Manager"));
    initShellResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tarvelon-manager.svg")));
    portFromCommandLine(QApplication::arguments(), options);

    MainWindowOptions windowOptions = options;
    if (windowOptions.programFolder.isEmpty())
        windowOptions.programFolder = defaultProgramFolder();
    // A second copy would rebuild the header file under the first.
    const std::unique_ptr<QLockFile> lock = lockProgramFolder(windowOptions.programFolder);
    if (!lock) {
        QtMessages().show(std::string(kAlreadyRunning), Icon::None);
        return 1;
    }

    // The main window's loading runs when the splash window hands over.
    std::unique_ptr<MainWindow> window;
    SplashScreen splash([&window, &windowOptions] {
        window = std::make_unique<MainWindow>(windowOptions);
        window->show();
    });
    splash.show();
    return app.exec();
}

} // namespace tarvelon
