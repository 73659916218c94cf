#include "report/report_table.h"

#include "report/report_language.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace tarvelon::report {

void localiseNumbers(ReportTable& t)
{
    for (QStringList& row : t.rows)
        for (qsizetype c = 0; c < row.size(); ++c) {
            const bool words = std::find(t.wordColumns.begin(), t.wordColumns.end(), int(c)) != t.wordColumns.end();
            const bool last = t.wordsLast && c + 1 == row.size();
            row[c] = localDates(row[c]);
            if (!words || last)
                row[c] = localNumbers(row[c]);
        }
}

namespace {

constexpr double kPad = 6;       // points between columns
constexpr size_t kFewest = 3;    // rows a table starts with at the foot of a page, else it starts on the next

} // namespace

TableFlow::TableFlow(const QFont& font, double pageTop, double pageBottom, double left, double width)
    : font_(font), bold_(font), pageTop_(pageTop), pageBottom_(pageBottom), left_(left), width_(width)
{
    bold_.setBold(true);
}

std::vector<double> TableFlow::widths(const ReportTable& t, double* padding) const
{
    const QFontMetricsF fm(font_), fb(bold_);
    std::vector<double> out(size_t(t.heads.size()), 0);
    for (qsizetype i = 0; i < t.heads.size(); ++i)
        for (const QString& line : t.heads[i].split(QLatin1Char('\n')))
            out[size_t(i)] = std::max(out[size_t(i)], fb.horizontalAdvance(line));
    for (const QStringList& row : t.rows)
        for (qsizetype i = 0; i < row.size() && i < t.heads.size(); ++i)
            if (!(t.wordsLast && i + 1 == t.heads.size()))
                out[size_t(i)] = std::max(out[size_t(i)], fb.horizontalAdvance(row[i]));
    // Columns closer together, down to a third of the space, before a wide table runs past the margin.
    double natural = 0;
    for (double w : out)
        natural += w;
    const double pad = t.wordsLast ? kPad : std::clamp((width_ - natural) / double(std::max<size_t>(1, out.size())),
                                                       kPad / 3, kPad);
    for (double& w : out)
        w += pad;
    if (padding)
        *padding = pad;
    if (t.wordsLast && !out.empty()) {
        double used = 0;
        for (size_t i = 0; i + 1 < out.size(); ++i)
            used += out[i];
        out.back() = std::max(out.back(), width_ - used);
    }
    return out;
}

QStringList TableFlow::wrapped(const QString& text, double width) const
{
    const QFontMetricsF fm(font_);
    QStringList out;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && fm.horizontalAdvance(longer) > width) {
            out << line;
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.isEmpty() || out.isEmpty())
        out << line;
    // A word longer than the column is cut with an ellipsis rather than run past the margin.
    for (QString& l : out)
        l = fm.elidedText(l, Qt::ElideRight, width);
    return out;
}

int TableFlow::lines(const ReportTable& t, const std::vector<double>& w, size_t row) const
{
    if (!t.wordsLast || t.rows[row].size() < t.heads.size())
        return 1;
    return int(wrapped(t.rows[row][t.heads.size() - 1], w.back() - kPad).size());
}

int TableFlow::place(const std::vector<const ReportTable*>& tables, int page, double top)
{
    for (const ReportTable* t : tables) {
        const std::vector<double> w = widths(*t);
        const double head = kTitle + 2 * kRow + 3;
        size_t first = 0;
        do {
            // Room for the title, headings and a few rows, else the next page.
            const size_t fewest = std::min(kFewest, t->rows.size() - first);
            double need = head;
            for (size_t i = first; i < first + fewest; ++i)
                need += kRow * lines(*t, w, i);
            if (top + need > pageBottom_ && top > pageTop_) {
                ++page;
                top = pageTop_;
            }
            TablePart part{t, first, 0, page, top};
            double y = top + head;
            while (first + part.count < t->rows.size()) {
                const double h = kRow * lines(*t, w, first + part.count);
                if (y + h > pageBottom_ && part.count > 0)
                    break;
                y += h;
                ++part.count;
            }
            parts_.push_back(part);
            first += part.count;
            top = y + kRow;
            if (first < t->rows.size()) {
                ++page;
                top = pageTop_;
            }
        } while (first < t->rows.size());
    }
    return top > pageTop_ ? page + 1 : page;
}

void TableFlow::draw(QPainter& p, const TablePart& part) const
{
    const ReportTable& t = *part.table;
    double pad = kPad;
    const std::vector<double> w = widths(t, &pad);
    p.setPen(Qt::black);
    QFont title = bold_;
    title.setPixelSize(bold_.pixelSize() + 1);
    // The detail once, at the table's start: a continued part names the table only.
    const QString name = part.first > 0 ? t.title + translate("Texts", " (continued)") : t.title + t.detail;
    // A heading that carries numbers is printed whole: at the table's own size rather than cut.
    while (title.pixelSize() > bold_.pixelSize() && QFontMetricsF(title).horizontalAdvance(name) > width_)
        title.setPixelSize(title.pixelSize() - 1);
    p.setFont(title);
    const QFontMetricsF ft(title);
    p.drawText(QPointF(left_, part.top + ft.ascent() + 2), ft.elidedText(name, Qt::ElideRight, width_));

    // Text at a point, placed by its advance: a table of thousands of cells is drawn without
    // laying out a box for each. Half the padding on each side of a cell, so that a number
    // right-aligned is as far from words left-aligned after it as from another number.
    const QFontMetricsF fm(font_);
    const auto baseline = [&](double y) { return y + (kRow + fm.ascent() - fm.descent()) / 2; };
    const auto cellX = [&](size_t column, double textWidth, bool words) {
        double x = left_;
        for (size_t i = 0; i < column; ++i)
            x += w[i];
        return words ? x + pad / 2 : x + w[column] - pad / 2 - textWidth;
    };
    const size_t columns = size_t(t.heads.size());
    const auto isWords = [&](size_t i) { return t.wordsLast && i + 1 == columns; };
    const auto isLeft = [&](size_t i) {
        return isWords(i) || std::find(t.wordColumns.begin(), t.wordColumns.end(), int(i)) != t.wordColumns.end();
    };

    double y = part.top + kTitle;
    p.setFont(bold_);
    const QFontMetricsF fb(bold_);
    for (size_t i = 0; i < columns; ++i) {
        const QStringList head = t.heads[qsizetype(i)].split(QLatin1Char('\n'));
        for (qsizetype l = 0; l < head.size() && l < 2; ++l)
            p.drawText(QPointF(cellX(i, fb.horizontalAdvance(head[l]), isLeft(i)), baseline(y + kRow * double(l))),
                       head[l]);
    }
    y += 2 * kRow + 1;
    double right = left_;
    for (double cw : w)
        right += cw;
    p.setPen(QPen(Qt::black, 0.5));
    p.drawLine(QPointF(left_, y), QPointF(right, y));
    y += 2;
    for (size_t r = part.first; r < part.first + part.count; ++r) {
        const QStringList& row = t.rows[r];
        const bool bold = std::find(t.boldRows.begin(), t.boldRows.end(), int(r)) != t.boldRows.end();
        p.setFont(bold ? bold_ : font_);
        const QFontMetricsF m(bold ? bold_ : font_);
        int used = 1;
        for (size_t i = 0; i < columns && i < size_t(row.size()); ++i) {
            if (isWords(i)) {
                const QStringList text = wrapped(row[qsizetype(i)], w[i] - kPad);
                for (qsizetype l = 0; l < text.size(); ++l)
                    p.drawText(QPointF(cellX(i, 0, true), baseline(y + kRow * double(l))), text[l]);
                used = int(text.size());
            } else {
                p.drawText(QPointF(cellX(i, m.horizontalAdvance(row[qsizetype(i)]), isLeft(i)), baseline(y)),
                           row[qsizetype(i)]);
            }
        }
        y += kRow * used;
    }
}

} // namespace tarvelon::report
