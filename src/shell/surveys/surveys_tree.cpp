#include "shell/surveys/surveys_tree.h"

#include "shell/surveys/survey_texts.h"
#include "shell/texts.h"

namespace tarvelon {
namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kLabelRole = Qt::UserRole + 1; // the readout's label without its marks
constexpr int kTipRole = Qt::UserRole + 2;   // the readout's tooltip without its marks' reasons

QString tubeLabel(const surveys::TubeKey& key, const surveys::TubeSettings& t)
{
    QString label = qs(key.tube);
    if (t.constant > 0)
        label += QStringLiteral("  (K %1, %2)").arg(t.constant, 0, 'g', 10).arg(qs(surveys::unitName(t.units)));
    return label;
}

} // namespace

SurveysTree::SurveysTree(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("surveyTree"));
    setHeaderLabel(Texts::tr("Surveys"));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformRowHeights(true); // one height for every row: thousands are laid out at once
}

void SurveysTree::fill(const std::vector<surveys::SurveySummary>& list,
                       const std::map<surveys::TubeKey, surveys::TubeSettings>& tubes)
{
    const QSignalBlocker block(this);
    clear();
    items_.clear();
    tubeOf_.clear();
    levels_.clear();
    levelWhy_.clear();
    biasShifts_.clear();
    bases_.clear();
    marked_.clear();
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
            item->setText(0, item->text(0) + Texts::tr(" (incomplete)"));
            item->setData(0, kLabelRole, item->text(0));
            item->setToolTip(0, Texts::tr("Rows of this readout were not read; a whole download or import of it "
                                               "completes it"));
            item->setData(0, kTipRole, item->toolTip(0));
        }
        items_[s.id] = item;
        tubeOf_[s.id] = key;
    }
    addTopLevelItems(clients);
    for (QTreeWidgetItem* c : clients) {
        c->setExpanded(true);
        for (int i = 0; i < c->childCount(); ++i)
            c->child(i)->setExpanded(true);
    }
    for (const auto& [key, t] : tubes)
        if (t.baseId)
            bases_.insert(t.baseId);
}

void SurveysTree::setLevel(std::int64_t id, surveys::Level level, const QString& why)
{
    if (level != surveys::Level::None) {
        levels_[id] = level;
        levelWhy_[id] = why;
    } else {
        levels_.erase(id);
        levelWhy_.erase(id);
    }
}

void SurveysTree::setMarks(const surveys::TubeResult& tube)
{
    for (const surveys::ReadoutResult& r : tube.readouts) {
        setLevel(r.survey->id, r.level, shownNumbers(qs(surveys::shownStatusText(r, tube.settings))));
        if (r.possibleBiasShift)
            biasShifts_[r.survey->id] = Texts::tr("Possible bias shift: its %1. The probe may have read with "
                                                       "another offset: \"Propose corrections...\" shows the evidence.")
                                            .arg(qs(surveys::checksumShiftText(r, tube.settings)));
        else
            biasShifts_.erase(r.survey->id);
        if (const surveys::Reason why = r.notComputed(); !why.empty())
            notComputed_[r.survey->id] = Texts::tr("not computed: %1").arg(qs(why.shown()));
        else
            notComputed_.erase(r.survey->id);
    }
}

// The base in bold, the threshold each readout reached and a possible bias shift; only readouts
// whose marks change are touched, so a library of thousands of readouts is not walked at every
// choice.
void SurveysTree::markReadouts()
{
    std::set<std::int64_t> want(bases_);
    for (const auto& [id, level] : levels_)
        want.insert(id);
    for (const auto& [id, why] : biasShifts_)
        want.insert(id);
    for (const auto& [id, why] : notComputed_)
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
        if (level != levels_.end()) {
            const bool alarm = level->second == surveys::Level::Alarm;
            text += alarm ? Texts::tr("  ALARM") : Texts::tr("  ALERT");
            item->setForeground(0, alarm ? QColor(0xc0, 0, 0) : QColor(0xb0, 0x60, 0));
        } else {
            item->setForeground(0, palette().text());
        }
        const auto blank = notComputed_.find(id);
        if (blank != notComputed_.end()) {
            text += Texts::tr("  not computed");
            item->setForeground(0, QColor(0x80, 0x80, 0x80));
        }
        const auto bias = biasShifts_.find(id);
        if (bias != biasShifts_.end())
            text += Texts::tr("  possible bias shift");
        if (base)
            text += Texts::tr(" (base)");
        QString tip = item->data(0, kTipRole).toString();
        if (const auto why = levelWhy_.find(id); why != levelWhy_.end() && !why->second.isEmpty())
            tip += (tip.isEmpty() ? QString() : QStringLiteral("\n")) + why->second;
        if (bias != biasShifts_.end())
            tip += (tip.isEmpty() ? QString() : QStringLiteral("\n")) + bias->second;
        if (blank != notComputed_.end())
            tip += (tip.isEmpty() ? QString() : QStringLiteral("\n")) + blank->second;
        if (item->toolTip(0) != tip)
            item->setToolTip(0, tip);
        if (item->text(0) != text)
            item->setText(0, text);
    }
    marked_ = std::move(want);
}

void SurveysTree::choose(const std::vector<std::int64_t>& ids)
{
    const QSignalBlocker block(this);
    clearSelection();
    for (std::int64_t id : ids) {
        const auto it = items_.find(id);
        if (it == items_.end())
            continue;
        it->second->setSelected(true);
        it->second->parent()->setExpanded(true);
        setCurrentItem(it->second, 0, QItemSelectionModel::Select);
    }
}

const QTreeWidgetItem* SurveysTree::currentReadoutItem() const
{
    const QTreeWidgetItem* current = currentItem();
    if (current && !current->data(0, kIdRole).isValid()) {
        const QList<QTreeWidgetItem*> selected = selectedItems();
        current = selected.isEmpty() ? nullptr : selected.back();
    }
    return current && current->data(0, kIdRole).isValid() ? current : nullptr;
}

std::int64_t SurveysTree::currentId() const
{
    const QTreeWidgetItem* current = currentReadoutItem();
    return current ? current->data(0, kIdRole).toLongLong() : 0;
}

std::set<std::int64_t> SurveysTree::chosenInCurrentTube() const
{
    // Readouts of the current readout's tube only: profiles of different tubes say nothing
    // about each other.
    std::set<std::int64_t> picked;
    const QTreeWidgetItem* current = currentReadoutItem();
    if (!current)
        return picked;
    for (const QTreeWidgetItem* item : selectedItems())
        if (item->parent() == current->parent() && item->data(0, kIdRole).isValid())
            picked.insert(item->data(0, kIdRole).toLongLong());
    picked.insert(current->data(0, kIdRole).toLongLong());
    return picked;
}

std::optional<surveys::TubeKey> SurveysTree::currentTube() const
{
    const QTreeWidgetItem* current = currentItem();
    if (!current)
        return std::nullopt;
    if (current->data(0, kIdRole).isValid())
        return tubeOf(current->data(0, kIdRole).toLongLong());
    // A tube's children are its readouts; a client's or a site's are not.
    if (current->childCount() > 0 && current->child(0)->data(0, kIdRole).isValid())
        return tubeOf(current->child(0)->data(0, kIdRole).toLongLong());
    return std::nullopt;
}

std::optional<SurveysTree::SiteChoice> SurveysTree::currentSite() const
{
    const QTreeWidgetItem* current = currentItem();
    if (!current || current->data(0, kIdRole).isValid())
        return std::nullopt;
    if (!current->parent())
        return SiteChoice{current->text(0).toStdString(), std::nullopt};
    if (!current->parent()->parent())
        return SiteChoice{current->parent()->text(0).toStdString(), current->text(0).toStdString()};
    return std::nullopt;
}

bool SurveysTree::chooseSite(const SiteChoice& choice)
{
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* client = topLevelItem(i);
        if (client->text(0).toStdString() != choice.client)
            continue;
        QTreeWidgetItem* found = choice.site ? nullptr : client;
        for (int j = 0; !found && j < client->childCount(); ++j)
            if (client->child(j)->text(0).toStdString() == *choice.site)
                found = client->child(j);
        if (!found)
            return false;
        const QSignalBlocker block(this);
        clearSelection();
        setCurrentItem(found, 0, QItemSelectionModel::NoUpdate);
        return true;
    }
    return false;
}

std::optional<surveys::TubeKey> SurveysTree::tubeOf(std::int64_t id) const
{
    const auto it = tubeOf_.find(id);
    return it == tubeOf_.end() ? std::nullopt : std::optional(it->second);
}

} // namespace tarvelon
