#pragma once
#include <QDateTime>
#include <QString>

#include <string>

namespace tarvelon {

// A moment the library keeps in ISO 8601 UTC, as the operator reads times everywhere else:
// local, "DD/MM/YY hh:mm:ss". A text that is no such moment is shown as it is.
inline QString localTimeShown(const std::string& isoUtc)
{
    const QString text = QString::fromUtf8(isoUtc);
    const QDateTime t = QDateTime::fromString(text, Qt::ISODate);
    return t.isValid() ? t.toLocalTime().toString(QStringLiteral("dd/MM/yy hh:mm:ss")) : text;
}

} // namespace tarvelon
