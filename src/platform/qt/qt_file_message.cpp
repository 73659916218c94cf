#include "platform/qt/qt_file_message.h"

#include <QCoreApplication>
#include <QDir>

namespace tarvelon {

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString cannotWriteFileMessage(const QString& path, const QString& reason)
{
    if (reason.isEmpty())
        return QCoreApplication::translate("Texts", "Attention: cannot write file %1").arg(nativePath(path));
    return QCoreApplication::translate("Texts", "Attention: cannot write file %1: %2").arg(nativePath(path), reason);
}

} // namespace tarvelon
