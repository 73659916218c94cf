// tarvelon-com-download PORT FOLDER [BLOCK]: the real window downloads one block from the unit
// on PORT ("COM1", "/dev/pts/3") into FOLDER, as "Ok" of the Download Data page does, and
// prints the files written and every message shown. Exit status 0 only for a complete
// download. Built for Linux and for Windows, so the two builds' files can be compared.
#include "blocks/download.h"
#include "shell/main_window.h"
#include "support/fake_form.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

using namespace tarvelon;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "Usage: tarvelon-com-download PORT FOLDER [BLOCK]\n");
        return 2;
    }
    const QString folder = QDir(args[2]).absolutePath();
    QDir().mkpath(folder);

    test::FakeMessages messages;
    MainWindowOptions opts;
    // The header file and the settings stay out of the download folder, which then holds
    // only what the download wrote.
    const QString programFolder = folder + QStringLiteral("-program");
    QDir().mkpath(programFolder);
    opts.programFolder = programFolder;
    opts.otherPort = args[1];
    opts.messages = &messages;
    opts.settingsFile = QDir(programFolder).filePath(QStringLiteral("settings.ini"));
    MainWindow window(opts);
    window.show();
    window.state().downloadFolder = QDir::toNativeSeparators(folder).toStdString();
    if (args.size() > 3)
        window.setText("numblocco", args[3].toStdString());
    window.setEnabled("command3d1", true);
    QCoreApplication::processEvents();

    DownloadedBlock block;
    window.runOperation([&block](Context& c) { block = downloadBlock(c); });
    for (const auto& shown : messages.shown)
        std::printf("message: %s\n", shown.text.c_str());
    std::printf("header export file: %s\nreadings export file: %s\n", block.headerExportPath.c_str(),
                block.readingsExportPath.c_str());
    return block.complete ? 0 : 1;
}
