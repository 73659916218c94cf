#pragma once
#include <QString>

namespace tarvelon {

// The folder that holds the header file: the executable's own folder when the program may
// write there, otherwise the user's application-data folder (created when missing).
QString chooseProgramFolder(const QString& executableFolder, const QString& appDataFolder);
QString defaultProgramFolder();

} // namespace tarvelon
