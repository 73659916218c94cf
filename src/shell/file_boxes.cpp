#include "shell/file_boxes.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QSettings>
#include <QStandardPaths>
#include <QVariantMap>

namespace tarvelon {
namespace {

// What Qt's file boxes write, noted before a box opens and put back once it has closed.
class QtProjectTraces {
public:
    QtProjectTraces()
    {
        QSettings qt(QSettings::UserScope, QStringLiteral("QtProject"));
        existed_ = !qt.allKeys().isEmpty();
        qt.beginGroup(kGroup);
        for (const QString& key : qt.allKeys())
            before_.insert(key, qt.value(key));
    }
    ~QtProjectTraces()
    {
        QString file;
        {
            QSettings qt(QSettings::UserScope, QStringLiteral("QtProject"));
            qt.remove(kGroup);
            qt.beginGroup(kGroup);
            for (auto it = before_.cbegin(); it != before_.cend(); ++it)
                qt.setValue(it.key(), it.value());
            qt.endGroup();
            qt.sync();
            if (existed_ || !qt.allKeys().isEmpty())
                return;
            file = qt.fileName();
        }
        // Nothing of anyone's was there before: the key or file goes as well.
#ifdef Q_OS_WIN
        QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software"), QSettings::NativeFormat).remove(QStringLiteral("QtProject"));
#else
        QFile::remove(file);
#endif
    }
    QtProjectTraces(const QtProjectTraces&) = delete;
    QtProjectTraces& operator=(const QtProjectTraces&) = delete;

private:
    static inline const QString kGroup = QStringLiteral("FileDialog");
    bool existed_ = false;
    QVariantMap before_;
};

} // namespace

QString fileBoxFolder(const QString& downloadFolder)
{
    if (!downloadFolder.isEmpty() && QDir(downloadFolder).exists())
        return downloadFolder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

QString openFileBox(QWidget* parent, const QString& title, const QString& start, const QString& filter)
{
    QtProjectTraces traces;
    return QFileDialog::getOpenFileName(parent, title, start, filter);
}

QStringList openFilesBox(QWidget* parent, const QString& title, const QString& start, const QString& filter)
{
    QtProjectTraces traces;
    return QFileDialog::getOpenFileNames(parent, title, start, filter);
}

QString folderBox(QWidget* parent, const QString& title, const QString& start)
{
    QtProjectTraces traces;
    return QFileDialog::getExistingDirectory(parent, title, start);
}

QString saveFileBox(QWidget* parent, const QString& title, const QString& suggested, const QString& filter)
{
    QtProjectTraces traces;
    return QFileDialog::getSaveFileName(parent, title, suggested, filter);
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
