#include "shell/surveys/history_view.h"

#include <QHeaderView>

namespace tarvelon {

HistoryView::HistoryView(QWidget* parent) : QTableWidget(parent)
{
    setObjectName(QStringLiteral("history"));
    setColumnCount(3);
    setHorizontalHeaderLabels({QStringLiteral("When (UTC)"), QStringLiteral("Who"), QStringLiteral("What")});
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
        QString at = QString::fromStdString(it->at);
        at.replace(QLatin1Char('T'), QLatin1Char(' ')).remove(QLatin1Char('Z'));
        const QString cells[] = {at, QString::fromStdString(it->who), QString::fromStdString(it->what)};
        for (int column = 0; column < 3; ++column)
            setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    resizeColumnToContents(0);
    resizeColumnToContents(1);
}

} // namespace tarvelon
