// What a reader is told of the probe a survey was read with and of a base that carries on.
#include "analysis/displacement.h"

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
    return readoutNumber(s.readout) + " of " + s.date;
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

std::string probeChangeText(const Survey& base, const Survey& readout, const TubeSettings& settings)
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
        return text.empty() ? std::string("unknown") : text;
    };
    return "probe changed since the base: read with " + named(readout) + ", the base with " + named(base) +
           (constants ? " (each reduced with its own constant)" : "");
}

std::string carriedBaseText(const TubeResult& tube)
{
    if (!tube.base || !tube.previousBase)
        return {};
    return "carries on from base " + surveyLabel(*tube.previousBase) + ": base " + surveyLabel(*tube.base) +
           "'s cumulative against it is added to every later readout";
}

} // namespace tarvelon::surveys
