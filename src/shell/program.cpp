#include "shell/program.h"

#include "platform/qt/qt_messages.h"
#include "shell/language.h"
#include "shell/maker.h"
#include "shell/texts.h"
#include "platform/qt/qt_text.h"
#include "shell/program_folder.h"
#include "shell/remembered_choices.h"
#include "shell/running_copy.h"
#include "shell/splash_screen.h"
#include "shell/surveys/password_prompt.h"
#include "shell/surveys/survey_library.h"

#include <QCommandLineParser>
#include <QLockFile>

#include <cstdio>
#include <memory>

// The icon is compiled into the shell's static library, whose resources a linker keeps only
// when something names them.
static void initShellResources()
{
    Q_INIT_RESOURCE(tarvelon_manager);
}

namespace tarvelon {

void portFromCommandLine(const QStringList& arguments, MainWindowOptions& options)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tarvelon Manager"));
    parser.addHelpOption();
    const QCommandLineOption port(QStringLiteral("port"),
                                  Texts::tr("Choose \"Other:\" with this serial port (/dev/ttyUSB0, COM9)."),
                                  Texts::tr("name"));
    parser.addOption(port);
    const QCommandLineOption trace(QStringLiteral("trace"),
                                   Texts::tr("Record every byte sent to the unit and received from it, with its "
                                             "time, in this file (replaced), as \"Record the line to a file\" does."),
                                   Texts::tr("file"));
    parser.addOption(trace);
    const QCommandLineOption language(QStringLiteral("language"),
                                      Texts::tr("Speak this language (en, it) instead of the one chosen on the "
                                                "Setup Tarvelon page."),
                                      Texts::tr("language"));
    parser.addOption(language);
    parser.addVersionOption();
    // Unknown options, --help and --version end the program here, with a word on the terminal.
    parser.process(arguments);
    if (parser.isSet(port))
        options.otherPort = parser.value(port);
    if (parser.isSet(trace))
        options.traceFile = parser.value(trace);
}

int runProgram(QApplication& app, MainWindowOptions options)
{
    // Also name the application-data folders (the header file's, the survey library's) and,
    // on Windows, the registry key: the organisation's, never Qt's own.
    QApplication::setOrganizationName(QString::fromLatin1(maker::kName));
    QApplication::setApplicationName(QStringLiteral("Tarvelon Manager"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2").arg(maker::kVersionMajor).arg(maker::kVersionMinor));
    initShellResources();
    // The language comes first: every text, --help's included, is said in it. Given on the
    // command line it serves this run only; the Setup Tarvelon page keeps the user's choice.
    QString language = languageArgument(QApplication::arguments());
    if (!language.isEmpty() && !knownLanguages().contains(language)) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(Texts::tr("Unknown language \"%1\": en or it").arg(language)));
        return 2;
    }
    if (language.isEmpty())
        language = RememberedChoices().language();
    useLanguage(app, language);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tarvelon-manager.svg")));
    portFromCommandLine(QApplication::arguments(), options);
    installPasswordPrompt();

    MainWindowOptions windowOptions = options;
    if (windowOptions.programFolder.isEmpty())
        windowOptions.programFolder = defaultProgramFolder();
    // A second copy would rebuild the header file under the first.
    const std::unique_ptr<QLockFile> lock = lockProgramFolder(windowOptions.programFolder);
    if (!lock) {
        // The running copy comes forward; only one that does not answer is named in a box.
        if (RunningCopy::askToComeForward(windowOptions.programFolder, std::chrono::seconds(3)))
            return 0;
        QtMessages().show(toText(Texts::tr(kAlreadyRunning.data())), Icon::None);
        return 1;
    }
    // Only the copy that holds the lock moves the library, and says so once it is shown.
    const auto [moved, movedTo] = moveSurveyLibraryHome();

    // The main window's loading runs when the splash window hands over.
    std::unique_ptr<MainWindow> window;
    SplashScreen splash([&window, &windowOptions, moved = moved, movedTo = movedTo] {
        window = std::make_unique<MainWindow>(windowOptions);
        window->show();
        if (!moved.isEmpty())
            window->showResult(moved, movedTo);
    });
    const RunningCopy running(windowOptions.programFolder, [&window, &splash] {
        QWidget* shown = window ? static_cast<QWidget*>(window.get()) : &splash;
        shown->setWindowState(shown->windowState() & ~Qt::WindowMinimized);
        shown->show();
        shown->raise();
        shown->activateWindow();
    });
    splash.show();
    return app.exec();
}

} // namespace tarvelon
