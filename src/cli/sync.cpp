// tarvelon sync: one survey library brought up to another's surveys, settings and corrections.
#include "cli/command.h"
#include "shell/texts.h"
#include "cli/console.h"
#include "cli/library.h"
#include "cli/options.h"
#include "library/sync.h"

namespace tarvelon::cli {
namespace {

void addOptions(QCommandLineParser& parser)
{
    parser.addOption({QStringLiteral("from"), Texts::tr("The library whose surveys are sent (required)."),
                      QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("to"), Texts::tr("The library they are sent to (required)."),
                      QStringLiteral("LIBRARY")});
    addQuietOption(parser);
}

int run(const QCommandLineParser& parser)
{
    const std::string from = requiredValue(parser, QStringLiteral("from")).toStdString();
    const std::string to = requiredValue(parser, QStringLiteral("to")).toStdString();
    surveys::SurveyStore source, target;
    // What changed in the target comes back to the source where the source may be written; a
    // reader's server library or a read-only file is only read, and nothing comes back to it.
    // The source first, so a source that is not there makes no target library either.
    if (!openSourceOfSync(from, source))
        return kFailed;
    if (!openLibraryToWrite(to, target))
        return kFailed;
    const bool progress = !quiet(parser) && progressLineWanted();
    surveys::SyncOptions options;
    options.onBatch = [progress](const surveys::SyncProgress& p) {
        if (progress)
            showProgressLine(Texts::tr("sync: %1 of %2 surveys").arg(p.done).arg(p.total));
        return !interrupted();
    };
    const surveys::SyncResult r = surveys::syncLibraries(source, target, options);
    if (progress)
        showProgressLine({});
    for (const std::string& name : r.conflicts)
        printMessage(Texts::tr("Conflict: %1 is in both libraries with other readings; both kept")
                         .arg(QString::fromStdString(name)));
    for (const std::string& conflict : r.settingConflicts)
        printMessage(Texts::tr("Conflict: %1").arg(QString::fromStdString(conflict)));
    if (r.sourceReadOnly)
        printMessage(Texts::tr("Note: the source could only be read; nothing came back to it"));
    if (source.textsCleaned() + target.textsCleaned() > 0)
        printMessage(Texts::tr(surveys::kControlCharactersReplaced.data()));
    printResult(Texts::tr("%1 sent, %2 completed, %3 already there, %4 conflicts; tube settings: %5 sent, %6 "
                          "received, %7 conflicts; deleted: %8 there, %9 here")
                    .arg(r.sent)
                    .arg(r.completed)
                    .arg(r.skipped)
                    .arg(r.conflicts.size())
                    .arg(r.settingsSent)
                    .arg(r.settingsReceived)
                    .arg(r.settingConflicts.size())
                    .arg(r.deletedThere)
                    .arg(r.deletedHere));
    if (const surveys::AlarmSync& a = r.alarms;
        a.eventsSent + a.eventsReceived + a.acknowledgementsSent + a.acknowledgementsReceived > 0)
        printMessage(QStringLiteral("Alarm log: %1 events sent, %2 received; %3 acknowledgements sent, %4 received")
                         .arg(a.eventsSent)
                         .arg(a.eventsReceived)
                         .arg(a.acknowledgementsSent)
                         .arg(a.acknowledgementsReceived));
    if (r.error.empty())
        return kSucceeded;
    printMessage(Texts::tr("Attention: the sync stopped after %1 of %2 surveys (%3); what was sent is kept, and "
                           "running it again goes on from there")
                     .arg(r.done)
                     .arg(r.total)
                     .arg(QString::fromStdString(r.error)));
    return interrupted() ? interruptedStatus() : kFailed;
}

} // namespace

extern const Command kSyncCommand{"sync", "--from FILE --to LIBRARY [--quiet]",
                                  QT_TRANSLATE_NOOP("Texts", "Sends the surveys one library lacks; settings, "
                                                             "corrections and deletions are merged both ways."),
                                  addOptions, run};

} // namespace tarvelon::cli
