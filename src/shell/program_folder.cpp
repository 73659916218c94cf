#include "shell/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace tarvelon {

QString chooseProgramFolder(const QString& executableFolder, const QString& appDataFolder)
{
    // Only creating the file tells: the permissions a folder reports need not be the ones
    // that apply (NTFS access lists under "Program Files").
    if (!executableFolder.isEmpty() && QFileInfo(executableFolder).isDir()) {
        QFile header(executableFolder + QLatin1Char('/') + kHeaderFileName);
        if (header.open(QIODevice::ReadWrite))
            return executableFolder;
    }
    QDir().mkpath(appDataFolder);
    return appDataFolder;
}

QString defaultProgramFolder()
{
    return chooseProgramFolder(QCoreApplication::applicationDirPath(),
                               QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

std::unique_ptr<QLockFile> lockProgramFolder(const QString& folder)
{
    auto lock = std::make_unique<QLockFile>(folder + QLatin1Char('/') + kHeaderFileName + QStringLiteral(".lock"));
    // Held for the whole run, however long: only a lock whose process is gone is stale.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0) || lock->error() != QLockFile::LockFailedError)
        return lock;
    return nullptr;
}

} // namespace tarvelon
