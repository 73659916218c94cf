#include "shell/file_boxes.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QSettings>
#include <QStandardPaths>
#include <QVariantMap>

namespace tarvelon {
namespace {

// Whether "QtProject" is there at all, and its removal, whole. On Windows merely opening it
// with QSettings would make the key, so it is looked at from its parent.
#ifdef Q_OS_WIN
QSettings softwareKey()
{
    return QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software"), QSettings::NativeFormat);
}
bool qtProjectExists()
{
    return softwareKey().childGroups().contains(QStringLiteral("QtProject"));
}
void removeQtProject()
{
    softwareKey().remove(QStringLiteral("QtProject"));
}
#else
QString qtProjectFile()
{
    return QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName();
}
bool qtProjectExists()
{
    return QFile::exists(qtProjectFile());
}
void removeQtProject()
{
    QFile::remove(qtProjectFile());
}
#endif

// What Qt's file boxes write, noted before a box opens and put back once it has closed.
class QtProjectTraces {
public:
    QtProjectTraces()
        : existed_(qtProjectExists())
    {
        if (!existed_)
            return;
        QSettings qt(QSettings::UserScope, QStringLiteral("QtProject"));
        qt.beginGroup(kGroup);
        for (const QString& key : qt.allKeys())
            before_.insert(key, qt.value(key));
    }
    ~QtProjectTraces()
    {
        // Nothing of anyone's was there: the key or file goes again, whole.
        if (!existed_) {
            removeQtProject();
            return;
        }
        QSettings qt(QSettings::UserScope, QStringLiteral("QtProject"));
        qt.remove(kGroup);
        qt.beginGroup(kGroup);
        for (auto it = before_.cbegin(); it != before_.cend(); ++it)
            qt.setValue(it.key(), it.value());
    }
    QtProjectTraces(const QtProjectTraces&) = delete;
    QtProjectTraces& operator=(const QtProjectTraces&) = delete;

private:
    static inline const QString kGroup = QStringLiteral("FileDialog");
    bool existed_;
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
