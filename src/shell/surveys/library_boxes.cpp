#include "shell/surveys/library_boxes.h"

#include "shell/surveys/survey_texts.h"
#include "shell/surveys/sync_box.h"

#include <QMessageBox>

namespace tarvelon {

bool confirmDelete(QWidget* parent, const surveys::Survey& s, bool isBase)
{
    const QString text = QStringLiteral("Delete readout %1 of tube %2 from the library, with its readings and "
                                        "corrections%3?\nThis cannot be undone.")
                             .arg(readoutLabel(s.readout, s.date, s.time), qs(s.tube),
                                  isBase ? QStringLiteral(" (it is the tube's base)") : QString());
    return QMessageBox::question(parent, QStringLiteral("Delete"), text, QMessageBox::Yes | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Yes;
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
        QMessageBox::warning(parent, QStringLiteral("Sync"), text);
    else
        QMessageBox::information(parent, QStringLiteral("Sync"), text);
}

} // namespace tarvelon
