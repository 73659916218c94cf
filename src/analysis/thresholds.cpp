#include "analysis/displacement.h"

namespace tarvelon::surveys {

std::vector<LevelCause> levelCauses(const ReadoutResult& r, const TubeSettings& t)
{
    const auto reached = [&r](Level level, const std::optional<double>& limit, const std::optional<double>& rateLimit) {
        std::vector<LevelCause> causes;
        if (r.largestMm && limit && *r.largestMm >= *limit)
            causes.push_back({level, Criterion::Displacement, *r.largestMm, *limit, r.largestDepthTenths});
        if (r.rateMmPerDay && rateLimit && *r.rateMmPerDay >= *rateLimit)
            causes.push_back({level, Criterion::Rate, *r.rateMmPerDay, *rateLimit, r.rateDepthTenths});
        return causes;
    };
    std::vector<LevelCause> causes = reached(Level::Alarm, t.alarmMm, t.alarmMmPerDay);
    return causes.empty() ? reached(Level::Alert, t.alertMm, t.alertMmPerDay) : causes;
}

std::string levelWord(Level level)
{
    return level == Level::Alarm ? "ALARM" : level == Level::Alert ? "ALERT" : "";
}

std::string criterionName(Criterion criterion)
{
    return criterion == Criterion::Rate ? "rate" : "displacement";
}

std::string causeText(const LevelCause& c, const TubeSettings& settings)
{
    if (c.criterion == Criterion::Rate)
        return "rate " + rateText(c.value, settings) + " " + rateUnitName(settings) + " \u2265 " +
               rateText(c.threshold, settings);
    return "displacement " + lengthText(c.value, settings.units) + " " + unitName(settings.units) + " \u2265 " +
           lengthText(c.threshold, settings.units);
}

std::string statusText(const ReadoutResult& r, const TubeSettings& settings)
{
    if (const std::string why = r.notComputed(); !why.empty())
        return "not computed: " + why;
    if (r.causes.empty())
        return levelWord(r.level);
    std::string why;
    for (const LevelCause& c : r.causes)
        why += (why.empty() ? "" : "; ") + causeText(c, settings);
    return levelWord(r.level) + " (" + why + ")";
}

} // namespace tarvelon::surveys
