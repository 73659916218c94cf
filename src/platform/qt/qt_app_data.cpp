#include "platform/qt/qt_app_data.h"

#include <QDir>
#include <QStandardPaths>

namespace tarvelon {

QString appDataFilePath(const QString& fileName)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return QDir(folder).filePath(fileName);
}

} // namespace tarvelon
