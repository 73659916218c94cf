#include "shell/program.h"

#include "shell/preloader.h"

#include <memory>

namespace tarvelon {

int runProgram(QApplication& app, const ScaricodatiOptions& options)
{
    // Also names the application-data folder that may hold the header file.
    QApplication::setApplicationName(QStringLiteral("Tarvelon Manager"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tarvelon-manager.svg")));

    // The main window's loading runs when the splash window hands over.
    std::unique_ptr<Scaricodati> window;
    Preloader splash([&window, &options] {
        window = std::make_unique<Scaricodati>(options);
        window->show();
    });
    splash.show();
    return app.exec();
}

} // namespace tarvelon
