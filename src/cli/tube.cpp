// tarvelon tube: everything the library holds for a tube, set and shown.
#include "cli/command.h"
#include "shell/texts.h"
#include "cli/console.h"
#include "cli/library.h"
#include "cli/options.h"
#include "cli/tube_key.h"
#include "analysis/displacement.h"
#include "library/download_feed.h"
#include "library/store.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace tarvelon::cli {
namespace {

// What a field reads and writes: the tube's settings and what the library knows of the tube.
struct TubeContext {
    surveys::SurveyStore& store;
    const surveys::TubeKey& key;
    const std::vector<surveys::Survey>& readouts;
    surveys::TubeSettings& settings;
};

// One setting of a tube: its option, how a value typed changes it (the message when the text
// is no value of it) and how it is shown, in a form the option takes back.
struct TubeField {
    const char* option;
    const char* valueName;
    const char* help;
    std::optional<QString> (*set)(TubeContext& tube, const QString& text);
    QString (*show)(const TubeContext& tube);
};

QString number(double v)
{
    return QString::number(v, 'g', 10);
}

std::optional<double> numberOf(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

QString needs(const char* option, const char* what, const QString& text)
{
    return Texts::tr("--%1 takes %2, not \"%3\"").arg(QLatin1String(option), Texts::tr(what), text);
}

// A length or a rate in the tube's units ("none" clears it), kept in millimetres.
template <std::optional<double> surveys::TubeSettings::*member, const char* option>
std::optional<QString> setLength(TubeContext& tube, const QString& text)
{
    if (text == QLatin1String("none")) {
        tube.settings.*member = std::nullopt;
        return std::nullopt;
    }
    const std::optional<double> v = numberOf(text);
    if (!v || !(*v > 0))
        return needs(option, QT_TRANSLATE_NOOP("Texts", "a positive number in the tube's units, or \"none\""), text);
    tube.settings.*member = tube.settings.units == surveys::Units::Inches ? *v * 25.4 : *v;
    return std::nullopt;
}

// A rate in the tube's units per its rate unit ("none" clears it), kept in millimetres per day.
template <std::optional<double> surveys::TubeSettings::*member, const char* option>
std::optional<QString> setRate(TubeContext& tube, const QString& text)
{
    if (text == QLatin1String("none")) {
        tube.settings.*member = std::nullopt;
        return std::nullopt;
    }
    const std::optional<double> v = numberOf(text);
    if (!v || !(*v > 0))
        return needs(option, QT_TRANSLATE_NOOP("Texts", "a positive rate in the tube's units per its rate unit, or \"none\""), text);
    tube.settings.*member = surveys::rateMmPerDay(*v, tube.settings);
    return std::nullopt;
}

template <std::optional<double> surveys::TubeSettings::*member>
QString showRate(const TubeContext& tube)
{
    const std::optional<double> mmPerDay = tube.settings.*member;
    return mmPerDay ? number(surveys::rateInUnits(*mmPerDay, tube.settings)) : QStringLiteral("none");
}

template <std::optional<double> surveys::TubeSettings::*member>
QString showLength(const TubeContext& tube)
{
    const std::optional<double> mm = tube.settings.*member;
    return mm ? number(surveys::inUnits(*mm, tube.settings.units)) : QStringLiteral("none");
}

// A text of the tube's report, kept as typed less its outer blanks.
template <std::string surveys::TubeReportFields::*member>
std::optional<QString> setText(TubeContext& tube, const QString& text)
{
    tube.settings.report.*member = text.trimmed().toStdString();
    return std::nullopt;
}

template <std::string surveys::TubeReportFields::*member>
QString showText(const TubeContext& tube)
{
    return QString::fromStdString(tube.settings.report.*member);
}

// A coordinate on the site's plan, metres ("none" clears it).
template <std::optional<double> surveys::TubeSettings::*member, const char* option>
std::optional<QString> setCoordinate(TubeContext& tube, const QString& text)
{
    if (text == QLatin1String("none")) {
        tube.settings.*member = std::nullopt;
        return std::nullopt;
    }
    const std::optional<double> v = numberOf(text);
    if (!v || std::abs(*v) > 1e8)
        return needs(option, QT_TRANSLATE_NOOP("Texts", "a coordinate in metres, or \"none\""), text);
    tube.settings.*member = *v;
    return std::nullopt;
}

template <std::optional<double> surveys::TubeSettings::*member>
QString showCoordinate(const TubeContext& tube)
{
    const std::optional<double> v = tube.settings.*member;
    return v ? number(*v) : QStringLiteral("none");
}

constexpr char kEasting[] = "easting", kNorthing[] = "northing";
constexpr char kAlert[] = "alert", kAlarm[] = "alarm", kAlertRate[] = "alert-rate", kAlarmRate[] = "alarm-rate";

// Units and the rate unit come before the thresholds, so a threshold given with them is read in
// the new units.
const TubeField kFields[] = {
    {"constant", "K", QT_TRANSLATE_NOOP("Texts", "The probe constant K: reading units for sin = 1."),
     [](TubeContext& t, const QString& text) -> std::optional<QString> {
         const auto v = numberOf(text);
         if (!v || !(*v > 0))
             return needs("constant", QT_TRANSLATE_NOOP("Texts", "a positive number of reading units"), text);
         t.settings.constant = *v;
         return std::nullopt;
     },
     [](const TubeContext& t) { return t.settings.constant > 0 ? number(t.settings.constant) : QStringLiteral("none"); }},
    {"base", "READOUT", QT_TRANSLATE_NOOP("Texts", "The base readout's number (\"none\": no base)."),
     [](TubeContext& t, const QString& text) -> std::optional<QString> {
         if (text == QLatin1String("none")) {
             t.settings.baseId = 0;
             return std::nullopt;
         }
         const std::optional<std::int64_t> id = t.store.findReadout(t.key, text.toStdString());
         if (!id)
             return tubeName(t.key) + QStringLiteral(" has no readout number ") + text;
         t.settings.baseId = *id;
         return std::nullopt;
     },
     [](const TubeContext& t) {
         for (const surveys::Survey& s : t.readouts)
             if (s.id == t.settings.baseId)
                 return QString::fromStdString(surveys::readoutNumber(s.readout));
         return QStringLiteral("none");
     }},
    {"units", "mm|in", QT_TRANSLATE_NOOP("Texts", "Millimetres or inches for every length, threshold and rate."),
     [](TubeContext& t, const QString& text) -> std::optional<QString> {
         if (text != QLatin1String("mm") && text != QLatin1String("in"))
             return needs("units", QT_TRANSLATE_NOOP("Texts", "mm or in"), text);
         t.settings.units = text == QLatin1String("in") ? surveys::Units::Inches : surveys::Units::Millimetres;
         return std::nullopt;
     },
     [](const TubeContext& t) { return QString::fromStdString(surveys::unitName(t.settings.units)); }},
    {"rate-unit", "day|month|year", QT_TRANSLATE_NOOP("Texts", "The time rates are given per, and the rate thresholds read in."),
     [](TubeContext& t, const QString& text) -> std::optional<QString> {
         const auto u = surveys::rateUnitNamed(text.toStdString());
         if (!u)
             return needs("rate-unit", QT_TRANSLATE_NOOP("Texts", "day, month or year"), text);
         t.settings.rateUnit = *u;
         return std::nullopt;
     },
     [](const TubeContext& t) { return QString::fromStdString(surveys::rateUnitWord(t.settings.rateUnit)); }},
    {"north", "DEGREES", QT_TRANSLATE_NOOP("Texts", "Degrees clockwise from north of the A0 groove (\"none\": the base header's)."),
     [](TubeContext& t, const QString& text) -> std::optional<QString> {
         if (text == QLatin1String("none")) {
             t.settings.north = std::nullopt;
             return std::nullopt;
         }
         const auto v = numberOf(text);
         if (!v || *v < 0 || *v >= 360)
             return needs("north", QT_TRANSLATE_NOOP("Texts", "degrees from 0 to 360, or \"none\""), text);
         t.settings.north = *v;
         return std::nullopt;
     },
     [](const TubeContext& t) { return t.settings.north ? number(*t.settings.north) : QStringLiteral("none"); }},
    {"gauge", "M", QT_TRANSLATE_NOOP("Texts", "The probe's gauge length (wheel base) in metres."),
     [](TubeContext& t, const QString& text) -> std::optional<QString> {
         const auto v = numberOf(text);
         if (!v || !(*v > 0) || *v > 10)
             return needs("gauge", QT_TRANSLATE_NOOP("Texts", "a positive length in metres"), text);
         t.settings.gaugeM = *v;
         return std::nullopt;
     },
     [](const TubeContext& t) { return number(t.settings.gaugeM); }},
    {"depth-reference", "upper|lower|centre", QT_TRANSLATE_NOOP("Texts", "What a reading's depth marks on the probe."),
     [](TubeContext& t, const QString& text) -> std::optional<QString> {
         const auto r = surveys::depthReferenceNamed(text.toStdString());
         if (!r)
             return needs("depth-reference", QT_TRANSLATE_NOOP("Texts", "upper, lower or centre"), text);
         t.settings.depthReference = *r;
         return std::nullopt;
     },
     [](const TubeContext& t) { return QString::fromStdString(surveys::depthReferenceName(t.settings.depthReference)); }},
    {kAlert, "LENGTH", QT_TRANSLATE_NOOP("Texts", "The resultant that raises an alert, in the tube's units (\"none\": no alert)."),
     setLength<&surveys::TubeSettings::alertMm, kAlert>, showLength<&surveys::TubeSettings::alertMm>},
    {kAlarm, "LENGTH", QT_TRANSLATE_NOOP("Texts", "The resultant that raises an alarm, in the tube's units."),
     setLength<&surveys::TubeSettings::alarmMm, kAlarm>, showLength<&surveys::TubeSettings::alarmMm>},
    {kAlertRate, "RATE", QT_TRANSLATE_NOOP("Texts", "The rate that raises an alert, in the tube's units per its rate unit."),
     setRate<&surveys::TubeSettings::alertMmPerDay, kAlertRate>, showRate<&surveys::TubeSettings::alertMmPerDay>},
    {kAlarmRate, "RATE", QT_TRANSLATE_NOOP("Texts", "The rate that raises an alarm, in the tube's units per its rate unit."),
     setRate<&surveys::TubeSettings::alarmMmPerDay, kAlarmRate>, showRate<&surveys::TubeSettings::alarmMmPerDay>},
    {"fixed-end", "toe|common|top",
     QT_TRANSLATE_NOOP("Texts", "The end taken as not moving: the toe (the deepest common depth when a readout lacks the bottom rows), the "
     "deepest depth each readout shares with the base, or the top (its displacement entered per readout)."),
     [](TubeContext& t, const QString& text) -> std::optional<QString> {
         const auto e = surveys::fixedEndNamed(text.toStdString());
         if (!e)
             return needs("fixed-end", QT_TRANSLATE_NOOP("Texts", "toe, common or top"), text);
         t.settings.fixedEnd = *e;
         return std::nullopt;
     },
     [](const TubeContext& t) { return QString::fromStdString(surveys::fixedEndName(t.settings.fixedEnd)); }},
    {"min-interval", "DAYS",
     QT_TRANSLATE_NOOP("Texts", "A readout closer than this to the one before is rated against the latest at least this long before."),
     [](TubeContext& t, const QString& text) -> std::optional<QString> {
         const auto v = numberOf(text);
         if (!v || *v < 0 || *v > 3650)
             return needs("min-interval", QT_TRANSLATE_NOOP("Texts", "days from 0 to 3650"), text);
         t.settings.minIntervalDays = *v;
         return std::nullopt;
     },
     [](const TubeContext& t) { return number(t.settings.minIntervalDays); }},
    {"precision", "LENGTH",
     QT_TRANSLATE_NOOP("Texts", "The random error of one reading interval in the tube's units; the band a change must leave to raise a rate."),
     [](TubeContext& t, const QString& text) -> std::optional<QString> {
         const auto v = numberOf(text);
         if (!v || *v < 0 || *v > 100)
             return needs("precision", QT_TRANSLATE_NOOP("Texts", "a length from 0 in the tube's units"), text);
         // To a millionth of a millimetre, so the value shown in inches, given back, changes nothing.
         t.settings.precisionMm = std::round((t.settings.units == surveys::Units::Inches ? *v * 25.4 : *v) * 1e6) / 1e6;
         return std::nullopt;
     },
     [](const TubeContext& t) { return number(surveys::inUnits(t.settings.precisionMm, t.settings.units)); }},
    {"second-pass", "on|off", QT_TRANSLATE_NOOP("Texts", "Readings 3 and 4 hold the 180-degree pass."),
     [](TubeContext& t, const QString& text) -> std::optional<QString> {
         if (text != QLatin1String("on") && text != QLatin1String("off"))
             return needs("second-pass", QT_TRANSLATE_NOOP("Texts", "on or off"), text);
         t.settings.secondPass = text == QLatin1String("on");
         return std::nullopt;
     },
     [](const TubeContext& t) { return t.settings.secondPass ? QStringLiteral("on") : QStringLiteral("off"); }},
    {"checksum-tolerance", "UNITS",
     QT_TRANSLATE_NOOP("Texts", "How far (reading units) a checksum mean may move from the base's before \"possible bias shift\"."),
     [](TubeContext& t, const QString& text) -> std::optional<QString> {
         if (text == QLatin1String("none")) {
             t.settings.checksumTolerance = std::nullopt;
             return std::nullopt;
         }
         const auto v = numberOf(text);
         if (!v || !(*v > 0))
             return needs("checksum-tolerance", QT_TRANSLATE_NOOP("Texts", "a positive number of reading units, or \"none\""), text);
         t.settings.checksumTolerance = *v;
         return std::nullopt;
     },
     [](const TubeContext& t) {
         return t.settings.checksumTolerance ? number(*t.settings.checksumTolerance) : QStringLiteral("none");
     }},
    {"easting", "M", QT_TRANSLATE_NOOP("Texts", "Where the tube stands on the site's plan, metres east in the site's grid (\"none\" clears it)."),
     setCoordinate<&surveys::TubeSettings::easting, kEasting>, showCoordinate<&surveys::TubeSettings::easting>},
    {"northing", "M", QT_TRANSLATE_NOOP("Texts", "Where the tube stands on the site's plan, metres north in the site's grid (\"none\" clears it)."),
     setCoordinate<&surveys::TubeSettings::northing, kNorthing>, showCoordinate<&surveys::TubeSettings::northing>},
    {"interval", "DAYS", QT_TRANSLATE_NOOP("Texts", "How often the tube should be read; a later readout is overdue (\"none\": no interval)."),
     [](TubeContext& t, const QString& text) -> std::optional<QString> {
         if (text == QLatin1String("none")) {
             t.settings.readingIntervalDays = std::nullopt;
             return std::nullopt;
         }
         const auto v = numberOf(text);
         if (!v || !(*v > 0) || *v > 3650)
             return needs("interval", QT_TRANSLATE_NOOP("Texts", "days from 0 to 3650, or \"none\""), text);
         t.settings.readingIntervalDays = *v;
         return std::nullopt;
     },
     [](const TubeContext& t) {
         return t.settings.readingIntervalDays ? number(*t.settings.readingIntervalDays) : QStringLiteral("none");
     }},
    {"project", "TEXT", QT_TRANSLATE_NOOP("Texts", "The project's name, for the report."), setText<&surveys::TubeReportFields::project>,
     showText<&surveys::TubeReportFields::project>},
    {"project-no", "TEXT", QT_TRANSLATE_NOOP("Texts", "The project's number, for the report."), setText<&surveys::TubeReportFields::projectNo>,
     showText<&surveys::TubeReportFields::projectNo>},
    {"location", "TEXT", QT_TRANSLATE_NOOP("Texts", "Where the tube is, for the report."), setText<&surveys::TubeReportFields::location>,
     showText<&surveys::TubeReportFields::location>},
    {"top-elevation", "M", QT_TRANSLATE_NOOP("Texts", "The casing top's elevation in metres, for the report (\"none\" clears it)."),
     [](TubeContext& t, const QString& text) -> std::optional<QString> {
         if (text == QLatin1String("none")) {
             t.settings.report.topElevation = std::nullopt;
             return std::nullopt;
         }
         const auto v = numberOf(text);
         if (!v)
             return needs("top-elevation", QT_TRANSLATE_NOOP("Texts", "an elevation in metres, or \"none\""), text);
         t.settings.report.topElevation = *v;
         return std::nullopt;
     },
     [](const TubeContext& t) {
         return t.settings.report.topElevation ? number(*t.settings.report.topElevation) : QStringLiteral("none");
     }},
    {"probe-serial", "TEXT", QT_TRANSLATE_NOOP("Texts", "The probe's serial number, for the report."),
     setText<&surveys::TubeReportFields::probeSerial>, showText<&surveys::TubeReportFields::probeSerial>},
    {"remarks", "TEXT", QT_TRANSLATE_NOOP("Texts", "Remarks printed on the report's first page."), setText<&surveys::TubeReportFields::remarks>,
     showText<&surveys::TubeReportFields::remarks>},
};

void addOptions(QCommandLineParser& parser)
{
    addLibraryOption(parser);
    addTubeOptions(parser);
    for (const TubeField& f : kFields)
        parser.addOption({QLatin1String(f.option), Texts::tr(f.help), QLatin1String(f.valueName)});
    parser.addOption({QStringLiteral("continue"),
                      Texts::tr("With --base: the new base carries on from the one before, its cumulative against "
                                "it added to every later readout, so displacements and rates run on.")});
}

// --base with --continue: the base before is kept as the one the new base carries on from; a
// new base chosen without it starts every displacement at zero again.
std::optional<QString> carryOn(const QCommandLineParser& parser, const surveys::TubeSettings& stored,
                               surveys::TubeSettings& settings)
{
    const bool carry = parser.isSet(QStringLiteral("continue"));
    if (carry && !parser.isSet(QStringLiteral("base")))
        return Texts::tr("--continue goes with --base, the new base that carries on");
    if (settings.baseId == stored.baseId)
        return std::nullopt;
    if (carry && (!stored.baseId || !settings.baseId))
        return Texts::tr("--continue needs a base before and a new one: the tube had no base to carry on from");
    settings.continuedFromId = carry ? stored.baseId : 0;
    return std::nullopt;
}

// Thresholds that contradict each other change nothing.
std::optional<QString> contradiction(const surveys::TubeSettings& t)
{
    if (t.alertMm && t.alarmMm && *t.alertMm > *t.alarmMm)
        return Texts::tr("the alert (--alert) exceeds the alarm (--alarm)");
    if (t.alertMmPerDay && t.alarmMmPerDay && *t.alertMmPerDay > *t.alarmMmPerDay)
        return Texts::tr("the alert rate (--alert-rate) exceeds the alarm rate (--alarm-rate)");
    return std::nullopt;
}

int run(const QCommandLineParser& parser)
{
    const surveys::TubeKey key = tubeKeyOf(parser);
    const std::string library = *libraryOf(parser);
    // Only a command that changes a setting opens the library to write it.
    const bool changing = std::any_of(std::begin(kFields), std::end(kFields), [&parser](const TubeField& f) {
        return parser.isSet(QLatin1String(f.option));
    }) || parser.isSet(QStringLiteral("continue"));
    surveys::SurveyStore store;
    if (!openExistingLibrary(library, store, changing))
        return kFailed;
    const std::vector<surveys::Survey> readouts = tubeReadouts(store, key);
    if (readouts.empty())
        return kFailed;
    surveys::TubeSettings settings = store.tubeSettings(key);
    const surveys::TubeSettings stored = settings;
    TubeContext tube{store, key, readouts, settings};
    for (const TubeField& f : kFields) {
        if (!parser.isSet(QLatin1String(f.option)))
            continue;
        if (const std::optional<QString> wrong = f.set(tube, parser.value(QLatin1String(f.option)))) {
            printMessage(Texts::tr("Attention: %1; nothing changed").arg(*wrong));
            return kFailed;
        }
    }
    if (const std::optional<QString> wrong = carryOn(parser, stored, settings)) {
        printMessage(Texts::tr("Attention: %1; nothing changed").arg(*wrong));
        return kFailed;
    }
    if (const std::optional<QString> wrong = contradiction(settings)) {
        printMessage(Texts::tr("Attention: %1; nothing changed").arg(*wrong));
        return kFailed;
    }
    if (!(settings == stored) && !store.setTubeSettings(key, settings)) {
        printMessage(Texts::tr(kLibraryCannotBeWritten.data()) + QString::fromStdString(store.error()));
        return kFailed;
    }
    for (const TubeField& f : kFields)
        printResult(QStringLiteral("%1: %2").arg(QLatin1String(f.option), f.show(tube)));
    const surveys::Survey* base = nullptr;
    for (const surveys::Survey& s : readouts)
        if (s.id == settings.baseId)
            base = &s;
    // Said beside the settings, which read back as options: the choice goes with --base alone.
    const surveys::TubeResult analysed = surveys::analyseTube(readouts, settings);
    if (const std::string carried = surveys::carriedBaseText(analysed); !carried.empty())
        printMessage(Texts::tr("Note: the base %1").arg(QString::fromStdString(carried)));
    if (base)
        if (const std::string warning = surveys::settingsWarning(settings, *base); !warning.empty())
            printMessage(Texts::tr("Note: %1").arg(QString::fromStdString(warning)));
    // Corrections found for the reduction the tube no longer uses are said once per readout.
    if (settings.secondPass != stored.secondPass)
        for (const surveys::Survey& s : readouts)
            if (const std::string other = surveys::otherReductionText(store.corrections(s.id), settings); !other.empty())
                printMessage(Texts::tr("Note: readout %1: %2 (tarvelon correct --clear, then --propose)")
                                 .arg(QString::fromStdString(surveys::readoutNumber(s.readout)),
                                      QString::fromStdString(other)));
    return kSucceeded;
}

} // namespace

extern const Command kTubeCommand{
    "tube",
    "[--library FILE] --client C --site S --tube T [--constant K] [--base READOUT [--continue]] [--units mm|in] "
    "[--north DEG] "
    "[--gauge M] [--depth-reference upper|lower|centre] [--rate-unit day|month|year] [--alert L] [--alarm L] "
    "[--alert-rate R] [--alarm-rate R] [--fixed-end toe|common|top] [--min-interval DAYS] [--precision L] "
    "[--second-pass on|off] [--checksum-tolerance UNITS] [--easting M] [--northing M] [--interval DAYS] [--project TEXT] [--project-no TEXT] [--location TEXT] "
    "[--top-elevation M] [--probe-serial TEXT] [--remarks TEXT]",
    QT_TRANSLATE_NOOP("Texts", "A tube's settings: sets those given, then shows them all."), addOptions, run};

} // namespace tarvelon::cli
