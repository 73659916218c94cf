#include "link/fields.h"
#include "link/header_record.h"
#include "platform/qt/qt_text.h"
#include "settings/clock.h"
#include "shell/controls.h"
#include "shell/main_window.h"
#include "shell/status_line.h"
#include "support/fake_form.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>

namespace tarvelon {
namespace {

QString q(const char* utf8) { return QString::fromUtf8(utf8); }

// The fixture below carries the window's class name, so the window is Window here.
using Window = tarvelon::MainWindow;

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        window_ = make(true);
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }

    std::unique_ptr<Window> make(bool startUp)
    {
        Window::Options opts;
        opts.programFolder = dir_.path();
        opts.portName = [](int n) { return QStringLiteral("/nonexistent/ttyTarvelon%1").arg(n); };
        opts.runStartUp = startUp;
        opts.messages = &messages_;
        opts.desktop = &desktop_;
        return std::make_unique<Window>(opts);
    }

    test::FakeMessages messages_;
    test::FakeDesktop desktop_;

    template <class T>
    T* child(const QString& name) const
    {
        return window_->findChild<T*>(name);
    }
    QLineEdit* box(const char* name) const { return child<QLineEdit>(QLatin1String(name)); }
    QString headerPath() const { return dir_.filePath(QStringLiteral("intestazione")); }
    QByteArray headerBytes() const
    {
        QFile f(headerPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QByteArray defaultRecords()
    {
        QByteArray all;
        for (int k = 1; k <= 30; ++k) {
            const std::string r = defaultHeader(k).bytes();
            all.append(r.data(), static_cast<qsizetype>(r.size()));
        }
        return all;
    }
    void clickTab(int index)
    {
        auto* tabs = child<QTabBar>(QStringLiteral("TabStrip1"));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    }

    QTemporaryDir dir_;
    std::unique_ptr<Window> window_;
};

// ---------------------------------------------------------------------------------------
// Controls, captions and names

QString captionOf(const QObject* o)
{
    if (auto* l = qobject_cast<const QLabel*>(o))
        return l->text();
    if (auto* b = qobject_cast<const QAbstractButton*>(o))
        return withoutMnemonic(b->text());
    if (auto* g = qobject_cast<const QGroupBox*>(o))
        return g->title();
    return QStringLiteral("<not a captioned control>");
}

struct Caption {
    const char* name;
    const char* caption;
};

constexpr Caption kCaptions[] = {
    // Control panel
    {"lblControlPanel", "Control Panel"}, {"Command7", " Reset Block"}, {"ssCommand8", " Total Reset"},
    {"Command6", "Set Block"}, {"sscommand6", "Set All"}, {"Command3", " Read Block"},
    {"Command8", " Read All Blocks"}, {"Command11", "About"}, {"Command12", "Help"},
    {"Label34", "WAIT DATA TRANSMISSION ONGOING"},
    // Header Data page
    {"Frame1", "Blocks Header"}, {"lblText2", "Block  Number (01-30)  :"}, {"sscommand9", "-"},
    {"sscommand10", "+"}, {"sscommand11", "Copy Data"}, {"lblText3", "Client  :"}, {"lblText4", "Site :"},
    {"lblText5", "Tube no :"}, {"lblText6", "Depth  :"},
    {"hintText6", "Max.  100.0 mt.     Max.  200.0 mt.  "}, {"lblText10", "Readout no  :"},
    {"lblText11", "Date  :"}, {"hintText11", "DDMMYY"}, {"lblText12", "Time  :"}, {"hintText12", "HHMMSS"},
    {"lblText7", "Step  :"}, {"hintText7", "0 = 0,5 mt.          1 = 1 mt"}, {"lblText8", "Guides no  :"},
    {"hintText8", "2 - 4"}, {"lblText9", "North  :"}, {"hintText9", "from \u00B1000\u00B0 to \u00B1360\u00B0"},
    {"lblText15", "FILE NAME :"},
    // Download Data page
    {"Frame2", "Download Data"}, {"lblnumblocco", "Block Number (01-30)  :"}, {"Command2", "-"},
    {"Command1", "+"}, {"lblText1", "FILE NAME :"}, {"lblText17", "RAM Address"}, {"command3d1", "Ok"},
    {"Command10", "Folder"}, {"lblText18", "Gain 1\u00B0 Canale"}, {"lblText19", "Gain 2\u00B0 Canale"},
    {"lblText20", "Zero 1\u00B0 Canale"}, {"lblText21", "Zero 2\u00B0 Canale"}, {"lblText22", "Punto"},
    // Setup page
    {"frameZeroGain", " Zero/Gain "},
    {"lblZeroGain", "To reset gain and zero parameters with the TARVELON default values press this button"},
    {"Command13", "Reset G/Z"}, {"frameParameters", " Parameters "},
    {"lblText16rt", "Delay for Automatic Cycle"}, {"hintText16rt", "From 3 to 9"}, {"Command6scrivi", "Write"},
    {"frameSerialPort", " Serial Port "}, {"ssOption1_0", "Com 1"}, {"ssOption1_1", "Com 2"},
    {"ssOption1_2", "Com 3"}, {"ssOption1_3", "Com 4"}, {"ssOption1_4", "Other:"}, {"frameDateTime", " Date / Time  "},
    {"lblClockDate", "Date  :"}, {"lblClockTime", "Time    :"}, {"hintText13a", "DD"}, {"hintText1a", "MM"},
    {"hintText2a", "YY"}, {"hintText14a", "hh"}, {"hintText3a", "mm"}, {"hintText4a", "ss"},
    {"ssCommand3", " Read Clock"}, {"ssCommand4", " Write Clock"},
};

TEST_F(MainWindow, EveryControlCarriesItsExactCaption)
{
    for (const Caption& c : kCaptions) {
        const QObject* o = window_->findChild<QObject*>(QLatin1String(c.name));
        ASSERT_NE(o, nullptr) << c.name;
        EXPECT_EQ(captionOf(o), q(c.caption)) << c.name;
    }
}

TEST(ShownCaption, OnlyALoneAmpersandIsHidden)
{
    const struct {
        const char* caption;
        const char* shown;
    } cases[] = {
        {" R&ead Block", " Read Block"}, {"Com &1", "Com 1"}, {"Zero && Gain", "Zero & Gain"},
        {"&&&Set", "&Set"},              {"-", "-"},          {"Ok&", "Ok"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withoutMnemonic(QString::fromLatin1(c.caption)), QString::fromLatin1(c.shown)) << c.caption;
}

TEST_F(MainWindow, WindowAndTabsAreTitled)
{
    EXPECT_EQ(window_->objectName(), QStringLiteral("Scaricodati"));
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("Tarvelon Manager"));
    auto* tabs = child<QTabBar>(QStringLiteral("TabStrip1"));
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Header Data"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Download Data"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("Setup Tarvelon"));
    ASSERT_NE(child<QWidget>(QStringLiteral("Frame3")), nullptr);
    ASSERT_NE(child<QWidget>(QStringLiteral("Shape1")), nullptr);
}

TEST_F(MainWindow, PortOptionsCarryTheirIndex)
{
    for (int i = 0; i < 5; ++i) {
        auto* option = child<QRadioButton>(QStringLiteral("ssOption1_%1").arg(i));
        ASSERT_NE(option, nullptr) << i;
        EXPECT_EQ(option->property("index").toInt(), i);
    }
}

TEST_F(MainWindow, EveryTextBoxHasItsNameAndMaximumLength)
{
    for (const FieldSpec& f : kFields) {
        const std::string name(f.name);
        QLineEdit* edit = box(name.c_str());
        ASSERT_NE(edit, nullptr) << name;
        EXPECT_EQ(edit->maxLength(), f.maxLength > 0 ? f.maxLength : QLineEdit().maxLength()) << name;
        EXPECT_EQ(window_->field(f.name), edit) << name;
        EXPECT_EQ(edit->accessibleDescription(), QString::fromStdString(name)) << name;
        EXPECT_FALSE(edit->accessibleName().isEmpty()) << name;
    }
}

TEST_F(MainWindow, AccessibleNamesAreTheLabels)
{
    const Caption cases[] = {
        {"Text2", "Block  Number (01-30)  :"}, {"Text3", "Client  :"}, {"Text10", "Readout no  :"},
        {"Text11", "Date  :"},                 {"numblocco", "Block Number (01-30)  :"},
        {"Text1", "FILE NAME :"},              {"Text16rt", "Delay for Automatic Cycle"},
        {"Command7", "Reset Block"},           {"ssCommand3", "Read Clock"},
        {"ssOption1_3", "Com 4"},              {"sscommand10", "+"},
        {"cboPortName", "Serial port name"},
    };
    for (const Caption& c : cases) {
        const QWidget* w = child<QWidget>(QLatin1String(c.name));
        ASSERT_NE(w, nullptr) << c.name;
        EXPECT_EQ(w->accessibleName(), q(c.caption)) << c.name;
    }
}

struct Flag {
    const char* name;
    bool on;
};

TEST_F(MainWindow, ReadOnlyBoxesAreTheOnesTheOperatorDoesNotType)
{
    const Flag cases[] = {
        {"Text11", true}, {"Text12", true}, {"Text13", true}, {"Text2", false},  {"Text3", false},
        {"Text6", false}, {"Text10", false}, {"numblocco", false}, {"Text16rt", false}, {"Text13a", false},
    };
    for (const Flag& c : cases)
        EXPECT_EQ(box(c.name)->isReadOnly(), c.on) << c.name;
}

TEST_F(MainWindow, HiddenFieldsStayHiddenOnEveryPage)
{
    const char* hidden[] = {"Text7",     "lblText7",  "hintText7", "Text8",     "lblText8",  "hintText8",
                            "Text9",     "lblText9",  "hintText9", "Text15",    "lblText15", "Text18",
                            "lblText18", "Text19",    "Text20",    "Text21",    "Text22",    "lblText22"};
    for (int page = 0; page < 3; ++page) {
        clickTab(page);
        for (const char* name : hidden) {
            const QWidget* w = child<QWidget>(QLatin1String(name));
            ASSERT_NE(w, nullptr) << name;
            EXPECT_FALSE(w->isVisible()) << name << " on page " << page;
        }
    }
    for (const char* name : {"Text18", "Text19", "Text20", "Text21", "Text22"})
        EXPECT_FALSE(box(name)->isEnabled()) << name;
}

// ---------------------------------------------------------------------------------------
// Start-up

TEST_F(MainWindow, ButtonsAreEnabledAsTheWindowLoads)
{
    const Flag cases[] = {
        {"Command7", true},    {"ssCommand8", true}, {"Command6", true},   {"sscommand6", true},
        {"Command3", true},    {"Command8", true},   {"Command11", true},  {"Command12", true},
        {"sscommand9", true},  {"sscommand10", true}, {"sscommand11", true}, {"command3d1", false},
        {"Command10", true},   {"Command1", true},   {"Command2", true},   {"ssCommand3", true},
    };
    for (const Flag& c : cases) {
        EXPECT_EQ(child<QWidget>(QLatin1String(c.name))->isEnabled(), c.on) << c.name;
        EXPECT_EQ(window_->isEnabled(c.name), c.on) << c.name;
    }
}

TEST_F(MainWindow, LoadingEnablesWhatWasCreatedDisabled)
{
    window_.reset();
    ASSERT_TRUE(QFile::remove(headerPath()));
    window_ = make(false);
    const char* waiting[] = {"sscommand9", "sscommand10", "Command6", "sscommand6", "Command3"};
    for (const char* name : waiting)
        EXPECT_FALSE(window_->isEnabled(name)) << name;
    EXPECT_TRUE(window_->isEnabled("Command7"));
    EXPECT_EQ(window_->text("Text11"), "");
    EXPECT_FALSE(QFile::exists(headerPath()));

    window_->load();
    for (const char* name : waiting)
        EXPECT_TRUE(window_->isEnabled(name)) << name;
    EXPECT_FALSE(window_->isEnabled("command3d1"));
    EXPECT_EQ(window_->text("Text11"), "DDMMYY");
    EXPECT_TRUE(QFile::exists(headerPath()));
}

TEST_F(MainWindow, BlockOneDefaultsAreShownAfterLoading)
{
    const struct {
        const char* box;
        const char* text;
    } cases[] = {
        {"Text2", "01"},        {"Text3", "CLIENT 1"},  {"Text4", "SITE0000"}, {"Text5", "T   "},
        {"Text6", "000"},       {"Text13", "0"},        {"Text7", "1"},        {"Text8", "2"},
        {"Text9", "+000"},      {"Text10", "00"},       {"Text11", "DDMMYY"},  {"Text12", "hhmmss"},
        {"Text18", "+1.0000"},  {"Text19", "+1.0000"},  {"Text20", "+0.0000"}, {"Text21", "+0.0000"},
        {"Text22", "0"},        {"numblocco", "01"},    {"Text16rt", "3"},     {"Text1", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(window_->text(c.box), c.text) << c.box;
}

TEST_F(MainWindow, ProgramStateIsSetByLoading)
{
    const ProgramState& s = window_->state();
    EXPECT_EQ(s.currentBlock, 1);
    EXPECT_EQ(s.downloadBlock, 1);
    EXPECT_EQ(s.portNumber, 1);
    EXPECT_EQ(s.tick, 0);
    EXPECT_EQ(s.record, defaultHeader(1));
    const QString path = QDir::toNativeSeparators(headerPath());
    EXPECT_EQ(QString::fromLocal8Bit(s.headerFilePath.c_str()), path);
    EXPECT_EQ(fromText(window_->text("Text15")), path);
    EXPECT_FALSE(window_->port().isOpen());
}

TEST_F(MainWindow, HeaderFileHoldsThirtyDefaultRecords)
{
    const QByteArray bytes = headerBytes();
    ASSERT_EQ(bytes.size(), 2310);
    EXPECT_TRUE(bytes.startsWith("CLIENT 1"));
    EXPECT_EQ(bytes.mid(2233, 8), QByteArray("CLIENT30"));
    EXPECT_EQ(bytes, defaultRecords());
}

TEST_F(MainWindow, ALongerHeaderFileKeepsItsLengthAndGetsDefaults)
{
    window_.reset();
    {
        QFile f(headerPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(3000, 'x'));
    }
    window_ = make(true);
    const QByteArray bytes = headerBytes();
    ASSERT_EQ(bytes.size(), 3000);
    EXPECT_EQ(bytes.left(2310), defaultRecords());
    EXPECT_EQ(bytes.mid(2310), QByteArray(690, 'x'));
    EXPECT_EQ(window_->text("Text3"), "CLIENT 1");
}

TEST_F(MainWindow, Timer1RunsAt100MsAndIsOffAtStart)
{
    EXPECT_EQ(window_->timer().qtimer().interval(), 100);
    EXPECT_FALSE(window_->timer().isEnabled());
    EXPECT_FALSE(window_->context().timer1.isEnabled());
}

// ---------------------------------------------------------------------------------------
// Pages, port choice, wait indicator

TEST_F(MainWindow, EachTimerTickAdvancesTheTickCounter)
{
    window_->timer().enable();
    QElapsedTimer clock;
    clock.start();
    while (window_->state().tick < 3 && clock.elapsed() < 3000)
        window_->eventLoop().yieldUntilEvent();
    window_->timer().disable();
    EXPECT_EQ(window_->state().tick, 3);
}

TEST_F(MainWindow, ATabClickShowsOnlyItsPage)
{
    const QString frames[] = {QStringLiteral("Frame1"), QStringLiteral("Frame2"), QStringLiteral("Frame3")};
    const QRect place = child<QWidget>(frames[0])->geometry();
    // The header page is the one shown at start.
    for (int tab : {-1, 1, 2, 0, 2, 1}) {
        const bool start = tab < 0;
        if (start)
            tab = 0;
        else
            clickTab(tab);
        for (int f = 0; f < 3; ++f)
            EXPECT_EQ(child<QWidget>(frames[f])->isVisible(), f == tab)
                << "tab " << tab << " frame " << f << (start ? " at start" : "");
        // The pages share one place, so the rest of the window never moves.
        EXPECT_EQ(child<QWidget>(frames[tab])->geometry(), place) << "tab " << tab;
    }
}

TEST_F(MainWindow, ChoosingAPortSetsOnlyThePortNumber)
{
    clickTab(2);
    const struct {
        int index;
        int number;
    } steps[] = {{2, 3}, {0, 1}, {3, 4}, {1, 2}};
    for (const auto& s : steps) {
        auto* option = child<QRadioButton>(QStringLiteral("ssOption1_%1").arg(s.index));
        QTest::mouseClick(option, Qt::LeftButton);
        EXPECT_EQ(window_->state().portNumber, s.number);
        EXPECT_TRUE(option->isChecked());
        EXPECT_FALSE(window_->port().isOpen());
        EXPECT_EQ(window_->port().selectedPort(), 1) << "nothing is selected before an exchange";
    }
}

TEST_F(MainWindow, WaitIndicatorShowsAndHidesLabelAndShapeTogether)
{
    auto* label = child<QWidget>(QStringLiteral("Label34"));
    auto* shape = child<QWidget>(QStringLiteral("Shape1"));
    EXPECT_FALSE(label->isVisible());
    EXPECT_FALSE(shape->isVisible());
    EXPECT_FALSE(window_->waitIndicatorShown());
    const QSize before = window_->size();
    for (bool shown : {true, false, true, false}) {
        window_->showWaitIndicator(shown);
        EXPECT_EQ(label->isVisible(), shown);
        EXPECT_EQ(shape->isVisible(), shown);
        EXPECT_EQ(window_->waitIndicatorShown(), shown);
        if (shown) {
            EXPECT_TRUE(shape->geometry().contains(label->geometry()));
        }
        EXPECT_EQ(window_->size(), before);
    }
}

// ---------------------------------------------------------------------------------------
// Text boxes through the form

TEST_F(MainWindow, ProgramTextIsCutToEachBoxMaximum)
{
    for (const FieldSpec& f : kFields) {
        // The delay box cleans up every change, so it never keeps seven sevens.
        if (f.name == "Text16rt")
            continue;
        const std::string tooLong(static_cast<size_t>(f.maxLength > 0 ? f.maxLength + 3 : 120), '7');
        window_->setText(f.name, tooLong);
        const size_t kept = f.maxLength > 0 ? static_cast<size_t>(f.maxLength) : tooLong.size();
        EXPECT_EQ(window_->text(f.name), tooLong.substr(0, kept)) << f.name;
    }
}

TEST_F(MainWindow, FormTextCrossesTheCodePage)
{
    window_->setText("Text1", "Profondit\xE0;S1;S2");
    EXPECT_EQ(box("Text1")->text(), QStringLiteral("Profondit\u00E0;S1;S2"));
    EXPECT_EQ(window_->text("Text1"), "Profondit\xE0;S1;S2");

    box("Text3")->setText(QString::fromUtf8("AB\xF0\x9F\x98\x80" "C"));
    EXPECT_EQ(window_->text("Text3"), "AB?C");
}

TEST_F(MainWindow, ControlsAreEnabledAndDisabledByName)
{
    for (const char* name : {"Command11", "ssOption1_2", "Text16rt", "command3d1"}) {
        const bool before = window_->isEnabled(name);
        window_->setEnabled(name, !before);
        EXPECT_EQ(window_->isEnabled(name), !before) << name;
        EXPECT_EQ(child<QWidget>(QLatin1String(name))->isEnabled(), !before) << name;
        window_->setEnabled(name, before);
        EXPECT_EQ(window_->isEnabled(name), before) << name;
    }
    EXPECT_FALSE(window_->isEnabled("NoSuchControl"));
}

TEST_F(MainWindow, DoubleClickOnTenthsIsSignalled)
{
    QSignalSpy spy(window_.get(), &Window::tenthsDoubleClicked);
    QTest::mouseDClick(box("Text6"), Qt::LeftButton);
    EXPECT_EQ(spy.count(), 0);
    QTest::mouseDClick(box("Text13"), Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);
}

// ---------------------------------------------------------------------------------------
// Operations

TEST_F(MainWindow, OperationsGetTheWindowsContext)
{
    bool ran = false;
    window_->runOperation([&](Context& c) {
        ran = true;
        EXPECT_EQ(&c.state, &window_->state());
        EXPECT_EQ(&c.form, static_cast<Form*>(window_.get()));
        // The window's port, through the recorder of "Record the line to a file".
        EXPECT_NE(dynamic_cast<TracedPort*>(&c.port), nullptr);
        EXPECT_EQ(c.port.portName(), window_->port().portName());
        EXPECT_EQ(&c.timer1, static_cast<Timer*>(&window_->timer()));
        EXPECT_EQ(&c.loop, static_cast<EventLoop*>(&window_->eventLoop()));
        EXPECT_TRUE(window_->isBusy());
    });
    EXPECT_TRUE(ran);
    EXPECT_FALSE(window_->isBusy());
}

TEST_F(MainWindow, ASecondOperationDuringOneIsIgnored)
{
    int outer = 0;
    int inner = 0;
    window_->runOperation([&](Context&) {
        ++outer;
        window_->runOperation([&](Context&) { ++inner; });
    });
    EXPECT_EQ(outer, 1);
    EXPECT_EQ(inner, 0);
    window_->runOperation([&](Context&) { ++inner; });
    EXPECT_EQ(inner, 1);
}

TEST_F(MainWindow, AConnectedButtonRunsItsOperationOncePerClick)
{
    auto* button = new QPushButton(QStringLiteral("Test"), window_.get());
    button->setObjectName(QStringLiteral("testButton"));
    button->show();
    int runs = 0;
    window_->connectOperation("testButton", [&](Context& c) {
        ++runs;
        // A click on the same button while it runs is not started inside it.
        QTest::mouseClick(button, Qt::LeftButton);
        c.loop.yield();
    });
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(runs, 1);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(runs, 2);
}

TEST_F(MainWindow, AnOperationThatFailsLeavesTheWindowIdle)
{
    EXPECT_THROW(window_->runOperation([](Context&) { throw std::runtime_error("broken"); }), std::runtime_error);
    EXPECT_FALSE(window_->isBusy());
    bool ran = false;
    window_->runOperation([&](Context&) { ran = true; });
    EXPECT_TRUE(ran);
}

TEST_F(MainWindow, ClosingDuringAnOperationUnwindsIt)
{
    bool pastTheYield = false;
    window_->runOperation([&](Context& c) {
        c.form.showWaitIndicator(true);
        window_->close();
        c.loop.yield();
        pastTheYield = true;
    });
    EXPECT_FALSE(pastTheYield);
    EXPECT_FALSE(window_->isVisible());
    EXPECT_FALSE(window_->isBusy());
    EXPECT_TRUE(window_->eventLoop().closeRequested());
}

TEST_F(MainWindow, ClosingWhenIdleJustCloses)
{
    window_->close();
    EXPECT_FALSE(window_->isVisible());
    EXPECT_FALSE(window_->eventLoop().closeRequested());
    EXPECT_NO_THROW(window_->eventLoop().yield());
}

// ---------------------------------------------------------------------------------------
// Keyboard

TEST_F(MainWindow, EveryButtonWithALetterHasAMnemonicUniqueOnItsPage)
{
    for (int page = 0; page < 3; ++page) {
        clickTab(page);
        QHash<int, QString> taken;
        int marked = 0;
        for (const QAbstractButton* b : window_->findChildren<QAbstractButton*>()) {
            if (!b->isVisible())
                continue;
            const std::string name = b->objectName().toStdString();
            const QString caption = b->text();
            const QKeySequence key = QKeySequence::mnemonic(caption);
            const bool hasLetter =
                std::any_of(caption.begin(), caption.end(), [](QChar c) { return c.isLetterOrNumber(); });
            EXPECT_EQ(!key.isEmpty(), hasLetter) << name << " on page " << page;
            if (key.isEmpty())
                continue;
            ++marked;
            const int code = key[0].toCombined();
            EXPECT_FALSE(taken.contains(code))
                << name << " shares " << key.toString().toStdString() << " with " << taken.value(code).toStdString();
            taken.insert(code, b->objectName());
        }
        // The control panel's eight and at least one of the page.
        EXPECT_GT(marked, 8) << "page " << page;
    }
}

TEST_F(MainWindow, AltAndTheLetterPressesTheButton)
{
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    messages_.answers = {false};
    // A clock that can be written: Write Clock then asks.
    for (const auto& [box, value] : {std::pair{"Text13a", "31"}, {"Text1a", "12"}, {"Text2a", "24"}, {"Text14a", "17"},
                                     {"Text3a", "59"}, {"Text4a", "30"}})
        window_->setText(box, value);
    const struct {
        int page;
        Qt::Key key;
        const char* what;
        bool fires;
        std::function<bool()> pressed;
    } cases[] = {
        {2, Qt::Key_3, "Com 3", true, [&] { return window_->state().portNumber == 3; }},
        {2, Qt::Key_H, "Help", true, [&] { return desktop_.opened.size() == 1; }},
        // Alt+C belongs to the shown page's " Write Clock", not to the hidden "Copy Data".
        {2, Qt::Key_C, "Write Clock", true,
         [&] {
             return messages_.questions == std::vector<std::string>{std::string(settings::kActivateClockQuestion)};
         }},
        {1, Qt::Key_2, "Com 2 on a hidden page", false, [&] { return window_->state().portNumber == 2; }},
    };
    for (const auto& c : cases) {
        clickTab(c.page);
        QTest::keyClick(window_.get(), c.key, Qt::AltModifier);
        // A button pressed from the keyboard shows itself down for a moment before it clicks.
        EXPECT_EQ(QTest::qWaitFor(c.pressed, c.fires ? 2000 : 300), c.fires) << c.what;
    }
}

TEST_F(MainWindow, TabWalksThePageThenTheControlPanel)
{
    const QStringList panel = {"Command7", "ssCommand8", "Command6", "sscommand6",
                               "Command3", "Command8",   "Command11", "Command12"};
    const struct {
        int page;
        QStringList order;
    } pages[] = {
        {0, {"sscommand9", "Text2", "sscommand10", "sscommand11", "Text3", "Text4", "Text5", "Text6", "Text13", "Text10"}},
        {1, {"Command2", "numblocco", "Command1", "Text1", "Text17", "Command10", "cmdSurveys"}},
        {2, {"Command13", "Text16rt", "Command6scrivi", "cboLanguage", "ssOption1_0", "cboPortName", "chkTraceLine", "Text13a", "Text1a",
             "Text2a", "Text14a", "Text3a", "Text4a", "ssCommand3", "cmdPcTime", "ssCommand4"}},
    };
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    for (const auto& p : pages) {
        clickTab(p.page);
        auto* tabs = child<QTabBar>(QStringLiteral("TabStrip1"));
        tabs->setFocus(Qt::TabFocusReason);
        const QStringList expected = p.order + panel + QStringList{QStringLiteral("TabStrip1")};
        QStringList walked;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QStringLiteral("<none>"));
        }
        EXPECT_EQ(walked, expected) << "page " << p.page;
    }
    // Passing the header fields with their start values raises no complaint.
    EXPECT_TRUE(messages_.shown.empty());
}

// ---------------------------------------------------------------------------------------
// Where the header file lives

TEST(ProgramFolder, AWritableExecutableFolderIsUsedOtherwiseAppData)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString writable = root.filePath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(writable));
    const QString aFile = root.filePath(QStringLiteral("not-a-folder"));
    {
        QFile f(aFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    // The folder may be written, yet the header file cannot be made there.
    const QString blocked = root.filePath(QStringLiteral("blocked"));
    ASSERT_TRUE(QDir().mkpath(blocked + QStringLiteral("/intestazione")));
    const QString appData = root.filePath(QStringLiteral("appdata/Tarvelon Manager"));

    const struct {
        const char* what;
        QString executableFolder;
        QString expected;
    } cases[] = {
        {"writable", writable, writable},
        {"missing", root.filePath(QStringLiteral("gone")), appData},
        {"a file", aFile, appData},
        {"header file cannot be made", blocked, appData},
        {"empty", QString(), appData},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(chooseProgramFolder(c.executableFolder, appData), c.expected) << c.what;
    }
    EXPECT_TRUE(QFileInfo(appData).isDir()) << "the fallback folder is created";
}

// The status line shows a port typed under "Other:" at once, forgets a message about a port
// left behind, and keeps the end of a long folder, the whole of it in its tooltip.
TEST_F(MainWindow, StatusLineFollowsThePortAndKeepsTheEndOfAFolder)
{
    clickTab(2);
    auto* names = child<QComboBox>(QStringLiteral("cboPortName"));
    names->lineEdit()->setFocus();
    QTest::keyClicks(names->lineEdit(), QStringLiteral("/nonexistent/ttyUSB7"));
    EXPECT_TRUE(window_->statusLine()->text().startsWith(QStringLiteral("Port: /nonexistent/ttyUSB7 | "))) << window_->statusLine()->text().toStdString();
    QTest::keyClicks(names->lineEdit(), QStringLiteral("1"));
    EXPECT_TRUE(window_->statusLine()->text().startsWith(QStringLiteral("Port: /nonexistent/ttyUSB71 | ")));
    // A job on that port fails and says so; choosing another port drops what it said.
    child<QAbstractButton>(QStringLiteral("Command3"))->click();
    ASSERT_FALSE(messages_.shown.empty());
    EXPECT_FALSE(window_->statusLine()->result().isEmpty());
    child<QAbstractButton>(QStringLiteral("ssOption1_2"))->click();
    EXPECT_EQ(window_->statusLine()->result(), QString());
    EXPECT_TRUE(window_->statusLine()->text().startsWith(QStringLiteral("Port: Com 3 | ")));

    const QString folder = QStringLiteral("/home/operator/surveys of the year/client with a long name/site/tube I7 downloads");
    window_->statusLine()->setFolder(folder);
    window_->statusLine()->resize(700, window_->statusLine()->height());
    auto* shown = child<QLabel>(QStringLiteral("lblStatusFolder"));
    EXPECT_TRUE(shown->text().startsWith(QStringLiteral("Folder: \u2026"))) << shown->text().toStdString();
    EXPECT_TRUE(shown->text().endsWith(QStringLiteral("downloads"))) << shown->text().toStdString();
    EXPECT_EQ(shown->toolTip(), QStringLiteral("Folder: ") + folder);
}

// The Header Data page explains itself: the two limits, the tenths that take a typed 0 or 5,
// and date and time that say the unit fills them.
TEST_F(MainWindow, HeaderPageExplainsItsLimitsAndTenths)
{
    clickTab(0);
    const QString limits = child<QLabel>(QStringLiteral("hintText6"))->toolTip();
    for (const char* said : {"100.0 mt. for a block read every 0.5 m (step 0)", "200.0 mt. for a block read every 1 m (step 1)",
                             "metres (mt.)"})
        EXPECT_TRUE(limits.contains(QLatin1String(said))) << said;
    QLineEdit* tenths = box("Text13");
    tenths->setFocus();
    for (const auto& [key, shown] : {std::pair{Qt::Key_5, "5"}, {Qt::Key_7, "5"}, {Qt::Key_0, "0"}, {Qt::Key_A, "0"}}) {
        QTest::keyClick(tenths, key);
        EXPECT_EQ(tenths->text(), QLatin1String(shown)) << key;
    }
    for (const char* name : {"Text11", "Text12"}) {
        EXPECT_TRUE(box(name)->isReadOnly()) << name;
        EXPECT_TRUE(box(name)->toolTip().contains(QStringLiteral("Read Block fills from the unit"))) << name;
    }
}

} // namespace
} // namespace tarvelon
