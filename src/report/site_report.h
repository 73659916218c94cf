#pragma once
#include "library/site.h"
#include "report/chart.h"
#include "report/report_table.h"

#include <QString>

#include <optional>

// The site report: A4 portrait, PDF/A-1b, in the tube report's style. Page 1 holds the site's
// particulars, its plan and its table of tubes (flowing on when long); then one page per tube with
// its chart against time, its rate and its latest profile.
namespace tarvelon::report {

struct SiteReportOptions {
    QString title;                 // "client / site" as the first line names it
    double today = 0;              // days since 1970-01-01: the report's date
    std::optional<int> planDepthTenths; // the plan's arrows at this depth; each tube's top when unset
    QString language{};            // "en" or "it"; the program's when empty
};

// The site table as printed: one row per tube, in the rows' order.
ReportTable siteTable(const std::vector<surveys::SiteRow>& rows);

// What a tube's page draws: its chart against time, its rate, then A and B cumulative of its
// latest readout on one scale.
std::vector<ChartSpec> tubePageCharts(const surveys::TubeResult& tube, const surveys::SiteRow& row);

// False with why (nothing to report, file not writable).
bool writeSiteReport(const QString& pdfPath, const surveys::Site& site, const SiteReportOptions& options,
                     QString* error);

} // namespace tarvelon::report
