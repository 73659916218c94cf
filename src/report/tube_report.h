#pragma once
#include "report/chart.h"
#include "surveys/displacement.h"

#include <QString>
#include <QStringList>

#include <vector>

// The tube report for a client: A4 portrait pages, each with the tube's header (client, site,
// tube, north, probe constant, base readout and date, units, date of the report, page n of m);
// the A/B cumulative and incremental charts, the chart against time, and a table per readout.
// Needs QtGui only: a program without widgets renders it under the offscreen platform with a
// QGuiApplication.
namespace tarvelon::report {

struct ReportOptions {
    QString reportDate;             // as printed; today's date when empty
    std::vector<int> historyDepths; // the time chart's depths; the top and the largest change when empty
};

// False with why (no base, file not writable).
bool writeTubeReport(const QString& pdfPath, const surveys::TubeResult& tube, const ReportOptions& options,
                     QString* error);

// A PNG and an SVG of each chart: `pathBase` + "-a-cumulative.png", "-a-cumulative.svg" and so
// on; the files written are added to `written`.
bool writeChartImages(const QString& pathBase, const std::vector<ChartSpec>& charts, QSize size,
                      QStringList* written, QString* error);

} // namespace tarvelon::report
