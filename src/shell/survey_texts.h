#pragma once
#include "surveys/comparison.h"

#include <QString>

#include <string>

// Texts and units the Surveys window's parts share, so a readout reads the same everywhere.
namespace tarvelon {

inline QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

inline QString depthText(int tenths)
{
    return qs(surveys::depthMetres(tenths));
}

inline QString readoutLabel(const std::string& readout, const std::string& date)
{
    return QStringLiteral("No. %1  %2").arg(qs(readout), qs(date));
}

// Without a scale factor the cumulative change stays in reading units x m.
inline double cumulativeScale(double mmPerUnitMetre)
{
    return mmPerUnitMetre > 0 ? mmPerUnitMetre : 1.0;
}

inline QString cumulativeUnit(double mmPerUnitMetre)
{
    return mmPerUnitMetre > 0 ? QStringLiteral("mm") : QStringLiteral("reading units x m");
}

} // namespace tarvelon
