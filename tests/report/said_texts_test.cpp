// The analysis' reasons and notes follow the language of whoever shows them, a report's included,
// while the CSV files keep their English words byte for byte.
#include <gtest/gtest.h>

#include "analysis/proposal.h"
#include "analysis/site.h"
#include "report/report_language.h"

#include <functional>
#include <optional>

namespace tarvelon::surveys {
namespace {

Survey survey(std::int64_t id, const std::string& readout, double step, const std::string& serial)
{
    Survey s;
    s.id = id;
    s.client = "ACME";
    s.site = "Hill";
    s.tube = "T1";
    s.step = step;
    s.readout = readout;
    s.date = "01/03/24";
    s.time = "10:00:00";
    s.probeSerial = serial;
    for (int tenths = 10; tenths <= 40; tenths += int(step * 10))
        s.rows.push_back({tenths, {100, -20}});
    return s;
}

TEST(SaidTexts, ShownInTheReadersLanguageWrittenInEnglish)
{
    const Survey base = survey(1, "01", 0.5, "P1"), coarse = survey(2, "02", 1.0, "P1"),
                 otherProbe = survey(3, "03", 0.5, "P2");
    const TubeSettings settings;
    const TubeResult noBase = analyseTube(nullptr, {&base}, settings);
    const std::vector<SiteRow> rows = siteRows({{{"ACME", "Hill", "T1"}, &noBase}}, 19800);
    const std::vector<LevelCause> both{{Level::Alarm, Criterion::Displacement, 12, 10, 50},
                                       {Level::Alarm, Criterion::Rate, 1, 0.5, 50}};
    const Correction bias{CorrectionKind::Bias, 0, -2, "entered", {}, true};

    const struct {
        const char* what;
        std::function<std::string()> text;
        std::string english;
        std::optional<std::string> italian; // none: the same bytes in Italian
    } cases[] = {
        {"no base", [&] { return noBase.reason.shown(); }, "no base readout is chosen for the tube",
         "nessuna lettura di riferimento è scelta per il tubo"},
        {"steps differ", [&] { return displacement(base, coarse, settings).reason.shown(); },
         "taken at 1.0 m steps, the base at 0.5 m: not compared",
         "letta a passi di 1.0 m, il riferimento a 0.5 m: non confrontata"},
        {"site status", [&] { return shownSiteCells(rows.front()).status; },
         "not computed: no base readout is chosen for the tube",
         "non calcolata: nessuna lettura di riferimento è scelta per il tubo"},
        {"probe change", [&] { return probeChangeText(base, otherProbe, settings).shown(); },
         "probe changed since the base: read with P2, the base with P1",
         "sonda cambiata dal riferimento: letta con P2, il riferimento con P1"},
        {"corrections", [&] { return correctionsText({bias}); }, "bias A -2.00 units (entered)",
         "bias A -2.00 unità (entered)"},
        {"correction name", [&] { return correctionName({CorrectionKind::Rotation, 1, 0.5, "", {}, true}); },
         "rotation B", "rotazione B"},
        {"criteria", [&] { return shownCriteriaText(both); }, "displacement and rate",
         "spostamento e velocità di spostamento"},
        // What a script reads stays as it is.
        {"site CSV", [&] { return siteCsv(rows); },
         "client,site,tube,latest_readout,latest_date,days_since_latest,overdue,largest_mm,largest_depth_m,"
         "azimuth_deg,rate,rate_unit,status,criterion,projected_alarm_date\n"
         "ACME,Hill,T1,,,,,,,,,mm/day,not computed: no base readout is chosen for the tube,,\n",
         std::nullopt},
        {"stored reason", [&] { return displacement(base, coarse, settings).reason.english(); },
         "taken at 1.0 m steps, the base at 0.5 m: not compared", std::nullopt},
        {"criteria CSV", [&] { return criteriaText(both); }, "displacement and rate", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.text(), c.english);
        const report::ReportLanguage italian(QStringLiteral("it"));
        EXPECT_EQ(c.text(), c.italian.value_or(c.english));
    }
    // The thresholds' line is the report's: every word of it Italian, the figures as they are.
    const report::ReportLanguage italian(QStringLiteral("it"));
    const std::string thresholds = thresholdsText(settings);
    EXPECT_EQ(thresholds.rfind("attenzione ", 0), 0u) << thresholds;
    EXPECT_NE(thresholds.find("fascia di precisione ±"), std::string::npos) << thresholds;
    EXPECT_EQ(thresholds.find("alert"), std::string::npos) << thresholds;
}

} // namespace
} // namespace tarvelon::surveys
