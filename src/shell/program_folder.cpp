#include "shell/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tarvelon {

QString chooseProgramFolder(const QString& executableFolder, const QString& appDataFolder)
{
    const QFileInfo info(executableFolder);
    if (!executableFolder.isEmpty() && info.isDir() && info.isWritable())
        return executableFolder;
    // An installed program usually may not write beside its executable.
    QDir().mkpath(appDataFolder);
    return appDataFolder;
}

QString defaultProgramFolder()
{
    return chooseProgramFolder(QCoreApplication::applicationDirPath(),
                               QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

} // namespace tarvelon
