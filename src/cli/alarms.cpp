// tarvelon alarms: the alarm log, listed for a person or a scheduled job, and acknowledged.
#include "cli/command.h"
#include "cli/console.h"
#include "cli/library.h"
#include "cli/options.h"
#include "cli/table.h"
#include "cli/tube_key.h"
#include "analysis/displacement.h"
#include "library/store.h"
#include "shell/texts.h"

#include <QRegularExpression>

#include <algorithm>
#include <charconv>

namespace tarvelon::cli {
namespace {

// What a scheduled job tests: the list it asked for holds an ALARM nobody has acknowledged.
constexpr int kUnacknowledgedAlarm = 3;

void addOptions(QCommandLineParser& parser)
{
    addLibraryOption(parser);
    const auto add = [&parser](const char* name, const char* help, const char* value = nullptr) {
        parser.addOption(value ? QCommandLineOption(QLatin1String(name), Texts::tr(help), QLatin1String(value))
                               : QCommandLineOption(QLatin1String(name), Texts::tr(help)));
    };
    add("client", QT_TRANSLATE_NOOP("Texts", "Only this client's events (required with --acknowledge)."), "TEXT");
    add("site", QT_TRANSLATE_NOOP("Texts", "Only this site's events (required with --acknowledge)."), "TEXT");
    add("tube", QT_TRANSLATE_NOOP("Texts", "Only this tube's events (required with --acknowledge)."), "TEXT");
    add("unacknowledged", QT_TRANSLATE_NOOP("Texts", "Only the events nobody has acknowledged."));
    add("since", QT_TRANSLATE_NOOP("Texts", "Only the events recorded on or after this day (UTC), or this time."),
        "YYYY-MM-DD");
    add("csv", QT_TRANSLATE_NOOP("Texts", "A CSV table with a header line instead of columns."));
    add("acknowledge", QT_TRANSLATE_NOOP("Texts", "Acknowledge every unacknowledged event of the readout, with the note."));
    add("readout", QT_TRANSLATE_NOOP("Texts", "With --acknowledge: the readout's number."), "NN");
    add("note", QT_TRANSLATE_NOOP("Texts", "With --acknowledge: what was done about it."), "TEXT");
}

// Values to 0.01 mm, rates to 0.001 mm/day, "." as decimal point whatever the locale.
QString number(const std::optional<double>& v, int decimals)
{
    if (!v)
        return {};
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf, *v, std::chars_format::fixed, decimals).ptr;
    return QString::fromLatin1(buf, end - buf);
}

std::string sinceOf(const QCommandLineParser& parser)
{
    const QString since = parser.value(QStringLiteral("since")).trimmed();
    static const QRegularExpression iso(QStringLiteral(R"(^\d{4}-\d{2}-\d{2}(T\d{2}:\d{2}(:\d{2})?Z?)?$)"));
    if (parser.isSet(QStringLiteral("since")) && !iso.match(since).hasMatch())
        throw UsageError{Texts::tr("--since takes a day as YYYY-MM-DD (or a time as YYYY-MM-DDThh:mm:ssZ), not \"%1\"")
                             .arg(since)};
    return since.toStdString();
}

int acknowledge(const QCommandLineParser& parser, const std::string& library)
{
    const surveys::TubeKey key = tubeKeyOf(parser);
    const QString readout = requiredValue(parser, QStringLiteral("readout"));
    const QString note = requiredValue(parser, QStringLiteral("note")).trimmed();
    if (note.isEmpty())
        throw UsageError{Texts::tr("--note says what was done about the alarm; it may not be empty")};
    surveys::SurveyStore store;
    if (!openExistingLibrary(library, store, true))
        return kFailed;
    if (store.rights() == surveys::SurveyStore::Rights::Read) {
        printMessage(Texts::tr("Attention: nothing was acknowledged: %1").arg(Texts::tr(kReadOnlyRole.data())));
        return kFailed;
    }
    const std::optional<std::int64_t> id = readoutOf(store, key, readout);
    if (!id)
        return kFailed;
    const int count = store.acknowledgeReadout(*id, note.toStdString());
    const QString which = Texts::tr("readout %1 of %2")
                              .arg(QString::fromStdString(surveys::readoutNumber(readout.toStdString())), tubeName(key));
    if (count < 0) {
        printMessage(Texts::tr("Attention: nothing was acknowledged: %1").arg(QString::fromStdString(store.error())));
        return kFailed;
    }
    if (count == 0) {
        printMessage(Texts::tr("Attention: the alarm log holds no unacknowledged event of %1").arg(which));
        return kFailed;
    }
    printResult(Texts::tr("acknowledged: %n event(s) of %1", nullptr, count).arg(which));
    return kSucceeded;
}

int run(const QCommandLineParser& parser)
{
    const std::string library = *libraryOf(parser);
    if (parser.isSet(QStringLiteral("acknowledge")))
        return acknowledge(parser, library);
    for (const char* only : {"readout", "note"})
        if (parser.isSet(QLatin1String(only)))
            throw UsageError{Texts::tr("--%1 goes with --acknowledge").arg(QLatin1String(only))};
    surveys::AlarmFilter filter;
    filter.client = withoutTrailingBlanks(parser.value(QStringLiteral("client"))).toStdString();
    filter.site = withoutTrailingBlanks(parser.value(QStringLiteral("site"))).toStdString();
    filter.tube = withoutTrailingBlanks(parser.value(QStringLiteral("tube"))).toStdString();
    filter.unacknowledged = parser.isSet(QStringLiteral("unacknowledged"));
    filter.since = sinceOf(parser);
    const bool csv = parser.isSet(QStringLiteral("csv"));
    surveys::SurveyStore store;
    if (!openExistingLibrary(library, store))
        return kFailed;
    const std::vector<surveys::AlarmEvent> events = store.alarmEvents(filter);
    if (damagedSaid(store))
        return kFailed;
    std::vector<QStringList> rows{
        csv ? QStringList{"when", "client", "site", "tube", "readout", "status", "criterion", "value", "threshold",
                          "depth_m", "caused_by", "acknowledged_by", "acknowledged_at", "note"}
            : QStringList{Texts::tr("When (UTC)"), Texts::tr("Client"), Texts::tr("Site"), Texts::tr("Tube"),
                          Texts::tr("Readout"), Texts::tr("Status"), Texts::tr("Criterion"), Texts::tr("Value"),
                          Texts::tr("Threshold"), Texts::tr("Depth (m)"), Texts::tr("Caused by"),
                          Texts::tr("Acknowledged by"), Texts::tr("Acknowledged at"), Texts::tr("Note")}};
    const auto q = [](const std::string& s) { return QString::fromStdString(s); };
    // The columns say the level in the user's language; the CSV keeps the word the log keeps.
    const auto status = [csv, &q](const std::string& word) {
        if (csv || (word != "ALARM" && word != "ALERT"))
            return q(word);
        return q(surveys::shownLevelWord(word == "ALARM" ? surveys::Level::Alarm : surveys::Level::Alert));
    };
    const auto criterion = [csv, &q](const std::string& name) {
        if (csv || (name != "rate" && name != "displacement"))
            return q(name);
        return q(surveys::shownCriterionName(name == "rate" ? surveys::Criterion::Rate : surveys::Criterion::Displacement));
    };
    for (const surveys::AlarmEvent& e : events) {
        const int decimals = e.criterion == "rate" ? 3 : 2;
        rows.push_back({q(e.at), q(e.tube.client), q(e.tube.site), q(e.tube.tube), q(surveys::readoutNumber(e.readout)),
                        status(e.status), criterion(e.criterion), number(e.value, decimals), number(e.threshold, decimals),
                        e.depthM ? q(surveys::depthText(*e.depthM)) : QString(), q(e.causedBy), q(e.acknowledgedBy),
                        q(e.acknowledgedAt), q(e.note)});
    }
    if (events.empty() && !csv && filter.unacknowledged)
        printMessage(Texts::tr("Attention: the alarm log holds no event nobody has acknowledged"));
    else if (events.empty() && !csv)
        printMessage(Texts::tr("Attention: the alarm log holds no event"));
    else
        printTable(rows, csv);
    const bool alarm = std::any_of(events.begin(), events.end(), [](const surveys::AlarmEvent& e) {
        return e.status == "ALARM" && !e.acknowledged();
    });
    return alarm ? kUnacknowledgedAlarm : kSucceeded;
}

} // namespace

extern const Command kAlarmsCommand{
    "alarms",
    "[--library FILE] [--client C] [--site S] [--tube T] [--unacknowledged] [--since DATE] [--csv] | "
    "--acknowledge --client C --site S --tube T --readout NN --note TEXT",
    QT_TRANSLATE_NOOP("Texts", "The alarm log: each readout that reached or left a threshold; exit status 3 while it "
                               "lists an unacknowledged ALARM."),
    addOptions, run};

} // namespace tarvelon::cli
