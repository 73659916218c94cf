// The questions of the real window, answered as an assistive technology answers them: each
// names its act, has Cancel as its default, and fits a 1280 x 720 screen and a 1920 x 1080
// screen at 150 %, details shown or not.
#include "shell/surveys/survey_library.h"
#include "shell/surveys/surveys_window.h"
#include "library/store.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QDateTime>
#include <QPushButton>
#include <QTabBar>

#include <functional>

using namespace tarvelon;
using namespace tarvelon::test;

namespace {

// The room a window has on each screen the operators use, in the window's own pixels.
const QSize kScreens[] = {QSize(1280, 720), QSize(1920 * 2 / 3, 1080 * 2 / 3)};
// Room the window system's title bar and borders take.
const QSize kFrame(16, 40);

// Presses the button of `box` whose accessible name is `name`, as a screen reader does.
bool pressByAccessibility(QWidget& box, const QString& name)
{
    for (QAbstractButton* button : box.findChildren<QAbstractButton*>()) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(button);
        if (!face || face->text(QAccessible::Name).remove(QLatin1Char('&')) != name || !button->isVisible())
            continue;
        if (!face->actionInterface())
            return false;
        face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        return true;
    }
    return false;
}

struct Asked {
    QString title, text, informative;
    bool cancelIsDefault = false;
    bool fits = false;        // closed and with its details open, on both screens
    QStringList buttons;      // by their accessible names
    bool answered = false;
};

class Questions : public WindowOnPty {
protected:
    void prepareUnit(sim::Unit& unit) override { unit.fillDemo(); }
    bool useRealMessageBoxes() const override { return true; }

    // Runs `act`; the first box it opens is looked at and answered with `answer`.
    Asked ask(const std::function<void()>& act, const QString& answer)
    {
        Asked asked;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || asked.answered)
                return;
            asked.answered = true;
            asked.title = box->windowTitle();
            asked.text = box->text();
            asked.informative = box->informativeText();
            asked.cancelIsDefault = box->defaultButton() && box->defaultButton() == box->button(QMessageBox::Cancel);
            for (QAbstractButton* b : box->buttons())
                asked.buttons << QAccessible::queryAccessibleInterface(b)->text(QAccessible::Name).remove(QLatin1Char('&'));
            const auto fits = [box] {
                QApplication::processEvents();
                const QSize size = box->size() + kFrame;
                for (const QSize& screen : kScreens)
                    if (size.width() > screen.width() || size.height() > screen.height())
                        return false;
                return true;
            };
            asked.fits = fits();
            // The details open, the box still on the screen.
            if (pressByAccessibility(*box, QStringLiteral("Show Details...")))
                asked.fits = asked.fits && fits();
            if (!pressByAccessibility(*box, answer))
                box->reject();
        });
        poll.start();
        act();
        return asked;
    }

    void showPage(int page) { window_->findChild<QTabBar*>(QStringLiteral("TabStrip1"))->setCurrentIndex(page); }
};

} // namespace

// With every header read (the longest questions), each erasing question is asked and cancelled.
TEST_F(Questions, EachNamesItsActFitsTheScreenAndCancelsByDefault)
{
    click("Command8"); // Read All Blocks: the unit's 30 blocks known, many holding readings
    type("Text2", "3");
    struct Act {
        const char* button;
        int page;
        const char* title;
        const char* lost; // a text the box must name
    };
    const Act acts[] = {
        {"Command6", 0, "Set Block", "Block 03"},
        {"sscommand6", 0, "Set All", "Blocks 01 to 30"},
        {"Command7", 0, "Reset Block", "Block 03"},
        {"ssCommand8", 0, "Total Reset", "Blocks 01 to 30"},
        {"Command13", 2, "Reset G/Z", "blocks 01 to 30"},
        {"ssCommand4", 2, "Write Clock", "The unit's clock will be set to "},
    };
    click("ssCommand3"); // Read Clock: valid boxes for Write Clock
    for (const Act& a : acts) {
        SCOPED_TRACE(a.title);
        showPage(a.page);
        const size_t heard = pty_.log().size();
        const Asked asked = ask([&] { click(a.button); }, QStringLiteral("Cancel"));
        ASSERT_TRUE(asked.answered);
        EXPECT_EQ(asked.title, QString::fromLatin1(a.title));
        EXPECT_TRUE(asked.text.startsWith(QStringLiteral("ATTENTION: "))) << "the described words first";
        EXPECT_TRUE(asked.informative.contains(QString::fromLatin1(a.lost))) << asked.informative.toStdString();
        EXPECT_TRUE(asked.cancelIsDefault);
        EXPECT_TRUE(asked.fits);
        // A few lines of text at most; the rest is in the details.
        EXPECT_LE(asked.informative.count(QLatin1Char('\n')), 6) << asked.informative.toStdString();
        EXPECT_EQ(pty_.log().size(), heard) << "Cancel sends nothing";
        expectIdle();
    }
}

// The guide's advice, Copy Data then Set All, with the unit's other headers unread: the
// question names the blocks that would get the start-up placeholders, and the added button
// writes only the blocks set since the start.
TEST_F(Questions, SetAllCanWriteOnlyTheHeadersSetSinceTheStart)
{
    type("Text3", "ACME");
    click("sscommand11");
    click("sscommand11");
    const size_t heard = pty_.log().size();
    const QString only = QString::fromUtf8("Write Blocks 01\u201303 Only");
    const Asked asked = ask([&] { click("sscommand6"); }, only);
    ASSERT_TRUE(asked.answered);
    EXPECT_TRUE(asked.buttons.contains(only)) << asked.buttons.join(QStringLiteral(", ")).toStdString();
    EXPECT_TRUE(asked.informative.contains(QStringLiteral("Blocks 04 to 30 still hold the start-up default header")))
        << asked.informative.toStdString();
    EXPECT_TRUE(asked.informative.contains(QStringLiteral("contents not read since the program started")));
    EXPECT_TRUE(asked.cancelIsDefault);
    std::vector<std::string> written;
    const std::vector<std::string> log = pty_.log();
    for (size_t i = heard; i < log.size(); ++i)
        if (log[i] != "}")
            written.push_back(log[i].substr(0, 14));
    EXPECT_EQ(written, (std::vector<std::string>{"C00000ACME    ", "C01000ACME    ", "C02000ACME    ", "b000F500"}));
    EXPECT_EQ(window_->statusLine()->result(), "Blocks 01 to 03 written");
    expectIdle();
}

// A day that does not exist is named before any question, and the operator is put back in its
// box; "PC Time" fills the six boxes with the computer's clock.
TEST_F(Questions, WriteClockNamesTheWrongBoxFirstAndPcTimeFillsTheBoxes)
{
    showPage(2);
    click("ssCommand3");
    type("Text13a", "32");
    const size_t heard = pty_.log().size();
    const Asked asked = ask([&] { click("ssCommand4"); }, QStringLiteral("OK"));
    ASSERT_TRUE(asked.answered);
    EXPECT_EQ(asked.text, QStringLiteral("Attention: Invalid date or time: DD (day) must be 01 to 31"));
    EXPECT_EQ(window_->focusWidget(), window_->field("Text13a"));
    EXPECT_EQ(window_->field("Text13a")->selectedText(), QStringLiteral("32")) << "chosen, to be typed over";
    EXPECT_EQ(pty_.log().size(), heard);

    const QDateTime before = QDateTime::currentDateTime();
    click("cmdPcTime");
    const QDateTime shown(QDate(2000 + QString::fromStdString(text("Text2a")).toInt(),
                                QString::fromStdString(text("Text1a")).toInt(),
                                QString::fromStdString(text("Text13a")).toInt()),
                          QTime(QString::fromStdString(text("Text14a")).toInt(),
                                QString::fromStdString(text("Text3a")).toInt(),
                                QString::fromStdString(text("Text4a")).toInt()));
    EXPECT_LE(std::abs(before.secsTo(shown)), 2) << shown.toString().toStdString();
    expectIdle();
}

namespace {

// A tube of three readouts with its base.
std::vector<std::int64_t> tubeWithBase()
{
    QFile::remove(surveyLibraryPath());
    surveys::SurveyStore store;
    EXPECT_TRUE(store.open(QFile::encodeName(surveyLibraryPath()).toStdString()));
    std::vector<std::int64_t> ids;
    for (int n = 1; n <= 3; ++n) {
        surveys::Survey s;
        s.client = "C", s.site = "S", s.tube = "T", s.readout = "0" + std::to_string(n),
        s.date = "0" + std::to_string(n) + "/04/24", s.time = "10:00:00";
        for (int t = 10; t <= 50; t += 10)
            s.rows.push_back({t, {std::int64_t(t * n), -std::int64_t(n)}});
        ids.push_back(store.add(s).id);
    }
    surveys::TubeSettings t;
    t.constant = 20000;
    t.baseId = ids[0];
    EXPECT_TRUE(store.setTubeSettings({"C", "S", "T"}, t));
    return ids;
}

std::int64_t baseInLibrary()
{
    surveys::SurveyStore store;
    EXPECT_TRUE(store.open(QFile::encodeName(surveyLibraryPath()).toStdString()));
    return store.tubeSettings({"C", "S", "T"}).baseId;
}

} // namespace

// Mark as Base asks first, naming the readout and the present base; Cancel (the default)
// leaves the base as it was, OK moves it, and marking the old base again moves it back.
TEST_F(Questions, MarkAsBaseAsksFirst)
{
    const std::vector<std::int64_t> ids = tubeWithBase();
    click("cmdSurveys");
    auto* surveys = window_->findChild<SurveysWindow*>(QStringLiteral("Surveys"));
    ASSERT_NE(surveys, nullptr);
    auto* mark = surveys->findChild<QPushButton*>(QStringLiteral("markBase"));
    surveys->select({ids[2]});

    const Asked cancelled = ask([&] { mark->click(); }, QStringLiteral("Cancel"));
    ASSERT_TRUE(cancelled.answered);
    EXPECT_EQ(cancelled.title, QStringLiteral("Mark as Base"));
    EXPECT_TRUE(cancelled.cancelIsDefault);
    EXPECT_TRUE(cancelled.text.contains(QStringLiteral("Make readout 03/04/24 10:00  No. 03 the base of tube T?")))
        << cancelled.text.toStdString();
    EXPECT_TRUE(cancelled.text.contains(QStringLiteral("The present base is readout 01/04/24 10:00  No. 01.")));
    EXPECT_TRUE(cancelled.text.contains(QStringLiteral("Every displacement, rate and alarm of the tube is recomputed")));
    EXPECT_EQ(baseInLibrary(), ids[0]);

    EXPECT_TRUE(ask([&] { mark->click(); }, QStringLiteral("OK")).answered);
    EXPECT_EQ(baseInLibrary(), ids[2]);
    // Undone by marking the old base again.
    surveys->select({ids[0]});
    const Asked back = ask([&] { mark->click(); }, QStringLiteral("OK"));
    EXPECT_TRUE(back.text.contains(QStringLiteral("The present base is readout 03/04/24 10:00  No. 03.")));
    EXPECT_EQ(baseInLibrary(), ids[0]);
    surveys->close();
    expectIdle();
}
