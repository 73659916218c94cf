#include "cli/command.h"

#include "cli/console.h"
#include "shell/language.h"
#include "shell/texts.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <optional>

namespace tarvelon::cli {

extern const Command kPortsCommand;
extern const Command kBlocksCommand;
extern const Command kDownloadCommand;
extern const Command kClockCommand;
#ifdef TARVELON_CLI_SURVEYS
extern const Command kImportCommand;
extern const Command kSurveysCommand;
extern const Command kTubeCommand;
extern const Command kCorrectCommand;
extern const Command kHistoryCommand;
extern const Command kAlarmsCommand;
extern const Command kDeleteCommand;
extern const Command kSyncCommand;
extern const Command kLibraryCommand;
#endif
#ifdef TARVELON_CLI_REPORT
extern const Command kDisplacementCommand;
extern const Command kSiteCommand;
#endif

namespace {

// Every command, in the order `tarvelon --help` lists them.
constexpr std::array kCommands = {
    &kPortsCommand,
    &kBlocksCommand,
    &kDownloadCommand,
    &kClockCommand,
#ifdef TARVELON_CLI_SURVEYS
    &kImportCommand,
    &kSurveysCommand,
    &kTubeCommand,
    &kCorrectCommand,
    &kHistoryCommand,
    &kAlarmsCommand,
    &kDeleteCommand,
    &kSyncCommand,
    &kLibraryCommand,
#endif
#ifdef TARVELON_CLI_REPORT
    &kDisplacementCommand,
    &kSiteCommand,
#endif
};

QString usageLine(const Command& c)
{
    return Texts::tr("Usage: tarvelon %1 %2").arg(QLatin1String(c.name), QLatin1String(c.synopsis)).trimmed();
}

// How a run is stopped, in the words of the system it runs on.
#ifdef _WIN32
#define kStoppedStatus QT_TRANSLATE_NOOP("Texts", "130 stopped by Ctrl+C or Ctrl+Break (129 when its console window is closed).")
#else
#define kStoppedStatus QT_TRANSLATE_NOOP("Texts", "130 stopped by Ctrl+C (143 by SIGTERM, 129 by SIGHUP).")
#endif

QString programHelp()
{
    QString text = Texts::tr("Usage: tarvelon COMMAND [options]\n\n"
                             "The jobs of Tarvelon Manager without its window: the TARVELON readout unit on a "
                             "serial port,\nand the survey library.\n\nCommands:\n");
    // The summaries line up two blanks after the longest command name.
    qsizetype width = 0;
    for (const Command* c : kCommands)
        width = std::max(width, QLatin1String(c->name).size() + 2);
    for (const Command* c : kCommands)
        text += QStringLiteral("  %1%2\n").arg(QLatin1String(c->name), -int(width)).arg(Texts::tr(c->summary));
    text += Texts::tr("\nOptions:\n  -h, --help, /?  Displays help (with a command: the command's options).\n"
                      "  -v, --version   Displays version information.\n"
                      "  --language LANGUAGE\n"
                      "                  Speaks this language (en, it) instead of the one LANGUAGE, LC_ALL,\n"
                      "                  LC_MESSAGES or LANG name.\n\n"
                      "Output: on a terminal as it shows text; into a pipe or a file as UTF-8, paths exactly as\n"
                      "on disk.\n\n"
                      "Exit status: 0 done, 1 failed, 2 wrong usage, %1\n")
                .arg(Texts::tr(kStoppedStatus));
    return text;
}

int wrongUsage(const QString& message, const QString& usage)
{
    printMessage(message);
    printMessage(Texts::tr("%1 (tarvelon --help lists the commands)").arg(usage));
    return kWrongUsage;
}

const Command* commandNamed(const QString& name)
{
    for (const Command* c : kCommands)
        if (name == QLatin1String(c->name))
            return c;
    return nullptr;
}

// Windows reads a backslash before a quote as a quote mark, so "C:\dati\Campagna 2025\" keeps
// the quote open and the value takes in the options after it. No Windows file name holds a
// quote, nor does a value the user typed on purpose run on into further options.
std::optional<QString> swallowedByQuote(const QCommandLineParser& parser)
{
    for (const QString& name : parser.optionNames())
        for (const QString& value : parser.values(name)) {
            const qsizetype quote = value.indexOf(QLatin1Char('"'));
            if (quote < 0)
                continue;
            const QString rest = value.mid(quote + 1).trimmed();
#ifndef _WIN32
            if (!rest.startsWith(QLatin1Char('-')))
                continue;
#endif
            const QString meant = value.left(quote);
            QString without = meant;
            while (without.endsWith(QLatin1Char('\\')))
                without.chop(1);
            if (rest.isEmpty())
                return Texts::tr("the value of --%1 ends in \\\" (\"%2\\\"), which Windows reads as a quote mark: "
                                 "leave out the last backslash (--%1 \"%3\")")
                    .arg(name, meant, without);
            return Texts::tr("the value of --%1 ends in \\\" (\"%2\\\"), which Windows reads as a quote mark, so it "
                             "took in what followed it (%3): leave out the last backslash (--%1 \"%4\")")
                .arg(name, meant, rest, without);
        }
    return std::nullopt;
}

// "/?" asks for help as on any Windows program.
QStringList withSlashHelp(QStringList arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (arguments[i] == QLatin1String("/?"))
            arguments[i] = QStringLiteral("--help");
    return arguments;
}

int runCommand(const Command& command, QStringList arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(Texts::tr(command.summary));
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, Texts::tr("Displays this help.")});
    command.addOptions(parser);
    // The parser's own usage line names the program alone.
    arguments[0] = QStringLiteral("tarvelon ") + QLatin1String(command.name);
    if (!parser.parse(arguments))
        return wrongUsage(parser.errorText(), usageLine(command));
    if (const std::optional<QString> swallowed = swallowedByQuote(parser))
        return wrongUsage(*swallowed, usageLine(command));
    if (parser.isSet(QStringLiteral("help"))) {
        QString help = parser.helpText();
        help.replace(0, help.indexOf(QLatin1Char('\n')), usageLine(command));
        printText(help);
        return kSucceeded;
    }
    if (!command.takesArguments && !parser.positionalArguments().isEmpty())
        return wrongUsage(Texts::tr("unexpected argument \"%1\"").arg(parser.positionalArguments().first()),
                          usageLine(command));
    try {
        // A job that failed because it was stopped (a statement the server cancelled) ends
        // as a stopped program does.
        const int status = command.run(parser);
        return status != kSucceeded && interrupted() ? interruptedStatus() : status;
    } catch (const UsageError& e) {
        return wrongUsage(e.message, usageLine(command));
    }
}

} // namespace

std::span<const Command* const> commands()
{
    return kCommands;
}

int runTarvelon(const QStringList& given)
{
    const QStringList arguments = withSlashHelp(given);
    // Options before the command are the program's; everything from the command on is the
    // command's.
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, Texts::tr("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption language(QStringLiteral("language"), Texts::tr("The language to speak in."),
                                      QStringLiteral("language"));
    parser.addOption(language);
    parser.addPositionalArgument(QStringLiteral("command"), Texts::tr("The job to do."));
    const QString programUsage = Texts::tr("Usage: tarvelon COMMAND [options]");
    const bool parsed = parser.parse(arguments);
    // The language comes before any word is said: the one given before the command, else the
    // environment's, as command-line tools read it.
    const QString chosen = parsed ? parser.value(language) : QString();
    useLanguage(*QCoreApplication::instance(), chosen);
    if (!parsed)
        return wrongUsage(parser.errorText(), programUsage);
    if (!chosen.isEmpty() && !knownLanguages().contains(chosen))
        return wrongUsage(Texts::tr("unknown language \"%1\" (en or it)").arg(chosen), programUsage);
    if (parser.isSet(version)) {
        printText(QStringLiteral("tarvelon (Tarvelon Manager) %1\n").arg(QCoreApplication::applicationVersion()));
        return kSucceeded;
    }
    const QStringList rest = parser.positionalArguments();
    if (parser.isSet(help)) {
        printText(programHelp());
        return kSucceeded;
    }
    if (rest.isEmpty())
        return wrongUsage(Texts::tr("no command given"), programUsage);
    const Command* command = commandNamed(rest.first());
    if (!command)
        return wrongUsage(Texts::tr("unknown command \"%1\"").arg(rest.first()), programUsage);
    return runCommand(*command, QStringList{arguments.first()} + rest.mid(1));
}

} // namespace tarvelon::cli
