#pragma once
#include <QString>

namespace tarvelon::report {

// "<path> cannot be written: <why>", the path with the system's separators. Without `why`,
// the system is asked: the file is opened for appending (never emptied), and one that did not
// exist before is removed again.
QString cannotBeWritten(const QString& path, QString why = {});

} // namespace tarvelon::report
