#include "shell/surveys/library_boxes.h"

#include "shell/surveys/survey_texts.h"
#include "shell/surveys/sync_box.h"
#include "shell/texts.h"

#include <QCheckBox>
#include <QMessageBox>

namespace tarvelon {

bool confirmDelete(QWidget* parent, const surveys::Survey& s, bool isBase)
{
    const QString text = (isBase ? Texts::tr("Delete readout %1 of tube %2 from the library, with its readings and "
                                             "corrections (it is the tube's base)?\nThis cannot be undone.")
                                 : Texts::tr("Delete readout %1 of tube %2 from the library, with its readings and "
                                             "corrections?\nThis cannot be undone."))
                             .arg(readoutLabel(s.readout, s.date, s.time), qs(s.tube));
    return QMessageBox::question(parent, Texts::tr("Delete"), text, QMessageBox::Yes | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Yes;
}

std::optional<bool> confirmBase(QWidget* parent, const surveys::Survey& s, const surveys::Survey* present)
{
    const QString chosen = readoutLabel(s.readout, s.date, s.time);
    const QString old = present ? readoutLabel(present->readout, present->date, present->time) : QString();
    QString text;
    if (present == &s)
        text = Texts::tr("Clear the base of tube %1 (readout %2)?\nWithout a base no displacement, rate or alarm "
                         "of the tube is computed.\nMarking readout %2 as base again undoes this.")
                   .arg(qs(s.tube), chosen);
    else if (present)
        text = Texts::tr("Make readout %1 the base of tube %2?\nThe present base is readout %3.\nEvery displacement, "
                         "rate and alarm of the tube is recomputed against the new base.\nMarking readout %3 as base "
                         "again undoes this.")
                   .arg(chosen, qs(s.tube), old);
    else
        text = Texts::tr("Make readout %1 the base of tube %2?\nThe tube has no base yet.\nEvery displacement, rate "
                         "and alarm of the tube is recomputed against the new base.")
                   .arg(chosen, qs(s.tube));
    QMessageBox box(QMessageBox::Question, present == &s ? Texts::tr("Clear Base") : Texts::tr("Mark as Base"),
                    text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Cancel);
    if (present && present != &s) {
        auto* carry = new QCheckBox(Texts::tr("&Continue from the previous base (readout %1)").arg(old), &box);
        carry->setObjectName(QStringLiteral("continueFromBase"));
        carry->setToolTip(Texts::tr("The new base's displacement against the present base is added to every "
                                    "later readout, so the time chart and the rates run on without a jump."));
        box.setCheckBox(carry);
    }
    if (box.exec() != QMessageBox::Ok)
        return std::nullopt;
    return box.checkBox() && box.checkBox()->isChecked();
}

std::optional<QString> askSyncLibrary(QWidget* parent, const QString& startFolder, const QString& offered)
{
    SyncBox box(startFolder, parent);
    box.offer(offered);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.otherLibrary();
}

void tellSyncEnd(QWidget* parent, const QString& text, bool failed)
{
    if (failed)
        QMessageBox::warning(parent, Texts::tr("Sync"), text);
    else
        QMessageBox::information(parent, Texts::tr("Sync"), text);
}

} // namespace tarvelon
