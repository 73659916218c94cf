#pragma once
#include "analysis/survey.h"

#include <QString>

#include <optional>

class QWidget;

// The questions and closing boxes of deleting a survey and of a sync.
namespace tarvelon {

// "Delete readout ... ?", Cancel the default; true when the answer is Yes.
bool confirmDelete(QWidget* parent, const surveys::Survey& survey, bool isBase);
// "Make readout ... the base of tube ...?" naming the present base, or "Clear the base ...?"
// when `survey` is it; Cancel the default; true on OK.
// Nothing when cancelled, else whether the new base carries on from the present one (asked
// only when there is one).
std::optional<bool> confirmBase(QWidget* parent, const surveys::Survey& survey, const surveys::Survey* presentBase);
// The other library of a sync, from the Sync box; none when it was cancelled.
std::optional<QString> askSyncLibrary(QWidget* parent, const QString& startFolder, const QString& offered = {});
// How the sync ended; a warning when it stopped before its end.
void tellSyncEnd(QWidget* parent, const QString& text, bool failed);

} // namespace tarvelon
