#include "report/write_failure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace tarvelon::report {

QString cannotBeWritten(const QString& path, QString why)
{
    if (why.isEmpty()) {
        const bool existed = QFile::exists(path);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
            why = file.errorString();
        } else {
            file.close();
            if (!existed)
                file.remove();
        }
    }
    const QString cannot = QCoreApplication::translate("Texts", "%1 cannot be written").arg(QDir::toNativeSeparators(path));
    return why.isEmpty() ? cannot : cannot + QStringLiteral(": ") + why;
}

} // namespace tarvelon::report
