// What an operator can paste or type must never make a record of the wrong width, a file
// outside the program's folders, or a line the unit would misread.
#include "link/fields.h"
#include "link/header_record.h"
#include "shell/main_window.h"
#include "support/fake_form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace tarvelon;
using namespace tarvelon::test;

namespace {

class Hostile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        window_ = make();
    }
    std::unique_ptr<MainWindow> make()
    {
        MainWindow::Options opts;
        opts.programFolder = dir_.path();
        opts.portName = [](int) { return QStringLiteral("/nonexistent/ttyS0"); };
        opts.messages = &messages_;
        opts.desktop = &desktop_;
        auto w = std::make_unique<MainWindow>(opts);
        w->show();
        QApplication::setActiveWindow(w.get());
        return w;
    }
    // Pastes into a box and leaves it, so its entry check runs on what was pasted.
    void paste(const char* name, const QString& text)
    {
        QLineEdit* box = window_->field(name);
        box->setFocus();
        box->selectAll();
        box->insert(text);
        QTest::keyClick(box, Qt::Key_Tab);
    }
    QByteArray headerFile() const
    {
        QFile f(dir_.filePath("intestazione"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir_;
    FakeMessages messages_;
    FakeDesktop desktop_;
    std::unique_ptr<MainWindow> window_;
};

const QString kHostile[] = {
    QString(10000, QChar('x')),
    QStringLiteral("a\tb\rc\nd\x01\x1b"),
    QStringLiteral("\u05E9\u05DC\u05D5\u05DD \u0645\u0631\u062D\u0628\u0627"), // right to left
    QStringLiteral("\U0001F600\U0001F680\U0001F9ED\U0001F600\U0001F680\U0001F9ED\U0001F600\U0001F680\U0001F9ED"),
    QStringLiteral("\u4E2D\u6587\u20AC\u00E0"),
    QStringLiteral(".."),
    QStringLiteral("a/b"),
};

} // namespace

TEST_F(Hostile, EveryBoxKeepsItsWidthAndNoControlCharacter)
{
    auto* tabs = window_->findChild<QTabBar*>("TabStrip1");
    for (const QString& pasted : kHostile) {
        for (int page = 0; page < tabs->count(); ++page)
        for (const FieldSpec& f : kFields) {
            tabs->setCurrentIndex(page);
            QLineEdit* box = window_->field(f.name);
            if (!box->isVisible() || box->isReadOnly())
                continue;
            paste(std::string(f.name).c_str(), pasted);
            const std::string text = window_->text(f.name);
            if (f.maxLength > 0) {
                EXPECT_LE(text.size(), size_t(f.maxLength)) << f.name;
            }
            for (char ch : text)
                EXPECT_GE(static_cast<unsigned char>(ch), 0x20) << f.name << " holds a control character";
        }
    }
}

TEST_F(Hostile, PastedHeadersStillMakeRecordsOfTheirWidth)
{
    for (const QString& pasted : kHostile) {
        for (const char* name : {"Text3", "Text4", "Text5", "Text6", "Text10"})
            paste(name, pasted);
        window_->findChild<QAbstractButton*>("sscommand10")->click(); // "+" stores the page
        window_->findChild<QAbstractButton*>("sscommand9")->click();
        const QByteArray file = headerFile();
        ASSERT_EQ(file.size(), 2310);
        const std::string record = file.left(77).toStdString();
        EXPECT_EQ(HeaderRecord::fromBytes(record).bytes(), record);
        for (char ch : record)
            EXPECT_GE(static_cast<unsigned char>(ch), 0x20);
    }
}

TEST_F(Hostile, AnyHeaderFileIsRebuiltAtStartOrTheFailureIsSaid)
{
    struct Case {
        const char* what;
        std::function<void(const QString&)> spoil;
        qint64 size; // after the start; -1: not a file
    };
    const Case cases[] = {
        {"truncated", [](const QString& p) { QFile f(p); f.open(QIODevice::WriteOnly); f.write(QByteArray(100, 'q')); }, 2310},
        {"empty", [](const QString& p) { QFile f(p); f.open(QIODevice::WriteOnly); }, 2310},
        {"longer", [](const QString& p) { QFile f(p); f.open(QIODevice::WriteOnly); f.write(QByteArray(3000, 'q')); }, 3000},
        {"a folder", [](const QString& p) { QDir().mkpath(p); }, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window_.reset();
        messages_.shown.clear();
        const QString path = dir_.filePath("intestazione");
        QFile::remove(path);
        QDir(path).removeRecursively();
        c.spoil(path);
        window_ = make();
        EXPECT_EQ(window_->text("Text3"), "CLIENT 1");
        if (c.size < 0) {
            ASSERT_EQ(messages_.shown.size(), 1u);
            EXPECT_EQ(messages_.shown[0].text, "Attention: cannot write header file " + window_->state().headerFilePath);
            window_->findChild<QAbstractButton*>("sscommand11")->click(); // Copy Data
            ASSERT_EQ(messages_.shown.size(), 2u);
            EXPECT_EQ(window_->text("Text2"), "01");
            continue;
        }
        EXPECT_TRUE(messages_.shown.empty());
        const QByteArray file = headerFile();
        ASSERT_EQ(file.size(), c.size);
        for (int n = 1; n <= 30; ++n)
            EXPECT_EQ(file.mid((n - 1) * 77, 77).toStdString(), defaultHeader(n).bytes());
    }
}
