#include "platform/qt/qt_text.h"
#include "shell/about_box.h"
#include "shell/file_boxes.h"
#include "shell/folder_chooser.h"
#include "shell/main_window.h"
#include "shell/splash_screen.h"
#include "support/fake_form.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>

#include <gtest/gtest.h>

using namespace tarvelon;
using namespace tarvelon::test;

namespace {

QStringList labelTexts(const QWidget& w)
{
    QStringList out;
    for (const QLabel* l : w.findChildren<QLabel*>())
        out << l->text();
    return out;
}

FolderChooserOptions optionsIn(const QTemporaryDir& dir)
{
    FolderChooserOptions o;
    o.defaultDrive = dir.path();
    o.defaultFolder = dir.filePath("dati");
    o.drives = [&dir] { return QStringList{dir.path(), "/unready-drive"}; };
    o.driveReady = [](const QString& drive) { return drive != "/unready-drive"; };
    return o;
}

} // namespace

TEST(SplashScreen, ShowsTheVersionAndHandsOverAfterTwoSeconds)
{
    int shown = 0;
    SplashScreen splash([&] { ++shown; });
    splash.show();
    EXPECT_EQ(splash.versionLabel()->text(), "1.1");
    EXPECT_EQ(splash.descriptionLabel()->text(), "Communication Software with TARVELON readout unit");
    EXPECT_EQ(splash.timer()->interval(), 2000);
    EXPECT_EQ(splash.size(), QSize(600, 400));
    QTest::qWait(1500);
    EXPECT_EQ(shown, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown > 0; }, 1500));
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(splash.timer()->isActive()) << "the main window is shown once";
}

TEST(AboutBox, FixedTextsAndLinksToTheMaker)
{
    FakeDesktop desktop;
    auto* box = new AboutBox(desktop);
    box->show();
    const QStringList texts = labelTexts(*box);
    for (const char* expected : {"Application :", "Tarvelon Manager ", "Version :", "1.0", "Description :",
                                 "Communication software with incremental readout unit Tarvelon", "Software :",
                                 "Email:", "Website:", "Licences:"})
        EXPECT_TRUE(texts.contains(expected)) << expected;
    EXPECT_EQ(box->windowTitle(), "About");
    // The fixed "1.0" stays; the program's own version and build are on a line of their own.
    auto* build = box->findChild<QLabel*>("lblBuild");
    ASSERT_NE(build, nullptr);
    EXPECT_TRUE(build->text().startsWith("Program version 1.1, build ")) << build->text().toStdString();
    EXPECT_FALSE(build->text().endsWith("build unknown"));
    for (const char* name : {"lblEmail", "lblWebsite"}) {
        auto* link = box->findChild<QLabel*>(name);
        ASSERT_NE(link, nullptr);
        emit link->linkActivated("#");
    }
    EXPECT_EQ(desktop.opened, (std::vector<std::string>{"mailto:support@tarvelon.example", "https://www.tarvelon.example"}));
    // The licences: the program's own in full and every library built into it.
    auto* licences = box->findChild<QLabel*>("lblLicences");
    ASSERT_NE(licences, nullptr);
    emit licences->linkActivated("#");
    auto* notices = box->findChild<QWidget*>("licences");
    ASSERT_NE(notices, nullptr);
    EXPECT_TRUE(notices->isVisible());
    auto* view = notices->findChild<QPlainTextEdit*>("txtLicences");
    ASSERT_NE(view, nullptr);
    for (const char* expected : {"GPL-3.0-or-later", "SQLite", "zlib", "libpng", "libjpeg", "FreeType",
                                 "HarfBuzz", "PCRE2", "double-conversion", "TERMS AND CONDITIONS", "END OF TERMS AND CONDITIONS"})
        EXPECT_TRUE(view->toPlainText().contains(expected)) << expected;
    auto* close = box->findChild<QPushButton*>("btnclose");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), "&Close");
    QPointer<AboutBox> watch(box);
    close->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull());
}

TEST(FolderChooser, CreatesItsDefaultFolderAndHandsOverTheChoice)
{
    QTemporaryDir dir;
    FakeMessages messages;
    QString chosen;
    auto* chooser = new FolderChooser(messages, [&](const QString& f) { chosen = f; }, optionsIn(dir));
    chooser->show();
    EXPECT_TRUE(QDir(dir.filePath("dati")).exists());
    EXPECT_EQ(chooser->windowTitle(), "Folder");
    EXPECT_EQ(chooser->currentFolder(), dir.filePath("dati"));
    EXPECT_EQ(chooser->findChild<QLineEdit*>("Dir1Path")->text(), QDir::toNativeSeparators(dir.filePath("dati")));
    chooser->okButton()->click();
    EXPECT_EQ(chosen, QDir::toNativeSeparators(dir.filePath("dati")));
    EXPECT_TRUE(messages.shown.empty());
}

// Cancel and Esc change nothing; "New Folder..." makes a folder in the chosen one and chooses
// it, and refuses a name that is no folder's, saying why.
TEST(FolderChooser, CancelEscAndNewFolder)
{
    QTemporaryDir dir;
    FakeMessages messages;
    int handed = 0;
    for (const auto& leave : std::vector<std::function<void(FolderChooser&)>>{
             [](FolderChooser& c) { c.cancelButton()->click(); },
             [](FolderChooser& c) { QTest::keyClick(&c, Qt::Key_Escape); }}) {
        QPointer<FolderChooser> chooser = new FolderChooser(messages, [&](const QString&) { ++handed; }, optionsIn(dir));
        chooser->show();
        leave(*chooser);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(chooser.isNull()) << "closed";
    }
    EXPECT_EQ(handed, 0);

    QString chosen;
    auto* chooser = new FolderChooser(messages, [&](const QString& f) { chosen = f; }, optionsIn(dir));
    chooser->show();
    ASSERT_NE(chooser->findChild<QPushButton*>("cmdNewFolder"), nullptr);
    QString error;
    EXPECT_TRUE(chooser->makeFolder(QStringLiteral("site 7"), &error)) << error.toStdString();
    EXPECT_EQ(chooser->currentFolder(), dir.filePath("dati/site 7"));
    EXPECT_TRUE(QDir(dir.filePath("dati/site 7")).exists());
    for (const char* bad : {"", "a/b", ".."}) {
        EXPECT_FALSE(chooser->makeFolder(QString::fromLatin1(bad), &error)) << bad;
        EXPECT_FALSE(error.isEmpty()) << bad;
    }
    chooser->setFolder(dir.filePath("dati"));
    EXPECT_FALSE(chooser->makeFolder(QStringLiteral("site 7"), &error)) << "it is there already";
    EXPECT_TRUE(error.contains(QStringLiteral("already"))) << error.toStdString();
    chooser->setFolder(dir.filePath("dati/site 7"));
    chooser->okButton()->click();
    EXPECT_EQ(chosen, QDir::toNativeSeparators(dir.filePath("dati/site 7")));
}

// Over the main window, wholly on its screen, with the proposed folder chosen.
TEST(FolderChooser, OpensCentredOverTheMainWindowAndOnTheScreen)
{
    QTemporaryDir dir;
    FakeMessages messages;
    FakeDesktop desktop;
    MainWindow::Options opts;
    opts.programFolder = dir.path();
    opts.messages = &messages;
    opts.desktop = &desktop;
    opts.folders = optionsIn(dir);
    MainWindow window(opts);
    window.show();
    const QRect screen = window.screen()->availableGeometry();
    // The main window low on the screen: the box is still wholly on it.
    for (const QPoint at : {screen.center() - QPoint(window.width() / 2, window.height() / 2),
                            QPoint(screen.left(), screen.bottom() - 100)}) {
        window.move(at);
        window.findChild<QAbstractButton*>("Command10")->click();
        auto* chooser = window.findChild<FolderChooser*>("Form6");
        ASSERT_NE(chooser, nullptr);
        const QRect box(chooser->pos(), chooser->size() + QSize(16, 40));
        EXPECT_TRUE(screen.contains(box)) << box.x() << "," << box.y() << " " << box.width() << "x" << box.height();
        if (screen.contains(QRect(window.frameGeometry().center() - QPoint(box.width() / 2, box.height() / 2), box.size()))) {
            EXPECT_LE((box.center() - window.frameGeometry().center()).manhattanLength(), 2);
        }
        auto* list = chooser->findChild<QTreeView*>("Dir1");
        auto* model = qobject_cast<QFileSystemModel*>(list->model());
        EXPECT_TRUE(QTest::qWaitFor([&] { return model->filePath(list->currentIndex()) == dir.filePath("dati"); }, 2000));
        chooser->cancelButton()->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST(FolderChooser, ADefaultFolderThatCannotBeCreatedGivesWayToTheFallbackAndSaysSo)
{
    QTemporaryDir dir;
    FakeMessages messages;
    FolderChooserOptions o = optionsIn(dir);
    // A file where the folder's parent should be: no user, not even root, can create it.
    QFile(dir.filePath("blocked")).open(QIODevice::WriteOnly);
    o.defaultFolder = dir.filePath("blocked/dati");
    o.fallbackFolder = dir.filePath("Documents/dati");
    QString chosen;
    auto* chooser = new FolderChooser(messages, [&](const QString& f) { chosen = f; }, o);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, toText("The folder " + QDir::toNativeSeparators(o.defaultFolder) +
                                             " cannot be created: downloads go to " +
                                             QDir::toNativeSeparators(o.fallbackFolder)));
    chooser->okButton()->click();
    EXPECT_EQ(chosen, QDir::toNativeSeparators(o.fallbackFolder));
    EXPECT_TRUE(QDir(o.fallbackFolder).exists());
}

TEST(FolderChooser, ADriveThatIsNotReadyIsRefused)
{
    QTemporaryDir dir;
    FakeMessages messages;
    auto* chooser = new FolderChooser(messages, [](const QString&) {}, optionsIn(dir));
    chooser->driveList()->setCurrentIndex(chooser->driveList()->findData("/unready-drive"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Invalid drive!");
    EXPECT_EQ(messages.shown[0].title, "Error");
    EXPECT_EQ(messages.shown[0].icon, Icon::Error);
    EXPECT_EQ(chooser->driveList()->currentData().toString(), dir.path());
    delete chooser;
}

TEST(FolderChooser, DrivesReadAsTheSystemWritesThem)
{
    QTemporaryDir dir;
    FakeMessages messages;
    FolderChooserOptions o = optionsIn(dir);
    o.drives = [&dir] { return QStringList{QStringLiteral("C:/"), QStringLiteral("Z:/"), dir.path()}; };
    o.driveReady = [](const QString&) { return true; };
    auto* chooser = new FolderChooser(messages, [](const QString&) {}, o);
    QStringList shown;
    for (int i = 0; i < chooser->driveList()->count(); ++i)
        shown << chooser->driveList()->itemText(i);
#ifdef _WIN32
    EXPECT_EQ(shown.mid(0, 2), (QStringList{QStringLiteral("C:\\"), QStringLiteral("Z:\\")}));
#endif
    EXPECT_EQ(shown, (QStringList{QDir::toNativeSeparators("C:/"), QDir::toNativeSeparators("Z:/"),
                                  QDir::toNativeSeparators(dir.path())}));
    // Choosing a drive by what it shows still opens the drive itself.
    chooser->driveList()->setCurrentIndex(2);
    EXPECT_EQ(chooser->driveList()->currentData().toString(), dir.path());
    delete chooser;
}

TEST(MainWindowDialogs, FolderEnablesTheDownloadAndHelpOpensTheManual)
{
    QTemporaryDir dir;
    FakeMessages messages;
    FakeDesktop desktop;
    MainWindow::Options opts;
    opts.programFolder = dir.path();
    opts.messages = &messages;
    opts.desktop = &desktop;
    opts.folders = optionsIn(dir);
    MainWindow window(opts);
    window.show();
    EXPECT_FALSE(window.isEnabled("command3d1"));
    window.findChild<QAbstractButton*>("Command10")->click();
    auto* chooser = window.findChild<FolderChooser*>("Form6");
    ASSERT_NE(chooser, nullptr);
    chooser->okButton()->click();
    EXPECT_TRUE(window.isEnabled("command3d1"));
    EXPECT_EQ(window.state().downloadFolder, QDir::toNativeSeparators(dir.filePath("dati")).toStdString());

    window.findChild<QAbstractButton*>("Command12")->click();
    EXPECT_EQ(desktop.opened, std::vector<std::string>{"https://www.tarvelon.example/manuals/TARVELONmanual.pdf"});
    window.findChild<QAbstractButton*>("Command11")->click();
    EXPECT_NE(window.findChild<AboutBox*>("aboutus"), nullptr);
}

// Qt's file boxes leave "QtProject" (Windows' registry, Linux's settings file) as it was:
// absent when it was absent, another program's values untouched when it held some.
TEST(FileBoxes, LeaveQtsOwnKeyAsTheyFoundIt)
{
    QTemporaryDir dir;
    const QString start = dir.path();
    const std::function<void()> boxes[] = {
        [&] { openFileBox(nullptr, "Open", start, "All files (*)"); },
        [&] { openFilesBox(nullptr, "Open", start, "All files (*)"); },
        [&] { folderBox(nullptr, "Folder", start); },
        [&] { saveFileBox(nullptr, "Save", dir.filePath("report.pdf"), "PDF (*.pdf)"); },
    };
    // Looked for from outside: opening it with QSettings makes the key on Windows.
    const auto exists = [] {
#ifdef Q_OS_WIN
        return QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software"), QSettings::NativeFormat)
            .childGroups()
            .contains(QStringLiteral("QtProject"));
#else
        return QFile::exists(QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName());
#endif
    };
    const auto held = [] {
        QSettings qt(QSettings::UserScope, QStringLiteral("QtProject"));
        std::vector<std::string> values;
        for (const QString& key : qt.allKeys())
            values.push_back((key + "=" + qt.value(key).toString()).toStdString());
        return values;
    };
    const auto forget = [] {
        QSettings(QSettings::UserScope, QStringLiteral("QtProject")).clear();
        QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software"), QSettings::NativeFormat).remove("QtProject");
        QFile::remove(QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName());
    };
    for (const bool anotherProgramsValues : {false, true}) {
        forget();
        if (anotherProgramsValues) {
            QSettings qt(QSettings::UserScope, QStringLiteral("QtProject"));
            qt.setValue("FileDialog/lastVisited", "file:///elsewhere");
            qt.setValue("Other/kept", 7);
        }
        ASSERT_EQ(exists(), anotherProgramsValues);
        const std::vector<std::string> before = anotherProgramsValues ? held() : std::vector<std::string>{};
        for (size_t i = 0; i < std::size(boxes); ++i) {
            SCOPED_TRACE(i);
            // The box is cancelled as soon as it shows.
            QTimer closer;
            QObject::connect(&closer, &QTimer::timeout, [] {
                if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                    box->reject();
            });
            closer.start(20);
            boxes[i]();
            EXPECT_EQ(exists(), anotherProgramsValues);
            if (anotherProgramsValues) {
                EXPECT_EQ(held(), before);
            }
        }
    }
    forget();
}
