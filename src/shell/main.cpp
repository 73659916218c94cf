#include "shell/main_window.h"
#include "shell/preloader.h"

#include <QApplication>

#include <memory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Also names the application-data folder that may hold the header file.
    QApplication::setApplicationName(QStringLiteral("Tarvelon Manager"));

    // The splash window comes first and hands over to the main window, whose loading runs then.
    std::unique_ptr<tarvelon::Scaricodati> window;
    tarvelon::Preloader splash([&window] {
        window = std::make_unique<tarvelon::Scaricodati>();
        window->show();
    });
    splash.show();
    return QApplication::exec();
}
