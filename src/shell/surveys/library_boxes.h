#pragma once
#include "analysis/survey.h"

#include <QString>

#include <optional>

class QWidget;

// The questions and closing boxes of deleting a survey and of a sync.
namespace tarvelon {

// "Delete readout ... ?", Cancel the default; true when the answer is Yes.
bool confirmDelete(QWidget* parent, const surveys::Survey& survey, bool isBase);
// The other library of a sync, from the Sync box; none when it was cancelled.
std::optional<QString> askSyncLibrary(QWidget* parent, const QString& startFolder, const QString& offered = {});
// How the sync ended; a warning when it stopped before its end.
void tellSyncEnd(QWidget* parent, const QString& text, bool failed);

} // namespace tarvelon
