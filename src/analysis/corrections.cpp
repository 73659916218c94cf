#include "analysis/corrections.h"

#include "analysis/displacement.h"
#include "analysis/said.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <numbers>

namespace tarvelon::surveys {
namespace {

std::string signedFixed(double v, int decimals)
{
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals).ptr;
    std::string s(buf, end);
    if (s.find_first_not_of("-0.") == std::string::npos)
        return s[0] == '-' ? s.substr(1) : s;
    return s[0] == '-' ? s : "+" + s;
}

// The kind as a person reads it; kindName() keeps the library's English word.
std::string shownKind(CorrectionKind kind)
{
    switch (kind) {
    case CorrectionKind::Bias: return said(QT_TRANSLATE_NOOP("Texts", "bias"));
    case CorrectionKind::Rotation: return said(QT_TRANSLATE_NOOP("Texts", "rotation"));
    case CorrectionKind::DepthShift: return said(QT_TRANSLATE_NOOP("Texts", "depth shift"));
    case CorrectionKind::TopDisplacement: return said(QT_TRANSLATE_NOOP("Texts", "top displacement"));
    }
    return said(QT_TRANSLATE_NOOP("Texts", "bias"));
}

std::string unitsWord()
{
    return said(QT_TRANSLATE_NOOP("Texts", "units"));
}

double sinDegrees(double degrees)
{
    return std::sin(degrees * std::numbers::pi / 180);
}

} // namespace

std::string correctionName(const Correction& c)
{
    return c.kind == CorrectionKind::DepthShift ? shownKind(c.kind) : shownKind(c.kind) + (c.axis ? " B" : " A");
}

std::string correctionValue(const Correction& c)
{
    return signedFixed(c.value, 2) + (c.kind == CorrectionKind::Bias       ? " " + unitsWord()
                                      : c.kind == CorrectionKind::Rotation ? "°"
                                      : c.kind == CorrectionKind::DepthShift ? " m"
                                                                           : " mm");
}

std::string kindName(CorrectionKind kind)
{
    switch (kind) {
    case CorrectionKind::Bias: return "bias";
    case CorrectionKind::Rotation: return "rotation";
    case CorrectionKind::DepthShift: return "depth shift";
    case CorrectionKind::TopDisplacement: return "top displacement";
    }
    return "bias";
}

std::optional<CorrectionKind> kindNamed(const std::string& name)
{
    for (CorrectionKind k : {CorrectionKind::Bias, CorrectionKind::Rotation, CorrectionKind::DepthShift,
                             CorrectionKind::TopDisplacement})
        if (kindName(k) == name)
            return k;
    return std::nullopt;
}

AppliedCorrections appliedCorrections(const std::vector<Correction>& corrections)
{
    AppliedCorrections out;
    for (const Correction& c : corrections) {
        if (!c.on || c.axis < 0 || c.axis > 1)
            continue;
        const size_t j = size_t(c.axis);
        switch (c.kind) {
        case CorrectionKind::Bias: out.bias[j] += c.value, out.any = true; break;
        case CorrectionKind::Rotation: out.sinRotation[j] = sinDegrees(c.value), out.any = true; break;
        case CorrectionKind::DepthShift: out.depthShiftM += c.value, out.any = true; break;
        case CorrectionKind::TopDisplacement: out.topMm[j] = c.value; break;
        }
    }
    return out;
}

void unrotate(const AppliedCorrections& applied, std::optional<double>& a, std::optional<double>& b)
{
    if (applied.sinRotation[0] == 0 && applied.sinRotation[1] == 0)
        return;
    // Each axis gives back the share it read of the other's reading; without the other, it cannot.
    const std::optional<double> a0 = a, b0 = b;
    if (applied.sinRotation[0] != 0)
        a = a0 && b0 ? std::optional<double>(*a0 - applied.sinRotation[0] * *b0) : std::nullopt;
    if (applied.sinRotation[1] != 0)
        b = a0 && b0 ? std::optional<double>(*b0 - applied.sinRotation[1] * *a0) : std::nullopt;
}

double depthShiftMetres(const std::vector<Correction>& corrections)
{
    return appliedCorrections(corrections).depthShiftM;
}

namespace {
constexpr std::string_view kInsisted = "; kept by the engineer because: ";
}

std::string insistedText(const Correction& c)
{
    const size_t at = c.how.find(kInsisted);
    return at == std::string::npos ? std::string() : c.how.substr(at + kInsisted.size());
}

std::string insistedHow(const std::string& how, const std::string& refusal, const std::string& why)
{
    return how + "; refused: " + refusal + std::string(kInsisted) + why;
}

std::string reductionNote(bool secondPass)
{
    return secondPass ? ", second pass on" : ", second pass off";
}

std::optional<bool> foundWithSecondPass(const Correction& c)
{
    for (bool second : {true, false})
        if (c.how.find(reductionNote(second).substr(2)) != std::string::npos)
            return second;
    return std::nullopt;
}

std::string otherReductionText(const std::vector<Correction>& corrections, const TubeSettings& settings)
{
    // A depth shift matches readings 1 and 2, whichever the reduction.
    for (const Correction& c : corrections)
        if (const auto second = foundWithSecondPass(c);
            c.on && c.kind != CorrectionKind::DepthShift && c.kind != CorrectionKind::TopDisplacement && second && *second != settings.secondPass)
            return std::string("the corrections were found with the second pass ") + (*second ? "on" : "off") +
                   ", the tube now reduces " + (settings.secondPass ? "with it" : "without it") +
                   ": the accepted bias is for the other reduction; clear them and propose again";
    return {};
}

void putCorrection(std::vector<Correction>& list, Correction c)
{
    std::erase_if(list, [&c](const Correction& k) { return k.kind == c.kind && k.axis == c.axis; });
    list.push_back(std::move(c));
}

std::string correctionsText(const std::vector<Correction>& corrections)
{
    std::string out, hows;
    for (CorrectionKind kind : {CorrectionKind::Bias, CorrectionKind::Rotation, CorrectionKind::DepthShift,
                                CorrectionKind::TopDisplacement}) {
        std::string part;
        for (const Correction& c : corrections) {
            if (!c.on || c.kind != kind)
                continue;
            const std::string value = kind == CorrectionKind::Bias       ? signedFixed(c.value, 2)
                                      : kind == CorrectionKind::Rotation ? signedFixed(c.value, 2) + "°"
                                      : kind == CorrectionKind::DepthShift ? signedFixed(c.value, 2) + " m"
                                                                           : signedFixed(c.value, 2) + " mm";
            part += (part.empty() ? shownKind(kind) + " " : ", ") +
                    (kind == CorrectionKind::DepthShift ? value : std::string(c.axis ? "B " : "A ") + value);
            std::string how = c.how;
            if (!c.acceptedAt.empty())
                how += (how.empty() ? "" : ", ") +
                       surveys::said(QT_TRANSLATE_NOOP("Texts", "accepted %1"), {c.acceptedAt.substr(0, 10)});
            if (!how.empty() && hows.find(how) == std::string::npos)
                hows += (hows.empty() ? "" : "; ") + how;
        }
        if (kind == CorrectionKind::Bias && !part.empty())
            part += " " + unitsWord();
        if (!part.empty())
            out += (out.empty() ? "" : "; ") + part;
    }
    return out.empty() || hows.empty() ? out : out + " (" + hows + ")";
}

} // namespace tarvelon::surveys
