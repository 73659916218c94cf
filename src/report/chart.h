#pragma once
#include <QColor>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>

#include <limits>
#include <optional>
#include <utility>
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
    Qt::PenStyle style = Qt::SolidLine;
    bool heavy = false;    // the latest readout, drawn thicker than the others
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
    // Depth charts: the precision band, shaded from -x to +x at each depth y (x in the chart's
    // units); a value within it is not told from noise.
    QList<QPointF> band;
    // The values' axis (x on depth charts, y otherwise) from lo to hi, as a set of charts
    // shares it; from the series when unset.
    std::optional<std::pair<double, double>> valueRange;
    double timeOrigin = std::numeric_limits<double>::quiet_NaN(); // time charts: ticks from this day on
    // A plan: x and y on one scale about 0 in a square plot, with an arrow to north drawn this
    // many degrees counterclockwise from the y axis (A0 up).
    std::optional<double> planNorth;
};

// The style of series `index`: twelve colours, then the same colours dashed, dotted and so on,
// so no two of 48 series look alike.
struct SeriesStyle {
    QColor color;
    Qt::PenStyle style;
};
SeriesStyle seriesStyle(size_t index);

// The range of values of `chart`'s series and thresholds along its values' axis, widened by a
// twentieth on each side so no line runs along the frame; nothing when it has no value.
std::optional<std::pair<double, double>> valueRangeOf(const ChartSpec& chart);

// Gives each chart of `charts` the range holding all of theirs: A and B drawn on one scale.
void shareValueRange(std::vector<ChartSpec*> charts);

// The series that `chart` draws, as the values at `depth` (or x on charts against time): one
// per drawn series, NaN where it has none. What a reader reads off the chart, for checks.
std::vector<double> valuesAt(const ChartSpec& chart, double at);

// Colours that do not repeat within 12 series.
QColor seriesColor(size_t index);

// The points of the chart's font for an area of `width` x `height` points: 8 to 11.
double chartPointSize(double width, double height);

// The chart filling `area`: title, axes, the plot and its legend as a list beside it.
void drawChart(QPainter& painter, const QRectF& area, const ChartSpec& chart);

// By the name's suffix: .png, .svg or .pdf; `size` in pixels at 96 dpi (points for PDF). A PNG
// at `dpi` is the same picture with dpi/96 times the pixels each way. False with why.
bool writeChart(const QString& path, const ChartSpec& chart, QSize size, QString* error, int dpi = 96);

} // namespace tarvelon::report
