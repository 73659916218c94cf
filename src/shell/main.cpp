#include "shell/main_window.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Also names the application-data folder that may hold the header file.
    QApplication::setApplicationName(QStringLiteral("Tarvelon Manager"));

    tarvelon::Scaricodati window;
    window.show();
    return QApplication::exec();
}
