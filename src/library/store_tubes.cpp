// A tube's settings: its probe, base, units, thresholds and report fields, one row per tube.
#include "analysis/displacement.h"
#include "library/store.h"

namespace tarvelon::surveys {
namespace {

constexpr std::string_view kTubeColumns = "probe_constant, base_survey_id, units, north, alert_mm, alarm_mm, "
                                          "alert_mm_per_day, alarm_mm_per_day, second_pass, depth_reference, "
                                          "gauge_m, checksum_tolerance, fixed_end, min_interval_days, "
                                          "precision_mm, rate_unit, continued_from_id, easting, northing, reading_interval_days";
constexpr int kTubeColumnCount = 20;

TubeSettings tubeSettingsOfRow(const sql::Statement& q)
{
    TubeSettings t;
    t.constant = q.real(0);
    t.baseId = q.isNull(1) ? 0 : q.integer(1);
    t.units = q.text(2) == "in" ? Units::Inches : Units::Millimetres;
    t.north = q.optionalReal(3);
    t.alertMm = q.optionalReal(4);
    t.alarmMm = q.optionalReal(5);
    t.alertMmPerDay = q.optionalReal(6);
    t.alarmMmPerDay = q.optionalReal(7);
    t.secondPass = q.integer(8) != 0;
    t.depthReference = depthReferenceNamed(q.text(9)).value_or(DepthReference::UpperWheel);
    t.gaugeM = q.real(10) > 0 ? q.real(10) : 0.5;
    t.checksumTolerance = q.optionalReal(11);
    t.fixedEnd = fixedEndNamed(q.text(12)).value_or(FixedEnd::Toe);
    t.minIntervalDays = q.real(13) >= 0 ? q.real(13) : 1.0;
    t.precisionMm = q.real(14) >= 0 ? q.real(14) : 0.16;
    t.rateUnit = rateUnitNamed(q.text(15)).value_or(RateUnit::Day);
    t.continuedFromId = q.isNull(16) ? 0 : q.integer(16);
    t.easting = q.optionalReal(17);
    t.northing = q.optionalReal(18);
    t.readingIntervalDays = q.optionalReal(19);
    return t;
}

} // namespace

TubeSettings SurveyStore::tubeSettings(const TubeKey& tube)
{
    sql::Statement q(db_, "SELECT " + std::string(kTubeColumns) + " FROM tubes WHERE client = ? AND site = ? AND tube = ?");
    q.bind(1, tube.client).bind(2, tube.site).bind(3, tube.tube);
    TubeSettings t = q.step() ? tubeSettingsOfRow(q) : TubeSettings{};
    readReportFields(tube, t.report);
    return t;
}

std::vector<TubeKey> SurveyStore::tubeKeys(const std::string& client, const std::optional<std::string>& site)
{
    std::vector<TubeKey> out;
    sql::Statement q(db_, std::string("SELECT DISTINCT client, site, tube FROM surveys WHERE client = ?") +
                              (site ? " AND site = ?" : "") + " ORDER BY client, site, tube");
    q.bind(1, client);
    if (site)
        q.bind(2, *site);
    while (q.step())
        out.push_back({q.text(0), q.text(1), q.text(2)});
    return out;
}

std::map<TubeKey, TubeSettings> SurveyStore::allTubeSettings()
{
    std::map<TubeKey, TubeSettings> out;
    sql::Statement q(db_, "SELECT " + std::string(kTubeColumns) + ", client, site, tube FROM tubes");
    while (q.step())
        out[{q.text(kTubeColumnCount), q.text(kTubeColumnCount + 1), q.text(kTubeColumnCount + 2)}] =
            tubeSettingsOfRow(q);
    for (auto& [key, t] : out)
        readReportFields(key, t.report);
    return out;
}

bool SurveyStore::setTubeSettings(const TubeKey& tube, const TubeSettings& t)
{
    return setTubeSettings(tube, t, now(), "");
}

bool SurveyStore::writeTubeSettings(const TubeKey& tube, const TubeSettings& t, const std::string& changedAt,
                                    const std::string& how)
{
    const TubeSettings before = tubeSettings(tube);
    sql::Statement q(db_, "INSERT INTO tubes (client, site, tube, probe_constant, base_survey_id, units, "
                          "north, alert_mm, alarm_mm, alert_mm_per_day, alarm_mm_per_day, second_pass, "
                          "depth_reference, gauge_m, checksum_tolerance, changed_at, fixed_end, min_interval_days, "
                          "precision_mm, rate_unit, continued_from_id, easting, northing, reading_interval_days) "
                          "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
                          "ON CONFLICT (client, site, tube) "
                          "DO UPDATE SET probe_constant = excluded.probe_constant, base_survey_id = "
                          "excluded.base_survey_id, units = excluded.units, north = excluded.north, alert_mm = "
                          "excluded.alert_mm, alarm_mm = excluded.alarm_mm, alert_mm_per_day = excluded.alert_mm_per_day, "
                          "alarm_mm_per_day = excluded.alarm_mm_per_day, second_pass = excluded.second_pass, "
                          "depth_reference = excluded.depth_reference, gauge_m = excluded.gauge_m, "
                          "checksum_tolerance = excluded.checksum_tolerance, changed_at = excluded.changed_at, "
                          "fixed_end = excluded.fixed_end, min_interval_days = excluded.min_interval_days, "
                          "precision_mm = excluded.precision_mm, rate_unit = excluded.rate_unit, "
                          "continued_from_id = excluded.continued_from_id, easting = excluded.easting, "
                          "northing = excluded.northing, reading_interval_days = excluded.reading_interval_days");
    q.bind(1, tube.client).bind(2, tube.site).bind(3, tube.tube).bind(4, t.constant);
    t.baseId ? q.bind(5, t.baseId) : q.bindNull(5);
    q.bind(6, std::string_view(t.units == Units::Inches ? "in" : "mm"));
    q.bind(7, t.north);
    q.bind(8, t.alertMm);
    q.bind(9, t.alarmMm);
    q.bind(10, t.alertMmPerDay);
    q.bind(11, t.alarmMmPerDay);
    q.bind(12, std::int64_t(t.secondPass ? 1 : 0));
    q.bind(13, depthReferenceName(t.depthReference)).bind(14, t.gaugeM);
    q.bind(15, t.checksumTolerance);
    q.bind(16, changedAt.empty() ? now() : changedAt);
    q.bind(17, fixedEndName(t.fixedEnd)).bind(18, t.minIntervalDays).bind(19, t.precisionMm);
    q.bind(20, rateUnitWord(t.rateUnit));
    t.continuedFromId ? q.bind(21, t.continuedFromId) : q.bindNull(21);
    q.bind(22, t.easting).bind(23, t.northing).bind(24, t.readingIntervalDays);
    if (!q.run()) {
        error_ = db_.error();
        return false;
    }
    alarmsMayChange(tube);
    return writeReportFields(tube, t.report) && recordSettings(tube, before, t, how);
}

} // namespace tarvelon::surveys
