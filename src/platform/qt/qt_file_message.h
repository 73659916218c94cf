#pragma once
#include <QString>

namespace tarvelon {

// A path as the user's system writes it: its own separators ("C:\dati\Città" on Windows),
// the characters exactly as on disk.
QString nativePath(const QString& path);

// The message for a file that cannot be written: "Attention: cannot write file PATH: REASON",
// the path as nativePath gives it and the system's own reason (QFile::errorString()).
QString cannotWriteFileMessage(const QString& path, const QString& reason);

} // namespace tarvelon
