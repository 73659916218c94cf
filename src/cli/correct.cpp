// tarvelon correct: a readout's corrections of the probe's systematic errors, proposed, accepted,
// entered, switched or cleared.
#include "cli/command.h"
#include "shell/texts.h"
#include "cli/console.h"
#include "cli/library.h"
#include "cli/options.h"
#include "cli/tube_key.h"
#include "analysis/corrections.h"
#include "analysis/displacement.h"
#include "analysis/proposal.h"
#include "library/download_feed.h"
#include "library/store.h"

#include <QDateTime>

#include <cmath>

namespace tarvelon::cli {
namespace {

void addOptions(QCommandLineParser& parser)
{
    addLibraryOption(parser);
    addTubeOptions(parser);
    const auto add = [&parser](const char* name, const char* help, const char* value = nullptr) {
        parser.addOption(value ? QCommandLineOption(QLatin1String(name), Texts::tr(help), QLatin1String(value))
                               : QCommandLineOption(QLatin1String(name), Texts::tr(help)));
    };
    add("readout", QT_TRANSLATE_NOOP("Texts", "The readout's number (required)."), "NN");
    add("propose", QT_TRANSLATE_NOOP("Texts", "Print the corrections the program proposes, storing nothing."));
    add("accept", QT_TRANSLATE_NOOP("Texts", "Store the proposed corrections the evidence supports in place of the readout's."));
    add("insist", QT_TRANSLATE_NOOP("Texts", "With --accept: store the refused proposals too, recording this reason with them."), "WHY");
    add("zone", QT_TRANSLATE_NOOP("Texts", "The stable zone for the proposal, shallowest to deepest depth in metres."), "FROM:TO");
    add("bias-a", QT_TRANSLATE_NOOP("Texts", "Store a bias shift of A, in reading units."), "UNITS");
    add("bias-b", QT_TRANSLATE_NOOP("Texts", "Store a bias shift of B, in reading units."), "UNITS");
    add("rotation",
        QT_TRANSLATE_NOOP("Texts", "Store a rotation of the probe's axes, in degrees: A' = A - sin(DEG) B and B' = B + sin(DEG) A on the readings "
        "(positive: A read a share of B)."),
        "DEG");
    add("depth-shift",
        QT_TRANSLATE_NOOP("Texts", "Store a shift of the readout's depths in metres, of any size within two steps (negative: read too deep)."), "M");
    add("top-displacement", QT_TRANSLATE_NOOP("Texts", "For a tube fixed at its top: the top's displacement surveyed with the readout, A and B "
                            "in the tube's units."),
        "A,B");
    add("probe-serial", QT_TRANSLATE_NOOP("Texts", "Store the serial of the probe that read the readout."), "S");
    add("constant",
        QT_TRANSLATE_NOOP("Texts", "Store the constant K of the probe that read the readout, reading units for sin = 1 (\"tube\": the tube's)."),
        "K");
    add("switch", QT_TRANSLATE_NOOP("Texts", "Switch the readout's stored corrections on or off."), "on|off");
    add("clear", QT_TRANSLATE_NOOP("Texts", "Remove the readout's corrections."));
}

double numberOption(const QCommandLineParser& parser, const char* option)
{
    bool ok = false;
    const double v = parser.value(QLatin1String(option)).toDouble(&ok);
    if (!ok || !std::isfinite(v))
        throw UsageError{Texts::tr("--%1 takes a number, not \"%2\"")
                             .arg(QLatin1String(option), parser.value(QLatin1String(option)))};
    return v;
}

std::optional<surveys::DepthZone> zoneOf(const QCommandLineParser& parser)
{
    if (!parser.isSet(QStringLiteral("zone")))
        return std::nullopt;
    const QStringList ends = parser.value(QStringLiteral("zone")).split(QLatin1Char(':'));
    bool ok1 = false, ok2 = false;
    const double from = ends.size() == 2 ? ends[0].toDouble(&ok1) : 0, to = ends.size() == 2 ? ends[1].toDouble(&ok2) : 0;
    if (!ok1 || !ok2 || from > to)
        throw UsageError{Texts::tr("--zone takes FROM:TO in metres, shallowest first, not \"%1\"")
                             .arg(parser.value(QStringLiteral("zone")))};
    return surveys::DepthZone{int(std::lround(from * 10)), int(std::lround(to * 10))};
}

bool probeGiven(const QCommandLineParser& parser)
{
    return parser.isSet(QStringLiteral("probe-serial")) || parser.isSet(QStringLiteral("constant"));
}

// The probe a readout was read with: its serial and constant, each kept unless given.
int setProbe(const QCommandLineParser& parser, surveys::SurveyStore& store, const surveys::TubeKey& key,
             const surveys::TubeSettings& settings, std::int64_t id, const std::vector<surveys::Survey>& all)
{
    const auto survey = std::find_if(all.begin(), all.end(), [id](const surveys::Survey& s) { return s.id == id; });
    std::string serial = survey->probeSerial;
    std::optional<double> constant = survey->probeConstant;
    if (parser.isSet(QStringLiteral("probe-serial")))
        serial = parser.value(QStringLiteral("probe-serial")).trimmed().toStdString();
    if (parser.isSet(QStringLiteral("constant"))) {
        const QString text = parser.value(QStringLiteral("constant")).trimmed();
        bool ok = false;
        const double k = text.toDouble(&ok);
        if (text == QLatin1String("tube"))
            constant = std::nullopt;
        else if (!ok || !std::isfinite(k) || !(k > 0))
            throw UsageError{Texts::tr("--constant takes a positive number of reading units or \"tube\", not \"%1\"")
                                 .arg(text)};
        else
            constant = k;
    }
    if (!store.setProbe(id, serial, constant)) {
        printMessage(Texts::tr(kLibraryCannotBeWritten.data()) + QString::fromStdString(store.error()));
        return kFailed;
    }
    const std::vector<surveys::Survey> now = tubeReadouts(store, key);
    const surveys::TubeResult tube = surveys::analyseTube(now, settings, store.corrections(key));
    for (const surveys::Survey& s : now)
        if (s.id == id)
            printResult(Texts::tr("readout %1: probe %2")
                            .arg(QString::fromStdString(surveys::readoutNumber(s.readout)),
                                 QString::fromStdString(surveys::probeText(s, settings))));
    for (const surveys::ReadoutResult& r : tube.readouts)
        if (r.survey->id == id)
            printResult(Texts::tr("readout %1: %2")
                            .arg(QString::fromStdString(surveys::readoutNumber(r.survey->readout)),
                                 QString::fromStdString(surveys::readoutNotes(r, settings))));
    return kSucceeded;
}

int run(const QCommandLineParser& parser)
{
    const surveys::TubeKey key = tubeKeyOf(parser);
    const QString number = requiredValue(parser, QStringLiteral("readout"));
    const std::optional<surveys::DepthZone> zone = zoneOf(parser);
    const bool entering = parser.isSet(QStringLiteral("bias-a")) || parser.isSet(QStringLiteral("bias-b")) ||
                          parser.isSet(QStringLiteral("rotation")) || parser.isSet(QStringLiteral("depth-shift")) ||
                          parser.isSet(QStringLiteral("top-displacement"));
    const QString insist = parser.value(QStringLiteral("insist")).trimmed();
    if (parser.isSet(QStringLiteral("insist")) && (!parser.isSet(QStringLiteral("accept")) || insist.isEmpty()))
        throw UsageError{Texts::tr("--insist goes with --accept and says why, in words")};
    const int actions = int(parser.isSet(QStringLiteral("propose"))) + int(parser.isSet(QStringLiteral("accept"))) +
                        int(entering) + int(parser.isSet(QStringLiteral("switch"))) +
                        int(parser.isSet(QStringLiteral("clear"))) + int(probeGiven(parser));
    if (actions > 1)
        throw UsageError{Texts::tr(
            "give one of --propose, --accept, the values to store, --switch, --clear or the probe (--probe-serial, --constant)")};
    const QString onOff = parser.value(QStringLiteral("switch"));
    if (parser.isSet(QStringLiteral("switch")) && onOff != QLatin1String("on") && onOff != QLatin1String("off"))
        throw UsageError{Texts::tr("--switch takes on or off, not \"%1\"").arg(onOff)};

    const std::string library = *libraryOf(parser);
    surveys::SurveyStore store;
    if (!openExistingLibrary(library, store, actions == 1 && !parser.isSet(QStringLiteral("propose"))))
        return kFailed;
    const std::vector<surveys::Survey> all = tubeReadouts(store, key);
    if (all.empty())
        return kFailed;
    const std::optional<std::int64_t> id = readoutOf(store, key, number);
    if (!id)
        return kFailed;
    const surveys::TubeSettings settings = store.tubeSettings(key);
    if (probeGiven(parser))
        return setProbe(parser, store, key, settings, *id, all);
    surveys::CorrectionsById kept = store.corrections(key);
    const surveys::TubeResult tube = surveys::analyseTube(all, settings, kept);
    const auto readout = std::find_if(tube.readouts.begin(), tube.readouts.end(),
                                      [&id](const surveys::ReadoutResult& r) { return r.survey->id == *id; });
    // A readout with nothing computed can still take the corrections that would let it be.
    if (readout == tube.readouts.end() || (!readout->displacement.compared && !entering)) {
        const std::string why = !tube.base ? tube.reason.shown()
                                : readout == tube.readouts.end() ? Texts::tr("it is the tube's base").toStdString()
                                                                  : readout->displacement.reason.shown();
        printMessage(Texts::tr("Attention: readout %1 of %2 is not compared, so it takes no correction: %3")
                         .arg(number, tubeName(key), QString::fromStdString(why)));
        return kFailed;
    }

    std::vector<surveys::Correction> list = kept[*id];
    const std::string now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
    const bool storing = actions == 1 && !parser.isSet(QStringLiteral("propose"));
    if (parser.isSet(QStringLiteral("propose")) || parser.isSet(QStringLiteral("accept")) || actions == 0) {
        const surveys::CorrectionProposal proposal = surveys::proposeCorrections(
            readout->againstPrevious ? *tube.previousBase : *tube.base, *readout->survey, settings, zone,
            surveys::proposalContext(tube, *id));
        if (zone && !proposal.zone) {
            printMessage(Texts::tr("Attention: %1").arg(QString::fromStdString(proposal.reason.shown())));
            return kFailed;
        }
        if (!proposal.reason.empty())
            printMessage(Texts::tr("Note: %1").arg(QString::fromStdString(proposal.reason.shown())));
        if (!parser.isSet(QStringLiteral("accept"))) {
            if (proposal.proposed.empty())
                printResult(Texts::tr("proposed: nothing"));
            for (const surveys::ProposedCorrection& p : proposal.proposed) {
                printResult(Texts::tr("proposed: %1 %2, %3")
                                .arg(QString::fromStdString(surveys::correctionName(p.correction)),
                                     QString::fromStdString(surveys::correctionValue(p.correction)),
                                     p.acceptable ? Texts::tr("acceptable")
                                                  : Texts::tr("refused: %1").arg(QString::fromStdString(p.refusal.shown()))));
                printResult(Texts::tr("  effect: %1")
                                .arg(QString::fromStdString(surveys::effectText(proposal.asRead, p.after, proposal, settings))));
            }
            if (const std::string evidence = surveys::proposalEvidence(proposal, settings); !evidence.empty())
                printResult(Texts::tr("evidence: %1").arg(QString::fromStdString(evidence)));
            if (!proposal.proposed.empty())
                printResult(Texts::tr("effect of the acceptable ones: %1")
                                .arg(QString::fromStdString(
                                    surveys::effectText(proposal.asRead, proposal.acceptedEffect, proposal, settings))));
            if (actions == 0)
                printResult(list.empty() ? Texts::tr("stored: nothing")
                                         : Texts::tr("stored: %1").arg(QString::fromStdString(surveys::correctionsText(list))));
            return kSucceeded;
        }
        list.clear();
        for (const surveys::ProposedCorrection& p : proposal.proposed) {
            if (!p.acceptable && insist.isEmpty()) {
                printMessage(Texts::tr("Note: %1 %2 not stored, refused: %3 (--insist WHY keeps it)")
                                 .arg(QString::fromStdString(surveys::correctionName(p.correction)),
                                      QString::fromStdString(surveys::correctionValue(p.correction)),
                                      QString::fromStdString(p.refusal.shown())));
                continue;
            }
            surveys::Correction c = p.correction;
            if (!p.acceptable)
                c.how = surveys::insistedHow(c.how, p.refusal.english(), insist.toStdString());
            c.acceptedAt = now;
            list.push_back(c);
        }
        // What the engineer surveyed at the top is no proposal: it stays.
        for (const surveys::Correction& c : kept[*id])
            if (c.kind == surveys::CorrectionKind::TopDisplacement)
                list.push_back(c);
    } else if (entering) {
        const auto entered = [&now, &settings](surveys::CorrectionKind kind, int axis, double value) {
            return surveys::Correction{kind, axis, value, "entered" + surveys::reductionNote(settings.secondPass), now, true};
        };
        if (parser.isSet(QStringLiteral("bias-a")))
            surveys::putCorrection(list, entered(surveys::CorrectionKind::Bias, 0, numberOption(parser, "bias-a")));
        if (parser.isSet(QStringLiteral("bias-b")))
            surveys::putCorrection(list, entered(surveys::CorrectionKind::Bias, 1, numberOption(parser, "bias-b")));
        if (parser.isSet(QStringLiteral("rotation"))) {
            const double deg = numberOption(parser, "rotation");
            if (std::abs(deg) > surveys::kMaxRotationDegrees)
                throw UsageError{Texts::tr("--rotation takes degrees between -%1 and %1: a probe turned further "
                                           "is faulty, to be repaired rather than corrected")
                                     .arg(surveys::kMaxRotationDegrees)};
            surveys::putCorrection(list, entered(surveys::CorrectionKind::Rotation, 0, deg));
            surveys::putCorrection(list, entered(surveys::CorrectionKind::Rotation, 1, -deg));
        }
        if (parser.isSet(QStringLiteral("depth-shift"))) {
            const double m = numberOption(parser, "depth-shift");
            const double limit = surveys::kMaxDepthShiftSteps * readout->survey->step;
            if (std::abs(m) > limit + 1e-9)
                throw UsageError{Texts::tr("--depth-shift takes metres within %1 m either way (two of the "
                                           "readout's steps), not %2")
                                     .arg(limit)
                                     .arg(m)};
            surveys::putCorrection(list, entered(surveys::CorrectionKind::DepthShift, 0, std::round(m * 1000) / 1000));
        }
        if (parser.isSet(QStringLiteral("top-displacement"))) {
            const QStringList ab = parser.value(QStringLiteral("top-displacement")).split(QLatin1Char(','));
            bool okA = false, okB = false;
            const double a = ab.size() == 2 ? ab[0].toDouble(&okA) : 0, b = ab.size() == 2 ? ab[1].toDouble(&okB) : 0;
            if (!okA || !okB || !std::isfinite(a) || !std::isfinite(b))
                throw UsageError{Texts::tr("--top-displacement takes A,B in the tube's units, not \"%1\"")
                                     .arg(parser.value(QStringLiteral("top-displacement")))};
            const double scale = settings.units == surveys::Units::Inches ? 25.4 : 1;
            surveys::putCorrection(list, {surveys::CorrectionKind::TopDisplacement, 0, a * scale, "surveyed", now, true});
            surveys::putCorrection(list, {surveys::CorrectionKind::TopDisplacement, 1, b * scale, "surveyed", now, true});
        }
    } else if (parser.isSet(QStringLiteral("switch"))) {
        for (surveys::Correction& c : list)
            c.on = onOff == QLatin1String("on");
    } else {
        list.clear();
    }
    if (storing && !store.setCorrections(*id, list)) {
        printMessage(Texts::tr(kLibraryCannotBeWritten.data()) + QString::fromStdString(store.error()));
        return kFailed;
    }
    kept[*id] = list;
    const surveys::TubeResult after = surveys::analyseTube(all, settings, kept);
    for (const surveys::ReadoutResult& r : after.readouts)
        if (r.survey->id == *id)
            printResult(Texts::tr("readout %1: %2")
                            .arg(QString::fromStdString(surveys::readoutNumber(r.survey->readout)),
                                 QString::fromStdString(surveys::readoutNotes(r, settings))));
    return kSucceeded;
}

} // namespace

extern const Command kCorrectCommand{
    "correct",
    "[--library FILE] --client C --site S --tube T --readout NN [--propose [--zone FROM:TO] | --accept [--zone FROM:TO] "
    "[--insist WHY] | --bias-a UNITS --bias-b UNITS --rotation DEG --depth-shift M --top-displacement A,B | "
    "--switch on|off | --clear | --probe-serial S --constant K]",
    QT_TRANSLATE_NOOP("Texts", "A readout's corrections of the probe's bias, rotation and depth."), addOptions, run};

} // namespace tarvelon::cli
