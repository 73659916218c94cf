#pragma once
#include <QString>
#include <QStringList>

class QWidget;

namespace tarvelon {

// Where a box that opens or saves a file starts: the download folder when there is one, else
// the user's Documents folder; never the folder the program happens to run in.
QString fileBoxFolder(const QString& downloadFolder);

// A name to offer for a file about a tube: "CLIENT-SITE-TUBE" + `ending` ("-report.pdf"),
// blanks trimmed and characters no file name may hold replaced; "survey" + `ending` without
// a tube.
QString suggestedFileName(const QString& client, const QString& site, const QString& tube, const QString& ending);

// Qt's own file boxes, which keep their last folder and history under "QtProject" (a
// registry key on Windows, a settings file on Linux) that belongs to no program of ours:
// these put it back as it was before the box, so the program keeps nothing under a foreign
// name. An empty result is a cancelled box.
QString openFileBox(QWidget* parent, const QString& title, const QString& start, const QString& filter);
QStringList openFilesBox(QWidget* parent, const QString& title, const QString& start, const QString& filter);
QString folderBox(QWidget* parent, const QString& title, const QString& start);
QString saveFileBox(QWidget* parent, const QString& title, const QString& suggested, const QString& filter);

} // namespace tarvelon
