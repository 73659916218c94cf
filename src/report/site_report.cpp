#include "report/site_report.h"

#include "report/report_language.h"
#include "report/report_page.h"
#include "report/site_plan.h"
#include "report/tube_charts.h"
#include "report/write_failure.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <map>

namespace tarvelon::report {
namespace {

using namespace page;

const surveys::TubeResult* resultOf(const surveys::Site& site, const surveys::TubeKey& key)
{
    for (const auto& t : site.tubes)
        if (t->key == key)
            return &t->result;
    return nullptr;
}

class SiteReport {
public:
    SiteReport(const surveys::Site& site, const SiteReportOptions& options) : site_(site), options_(options) {}
    bool write(const QString& path, QString* error);

private:
    QString date() const { return localDates(qs(surveys::isoDate(options_.today))); }
    double titleBlock(QPainter& p);
    void runningHeader(QPainter& p, const QString& second);
    void footer(QPainter& p, int number, int count);
    void tubePage(QPainter& p, const surveys::SiteRow& row, const QRectF& body);

    const surveys::Site& site_;
    const SiteReportOptions& options_;
};

double SiteReport::titleBlock(QPainter& p)
{
    const double width = kWidth - 2 * kMargin;
    double y = kMargin;
    p.setPen(Qt::black);
    p.setFont(sized(16, true));
    p.drawText(QRectF(kMargin, y, width, 20), Qt::AlignHCenter | Qt::AlignTop, translate("Texts", "Site report"));
    y += 22;
    p.setFont(sized(11));
    p.drawText(QRectF(kMargin, y, width, 14), Qt::AlignHCenter | Qt::AlignTop,
               QFontMetricsF(p.font()).elidedText(options_.title, Qt::ElideRight, width));
    y += 18;
    int alarms = 0, alerts = 0, overdue = 0;
    for (const surveys::SiteRow& r : site_.rows) {
        alarms += r.level == surveys::Level::Alarm ? 1 : 0;
        alerts += r.level == surveys::Level::Alert ? 1 : 0;
        overdue += r.overdue.value_or(false) ? 1 : 0;
    }
    p.setFont(sized(kHeaderPoints));
    p.drawText(QRectF(kMargin, y, width, 12), Qt::AlignLeft | Qt::AlignTop,
               translate("Texts", "%1 tubes: %2 in ALARM, %3 in ALERT, %4 overdue. Report date: %5.")
                   .arg(site_.rows.size())
                   .arg(alarms)
                   .arg(alerts)
                   .arg(overdue)
                   .arg(date()));
    y += 14;
    p.setPen(QPen(Qt::black, 0.8));
    p.drawLine(QPointF(kMargin, y), QPointF(kWidth - kMargin, y));
    return y + 4;
}

void SiteReport::runningHeader(QPainter& p, const QString& second)
{
    page::drawRunningHeader(p, translate("Texts", "Site report — %1").arg(options_.title), second);
}

void SiteReport::footer(QPainter& p, int number, int count)
{
    page::drawFooter(p, translate("Texts", "Site report — %1").arg(date()), number, count);
}

void SiteReport::tubePage(QPainter& p, const surveys::SiteRow& row, const QRectF& body)
{
    const surveys::TubeResult* tube = resultOf(site_, row.key);
    const surveys::SiteCells cells = surveys::shownSiteCells(row);
    // The tube's state in one line, its projection in the next.
    p.setPen(Qt::black);
    p.setFont(sized(kTablePoints));
    QString state = translate("Texts", "Latest readout %1 of %2").arg(qs(cells.readout), qs(cells.date));
    if (!cells.largest.empty())
        state += translate("Texts", "; largest %1 at %2 m").arg(qs(cells.largest), qs(cells.depth));
    if (!cells.rate.empty())
        state += translate("Texts", "; rate %1").arg(qs(cells.rate));
    state += translate("Texts", "; status: %1").arg(cells.status.empty() ? translate("Texts", "none reached") : qs(cells.status));
    state = localNumbers(localDates(state));
    const QString projection =
        row.projection
            ? translate("Texts", "Projection: %1").arg(localNumbers(localDates(qs(surveys::shownProjectionText(*row.projection, row.settings)))))
            : translate("Texts", "Projection: none (fewer than three readouts, or not rising)");
    const QRectF textBox(body.left(), body.top(), body.width(), 40);
    const double used = p.boundingRect(textBox, Qt::TextWordWrap, state + QLatin1Char('\n') + projection).height();
    p.drawText(textBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, state + QLatin1Char('\n') + projection);
    QRectF rest(body.left(), body.top() + used + 6, body.width(), body.height() - used - 6);
    if (!tube || !tube->base) {
        p.drawText(rest, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   translate("Texts", "Nothing compared: %1").arg(localNumbers(qs(row.reason.shown()))));
        return;
    }
    const std::vector<ChartSpec> charts = tubePageCharts(*tube, row);
    const double timeHeight = rest.height() * 0.36, rateHeight = rest.height() * 0.2;
    drawChart(p, QRectF(rest.left(), rest.top(), rest.width(), timeHeight), charts[0]);
    drawChart(p, QRectF(rest.left(), rest.top() + timeHeight, rest.width(), rateHeight), charts[1]);
    const double top = rest.top() + timeHeight + rateHeight, h = rest.bottom() - top;
    drawChart(p, QRectF(rest.left(), top, rest.width() / 2, h), charts[2]);
    drawChart(p, QRectF(rest.left() + rest.width() / 2, top, rest.width() / 2, h), charts[3]);
}

bool SiteReport::write(const QString& path, QString* error)
{
    const auto failed = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (site_.rows.empty())
        return failed(QCoreApplication::translate("Texts", "the site holds no tube"));
    QPdfWriter pdf(path);
    pdf.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
    pdf.setResolution(72);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    pdf.setTitle(translate("Texts", "Site report, %1").arg(options_.title));
    pdf.setCreator(QStringLiteral("Tarvelon Manager"));

    const double top = kMargin + kRunningHeader, bottom = kHeight - kMargin - 16;
    // Page 1: the plan under the title block, the table under the plan, flowing on.
    constexpr double kTitleBlock = 62, kPlanHeight = 330;
    const ReportTable table = siteTable(site_.rows);
    TableFlow flow(sized(kTablePoints), top, bottom, kMargin, kWidth - 2 * kMargin);
    const int tubesPage = flow.place({&table}, 0, kMargin + kTitleBlock + kPlanHeight + 6);
    const int count = tubesPage + int(site_.rows.size());

    QPainter p;
    if (!p.begin(&pdf))
        return failed(cannotBeWritten(path));
    const QRectF body(kMargin, top, kWidth - 2 * kMargin, bottom - top);
    for (int n = 0; n < count; ++n) {
        if (n > 0)
            pdf.newPage();
        footer(p, n + 1, count);
        if (n == 0) {
            const double y = titleBlock(p);
            drawSitePlan(p, QRectF(kMargin, y, kWidth - 2 * kMargin, kMargin + kTitleBlock + kPlanHeight - y),
                         sitePlan(site_.rows, options_.planDepthTenths), 8);
        }
        if (n >= tubesPage) {
            const surveys::SiteRow& row = site_.rows[size_t(n - tubesPage)];
            runningHeader(p, translate("Texts", "Tube %1, %2, %3").arg(qs(row.key.tube), qs(row.key.site), qs(row.key.client)));
            tubePage(p, row, body);
        } else if (n > 0) {
            runningHeader(p, translate("Texts", "Tubes (continued)"));
        }
        for (const TablePart& part : flow.parts())
            if (part.page == n)
                flow.draw(p, part);
    }
    return p.end() || failed(cannotBeWritten(path));
}

} // namespace

std::vector<ChartSpec> tubePageCharts(const surveys::TubeResult& tube, const surveys::SiteRow& row)
{
    const std::vector<ChartSpec> all = tubeCharts(tube);
    // The latest profile alone: the tube with its latest compared readout only.
    surveys::TubeResult latest = tube;
    latest.readouts.clear();
    if (row.latest && row.latest->displacement.compared)
        latest.readouts.push_back(*row.latest);
    std::vector<ChartSpec> profile = tubeCharts(latest);
    const ChartSpec* rate = chartNamed(all, QStringLiteral("rate"));
    return {all[kTimeChart], rate ? *rate : rateChart(tube), std::move(profile[0]), std::move(profile[1])};
}

namespace {

// The CSV's "yes" and "no" (the same whatever the language) in the report's words.
QString overdueWord(const std::string& overdue)
{
    if (overdue == "yes")
        return translate("Texts", "yes");
    if (overdue == "no")
        return translate("Texts", "no");
    return qs(overdue);
}

} // namespace

ReportTable siteTable(const std::vector<surveys::SiteRow>& rows)
{
    ReportTable t{translate("Texts", "Tubes"),
                  translate("Texts", ", the most alarming and fastest first"),
                  {translate("Texts", "Tube"), translate("Texts", "Readout"), translate("Texts", "Date"),
                   translate("Texts", "Days\nsince"), translate("Texts", "Over-\ndue"), translate("Texts", "Largest"),
                   translate("Texts", "at\n(m)"), translate("Texts", "Azimuth") + QStringLiteral("\n(\u00b0)"),
                   translate("Texts", "Rate"), translate("Texts", "Projected\nalarm"), translate("Texts", "Status")},
                  {},
                  true,
                  {},
                  {0, 2, 4}};
    for (const surveys::SiteRow& r : rows) {
        const surveys::SiteCells c = surveys::shownSiteCells(r);
        t.rows.push_back({qs(c.tube), qs(c.readout), qs(c.date), qs(c.daysSince), overdueWord(c.overdue),
                          qs(c.largest), qs(c.depth), qs(c.azimuth), qs(c.rate), qs(c.projected), qs(c.status)});
    }
    localiseNumbers(t);
    return t;
}

bool writeSiteReport(const QString& pdfPath, const surveys::Site& site, const SiteReportOptions& options, QString* error)
{
    const ReportLanguage language(options.language);
    return SiteReport(site, options).write(pdfPath, error);
}

} // namespace tarvelon::report
