#pragma once
#include "report/chart.h"
#include "analysis/displacement.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The tube report for a client: A4 portrait pages, PDF/A-1b, fonts embedded. Page 1 holds the
// title block (the report's and the tube's particulars, corrections, remarks, who prepared and
// checked it) and the summary of every readout; the others a short running header. Then the
// A/B cumulative and incremental charts of the chosen readouts on one scale, the chart against
// time, and the depth tables of the latest chosen readout (or of every one), flowing several to a
// page with "(continued)" where one goes on.
// Needs QtGui only: a program without widgets renders it under the offscreen platform with a
// QGuiApplication.
namespace tarvelon::report {

struct ReportOptions {
    QString reportDate;             // as printed; today's date when empty
    std::vector<int> historyDepths; // the time chart's depths; the top and the largest change when empty
    std::optional<int> planDepthTenths; // the plan's depth beside the top (a base row's); the largest change when unset
    std::vector<std::int64_t> readoutIds; // the readouts the charts show (survey ids); all when empty
    bool allTables = false;         // a depth table for every chosen readout, not only the latest
    QString title;                  // "Inclinometer report" when empty
    QString company, preparedBy, checkedBy; // the program's, and whoever checks it
    QString language{};             // "en" or "it"; the program's when empty
};

// Readout numbers as typed: "01,04-07" gives 1, 4, 5, 6 and 7; nothing with why for a bad list.
std::optional<std::vector<int>> parseReadoutList(const QString& text, QString* error);

// False with why (no base, file not writable).
// Written in `options.language`, whatever the program's.
bool writeTubeReport(const QString& pdfPath, const surveys::TubeResult& tube, const ReportOptions& options,
                     QString* error);

// A PNG and an SVG of each chart: `pathBase` + "-a-cumulative.png", "-a-cumulative.svg" and so
// on, the PNG at `dpi`; the files written are added to `written`.
bool writeChartImages(const QString& pathBase, const std::vector<ChartSpec>& charts, QSize size,
                      QStringList* written, QString* error, int dpi = 96);

} // namespace tarvelon::report
