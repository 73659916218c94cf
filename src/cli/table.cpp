#include "cli/table.h"

#include "cli/console.h"

#include <algorithm>

namespace tarvelon::cli {
namespace {

QString csvCell(QString cell)
{
    if (!cell.contains(QLatin1Char(',')) && !cell.contains(QLatin1Char('"')) && !cell.contains(QLatin1Char('\n')))
        return cell;
    return QLatin1Char('"') + cell.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

} // namespace

void printTable(const std::vector<QStringList>& rows, bool csv)
{
    std::vector<qsizetype> widths;
    for (const QStringList& row : rows) {
        widths.resize(std::max(widths.size(), size_t(row.size())), 0);
        for (qsizetype c = 0; c < row.size(); ++c)
            widths[size_t(c)] = std::max(widths[size_t(c)], row[c].size());
    }
    // Written at once: a listing of thousands of lines is not a write to the terminal or pipe each.
    QStringList lines;
    for (const QStringList& row : rows) {
        QStringList cells;
        for (qsizetype c = 0; c < row.size(); ++c)
            cells << (csv ? csvCell(row[c]) : row[c].leftJustified(widths[size_t(c)]));
        QString line = cells.join(csv ? QStringLiteral(",") : QStringLiteral("  "));
        if (!csv)
            while (line.endsWith(QLatin1Char(' ')))
                line.chop(1);
        lines << line;
    }
    if (!lines.isEmpty())
        printResult(lines.join(QLatin1Char('\n')));
}

} // namespace tarvelon::cli
