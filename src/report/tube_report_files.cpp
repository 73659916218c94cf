// What the tube report's choices are typed as, and its charts as image files.
#include "report/tube_report.h"

#include <QCoreApplication>

namespace tarvelon::report {

std::optional<std::vector<int>> parseReadoutList(const QString& text, QString* error)
{
    std::vector<int> out;
    for (const QString& item : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList ends = item.trimmed().split(QLatin1Char('-'));
        bool ok1 = false, ok2 = true;
        const int from = ends.value(0).toInt(&ok1);
        const int to = ends.size() == 2 ? ends[1].toInt(&ok2) : from;
        if (ends.size() > 2 || !ok1 || !ok2 || from < 0 || to < from || to - from > 9999) {
            if (error)
                *error = QCoreApplication::translate("Texts", "\"%1\" is no readout number or range (such as 01,04-07)").arg(item.trimmed());
            return std::nullopt;
        }
        for (int n = from; n <= to; ++n)
            out.push_back(n);
    }
    if (out.empty()) {
        if (error)
            *error = QCoreApplication::translate("Texts", "no readout numbers in \"%1\"").arg(text);
        return std::nullopt;
    }
    return out;
}

bool writeChartImages(const QString& pathBase, const std::vector<ChartSpec>& charts, QSize size,
                      QStringList* written, QString* error, int dpi)
{
    for (const ChartSpec& c : charts)
        for (const char* suffix : {".png", ".svg"}) {
            const QString path = pathBase + QLatin1Char('-') + c.fileName + QLatin1String(suffix);
            if (!writeChart(path, c, size, error, dpi))
                return false;
            if (written)
                *written << path;
        }
    return true;
}

} // namespace tarvelon::report
