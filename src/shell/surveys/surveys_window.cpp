#include "shell/surveys/surveys_window.h"

#include "report/tube_report.h"
#include "shell/help_texts.h"
#include "shell/surveys/survey_charts.h"
#include "shell/surveys/survey_library.h"
#include "shell/surveys/survey_tables.h"
#include "shell/surveys/survey_texts.h"
#include "shell/surveys/tube_settings_dialog.h"

#include <QBoxLayout>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTreeWidget>

#include <algorithm>
#include <set>

namespace tarvelon {
namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kLabelRole = Qt::UserRole + 1; // the readout's label without its marks

QString tubeLabel(const surveys::TubeKey& key, const surveys::TubeSettings& t)
{
    QString label = qs(key.tube);
    if (t.constant > 0)
        label += QStringLiteral("  (K %1, %2)").arg(t.constant, 0, 'g', 10).arg(qs(surveys::unitName(t.units)));
    return label;
}

bool hasThresholds(const surveys::TubeSettings& t)
{
    return t.alertMm || t.alarmMm || t.alertMmPerDay || t.alarmMmPerDay;
}

} // namespace

SurveysWindow::SurveysWindow(SurveysWindowOptions options, QWidget* parent)
    : QWidget(parent, Qt::Window),
      libraryPath_(options.libraryPath.isEmpty() ? surveyLibraryPath() : options.libraryPath),
      whenIdle_(std::move(options.whenIdle))
{
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
    tree_->setObjectName(QStringLiteral("surveyTree"));
    tree_->setHeaderLabel(QStringLiteral("Surveys"));
    tree_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tree_->setUniformRowHeights(true); // one height for every row: thousands are laid out at once
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, &SurveysWindow::onSelectionChanged);

    auto* right = new QWidget(split);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    auto* header = new QLabel(right);
    header->setObjectName(QStringLiteral("readoutHeader"));
    rightLayout->addWidget(header);

    auto* tools = new QHBoxLayout;
    baseButton_ = new QPushButton(QStringLiteral("Mark as Base"), right);
    baseButton_->setObjectName(QStringLiteral("markBase"));
    connect(baseButton_, &QPushButton::clicked, this, [this] {
        const bool isBase = !chosen_.empty() && chosen_.back() == settings_.baseId;
        setBase(isBase || chosen_.empty() ? 0 : chosen_.back());
    });
    settingsButton_ = new QPushButton(QStringLiteral("Tube Settings..."), right);
    settingsButton_->setObjectName(QStringLiteral("tubeSettings"));
    connect(settingsButton_, &QPushButton::clicked, this, [this] { whenIdle([this] { editTubeSettings(); }); });
    reportButton_ = new QPushButton(QStringLiteral("Report..."), right);
    reportButton_->setObjectName(QStringLiteral("report"));
    connect(reportButton_, &QPushButton::clicked, this, [this] {
        chooseExport(QStringLiteral("Tube Report"), QStringLiteral("PDF document (*.pdf)"), &SurveysWindow::writeReport);
    });
    for (QPushButton* b : {baseButton_, settingsButton_, reportButton_})
        tools->addWidget(b);
    tools->addStretch(1);
    rightLayout->addLayout(tools);

    auto* vsplit = new QSplitter(Qt::Vertical, right);
    rightLayout->addWidget(vsplit, 1);
    charts_ = new SurveyCharts(vsplit);
    tables_ = std::make_unique<SurveyTables>(header, new QTableWidget(vsplit));
    vsplit->setStretchFactor(0, 3);
    vsplit->setStretchFactor(1, 2);
    split->setStretchFactor(1, 3);
    split->setSizes({280, 820});

    auto* buttons = new QHBoxLayout;
    importButton_ = new QPushButton(QStringLiteral("Import..."), this);
    importButton_->setObjectName(QStringLiteral("import"));
    auto* importMenu = new QMenu(importButton_);
    importMenu->addAction(QStringLiteral("Export Files..."), this, [this] { chooseImport(false); });
    importMenu->addAction(QStringLiteral("Folder..."), this, [this] { chooseImport(true); });
    importButton_->setMenu(importMenu);
    auto* chartButton = new QPushButton(QStringLiteral("Export Charts..."), this);
    chartButton->setObjectName(QStringLiteral("exportCharts"));
    connect(chartButton, &QPushButton::clicked, this, [this] {
        chooseExport(QStringLiteral("Export Charts"),
                     QStringLiteral("PNG and SVG of each chart (*.png *.svg)"), &SurveysWindow::exportCharts);
    });
    auto* tableButton = new QPushButton(QStringLiteral("Export Table..."), this);
    tableButton->setObjectName(QStringLiteral("exportTable"));
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
    resize(1100, 760);
}

void SurveysWindow::openLibrary()
{
    if (!store_.open(QFile::encodeName(libraryPath_).toStdString()))
        openError_ = QStringLiteral("The survey library cannot be opened: ") + qs(store_.error());
    else if (store_.readOnly())
        openError_ = QStringLiteral("The survey library is read-only: ") + qs(store_.error());
    importButton_->setEnabled(!isReadOnly());
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

void SurveysWindow::whenIdle(std::function<void()> task)
{
    if (whenIdle_)
        whenIdle_(std::move(task));
    else
        task();
}

void SurveysWindow::reload()
{
    const std::vector<std::int64_t> keep = chosen_;
    const QSignalBlocker block(tree_);
    tree_->clear();
    items_.clear();
    tubeOf_.clear();
    levels_.clear();
    bases_.clear();
    marked_.clear();
    tube_.reset(); // read again: another program may have changed it
    const std::vector<surveys::SurveySummary> list = store_.isOpen() ? store_.list() : std::vector<surveys::SurveySummary>{};
    const std::map<surveys::TubeKey, surveys::TubeSettings> tubes =
        store_.isOpen() ? store_.allTubeSettings() : std::map<surveys::TubeKey, surveys::TubeSettings>{};
    // The items are built apart from the tree and handed to it at once: one insertion for the
    // whole library instead of one per readout.
    QList<QTreeWidgetItem*> clients;
    QTreeWidgetItem *client = nullptr, *site = nullptr, *tube = nullptr;
    std::optional<surveys::TubeKey> lastTube;
    for (const surveys::SurveySummary& s : list) {
        const surveys::TubeKey key{s.client, s.site, s.tube};
        if (!client || client->text(0) != qs(s.client)) {
            client = new QTreeWidgetItem(QStringList{qs(s.client)});
            client->setFlags(Qt::ItemIsEnabled);
            clients << client;
            site = nullptr;
        }
        if (!site || site->text(0) != qs(s.site)) {
            site = new QTreeWidgetItem(client, {qs(s.site)});
            site->setFlags(Qt::ItemIsEnabled);
            lastTube.reset();
        }
        if (lastTube != key) {
            const auto t = tubes.find(key);
            tube = new QTreeWidgetItem(site, {tubeLabel(key, t == tubes.end() ? surveys::TubeSettings{} : t->second)});
            tube->setFlags(Qt::ItemIsEnabled);
            lastTube = key;
        }
        auto* item = new QTreeWidgetItem(tube, {readoutLabel(s.readout, s.date, s.time)});
        item->setData(0, kIdRole, qlonglong(s.id));
        item->setData(0, kLabelRole, item->text(0));
        if (!s.complete) {
            QFont italic = item->font(0);
            italic.setItalic(true);
            item->setFont(0, italic);
            item->setText(0, item->text(0) + QStringLiteral(" (incomplete)"));
            item->setData(0, kLabelRole, item->text(0));
            item->setToolTip(0, QStringLiteral("Rows of this readout were not read; a whole download or import of it "
                                               "completes it"));
        }
        items_[s.id] = item;
        tubeOf_[s.id] = key;
    }
    tree_->addTopLevelItems(clients);
    for (QTreeWidgetItem* c : clients) {
        c->setExpanded(true);
        for (int i = 0; i < c->childCount(); ++i)
            c->child(i)->setExpanded(true);
    }
    // Tubes with thresholds are compared at once, so the tree flags the readouts that cross them.
    for (const auto& [key, t] : tubes) {
        if (t.baseId)
            bases_.insert(t.baseId);
        if (!hasThresholds(t) || !t.baseId || !items_.count(t.baseId))
            continue;
        const std::vector<surveys::Survey> all = store_.tubeSurveys(key);
        for (const surveys::ReadoutResult& r : surveys::analyseTube(all, t).readouts)
            if (r.level != surveys::Level::None)
                levels_[r.survey->id] = r.level;
    }
    markReadouts();
    select(keep);
}

// The base in bold, and the threshold each readout reached; only readouts whose marks change
// are touched, so a library of thousands of readouts is not walked at every choice.
void SurveysWindow::markReadouts()
{
    std::set<std::int64_t> want(bases_);
    for (const auto& [id, level] : levels_)
        if (level != surveys::Level::None)
            want.insert(id);
    std::set<std::int64_t> touch(marked_);
    touch.insert(want.begin(), want.end());
    for (std::int64_t id : touch) {
        const auto found = items_.find(id);
        if (found == items_.end())
            continue;
        QTreeWidgetItem* item = found->second;
        QString text = item->data(0, kLabelRole).toString();
        const bool base = bases_.count(id) > 0;
        QFont font = item->font(0);
        font.setBold(base);
        item->setFont(0, font);
        const auto level = levels_.find(id);
        if (level != levels_.end() && level->second != surveys::Level::None) {
            const bool alarm = level->second == surveys::Level::Alarm;
            text += alarm ? QStringLiteral("  ALARM") : QStringLiteral("  ALERT");
            item->setForeground(0, alarm ? QColor(0xc0, 0, 0) : QColor(0xb0, 0x60, 0));
        } else {
            item->setForeground(0, palette().text());
        }
        if (base)
            text += QStringLiteral(" (base)");
        if (item->text(0) != text)
            item->setText(0, text);
    }
    marked_ = std::move(want);
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

void SurveysWindow::loadTube(const surveys::TubeKey& key)
{
    if (tube_ == key)
        return;
    tube_ = key;
    tubeSurveys_ = store_.tubeSurveys(key);
    settings_ = store_.tubeSettings(key);
}

void SurveysWindow::onSelectionChanged()
{
    // Readouts of the current readout's tube only: profiles of different tubes say nothing
    // about each other.
    chosen_.clear();
    reasons_.clear();
    const QTreeWidgetItem* current = tree_->currentItem();
    if (current && !current->data(0, kIdRole).isValid()) {
        const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
        current = selected.isEmpty() ? nullptr : selected.back();
    }
    const std::int64_t currentId = current ? current->data(0, kIdRole).toLongLong() : 0;
    if (currentId && tubeOf_.count(currentId))
        loadTube(tubeOf_[currentId]);
    std::set<std::int64_t> picked;
    for (QTreeWidgetItem* item : tree_->selectedItems())
        if (current && item->parent() == current->parent() && item->data(0, kIdRole).isValid())
            picked.insert(item->data(0, kIdRole).toLongLong());
    if (currentId)
        picked.insert(currentId);
    std::vector<const surveys::Survey*> readouts;
    const surveys::Survey *shown = nullptr, *base = nullptr;
    for (const surveys::Survey& s : tubeSurveys_) {
        if (picked.count(s.id))
            readouts.push_back(&s);
        if (s.id == currentId)
            shown = &s;
        if (s.id == settings_.baseId)
            base = &s;
    }
    for (const surveys::Survey* s : readouts)
        if (s != shown)
            chosen_.push_back(s->id);
    if (shown)
        chosen_.push_back(shown->id);

    const bool onlyBase = readouts.size() == 1 && shown == base;
    result_ = {};
    if (!shown) {
        tables_->clear();
        charts_->clear();
    } else if (!base || onlyBase) {
        tables_->showSurvey(*shown);
        charts_->drawReadings(readouts);
        if (!base)
            reasons_ << QStringLiteral("No base readout for tube %1: \"Mark as Base\" on one of its readouts compares "
                                       "the others with it in millimetres.")
                            .arg(qs(shown->tube));
    } else {
        result_ = surveys::analyseTube(base, readouts, settings_);
        charts_->drawTube(result_);
        const auto it = std::find_if(result_.readouts.begin(), result_.readouts.end(),
                                     [shown](const surveys::ReadoutResult& r) { return r.survey == shown; });
        if (it != result_.readouts.end())
            tables_->showDisplacement(*it, result_);
        else
            tables_->showSurvey(*shown);
        for (const surveys::ReadoutResult& r : result_.readouts) {
            if (!r.displacement.reason.empty())
                reasons_ << readoutLabel(r.survey->readout, r.survey->date, r.survey->time) + QStringLiteral(": ") +
                                qs(r.displacement.reason);
            if (r.level != surveys::Level::None)
                levels_[r.survey->id] = r.level;
            else
                levels_.erase(r.survey->id);
        }
    }
    markReadouts();
    const bool writable = !isReadOnly() && shown;
    baseButton_->setEnabled(writable);
    baseButton_->setText(shown && shown == base ? QStringLiteral("Clear Base") : QStringLiteral("Mark as Base"));
    settingsButton_->setEnabled(writable);
    reportButton_->setEnabled(base != nullptr);
    updateStatus();
}

void SurveysWindow::setBase(std::int64_t id)
{
    const auto key = id ? tubeOf_.find(id) : tubeOf_.end();
    if (id && key == tubeOf_.end())
        return;
    const surveys::TubeKey tube = id ? key->second : tube_.value_or(surveys::TubeKey{});
    surveys::TubeSettings t = store_.tubeSettings(tube);
    t.baseId = id;
    setTubeSettings(tube, t);
}

bool SurveysWindow::setTubeSettings(const surveys::TubeKey& tube, const surveys::TubeSettings& settings)
{
    const bool ok = store_.setTubeSettings(tube, settings);
    actionError_ = ok ? QString() : QStringLiteral("The tube's settings cannot be kept: ") + qs(store_.error());
    reload();
    return ok;
}

void SurveysWindow::editTubeSettings()
{
    if (!tube_)
        return;
    const surveys::TubeKey key = *tube_;
    TubeSettingsDialog dialog(key, store_.tubeSettings(key), this);
    if (dialog.exec() == QDialog::Accepted)
        setTubeSettings(key, dialog.settings());
}

void SurveysWindow::showTrend(int depthTenths)
{
    charts_->showTime(depthTenths);
}

void SurveysWindow::updateStatus()
{
    QStringList lines;
    if (!openError_.isEmpty())
        lines << openError_;
    if (!actionError_.isEmpty())
        lines << actionError_;
    lines << reasons_;
    if (store_.isOpen() && items_.empty())
        lines << QStringLiteral("The library is empty: every download adds its survey, and \"Import...\" "
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
    whenIdle([this, folder] {
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
            text += QLatin1Char('\n') + qs(line);
        // The box too waits for an operation started while the file box was open.
        whenIdle([this, text] { QMessageBox::information(this, QStringLiteral("Import"), text); });
    });
}

bool SurveysWindow::exportChart(const QString& path, QString* error)
{
    return charts_->exportChart(path, error);
}

bool SurveysWindow::exportCharts(const QString& pathBase, QString* error)
{
    QString base = pathBase;
    for (const QString& suffix : {QStringLiteral(".png"), QStringLiteral(".svg")})
        if (base.endsWith(suffix, Qt::CaseInsensitive))
            base.chop(suffix.size());
    return report::writeChartImages(base, charts_->charts(), QSize(800, 900), nullptr, error);
}

bool SurveysWindow::exportTable(const QString& path, QString* error)
{
    return tables_->exportTable(path, error);
}

bool SurveysWindow::writeReport(const QString& path, QString* error)
{
    // The whole tube, whatever is chosen: the report is what goes to the client.
    const surveys::TubeResult tube =
        tube_ ? surveys::analyseTube(tubeSurveys_, settings_) : surveys::analyseTube(nullptr, {}, settings_);
    return report::writeTubeReport(path, tube, {}, error);
}

// Asks where, then writes there; the title names both the dialog and its failure message.
void SurveysWindow::chooseExport(const QString& title, const QString& filter,
                                 bool (SurveysWindow::*write)(const QString&, QString*))
{
    whenIdle([this, title, filter, write] {
        const QString path = QFileDialog::getSaveFileName(this, title, QString(), filter);
        QString error;
        if (!path.isEmpty() && !(this->*write)(path, &error))
            whenIdle([this, title, error] { QMessageBox::critical(this, title, error); });
    });
}

} // namespace tarvelon
