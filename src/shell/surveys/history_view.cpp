#include "shell/surveys/history_view.h"

#include "shell/local_time.h"
#include "shell/texts.h"

#include <QHeaderView>

namespace tarvelon {

HistoryView::HistoryView(QWidget* parent) : QTableWidget(parent)
{
    setObjectName(QStringLiteral("history"));
    setColumnCount(3);
    setHorizontalHeaderLabels({Texts::tr("When"), Texts::tr("Who"), Texts::tr("What")});
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->setVisible(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
}

void HistoryView::showHistory(const std::vector<surveys::HistoryEntry>& history)
{
    setRowCount(int(history.size()));
    // The latest first: what a person looks for is what changed last.
    int row = 0;
    for (auto it = history.rbegin(); it != history.rend(); ++it, ++row) {
        // Local, as every other date and time of the program.
        const QString at = localTimeShown(it->at);
        const QString cells[] = {at, QString::fromStdString(it->who), QString::fromStdString(it->what)};
        for (int column = 0; column < 3; ++column)
            setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    resizeColumnToContents(0);
    resizeColumnToContents(1);
}

} // namespace tarvelon
