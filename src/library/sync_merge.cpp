#include "library/sync_merge.h"

#include "analysis/displacement.h"

#include <charconv>
#include <cstdlib>
#include <functional>
#include <set>

namespace tarvelon::surveys {
namespace {

std::string number(double v)
{
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
    return std::string(buf, end);
}

std::string optional(const std::optional<double>& v)
{
    return v ? number(*v) : std::string();
}

std::optional<double> optionalOf(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    return std::strtod(text.c_str(), nullptr);
}

struct Setting {
    const char* name;
    std::function<std::string(const TubeSettings&)> get;
    std::function<void(TubeSettings&, const std::string&)> set;
};

template <typename T> Setting optionalSetting(const char* name, std::optional<double> T::*member)
{
    return {name, [member](const TubeSettings& t) { return optional(t.*member); },
            [member](TubeSettings& t, const std::string& v) { t.*member = optionalOf(v); }};
}

Setting textSetting(const char* name, std::string TubeReportFields::*member)
{
    return {name, [member](const TubeSettings& t) { return t.report.*member; },
            [member](TubeSettings& t, const std::string& v) { t.report.*member = v; }};
}

// Every setting of a tube but its base, which is a survey and goes by the survey's key.
const std::vector<Setting>& settings()
{
    static const std::vector<Setting> all{
        {"probe constant", [](const TubeSettings& t) { return number(t.constant); },
         [](TubeSettings& t, const std::string& v) { t.constant = std::strtod(v.c_str(), nullptr); }},
        {"units", [](const TubeSettings& t) { return std::string(t.units == Units::Inches ? "in" : "mm"); },
         [](TubeSettings& t, const std::string& v) { t.units = v == "in" ? Units::Inches : Units::Millimetres; }},
        optionalSetting("north", &TubeSettings::north),
        optionalSetting("alert", &TubeSettings::alertMm),
        optionalSetting("alarm", &TubeSettings::alarmMm),
        optionalSetting("alert rate", &TubeSettings::alertMmPerDay),
        optionalSetting("alarm rate", &TubeSettings::alarmMmPerDay),
        {"second pass", [](const TubeSettings& t) { return std::string(t.secondPass ? "yes" : "no"); },
         [](TubeSettings& t, const std::string& v) { t.secondPass = v == "yes"; }},
        {"depth reference", [](const TubeSettings& t) { return depthReferenceName(t.depthReference); },
         [](TubeSettings& t, const std::string& v) {
             t.depthReference = depthReferenceNamed(v).value_or(DepthReference::UpperWheel);
         }},
        {"gauge", [](const TubeSettings& t) { return number(t.gaugeM); },
         [](TubeSettings& t, const std::string& v) { t.gaugeM = std::strtod(v.c_str(), nullptr); }},
        optionalSetting("checksum tolerance", &TubeSettings::checksumTolerance),
        {"fixed end", [](const TubeSettings& t) { return fixedEndName(t.fixedEnd); },
         [](TubeSettings& t, const std::string& v) { t.fixedEnd = fixedEndNamed(v).value_or(FixedEnd::Toe); }},
        {"minimum rate interval", [](const TubeSettings& t) { return number(t.minIntervalDays); },
         [](TubeSettings& t, const std::string& v) { t.minIntervalDays = std::strtod(v.c_str(), nullptr); }},
        {"precision", [](const TubeSettings& t) { return number(t.precisionMm); },
         [](TubeSettings& t, const std::string& v) { t.precisionMm = std::strtod(v.c_str(), nullptr); }},
        {"rate unit", [](const TubeSettings& t) { return rateUnitWord(t.rateUnit); },
         [](TubeSettings& t, const std::string& v) { t.rateUnit = rateUnitNamed(v).value_or(RateUnit::Day); }},
        optionalSetting("easting", &TubeSettings::easting),
        optionalSetting("northing", &TubeSettings::northing),
        optionalSetting("reading interval", &TubeSettings::readingIntervalDays),
        textSetting("project", &TubeReportFields::project),
        textSetting("project number", &TubeReportFields::projectNo),
        textSetting("location", &TubeReportFields::location),
        textSetting("probe serial", &TubeReportFields::probeSerial),
        textSetting("remarks", &TubeReportFields::remarks),
        textSetting("report language", &TubeReportFields::language),
        {"top elevation", [](const TubeSettings& t) { return optional(t.report.topElevation); },
         [](TubeSettings& t, const std::string& v) { t.report.topElevation = optionalOf(v); }},
    };
    return all;
}

constexpr std::string_view kBase = "base";
// The base a new base carries on from, by its survey's key as the base goes.
constexpr std::string_view kPreviousBase = "previous base";
constexpr std::string_view kCorrection = "correction ";
// A survey's probe, "SERIAL\tCONSTANT" (no constant: the tube's), by the survey's key.
constexpr std::string_view kProbe = "readout probe ";

std::string surveyKey(const Survey& s)
{
    return s.readout + " " + s.date + " " + s.time;
}

std::string correctionField(const Survey& s, const Correction& c)
{
    return std::string(kCorrection) + surveyKey(s) + " " + kindName(c.kind) + " " + std::to_string(c.axis);
}

std::string correctionText(const Correction& c)
{
    return number(c.value) + "\t" + c.how + "\t" + c.acceptedAt + "\t" + (c.on ? "on" : "off");
}

bool isCorrection(const std::string& field)
{
    return field.rfind(kCorrection, 0) == 0;
}

bool isProbe(const std::string& field)
{
    return field.rfind(kProbe, 0) == 0;
}

std::string probeField(const Survey& s)
{
    return std::string(kProbe) + surveyKey(s);
}

// A survey's id in `surveys` by its key: `kept` when the key names none here (as after a
// conflict of readings), 0 for no key.
std::int64_t surveyIdOf(const std::vector<Survey>& surveys, const std::string& key, std::int64_t kept)
{
    if (key.empty())
        return 0;
    for (const Survey& s : surveys)
        if (surveyKey(s) == key)
            return s.id;
    return kept;
}

} // namespace

Fields fieldsOf(SurveyStore& store, const TubeKey& tube)
{
    Fields f;
    const TubeSettings t = store.tubeSettings(tube);
    for (const Setting& s : settings())
        f[s.name] = s.get(t);
    const std::vector<Survey> surveys = store.tubeSurveys(tube);
    std::string base, previous;
    const auto corrections = store.corrections(tube);
    for (const Survey& s : surveys) {
        if (s.id == t.baseId)
            base = surveyKey(s);
        if (s.id == t.continuedFromId)
            previous = surveyKey(s);
        if (!s.probeSerial.empty() || s.probeConstant)
            f[probeField(s)] = s.probeSerial + "\t" + optional(s.probeConstant);
        if (const auto it = corrections.find(s.id); it != corrections.end())
            for (const Correction& c : it->second)
                f[correctionField(s, c)] = correctionText(c);
    }
    f[std::string(kBase)] = base;
    f[std::string(kPreviousBase)] = previous;
    return f;
}

std::string defaultOf(const std::string& field)
{
    if (isCorrection(field) || isProbe(field) || field == kBase || field == kPreviousBase)
        return {};
    static const TubeSettings none;
    for (const Setting& s : settings())
        if (field == s.name)
            return s.get(none);
    return {};
}

Merged mergeFields(const Fields& a, const Fields& b, const Fields& base, bool keepB)
{
    Merged m;
    std::set<std::string> names;
    for (const Fields* f : {&a, &b, &base})
        for (const auto& [name, value] : *f)
            names.insert(name);
    const auto valueIn = [](const Fields& f, const std::string& name, const std::string& otherwise) {
        const auto it = f.find(name);
        return it == f.end() ? otherwise : it->second;
    };
    for (const std::string& name : names) {
        const std::string none = defaultOf(name);
        const std::string va = valueIn(a, name, none), vb = valueIn(b, name, none);
        const std::string was = valueIn(base, name, none);
        std::string merged;
        if (va == vb || vb == was)
            merged = va;
        else if (va == was)
            merged = vb;
        else {
            merged = keepB ? vb : va;
            m.conflictFields.push_back(name);
        }
        if (merged != none || !(isCorrection(name) || isProbe(name)))
            m.fields[name] = merged;
    }
    return m;
}

bool applyFields(SurveyStore& store, const TubeKey& tube, const Fields& had, const Fields& merged, bool& changed,
                 std::string& error)
{
    changed = false;
    const auto valueIn = [](const Fields& f, const std::string& name) {
        const auto it = f.find(name);
        return it == f.end() ? defaultOf(name) : it->second;
    };
    bool differs = false;
    for (const Fields* f : {&had, &merged})
        for (const auto& [name, value] : *f)
            differs = differs || valueIn(had, name) != valueIn(merged, name);
    if (!differs)
        return true;
    const std::vector<Survey> surveys = store.tubeSurveys(tube);
    // The settings, the base found by its survey's key here (kept as it was when that survey is
    // not here, as after a conflict of readings).
    TubeSettings t = store.tubeSettings(tube);
    const TubeSettings before = t;
    for (const Setting& s : settings())
        s.set(t, valueIn(merged, s.name));
    if (const std::string base = valueIn(merged, std::string(kBase)); base != valueIn(had, std::string(kBase)))
        t.baseId = surveyIdOf(surveys, base, before.baseId);
    if (const std::string previous = valueIn(merged, std::string(kPreviousBase));
        previous != valueIn(had, std::string(kPreviousBase)))
        t.continuedFromId = surveyIdOf(surveys, previous, before.continuedFromId);
    if (!(t == before)) {
        if (!store.setTubeSettings(tube, t, "", "sync")) {
            error = store.error();
            return false;
        }
        changed = true;
    }
    // Each readout's corrections, written whole where any of them differs, and its probe.
    for (const Survey& s : surveys) {
        if (const std::string probe = valueIn(merged, probeField(s)); probe != valueIn(had, probeField(s))) {
            const size_t tab = probe.find('\t');
            if (!store.setProbe(s.id, probe.substr(0, tab),
                                tab == std::string::npos ? std::nullopt : optionalOf(probe.substr(tab + 1)), "sync")) {
                error = store.error();
                return false;
            }
            changed = true;
        }
        const std::string prefix = std::string(kCorrection) + surveyKey(s) + " ";
        bool differs = false;
        std::vector<Correction> list;
        for (const Fields* f : {&had, &merged})
            for (auto it = f->lower_bound(prefix); it != f->end() && it->first.rfind(prefix, 0) == 0; ++it)
                differs = differs || valueIn(had, it->first) != valueIn(merged, it->first);
        if (!differs)
            continue;
        for (auto it = merged.lower_bound(prefix); it != merged.end() && it->first.rfind(prefix, 0) == 0; ++it) {
            // "KIND AXIS" after the prefix; the value "VALUE\tHOW\tACCEPTED\tON".
            const std::string rest = it->first.substr(prefix.size());
            const size_t space = rest.rfind(' ');
            const std::optional<CorrectionKind> kind = kindNamed(rest.substr(0, space));
            const std::string& v = it->second;
            const size_t t1 = v.find('\t'), t2 = v.find('\t', t1 + 1), t3 = v.find('\t', t2 + 1);
            if (!kind || t3 == std::string::npos)
                continue;
            list.push_back({*kind, std::atoi(rest.c_str() + space + 1), std::strtod(v.c_str(), nullptr),
                            v.substr(t1 + 1, t2 - t1 - 1), v.substr(t2 + 1, t3 - t2 - 1), v.substr(t3 + 1) == "on"});
        }
        if (!store.setCorrections(s.id, list, "sync")) {
            error = store.error();
            return false;
        }
        changed = true;
    }
    return true;
}

} // namespace tarvelon::surveys
