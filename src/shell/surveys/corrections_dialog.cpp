#include "shell/surveys/corrections_dialog.h"

#include "shell/help_texts.h"
#include "shell/local_time.h"
#include "shell/surveys/survey_texts.h"
#include "shell/texts.h"

#include <QBoxLayout>
#include <QColor>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include <algorithm>
#include <cmath>

namespace tarvelon {
namespace {

QTableWidget* correctionTable(QWidget* parent, const char* name, const QStringList& heads)
{
    auto* t = new QTableWidget(0, int(heads.size()), parent);
    t->setObjectName(QLatin1String(name));
    t->setHorizontalHeaderLabels(heads);
    t->verticalHeader()->setVisible(false);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

// One row: a check box with its caption, then the correction as the texts say it.
void fillRow(QTableWidget* t, int row, const QString& check, bool checked, const QStringList& cells)
{
    auto* box = new QTableWidgetItem(check);
    box->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    box->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    t->setItem(row, 0, box);
    for (int c = 0; c < cells.size(); ++c)
        t->setItem(row, c + 1, new QTableWidgetItem(cells[c]));
}

QLabel* wrapped(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

CorrectionsDialog::CorrectionsDialog(const surveys::TubeResult& tube, const surveys::ReadoutResult& readout, Keep keep,
                                     QWidget* parent)
    : QDialog(parent),
      base_(readout.againstPrevious && tube.previousBase ? *tube.previousBase : *tube.base),
      readout_(*readout.survey),
      settings_(tube.settings),
      keep_(std::move(keep)),
      kept_(readout.corrections)
{
    setObjectName(QStringLiteral("Corrections"));
    // The readouts either side tell a bias from movement; copies, as the tube behind may be analysed again.
    const surveys::ProposalContext around = surveys::proposalContext(tube, readout_.id);
    for (const auto* side : {&around.earlier, &around.later})
        for (const surveys::NeighbourReadout& n : *side) {
            neighbours_.push_back(*n.survey);
            (side == &around.earlier ? context_.earlier : context_.later).push_back({&neighbours_.back(), n.corrections});
        }
    setWindowTitle(Texts::tr("Corrections"));
    checksums_ = settings_.secondPass
                     ? qs(surveys::checksumShiftText(readout, settings_))
                     : Texts::tr("No checksums: the tube's second pass is off (Tube Settings).");
    flagged_ = readout.possibleBiasShift;
    if (flagged_)
        checksums_ = Texts::tr("Possible bias shift: %1").arg(checksums_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Texts::tr("<b>%1 / %2 / tube %3: %4</b>, against the base of %5")
                                     .arg(qs(readout_.client).toHtmlEscaped(), qs(readout_.site).toHtmlEscaped(),
                                          qs(readout_.tube).toHtmlEscaped(),
                                          readoutLabel(readout_.readout, readout_.date, readout_.time).toHtmlEscaped(),
                                          qs(base_.date).toHtmlEscaped()),
                                 this));

    auto* zone = new QHBoxLayout;
    zone->addWidget(new QLabel(Texts::tr("Stable zone:"), this));
    deepest_ = new QRadioButton(Texts::tr("&Deepest quiet stretch"), this);
    deepest_->setObjectName(QStringLiteral("zoneDeepest"));
    deepest_->setChecked(true);
    auto* given = new QRadioButton(Texts::tr("&From"), this);
    given->setObjectName(QStringLiteral("zoneGiven"));
    const double top = readout_.rows.empty() ? 0 : readout_.rows.front().depthTenths / 10.0;
    const double toe = readout_.rows.empty() ? 0 : readout_.rows.back().depthTenths / 10.0;
    for (QDoubleSpinBox** box : {&from_, &to_}) {
        *box = new QDoubleSpinBox(this);
        (*box)->setRange(top, toe);
        (*box)->setDecimals(1);
        (*box)->setSingleStep(readout_.step);
        (*box)->setSuffix(QStringLiteral(" m"));
        (*box)->setEnabled(false);
    }
    from_->setObjectName(QStringLiteral("zoneFrom"));
    to_->setObjectName(QStringLiteral("zoneTo"));
    from_->setValue(std::max(top, toe - 10 * readout_.step));
    to_->setValue(toe);
    connect(given, &QRadioButton::toggled, this, [this](bool on) {
        from_->setEnabled(on);
        to_->setEnabled(on);
    });
    auto* proposeButton = new QPushButton(Texts::tr("&Propose"), this);
    proposeButton->setObjectName(QStringLiteral("propose"));
    connect(proposeButton, &QPushButton::clicked, this, &CorrectionsDialog::propose);
    for (QWidget* w : std::initializer_list<QWidget*>{deepest_, given, from_, new QLabel(Texts::tr("to"), this), to_,
                                                      proposeButton})
        zone->addWidget(w);
    zone->addStretch(1);
    layout->addLayout(zone);
    evidence_ = wrapped(this, "evidence");
    layout->addWidget(evidence_);

    layout->addWidget(new QLabel(Texts::tr("Proposed (nothing is applied until accepted):"), this));
    proposed_ = correctionTable(this, "proposed", {Texts::tr("Accept"), Texts::tr("Correction"),
                                                   Texts::tr("Value"), Texts::tr("Effect"),
                                                   Texts::tr("Evidence"), Texts::tr("How it was found")});
    layout->addWidget(proposed_, 1);
    auto* insistRow = new QHBoxLayout;
    insistRow->addWidget(new QLabel(Texts::tr("Why keep a refused one:"), this));
    insist_ = new QLineEdit(this);
    insist_->setObjectName(QStringLiteral("insistReason"));
    insist_->setPlaceholderText(Texts::tr("needed only to accept a proposal the evidence does not support"));
    insistRow->addWidget(insist_, 1);
    layout->addLayout(insistRow);
    accept_ = new QPushButton(Texts::tr("&Accept Checked"), this);
    accept_->setObjectName(QStringLiteral("acceptProposed"));
    connect(accept_, &QPushButton::clicked, this, &CorrectionsDialog::acceptChosen);

    layout->addWidget(new QLabel(Texts::tr("Kept with the readout (applied when on):"), this));
    keptTable_ = correctionTable(this, "kept", {Texts::tr("On"), Texts::tr("Correction"), Texts::tr("Value"),
                                                Texts::tr("How it was found"), Texts::tr("Accepted")});
    connect(keptTable_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == 0)
            switchKept(item->row(), item->checkState() == Qt::Checked);
    });
    layout->addWidget(keptTable_, 1);
    warning_ = wrapped(this, "reductionWarning");
    warning_->setStyleSheet(QStringLiteral("color: #b00000"));
    layout->addWidget(warning_);
    error_ = wrapped(this, "keepError");
    error_->setStyleSheet(QStringLiteral("color: #b00000"));
    error_->hide();
    layout->addWidget(error_);

    auto* buttons = new QHBoxLayout;
    clear_ = new QPushButton(Texts::tr("C&lear All..."), this);
    clear_->setObjectName(QStringLiteral("clearCorrections"));
    connect(clear_, &QPushButton::clicked, this, [this] {
        QMessageBox box(QMessageBox::Question, windowTitle(),
                        Texts::tr("Remove every correction kept with this readout? Its values are shown as read "
                                  "again."),
                        QMessageBox::Ok | QMessageBox::Cancel, this);
        box.setDefaultButton(QMessageBox::Cancel);
        if (box.exec() == QMessageBox::Ok)
            clearKept();
    });
    again_ = new QPushButton(Texts::tr("Clear and Propose A&gain"), this);
    again_->setObjectName(QStringLiteral("proposeAgain"));
    connect(again_, &QPushButton::clicked, this, [this] {
        clearKept();
        propose();
    });
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QPushButton* b : {accept_, clear_, again_})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    applyHelpTexts(*this);
    resize(760, 560);
    showKept();
    propose();
}

std::vector<std::int64_t> CorrectionsDialog::askToClearOtherReduction(QWidget* parent,
                                                                      const std::vector<surveys::Survey>& surveys,
                                                                      const surveys::CorrectionsById& corrections,
                                                                      const surveys::TubeSettings& now)
{
    std::vector<std::int64_t> ids;
    QStringList names;
    for (const surveys::Survey& s : surveys)
        if (const auto c = corrections.find(s.id);
            c != corrections.end() && !surveys::otherReductionText(c->second, now).empty()) {
            ids.push_back(s.id);
            names << qs(surveys::readoutNumber(s.readout));
        }
    if (ids.empty())
        return ids;
    // The two ways the second pass can have changed, each said whole.
    const QString text =
        now.secondPass
            ? Texts::tr("The corrections of readout %1 were found with the second pass off; the tube now reduces with "
                        "it, so the accepted bias is for the other reduction.\n\nClear them, to propose them again "
                        "with \"Propose corrections...\"?")
            : Texts::tr("The corrections of readout %1 were found with the second pass on; the tube now reduces "
                        "without it, so the accepted bias is for the other reduction.\n\nClear them, to propose them "
                        "again with \"Propose corrections...\"?");
    QMessageBox box(QMessageBox::Warning, Texts::tr("Tube Settings"), text.arg(names.join(QStringLiteral(", "))),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("otherReduction"));
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes)
        ids.clear();
    return ids;
}

void CorrectionsDialog::propose()
{
    std::optional<surveys::DepthZone> zone;
    if (!deepest_->isChecked())
        zone = surveys::DepthZone{int(std::lround(from_->value() * 10)), int(std::lround(to_->value() * 10))};
    proposal_ = surveys::proposeCorrections(base_, readout_, settings_, zone, context_);
    showProposal();
}

void CorrectionsDialog::showProposal()
{
    QStringList lines;
    // The evidence the tree flagged the readout on comes first.
    if (flagged_)
        lines << checksums_;
    if (const std::string evidence = surveys::proposalEvidence(proposal_, settings_); !evidence.empty())
        lines << qs(evidence).replace(0, 1, qs(evidence).left(1).toUpper()) + QLatin1Char('.');
    if (!proposal_.reason.empty())
        lines << Texts::tr("Not proposed: %1.").arg(qs(proposal_.reason.shown()));
    else if (proposal_.proposed.empty() && flagged_)
        lines << Texts::tr("The stable zone shows no bias, rotation or depth shift, while the checksums point to "
                           "a bias shift: try another stable zone (From ... to).");
    else if (proposal_.proposed.empty())
        lines << Texts::tr("Nothing to correct: the stable zone shows no bias, rotation or depth shift.");
    if (!checksums_.isEmpty() && !flagged_)
        lines << checksums_;
    if (!proposal_.proposed.empty())
        lines << Texts::tr("All the acceptable ones: %1.")
                     .arg(qs(surveys::effectText(proposal_.asRead, proposal_.acceptedEffect, proposal_, settings_)));
    evidence_->setText(lines.join(QLatin1Char('\n')));
    proposed_->setRowCount(int(proposal_.proposed.size()));
    for (int i = 0; i < proposed_->rowCount(); ++i) {
        const surveys::ProposedCorrection& p = proposal_.proposed[size_t(i)];
        const surveys::Correction& c = p.correction;
        fillRow(proposed_, i, QStringLiteral("accept"), p.acceptable,
                {qs(surveys::correctionName(c)), qs(surveys::correctionValue(c)),
                 qs(surveys::effectText(proposal_.asRead, p.after, proposal_, settings_)),
                 p.acceptable ? Texts::tr("supported") : Texts::tr("refused: %1").arg(qs(p.refusal.shown())), qs(c.how)});
        if (!p.acceptable)
            proposed_->item(i, 4)->setForeground(QColor(0xb0, 0, 0));
    }
    proposed_->resizeColumnsToContents();
    accept_->setEnabled(!proposal_.proposed.empty());
}

void CorrectionsDialog::showKept()
{
    const QSignalBlocker block(keptTable_);
    keptTable_->setRowCount(int(kept_.size()));
    for (int i = 0; i < keptTable_->rowCount(); ++i) {
        const surveys::Correction& c = kept_[size_t(i)];
        fillRow(keptTable_, i, QStringLiteral("on"), c.on,
                {qs(surveys::correctionName(c)), qs(surveys::correctionValue(c)), qs(c.how),
                 localTimeShown(c.acceptedAt)});
    }
    keptTable_->resizeColumnsToContents();
    clear_->setEnabled(!kept_.empty());
    const std::string other = surveys::otherReductionText(kept_, settings_);
    warning_->setText(other.empty() ? QString() : Texts::tr("Attention: ") + qs(other) + QLatin1Char('.'));
    warning_->setVisible(!other.empty());
    again_->setVisible(!other.empty());
}

void CorrectionsDialog::keep(const std::vector<surveys::Correction>& list)
{
    const QString why = keep_ ? keep_(list) : QString();
    error_->setText(why.isEmpty() ? QString() : Texts::tr("The corrections cannot be kept: %1").arg(why));
    error_->setVisible(!why.isEmpty());
    if (why.isEmpty())
        kept_ = list;
    showKept();
}

void CorrectionsDialog::acceptChosen()
{
    std::vector<surveys::Correction> list = kept_;
    const std::string now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
    const QString why = insist_->text().trimmed();
    for (int i = 0; i < proposed_->rowCount() && size_t(i) < proposal_.proposed.size(); ++i) {
        if (proposed_->item(i, 0)->checkState() != Qt::Checked)
            continue;
        const surveys::ProposedCorrection& p = proposal_.proposed[size_t(i)];
        surveys::Correction c = p.correction;
        if (!p.acceptable) {
            if (why.isEmpty()) {
                error_->setText(Texts::tr("Nothing kept: %1 %2 was refused (%3); say in the box why you keep it.")
                                    .arg(qs(surveys::correctionName(c)), qs(surveys::correctionValue(c)), qs(p.refusal.shown())));
                error_->setVisible(true);
                return;
            }
            c.how = surveys::insistedHow(c.how, p.refusal.english(), why.toStdString());
        }
        c.acceptedAt = now;
        surveys::putCorrection(list, c);
    }
    if (list != kept_)
        keep(list);
}

void CorrectionsDialog::switchKept(int row, bool on)
{
    if (row < 0 || size_t(row) >= kept_.size() || kept_[size_t(row)].on == on)
        return;
    std::vector<surveys::Correction> list = kept_;
    list[size_t(row)].on = on;
    keep(list);
}

void CorrectionsDialog::clearKept()
{
    if (!kept_.empty())
        keep({});
}

} // namespace tarvelon
