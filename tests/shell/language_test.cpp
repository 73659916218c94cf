// The language the programs speak: chosen from the environment, the command line or the
// settings; the window in Italian with Qt's own Italian texts; the core's messages translated
// in the code page; English when English is asked for again.
#include "blocks/header_entry.h"
#include "platform/translate.h"
#include "shell/language.h"
#include "shell/main_window.h"
#include "shell/remembered_choices.h"
#include "support/fake_form.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tarvelon;

namespace {

// Sets the locale variables for one test and puts back what was there.
class Locale {
public:
    Locale(const char* language, const char* all, const char* messages, const char* lang)
    {
        const std::pair<const char*, const char*> values[] = {
            {"LANGUAGE", language}, {"LC_ALL", all}, {"LC_MESSAGES", messages}, {"LANG", lang}};
        for (const auto& [name, value] : values) {
            kept_.emplace_back(name, qgetenv(name));
            qputenv(name, value);
        }
    }
    ~Locale()
    {
        for (const auto& [name, value] : kept_)
            qputenv(name, value);
        useLanguage(*qApp, QStringLiteral("en"));
    }

private:
    std::vector<std::pair<const char*, QByteArray>> kept_;
};

// The buttons of the next message box, read while it is open.
QStringList buttonsOfNextBox(const std::function<void()>& open)
{
    QStringList captions;
    QTimer::singleShot(50, [&captions] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            for (QAbstractButton* b : box->buttons())
                captions << b->text();
            box->reject();
        }
    });
    open();
    return captions;
}

} // namespace

TEST(Language, TheSystemsIsReadAsCommandLineToolsReadIt)
{
#ifdef _WIN32
    // Windows has its display language, which no variable of the environment changes.
    EXPECT_TRUE(knownLanguages().contains(systemLanguage())) << systemLanguage().toStdString();
    GTEST_SKIP() << "the locale variables are read off Windows only";
#endif
    const struct {
        const char* language;
        const char* all;
        const char* messages;
        const char* lang;
        const char* expected;
    } cases[] = {
        {"", "", "", "it_IT.UTF-8", "it"},
        {"", "", "", "en_GB.UTF-8", "en"},
        {"", "", "", "de_DE.UTF-8", "en"},   // a language the program does not speak
        {"", "", "", "", "en"},              // no locale at all: C
        {"", "it_IT.UTF-8", "", "en_US.UTF-8", "it"}, // LC_ALL comes before LANG
        {"", "", "it_IT", "en_US.UTF-8", "it"},       // LC_MESSAGES too
        {"", "C", "", "it_IT.UTF-8", "en"},           // LC_ALL=C wins over LANG
        {"it:en", "", "", "en_US.UTF-8", "it"},       // LANGUAGE, a list of preferences
        {"fr:it", "", "", "en_US.UTF-8", "it"},       // the first known one of the list
        {"it", "", "", "C.UTF-8", "en"},              // LANGUAGE is not read under the C locale
        {"", "", "", "it", "it"},
    };
    for (const auto& c : cases) {
        const Locale locale(c.language, c.all, c.messages, c.lang);
        EXPECT_EQ(systemLanguage(), QLatin1String(c.expected))
            << "LANGUAGE=" << c.language << " LC_ALL=" << c.all << " LC_MESSAGES=" << c.messages << " LANG=" << c.lang;
    }
}

TEST(Language, TheArgumentChoiceAndSettingsChooseIt)
{
    const struct {
        QStringList arguments;
        const char* expected;
    } arguments[] = {
        {{"p", "--language", "it"}, "it"},
        {{"p", "--port", "COM3", "--language=en"}, "en"},
        {{"p", "--language"}, ""},
        {{"p", "--port", "COM3"}, ""},
    };
    for (const auto& a : arguments)
        EXPECT_EQ(languageArgument(a.arguments), QLatin1String(a.expected)) << a.arguments.join(' ').toStdString();

    const Locale locale("", "", "", "it_IT.UTF-8");
#ifdef _WIN32
    const QString system = systemLanguage(); // the display language, whatever LANG says
#else
    const QString system = QStringLiteral("it");
#endif
    EXPECT_EQ(useLanguage(*qApp, QStringLiteral("en")), QStringLiteral("en"));
    EXPECT_EQ(useLanguage(*qApp, QString()), system);
    EXPECT_EQ(useLanguage(*qApp, QStringLiteral("fr")), system) << "an unknown choice is the system's";

    QTemporaryDir dir;
    RememberedChoices kept(dir.filePath(QStringLiteral("settings.ini")));
    EXPECT_EQ(kept.language(), QString()) << "the system's until chosen";
    kept.useLanguage(QStringLiteral("it"));
    EXPECT_EQ(RememberedChoices(dir.filePath(QStringLiteral("settings.ini"))).language(), QStringLiteral("it"));
}

TEST(Language, ItalianWindowWithQtsOwnItalianButtons)
{
    const Locale locale("", "", "", "it_IT.UTF-8");
#ifdef _WIN32
    ASSERT_EQ(useLanguage(*qApp, QStringLiteral("it")), QStringLiteral("it")); // Windows reads no LANG
#else
    ASSERT_EQ(useLanguage(*qApp, QString()), QStringLiteral("it"));
#endif
    QTemporaryDir dir;
    test::FakeMessages messages;
    MainWindow::Options opts;
    opts.programFolder = dir.path();
    opts.messages = &messages;
    opts.settingsFile = dir.filePath(QStringLiteral("settings.ini"));
    MainWindow window(opts);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* tabs = window.findChild<QTabBar*>(QStringLiteral("TabStrip1"));
    ASSERT_TRUE(tabs);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Intestazione"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Scarico dati"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("Impostazioni Tarvelon"));
    auto* setAll = window.findChild<QPushButton*>(QStringLiteral("sscommand6"));
    ASSERT_TRUE(setAll);
    EXPECT_EQ(setAll->text(), QStringLiteral("Scri&vi tutti"));
    EXPECT_TRUE(setAll->whatsThis().startsWith(QStringLiteral("Scrive nella centralina"))) << setAll->whatsThis().toStdString();
    // The Depth box keeps its Italian tooltip in both languages.
    EXPECT_EQ(window.findChild<QWidget*>(QStringLiteral("Text6"))->toolTip(),
              QStringLiteral("Inserire cifre senza punto decimale"));

    // Qt's own buttons come from Qt's Italian catalogue.
    const QStringList buttons = buttonsOfNextBox([] {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("t"), QStringLiteral("q"), QMessageBox::Ok | QMessageBox::Cancel);
        box.exec();
    });
    EXPECT_TRUE(buttons.contains(QStringLiteral("&Annulla")) || buttons.contains(QStringLiteral("Annulla")))
        << buttons.join(',').toStdString();

    // The language choice is on the Setup Tarvelon page and kept for the next start.
    auto* choice = window.findChild<QComboBox*>(QStringLiteral("cboLanguage"));
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->currentText(), QStringLiteral("Sistema"));
    EXPECT_EQ(choice->itemText(2), QStringLiteral("Italiano"));
    choice->setCurrentIndex(1);
    emit choice->activated(1);
    EXPECT_EQ(RememberedChoices(opts.settingsFile).language(), QStringLiteral("en"));
}

TEST(Language, CoreMessagesAreTranslatedWholeInTheCodePage)
{
    const Locale locale("", "", "", "C");
    useLanguage(*qApp, QStringLiteral("it"));
    const struct {
        std::string text;
        std::string expected;
    } cases[] = {
        // Windows-1252: "À" is one byte, C0.
        {translate("Texts", kInvalidDepth.data()), "Attenzione: valore di PROFONDIT\xC0 non valido"},
        {fillIn(translate("Texts", "Attention: serial port %1 was disconnected"), {"COM3"}),
         "Attenzione: la porta seriale COM3 \xE8 stata scollegata"},
        // Participles agree with the number of blocks.
        {translate("Texts", "written", nullptr, 1), "scritto"},
        {translate("Texts", "written", nullptr, 5), "scritti"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, c.expected);
    useLanguage(*qApp, QStringLiteral("en"));
    EXPECT_EQ(translate("Texts", kInvalidDepth.data()), std::string(kInvalidDepth));
    EXPECT_EQ(translate("Texts", "written", nullptr, 5), "written");
}

TEST(Language, FillInPutsValuesWhereTheSentenceWantsThem)
{
    const struct {
        const char* text;
        std::initializer_list<std::string> values;
        const char* expected;
    } cases[] = {
        {"Block %1 of %2", {"3", "30"}, "Block 3 of 30"},
        {"%2, %1", {"a", "b"}, "b, a"},               // another order, as another language needs
        {"%1 and %1", {"x"}, "x and x"},
        {"100 % sure, %3 missing", {"a"}, "100 % sure, %3 missing"}, // no value: left as written
        {"ends in %", {"a"}, "ends in %"},
        {"%1", {"%2"}, "%2"},                          // a value is never filled in again
    };
    for (const auto& c : cases)
        EXPECT_EQ(fillIn(c.text, c.values), c.expected) << c.text;
}

#ifdef TARVELON_MANAGER
// The program as started from a desktop or a terminal: Italian by LANG or by --language, with
// Qt's own texts in Italian too, English when asked.
TEST(Language, TheProgramStartsInItalianByItsEnvironmentOrOption)
{
    QTemporaryDir home;
    const struct {
        QStringList arguments;
        const char* lang;
        bool italian;
    } starts[] = {
        {{"--help"}, "it_IT.UTF-8", true},
        {{"--language", "it", "--help"}, "C.UTF-8", true},
        {{"--language", "en", "--help"}, "it_IT.UTF-8", false},
        {{"--help"}, "C.UTF-8", false},
    };
    for (const auto& s : starts) {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("LANG"), QString::fromLatin1(s.lang));
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(TARVELON_MANAGER), s.arguments);
        ASSERT_TRUE(program.waitForFinished(20000)) << s.arguments.join(' ').toStdString();
        const QString help = QString::fromUtf8(program.readAllStandardOutput());
        const std::string what = s.arguments.join(' ').toStdString() + " LANG=" + s.lang + "\n" + help.toStdString();
        EXPECT_EQ(help.contains(QStringLiteral("Sceglie \"Altra:\" con questa porta seriale")), s.italian) << what;
        // Qt's own option: from Qt's Italian catalogue.
        EXPECT_EQ(help.contains(QStringLiteral("Displays version information.")), !s.italian) << what;
    }
}
#endif
