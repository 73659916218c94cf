#pragma once
#include "analysis/displacement.h"
#include "shell/texts.h"

#include <QLocale>
#include <QRegularExpression>
#include <QString>

#include <string>

// Texts the Surveys window's parts share, so a readout reads the same everywhere.
namespace tarvelon {

inline QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

// A text the analysis wrote with decimal points, its numbers as the window's language writes
// them: "ALARM (rate 0,700 mm/day ≥ 0,600)" in Italian.
inline QString shownNumbers(QString text)
{
    const QString point = QLocale().decimalPoint();
    if (point == QLatin1String("."))
        return text;
    static const QRegularExpression between(QStringLiteral(R"((?<=\d)\.(?=\d))"));
    return text.replace(between, point);
}

inline QString depthText(int tenths)
{
    return qs(surveys::depthMetres(tenths));
}

// A readout in the tree: its own date and time, then its number.
inline QString readoutLabel(const std::string& readout, const std::string& date, const std::string& time)
{
    return Texts::tr("%1 %2  No. %3").arg(qs(date), qs(time.substr(0, 5)), qs(surveys::readoutNumber(readout)));
}

// How the survey reached the library, for its header: an import is not a download.
inline QString keptLabel(surveys::Origin origin)
{
    switch (origin) {
    case surveys::Origin::Download:
        return Texts::tr("Downloaded:");
    case surveys::Origin::Import:
        return Texts::tr("Imported:");
    case surveys::Origin::Unknown:
        break;
    }
    return Texts::tr("Added:");
}

} // namespace tarvelon
