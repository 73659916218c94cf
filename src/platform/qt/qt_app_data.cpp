#include "platform/qt/qt_app_data.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace tarvelon {
namespace {

QString fileIn(QStandardPaths::StandardLocation location, const QString& fileName)
{
    const QString folder = QStandardPaths::writableLocation(location);
    QDir().mkpath(folder);
    return QDir(folder).filePath(fileName);
}

} // namespace

QString appDataFilePath(const QString& fileName)
{
    return fileIn(QStandardPaths::AppDataLocation, fileName);
}

QString localAppDataFilePath(const QString& fileName)
{
    return fileIn(QStandardPaths::AppLocalDataLocation, fileName);
}

QString formerAppDataFolder()
{
    // Qt puts the organisation's folder between the roaming base and the application's.
    const QString now = QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    const QString organisation = QCoreApplication::organizationName();
    const QString tail = QLatin1Char('/') + organisation + QLatin1Char('/') + QCoreApplication::applicationName();
    if (organisation.isEmpty() || !now.endsWith(tail))
        return now;
    return now.chopped(tail.size()) + QLatin1Char('/') + QCoreApplication::applicationName();
}

std::filesystem::path fileSystemPath(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
}

QString fromFileSystemPath(const std::filesystem::path& path)
{
    return QString::fromStdU16String(path.u16string());
}

} // namespace tarvelon
