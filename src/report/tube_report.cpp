#include "report/tube_report.h"

#include "report/tube_charts.h"

#include <QDate>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace tarvelon::report {
namespace {

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

// One page of the report: the charts, the time chart with the summary, or part of a readout's table.
struct Page {
    enum Kind { Profiles, Time, Table } kind = Profiles;
    size_t readout = 0, firstRow = 0, rows = 0;
};

constexpr double kMargin = 36;     // points
constexpr double kHeaderHeight = 58;
constexpr double kRowHeight = 11;

QStringList tableHeads(const surveys::TubeResult& tube)
{
    const QString u = qs(surveys::unitName(tube.settings.units));
    QStringList heads{QStringLiteral("Depth (m)"),         QStringLiteral("A change"),
                      QStringLiteral("B change"),          QStringLiteral("A incr. (%1)").arg(u),
                      QStringLiteral("B incr. (%1)").arg(u), QStringLiteral("A cum. (%1)").arg(u),
                      QStringLiteral("B cum. (%1)").arg(u),  QStringLiteral("Resultant (%1)").arg(u),
                      QStringLiteral("Azimuth (deg)")};
    if (tube.settings.secondPass)
        heads << QStringLiteral("Sum A") << QStringLiteral("Sum B") << QStringLiteral("A - base") << QStringLiteral("B - base");
    return heads;
}

QStringList tableRow(const surveys::TubeResult& tube, const surveys::DisplacementRow& r)
{
    QStringList cells;
    for (const std::string& cell : surveys::displacementCells(r, tube.settings))
        cells << qs(cell);
    return cells;
}

class Report {
public:
    Report(const surveys::TubeResult& tube, const ReportOptions& options) : tube_(tube), options_(options) {}

    bool write(const QString& path, QString* error);

private:
    void header(QPainter& p, const QRectF& page, int number, int count);
    void profiles(QPainter& p, const QRectF& body);
    void time(QPainter& p, const QRectF& body);
    void table(QPainter& p, const QRectF& body, const Page& page);
    // Cells right-aligned in `widths` (the rest of the width for a last column of words).
    void drawRow(QPainter& p, double top, const std::vector<double>& widths, const QStringList& cells, bool bold);

    const surveys::TubeResult& tube_;
    const ReportOptions& options_;
    std::vector<ChartSpec> charts_;
};

void Report::header(QPainter& p, const QRectF& page, int number, int count)
{
    const surveys::Survey& base = *tube_.base;
    const auto& t = tube_.settings;
    QFont font = p.font();
    font.setPixelSize(9);
    p.setFont(font);
    const QString date = options_.reportDate.isEmpty() ? QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))
                                                       : options_.reportDate;
    const QString lines[] = {
        QStringLiteral("Client: %1    Site: %2    Tube: %3").arg(qs(base.client), qs(base.site), qs(base.tube)),
        QStringLiteral("North: %1 deg    Probe constant K: %2    Base readout: %3 at %4    Units: %5")
            .arg(surveys::northDegrees(base, t))
            .arg(t.constant > 0 ? QString::number(t.constant, 'g', 10) : QStringLiteral("not set"),
                 readoutName(base), qs(base.time), qs(surveys::unitName(t.units))),
        QStringLiteral("Report date: %1    Page %2 of %3").arg(date).arg(number).arg(count),
    };
    double y = page.top();
    QFont bold = font;
    bold.setBold(true);
    for (size_t i = 0; i < std::size(lines); ++i) {
        p.setFont(i == 0 ? bold : font);
        p.drawText(QRectF(page.left(), y, page.width(), 14), Qt::AlignLeft | Qt::AlignVCenter, lines[i]);
        y += 14;
    }
    p.setFont(font);
    p.setPen(QPen(Qt::black, 0.5));
    p.drawLine(QPointF(page.left(), y + 4), QPointF(page.right(), y + 4));
}

void Report::profiles(QPainter& p, const QRectF& body)
{
    const double w = body.width() / 2, h = body.height() / 2;
    for (size_t i = 0; i < 4; ++i)
        drawChart(p, QRectF(body.left() + double(i % 2) * w, body.top() + double(i / 2) * h, w, h), charts_[i]);
}

void Report::time(QPainter& p, const QRectF& body)
{
    const double chartHeight = body.height() * 0.45;
    drawChart(p, QRectF(body.left(), body.top(), body.width(), chartHeight), charts_[4]);
    double y = body.top() + chartHeight + 10;
    const std::vector<double> widths{95, 50, 70, 65, 50};
    drawRow(p, y, widths,
            {QStringLiteral("Readout"), QStringLiteral("Time"), QStringLiteral("Largest (%1)").arg(qs(surveys::unitName(tube_.settings.units))),
             QStringLiteral("Rate (%1/day)").arg(qs(surveys::unitName(tube_.settings.units))), QStringLiteral("Threshold"),
             QStringLiteral("Not computed")},
            true);
    for (const surveys::ReadoutResult& r : tube_.readouts) {
        y += kRowHeight;
        if (y > body.bottom() - kRowHeight)
            break;
        const QString level = r.level == surveys::Level::Alarm   ? QStringLiteral("ALARM")
                              : r.level == surveys::Level::Alert ? QStringLiteral("alert")
                                                                 : QString();
        std::string notes = r.displacement.reason;
        if (const std::string applied = surveys::correctionsText(r.corrections); !applied.empty())
            notes = "corrected: " + applied + (notes.empty() ? "" : "; " + notes);
        if (r.possibleBiasShift)
            notes = "possible bias shift" + (notes.empty() ? "" : "; " + notes);
        drawRow(p, y, widths,
                {readoutName(*r.survey), qs(r.survey->time), qs(surveys::lengthText(r.largestMm, tube_.settings.units)),
                 qs(surveys::lengthText(r.rateMmPerDay, tube_.settings.units)), level, qs(notes)},
                false);
    }
}

void Report::drawRow(QPainter& p, double top, const std::vector<double>& widths, const QStringList& cells, bool bold)
{
    QFont font = p.font();
    if (font.pixelSize() != 8 || font.bold() != bold) {
        font.setPixelSize(8);
        font.setBold(bold);
        p.setFont(font);
    }
    p.setPen(Qt::black);
    // Text at a point, placed by its advance: a table of thousands of cells is drawn without
    // laying out a box for each.
    const QFontMetricsF fm(p.font(), p.device());
    const double baseline = top + (kRowHeight + fm.ascent() - fm.descent()) / 2;
    double x = kMargin;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const bool words = size_t(i) >= widths.size();
        const double w = words ? 595 - kMargin - x : widths[size_t(i)];
        const QString text = words ? fm.elidedText(cells[i], Qt::ElideRight, w - 4) : cells[i];
        p.drawText(QPointF(words ? x + 2 : x + w - 2 - fm.horizontalAdvance(text), baseline), text);
        x += w;
    }
}

void Report::table(QPainter& p, const QRectF& body, const Page& page)
{
    const surveys::ReadoutResult& r = tube_.readouts[page.readout];
    QFont bold = p.font();
    bold.setPixelSize(10);
    bold.setBold(true);
    p.setFont(bold);
    QString title = readoutName(*r.survey) + QStringLiteral(" at ") + qs(r.survey->time);
    if (!r.survey->complete())
        title += QStringLiteral(" (incomplete)");
    if (tube_.settings.secondPass) {
        for (size_t j = 0; j < 2; ++j) {
            const auto& c = r.displacement.checksums[j];
            title += QStringLiteral("    sum %1: mean %2 (base %3), spread %4")
                         .arg(j == 0 ? QLatin1Char('A') : QLatin1Char('B'))
                         .arg(qs(surveys::hundredths(c.mean)), qs(surveys::hundredths(r.displacement.baseChecksums[j].mean)),
                              qs(surveys::hundredths(c.spread)));
        }
    }
    p.drawText(QRectF(body.left(), body.top(), body.width(), 14), Qt::AlignLeft | Qt::AlignVCenter, title);
    double y = body.top() + 16;
    std::string said = r.displacement.reason;
    if (const std::string applied = surveys::correctionsText(r.corrections); !applied.empty())
        said = "Corrected: " + applied + (said.empty() ? "" : ". " + said);
    if (r.possibleBiasShift)
        said = "Possible bias shift. " + said;
    if (!said.empty()) {
        QFont font = p.font();
        font.setPixelSize(8);
        font.setBold(false);
        p.setFont(font);
        const QRectF why(body.left(), y, body.width(), 24);
        p.drawText(why, Qt::AlignLeft | Qt::TextWordWrap, qs(said));
        y += 24;
    }
    if (!r.displacement.compared)
        return;
    const QStringList heads = tableHeads(tube_);
    const std::vector<double> widths(size_t(heads.size()), body.width() / double(heads.size()));
    drawRow(p, y, widths, heads, true);
    for (size_t i = page.firstRow; i < page.firstRow + page.rows; ++i) {
        y += kRowHeight;
        drawRow(p, y, widths, tableRow(tube_, r.displacement.rows[i]), false);
    }
}

bool Report::write(const QString& path, QString* error)
{
    const auto failed = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (!tube_.base)
        return failed(qs(tube_.reason));
    charts_ = tubeCharts(tube_, options_.historyDepths);

    QPdfWriter pdf(path);
    pdf.setResolution(72);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    pdf.setTitle(QStringLiteral("Tube %1 report").arg(qs(tube_.base->tube)));
    pdf.setCreator(QStringLiteral("Tarvelon Manager"));
    const QRectF page(kMargin, kMargin, 595 - 2 * kMargin, 842 - 2 * kMargin);
    const QRectF body(page.left(), page.top() + kHeaderHeight, page.width(), page.height() - kHeaderHeight);

    std::vector<Page> pages{{Page::Profiles}, {Page::Time}};
    const size_t perPage = size_t((body.height() - 16 - 24 - kRowHeight) / kRowHeight);
    for (size_t i = 0; i < tube_.readouts.size(); ++i) {
        const size_t rows = tube_.readouts[i].displacement.rows.size();
        for (size_t first = 0; first == 0 || first < rows; first += perPage)
            pages.push_back({Page::Table, i, first, std::min(perPage, rows - first)});
    }

    QPainter p;
    if (!p.begin(&pdf))
        return failed(QStringLiteral("%1 cannot be written").arg(path));
    for (size_t n = 0; n < pages.size(); ++n) {
        if (n > 0)
            pdf.newPage();
        header(p, page, int(n + 1), int(pages.size()));
        switch (pages[n].kind) {
        case Page::Profiles:
            profiles(p, body);
            break;
        case Page::Time:
            time(p, body);
            break;
        case Page::Table:
            table(p, body, pages[n]);
            break;
        }
    }
    return p.end() || failed(QStringLiteral("%1 cannot be written").arg(path));
}

} // namespace

bool writeTubeReport(const QString& pdfPath, const surveys::TubeResult& tube, const ReportOptions& options,
                     QString* error)
{
    return Report(tube, options).write(pdfPath, error);
}

bool writeChartImages(const QString& pathBase, const std::vector<ChartSpec>& charts, QSize size,
                      QStringList* written, QString* error)
{
    for (const ChartSpec& c : charts)
        for (const char* suffix : {".png", ".svg"}) {
            const QString path = pathBase + QLatin1Char('-') + c.fileName + QLatin1String(suffix);
            if (!writeChart(path, c, size, error))
                return false;
            if (written)
                *written << path;
        }
    return true;
}

} // namespace tarvelon::report
