#include "shell/surveys_window.h"

#include "shell/survey_library.h"

#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QDateTime>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <QSplitter>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

namespace tarvelon {
namespace {

constexpr auto kScaleKey = "surveys/scaleFactor";
constexpr int kIdRole = Qt::UserRole;

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

QString depthText(int tenths)
{
    return qs(surveys::depthMetres(tenths));
}

QString readoutLabel(const surveys::Survey& s)
{
    return QStringLiteral("No. %1  %2").arg(qs(s.readout), qs(s.date));
}

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

void fillRow(QTableWidget* table, int row, const QStringList& cells)
{
    for (int c = 0; c < cells.size(); ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, c, item);
    }
}

} // namespace

SurveysWindow::SurveysWindow(SurveysWindowOptions options, QWidget* parent)
    : QWidget(parent, Qt::Window), libraryPath_(options.libraryPath.isEmpty() ? surveyLibraryPath() : options.libraryPath),
      settings_(options.settings)
{
    if (!settings_) {
        ownSettings_ = std::make_unique<QSettings>(QStringLiteral("Tarvelon Instruments"), QStringLiteral("Tarvelon Manager"));
        settings_ = ownSettings_.get();
    }
    setObjectName(QStringLiteral("Surveys"));
    setWindowTitle(QStringLiteral("Surveys"));
    buildUi();
    openLibrary();
    reload();
}

SurveysWindow::~SurveysWindow() = default;

void SurveysWindow::buildUi()
{
    auto* layout = new QVBoxLayout(this);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    layout->addWidget(status_);

    auto* split = new QSplitter(Qt::Horizontal, this);
    layout->addWidget(split, 1);
    tree_ = new QTreeWidget(split);
    tree_->setHeaderLabel(QStringLiteral("Surveys"));
    tree_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, &SurveysWindow::onSelectionChanged);

    auto* right = new QWidget(split);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    header_ = new QLabel(right);
    header_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    rightLayout->addWidget(header_);

    auto* tools = new QHBoxLayout;
    baseButton_ = new QPushButton(QStringLiteral("Mark as Base"), right);
    connect(baseButton_, &QPushButton::clicked, this, [this] {
        setBase(!chosen_.empty() && chosen_.back() != baseId_ ? chosen_.back() : 0);
    });
    tools->addWidget(baseButton_);
    tools->addWidget(new QLabel(QStringLiteral("Scale factor (mm per reading unit x m):"), right));
    scale_ = new QDoubleSpinBox(right);
    scale_->setRange(0, 1e6);
    scale_->setDecimals(5);
    scale_->setSpecialValueText(QStringLiteral("not set"));
    scale_->setValue(settings_->value(QLatin1String(kScaleKey), 0.0).toDouble());
    connect(scale_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        settings_->setValue(QLatin1String(kScaleKey), v);
        onSelectionChanged();
    });
    tools->addWidget(scale_);
    tools->addStretch(1);
    rightLayout->addLayout(tools);

    auto* vsplit = new QSplitter(Qt::Vertical, right);
    rightLayout->addWidget(vsplit, 1);
    tabs_ = new QTabWidget(vsplit);
    profilePage_ = new QWidget;
    auto* profileLayout = new QHBoxLayout(profilePage_);
    profileLayout->setContentsMargins(0, 0, 0, 0);
    QChartView* view = nullptr;
    profile_ = newChart(view, profilePage_);
    profileLayout->addWidget(view);
    cumulative_ = newChart(cumulativeView_, profilePage_);
    profileLayout->addWidget(cumulativeView_);
    tabs_->addTab(profilePage_, QStringLiteral("Profile"));

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
    tabs_->addTab(trendPage_, QStringLiteral("Trend"));

    table_ = new QTableWidget(vsplit);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setVisible(false);
    vsplit->setStretchFactor(0, 3);
    vsplit->setStretchFactor(1, 2);
    split->setStretchFactor(1, 3);
    split->setSizes({260, 840});

    auto* buttons = new QHBoxLayout;
    importButton_ = new QPushButton(QStringLiteral("Import..."), this);
    auto* importMenu = new QMenu(importButton_);
    importMenu->addAction(QStringLiteral("Export Files..."), this, [this] { chooseImport(false); });
    importMenu->addAction(QStringLiteral("Folder..."), this, [this] { chooseImport(true); });
    importButton_->setMenu(importMenu);
    auto* chartButton = new QPushButton(QStringLiteral("Export Chart..."), this);
    connect(chartButton, &QPushButton::clicked, this, &SurveysWindow::chooseChartExport);
    auto* tableButton = new QPushButton(QStringLiteral("Export Table..."), this);
    connect(tableButton, &QPushButton::clicked, this, &SurveysWindow::chooseTableExport);
    auto* closeButton = new QPushButton(QStringLiteral("Close"), this);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    for (QPushButton* b : {importButton_, chartButton, tableButton})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
    resize(1100, 720);
}

void SurveysWindow::openLibrary()
{
    if (!store_.open(QFile::encodeName(libraryPath_).toStdString()))
        openError_ = QStringLiteral("The survey library cannot be opened: ") + qs(store_.error());
    else if (store_.readOnly())
        openError_ = QStringLiteral("The survey library is read-only: ") + qs(store_.error());
    importButton_->setEnabled(store_.isOpen() && !store_.readOnly());
    tree_->setEnabled(store_.isOpen());
}

bool SurveysWindow::isReadOnly() const
{
    return !store_.isOpen() || store_.readOnly();
}

QString SurveysWindow::statusText() const
{
    return status_->text();
}

void SurveysWindow::reload()
{
    const std::vector<std::int64_t> keep = chosen_;
    const QSignalBlocker block(tree_);
    tree_->clear();
    items_.clear();
    cache_.clear();
    QTreeWidgetItem *client = nullptr, *site = nullptr, *tube = nullptr;
    for (const surveys::SurveySummary& s : store_.isOpen() ? store_.list() : std::vector<surveys::SurveySummary>{}) {
        const auto level = [](QTreeWidgetItem*& item, QTreeWidgetItem* parent, QTreeWidget* tree, const std::string& text) {
            if (item && item->text(0) == qs(text))
                return false;
            item = parent ? new QTreeWidgetItem(parent, {qs(text)}) : new QTreeWidgetItem(tree, {qs(text)});
            item->setFlags(Qt::ItemIsEnabled);
            return true;
        };
        if (level(client, nullptr, tree_, s.client))
            site = nullptr, client->setExpanded(true);
        if (level(site, client, nullptr, s.site))
            tube = nullptr, site->setExpanded(true);
        level(tube, site, nullptr, s.tube);
        auto* item = new QTreeWidgetItem(tube, {QStringLiteral("No. %1  %2").arg(qs(s.readout), qs(s.date))});
        item->setData(0, kIdRole, qlonglong(s.id));
        items_[s.id] = item;
    }
    if (baseId_ && !items_.count(baseId_))
        baseId_ = 0;
    if (baseId_) {
        QFont bold = items_[baseId_]->font(0);
        bold.setBold(true);
        items_[baseId_]->setFont(0, bold);
        items_[baseId_]->setText(0, items_[baseId_]->text(0) + QStringLiteral(" (base)"));
    }
    select(keep);
}

void SurveysWindow::select(const std::vector<std::int64_t>& ids)
{
    {
        const QSignalBlocker block(tree_);
        tree_->clearSelection();
        for (std::int64_t id : ids) {
            const auto it = items_.find(id);
            if (it == items_.end())
                continue;
            it->second->setSelected(true);
            it->second->parent()->setExpanded(true);
            tree_->setCurrentItem(it->second, 0, QItemSelectionModel::Select);
        }
    }
    onSelectionChanged();
}

void SurveysWindow::setBase(std::int64_t id)
{
    baseId_ = id;
    baseButton_->setText(id ? QStringLiteral("Clear Base") : QStringLiteral("Mark as Base"));
    reload();
}

void SurveysWindow::setScaleFactor(double mmPerUnitMetre)
{
    scale_->setValue(mmPerUnitMetre);
}

const surveys::Survey* SurveysWindow::cached(std::int64_t id)
{
    auto it = cache_.find(id);
    if (it == cache_.end()) {
        std::optional<surveys::Survey> s = store_.survey(id);
        if (!s)
            return nullptr;
        it = cache_.emplace(id, std::move(*s)).first;
    }
    return &it->second;
}

QString SurveysWindow::cumulativeUnit() const
{
    return scale_->value() > 0 ? QStringLiteral("mm") : QStringLiteral("reading units x m");
}

void SurveysWindow::onSelectionChanged()
{
    // Readouts of the current readout's tube only: profiles of different tubes say nothing
    // about each other.
    chosen_.clear();
    comparison_.reset();
    leftOutText_.clear();
    const QTreeWidgetItem* current = tree_->currentItem();
    if (current && !current->data(0, kIdRole).isValid()) {
        const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
        current = selected.isEmpty() ? nullptr : selected.back();
    }
    const surveys::Survey* shown = current ? cached(current->data(0, kIdRole).toLongLong()) : nullptr;
    if (shown) {
        for (QTreeWidgetItem* item : tree_->selectedItems())
            if (item != current && item->parent() == current->parent() && item->data(0, kIdRole).isValid())
                chosen_.push_back(item->data(0, kIdRole).toLongLong());
        chosen_.push_back(shown->id);
    }
    baseButton_->setEnabled(shown != nullptr);
    baseButton_->setText(shown && shown->id == baseId_ ? QStringLiteral("Clear Base") : QStringLiteral("Mark as Base"));

    std::vector<const surveys::Survey*> readouts;
    for (std::int64_t id : chosen_)
        if (const surveys::Survey* s = cached(id))
            readouts.push_back(s);
    const bool compared = shown && baseId_ && items_.count(baseId_) && items_[baseId_]->parent() == current->parent() &&
                          !(readouts.size() == 1 && shown->id == baseId_);
    if (!shown) {
        header_->clear();
        table_->clear();
        table_->setRowCount(0);
        table_->setColumnCount(0);
        drawProfiles({});
    } else if (compared) {
        readouts.erase(std::remove_if(readouts.begin(), readouts.end(),
                                      [this](const surveys::Survey* s) { return s->id == baseId_; }),
                       readouts.end());
        showHeader(*readouts.back());
        drawComparisons(readouts);
    } else {
        showHeader(*shown);
        showSurveyTable(*shown);
        drawProfiles(readouts);
    }
    drawTrend();
    updateStatus();
}

void SurveysWindow::showHeader(const surveys::Survey& s)
{
    const QString depth = s.depth ? QString::number(*s.depth, 'f', 1) + QStringLiteral(" m") : QStringLiteral("-");
    header_->setText(QStringLiteral("<table cellspacing=2>"
                                    "<tr><td><b>Client:</b> %1</td><td><b>Site:</b> %2</td><td><b>Tube:</b> %3</td>"
                                    "<td><b>Readout:</b> %4</td></tr>"
                                    "<tr><td><b>Depth:</b> %5</td><td><b>Step:</b> %6 m</td><td><b>Guides:</b> %7</td>"
                                    "<td><b>North:</b> %8</td></tr>"
                                    "<tr><td><b>Date:</b> %9</td><td><b>Time:</b> %10</td>"
                                    "<td colspan=2><b>Downloaded:</b> %11</td></tr></table>")
                         .arg(qs(s.client).toHtmlEscaped(), qs(s.site).toHtmlEscaped(), qs(s.tube).toHtmlEscaped(),
                              qs(s.readout).toHtmlEscaped(), depth, QString::number(s.step, 'f', 1),
                              qs(s.guides).toHtmlEscaped(), qs(s.north).toHtmlEscaped(), qs(s.date).toHtmlEscaped())
                         .arg(qs(s.time).toHtmlEscaped(), qs(s.downloadedAt).toHtmlEscaped()));
    header_->setToolTip(qs(s.headerFile) + QLatin1Char('\n') + qs(s.readingsFile));
}

void SurveysWindow::showSurveyTable(const surveys::Survey& s)
{
    int channels = 2;
    for (const surveys::SurveyRow& r : s.rows)
        for (int j = 0; j < surveys::kChannels; ++j)
            if (r.readings[size_t(j)])
                channels = std::max(channels, j + 1);
    QStringList labels{QStringLiteral("Depth (m)")};
    for (int j = 1; j <= channels; ++j)
        labels << QStringLiteral("Reading %1").arg(j);
    table_->setUpdatesEnabled(false);
    table_->clear();
    table_->setColumnCount(int(labels.size()));
    table_->setHorizontalHeaderLabels(labels);
    table_->setRowCount(int(s.rows.size()));
    for (int i = 0; i < int(s.rows.size()); ++i) {
        const surveys::SurveyRow& r = s.rows[size_t(i)];
        QStringList cells{depthText(r.depthTenths)};
        for (int j = 0; j < channels; ++j)
            cells << (r.readings[size_t(j)] ? QString::number(*r.readings[size_t(j)]) : QString());
        fillRow(table_, i, cells);
    }
    table_->resizeColumnsToContents();
    table_->setUpdatesEnabled(true);
}

void SurveysWindow::showComparisonTable(const surveys::Comparison& c)
{
    const double scale = scale_->value() > 0 ? scale_->value() : 1.0;
    const QString unit = cumulativeUnit();
    const QStringList labels{QStringLiteral("Depth (m)"), QStringLiteral("Base S1"),   QStringLiteral("Base S2"),
                             QStringLiteral("S1"),        QStringLiteral("S2"),        QStringLiteral("Change S1"),
                             QStringLiteral("Change S2"), QStringLiteral("Cumulative S1 (%1)").arg(unit),
                             QStringLiteral("Cumulative S2 (%1)").arg(unit)};
    table_->setUpdatesEnabled(false);
    table_->clear();
    table_->setColumnCount(int(labels.size()));
    table_->setHorizontalHeaderLabels(labels);
    table_->setRowCount(int(c.rows.size()));
    for (int i = 0; i < int(c.rows.size()); ++i) {
        const surveys::ComparisonRow& r = c.rows[size_t(i)];
        QStringList cells{depthText(r.depthTenths)};
        for (const auto* values : {&r.base, &r.reading, &r.change})
            cells << QString::number((*values)[0]) << QString::number((*values)[1]);
        for (double v : r.cumulative)
            cells << QString::number(v * scale, 'f', 2);
        fillRow(table_, i, cells);
    }
    table_->resizeColumnsToContents();
    table_->setUpdatesEnabled(true);
}

void SurveysWindow::drawProfiles(const std::vector<const surveys::Survey*>& readouts)
{
    std::vector<Curve> curves;
    for (const surveys::Survey* s : readouts)
        for (size_t j = 0; j < 2; ++j) {
            Curve c{QStringLiteral("%1 S%2").arg(qs(s->readout)).arg(j + 1), {}};
            for (const surveys::SurveyRow& r : s->rows)
                if (r.readings[j])
                    c.points.append(QPointF(double(*r.readings[j]), r.depthTenths / 10.0));
            curves.push_back(std::move(c));
        }
    fillChart(profile_, QStringLiteral("Profile"), QStringLiteral("Reading (reading units)"), curves);
    cumulativeView_->hide();
}

void SurveysWindow::drawComparisons(const std::vector<const surveys::Survey*>& readouts)
{
    const surveys::Survey* base = cached(baseId_);
    const double scale = scale_->value() > 0 ? scale_->value() : 1.0;
    std::vector<Curve> changes, sums;
    QStringList leftOut;
    for (const surveys::Survey* s : readouts) {
        surveys::Comparison c = surveys::compare(*base, *s);
        if (c.leftOut > 0)
            leftOut << QStringLiteral("%1 (%2)").arg(c.leftOut).arg(readoutLabel(*s));
        for (size_t j = 0; j < 2; ++j) {
            Curve change{QStringLiteral("%1 S%2").arg(qs(s->readout)).arg(j + 1), {}};
            Curve sum = change;
            for (const surveys::ComparisonRow& r : c.rows) {
                change.points.append(QPointF(double(r.change[j]), r.depthTenths / 10.0));
                sum.points.append(QPointF(r.cumulative[j] * scale, r.depthTenths / 10.0));
            }
            changes.push_back(std::move(change));
            sums.push_back(std::move(sum));
        }
        comparison_ = std::move(c); // the current readout's, which comes last
    }
    fillChart(profile_, QStringLiteral("Change since base %1").arg(readoutLabel(*base)),
              QStringLiteral("Change (reading units)"), changes);
    fillChart(cumulative_, QStringLiteral("Cumulative change from the bottom up"), cumulativeUnit(), sums);
    cumulativeView_->show();
    showComparisonTable(*comparison_);
    if (!leftOut.isEmpty())
        leftOutText_ = QStringLiteral("Depths left out of the comparison, not in both readouts: ") +
                       leftOut.join(QStringLiteral(", "));
}

void SurveysWindow::drawTrend()
{
    const surveys::Survey* s = chosen_.empty() ? nullptr : cached(chosen_.back());
    const QVariant keep = trendDepth_->currentData();
    {
        const QSignalBlocker block(trendDepth_);
        trendDepth_->clear();
        if (s)
            for (const surveys::SurveyRow& r : s->rows)
                trendDepth_->addItem(depthText(r.depthTenths), r.depthTenths);
        const int at = trendDepth_->findData(keep);
        trendDepth_->setCurrentIndex(at >= 0 ? at : 0);
    }
    trend_->removeAllSeries();
    if (!s || trendDepth_->count() == 0) {
        trend_->setTitle(QString());
        return;
    }
    const int depth = trendDepth_->currentData().toInt();
    trend_->setTitle(QStringLiteral("Tube %1 at %2 m").arg(qs(s->tube), depthText(depth)));
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
    for (const surveys::TrendPoint& p : store_.trend(s->client, s->site, s->tube, depth)) {
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

void SurveysWindow::showTrend(int depthTenths)
{
    tabs_->setCurrentWidget(trendPage_);
    const int at = trendDepth_->findData(depthTenths);
    if (at >= 0) {
        trendDepth_->setCurrentIndex(at);
        drawTrend();
    }
}

void SurveysWindow::updateStatus()
{
    QStringList lines;
    if (!openError_.isEmpty())
        lines << openError_;
    if (!leftOutText_.isEmpty())
        lines << leftOutText_;
    if (store_.isOpen() && items_.empty())
        lines << QStringLiteral("The library is empty: every complete download adds its survey, and \"Import...\" "
                                "adds export files already on disk.");
    status_->setText(lines.join(QLatin1Char('\n')));
    status_->setVisible(!lines.isEmpty());
}

surveys::ImportReport SurveysWindow::importPaths(const QStringList& paths)
{
    std::vector<std::string> files;
    for (const QString& p : paths)
        files.push_back(QFile::encodeName(p).toStdString());
    surveys::ImportReport report = surveys::importExportFiles(store_, files);
    reload();
    if (!report.addedIds.empty())
        select({report.addedIds.front()});
    return report;
}

void SurveysWindow::chooseImport(bool folder)
{
    QStringList paths;
    if (folder) {
        const QString dir = QFileDialog::getExistingDirectory(this, QStringLiteral("Import a Folder of Export Files"));
        if (!dir.isEmpty())
            paths << dir;
    } else {
        paths = QFileDialog::getOpenFileNames(this, QStringLiteral("Import Export Files"), QString(),
                                              QStringLiteral("Export files (*dat.dat *num.dat);;All files (*)"));
    }
    if (paths.isEmpty())
        return;
    const surveys::ImportReport r = importPaths(paths);
    QString text = QStringLiteral("Surveys added: %1\nAlready in the library: %2\nNot imported: %3")
                       .arg(r.added)
                       .arg(r.skipped)
                       .arg(r.failed);
    for (const std::string& line : r.messages)
        text += QLatin1Char('\n') + QString::fromLocal8Bit(line);
    QMessageBox::information(this, QStringLiteral("Import"), text);
}

QWidget* SurveysWindow::shownChart() const
{
    return tabs_->currentWidget();
}

bool SurveysWindow::exportChart(const QString& path, QString* error)
{
    QWidget* page = shownChart();
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
        svg.setTitle(windowTitle());
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

bool SurveysWindow::exportTable(const QString& path, QString* error)
{
    std::string csv;
    if (comparison_)
        csv = surveys::comparisonCsv(*comparison_, scale_->value());
    else if (const surveys::Survey* s = chosen_.empty() ? nullptr : cached(chosen_.back()))
        csv = surveys::surveyCsv(*s);
    QSaveFile file(path);
    if (csv.empty() || !file.open(QIODevice::WriteOnly) || file.write(csv.data(), qint64(csv.size())) != qint64(csv.size()) ||
        !file.commit()) {
        if (error)
            *error = csv.empty() ? QStringLiteral("No readout is chosen") : file.errorString();
        return false;
    }
    return true;
}

void SurveysWindow::chooseChartExport()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Export Chart"), QString(),
                                                      QStringLiteral("PNG picture (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)"));
    QString error;
    if (!path.isEmpty() && !exportChart(path, &error))
        QMessageBox::critical(this, QStringLiteral("Export Chart"), error);
}

void SurveysWindow::chooseTableExport()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Export Table"), QString(),
                                                      QStringLiteral("CSV table (*.csv)"));
    QString error;
    if (!path.isEmpty() && !exportTable(path, &error))
        QMessageBox::critical(this, QStringLiteral("Export Table"), error);
}

} // namespace tarvelon
