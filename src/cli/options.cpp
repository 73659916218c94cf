#include "cli/options.h"
#include "shell/texts.h"

#include "platform/qt/qt_app_data.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/serial_port.h"
#include "library/store.h"
#ifdef TARVELON_CLI_SURVEYS
#include "cli/console.h"
#include "library/library_file.h"
#endif

#include <QDir>
#include <QFileInfo>

namespace tarvelon::cli {

void addPortOption(QCommandLineParser& parser)
{
    // The example names the adapter the user most likely has on this system.
#ifdef _WIN32
    const QString help = Texts::tr("The serial port: a system name (COM3, \\\\.\\COM12) or 1 to 4 for Com 1 to Com 4.");
#else
    const QString help = Texts::tr("The serial port: a system name (/dev/ttyUSB0, /dev/ttyS0) or 1 to 4 for Com 1 to Com 4.");
#endif
    parser.addOption({QStringLiteral("port"), help, QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("trace"),
                      Texts::tr("Record every byte sent to the unit and received from it, with its time, in FILE "
                                "(replaced), to send when a unit misbehaves."),
                      QStringLiteral("FILE")});
}

PortChoice portOf(const QCommandLineParser& parser)
{
    const QString name = requiredValue(parser, QStringLiteral("port"));
    const QString trace = parser.isSet(QStringLiteral("trace")) ? requiredValue(parser, QStringLiteral("trace")) : QString();
    bool number = false;
    const int n = name.toInt(&number);
    if (number && n >= 1 && n <= 4)
        return {n, defaultPortName(n), trace};
    return {kOtherPort, name, trace};
}

void addQuietOption(QCommandLineParser& parser)
{
    parser.addOption({{QStringLiteral("q"), QStringLiteral("quiet")}, Texts::tr("No progress line on the terminal.")});
}

bool quiet(const QCommandLineParser& parser)
{
    return parser.isSet(QStringLiteral("quiet"));
}

void addLibraryOption(QCommandLineParser& parser, bool optional)
{
    parser.addOption({QStringLiteral("library"),
                      Texts::tr("The survey library: a file, or a server's connection (postgresql://... or "
                                "service=NAME) (default: the window's, surveys.sqlite in the user's "
                                "application-data folder)."),
                      QStringLiteral("FILE")});
    if (optional)
        parser.addOption({QStringLiteral("no-library"), Texts::tr("Keep the downloads out of the survey library.")});
}

std::optional<std::string> libraryOf(const QCommandLineParser& parser)
{
    const bool none = parser.optionNames().contains(QStringLiteral("no-library"));
    const bool named = parser.isSet(QStringLiteral("library"));
    if (none && named)
        throw UsageError{Texts::tr("--library and --no-library cannot be used together")};
    if (none)
        return std::nullopt;
    if (named)
        return requiredValue(parser, QStringLiteral("library")).toStdString();
    return defaultLibrary();
}

std::string defaultLibrary()
{
    const QString name = QString::fromUtf8(surveys::kLibraryFileName.data(),
                                           static_cast<qsizetype>(surveys::kLibraryFileName.size()));
    const QString to = localAppDataFilePath(name);
#ifdef TARVELON_CLI_SURVEYS
    // The library moves from where earlier versions kept it, whichever program starts first.
    const QString from = QDir(formerAppDataFolder()).filePath(name);
    if (QFileInfo(from) != QFileInfo(to)) {
        const surveys::LibraryMoveResult moved = surveys::moveLibraryFile(fileSystemPath(from), fileSystemPath(to));
        if (const std::string note = surveys::libraryMoveNote(moved, fileSystemPath(from), fileSystemPath(to));
            !note.empty())
            printMessage(QString::fromStdString(note));
        if (surveys::stillAtFormerPlace(moved.kind))
            return from.toStdString();
    }
#endif
    return to.toStdString();
}

QString requiredValue(const QCommandLineParser& parser, const QString& option)
{
    const QString value = parser.value(option);
    if (value.isEmpty())
        throw UsageError{Texts::tr("--%1 is needed").arg(option)};
    return value;
}

} // namespace tarvelon::cli
