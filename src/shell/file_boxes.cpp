#include "shell/file_boxes.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QSettings>
#include <QStandardPaths>
#include <QVariantMap>

namespace tarvelon {
namespace {

// Whether "QtProject" is there at all. On Windows merely opening it with QSettings would
// make the key, so it is looked for from its parent.
bool qtProjectExists()
{
#ifdef Q_OS_WIN
    return QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software"), QSettings::NativeFormat)
        .childGroups()
        .contains(QStringLiteral("QtProject"));
#else
    return QFile::exists(QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName());
#endif
}

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
        if (!existed_) {
            // Nothing of anyone's was there: the key or file goes again, whole.
#ifdef Q_OS_WIN
            QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software"), QSettings::NativeFormat)
                .remove(QStringLiteral("QtProject"));
#else
            QFile::remove(QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName());
#endif
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
