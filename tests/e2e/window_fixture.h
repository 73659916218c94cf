#pragma once
#include "link/header_record.h"
#include "shell/main_window.h"
#include "sim/unit_on_pty.h"
#include "support/fake_form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace tarvelon::test {

// The same plausible blocks the unit on the line holds.
inline const sim::Unit& reference()
{
    static const sim::Unit unit = [] {
        sim::Unit u;
        u.fillDemo();
        return u;
    }();
    return unit;
}

// The ten header fields of the default header, as a header line carries them.
inline std::string defaultText(int n)
{
    std::string t = defaultHeader(n).bytes().substr(0, 48);
    return t.substr(0, 32) + t.substr(32, 6) + t.substr(40, 6);
}

inline QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The real window, its "Com 1" being the simulated unit on a pseudo-terminal, and message
// boxes answered by the test.
class WindowOnPty : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        prepareUnit(pty_.unit);
        ASSERT_TRUE(pty_.start());
        restart(options());
    }

    virtual MainWindow::Options options()
    {
        MainWindow::Options opts;
        opts.programFolder = dir_.path();
        // The other ports are ones this machine does not have.
        const QString unitPath = QString::fromStdString(pty_.path());
        opts.portName = [unitPath](int n) { return n == 1 ? unitPath : QStringLiteral("/nonexistent/ttyS%1").arg(n - 1); };
        opts.messages = useRealMessageBoxes() ? nullptr : &messages_;
        opts.desktop = &desktop_;
        // The folder chooser starts in a folder of the test's own.
        FolderChooserOptions folders;
        folders.defaultDrive = dir_.path();
        folders.defaultFolder = dir_.filePath("dati");
        folders.drives = [this] { return QStringList{dir_.path()}; };
        folders.driveReady = [](const QString&) { return true; };
        opts.folders = folders;
        // What the window remembers between starts stays in the test's folder.
        opts.settingsFile = dir_.filePath(QStringLiteral("settings.ini"));
        adjustOptions(opts);
        return opts;
    }

    // Starts the window, closing the one open before, as the operator does the next day.
    void restart(MainWindow::Options opts)
    {
        window_.reset();
        window_ = std::make_unique<MainWindow>(opts);
        window_->show();
        QApplication::setActiveWindow(window_.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    virtual void prepareUnit(sim::Unit&) {}
    virtual void adjustOptions(MainWindow::Options&) {}
    virtual bool useRealMessageBoxes() const { return false; }

    void click(const char* name)
    {
        auto* button = window_->findChild<QAbstractButton*>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Types into a box and leaves it, as the operator does, so its entry check runs.
    void type(const char* box, const QString& text)
    {
        QLineEdit* edit = window_->field(box);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
    std::string text(const char* box) const { return window_->text(box); }
    HeaderRecord record(int n) const
    {
        const QByteArray all = fileBytes(dir_.filePath("intestazione"));
        return HeaderRecord::fromBytes(all.mid((n - 1) * 77, 77).toStdString());
    }
    // The command lines the unit received, without the wakes.
    std::vector<std::string> commands() const
    {
        std::vector<std::string> out;
        for (const std::string& l : pty_.log())
            if (l != "}")
                out.push_back(l);
        return out;
    }
    void expectIdle() const
    {
        EXPECT_FALSE(window_->waitIndicatorShown());
        EXPECT_FALSE(window_->port().isOpen());
        EXPECT_FALSE(window_->isBusy());
    }

    // With real message boxes: answers each modal box that appears with the given button,
    // noting its text and icon, whether an operation was running and the wait indicator lit.
    void answerBoxes(std::vector<QMessageBox::StandardButton> answers)
    {
        auto* timer = new QTimer(window_.get());
        timer->setInterval(20);
        QObject::connect(timer, &QTimer::timeout, [this, timer, answers]() mutable {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || answers.empty())
                return;
            seen.push_back({box->text().toStdString(), box->icon(), box->windowTitle().toStdString(),
                            window_->isBusy(), window_->waitIndicatorShown()});
            box->button(answers.front())->click();
            answers.erase(answers.begin());
            if (answers.empty())
                timer->stop();
        });
        timer->start();
    }
    struct Seen {
        std::string text;
        QMessageBox::Icon icon;
        std::string title;
        bool duringOperation;
        bool waitShown; // the wait indicator lit behind the box
    };
    std::vector<Seen> seen;

    QTemporaryDir dir_;
    sim::UnitOnPty pty_;
    FakeMessages messages_;
    FakeDesktop desktop_;
    std::unique_ptr<MainWindow> window_;
};

} // namespace tarvelon::test
