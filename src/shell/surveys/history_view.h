#pragma once
#include "library/store.h"

#include <QTableWidget>

#include <vector>

namespace tarvelon {

// "History": the shown tube's changes, when, who and what, the latest at the top.
class HistoryView : public QTableWidget {
public:
    explicit HistoryView(QWidget* parent = nullptr);
    void showHistory(const std::vector<surveys::HistoryEntry>& history);
};

} // namespace tarvelon
