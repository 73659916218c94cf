#pragma once
#include "analysis/survey.h"

#include <cstdio>
#include <optional>
#include <string>

// Surveys that cross a tube's thresholds by known amounts, for the tests of the alarm log.
namespace tarvelon::test {

// Four depths 0.5 m apart on `date` ("DD/MM/YY") at 10:00; reading 1 moved by `offset` at each.
// With K = 1000 and a 0.5 m gauge each interval moves 0.5 mm a unit, so the top (summed over
// four intervals) moves 2 mm a unit.
inline surveys::Survey movedReadout(const surveys::TubeKey& tube, const std::string& number, const std::string& date,
                                    int offset)
{
    surveys::Survey s;
    s.client = tube.client;
    s.site = tube.site;
    s.tube = tube.tube;
    s.readout = number;
    s.date = date;
    s.time = "10:00:00";
    s.step = 0.5;
    s.origin = surveys::Origin::Import;
    for (int t = 5; t <= 20; t += 5)
        s.rows.push_back({t, {100 + offset, 50}});
    return s;
}

// "DD/MM/YY" of a day of `month` 2024.
inline std::string dayOf(int day, int month = 3)
{
    char date[16];
    std::snprintf(date, sizeof date, "%02d/%02d/24", day, month);
    return date;
}

// Measured against `base` with K = 1000 and no noise allowance, against these thresholds
// (mm, mm/day; none where not given).
inline surveys::TubeSettings alarmSettings(std::int64_t base, std::optional<double> alertMm, std::optional<double> alarmMm,
                                           std::optional<double> alertRate = std::nullopt,
                                           std::optional<double> alarmRate = std::nullopt)
{
    surveys::TubeSettings t;
    t.constant = 1000;
    t.baseId = base;
    t.precisionMm = 0;
    t.alertMm = alertMm;
    t.alarmMm = alarmMm;
    t.alertMmPerDay = alertRate;
    t.alarmMmPerDay = alarmRate;
    return t;
}

} // namespace tarvelon::test
