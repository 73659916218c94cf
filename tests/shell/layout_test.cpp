// Every window of the program, at the font resolution the test runs with: no caption, label
// or hint is cut, nothing lies on top of anything else, and a picture of each is kept in
// screens/<dpi>/ beside the test for a person to look at.
#include "blocks/header_write.h"
#include "link/exchange.h"
#include "platform/qt/qt_messages.h"
#include "settings/delay.h"
#include "shell/about_box.h"
#include "shell/folder_chooser.h"
#include "shell/main_window.h"
#include "shell/splash_screen.h"
#include "shell/surveys/report_choices_dialog.h"
#include "shell/surveys/tube_settings_dialog.h"
#include "support/fake_form.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace tarvelon {
namespace {

int screenDpi()
{
    return qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY());
}

std::string nameOf(const QWidget* w)
{
    const QString name = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    return name.toStdString();
}

// Qt's own widgets are checked as a whole; what they hold inside is their business.
bool isComposite(const QWidget* w)
{
    return qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QTabBar*>(w) || qobject_cast<const QAbstractSpinBox*>(w);
}

QList<QWidget*> shownChildren(const QWidget& parent)
{
    QList<QWidget*> out;
    for (QObject* o : parent.children())
        if (auto* w = qobject_cast<QWidget*>(o); w && w->isVisible() && !w->isWindow())
            out.append(w);
    return out;
}

QString cutLabel(const QLabel& label)
{
    if (label.text().isEmpty())
        return {};
    const bool rich = label.textFormat() == Qt::RichText ||
                      (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(label.text()));
    if (rich) {
        const int needed = label.wordWrap() ? label.heightForWidth(label.width()) : label.minimumSizeHint().height();
        if ((!label.wordWrap() && label.width() < label.minimumSizeHint().width()) || label.height() < needed)
            return QStringLiteral("rich text needs more room");
        return {};
    }
    const int m = label.margin();
    const QRect room = label.contentsRect().adjusted(m, m, -m, -m);
    const int flags = Qt::TextExpandTabs | (label.wordWrap() ? Qt::TextWordWrap : 0) |
                      (label.buddy() ? Qt::TextShowMnemonic : 0);
    const QRect needed = label.fontMetrics().boundingRect(QRect(0, 0, room.width(), 100000), flags, label.text());
    if (needed.width() > room.width() || needed.height() > room.height())
        return QStringLiteral("\"%1\" needs %2x%3, has %4x%5")
            .arg(label.text())
            .arg(needed.width())
            .arg(needed.height())
            .arg(room.width())
            .arg(room.height());
    return {};
}

QString cutButton(const QAbstractButton& button)
{
    QStyleOptionButton opt;
    opt.initFrom(&button);
    opt.text = button.text();
    const bool radio = qobject_cast<const QRadioButton*>(&button);
    const QRect room = button.style()->subElementRect(
        radio ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents, &opt, &button);
    const QSize needed = button.fontMetrics().size(Qt::TextShowMnemonic, button.text());
    if (needed.width() > room.width() || needed.height() > room.height())
        return QStringLiteral("\"%1\" needs %2x%3, has %4x%5")
            .arg(button.text())
            .arg(needed.width())
            .arg(needed.height())
            .arg(room.width())
            .arg(room.height());
    return {};
}

// A box with a maximum length must show that many of the widest letter; any other box at
// least what it holds.
QString cutLineEdit(const QLineEdit& edit)
{
    QStyleOptionFrame opt;
    opt.initFrom(&edit);
    opt.rect = edit.rect();
    opt.lineWidth = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, &edit) : 0;
    opt.state |= QStyle::State_Sunken;
    // QLineEdit keeps 2 pixels free on either side of its text and one for the cursor.
    const int room = edit.style()->subElementRect(QStyle::SE_LineEditContents, &opt, &edit).width() -
                     edit.textMargins().left() - edit.textMargins().right() - 5;
    const QString widest = edit.maxLength() < 1000 ? QString(edit.maxLength(), QLatin1Char('W')) : edit.text();
    const int needed = edit.fontMetrics().horizontalAdvance(widest);
    if (needed > room)
        return QStringLiteral("\"%1\" needs %2, has %3").arg(widest).arg(needed).arg(room);
    if (edit.height() < edit.minimumSizeHint().height())
        return QStringLiteral("lower than its text");
    return {};
}

QString cutGroupTitle(const QGroupBox& group, const QList<QWidget*>& inside)
{
    if (group.title().isEmpty())
        return {};
    QStyleOptionGroupBox opt;
    opt.initFrom(&group);
    opt.text = group.title();
    opt.lineWidth = 1;
    opt.textAlignment = group.alignment();
    opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect title = group.style()->subControlRect(QStyle::CC_GroupBox, &opt,
                                                      QStyle::SC_GroupBoxLabel, &group);
    if (!group.rect().contains(title))
        return QStringLiteral("title \"%1\" runs out of its frame").arg(group.title());
    for (const QWidget* w : inside)
        if (w->geometry().intersects(title))
            return QStringLiteral("title \"%1\" is covered by %2").arg(group.title(), QString::fromStdString(nameOf(w)));
    return {};
}

QString cutTabs(const QTabBar& tabs)
{
    for (int i = 0; i < tabs.count(); ++i) {
        const QRect r = tabs.tabRect(i);
        if (!tabs.rect().contains(r) || r.width() < tabs.fontMetrics().horizontalAdvance(tabs.tabText(i)))
            return QStringLiteral("tab \"%1\" is cut").arg(tabs.tabText(i));
    }
    return {};
}

void collectProblems(const QWidget& w, std::vector<std::string>& out)
{
    QString cut;
    if (auto* label = qobject_cast<const QLabel*>(&w))
        cut = cutLabel(*label);
    else if (auto* button = qobject_cast<const QAbstractButton*>(&w))
        cut = cutButton(*button);
    else if (auto* edit = qobject_cast<const QLineEdit*>(&w))
        cut = cutLineEdit(*edit);
    else if (auto* tabs = qobject_cast<const QTabBar*>(&w))
        cut = cutTabs(*tabs);
    const QList<QWidget*> kids = shownChildren(w);
    if (auto* group = qobject_cast<const QGroupBox*>(&w))
        cut = cutGroupTitle(*group, kids);
    if (!cut.isEmpty())
        out.push_back(nameOf(&w) + ": " + cut.toStdString());
    if (isComposite(&w))
        return;

    for (int i = 0; i < kids.size(); ++i) {
        if (!w.rect().contains(kids[i]->geometry()))
            out.push_back(nameOf(kids[i]) + " sticks out of " + nameOf(&w));
        for (int j = i + 1; j < kids.size(); ++j) {
            const std::string a = nameOf(kids[i]), b = nameOf(kids[j]);
            // The wait label is drawn inside its rounded shape on purpose.
            const bool waitIndicator = (a == "Label34" && b == "Shape1") || (a == "Shape1" && b == "Label34");
            // A tab widget's pane is drawn over the foot of its tab strip on purpose.
            const bool tabPane = qobject_cast<const QTabWidget*>(&w) != nullptr;
            if (!waitIndicator && !tabPane && kids[i]->geometry().intersects(kids[j]->geometry()))
                out.push_back(a + " overlaps " + b);
        }
        collectProblems(*kids[i], out);
    }
}

// Keeps a picture of the window for a person to look at, and lists what does not fit.
std::vector<std::string> lookAt(QWidget& window, const QString& picture)
{
    // One folder per font resolution and language.
    const QString language = qEnvironmentVariable("TARVELON_TEST_LANGUAGE");
    const QString folder = QStringLiteral(TARVELON_SCREENS_DIR "/%1%2")
                               .arg(screenDpi())
                               .arg(language.isEmpty() ? QString() : QLatin1Char('-') + language);
    QDir().mkpath(folder);
    EXPECT_TRUE(window.grab().save(folder + QLatin1Char('/') + picture + QStringLiteral(".png"))) << picture.toStdString();
    std::vector<std::string> problems;
    collectProblems(window, problems);
    return problems;
}

std::string lines(const std::vector<std::string>& problems)
{
    std::string out;
    for (const std::string& p : problems)
        out += "\n  " + p;
    return out;
}

FolderChooserOptions foldersIn(const QTemporaryDir& dir)
{
    FolderChooserOptions o;
    o.defaultDrive = dir.path();
    o.defaultFolder = dir.filePath(QStringLiteral("dati"));
    o.drives = [&dir] { return QStringList{dir.path()}; };
    o.driveReady = [](const QString&) { return true; };
    return o;
}

// Opens a modal box with `open` and hands it to `look` while it is up, then dismisses it.
bool whileModal(const std::function<void()>& open, const std::function<void(QWidget&)>& look)
{
    bool seen = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (seen || !box || !box->isVisible())
            return;
        seen = true;
        look(*box);
        box->reject();
    });
    poll.start();
    // A box that never shows up as expected must not hold the test forever.
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    giveUp.start(3000);
    open();
    return seen;
}

TEST(Layout, MainWindowPages)
{
    // The large-font run says which resolution it asked for, so one the platform ignores does
    // not pass for a check of large fonts.
    if (const QByteArray asked = qgetenv("TARVELON_EXPECT_DPI"); !asked.isEmpty()) {
        ASSERT_EQ(screenDpi(), asked.toInt());
        ASSERT_EQ(qApp->devicePixelRatio(), 1.0) << "the fonts must grow, not the whole picture";
    }
    QTemporaryDir dir;
    test::FakeMessages messages;
    test::FakeDesktop desktop;
    MainWindow::Options opts;
    opts.programFolder = dir.path();
    opts.messages = &messages;
    opts.desktop = &desktop;
    MainWindow window(opts);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* tabs = window.findChild<QTabBar*>(QStringLiteral("TabStrip1"));
    const QString pictures[] = {QStringLiteral("main-header-data"), QStringLiteral("main-download-data"),
                                QStringLiteral("main-setup")};
    for (int page = 0; page < 3; ++page) {
        tabs->setCurrentIndex(page);
        for (bool waiting : {false, true}) {
            window.showWaitIndicator(waiting);
            QApplication::processEvents();
            const auto problems = lookAt(window, pictures[page] + (waiting ? QStringLiteral("-waiting") : QString()));
            EXPECT_TRUE(problems.empty()) << pictures[page].toStdString() << lines(problems);
        }
    }
}

TEST(Layout, SplashAboutAndFolderChooser)
{
    QTemporaryDir dir;
    test::FakeMessages messages;
    test::FakeDesktop desktop;
    const struct {
        const char* picture;
        std::function<QWidget*()> make;
    } windows[] = {
        {"splash", [] { return new SplashScreen({}); }},
        {"about", [&] { return new AboutBox(desktop); }},
        {"folder-chooser", [&] { return new FolderChooser(messages, {}, foldersIn(dir)); }},
    };
    for (const auto& w : windows) {
        std::unique_ptr<QWidget> window(w.make());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get())) << w.picture;
        const auto problems = lookAt(*window, QString::fromLatin1(w.picture));
        EXPECT_TRUE(problems.empty()) << w.picture << lines(problems);
    }
}

// The tube's settings and the report's choices on a 1280 x 720 screen, at this font resolution:
// every tab whole with room for the title bar, nothing cut.
TEST(Layout, TubeSettingsAndReportChoicesFitASmallScreen)
{
    std::vector<surveys::Survey> readouts(2);
    for (surveys::Survey& s : readouts) {
        s.id = &s - readouts.data() + 1;
        s.date = "01/04/24";
        for (int t = 5; t <= 800; t += 5)
            s.rows.push_back({t, {100, -20}});
    }
    surveys::TubeSettings settings;
    settings.constant = 25000;
    const surveys::TubeResult tube = surveys::analyseTube(&readouts[0], {&readouts[0], &readouts[1]}, settings);
    const struct {
        const char* picture;
        std::function<QDialog*()> make;
        int tab;
    } windows[] = {
        {"tube-settings", [&] { return new TubeSettingsDialog({"GEOTECNA", "FRANA 12", "I7"}, settings, nullptr); }, 0},
        {"tube-settings-rates", [&] { return new TubeSettingsDialog({"GEOTECNA", "FRANA 12", "I7"}, settings, nullptr); }, 1},
        {"tube-settings-report", [&] { return new TubeSettingsDialog({"GEOTECNA", "FRANA 12", "I7"}, settings, nullptr); }, 2},
        {"report-choices", [&] { return new ReportChoicesDialog(tube, {}, nullptr); }, -1},
    };
    for (const auto& w : windows) {
        std::unique_ptr<QDialog> window(w.make());
        if (w.tab >= 0)
            window->findChild<QTabWidget*>()->setCurrentIndex(w.tab);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get())) << w.picture;
        EXPECT_LE(window->sizeHint().height(), 720 - 60) << w.picture;
        EXPECT_LE(window->sizeHint().width(), 1280) << w.picture;
        const auto problems = lookAt(*window, QString::fromLatin1(w.picture));
        EXPECT_TRUE(problems.empty()) << w.picture << lines(problems);
    }
}

TEST(Layout, MessageBoxes)
{
    QtMessages boxes;
    const struct {
        const char* picture;
        std::function<void()> open;
    } kinds[] = {
        // In the language the run speaks, as the program shows them.
        {"question", [&] { boxes.askOkCancel(translate("Texts", kMemoryWillBeLost.data())); }},
        {"not-connected", [&] { boxes.show(translate("Texts", kNotConnected.data()), Icon::Error); }},
        {"invalid-drive",
         [&] { boxes.show(translate("Texts", "Invalid drive!"), Icon::Error, translate("Texts", "Error")); }},
        {"delay-incorrect", [&] { boxes.show(translate("Texts", settings::kDelayIncorrect.data()), Icon::None); }},
    };
    for (const auto& k : kinds) {
        std::vector<std::string> problems;
        int labels = 0;
        const bool seen = whileModal(k.open, [&](QWidget& box) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&box));
            problems = lookAt(box, QString::fromLatin1(k.picture));
            for (const QLabel* l : box.findChildren<QLabel*>())
                labels += l->isVisible() && !l->text().isEmpty();
        });
        ASSERT_TRUE(seen) << k.picture;
        EXPECT_EQ(labels, 1) << k.picture << ": the message is in one label that the check looked at";
        EXPECT_TRUE(problems.empty()) << k.picture << lines(problems);
    }
}

// A message listing forty rows and a question with thirty blocks in its details stay on a
// 1280 x 720 screen (and on 1920 x 1080 at 150 %, the same room), details shown or not.
TEST(Layout, LongMessagesAndQuestionsFitASmallScreen)
{
    QtMessages boxes;
    std::string rows = "Attention: rows of readings not read:";
    std::string blocks;
    for (int i = 1; i <= 40; ++i)
        rows += "\nblock " + std::to_string(i % 30 + 1) + ", row " + std::to_string(i) + " at " + std::to_string(i) + ".0 m";
    for (int i = 1; i <= 30; ++i)
        blocks += (i > 1 ? "\n" : "") + std::string("Block ") + std::to_string(i) +
                  ": GEOTECNA / FRANA 12 / I7, readout 04 of 01/04/24 - its readings are not in the survey library";
    const struct {
        const char* picture;
        std::function<void()> open;
    } kinds[] = {
        {"long-message", [&] { boxes.show(rows, Icon::Error); }},
        {"long-question", [&] { boxes.ask(Question{std::string(kMemoryWillBeLost), "Total Reset", "Blocks 01 to 30, among them:",
                                                   blocks}); }},
    };
    for (const auto& k : kinds) {
        bool fits = false;
        std::vector<std::string> problems;
        const bool seen = whileModal(k.open, [&](QWidget& box) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&box));
            for (QAbstractButton* b : box.findChildren<QAbstractButton*>())
                if (b->text().startsWith(QStringLiteral("Show Details")))
                    b->click();
            QApplication::processEvents();
            fits = box.width() + 16 <= 1280 && box.height() + 40 <= 720;
            problems = lookAt(box, QString::fromLatin1(k.picture));
        });
        ASSERT_TRUE(seen) << k.picture;
        EXPECT_TRUE(fits) << k.picture;
        EXPECT_TRUE(problems.empty()) << k.picture << lines(problems);
    }
}

} // namespace
} // namespace tarvelon
