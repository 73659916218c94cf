#pragma once
#include <QFont>
#include <QString>

class QPainter;

#include <string>

// What every report's pages share: A4 in points, the margins and the type.
namespace tarvelon::report::page {

// The page in points: the writer works at 72 dots an inch, so a pixel size is a point size.
inline constexpr double kWidth = 595, kHeight = 842, kMargin = 40;
inline constexpr double kRunningHeader = 34;
inline constexpr int kTablePoints = 8, kHeaderPoints = 8;

inline QFont sized(int points, bool bold = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(points);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferNoShaping); // no ligatures: the text is copied as typed
    return f;
}

inline QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

// The running header every page but the first carries: a bold line, a plain one, a rule.
void drawRunningHeader(QPainter& p, const QString& line1, const QString& line2);
// The footer: what the report is on the left, "Page n of m" on the right.
void drawFooter(QPainter& p, const QString& left, int number, int count);

} // namespace tarvelon::report::page
