#include "shell/surveys/surveys_window.h"

#include "report/tube_report.h"
#include "shell/controls.h"
#include "shell/file_boxes.h"
#include "shell/remembered_choices.h"
#include "shell/help_texts.h"
#include "shell/surveys/alarm_bar.h"
#include "shell/surveys/corrections_dialog.h"
#include "shell/surveys/library_dialog.h"
#include "shell/surveys/history_view.h"
#include "shell/surveys/survey_charts.h"
#include "shell/surveys/survey_library.h"
#include "shell/surveys/survey_tables.h"
#include "shell/surveys/survey_texts.h"
#include "shell/surveys/surveys_tree.h"
#include "shell/surveys/library_boxes.h"
#include "shell/surveys/probe_dialog.h"
#include "shell/surveys/sync_box.h"
#include "shell/surveys/tube_settings_dialog.h"
#include "shell/texts.h"

#include <QBoxLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSocketNotifier>
#include <QSplitter>
#include <QTableWidget>
#include <QTreeWidget>

#include <algorithm>
#include <set>

namespace tarvelon {
namespace {

bool hasThresholds(const surveys::TubeSettings& t)
{
    return t.alertMm || t.alarmMm || t.alertMmPerDay || t.alarmMmPerDay;
}

} // namespace

SurveysWindow::SurveysWindow(SurveysWindowOptions options, QWidget* parent)
    : QWidget(parent, Qt::Window),
      libraryPath_(options.libraryPath.isEmpty() ? surveyLibraryPath() : options.libraryPath),
      whenIdle_(std::move(options.whenIdle)),
      downloadFolder_(std::move(options.downloadFolder)),
      written_(std::move(options.written))
{
    setObjectName(QStringLiteral("Surveys"));
    buildUi();
    applyHelpTexts(*this);
    useWindowKeys(this);
    openLibrary();
    reload();
}

SurveysWindow::~SurveysWindow() = default;

void SurveysWindow::openLibrary()
{
    setWindowTitle(Texts::tr("Surveys - %1")
                       .arg(libraryShownName(libraryPath_ == defaultSurveyLibraryPath() ? QString() : libraryPath_)));
    openError_.clear();
    if (!store_.isOpen() && !store_.open(libraryArgument(libraryPath_)))
        openError_ = Texts::tr("The survey library cannot be opened: %1").arg(qs(store_.error()));
    else if (store_.readOnly())
        openError_ = Texts::tr("The survey library is read-only: %1").arg(qs(store_.error()));
    mayEdit_ = store_.isOpen() && !store_.readOnly() && store_.rights() != surveys::SurveyStore::Rights::Read;
    mayDelete_ = mayEdit_ && store_.rights() == surveys::SurveyStore::Rights::Manage;
    importButton_->setEnabled(!isReadOnly());
    // On a server, a colleague's survey, setting or correction shows here as soon as it is kept.
    // The last library's notifier goes with it: its socket is closed, and its number may be reused.
    delete news_;
    news_ = nullptr;
    if (const int socket = store_.notificationSocket(); socket >= 0) {
        auto* news = news_ = new QSocketNotifier(qintptr(socket), QSocketNotifier::Read, this);
        connect(news, &QSocketNotifier::activated, this, [this, news] {
            if (!store_.takeNotifications().empty())
                reload();
            if (store_.notificationSocket() < 0) // the connection was lost: nothing more to hear
                news->setEnabled(false);
        });
    }
    tree_->setEnabled(store_.isOpen());
}

QString SurveysWindow::useLibrary(const QString& location)
{
    surveys::SurveyStore other;
    if (!other.open(libraryArgument(location)))
        return qs(other.error());
    store_ = std::move(other);
    libraryPath_ = location;
    chosen_.clear();
    openLibrary();
    reload();
    return {};
}

bool SurveysWindow::isReadOnly() const
{
    return !mayEdit_;
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
    // A site on screen is read again too, as the tree is, and stays on screen while it is there.
    const std::optional<SurveysTree::SiteChoice> site = showingSite() ? tree_->currentSite() : std::nullopt;
    tube_.reset(); // read again: another program may have changed it
    const std::vector<surveys::SurveySummary> list = store_.isOpen() ? store_.list() : std::vector<surveys::SurveySummary>{};
    const std::map<surveys::TubeKey, surveys::TubeSettings> tubes =
        store_.isOpen() ? store_.allTubeSettings() : std::map<surveys::TubeKey, surveys::TubeSettings>{};
    tree_->fill(list, tubes);
    // Tubes with thresholds or checksums are compared at once, so the tree flags the readouts
    // that cross a threshold or whose checksums moved.
    for (const auto& [key, t] : tubes) {
        if (!(hasThresholds(t) || (t.secondPass && t.checksumTolerance)) || !t.baseId || !tree_->tubeOf(t.baseId))
            continue;
        const std::vector<surveys::Survey> all = store_.tubeSurveys(key);
        tree_->setMarks(surveys::analyseTube(all, t, store_.corrections(key)));
    }
    tree_->markReadouts();
    select(keep);
    if (site) {
        tree_->chooseSite(*site);
        showSiteIfChosen();
    }
    alarmBar_->refresh(mayEdit_);
}

void SurveysWindow::select(const std::vector<std::int64_t>& ids)
{
    tree_->choose(ids);
    onSelectionChanged();
}

void SurveysWindow::loadTube(const surveys::TubeKey& key)
{
    if (tube_ == key)
        return;
    tube_ = key;
    tubeSurveys_ = store_.tubeSurveys(key);
    settings_ = store_.tubeSettings(key);
    corrections_ = store_.corrections(key);
    history_->showHistory(store_.history(key));
}

void SurveysWindow::onSelectionChanged()
{
    chosen_.clear();
    reasons_.clear();
    const std::int64_t currentId = tree_->currentId();
    if (const auto key = tree_->tubeOf(currentId))
        loadTube(*key);
    const std::set<std::int64_t> picked = tree_->chosenInCurrentTube();
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
            reasons_ << Texts::tr("No base readout for tube %1: \"Mark as Base\" on one of its readouts compares "
                                       "the others with it in millimetres.")
                            .arg(qs(shown->tube));
    } else {
        // The whole tube is measured, so each rate is against the readout before it, chosen or not.
        result_ = surveys::analyseTube(tubeSurveys_, settings_, corrections_);
        std::erase_if(result_.readouts, [&picked](const surveys::ReadoutResult& r) { return !picked.count(r.survey->id); });
        if (!result_.warning.empty())
            reasons_ << Texts::tr("Tube %1: %2").arg(qs(shown->tube), qs(result_.warning));
        if (const std::string carried = surveys::carriedBaseText(result_); !carried.empty())
            reasons_ << Texts::tr("Tube %1: %2").arg(qs(shown->tube), qs(carried));
        charts_->drawTube(result_);
        const auto it = std::find_if(result_.readouts.begin(), result_.readouts.end(),
                                     [shown](const surveys::ReadoutResult& r) { return r.survey == shown; });
        if (it != result_.readouts.end())
            tables_->showDisplacement(*it, result_);
        else
            tables_->showSurvey(*shown);
        for (const surveys::ReadoutResult& r : result_.readouts)
            if (const std::string said = surveys::readoutNotes(r, settings_); !said.empty())
                reasons_ << readoutLabel(r.survey->readout, r.survey->date, r.survey->time) + QStringLiteral(": ") +
                                qs(said);
        tree_->setMarks(result_);
    }
    tree_->markReadouts();
    const bool writable = !isReadOnly() && shown;
    baseButton_->setEnabled(writable);
    baseButton_->setText(shown && shown == base ? Texts::tr("Clear &Base") : Texts::tr("Mark as &Base"));
    settingsButton_->setEnabled(!isReadOnly() && tree_->currentTube());
    const bool compared = std::any_of(result_.readouts.begin(), result_.readouts.end(), [shown](const surveys::ReadoutResult& r) {
        return r.survey == shown && r.displacement.compared;
    });
    correctButton_->setEnabled(writable && compared);
    probeButton_->setEnabled(writable);
    deleteButton_->setEnabled(writable && mayDelete_);
    reportButton_->setEnabled(base != nullptr);
    updateStatus();
}

void SurveysWindow::setBase(std::int64_t id, bool carryOn)
{
    const std::optional<surveys::TubeKey> key = id ? tree_->tubeOf(id) : tube_;
    if (id && !key)
        return;
    const surveys::TubeKey tube = key.value_or(surveys::TubeKey{});
    surveys::TubeSettings t = store_.tubeSettings(tube);
    // A new base chosen without carrying on starts every displacement at zero again.
    t.continuedFromId = carryOn && id && t.baseId && t.baseId != id ? t.baseId : 0;
    t.baseId = id;
    setTubeSettings(tube, t);
}

bool SurveysWindow::setTubeSettings(const surveys::TubeKey& tube, const surveys::TubeSettings& settings)
{
    const bool ok = store_.setTubeSettings(tube, settings);
    actionError_ = ok ? QString() : Texts::tr("The tube's settings cannot be kept: %1").arg(qs(store_.error()));
    reload();
    return ok;
}

void SurveysWindow::askToSetBase()
{
    const std::int64_t id = chosen_.empty() ? 0 : chosen_.back();
    const surveys::Survey *chosen = nullptr, *present = nullptr;
    for (const surveys::Survey& s : tubeSurveys_) {
        if (s.id == id)
            chosen = &s;
        if (s.id == settings_.baseId)
            present = &s;
    }
    if (!chosen)
        return;
    if (const std::optional<bool> carryOn = confirmBase(this, *chosen, present))
        setBase(chosen == present ? 0 : id, *carryOn);
}

void SurveysWindow::editProbe()
{
    const std::int64_t id = chosen_.empty() ? 0 : chosen_.back();
    for (const surveys::Survey& s : tubeSurveys_)
        if (s.id == id) {
            ProbeDialog box(s, settings_, this);
            if (box.exec() != QDialog::Accepted)
                return;
            const bool ok = store_.setProbe(id, box.serial(), box.constant());
            actionError_ = ok ? QString() : Texts::tr("The readout's probe cannot be kept: %1").arg(qs(store_.error()));
            reload();
            return;
        }
}

void SurveysWindow::editTubeSettings()
{
    // The tube chosen in the tree, itself or through one of its readouts.
    if (const auto current = tree_->currentTube())
        loadTube(*current);
    if (!tube_)
        return;
    const surveys::TubeKey key = *tube_;
    TubeSettingsDialog dialog(key, store_.tubeSettings(key), this);
    if (dialog.exec() != QDialog::Accepted || !setTubeSettings(key, dialog.settings()))
        return;
    for (std::int64_t id : CorrectionsDialog::askToClearOtherReduction(this, tubeSurveys_, corrections_, dialog.settings()))
        keepCorrections(id, {});
}

QString SurveysWindow::keepCorrections(std::int64_t id, const std::vector<surveys::Correction>& list)
{
    if (!store_.setCorrections(id, list))
        return qs(store_.error());
    reload(); // read back, so the tables, the charts and the tree's marks show what was kept
    return {};
}

std::unique_ptr<CorrectionsDialog> SurveysWindow::correctionsDialog()
{
    const std::int64_t id = chosen_.empty() ? 0 : chosen_.back();
    // The whole tube, chosen or not: the readouts either side are part of a proposal's evidence.
    const surveys::TubeResult whole = surveys::analyseTube(tubeSurveys_, settings_, corrections_);
    for (const surveys::ReadoutResult& r : whole.readouts)
        if (r.survey->id == id && r.displacement.compared && whole.base && !isReadOnly())
            return std::make_unique<CorrectionsDialog>(
                whole, r, [this, id](const std::vector<surveys::Correction>& list) { return keepCorrections(id, list); },
                this);
    return nullptr;
}

void SurveysWindow::askToDelete()
{
    for (const surveys::Survey& s : tubeSurveys_)
        if (!chosen_.empty() && s.id == chosen_.back() && confirmDelete(this, s, s.id == settings_.baseId))
            deleteSurvey(s.id);
}

bool SurveysWindow::deleteSurvey(std::int64_t id)
{
    const bool ok = store_.remove(id);
    actionError_ = ok ? QString() : Texts::tr("The survey cannot be deleted: %1").arg(qs(store_.error()));
    reload();
    return ok;
}

void SurveysWindow::chooseSync()
{
    if (const std::optional<QString> other = askSyncLibrary(this, startFolder(), RememberedChoices().library())) {
        bool failed = false;
        const QString text = syncWith(*other, &failed);
        whenIdle([this, text, failed] { tellSyncEnd(this, text, failed); });
    }
}

QString SurveysWindow::syncWith(const QString& other, bool* failed)
{
    const QString text = SyncBox::run(this, defaultSurveyLibraryPath(), other, failed);
    reload();
    return text;
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
    if (!writtenLine_.isEmpty())
        lines << writtenLine_;
    lines << reasons_;
    if (store_.isOpen() && !tree_->hasReadouts())
        lines << Texts::tr("The library is empty: every download adds its survey, and \"Import...\" "
                                "adds export files already on disk.");
    status_->setText(lines.join(QLatin1Char('\n')));
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
        const QStringList paths = askImportPaths(this, folder, startFolder());
        if (paths.isEmpty())
            return;
        const QString text = importReportText(importPaths(paths));
        // The box too waits for an operation started while the file box was open.
        whenIdle([this, text] { QMessageBox::information(this, Texts::tr("Import"), text); });
    });
}

} // namespace tarvelon
