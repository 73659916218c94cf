#pragma once
#include <QColor>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>

#include <vector>

class QPainter;

// One chart as numbers and names, drawn by QPainter alike on the screen, in a PDF, a PNG or an
// SVG: the window and the report show the same picture.
namespace tarvelon::report {

struct ChartSeries {
    QString name;
    QColor color;
    QList<QPointF> points; // a point with a NaN coordinate breaks the line
    bool markers = false;
};

// A threshold: a line across the plot at `value` (and at -value when `bothSides`).
struct ChartLimit {
    QString name;
    double value = 0;
    QColor color;
    bool bothSides = false;
};

struct ChartSpec {
    QString title, xTitle, yTitle;
    QString fileName;        // for exports: "a-cumulative"
    bool depthDown = false;  // y is depth in metres, growing downwards
    bool timeAxis = false;   // x is days since 1970-01-01, labelled as dates
    std::vector<ChartSeries> series;
    std::vector<ChartLimit> limits; // vertical on depth charts, horizontal otherwise
    QString note;            // under the plot: what is not drawn and why
};

// Colours that do not repeat within 12 series.
QColor seriesColor(size_t index);

// The chart filling `area`: title, axes, the plot and its legend as a list beside it.
void drawChart(QPainter& painter, const QRectF& area, const ChartSpec& chart);

// By the name's suffix: .png, .svg or .pdf; `size` in pixels (points for PDF). False with why.
bool writeChart(const QString& path, const ChartSpec& chart, QSize size, QString* error);

} // namespace tarvelon::report
