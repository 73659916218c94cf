// The header folder: one copy of the program at a time, and any name it may have.
#include "shell/main_window.h"
#include "shell/program.h"
#include "shell/program_folder.h"
#include "support/fake_form.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLockFile>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tarvelon;

TEST(OneCopy, ASecondCopyOnTheSameFolderIsRefusedAndACrashedOnesLockTakenOver)
{
    QTemporaryDir dir, other;
    ASSERT_TRUE(dir.isValid() && other.isValid());
    auto first = lockProgramFolder(dir.path());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(lockProgramFolder(dir.path()), nullptr) << "a second copy on the same folder";
    EXPECT_NE(lockProgramFolder(other.path()), nullptr) << "a copy on another folder";

    // A copy that crashed left its lock behind: the same lock, with a process now gone.
    const QString lockPath = dir.filePath(QStringLiteral("intestazione.lock"));
    QFile lockFile(lockPath);
    ASSERT_TRUE(lockFile.open(QIODevice::ReadOnly));
    QByteArray left = lockFile.readAll();
    lockFile.close();
    first.reset();
    QProcess gone;
    qint64 gonePid = 0;
    QObject::connect(&gone, &QProcess::started, [&] { gonePid = gone.processId(); });
#ifdef Q_OS_WIN
    gone.start(QStringLiteral("cmd.exe"), {QStringLiteral("/c"), QStringLiteral("exit")});
#else
    gone.start(QStringLiteral("true"), {});
#endif
    ASSERT_TRUE(gone.waitForFinished());
    ASSERT_GT(gonePid, 0);
    left.replace(0, left.indexOf('\n'), QByteArray::number(gonePid));
    ASSERT_TRUE(lockFile.open(QIODevice::WriteOnly));
    lockFile.write(left);
    lockFile.close();
    EXPECT_NE(lockProgramFolder(dir.path()), nullptr);
}

TEST(OneCopy, ASecondStartSaysSoAndBringsNothingElseUp)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto running = lockProgramFolder(dir.path());
    ASSERT_NE(running, nullptr);
    QString said;
    int otherWindows = -1;
    QTimer answer;
    answer.setInterval(20);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        said = box->text();
        otherWindows = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            otherWindows += w != box && w->isVisible();
        box->accept();
    });
    answer.start();
    MainWindowOptions opts;
    opts.programFolder = dir.path();
    EXPECT_EQ(runProgram(static_cast<QApplication&>(*QCoreApplication::instance()), opts), 1);
    EXPECT_EQ(said, QString::fromLatin1(kAlreadyRunning.data(), qsizetype(kAlreadyRunning.size())));
    EXPECT_EQ(otherWindows, 0);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("intestazione")))) << "the header file is left alone";
}

TEST(HeaderFolder, NamedOutsideAsciiItHoldsTheHeaderFileAndShowsAsNamed)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    for (const char* name : {"citt\u00E0", "CITT\u00C0", "\u0141\u00F3d\u017A", "\U0001F600"}) {
        const QString folder = root.filePath(QString::fromUtf8(name));
        ASSERT_TRUE(QDir().mkpath(folder));
        test::FakeMessages messages;
        MainWindow::Options opts;
        opts.programFolder = folder;
        opts.messages = &messages;
        MainWindow window(opts);
        const QString header = QDir::toNativeSeparators(folder + QStringLiteral("/intestazione"));
        EXPECT_EQ(window.field("Text15")->text(), header) << name;
        EXPECT_EQ(QFileInfo(header).size(), 30 * 77) << name;
        EXPECT_TRUE(messages.shown.empty()) << name;
    }
}
