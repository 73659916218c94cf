#include "shell/surveys/site_view.h"

#include "report/site_plan.h"
#include "shell/surveys/survey_texts.h"
#include "shell/texts.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>

#include <set>

namespace tarvelon {

SitePlanView::SitePlanView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("sitePlan"));
    setMinimumSize(160, 100);
    setAutoFillBackground(true);
    setPalette(QPalette(Qt::white));
}

void SitePlanView::setRows(const std::vector<surveys::SiteRow>* rows, std::optional<int> depthTenths)
{
    rows_ = rows;
    depthTenths_ = depthTenths;
    update();
}

void SitePlanView::paintEvent(QPaintEvent*)
{
    if (!rows_)
        return;
    QPainter p(this);
    report::drawSitePlan(p, QRectF(rect()), report::sitePlan(*rows_, depthTenths_), font().pointSizeF());
}

SiteView::SiteView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("siteView"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* tools = new QHBoxLayout;
    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("siteHeading"));
    tools->addWidget(heading_, 1);
    tools->addWidget(new QLabel(Texts::tr("Arrows at depth (m):"), this));
    depth_ = new QComboBox(this);
    depth_->setObjectName(QStringLiteral("planDepth"));
    connect(depth_, &QComboBox::activated, this, [this] { drawPlan(); });
    tools->addWidget(depth_);
    report_ = new QPushButton(Texts::tr("Site &Report..."), this);
    report_->setObjectName(QStringLiteral("siteReport"));
    connect(report_, &QPushButton::clicked, this, &SiteView::reportAsked);
    tools->addWidget(report_);
    layout->addLayout(tools);

    auto* split = new QSplitter(Qt::Vertical, this);
    layout->addWidget(split, 1);
    table_ = new QTableWidget(split);
    table_->setObjectName(QStringLiteral("siteTable"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    table_->setMinimumHeight(80);
    table_->setColumnCount(11);
    table_->setHorizontalHeaderLabels({Texts::tr("Tube"), Texts::tr("Readout"), Texts::tr("Date"),
                                       Texts::tr("Days since"), Texts::tr("Overdue"), Texts::tr("Largest"),
                                       Texts::tr("at (m)"), Texts::tr("Azimuth (\u00b0)"), Texts::tr("Rate"),
                                       Texts::tr("Projected alarm"), Texts::tr("Status")});
    table_->horizontalHeader()->setStretchLastSection(true);
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (row >= 0 && size_t(row) < site_.rows.size())
            emit tubeOpened(site_.rows[size_t(row)].key);
    });
    plan_ = new SitePlanView(split);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
}

void SiteView::showSite(surveys::Site site, const QString& name)
{
    site_ = std::move(site);
    name_ = name;
    int alarms = 0, alerts = 0;
    for (const surveys::SiteRow& r : site_.rows) {
        alarms += r.level == surveys::Level::Alarm ? 1 : 0;
        alerts += r.level == surveys::Level::Alert ? 1 : 0;
    }
    heading_->setText(Texts::tr("<b>%1</b>: %n tube(s), %2 in ALARM, %3 in ALERT", nullptr, int(site_.rows.size()))
                          .arg(name.toHtmlEscaped())
                          .arg(alarms)
                          .arg(alerts));
    // The depths every tube was read at, for the arrows: the top by default.
    std::set<int> depths;
    for (const auto& t : site_.tubes)
        if (t->result.base)
            for (const surveys::SurveyRow& r : t->result.base->rows)
                depths.insert(r.depthTenths);
    const QVariant keep = depth_->currentData();
    {
        const QSignalBlocker block(depth_);
        depth_->clear();
        depth_->addItem(Texts::tr("top"), -1);
        for (int d : depths)
            depth_->addItem(qs(surveys::depthMetres(d)), d);
        depth_->setCurrentIndex(std::max(0, depth_->findData(keep)));
    }
    fillTable();
    drawPlan();
}

void SiteView::clear()
{
    site_ = {};
    table_->setRowCount(0);
    plan_->setRows(nullptr, std::nullopt);
}

void SiteView::fillTable()
{
    table_->setRowCount(int(site_.rows.size()));
    for (size_t i = 0; i < site_.rows.size(); ++i) {
        const surveys::SiteRow& r = site_.rows[i];
        const surveys::SiteCells c = surveys::shownSiteCells(r);
        const std::string cells[] = {c.tube,    c.readout, c.date,       c.daysSince, c.overdue,  c.largest,
                                     c.depth,   c.azimuth, c.rate,       c.projected, c.status};
        const QColor colour = report::levelColor(r.level, r.latest && r.latest->displacement.compared);
        for (int k = 0; k < 11; ++k) {
            // The tube, readout and date are names; the rest are numbers in the window's language.
            auto* item = new QTableWidgetItem(k >= 3 ? shownNumbers(qs(cells[k])) : qs(cells[k]));
            if (k >= 3 && k <= 8)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (k == 10 && r.level != surveys::Level::None)
                item->setForeground(colour);
            if (k == 4 && r.overdue.value_or(false))
                item->setForeground(QColor(0xd0, 0x00, 0x00));
            table_->setItem(int(i), k, item);
        }
        // The fit behind the date, or why there is none.
        table_->item(int(i), 9)->setToolTip(
            r.projection ? shownNumbers(qs(surveys::shownProjectionText(*r.projection, r.settings)))
                         : Texts::tr("No projection: fewer than three readouts hold a rate, or the displacement "
                                          "does not rise"));
        table_->item(int(i), 0)->setToolTip(qs(r.key.client + " / " + r.key.site + " / " + r.key.tube));
    }
    table_->resizeColumnsToContents();
}

void SiteView::drawPlan()
{
    const int d = depth_->currentData().toInt();
    plan_->setRows(&site_.rows, depth_->currentIndex() > 0 ? std::optional<int>(d) : std::nullopt);
}

} // namespace tarvelon
