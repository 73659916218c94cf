#include "analysis/displacement.h"
#include "analysis/said.h"

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

std::string shownCriterionName(Criterion criterion)
{
    return criterion == Criterion::Rate ? said(QT_TRANSLATE_NOOP("Texts", "rate"))
                                        : said(QT_TRANSLATE_NOOP("Texts", "displacement"));
}

std::string shownLevelWord(Level level)
{
    return level == Level::Alarm   ? said(QT_TRANSLATE_NOOP("Texts", "ALARM"))
           : level == Level::Alert ? said(QT_TRANSLATE_NOOP("Texts", "ALERT"))
                                   : "";
}

namespace {

// The same words for the CSV and the library (English, as scripts read them) and for the window
// (the program's language); "≥" stays outside the catalogue's text, which Windows-1252 lacks.
std::string causeIn(const LevelCause& c, const TubeSettings& settings, bool shown)
{
    if (c.criterion == Criterion::Rate)
        return (shown ? said(QT_TRANSLATE_NOOP("Texts", "rate %1"), {rateText(c.value, settings)}) : "rate " + rateText(c.value, settings)) +
               " " + rateUnitName(settings) + " \u2265 " + rateText(c.threshold, settings);
    return (shown ? said(QT_TRANSLATE_NOOP("Texts", "displacement %1"), {lengthText(c.value, settings.units)})
                  : "displacement " + lengthText(c.value, settings.units)) +
           " " + unitName(settings.units) + " \u2265 " + lengthText(c.threshold, settings.units);
}

std::string statusIn(const ReadoutResult& r, const TubeSettings& settings, bool shown)
{
    if (const Reason why = r.notComputed(); !why.empty())
        return shown ? said(QT_TRANSLATE_NOOP("Texts", "not computed: %1"), {why.shown()}) : "not computed: " + why.english();
    const std::string word = shown ? shownLevelWord(r.level) : levelWord(r.level);
    if (r.causes.empty())
        return word;
    std::string why;
    for (const LevelCause& c : r.causes)
        why += (why.empty() ? "" : "; ") + causeIn(c, settings, shown);
    return word + " (" + why + ")";
}

} // namespace

std::string causeText(const LevelCause& c, const TubeSettings& settings)
{
    return causeIn(c, settings, false);
}

std::string shownCauseText(const LevelCause& c, const TubeSettings& settings)
{
    return causeIn(c, settings, true);
}

std::string statusText(const ReadoutResult& r, const TubeSettings& settings)
{
    return statusIn(r, settings, false);
}

std::string shownStatusText(const ReadoutResult& r, const TubeSettings& settings)
{
    return statusIn(r, settings, true);
}

} // namespace tarvelon::surveys
