#include "shell/program.h"

#include "shell/splash_screen.h"

#include <memory>

namespace tarvelon {

int runProgram(QApplication& app, const MainWindowOptions& options)
{
    // Also names the application-data folder that may hold the header file.
    QApplication::setApplicationName(QStringLiteral("Tarvelon Manager"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tarvelon-manager.svg")));

    // The main window's loading runs when the splash window hands over.
    std::unique_ptr<MainWindow> window;
    SplashScreen splash([&window, &options] {
        window = std::make_unique<MainWindow>(options);
        window->show();
    });
    splash.show();
    return app.exec();
}

} // namespace tarvelon
