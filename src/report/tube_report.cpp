#include "report/tube_report.h"

#include "report/report_language.h"
#include "report/report_page.h"
#include "report/report_table.h"
#include "report/tube_charts.h"
#include "report/write_failure.h"
#include "analysis/corrections.h"

#include <QDate>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace tarvelon::report {
namespace {

using namespace page;

QString depthText(const std::optional<int>& tenths)
{
    return tenths ? localNumbers(qs(surveys::depthMetres(*tenths))) : QString();
}

class Report {
public:
    Report(const surveys::TubeResult& tube, const ReportOptions& options) : tube_(tube), options_(options) {}

    bool write(const QString& path, QString* error);

private:
    bool chosen(const surveys::Survey& s) const
    {
        return options_.readoutIds.empty() ||
               std::find(options_.readoutIds.begin(), options_.readoutIds.end(), s.id) != options_.readoutIds.end();
    }
    QString unit() const { return qs(surveys::unitName(tube_.settings.units)); }
    QString title() const
    {
        return options_.title.isEmpty() ? translate("Texts", "Inclinometer report") : options_.title;
    }
    QString date() const
    {
        return options_.reportDate.isEmpty() ? QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))
                                             : options_.reportDate;
    }
    ReportTable summary() const;
    ReportTable depthTable(const surveys::ReadoutResult& r) const;
    // The title block from `top`; returns where it ends.
    double titleBlock(QPainter& p, double top, bool measureOnly);
    void runningHeader(QPainter& p, int number, int count);
    void footer(QPainter& p, int number, int count);
    void profiles(QPainter& p, const QRectF& body);

    const surveys::TubeResult& tube_;
    const ReportOptions& options_;
    std::vector<ChartSpec> charts_;
};

ReportTable Report::summary() const
{
    const QString u = unit();
    ReportTable t{translate("Texts", "Summary"),
                  {},
                  {translate("Texts", "Readout"), translate("Texts", "Time"), translate("Texts", "Largest\n(%1)").arg(u),
                   translate("Texts", "at\n(m)"), translate("Texts", "Azimuth") + QStringLiteral("\n(\u00b0)"),
                   translate("Texts", "Rate\n(%1)").arg(qs(surveys::rateUnitName(tube_.settings))),
                   translate("Texts", "at\n(m)"), translate("Texts", "Threshold"), translate("Texts", "Note")},
                  {},
                  true,
                  {0},
                  {0, 1, 7}};
    t.rows.push_back({readoutName(*tube_.origin()), qs(tube_.origin()->time), QString(), QString(), QString(), QString(),
                      QString(), QString(), tube_.previousBase ? translate("Texts", "Previous base") : translate("Texts", "Base readout")});
    const auto length = [&](const std::optional<double>& mm) { return qs(surveys::lengthText(mm, tube_.settings.units)); };
    for (const surveys::ReadoutResult& r : tube_.readouts) {
        QString level = !r.notComputed().empty()           ? translate("Texts", "not computed")
                        : r.level == surveys::Level::Alarm ? translate("Texts", "ALARM")
                        : r.level == surveys::Level::Alert ? translate("Texts", "alert")
                                                           : QString();
        QStringList notes;
        QStringList criteria;
        for (const surveys::LevelCause& c : r.causes) {
            // The column names the criterion in a word; the note beside it says it whole.
            criteria << (c.criterion == surveys::Criterion::Rate ? translate("Texts", "rate", "criterion in a word")
                                                                 : translate("Texts", "displacement", "criterion in a word"));
            notes << qs(surveys::shownLevelWord(c.level)) + QStringLiteral(": ") + qs(surveys::shownCauseText(c, tube_.settings));
        }
        if (!criteria.isEmpty())
            level += QStringLiteral(" (%1)").arg(criteria.join(QStringLiteral(", ")));
        if (r.beforeBase)
            notes << translate("Texts", "before the base");
        if (tube_.previousBase && r.survey == tube_.base)
            notes << translate("Texts", "new base, carried on from the previous one");
        if (!r.probeChange.empty())
            notes << localNumbers(qs(r.probeChange.shown()));
        if (r.possibleBiasShift)
            notes << translate("Texts", "possible bias shift");
        if (const std::string applied = surveys::correctionsText(r.corrections); !applied.empty())
            notes << translate("Texts", "corrected: %1").arg(qs(applied));
        for (const surveys::Correction& c : r.corrections)
            if (const std::string why = surveys::insistedText(c); c.on && !why.empty())
                notes << translate("Texts", "%1 kept against the program's refusal because: %2")
                             .arg(qs(surveys::correctionName(c)), qs(why));
        if (!r.notComputed().empty())
            notes << translate("Texts", "not computed: %1").arg(localNumbers(qs(r.notComputed().shown())));
        else if (!r.displacement.reason.empty())
            notes << localNumbers(qs(r.displacement.reason.shown()));
        if (!chosen(*r.survey))
            notes << translate("Texts", "not in the charts");
        t.rows.push_back({readoutName(*r.survey), qs(r.survey->time), length(r.largestMm), depthText(r.largestDepthTenths),
                          r.largestAzimuth ? localNumber(*r.largestAzimuth, 'f', 0) : QString(),
                          qs(surveys::rateText(r.rateMmPerDay, tube_.settings)), depthText(r.rateDepthTenths), level,
                          notes.join(QStringLiteral("; "))});
    }
    localiseNumbers(t);
    return t;
}

ReportTable Report::depthTable(const surveys::ReadoutResult& r) const
{
    const QString u = unit();
    ReportTable t;
    t.title = translate("Texts", "Readout %1 at %2").arg(readoutName(*r.survey), qs(r.survey->time));
    if (!r.survey->complete())
        t.title += translate("Texts", " (incomplete)");
    if (!surveys::correctionsText(r.corrections).empty())
        t.title += translate("Texts", ", corrected");
    t.heads = QStringList{translate("Texts", "Depth\n(m)"),        translate("Texts", "A change\n(units)"),
                          translate("Texts", "B change\n(units)"), translate("Texts", "A incr.\n(%1)").arg(u),
                          translate("Texts", "B incr.\n(%1)").arg(u), translate("Texts", "A cum.\n(%1)").arg(u),
                          translate("Texts", "B cum.\n(%1)").arg(u),  translate("Texts", "Resultant\n(%1)").arg(u),
                          translate("Texts", "Azimuth") + QStringLiteral("\n(\u00b0)")};
    if (tube_.settings.secondPass) {
        // The minus sign stays out of the catalogue's texts, which are plain.
        const QString minus = QStringLiteral(" \u2212 ");
        t.heads << translate("Texts", "Sum A\n(units)") << translate("Texts", "Sum B\n(units)")
                << QLatin1Char('A') + minus + translate("Texts", "base\n(units)")
                << QLatin1Char('B') + minus + translate("Texts", "base\n(units)");
        // The checksums' means, their spread (±) and the base's, short enough to print whole.
        t.detail = translate("Texts", ", sums");
        for (size_t j = 0; j < 2; ++j) {
            const auto& c = r.displacement.checksums[j];
            t.detail += (QStringLiteral("%1 %2 %3\u00b1%4 (") + translate("Texts", "base %5") + QLatin1Char(')'))
                            .arg(j == 0 ? QString() : QStringLiteral(","))
                            .arg(j == 0 ? QLatin1Char('A') : QLatin1Char('B'))
                            .arg(qs(surveys::hundredths(c.mean)), qs(surveys::hundredths(c.spread)),
                                 qs(surveys::hundredths(r.displacement.baseChecksums[j].mean)));
        }
        t.detail = localNumbers(t.detail);
    }
    for (const surveys::DisplacementRow& row : r.displacement.rows) {
        QStringList cells;
        for (const std::string& cell : surveys::displacementCells(row, tube_.settings))
            cells << qs(cell);
        t.rows.push_back(cells);
    }
    localiseNumbers(t);
    return t;
}

double Report::titleBlock(QPainter& p, double top, bool measureOnly)
{
    const surveys::Survey& base = *tube_.base;
    const auto& t = tube_.settings;
    const auto& f = t.report;
    double y = top;
    const auto text = [&](const QFont& font, const QString& s, Qt::Alignment align, double x, double width) {
        const QFontMetricsF fm(font);
        const QRectF box(x, y, width, kHeight);
        const QRectF used = fm.boundingRect(box, int(align | Qt::TextWordWrap), s);
        if (!measureOnly) {
            p.setFont(font);
            p.drawText(box, int(align | Qt::TextWordWrap), s);
        }
        return used.height();
    };
    const double width = kWidth - 2 * kMargin;
    y += text(sized(16, true), title(), Qt::AlignHCenter, kMargin, width) + 2;
    if (!options_.company.isEmpty())
        y += text(sized(11), options_.company, Qt::AlignHCenter, kMargin, width) + 2;
    y += 6;

    // Fields in two columns, each a bold label and its value.
    const QString none = QStringLiteral("\u2014");
    const auto or_ = [&](const std::string& s) { return s.empty() ? none : qs(s); };
    QString project = or_(f.project);
    if (!f.projectNo.empty())
        project += translate("Texts", " (No. %1)").arg(qs(f.projectNo));
    size_t readoutsShown = 0, corrected = 0;
    QStringList corrections, probes;
    for (const surveys::ReadoutResult& r : tube_.readouts)
        if (!r.probeChange.empty())
            probes << translate("Texts", "No. %1: %2").arg(qs(surveys::readoutNumber(r.survey->readout)), localNumbers(qs(r.probeChange.shown())));
    for (const surveys::ReadoutResult& r : tube_.readouts)
        if (const std::string applied = surveys::correctionsText(r.corrections); !applied.empty()) {
            ++corrected;
            corrections << translate("Texts", "No. %1: %2").arg(qs(surveys::readoutNumber(r.survey->readout)), localNumbers(qs(applied)));
        }
    for (const surveys::ReadoutResult& r : tube_.readouts)
        readoutsShown += chosen(*r.survey) && r.displacement.compared ? 1 : 0;
    const std::pair<QString, QString> fields[] = {
        {translate("Texts", "Project"), project},
        {translate("Texts", "Client"), qs(base.client)},
        {translate("Texts", "Site"), qs(base.site)},
        {translate("Texts", "Tube"), qs(base.tube)},
        {translate("Texts", "Location"), or_(f.location)},
        {translate("Texts", "Casing top elevation"),
         f.topElevation ? localNumber(*f.topElevation, 'f', 3) + QStringLiteral(" m") : none},
        {translate("Texts", "Depth reference"),
         translate("Texts", "%1 wheel").arg(qs(surveys::depthReferenceName(t.depthReference)))},
        {translate("Texts", "Gauge length"), localNumber(t.gaugeM, 'g', 4) + QStringLiteral(" m")},
        {translate("Texts", "Probe serial"), or_(f.probeSerial)},
        {translate("Texts", "Probe constant K"), t.constant > 0 ? localNumber(t.constant, 'g', 10) : translate("Texts", "not set")},
        {translate("Texts", "North (A0)"), localNumbers(QStringLiteral("%1\u00b0").arg(surveys::northDegrees(base, t)))},
        {translate("Texts", "Units"), unit()},
        {translate("Texts", "Base readout"),
         (tube_.previousBase ? translate("Texts", "%1 at %2, carrying on from %3").arg(readoutName(base), qs(base.time),
                                                                                        readoutName(*tube_.previousBase))
                             : translate("Texts", "%1 at %2").arg(readoutName(base), qs(base.time)))},
        {translate("Texts", "Readouts"), translate("Texts", "%1, %2 in the charts").arg(tube_.readouts.size()).arg(readoutsShown)},
        {translate("Texts", "Corrections applied"), corrected == 0 ? translate("Texts", "none")
                                                : translate("Texts", "to %1 readouts, below").arg(corrected)},
        {translate("Texts", "Passes"), t.secondPass ? translate("Texts", "two (0° and 180°)") : translate("Texts", "one")},
        {translate("Texts", "Report date"), date()},
    };
    const QFont label = sized(kHeaderPoints, true), value = sized(kHeaderPoints);
    const QFontMetricsF fl(label);
    // The labels' column as wide as the widest label in the report's language, up to nearly half
    // a column; a longer one wraps, and its row grows with it.
    const double column = width / 2;
    double widest = 0;
    for (const auto& field : fields)
        widest = std::max(widest, fl.horizontalAdvance(field.first + QStringLiteral(": ")));
    const double labelWidth = std::min(widest, column * 0.45) + 2;
    for (size_t i = 0; i < std::size(fields); i += 2) {
        double h = 0;
        for (size_t k = 0; k < 2 && i + k < std::size(fields); ++k) {
            const double x = kMargin + double(k) * column;
            h = std::max(h, text(label, fields[i + k].first + QLatin1Char(':'), Qt::AlignLeft, x, labelWidth));
            h = std::max(h, text(value, fields[i + k].second, Qt::AlignLeft, x + labelWidth, column - labelWidth - 6));
        }
        y += std::max(h, fl.height()) + 1;
    }
    // Long texts across the page: the corrections per readout, the tube's warning, remarks.
    const std::pair<QString, QString> lines[] = {
        {translate("Texts", "Base:"), localNumbers(qs(surveys::carriedBaseText(tube_)))},
        {translate("Texts", "Corrections:"), corrections.join(QLatin1Char('\n'))},
        {translate("Texts", "Probes:"), probes.join(QLatin1Char('\n'))},
        {translate("Texts", "Thresholds:"), localNumbers(qs(surveys::thresholdsText(t)))},
        {translate("Texts", "Warning:"), localNumbers(qs(tube_.warning))},
        {translate("Texts", "Remarks:"), qs(f.remarks)},
    };
    for (const auto& [name, said] : lines) {
        if (said.isEmpty())
            continue;
        y += 3;
        text(label, name, Qt::AlignLeft, kMargin, labelWidth);
        y += text(value, said, Qt::AlignLeft, kMargin + labelWidth, width - labelWidth) + 1;
    }
    y += 6;
    const double sign = width / 2;
    for (int k = 0; k < 2; ++k) {
        const QString who = k == 0 ? options_.preparedBy : options_.checkedBy;
        const double x = kMargin + k * sign;
        text(label, k == 0 ? translate("Texts", "Prepared by:") : translate("Texts", "Checked by:"), Qt::AlignLeft, x, labelWidth);
        text(value, who, Qt::AlignLeft, x + labelWidth, sign - labelWidth - 6);
        if (!measureOnly) {
            p.setPen(QPen(Qt::black, 0.5));
            p.drawLine(QPointF(x + labelWidth, y + fl.height() + 1), QPointF(x + sign - 12, y + fl.height() + 1));
        }
    }
    y += fl.height() + 10;
    if (!measureOnly) {
        p.setPen(QPen(Qt::black, 0.8));
        p.drawLine(QPointF(kMargin, y - 4), QPointF(kWidth - kMargin, y - 4));
    }
    return y + 4;
}

void Report::runningHeader(QPainter& p, int, int)
{
    const surveys::Survey& base = *tube_.base;
    QString project = qs(tube_.settings.report.project);
    if (!tube_.settings.report.projectNo.empty())
        project += translate("Texts", " (No. %1)").arg(qs(tube_.settings.report.projectNo));
    const QString line1 = translate("Texts", "%1 — tube %2, %3, %4").arg(title(), qs(base.tube), qs(base.site),
                                                                        qs(base.client));
    const QString line2 = (project.isEmpty() ? QString() : project + QStringLiteral(" \u2014 ")) +
                          translate("Texts", "base %1, units %2, report of %3").arg(readoutName(base), unit(), date());
    page::drawRunningHeader(p, line1, line2);
}

void Report::footer(QPainter& p, int number, int count)
{
    page::drawFooter(p, translate("Texts", "Tube %1 — %2").arg(qs(tube_.base->tube), date()), number, count);
}

void Report::profiles(QPainter& p, const QRectF& body)
{
    // The notes of what is not compared once, under the four charts.
    const QString note = charts_[0].note;
    p.setFont(sized(kTablePoints));
    const double noteHeight =
        note.isEmpty() ? 0 : std::min(body.height() / 4, p.boundingRect(body, Qt::TextWordWrap, note).height() + 6);
    const double w = body.width() / 2, h = (body.height() - noteHeight) / 2;
    for (size_t i = 0; i < 4; ++i) {
        ChartSpec c = charts_[i];
        c.note.clear();
        drawChart(p, QRectF(body.left() + double(i % 2) * w, body.top() + double(i / 2) * h, w, h), c);
    }
    if (!note.isEmpty()) {
        p.setFont(sized(kTablePoints));
        p.setPen(QColor(0x80, 0x30, 0x00));
        p.drawText(QRectF(body.left(), body.bottom() - noteHeight + 6, body.width(), noteHeight - 6),
                   Qt::AlignLeft | Qt::TextWordWrap, note);
        p.setPen(Qt::black);
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
        return failed(qs(tube_.reason.shown()));
    // The charts draw the chosen readouts; the summary names every one.
    surveys::TubeResult shown = tube_;
    shown.readouts.clear();
    for (const surveys::ReadoutResult& r : tube_.readouts)
        if (chosen(*r.survey))
            shown.readouts.push_back(r);
    // A depth chosen for the plan is drawn there beside the top, and against time too.
    std::vector<int> depths = options_.historyDepths.empty() ? surveys::defaultHistoryDepths(shown) : options_.historyDepths;
    std::vector<int> planDepths;
    if (options_.planDepthTenths && tube_.base && !tube_.base->rows.empty()) {
        planDepths = {tube_.base->rows.front().depthTenths};
        if (*options_.planDepthTenths != planDepths.front())
            planDepths.push_back(*options_.planDepthTenths);
        if (std::find(depths.begin(), depths.end(), *options_.planDepthTenths) == depths.end())
            depths.push_back(*options_.planDepthTenths);
    }
    charts_ = tubeCharts(shown, depths, planDepths);

    QPdfWriter pdf(path);
    pdf.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b); // archives accept it: fonts embedded, no transparency
    pdf.setResolution(72);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    pdf.setTitle(translate("Texts", "%1, tube %2").arg(title(), qs(tube_.base->tube)));
    pdf.setCreator(QStringLiteral("Tarvelon Manager"));

    // Laid out first, so that every page knows how many there are.
    QPainter p;
    const double top = kMargin + kRunningHeader, bottom = kHeight - kMargin - 16;
    TableFlow flow(sized(kTablePoints), top, bottom, kMargin, kWidth - 2 * kMargin);
    const ReportTable sum = summary();
    const double firstTop = titleBlock(p, kMargin, true);
    const int chartsPage = flow.place({&sum}, 0, firstTop);
    const int timePage = chartsPage + 1;
    std::vector<ReportTable> depth;
    // The latest chosen readout compared, or every one on request.
    size_t latest = shown.readouts.size();
    for (size_t i = 0; i < shown.readouts.size(); ++i)
        if (shown.readouts[i].displacement.compared)
            latest = i;
    for (size_t i = 0; i < shown.readouts.size(); ++i)
        if (shown.readouts[i].displacement.compared && (options_.allTables || i == latest))
            depth.push_back(depthTable(shown.readouts[i]));
    std::vector<const ReportTable*> tables;
    for (const ReportTable& t : depth)
        tables.push_back(&t);
    const int count = std::max(timePage + 1, flow.place(tables, timePage + 1, top));

    if (!p.begin(&pdf))
        return failed(cannotBeWritten(path));
    const QRectF body(kMargin, top, kWidth - 2 * kMargin, bottom - top);
    for (int n = 0; n < count; ++n) {
        if (n > 0)
            pdf.newPage();
        if (n == 0)
            titleBlock(p, kMargin, false);
        else
            runningHeader(p, n + 1, count);
        footer(p, n + 1, count);
        if (n == chartsPage)
            profiles(p, body);
        if (n == timePage) {
            // The time chart across the page with its rate under it; the plan and the checksums side
            // by side under those.
            const double h = body.height() * 0.34, rate = body.height() * 0.2;
            drawChart(p, QRectF(body.left(), body.top(), body.width(), h), charts_[kTimeChart]);
            if (const ChartSpec* r = chartNamed(charts_, QStringLiteral("rate")))
                drawChart(p, QRectF(body.left(), body.top() + h, body.width(), rate), *r);
            const ChartSpec* checksums = chartNamed(charts_, QStringLiteral("checksums"));
            const double w = checksums ? body.width() / 2 : body.width() * 0.6, below = body.top() + h + rate;
            drawChart(p, QRectF(body.left(), below, w, body.bottom() - below), charts_[kPlanChart]);
            if (checksums)
                drawChart(p, QRectF(body.left() + w, below, w, body.bottom() - below), *checksums);
        }
        for (const TablePart& part : flow.parts())
            if (part.page == n)
                flow.draw(p, part);
    }
    return p.end() || failed(cannotBeWritten(path));
}

} // namespace

bool writeTubeReport(const QString& pdfPath, const surveys::TubeResult& tube, const ReportOptions& options,
                     QString* error)
{
    const ReportLanguage language(options.language);
    return Report(tube, options).write(pdfPath, error);
}

} // namespace tarvelon::report
