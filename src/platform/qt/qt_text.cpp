#include "platform/qt/qt_text.h"

#include "platform/cp1252.h"

#include <QList>

namespace tarvelon {

QString fromText(const std::string& text)
{
    const std::u32string points = fromCp1252(text);
    return QString::fromUcs4(points.data(), static_cast<qsizetype>(points.size()));
}

std::string toText(const QString& text)
{
    // toUcs4 joins surrogate pairs, so each character the user sees is one code point here.
    const QList<uint> points = text.toUcs4();
    std::string out;
    out.reserve(static_cast<size_t>(points.size()));
    for (uint p : points)
        out.push_back(toCp1252(static_cast<char32_t>(p)));
    return out;
}

} // namespace tarvelon
