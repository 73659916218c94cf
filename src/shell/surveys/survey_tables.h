#pragma once
#include "analysis/displacement.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class QLabel;
class QTableWidget;

namespace tarvelon {

// The chosen readout's header and its table (readings, or its displacement against the base),
// and the export of the selection as CSV.
class SurveyTables {
public:
    // The widgets sit where the window laid them out; this fills them.
    SurveyTables(QLabel* header, QTableWidget* table);

    QTableWidget* table() const { return table_; }

    void clear();
    // The header's height in its longest form, an incomplete readout's, so it can keep it.
    int headerHeight();
    void showSurvey(const surveys::Survey& s);
    // The readout's header over its displacement; the CSV holds every readout of `tube`.
    void showDisplacement(const surveys::ReadoutResult& readout, const surveys::TubeResult& tube);

    // The CSV; false with the reason when nothing is shown or the file cannot be written.
    bool exportTable(const QString& path, QString* error) const;

private:
    void showHeader(const surveys::Survey& s);
    void fill(const QStringList& labels, const std::vector<QStringList>& rows);

    QLabel* header_;
    QTableWidget* table_;
    std::string csv_;
};

} // namespace tarvelon
