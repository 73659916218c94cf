// tarvelon: the jobs of Tarvelon Manager from the command line.
#include "cli/command.h"
#include "cli/console.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // Names the application-data folder the window keeps its survey library in.
    QCoreApplication::setApplicationName(QStringLiteral("Tarvelon Manager"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARVELON_VERSION));
    tarvelon::cli::catchInterrupt();
    return tarvelon::cli::runTarvelon(QCoreApplication::arguments());
}
