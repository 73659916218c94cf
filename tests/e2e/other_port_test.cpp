// "Other:" in the real window: a port named rather than numbered, remembered for the next
// start, explained when it cannot be opened, and a port that goes away mid-download.
#include "blocks/download.h"
#include "blocks/export_files.h"
#include "link/exchange.h"
#include "shell/folder_chooser.h"
#include "shell/program.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QFile>
#include <QRadioButton>
#include <QSerialPort>
#include <QTabBar>
#include <QTimer>

using namespace tarvelon;
using namespace tarvelon::test;

namespace {

class OtherPort : public WindowOnPty {
protected:
    void prepareUnit(sim::Unit& unit) override { unit.fillDemo(); }
    MainWindow::Options options() override
    {
        MainWindow::Options opts = WindowOnPty::options();
        // Only "Other:" reaches the unit.
        opts.portName = [](int n) { return QStringLiteral("/nonexistent/ttyS%1").arg(n - 1); };
        return opts;
    }

    QString unitPath() const { return QString::fromStdString(pty_.path()); }
    PortChooser* chooser() const { return window_->findChild<PortChooser*>(QStringLiteral("cboPortName")); }
    bool chosen(int index) const
    {
        return window_->findChild<QRadioButton*>(QStringLiteral("ssOption1_%1").arg(index))->isChecked();
    }
    void typePort(const QString& name)
    {
        window_->findChild<QTabBar*>(QStringLiteral("TabStrip1"))->setCurrentIndex(2);
        chooser()->lineEdit()->clear();
        QTest::keyClicks(chooser()->lineEdit(), name);
    }
    FolderChooser* openFolderChooser()
    {
        click("Command10");
        return window_->findChild<FolderChooser*>(QStringLiteral("Form6"));
    }
};

TEST_F(OtherPort, ReachesTheUnitAndIsOfferedAgainAtTheNextStart)
{
    typePort(unitPath());
    EXPECT_TRUE(chosen(4)) << "typing a name chooses \"Other:\"";
    click("Command3"); // Read Block
    EXPECT_EQ(text("Text3"), pty_.unit.headerText(1).substr(0, 8));

    const QString folder = dir_.filePath(QStringLiteral("survey"));
    ASSERT_TRUE(QDir().mkpath(folder));
    FolderChooser* folders = openFolderChooser();
    folders->setFolder(folder);
    QTest::mouseClick(folders->okButton(), Qt::LeftButton);
    click("command3d1"); // download block 1
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 3);
    EXPECT_TRUE(messages_.shown.empty());
    expectIdle();

    // The next start is as every start, with the name and the folder one click away.
    restart(options());
    EXPECT_TRUE(chosen(0));
    EXPECT_EQ(window_->state().portNumber, 1);
    EXPECT_FALSE(window_->isEnabled("command3d1"));
    EXPECT_EQ(chooser()->portName(), unitPath());
    EXPECT_EQ(chooser()->findData(unitPath()), 0);
    EXPECT_EQ(openFolderChooser()->currentFolder(), folder);

    // A folder that is gone is not offered; --port chooses "Other:" for the run.
    ASSERT_TRUE(QDir(folder).removeRecursively());
    MainWindow::Options opts = options();
    portFromCommandLine({QStringLiteral("tarvelon-manager"), QStringLiteral("--port"), unitPath()}, opts);
    restart(opts);
    EXPECT_TRUE(chosen(4));
    EXPECT_EQ(openFolderChooser()->currentFolder(), dir_.filePath(QStringLiteral("dati")));
    click("Command3");
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(OtherPort, ANameThatCannotBeOpenedIsExplained)
{
    const QString file = dir_.filePath(QStringLiteral("notes.txt"));
    QFile notes(file);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly) && notes.write("keep") == 4);
    notes.close();
    QSerialPort holder(unitPath());
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
    const struct {
        QString name;
        QString shown;
        const char* reason;
    } cases[] = {
        {QString(), QString(), "no port name given"},
        {QString(10000, QLatin1Char('a')), QString(80, QLatin1Char('a')) + "...", "the name is longer than 255 characters"},
        {QStringLiteral("/dev/tty\x01S\nX"), QStringLiteral("/dev/tty?S?X"), "the name contains control characters"},
        {file, file, "it is a regular file, not a serial port"},
        {dir_.path(), dir_.path(), "it is a folder, not a serial port"},
        {QStringLiteral("./notes.txt"), QStringLiteral("./notes.txt"), "it is a regular file, not a serial port"},
        {QStringLiteral("/dev/null"), QStringLiteral("/dev/null"), "it is not a serial port"},
        {QStringLiteral("/dev/ttyTarvelonNone"), QStringLiteral("/dev/ttyTarvelonNone"), "no such port"},
        {unitPath(), unitPath(), "in use by another program"},
    };
    // Relative names are taken from the current folder, as the system takes them.
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    for (const auto& c : cases) {
        messages_.shown.clear();
        chooser()->setPortName(c.name);
        window_->findChild<QRadioButton*>(QStringLiteral("ssOption1_4"))->click();
        click("Command3");
        ASSERT_EQ(messages_.shown.size(), 1u) << c.reason;
        EXPECT_EQ(QString::fromStdString(messages_.shown[0].text),
                  QStringLiteral("Attention: cannot open serial port ") + c.shown + ": " + c.reason);
        expectIdle();
    }
    QDir::setCurrent(before);
    EXPECT_TRUE(pty_.log().empty()) << "nothing reached the unit";
    ASSERT_TRUE(notes.open(QIODevice::ReadOnly));
    EXPECT_EQ(notes.readAll(), QByteArray("keep"));
}

TEST_F(OtherPort, APortThatGoesAwayMidDownloadEndsItAtOnce)
{
    typePort(unitPath());
    QTest::mouseClick(openFolderChooser()->okButton(), Qt::LeftButton);
    // The simulator's end closes once the download has read fifteen rows.
    QElapsedTimer sinceHangUp;
    QTimer watch;
    watch.setInterval(2);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const auto log = pty_.log();
        const auto rows = std::count_if(log.begin(), log.end(), [](const std::string& l) { return l[0] == 'a'; });
        if (!sinceHangUp.isValid() && rows >= 15) {
            pty_.hangUp();
            sinceHangUp.start();
        }
    });
    watch.start();
    click("command3d1");
    ASSERT_TRUE(sinceHangUp.isValid());
    EXPECT_LT(sinceHangUp.elapsed(), 1000);
    // The loss, then the export files that were not replaced.
    ASSERT_EQ(messages_.shown.size(), 2u);
    EXPECT_EQ(messages_.shown[0].text,
              std::string(kPortLostBefore) + pty_.path() + std::string(kPortLostAfter));
    EXPECT_EQ(messages_.shown[1].text.rfind(std::string(kNotReplaced), 0), 0u) << messages_.shown[1].text;
    expectIdle();
    EXPECT_TRUE(window_->isEnabled("command3d1"));
    // The rows read before stay in the work file: its two first records and at least four
    // rows of readings.
    const QFileInfo work(QDir(dir_.filePath(QStringLiteral("dati"))).filePath(QString::fromLatin1(kWorkFileName)));
    EXPECT_GE(work.size(), (2 + 4) * kReadingsLength);
}

// A screen reader or a switch checks an option through its accessible action, not a click:
// the next operation uses the port shown checked all the same.
TEST_F(OtherPort, ThePortUsedIsTheOptionShownCheckedHoweverItGotChecked)
{
    window_->findChild<QTabBar*>(QStringLiteral("TabStrip1"))->setCurrentIndex(2);
    chooser()->setPortName(unitPath());
    const auto viaAccessibility = [this](int index) {
        auto* option = window_->findChild<QRadioButton*>(QStringLiteral("ssOption1_%1").arg(index));
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(option);
        ASSERT_TRUE(face && face->actionInterface());
        face->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    };
    const struct {
        std::function<void()> check;
        int shown;
        const char* failure; // the message of a port that is not the unit's; empty when it is
    } steps[] = {
        {[&] { viaAccessibility(4); }, 4, ""},
        {[&] { viaAccessibility(1); }, 1, "Attention: cannot open serial port /nonexistent/ttyS1: no such port"},
        {[&] { viaAccessibility(4); }, 4, ""},
        {[&] {
             auto* other = window_->findChild<QRadioButton*>(QStringLiteral("ssOption1_4"));
             other->setFocus();
             QTest::keyClick(other, Qt::Key_Up);
         },
         2, "Attention: cannot open serial port /nonexistent/ttyS2: no such port"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.shown);
        messages_.shown.clear();
        const size_t heard = pty_.log().size();
        s.check();
        EXPECT_TRUE(chosen(s.shown));
        click("Command3"); // Read Block
        if (*s.failure) {
            ASSERT_EQ(messages_.shown.size(), 1u);
            EXPECT_EQ(messages_.shown[0].text, s.failure);
            EXPECT_EQ(pty_.log().size(), heard);
        } else {
            EXPECT_TRUE(messages_.shown.empty());
            EXPECT_GT(pty_.log().size(), heard) << "the unit was reached";
        }
        expectIdle();
    }
}

} // namespace
