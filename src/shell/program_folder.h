#pragma once
#include <QString>

#include <memory>
#include <string_view>

class QLockFile;

namespace tarvelon {

inline const QString kHeaderFileName = QStringLiteral("intestazione");
inline constexpr std::string_view kAlreadyRunning = QT_TRANSLATE_NOOP("Texts", "Tarvelon Manager is already running.");

// The folder that holds the header file: the executable's own folder when the header file
// can be created or opened there, otherwise the user's application-data folder (created when
// missing).
QString chooseProgramFolder(const QString& executableFolder, const QString& appDataFolder);
QString defaultProgramFolder();

// Keeps a second copy of the program off the header file in `folder`: null when another
// running copy holds the folder. A lock left by a copy that crashed is taken over; where no
// lock can be made at all, the program runs unlocked.
std::unique_ptr<QLockFile> lockProgramFolder(const QString& folder);

} // namespace tarvelon
