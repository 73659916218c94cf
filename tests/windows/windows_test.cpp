#include "platform/file_path.h"
#include "platform/qt/qt_serial_port.h"
#include "shell/folder_chooser.h"
#include "shell/program_folder.h"
#include "shell/remembered_choices.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <windows.h>

#include <gtest/gtest.h>

using namespace tarvelon;

namespace {

// Names no Windows code page holds whole, as a user or a customer may have.
const QString kUnicodeName = QStringLiteral("Ğülşen Ørsted 測試 Ωμέγα");

// Registry tests write the user's settings; only Wine's prefix, made for the build, may take that.
bool underWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

} // namespace

TEST(OnWindows, PortsAreComNamesAndNamesBeyondCom9ReachTheDevice)
{
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(defaultPortName(n), QStringLiteral("COM%1").arg(n));
    // Names a user types under "Other:": none is taken for a file, and a port the machine
    // lacks is reported as such, whether plain or in the device namespace.
    for (const QString& name : {QStringLiteral("COM7"), QStringLiteral("\\\\.\\COM10"), QStringLiteral("\\\\.\\COM23")}) {
        EXPECT_EQ(unsuitablePortName(name), QString()) << name.toStdString();
        QtSerialPort port([name](int) { return name; });
        EXPECT_FALSE(port.open()) << name.toStdString();
        EXPECT_EQ(port.openFailure(), "no such port") << name.toStdString();
    }
}

TEST(OnWindows, ADeviceThatTakesNoLineSettingsIsNoSerialPort)
{
    // NUL opens like any device but has no line to set: the port must not count as open.
    QtSerialPort port([](int) { return QStringLiteral("NUL"); });
    EXPECT_FALSE(port.open());
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.openFailure(), "it is not a serial port");
    EXPECT_FALSE(port.write("}"));
    EXPECT_EQ(port.waitingCount(), 0);
}

TEST(OnWindows, HeaderFileBesideTheProgramElseInApplicationData)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString program = dir.filePath(kUnicodeName + QStringLiteral(" programma"));
    const QString appData = dir.filePath(kUnicodeName + QStringLiteral(" AppData/Tarvelon Manager"));
    ASSERT_TRUE(QDir().mkpath(program));
    EXPECT_EQ(chooseProgramFolder(program, appData), program);
    EXPECT_TRUE(QFile::exists(program + QStringLiteral("/intestazione")));

    // A program folder the header file cannot be made in (here a folder stands in its way).
    const QString blocked = dir.filePath(kUnicodeName + QStringLiteral(" bloccato"));
    ASSERT_TRUE(QDir().mkpath(blocked + QStringLiteral("/intestazione")));
    EXPECT_EQ(chooseProgramFolder(blocked, appData), appData);
    EXPECT_TRUE(QFileInfo(appData).isDir());

    // The installed program's own fallback is the roaming application-data folder.
    EXPECT_TRUE(QDir::fromNativeSeparators(QString::fromWCharArray(_wgetenv(L"APPDATA")))
                    .compare(QFileInfo(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).path(),
                             Qt::CaseInsensitive) == 0);
}

TEST(OnWindows, DownloadsGoToCDatiElseDatiInDocuments)
{
    const FolderChooserOptions here = FolderChooserOptions::forThisMachine();
    EXPECT_EQ(QDir::cleanPath(QDir::fromNativeSeparators(here.defaultFolder)).toLower(), "c:/dati");
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(QDir::cleanPath(here.fallbackFolder), QDir::cleanPath(documents + QStringLiteral("/dati")));
    EXPECT_TRUE(QDir().mkpath(here.defaultFolder)) << "c:\\dati cannot be made on this machine";
}

TEST(OnWindows, FilesWithNamesBeyondTheCodePage)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string folder = QDir(dir.path()).filePath(kUnicodeName).toUtf8().toStdString();
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder)));
    const std::string path = joinPath(folder, "intestazione");
    {
        std::FILE* f = openFile(path, "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("blocco", f);
        std::fclose(f);
    }
    // Qt, given the same name, finds the same file: one name on both sides of the program.
    QFile back(QString::fromStdString(path));
    ASSERT_TRUE(back.open(QIODevice::ReadOnly));
    EXPECT_EQ(back.readAll(), QByteArray("blocco"));
}

TEST(OnWindows, SettingsAreKeptInTheRegistry)
{
    if (!underWine())
        GTEST_SKIP() << "writes the user's registry: run under wine only";
    const QString key = QStringLiteral("HKEY_CURRENT_USER\\Software\\Tarvelon Instruments\\Tarvelon Manager");
    QSettings(key, QSettings::NativeFormat).remove(QString());
    {
        RememberedChoices choices;
        choices.usePortName(QStringLiteral("\\\\.\\COM12"));
        choices.useFolder(QDir::tempPath());
    }
    const QSettings registry(key, QSettings::NativeFormat);
    QStringList values;
    for (const QString& name : registry.allKeys())
        values += registry.value(name).toStringList();
    EXPECT_TRUE(values.contains(QStringLiteral("\\\\.\\COM12"))) << values.join(u',').toStdString();
    EXPECT_EQ(RememberedChoices().portNames().value(0), QStringLiteral("\\\\.\\COM12"));
    QSettings(key, QSettings::NativeFormat).remove(QString());
}
