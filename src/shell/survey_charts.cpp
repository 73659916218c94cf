#include "shell/survey_charts.h"

#include "shell/survey_texts.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>

namespace tarvelon {
namespace {

// The unit's "DD/MM/YY" and "hh:mm:ss"; a header without a real date (as the unit's default
// "DDMMYY") falls back to when the readout was downloaded.
QDateTime readoutTime(const std::string& date, const std::string& time, const std::string& downloadedAt)
{
    QDateTime t = QDateTime::fromString(qs(date) + QLatin1Char(' ') + qs(time), QStringLiteral("dd/MM/yy HH:mm:ss"));
    if (t.isValid() && t.date().year() < 1970)
        t = t.addYears(100);
    return t.isValid() ? t : QDateTime::fromString(qs(downloadedAt), Qt::ISODate);
}

struct Curve {
    QString name;
    QList<QPointF> points;
};

QString curveName(const surveys::Survey& s, size_t channel)
{
    return QStringLiteral("%1 S%2").arg(qs(s.readout)).arg(channel + 1);
}

// The chart's two value axes, made once: a chart that drops and adds axes keeps drawing the
// old ones.
std::pair<QValueAxis*, QValueAxis*> valueAxes(QChart* chart)
{
    const QList<QAbstractAxis*> across = chart->axes(Qt::Horizontal), down = chart->axes(Qt::Vertical);
    if (!across.isEmpty() && !down.isEmpty())
        return {static_cast<QValueAxis*>(across.front()), static_cast<QValueAxis*>(down.front())};
    auto* x = new QValueAxis;
    auto* y = new QValueAxis;
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    return {x, y};
}

// Readings across, depth downwards.
void fillChart(QChart* chart, const QString& title, const QString& across, const std::vector<Curve>& curves)
{
    chart->removeAllSeries();
    chart->setTitle(title);
    const auto [x, y] = valueAxes(chart);
    x->setTitleText(across);
    y->setTitleText(QStringLiteral("Depth (m)"));
    y->setReverse(true);
    double lo = 0, hi = 0, deepest = 0;
    bool any = false;
    for (const Curve& c : curves) {
        auto* series = new QLineSeries;
        series->setName(c.name);
        series->replace(c.points);
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
        for (const QPointF& p : c.points) {
            lo = any ? std::min(lo, p.x()) : p.x();
            hi = any ? std::max(hi, p.x()) : p.x();
            deepest = std::max(deepest, p.y());
            any = true;
        }
    }
    const double margin = std::max(1.0, (hi - lo) * 0.05);
    x->setRange(lo - margin, hi + margin);
    x->setTickCount(5);
    x->applyNiceNumbers();
    y->setRange(0, std::max(1.0, deepest));
    chart->legend()->setVisible(!curves.empty() && curves.size() <= 12);
    chart->legend()->setAlignment(Qt::AlignBottom);
}

QChart* newChart(QChartView*& view, QWidget* parent)
{
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(4, 4, 4, 4));
    view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(260, 260);
    return chart;
}

} // namespace

SurveyCharts::SurveyCharts(surveys::SurveyStore& store, QWidget* parent) : QTabWidget(parent), store_(store)
{
    auto* profilePage = new QWidget;
    auto* profileLayout = new QHBoxLayout(profilePage);
    profileLayout->setContentsMargins(0, 0, 0, 0);
    QChartView* view = nullptr;
    profile_ = newChart(view, profilePage);
    profileLayout->addWidget(view);
    cumulative_ = newChart(cumulativeView_, profilePage);
    profileLayout->addWidget(cumulativeView_);
    addTab(profilePage, QStringLiteral("Profile"));

    trendPage_ = new QWidget;
    auto* trendLayout = new QVBoxLayout(trendPage_);
    auto* trendTools = new QHBoxLayout;
    trendTools->addWidget(new QLabel(QStringLiteral("Depth (m):"), trendPage_));
    trendDepth_ = new QComboBox(trendPage_);
    connect(trendDepth_, &QComboBox::activated, this, [this] { drawTrend(); });
    trendTools->addWidget(trendDepth_);
    trendTools->addStretch(1);
    trendLayout->addLayout(trendTools);
    trend_ = newChart(view, trendPage_);
    trendLayout->addWidget(view, 1);
    addTab(trendPage_, QStringLiteral("Trend"));
}

void SurveyCharts::drawProfiles(const std::vector<const surveys::Survey*>& readouts)
{
    std::vector<Curve> curves;
    for (const surveys::Survey* s : readouts)
        for (size_t j = 0; j < 2; ++j) {
            Curve c{curveName(*s, j), {}};
            for (const surveys::SurveyRow& r : s->rows)
                if (r.readings[j])
                    c.points.append(QPointF(double(*r.readings[j]), r.depthTenths / 10.0));
            curves.push_back(std::move(c));
        }
    fillChart(profile_, QStringLiteral("Profile"), QStringLiteral("Reading (reading units)"), curves);
    cumulativeView_->hide();
}

std::vector<surveys::Comparison> SurveyCharts::drawComparisons(const surveys::Survey& base,
                                                               const std::vector<const surveys::Survey*>& readouts,
                                                               double mmPerUnitMetre)
{
    const double scale = cumulativeScale(mmPerUnitMetre);
    std::vector<surveys::Comparison> comparisons;
    std::vector<Curve> changes, sums;
    for (const surveys::Survey* s : readouts) {
        comparisons.push_back(surveys::compare(base, *s));
        for (size_t j = 0; j < 2; ++j) {
            Curve change{curveName(*s, j), {}};
            Curve sum = change;
            for (const surveys::ComparisonRow& r : comparisons.back().rows) {
                change.points.append(QPointF(double(r.change[j]), r.depthTenths / 10.0));
                sum.points.append(QPointF(r.cumulative[j] * scale, r.depthTenths / 10.0));
            }
            changes.push_back(std::move(change));
            sums.push_back(std::move(sum));
        }
    }
    fillChart(profile_, QStringLiteral("Change since base %1").arg(readoutLabel(base.readout, base.date)),
              QStringLiteral("Change (reading units)"), changes);
    fillChart(cumulative_, QStringLiteral("Cumulative change from the bottom up"), cumulativeUnit(mmPerUnitMetre),
              sums);
    cumulativeView_->show();
    return comparisons;
}

void SurveyCharts::setTrendReadout(const surveys::Survey* s)
{
    const QVariant keep = trendDepth_->currentData();
    {
        const QSignalBlocker block(trendDepth_);
        trendDepth_->clear();
        if (s) {
            client_ = s->client, site_ = s->site, tube_ = s->tube;
            for (const surveys::SurveyRow& r : s->rows)
                trendDepth_->addItem(depthText(r.depthTenths), r.depthTenths);
        }
        const int at = trendDepth_->findData(keep);
        trendDepth_->setCurrentIndex(at >= 0 ? at : 0);
    }
    drawTrend();
}

void SurveyCharts::showTrend(int depthTenths)
{
    setCurrentWidget(trendPage_);
    const int at = trendDepth_->findData(depthTenths);
    if (at >= 0) {
        trendDepth_->setCurrentIndex(at);
        drawTrend();
    }
}

// The chosen depth of the tube set by setTrendReadout; no depths means no readout.
void SurveyCharts::drawTrend()
{
    trend_->removeAllSeries();
    if (trendDepth_->count() == 0) {
        trend_->setTitle(QString());
        return;
    }
    const int depth = trendDepth_->currentData().toInt();
    trend_->setTitle(QStringLiteral("Tube %1 at %2 m").arg(qs(tube_), depthText(depth)));
    if (trend_->axes().isEmpty()) {
        auto* time = new QDateTimeAxis;
        time->setFormat(QStringLiteral("dd/MM/yy"));
        time->setTitleText(QStringLiteral("Readout date"));
        auto* value = new QValueAxis;
        value->setTitleText(QStringLiteral("Reading (reading units)"));
        trend_->addAxis(time, Qt::AlignBottom);
        trend_->addAxis(value, Qt::AlignLeft);
    }
    auto* x = static_cast<QDateTimeAxis*>(trend_->axes(Qt::Horizontal).front());
    auto* y = static_cast<QValueAxis*>(trend_->axes(Qt::Vertical).front());
    QLineSeries* series[2] = {new QLineSeries, new QLineSeries};
    double lo = 0, hi = 0;
    qint64 first = 0, last = 0;
    bool any = false;
    for (const surveys::TrendPoint& p : store_.trend(client_, site_, tube_, depth)) {
        const qint64 at = readoutTime(p.date, p.time, p.downloadedAt).toMSecsSinceEpoch();
        for (size_t j = 0; j < 2; ++j) {
            const auto& v = j == 0 ? p.reading1 : p.reading2;
            if (!v)
                continue;
            series[j]->append(double(at), double(*v));
            lo = any ? std::min(lo, double(*v)) : double(*v);
            hi = any ? std::max(hi, double(*v)) : double(*v);
            first = any ? std::min(first, at) : at;
            last = any ? std::max(last, at) : at;
            any = true;
        }
    }
    for (size_t j = 0; j < 2; ++j) {
        series[j]->setName(QStringLiteral("S%1").arg(j + 1));
        series[j]->setPointsVisible(true);
        trend_->addSeries(series[j]);
        series[j]->attachAxis(x);
        series[j]->attachAxis(y);
    }
    const qint64 day = 86400000;
    x->setRange(QDateTime::fromMSecsSinceEpoch(first - day), QDateTime::fromMSecsSinceEpoch(last + day));
    y->setRange(lo - std::max(1.0, (hi - lo) * 0.05), hi + std::max(1.0, (hi - lo) * 0.05));
    y->applyNiceNumbers();
}

bool SurveyCharts::exportChart(const QString& path, const QString& title, QString* error)
{
    QWidget* page = currentWidget();
    const QString suffix = QFileInfo(path).suffix().toLower();
    const auto failed = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (suffix == QLatin1String("png"))
        return page->grab().save(path, "PNG") || failed(QStringLiteral("%1 cannot be written").arg(path));
    QPainter painter;
    QSvgGenerator svg;
    QPdfWriter pdf(suffix == QLatin1String("pdf") ? path : QString());
    if (suffix == QLatin1String("svg")) {
        svg.setFileName(path);
        svg.setSize(page->size());
        svg.setViewBox(page->rect());
        svg.setTitle(title);
        if (!painter.begin(&svg))
            return failed(QStringLiteral("%1 cannot be written").arg(path));
    } else if (suffix == QLatin1String("pdf")) {
        pdf.setResolution(96);
        pdf.setPageSize(QPageSize(QSizeF(page->width() * 0.75, page->height() * 0.75), QPageSize::Point));
        pdf.setPageMargins(QMarginsF());
        if (!painter.begin(&pdf))
            return failed(QStringLiteral("%1 cannot be written").arg(path));
    } else {
        return failed(QStringLiteral("The chart is exported as .png, .svg or .pdf"));
    }
    page->render(&painter);
    painter.end();
    return true;
}

} // namespace tarvelon
