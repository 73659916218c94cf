#pragma once
#include <QStringList>

#include <vector>

namespace tarvelon::cli {

// Rows on standard output, the first the header: in columns padded to line up, or as CSV
// (comma-separated, a cell quoted when it holds a comma, a quote or a line end).
void printTable(const std::vector<QStringList>& rows, bool csv);

} // namespace tarvelon::cli
