#pragma once
#include <QString>

#include <filesystem>

namespace tarvelon {

// `fileName` in the user's application-data folder, which is created when missing; the
// folder is named after the organisation and the application ("Tarvelon Instruments/Tarvelon
// Manager"), so the window and the command line share it. On Windows it roams with the user.
QString appDataFilePath(const QString& fileName);
// `fileName` in the user's local application-data folder (created when missing): for data
// that is large and belongs to this computer, such as the survey library. On Windows it does
// not roam; on Linux it is the same folder as above.
QString localAppDataFilePath(const QString& fileName);
// The application-data folder of the versions that named no organisation: the application's
// name alone, where the survey library used to be.
QString formerAppDataFolder();
// A path as the standard library takes it, whatever characters it holds.
std::filesystem::path fileSystemPath(const QString& path);
QString fromFileSystemPath(const std::filesystem::path& path);

} // namespace tarvelon
