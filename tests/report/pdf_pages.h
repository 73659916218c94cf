#pragma once
// What a reader of a PDF report gets: each page's text and every word with its box, read by
// pdftotext (poppler-utils), and what would look wrong on a page.
#include <QProcess>
#include <QRegularExpression>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace tarvelon::test {

inline QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    EXPECT_TRUE(p.waitForFinished(30000)) << program.toStdString() << " (poppler-utils) is needed";
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Each page's text, as a reader of the PDF gets it.
inline std::vector<std::string> pageTexts(const std::string& pdf)
{
    std::vector<std::string> pages;
    const QString all = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QString::fromStdString(pdf),
                                                           QStringLiteral("-")});
    for (const QString& page : all.split(QLatin1Char('\f')))
        if (!page.trimmed().isEmpty())
            pages.push_back(page.toStdString());
    return pages;
}

struct Word {
    double x0, y0, x1, y1;
    QString text;
};

// Every word of every page with its box, from pdftotext -bbox.
inline std::vector<std::vector<Word>> pageWords(const std::string& pdf)
{
    const QString xml = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QString::fromStdString(pdf),
                                                          QStringLiteral("-")});
    std::vector<std::vector<Word>> pages;
    static const QRegularExpression item(
        QStringLiteral("<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)<"));
    for (auto it = item.globalMatch(xml); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page")))
            pages.emplace_back();
        else if (!pages.empty())
            pages.back().push_back({m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                                    m.captured(4).toDouble(), m.captured(5)});
    }
    return pages;
}

// What a reader would see wrong: words over each other, past the margins, or smaller than 8 pt.
inline std::vector<std::string> layoutFaults(const std::string& pdf)
{
    std::vector<std::string> faults;
    const auto pages = pageWords(pdf);
    for (size_t n = 0; n < pages.size(); ++n) {
        const std::vector<Word>& words = pages[n];
        const std::string on = " on page " + std::to_string(n + 1);
        for (size_t i = 0; i < words.size(); ++i) {
            const Word& w = words[i];
            if (w.x0 < 39.5 || w.x1 > 595.5 - 39.5 || w.y0 < 39.5 || w.y1 > 842 - 39.5)
                faults.push_back("\"" + w.text.toStdString() + "\" past the margin" + on);
            // A rotated word (an axis title) is as tall as it is long: words of one character, whose
            // length may be under 8 pt, are left out.
            if (w.y1 - w.y0 < 7.9 && w.text.size() > 1)
                faults.push_back("\"" + w.text.toStdString() + "\" smaller than 8 pt" + on);
            // The headings of a table's columns, one word a line each: the line of "Threshold" in
            // the summary, and any line of units only such as "(mm) (m) (°)", with room between.
            static const QRegularExpression units(QStringLiteral("^\\(\\S+\\)$"));
            std::vector<const Word*> line;
            for (const Word& v : words)
                if (std::abs(v.y0 - w.y0) < 0.5 && std::abs(v.y1 - w.y1) < 0.5)
                    line.push_back(&v);
            const bool unitLine = line.size() >= 3 && std::all_of(line.begin(), line.end(), [](const Word* v) {
                                      return units.match(v->text).hasMatch();
                                  });
            const bool summaryHeads = std::any_of(line.begin(), line.end(), [](const Word* v) {
                return v->text == QLatin1String("Threshold");
            });
            if ((summaryHeads || unitLine) && line.front() == &w) {
                std::sort(line.begin(), line.end(), [](const Word* a, const Word* b) { return a->x0 < b->x0; });
                for (size_t k = 1; k < line.size(); ++k)
                    if (line[k]->x0 - line[k - 1]->x1 < 3.5)
                        faults.push_back("heading \"" + line[k - 1]->text.toStdString() + "\" crowds \"" +
                                         line[k]->text.toStdString() + "\"" + on);
            }
            for (size_t j = i + 1; j < words.size(); ++j) {
                const Word& v = words[j];
                const double dx = std::min(w.x1, v.x1) - std::max(w.x0, v.x0);
                const double dy = std::min(w.y1, v.y1) - std::max(w.y0, v.y0);
                if (dx > 0.5 && dy > 2.0)
                    faults.push_back("\"" + w.text.toStdString() + "\" over \"" + v.text.toStdString() + "\"" + on);
            }
        }
    }
    return faults;
}

} // namespace tarvelon::test
