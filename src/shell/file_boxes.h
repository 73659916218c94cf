#pragma once
#include <QString>

namespace tarvelon {

// Where a box that opens or saves a file starts: the download folder when there is one, else
// the user's Documents folder; never the folder the program happens to run in.
QString fileBoxFolder(const QString& downloadFolder);

// A name to offer for a file about a tube: "CLIENT-SITE-TUBE" + `ending` ("-report.pdf"),
// blanks trimmed and characters no file name may hold replaced; "survey" + `ending` without
// a tube.
QString suggestedFileName(const QString& client, const QString& site, const QString& tube, const QString& ending);

} // namespace tarvelon
