#include "shell/surveys_window.h"

#include "shell/help_texts.h"
#include "shell/survey_charts.h"
#include "shell/survey_library.h"
#include "shell/survey_tables.h"
#include "shell/survey_texts.h"

#include <QBoxLayout>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QTableWidget>
#include <QTreeWidget>

#include <algorithm>

namespace tarvelon {
namespace {

constexpr auto kScaleKey = "surveys/scaleFactor";
constexpr int kIdRole = Qt::UserRole;

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
    applyHelpTexts(*this);
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
    auto* header = new QLabel(right);
    rightLayout->addWidget(header);

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
    charts_ = new SurveyCharts(store_, vsplit);
    tables_ = std::make_unique<SurveyTables>(header, new QTableWidget(vsplit));
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
    connect(chartButton, &QPushButton::clicked, this, [this] {
        chooseExport(QStringLiteral("Export Chart"),
                     QStringLiteral("PNG picture (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)"),
                     &SurveysWindow::exportChart);
    });
    auto* tableButton = new QPushButton(QStringLiteral("Export Table..."), this);
    connect(tableButton, &QPushButton::clicked, this, [this] {
        chooseExport(QStringLiteral("Export Table"), QStringLiteral("CSV table (*.csv)"), &SurveysWindow::exportTable);
    });
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

QTableWidget* SurveysWindow::table() const
{
    return tables_->table();
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
        auto* item = new QTreeWidgetItem(tube, {readoutLabel(s.readout, s.date)});
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

void SurveysWindow::onSelectionChanged()
{
    // Readouts of the current readout's tube only: profiles of different tubes say nothing
    // about each other.
    chosen_.clear();
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
                          !(readouts.size() == 1 && shown->id == baseId_) &&
                          // A base the library can no longer read leaves the profiles uncompared.
                          cached(baseId_) != nullptr;
    if (!shown) {
        tables_->clear();
        charts_->drawProfiles({});
    } else if (compared) {
        compareWithBase(std::move(readouts));
    } else {
        tables_->showSurvey(*shown);
        charts_->drawProfiles(readouts);
    }
    charts_->setTrendReadout(shown);
    updateStatus();
}

void SurveysWindow::compareWithBase(std::vector<const surveys::Survey*> readouts)
{
    readouts.erase(std::remove_if(readouts.begin(), readouts.end(),
                                  [this](const surveys::Survey* s) { return s->id == baseId_; }),
                   readouts.end());
    const surveys::Survey& base = *cached(baseId_);
    const std::vector<surveys::Comparison> comparisons = charts_->drawComparisons(base, readouts, scale_->value());
    tables_->showComparison(*readouts.back(), comparisons.back(), scale_->value());
    QStringList leftOut;
    for (size_t i = 0; i < readouts.size(); ++i)
        if (comparisons[i].leftOut > 0)
            leftOut << QStringLiteral("%1 (%2)").arg(comparisons[i].leftOut).arg(
                           readoutLabel(readouts[i]->readout, readouts[i]->date));
    if (!leftOut.isEmpty())
        leftOutText_ = QStringLiteral("Depths left out of the comparison, not in both readouts: ") +
                       leftOut.join(QStringLiteral(", "));
}

void SurveysWindow::showTrend(int depthTenths)
{
    charts_->showTrend(depthTenths);
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

bool SurveysWindow::exportChart(const QString& path, QString* error)
{
    return charts_->exportChart(path, windowTitle(), error);
}

bool SurveysWindow::exportTable(const QString& path, QString* error)
{
    return tables_->exportTable(path, error);
}

// Asks where, then writes there; the title names both the dialog and its failure message.
void SurveysWindow::chooseExport(const QString& title, const QString& filter,
                                 bool (SurveysWindow::*write)(const QString&, QString*))
{
    const QString path = QFileDialog::getSaveFileName(this, title, QString(), filter);
    QString error;
    if (!path.isEmpty() && !(this->*write)(path, &error))
        QMessageBox::critical(this, title, error);
}

} // namespace tarvelon
