// The user guide and the program say the same: every "Attention: ..." message of the sources
// is explained in the guide, every control has its help text, and Help opens the installed
// guide when there is one.
#include "platform/qt/qt_text.h"
#include "shell/about_box.h"
#include "shell/blocks_list_window.h"
#include "shell/controls.h"
#include "shell/folder_chooser.h"
#include "shell/help_texts.h"
#include "shell/language.h"
#include "shell/main_window.h"
#include "shell/notices_window.h"
#include "shell/surveys/corrections_dialog.h"
#include "shell/surveys/report_choices_dialog.h"
#include "shell/surveys/survey_library.h"
#include "shell/surveys/surveys_window.h"
#include "shell/surveys/probe_dialog.h"
#include "shell/surveys/tube_settings_dialog.h"
#include "support/fake_form.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>
#include <QUrl>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace tarvelon {
namespace {

QString readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QStringList files(const QString& folder, const QStringList& patterns)
{
    QStringList out;
    QDirIterator it(folder, patterns, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << it.next();
    return out;
}

// A message as the catalogue knows it: the literal with the literals written right after it,
// which the compiler joins into one.
QString joined(const QString& code, const QRegularExpressionMatch& first)
{
    static const QRegularExpression next(QStringLiteral(R"re(\s*"((?:[^"\\\n]|\\.)*)")re"));
    QString text = first.captured(1);
    for (qsizetype at = first.capturedEnd();;) {
        const auto more = next.match(code, at, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
        if (!more.hasMatch())
            return text;
        text += more.captured(1);
        at = more.capturedEnd();
    }
}

// What of a message the guide must quote: its words before the first value.
QString quoted(QString text)
{
    static const QRegularExpression value(QStringLiteral(R"re(%[0-9n])re"));
    if (const qsizetype at = text.indexOf(value); at >= 0)
        text = text.left(at);
    while (text.endsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char(':')) || text.endsWith(QLatin1Char('"')))
        text.chop(1);
    return text.trimmed();
}

// The messages the guide must explain: the literal itself, or, for the bare prefix that a
// message is built on, the longest other literal of the same statement. A bare prefix with no
// other literal is the prefix being taken off, not a message.
QStringList messagesIn(const QString& source)
{
    static const QRegularExpression literal(QStringLiteral(R"re("((?:[^"\\\n]|\\.)*)")re"));
    static const QRegularExpression comment(QStringLiteral(R"re((?m)^\s*//.*$)re"));
    const QString code = QString(source).remove(comment);
    QStringList out;
    for (auto m = literal.globalMatch(code); m.hasNext();) {
        const auto match = m.next();
        QString text = joined(code, match).replace(QStringLiteral("\\\""), QStringLiteral("\""));
        if (!text.startsWith(QLatin1String("Attention: ")))
            continue;
        if (text == QLatin1String("Attention: ")) {
            const qsizetype end = code.indexOf(QLatin1Char(';'), match.capturedEnd());
            text.clear();
            for (auto rest = literal.globalMatch(code.mid(match.capturedEnd(), end - match.capturedEnd()));
                 rest.hasNext();) {
                const QString piece = rest.next().captured(1);
                if (piece.trimmed().size() > text.size())
                    text = piece.trimmed();
            }
            if (text.isEmpty())
                continue;
        }
        if (quoted(text) == QLatin1String("Attention"))
            continue;
        out << text;
    }
    return out;
}

// The guide in each language: its folder of chapters and its language.
struct Edition {
    const char* language;
    QString folder;
};

const Edition kEditions[] = {
    {"en", QStringLiteral(TARVELON_SOURCE_DIR "/docs/guide")},
    {"it", QStringLiteral(TARVELON_SOURCE_DIR "/docs/guide/it")},
};

// The program's Italian catalogue: each source text with its translation, both without the
// mnemonics' "&".
QHash<QString, QString> italianCatalogue()
{
    QHash<QString, QString> out;
    QFile f(QStringLiteral(TARVELON_SOURCE_DIR "/translations/tarvelon_it.ts"));
    if (!f.open(QIODevice::ReadOnly))
        return out;
    QXmlStreamReader xml(&f);
    QString source;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("source"))
                source = xml.readElementText(QXmlStreamReader::IncludeChildElements).remove(QLatin1Char('&'));
            else if (xml.name() == QLatin1String("translation")) {
                const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements).remove(QLatin1Char('&'));
                if (!text.isEmpty())
                    out.insert(source, text);
            }
        }
    return out;
}

// The chapters of a guide, in the order the guide's builder numbers them.
QStringList chapterFiles(const QString& folder)
{
    QStringList out = QDir(folder).entryList({QStringLiteral("[0-9][0-9]-*.md")}, QDir::Files, QDir::Name);
    for (QString& name : out)
        name = folder + QLatin1Char('/') + name;
    return out;
}

QString wholeGuide(const QString& folder)
{
    QString guide;
    for (const QString& chapter : chapterFiles(folder))
        guide += readAll(chapter);
    return guide;
}

// Each message as the guide's language shows it: the English guide quotes the message, the
// Italian one its translation where the catalogue has one (every piece between the
// placeholders), the English message where it has none yet.
TEST(Guide, ExplainsEveryAttentionMessage)
{
    QStringList messages;
    for (const QString& source : files(QStringLiteral(TARVELON_SOURCE_DIR "/src"), {QStringLiteral("*.h"), QStringLiteral("*.cpp")}))
        messages << messagesIn(readAll(source));
    // The sources hold well over a dozen such messages; finding few means the scan broke.
    EXPECT_GE(messages.size(), 15);
    const QHash<QString, QString> italian = italianCatalogue();
    // A message's English prefix kept as a constant reads as the translated sentence it begins.
    QHash<QString, QString> italianByWords;
    for (auto it = italian.cbegin(); it != italian.cend(); ++it)
        italianByWords.insert(quoted(it.key()), it.value());
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    for (const Edition& edition : kEditions) {
        const QString guide = wholeGuide(edition.folder);
        ASSERT_FALSE(guide.isEmpty()) << edition.language;
        for (const QString& m : messages) {
            // A sentence with values is explained by its words before the first value.
            const QString shown = quoted(edition.language == QLatin1String("it")
                                             ? italian.value(m, italianByWords.value(quoted(m), m))
                                             : m);
            for (const QString& piece : shown.split(placeholder, Qt::SkipEmptyParts))
                if (!piece.trimmed().isEmpty()) {
                    EXPECT_TRUE(guide.contains(piece.trimmed()))
                        << "the " << edition.language << " guide does not explain \"" << shown.toStdString() << "\"";
                }
        }
    }
}

// "see chapter 5" ("vedi capitolo 5") leads to the chapter printed as 5: the files' numbers run
// from 01 without a gap, as the builder numbers them in name order, and the controls' chapter
// comes last. Both languages have the same chapters under the same names.
TEST(Guide, EveryChapterReferenceLeadsToAChapter)
{
    const struct {
        const char* language;
        QRegularExpression reference;
    } kinds[] = {
        {"en", QRegularExpression(QStringLiteral(R"((?i)\bchapters? (\d+)(?: (?:and|to) (\d+))?)"))},
        {"it", QRegularExpression(QStringLiteral(R"((?i)\bcapitol[oi] (?:da )?(\d+)(?: (?:e|a) (\d+))?)"))},
    };
    QStringList names;
    for (const QString& chapter : chapterFiles(kEditions[0].folder))
        names << QFileInfo(chapter).fileName();
    for (const Edition& edition : kEditions) {
        const QStringList chapters = chapterFiles(edition.folder);
        ASSERT_GE(chapters.size(), 10) << edition.language;
        QStringList theseNames;
        for (int i = 0; i < chapters.size(); ++i) {
            theseNames << QFileInfo(chapters[i]).fileName();
            EXPECT_TRUE(theseNames.last().startsWith(QStringLiteral("%1-").arg(i + 1, 2, 10, QLatin1Char('0'))))
                << chapters[i].toStdString() << " is not chapter " << i + 1;
        }
        EXPECT_EQ(theseNames, names) << "the " << edition.language << " guide's chapters";
        int references = 0;
        for (const auto& kind : kinds)
            if (QLatin1String(kind.language) == QLatin1String(edition.language))
                for (const QString& chapter : chapters)
                    for (auto m = kind.reference.globalMatch(readAll(chapter)); m.hasNext();) {
                        const auto match = m.next();
                        for (int group : {1, 2})
                            if (!match.captured(group).isEmpty()) {
                                ++references;
                                const int n = match.captured(group).toInt();
                                EXPECT_TRUE(n >= 1 && n <= chapters.size() + 1)
                                    << QFileInfo(chapter).fileName().toStdString() << ": \""
                                    << match.captured(0).toStdString() << "\" names no chapter";
                            }
                    }
        EXPECT_GE(references, 20) << edition.language;
    }
}

// The pictures a guide shows are the ones its builder takes or keeps with the chapters: the
// same names in both languages.
TEST(Guide, BothLanguagesShowTheSamePictures)
{
    static const QRegularExpression picture(QStringLiteral(R"(!\[[^\]]*\]\(pictures/([^)]+)\))"));
    QList<QStringList> shown;
    for (const Edition& edition : kEditions) {
        QStringList names;
        for (auto m = picture.globalMatch(wholeGuide(edition.folder)); m.hasNext();)
            names << m.next().captured(1);
        names.sort();
        shown << names;
    }
    EXPECT_GE(shown[0].size(), 10);
    EXPECT_EQ(shown[1], shown[0]);
}

// Every text of the program's: the string literals of the sources, without mnemonics.
QString programTexts()
{
    static const QRegularExpression literal(QStringLiteral(R"re("((?:[^"\\\n]|\\.)*)")re"));
    // Comments quote examples, not what the program says.
    static const QRegularExpression comment(QStringLiteral(R"re((?m)^\s*//.*$)re"));
    // A literal continued on the next line is one text.
    static const QRegularExpression continued(QStringLiteral(R"re("\s*\n\s*")re"));
    QString all;
    for (const QString& source :
         files(QStringLiteral(TARVELON_SOURCE_DIR "/src"), {QStringLiteral("*.h"), QStringLiteral("*.cpp")}))
        for (auto m = literal.globalMatch(readAll(source).remove(comment).remove(continued)); m.hasNext();)
            all += m.next().captured(1).remove(QLatin1Char('&')).replace(QStringLiteral("\\\""), QStringLiteral("\"")) +
                   QLatin1Char('\n');
    return all;
}

// What the guide quotes in double quotes (captions, file names, what a line or a box says) is
// the program's own text, in the Italian guide the program's or its Italian catalogue's.
// Messages are the other test's; examples of values typed or shown ("ACME", "54 rows, 0
// skipped") are the guide's own and listed here.
TEST(Guide, EveryTextItQuotesIsTheProgramsText)
{
    const QStringList examples = {
        // Header values and names of the examples.
        QStringLiteral("ACME"), QStringLiteral("DAM EAST"), QStringLiteral("T12"), QStringLiteral("5 7"),
        // Results, said with the example's values in them.
        QStringLiteral("54 rows, 0 skipped"), QStringLiteral("Block 05 written"),
        QStringLiteral("Clock set to 07/12/26 17:45:00"),
        QStringLiteral("Block 05: ACME SRL / CAVA SUD / T06, readout 02 of 06/08/24"),
        QStringLiteral("corrected: bias A +2.00 units ..."), QStringLiteral("Stopped: ..."),
        QStringLiteral("The folder ... cannot be created: downloads go to ..."),
        QStringLiteral("Stopped: blocks 1 and 2 written, blocks 3 to 30 not written"),
        QStringLiteral("+ toward A0 at 45°"),
        QStringLiteral("intestazione.lock"), QStringLiteral("intestazione.show"),
        QStringLiteral("The survey library has moved to ..."), QStringLiteral("surveys (older).sqlite"),
        QStringLiteral("The survey library is in ...; the older one is kept as ..."),
        // History lines, made of the survey's and the setting's own values.
        QStringLiteral("base set to 02 of 01/03/24"), QStringLiteral("settings changed: alarm 5.0 → 4.0 mm"),
        QStringLiteral("correction accepted on 04 of 12/03/24: bias A −2.0"),
        QStringLiteral("survey 04 of 12/03/24 deleted"),
        // Windows' own words.
        QStringLiteral("Apps and features"), QStringLiteral("Programs and Features"), QStringLiteral("Ports (COM & LPT)"),
        QStringLiteral("Cancel"),
    };
    // The Italian guide's examples, said in the Italian window's words.
    const QStringList italianExamples = {
        QStringLiteral("54 righe, 0 saltate"),
        QStringLiteral("Impossibile creare la cartella ...: gli scarichi vanno in ..."),
        QStringLiteral("App e funzionalità"), QStringLiteral("Programmi e funzionalità"),
        QStringLiteral("Porte (COM e LPT)"),
    };
    const QString program = programTexts();
    ASSERT_GT(program.size(), 10000);
    const QStringList translations = italianCatalogue().values();
    ASSERT_GT(translations.size(), 100);
    static const QRegularExpression quoted(QStringLiteral(R"re("([^"]{1,80})")re"));
    static const QRegularExpression code(QStringLiteral("(?s)```.*?```|`[^`\n]*`"));
    // Paragraphs, table rows, list items and headings; a quote may go on to the next line.
    static const QRegularExpression parts(QStringLiteral(R"(\n\s*\n|\n(?=\s*[|#-]|\s*\d+\. ))"));
    static const QRegularExpression lineBreak(QStringLiteral(R"(\s*\n\s*)"));
    for (const Edition& edition : kEditions) {
        const bool italian = edition.language == QLatin1String("it");
        const QString said = italian ? program + translations.join(QLatin1Char('\n')) : program;
        int checked = 0;
        for (const QString& chapter : chapterFiles(edition.folder)) {
            QStringList paragraphs = readAll(chapter).remove(code).split(parts);
            // A message may quote inside itself: those are the other test's.
            paragraphs.removeIf([](const QString& p) {
                return p.contains(QLatin1String("\"Attention")) || p.contains(QLatin1String("\"Attenzione"));
            });
            for (QString& paragraph : paragraphs)
                for (auto m = quoted.globalMatch(paragraph.replace(lineBreak, QStringLiteral(" "))); m.hasNext();) {
                    const QString text = m.next().captured(1);
                    if (examples.contains(text) || (italian && italianExamples.contains(text)))
                        continue;
                    ++checked;
                    EXPECT_TRUE(said.contains(text)) << edition.language << "/" << QFileInfo(chapter).fileName().toStdString()
                                                     << " quotes \"" << text.toStdString() << "\", which the program does not say";
                }
        }
        EXPECT_GE(checked, 100) << edition.language;
    }
}

// A control the operator works: a button, a box, a list, a tab strip or a link; not the parts
// Qt builds inside one (a tab strip's scroll buttons).
bool interactive(const QWidget* w)
{
    for (const QWidget* p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget())
        if (qobject_cast<const QTabBar*>(p) || qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractSpinBox*>(p) ||
            qobject_cast<const QAbstractItemView*>(p))
            return false;
    if (auto* label = qobject_cast<const QLabel*>(w))
        return label->text().contains(QLatin1String("<a "));
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QTabBar*>(w);
}

TEST(Guide, EveryControlHasItsHelpText)
{
    QTemporaryDir dir;
    test::FakeMessages messages;
    test::FakeDesktop desktop;
    MainWindow::Options opts;
    opts.programFolder = dir.path();
    opts.messages = &messages;
    opts.desktop = &desktop;
    MainWindow main(opts);
    SurveysLauncher launcher(main);
    FolderChooserOptions folders;
    folders.defaultDrive = dir.path();
    folders.defaultFolder = dir.filePath(QStringLiteral("dati"));
    folders.drives = [&dir] { return QStringList{dir.path()}; };
    folders.driveReady = [](const QString&) { return true; };

    std::vector<std::unique_ptr<QWidget>> windows;
    windows.emplace_back(new AboutBox(desktop));
    windows.emplace_back(new FolderChooser(messages, {}, folders));
    windows.emplace_back(new NoticesWindow);
    windows.emplace_back(new BlocksListWindow(main, launcher));
    SurveysWindowOptions surveysOptions;
    surveysOptions.libraryPath = dir.filePath(QStringLiteral("surveys.sqlite"));
    windows.emplace_back(new SurveysWindow(surveysOptions));
    windows.emplace_back(new TubeSettingsDialog({"C", "S", "T"}, {}, nullptr));
    surveys::Survey base, readout;
    readout.id = 1;
    surveys::TubeResult tube;
    tube.base = &base;
    surveys::ReadoutResult compared;
    compared.survey = &readout;
    windows.emplace_back(new CorrectionsDialog(tube, compared, {}));
    windows.emplace_back(new ReportChoicesDialog(surveys::TubeResult{}, {}, nullptr));
    windows.emplace_back(new ProbeDialog(readout, {}, nullptr));
    QList<QWidget*> all{&main};
    for (const auto& w : windows)
        all << w.get();

    for (QWidget* window : all) {
        const std::string name = window->objectName().toStdString();
        for (const QWidget* w : window->findChildren<QWidget*>()) {
            const bool named = !w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_"));
            if (named && !w->isHidden() && interactive(w)) {
                EXPECT_FALSE(w->toolTip().isEmpty()) << name << ": " << w->objectName().toStdString();
            }
        }
        // An entry that finds no control has lost it to a renaming.
        for (const HelpText& h : helpTexts())
            if (window->objectName() == QLatin1String(h.window)) {
                bool found = false;
                for (const QWidget* w : window->findChildren<QWidget*>()) {
                    const auto* b = qobject_cast<const QAbstractButton*>(w);
                    const bool named = w->objectName() == QLatin1String(h.control) ||
                                       (w->objectName().isEmpty() && b && withoutMnemonic(b->text()) == QLatin1String(h.control));
                    found = found || (named && w->whatsThis() == QString::fromUtf8(h.text));
                }
                EXPECT_TRUE(found) << name << " has no control " << h.control << " with its text";
            }
    }
    EXPECT_TRUE(controlsChapter().contains(QStringLiteral("| \"Download Blocks...\" | List the unit's 30 blocks")));
    // The Italian guide's chapter on the controls, in the Italian window's words.
    useLanguage(*qApp, QStringLiteral("it"));
    const QString italian = controlsChapter();
    useLanguage(*qApp, QStringLiteral("en"));
    EXPECT_TRUE(italian.contains(QStringLiteral("| \"Scarica blocchi...\" | Elenca i 30 blocchi della centralina")));
    EXPECT_TRUE(italian.contains(QStringLiteral("| Comando | Che cosa fa |")));
}

// Help opens the guide in the program's language, else the other language's, else the web
// site's in the program's language.
TEST(Guide, HelpOpensTheInstalledGuideElseTheWebSite)
{
    QTemporaryDir dir;
    // A folder name a code page would mangle still reaches the viewer.
    const QString beside = dir.filePath(QStringLiteral("programma perché"));
    const QString docs = dir.filePath(QStringLiteral("doc"));
    const QString it = QStringLiteral("TARVELONmanuale.pdf");
    const QString en = QStringLiteral("TARVELONmanual.pdf");
    const QString site = QStringLiteral("https://www.tarvelon.example/manuals/");
    const auto at = [](const QString& folder, const QString& file) { return folder + QLatin1Char('/') + file; };
    const auto local = [](const QString& path) { return QUrl::fromLocalFile(path).toString(); };
    const QString besideShown = QDir::toNativeSeparators(beside);
    // With no handler on the desktop, the box: what could not be opened, and where it is.
    const struct {
        const char* what;
        const char* language;
        QStringList present;
        QString opened;
        bool handled = true;
        QStringList boxSays = {};
    } cases[] = {
        {"no guide installed, English", "en", {}, site + en},
        {"no guide installed, Italian", "it", {}, site + it},
        {"guide beside the program", "en", {at(beside, en)}, local(at(beside, en))},
        {"guide in the documentation folder", "it", {at(docs, it)}, local(at(docs, it))},
        {"both folders: the one beside the program", "en", {at(beside, en), at(docs, en)}, local(at(beside, en))},
        {"both languages, Italian program", "it", {at(beside, en), at(beside, it)}, local(at(beside, it))},
        {"both languages, English program", "en", {at(docs, en), at(docs, it)}, local(at(docs, en))},
        {"the program's language in the other folder first", "it", {at(beside, en), at(docs, it)}, local(at(docs, it))},
        {"only the other language's guide", "it", {at(docs, en)}, local(at(docs, en))},
        {"only the other language's guide, English program", "en", {at(beside, it)}, local(at(beside, it))},
        {"no PDF viewer", "it", {at(beside, it)}, local(at(beside, it)), false,
         {QStringLiteral("\"TARVELONmanuale.pdf\""), besideShown}},
        {"no browser and no guide", "en", {}, site + en, false, {site + en}},
    };
    for (const auto& c : cases) {
        useLanguage(*qApp, QString::fromLatin1(c.language));
        for (const QString& folder : {beside, docs}) {
            QDir().mkpath(folder);
            for (const QString& file : {it, en})
                QFile::remove(at(folder, file));
        }
        for (const QString& path : c.present) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        test::FakeMessages messages;
        test::FakeDesktop desktop;
        desktop.handles = c.handled;
        MainWindow::Options opts;
        opts.programFolder = dir.path();
        opts.messages = &messages;
        opts.desktop = &desktop;
        opts.guideFolders = {beside, docs};
        MainWindow window(opts);
        window.findChild<QAbstractButton*>(QStringLiteral("Command12"))->click();
        ASSERT_EQ(desktop.opened.size(), 1u) << c.what;
        EXPECT_EQ(QUrl::fromEncoded(QByteArray::fromStdString(desktop.opened[0])).toString(), c.opened) << c.what;
        ASSERT_EQ(messages.shown.size(), c.handled ? 0u : 1u) << c.what;
        for (const QString& part : c.boxSays)
            EXPECT_TRUE(fromText(messages.shown[0].text).contains(part)) << c.what << ": " << messages.shown[0].text;
    }
    useLanguage(*qApp, QStringLiteral("en"));
}

} // namespace
} // namespace tarvelon
