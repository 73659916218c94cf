#include "shell/surveys/survey_charts.h"

#include "report/tube_charts.h"
#include "shell/surveys/chart_view.h"
#include "shell/surveys/survey_texts.h"
#include "shell/texts.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>

namespace tarvelon {
namespace {

QWidget* pair(ChartView* (&views)[2])
{
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    for (ChartView*& v : views) {
        v = new ChartView(page);
        layout->addWidget(v);
    }
    return page;
}

} // namespace

SurveyCharts::SurveyCharts(QWidget* parent) : QTabWidget(parent)
{
    addTab(pair(cumulative_), Texts::tr("Cumulative"));
    addTab(pair(incremental_), Texts::tr("Incremental"));
    timePage_ = new QWidget;
    auto* timeLayout = new QVBoxLayout(timePage_);
    timeLayout->setContentsMargins(0, 0, 0, 0);
    auto* tools = new QHBoxLayout;
    tools->addWidget(new QLabel(Texts::tr("Also at depth (m):"), timePage_));
    depth_ = new QComboBox(timePage_);
    depth_->setObjectName(QStringLiteral("timeDepth"));
    connect(depth_, &QComboBox::activated, this, [this] { drawTime(); });
    tools->addWidget(depth_);
    tools->addStretch(1);
    timeLayout->addLayout(tools);
    time_ = new ChartView(timePage_);
    timeLayout->addWidget(time_, 3);
    // The rate under the displacement, on the same dates, with its own thresholds.
    rate_ = new ChartView(timePage_);
    rate_->setObjectName(QStringLiteral("rateChart"));
    timeLayout->addWidget(rate_, 2);
    // The two share the height one chart had, so the window still fits a small screen.
    time_->setMinimumHeight(140);
    rate_->setMinimumHeight(100);
    addTab(timePage_, Texts::tr("Time", "the tab of the charts against time"));
    readings_ = new ChartView;
    addTab(readings_, Texts::tr("Readings"));
    clear();
}

void SurveyCharts::clear()
{
    tube_ = nullptr;
    compared_ = false;
    for (ChartView* v : {cumulative_[0], cumulative_[1], incremental_[0], incremental_[1], time_, rate_, readings_}) {
        v->setChart({});
        v->setPlaceholder(Texts::tr("Choose a readout in the tree"));
    }
    depth_->clear();
}

void SurveyCharts::drawTube(const surveys::TubeResult& tube)
{
    tube_ = &tube;
    compared_ = true;
    const std::vector<report::ChartSpec> charts = report::tubeCharts(tube, timeDepths());
    cumulative_[0]->setChart(charts[0]);
    cumulative_[1]->setChart(charts[1]);
    incremental_[0]->setChart(charts[2]);
    incremental_[1]->setChart(charts[3]);
    std::vector<const surveys::Survey*> readouts;
    for (const surveys::ReadoutResult& r : tube.readouts)
        readouts.push_back(r.survey);
    readings_->setChart(report::readingsChart(readouts));

    const QVariant keep = depth_->currentData();
    {
        const QSignalBlocker block(depth_);
        depth_->clear();
        depth_->addItem(QStringLiteral("-"), -1);
        if (tube.base)
            for (const surveys::SurveyRow& r : tube.base->rows)
                depth_->addItem(qs(surveys::depthText(r.depthTenths / 10.0 - surveys::topOffsetM(tube.settings))),
                                r.depthTenths);
        const int at = depth_->findData(keep);
        depth_->setCurrentIndex(at >= 0 ? at : 0);
    }
    time_->setChart(charts[report::kTimeChart]);
    rate_->setChart(*report::chartNamed(charts, QStringLiteral("rate")));
    if (currentWidget() == readings_)
        setCurrentIndex(0);
}

void SurveyCharts::drawReadings(const std::vector<const surveys::Survey*>& readouts)
{
    clear();
    for (ChartView* v : {cumulative_[0], cumulative_[1], incremental_[0], incremental_[1], time_, rate_})
        v->setPlaceholder(Texts::tr("No base readout: \"Mark as Base\" on one of the tube's readouts compares "
                                         "the others with it"));
    readings_->setChart(report::readingsChart(readouts));
    setCurrentWidget(readings_);
}

void SurveyCharts::showTime(int depthTenths)
{
    setCurrentWidget(timePage_);
    const int at = depth_->findData(depthTenths);
    if (at >= 0) {
        depth_->setCurrentIndex(at);
        drawTime();
    }
}

void SurveyCharts::drawTime()
{
    if (!tube_) {
        time_->setChart({});
        rate_->setChart({});
        return;
    }
    const std::vector<report::ChartSpec> charts = report::tubeCharts(*tube_, timeDepths());
    time_->setChart(charts[report::kTimeChart]);
    rate_->setChart(*report::chartNamed(charts, QStringLiteral("rate")));
}

std::vector<int> SurveyCharts::timeDepths() const
{
    std::vector<int> depths = surveys::defaultHistoryDepths(*tube_);
    const int extra = depth_->currentData().toInt();
    if (depth_->currentIndex() > 0 && std::find(depths.begin(), depths.end(), extra) == depths.end())
        depths.push_back(extra);
    return depths;
}

std::vector<report::ChartSpec> SurveyCharts::charts() const
{
    if (!compared_)
        return {readings_->chart()};
    return {cumulative_[0]->chart(), cumulative_[1]->chart(), incremental_[0]->chart(), incremental_[1]->chart(),
            time_->chart(), rate_->chart()};
}

bool SurveyCharts::exportChart(const QString& path, QString* error) const
{
    const ChartView* view = currentWidget() == timePage_ ? time_ : currentWidget() == readings_ ? readings_
                            : currentIndex() == 0                    ? cumulative_[0]
                                                                     : incremental_[0];
    const QSize size = view->size().expandedTo(QSize(640, 720));
    return report::writeChart(path, view->chart(), size, error);
}

} // namespace tarvelon
