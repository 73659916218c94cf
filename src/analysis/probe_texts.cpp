// What a reader is told of the probe a survey was read with and of a base that carries on.
#include "analysis/displacement.h"
#include "analysis/said.h"

#include <cmath>
#include <cstdio>

namespace tarvelon::surveys {
namespace {

std::string constantText(double k)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.10g", k);
    return buf;
}

std::string surveyLabel(const Survey& s)
{
    return said(QT_TRANSLATE_NOOP("Texts", "%1 of %2"), {readoutNumber(s.readout), s.date});
}

} // namespace

std::string probeText(const Survey& s, const TubeSettings& settings)
{
    const double k = probeConstantOf(s, settings);
    std::string out = s.probeSerial;
    if (k > 0)
        out += (out.empty() ? "K " : ", K ") + constantText(k);
    return out;
}

Reason probeChangeText(const Survey& base, const Survey& readout, const TubeSettings& settings)
{
    const double k = probeConstantOf(readout, settings), baseK = probeConstantOf(base, settings);
    // A serial left blank on one side says nothing of a change; two constants that differ do.
    const bool serials = !readout.probeSerial.empty() && !base.probeSerial.empty() &&
                         readout.probeSerial != base.probeSerial;
    const bool constants = k > 0 && baseK > 0 && std::abs(k - baseK) > 1e-9 * std::max(k, baseK);
    if (!serials && !constants)
        return {};
    const auto named = [&settings](const Survey& s) {
        const std::string text = probeText(s, settings);
        return text.empty() ? Reason(QT_TRANSLATE_NOOP("Texts", "unknown")) : Reason::verbatim(text);
    };
    return Reason::quoting(constants ? QT_TRANSLATE_NOOP("Texts", "probe changed since the base: read with %1, the base "
                                                                  "with %2 (each reduced with its own constant)")
                                     : QT_TRANSLATE_NOOP("Texts", "probe changed since the base: read with %1, the base "
                                                                  "with %2"),
                           {named(readout), named(base)});
}

std::string carriedBaseText(const TubeResult& tube)
{
    if (!tube.base || !tube.previousBase)
        return {};
    // Said where it is shown, in the window's or the report's language; no file holds it.
    return said(QT_TRANSLATE_NOOP("Texts", "carries on from base %1: base %2's cumulative against it is added to every "
                                           "later readout"),
                {surveyLabel(*tube.previousBase), surveyLabel(*tube.base)});
}

} // namespace tarvelon::surveys
