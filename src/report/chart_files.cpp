// A chart as a file of its own: a PNG at a chosen resolution, an SVG or a one-page PDF.
#include "report/chart.h"
#include "report/write_failure.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace tarvelon::report {

bool writeChart(const QString& path, const ChartSpec& chart, QSize size, QString* error, int dpi)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    const auto failed = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    QPainter painter;
    if (suffix == QLatin1String("png")) {
        if (dpi < 36 || dpi > 1200)
            return failed(QCoreApplication::translate("Texts", "A chart's resolution is 36 to 1200 dpi, not %1").arg(dpi));
        // The image says its resolution, so that text in points is drawn at its size in pixels.
        QImage image((QSizeF(size) * dpi / 96.0).toSize(), QImage::Format_ARGB32_Premultiplied);
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi / 0.0254));
        image.fill(Qt::white);
        if (!painter.begin(&image))
            return failed(cannotBeWritten(path));
        drawChart(painter, QRectF(QPointF(0, 0), QSizeF(image.size())), chart);
        painter.end();
        return image.save(path, "PNG") || failed(cannotBeWritten(path));
    }
    if (suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(chart.title);
        if (!painter.begin(&svg))
            return failed(cannotBeWritten(path));
        drawChart(painter, QRectF(QPointF(0, 0), QSizeF(size)), chart);
        return painter.end() || failed(cannotBeWritten(path));
    }
    if (suffix == QLatin1String("pdf")) {
        QPdfWriter pdf(path);
        pdf.setResolution(72);
        pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
        pdf.setPageMargins(QMarginsF());
        if (!painter.begin(&pdf))
            return failed(cannotBeWritten(path));
        drawChart(painter, QRectF(QPointF(0, 0), QSizeF(size)), chart);
        return painter.end() || failed(cannotBeWritten(path));
    }
    return failed(QCoreApplication::translate("Texts", "The chart is exported as .png, .svg or .pdf"));
}

} // namespace tarvelon::report
