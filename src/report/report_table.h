#pragma once
#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

class QPainter;

// A table of the report as printed: columns as wide as their widest cell or heading, numbers
// right-aligned, one last column of words wrapped to the width left. Tables flow down the
// pages, several to a page, and one that goes on to the next page says "(continued)".
namespace tarvelon::report {

struct ReportTable {
    QString title;
    QString detail;                  // after the title and its "(continued)"
    QStringList heads;               // "A cum.\n(mm)": a heading of up to two lines
    std::vector<QStringList> rows;
    bool wordsLast = false;          // the last column holds words, wrapped in the width left
    std::vector<int> boldRows;       // drawn bold: the base row of the summary
    std::vector<int> wordColumns;    // left-aligned like the last: names, times, states
};

// Where a part of a table is drawn: rows [first, first + count) from `top` on page `page`.
struct TablePart {
    const ReportTable* table = nullptr;
    size_t first = 0, count = 0;
    int page = 0;
    double top = 0;
};

// The numbers of the columns that hold them (and of the last column's words) with the decimal
// comma when the report is Italian, and its dates day first; names and times stay as typed.
void localiseNumbers(ReportTable& t);

class TableFlow {
public:
    // `font` the tables' type; `firstTop` where the flow starts on `firstPage`, `pageTop` on the others.
    TableFlow(const QFont& font, double pageTop, double pageBottom, double left, double width);

    // Lays the tables out from (page, top) on; returns the page after the last one used.
    int place(const std::vector<const ReportTable*>& tables, int page, double top);
    const std::vector<TablePart>& parts() const { return parts_; }

    // The part as laid out: title, headings and its rows.
    void draw(QPainter& p, const TablePart& part) const;

    static constexpr double kRow = 10.5;  // points a line
    static constexpr double kTitle = 15;

private:
    // Each column's width with its share of padding, which `padding` is given when asked.
    std::vector<double> widths(const ReportTable& t, double* padding = nullptr) const;
    int lines(const ReportTable& t, const std::vector<double>& widths, size_t row) const;
    QStringList wrapped(const QString& text, double width) const;

    QFont font_, bold_;
    double pageTop_, pageBottom_, left_, width_;
    std::vector<TablePart> parts_;
};

} // namespace tarvelon::report
