#pragma once
#include <QString>

namespace tarvelon {

// `fileName` in the user's application-data folder, which is created when missing; the
// folder is named after the application ("Tarvelon Manager"), so the window and the command
// line share it.
QString appDataFilePath(const QString& fileName);

} // namespace tarvelon
