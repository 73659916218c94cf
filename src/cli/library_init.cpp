// tarvelon library init: a firm's survey library made on its database server, with the roles
// its administrator grants to people.
#include "cli/command.h"
#include "shell/texts.h"
#include "cli/console.h"
#include "cli/library.h"
#include "cli/options.h"
#include "library/library_location.h"
#include "library/store.h"

namespace tarvelon::cli {
namespace {

void addOptions(QCommandLineParser& parser)
{
    parser.addOption({QStringLiteral("library"),
                      Texts::tr("The server's database: postgresql://USER@HOST/DATABASE or service=NAME."),
                      QStringLiteral("URI")});
}

int run(const QCommandLineParser& parser)
{
    const QStringList words = parser.positionalArguments();
    if (words != QStringList{QStringLiteral("init")})
        throw UsageError{words.isEmpty() ? Texts::tr("init is needed")
                                         : Texts::tr("unknown library job \"%1\"").arg(words.join(QLatin1Char(' ')))};
    const std::string location = requiredValue(parser, QStringLiteral("library")).toStdString();
    if (!surveys::isServerLocation(location))
        throw UsageError{Texts::tr("--library must name a server (postgresql://... or service=NAME); a file "
                                   "library needs no init")};
    surveys::SurveyStore store;
    if (!openLibraryToWrite(location, store))
        return kFailed;
    if (!store.initServerRoles()) {
        printMessage(Texts::tr("Attention: the roles cannot be made: %1").arg(QString::fromStdString(store.error())));
        return kFailed;
    }
    printResult(Texts::tr("the survey library on %1 is ready; grant tarvelon_reader, tarvelon_editor or "
                          "tarvelon_manager to its users")
                    .arg(QString::fromStdString(surveys::withoutPassword(location))));
    return kSucceeded;
}

} // namespace

extern const Command kLibraryCommand{"library", "init --library URI",
                                     QT_TRANSLATE_NOOP("Texts", "Makes the survey library and its roles on a database "
                                                                "server (by its owner)."),
                                     addOptions, run, true};

} // namespace tarvelon::cli
