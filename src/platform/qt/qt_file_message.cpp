#include "platform/qt/qt_file_message.h"

#include <QDir>

namespace tarvelon {

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString cannotWriteFileMessage(const QString& path, const QString& reason)
{
    QString text = QStringLiteral("Attention: cannot write file ") + nativePath(path);
    if (!reason.isEmpty())
        text += QStringLiteral(": ") + reason;
    return text;
}

} // namespace tarvelon
