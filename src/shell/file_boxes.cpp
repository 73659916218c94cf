#include "shell/file_boxes.h"

#include <QDir>
#include <QStandardPaths>
#include <QStringList>

namespace tarvelon {

QString fileBoxFolder(const QString& downloadFolder)
{
    if (!downloadFolder.isEmpty() && QDir(downloadFolder).exists())
        return downloadFolder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

QString suggestedFileName(const QString& client, const QString& site, const QString& tube, const QString& ending)
{
    QStringList parts;
    for (const QString& part : {client, site, tube}) {
        QString p = part.trimmed();
        // Characters Windows refuses in a name, and separators, become "_".
        for (QChar& ch : p)
            if (QStringLiteral("<>:\"/\\|?*").contains(ch) || ch.unicode() < 0x20)
                ch = QLatin1Char('_');
        if (!p.isEmpty())
            parts << p;
    }
    return (parts.isEmpty() ? QStringLiteral("survey") : parts.join(QLatin1Char('-'))) + ending;
}

} // namespace tarvelon
