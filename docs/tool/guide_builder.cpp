// Builds the user guide's PDF: pictures of the program's real windows (driven against the
// simulated unit, offscreen), the chapter on the controls from the program's own help texts,
// and the chapters laid out on A4 with a title page and a contents page.
//
//   tarvelon-guide --language it --version 1.1 --pictures DIR --out TARVELONmanuale.pdf CHAPTER.md...
//
// The pictures and the controls' chapter are of the program speaking the guide's language.
#include "platform/messages.h"
#include "platform/qt/qt_messages.h"
#include "shell/help_texts.h"
#include "shell/language.h"
#include "shell/main_window.h"
#include "shell/maker.h"
#include "shell/splash_screen.h"
#include "shell/surveys/library_dialog.h"
#include "shell/surveys/surveys_tree.h"
#include "shell/surveys/surveys_window.h"
#include "platform/qt/qt_app_data.h"
#include "library/store.h"
#include "sim/unit_on_pty.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QComboBox>
#include <QDialog>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>

namespace tarvelon {
namespace {

[[noreturn]] void fail(const QString& why)
{
    throw std::runtime_error(why.toStdString());
}

void settle(int ms = 100)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The boxes the operations show while the pictures are taken: said on the terminal, and every
// question answered with OK.
class ToldMessages : public Messages {
public:
    void show(const std::string& text, Icon, const std::string&) override
    {
        std::fprintf(stderr, "tarvelon-guide: the program said: %s\n", text.c_str());
    }
    bool askOkCancel(const std::string&, const std::string& = {}) override { return true; }
};

class NoDesktop : public Desktop {
public:
    bool open(const std::string&) override { return true; }
};

QWidget* topLevel(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    fail(QStringLiteral("no window %1 came up").arg(QLatin1String(name)));
}

template <typename T = QAbstractButton>
T* child(QWidget& window, const char* name)
{
    auto* w = window.findChild<T*>(QLatin1String(name));
    if (!w)
        fail(QStringLiteral("%1 has no control %2").arg(window.objectName(), QLatin1String(name)));
    return w;
}

// The folder the pictures show as the operator's own, whatever folder this build works in.
const QString kShownHome = QStringLiteral("/home/operator");

// The date and time the unit's clock shows in the pictures.
constexpr const char* kUnitClock = "261207174500";

// The size of code lines: 90 characters fit across the page.
constexpr qreal kCodePoints = 8.5;

// The guide's own words around the chapters, in its language.
struct GuideWords {
    const char* language;
    const char* title;    // the PDF's title
    const char* subtitle; // under the program's name on the title page
    const char* version;  // "%1" is the version
    const char* contents;
};

constexpr GuideWords kWords[] = {
    {"en", "Tarvelon Manager: user guide", "User guide", "Version %1", "Contents"},
    {"it", "Tarvelon Manager: manuale d'uso", "Manuale d'uso", "Versione %1", "Sommario"},
};

const GuideWords* wordsFor(const QString& language)
{
    for (const GuideWords& w : kWords)
        if (language == QLatin1String(w.language))
            return &w;
    return nullptr;
}

class Pictures {
public:
    explicit Pictures(const QString& folder) : folder_(folder) { QDir().mkpath(folder); }

    // Also called from timers inside the program's event loop, so a failure is noted, not
    // thrown through Qt.
    void take(QWidget& window, const QString& name)
    {
        QApplication::processEvents();
        std::vector<std::function<void()>> undo;
        showHomeAsOperators(window, undo);
        const bool saved = window.grab().save(QDir(folder_).filePath(name + QStringLiteral(".png")));
        for (auto it = undo.rbegin(); it != undo.rend(); ++it)
            (*it)();
        if (!saved)
            missing_ << name;
        else
            taken_ << name;
    }

    // The program's windows as the operator meets them, against the simulated unit.
    void takeAll(const QString& scratch)
    {
        sim::UnitOnPty unit;
        unit.unit.fillDemo();
        unit.unit.setClock(kUnitClock);
        if (!unit.start())
            fail(QStringLiteral("cannot open a pseudo-terminal for the simulated unit"));
        const QString unitPath = QString::fromStdString(unit.path());

        ToldMessages messages;
        NoDesktop desktop;
        MainWindowOptions o;
        o.portName = [unitPath](int n) { return n == 1 ? unitPath : defaultPortName(n); };
        o.programFolder = scratch + QStringLiteral("/program");
        QDir().mkpath(o.programFolder);
        o.messages = &messages;
        o.desktop = &desktop;
        o.settingsFile = scratch + QStringLiteral("/settings.ini");
        // A home folder of its own with only the download folder in it, shown as kShownHome.
        const QString home = scratch + kShownHome;
        QDir().mkpath(home);
        home_ = QDir::toNativeSeparators(home);
        FolderChooserOptions folders;
        folders.defaultDrive = home;
        folders.defaultFolder = home + QStringLiteral("/dati");
        folders.drives = [home] { return QStringList{home}; };
        folders.driveReady = [](const QString&) { return true; };
        o.folders = folders;

        {
            SplashScreen splash([] {});
            splash.show();
            take(splash, QStringLiteral("splash"));
        }

        MainWindow main(o);
        main.show();
        auto* tabs = child<QTabBar>(main, "TabStrip1");

        child(main, "Command3")->click(); // Read Block
        take(main, QStringLiteral("main-header-data"));

        tabs->setCurrentIndex(1);
        child(main, "Command10")->click(); // Folder
        QWidget* chooser = topLevel("Form6");
        take(*chooser, QStringLiteral("folder-chooser"));
        child(*chooser, "command3d1")->click();
        settle();

        // A download on its way, with its progress and Stop.
        QTimer::singleShot(600, &main, [this, &main] { take(main, QStringLiteral("main-download-running")); });
        child(main, "command3d1")->click(); // Ok
        take(main, QStringLiteral("main-download-data"));

        tabs->setCurrentIndex(2);
        child(main, "ssCommand3")->click(); // Read Clock
        take(main, QStringLiteral("main-setup"));
        // The clock read, written back: the status line says how the job ended.
        child(main, "ssCommand4")->click(); // Write Clock
        take(main, QStringLiteral("main-status"));

        child(main, "Command11")->click(); // About
        QWidget* about = topLevel("aboutus");
        take(*about, QStringLiteral("about"));
        about->close();

        tabs->setCurrentIndex(1);
        child(main, "cmdDownloadBlocks")->click();
        QWidget* blocks = topLevel("frmDownloadBlocks");
        take(*blocks, QStringLiteral("download-blocks-list"));
        auto* table = child<QTableWidget>(*blocks, "tblBlocks");
        for (int row = 0; row < table->rowCount(); ++row)
            if (QTableWidgetItem* box = table->item(row, 0); box && (box->flags() & Qt::ItemIsEnabled))
                box->setCheckState(row == 1 || row == 2 || row >= 24 ? Qt::Checked : Qt::Unchecked);
        child(*blocks, "cmdDownload")->click();
        // Wide enough for the Result column to show.
        blocks->resize(std::max(blocks->width(), 1150), blocks->height());
        settle();
        take(*blocks, QStringLiteral("download-blocks-done"));
        blocks->close();

        // The demo tube of blocks 25 to 30 in millimetres against its base, its last readout
        // past the alarm.
        std::vector<std::int64_t> history;
        {
            surveys::SurveyStore store;
            const surveys::TubeKey tube{"ACME SRL", "FRANA 12", "I1"};
            if (store.open(localAppDataFilePath(QStringLiteral("surveys.sqlite")).toStdString()))
                for (const surveys::Survey& s : store.tubeSurveys(tube))
                    history.push_back(s.id);
            if (history.empty())
                fail(QStringLiteral("the demo tube was not downloaded"));
            surveys::TubeSettings t;
            t.constant = 25000;
            t.baseId = history.front();
            t.alertMm = 10;
            t.alarmMm = 20;
            t.easting = 120;
            t.northing = 340;
            t.readingIntervalDays = 30;
            store.setTubeSettings(tube, t);
        }
        child(main, "cmdSurveys")->click();
        auto* surveys = qobject_cast<SurveysWindow*>(topLevel("Surveys"));
        if (!surveys)
            fail(QStringLiteral("no Surveys window"));
        surveys->select(history);
        settle();
        take(*surveys, QStringLiteral("surveys"));

        // Its settings, as "Tube Settings..." shows them.
        QTimer::singleShot(300, [this] {
            if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                take(*box, QStringLiteral("tube-settings"));
                box->reject();
            }
        });
        child(*surveys, "tubeSettings")->click();

        // "Library..." with a firm's server and the firm's own authority's certificate.
        {
            LibraryDialog library(QStringLiteral("postgresql://anna@db.firm.example:5432/tarvelon?sslmode=verify-full"
                                                 "&sslrootcert=") + kShownHome + QStringLiteral("/firm-ca.crt"),
                                  kShownHome + QStringLiteral("/.local/share/Tarvelon Instruments/Tarvelon Manager/surveys.sqlite"));
            library.show();
            settle();
            take(library, QStringLiteral("library-box"));
            library.close();
        }

        // The last readout alone, past the alarm, wide enough for the tree to say so.
        const QSize size = surveys->size();
        surveys->resize(std::max(size.width(), 1180), size.height());
        surveys->select({history.back()});
        settle();
        take(*surveys, QStringLiteral("surveys-alarm"));

        // The site at a glance: its site's line in the tree chosen.
        if (QTreeWidgetItem* client = surveys->tree()->topLevelItem(0); client && client->childCount() > 0) {
            surveys->tree()->setCurrentItem(client->child(0));
            settle();
            take(*surveys, QStringLiteral("surveys-site"));
        }
        surveys->resize(size);
        surveys->close();

        // The box every silent unit brings.
        QTimer::singleShot(300, [this] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                take(*box, QStringLiteral("not-connected"));
                box->close();
            }
        });
        QtMessages().show("Attention: TARVELON not connected", Icon::Error);
        main.close();
        unit.stop();
        for (const char* name : {"main-download-running", "not-connected", "tube-settings", "library-box"})
            if (!taken_.contains(QLatin1String(name)))
                missing_ << QLatin1String(name);
        if (!missing_.isEmpty())
            fail(QStringLiteral("pictures not taken: ") + missing_.join(QStringLiteral(", ")));
    }

private:
    // Puts kShownHome in place of the build's pretend home folder in every text the window
    // shows, for the picture only: `undo` puts the real texts back, which the program goes on
    // working with.
    void showHomeAsOperators(QWidget& window, std::vector<std::function<void()>>& undo) const
    {
        if (home_.isEmpty())
            return;
        const auto shown = [this](QString text) { return text.replace(home_, kShownHome); };
        for (QLabel* l : window.findChildren<QLabel*>()) {
            const QString text = l->text();
            QString now;
            if (text.contains(home_))
                now = shown(text);
            else if (l->toolTip().contains(home_)) {
                // A text shortened to its label's width: shortened again from the whole one.
                now = l->fontMetrics().elidedText(shown(l->toolTip()), Qt::ElideMiddle, std::max(l->width(), 40));
                if (l->textFormat() == Qt::RichText)
                    now = now.toHtmlEscaped();
            }
            else
                continue;
            l->setText(now);
            undo.push_back([l, text] { l->setText(text); });
        }
        for (QLineEdit* e : window.findChildren<QLineEdit*>())
            if (const QString text = e->text(); text.contains(home_)) {
                const QSignalBlocker quiet(e);
                e->setText(shown(text));
                undo.push_back([e, text] {
                    const QSignalBlocker quiet(e);
                    e->setText(text);
                });
            }
        for (QComboBox* box : window.findChildren<QComboBox*>())
            for (int i = 0; i < box->count(); ++i)
                if (const QString text = box->itemText(i); text.contains(home_)) {
                    const QSignalBlocker quiet(box);
                    box->setItemText(i, shown(text));
                    undo.push_back([box, i, text] {
                        const QSignalBlocker quiet(box);
                        box->setItemText(i, text);
                    });
                }
        for (QTableWidget* table : window.findChildren<QTableWidget*>())
            for (int r = 0; r < table->rowCount(); ++r)
                for (int c = 0; c < table->columnCount(); ++c)
                    if (QTableWidgetItem* item = table->item(r, c); item && item->text().contains(home_)) {
                        const QString text = item->text();
                        item->setText(shown(text));
                        undo.push_back([item, text] { item->setText(text); });
                    }
    }

    QString folder_;
    QString home_;
    QStringList taken_, missing_;
};

// ---------------------------------------------------------------------------------------
// The PDF

struct Heading {
    int level;
    QString text;
    int page; // counted from 0 in the body
};

class GuidePdf {
public:
    GuidePdf(const QString& out, const QString& version, const QString& pictures, const GuideWords& words)
        : writer_(out), version_(version), pictures_(pictures), words_(words)
    {
        writer_.setPageSize(QPageSize(QPageSize::A4));
        writer_.setResolution(300);
        writer_.setPageMargins(QMarginsF(20, 18, 20, 14), QPageLayout::Millimeter);
        writer_.setTitle(QString::fromUtf8(words.title));
        writer_.setCreator(QStringLiteral("Tarvelon Manager %1").arg(version));
        font_ = QFont(QStringLiteral("DejaVu Sans"), 10);
    }

    void build(const QString& markdown)
    {
        const qreal width = writer_.width();
        pageHeight_ = writer_.height() - footerHeight();

        QTextDocument body;
        setUp(body);
        body.setMarkdown(markdown);
        fitPictures(body);
        setCodeSmaller(body);
        drawTables(body, writer_.resolution() / 96.0);
        // Every chapter starts on a page of its own.
        for (QTextBlock b = body.begin(); b.isValid(); b = b.next())
            if (b.blockFormat().headingLevel() == 1 && b != body.begin()) {
                QTextCursor c(b);
                QTextBlockFormat f = b.blockFormat();
                f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                c.setBlockFormat(f);
            }
        body.setPageSize(QSizeF(width, pageHeight_));
        const QList<Heading> headings = headingsOf(body);

        // The contents first with stand-in numbers to learn how many pages it takes, then
        // with the real ones: the numbers do not change its length.
        QTextDocument contents;
        setUp(contents);
        contents.setPageSize(QSizeF(width, pageHeight_));
        contents.setHtml(contentsHtml(headings, 0, words_));
        const int contentsPages = contents.pageCount();
        const int firstBodyPage = 2 + contentsPages;
        contents.setHtml(contentsHtml(headings, firstBodyPage, words_));

        QPainter p(&writer_);
        titlePage(p);
        int pageNumber = 1;
        for (QTextDocument* doc : {&contents, &body})
            for (int i = 0; i < doc->pageCount(); ++i) {
                writer_.newPage();
                ++pageNumber;
                p.save();
                p.translate(0, -i * pageHeight_);
                doc->drawContents(&p, QRectF(0, i * pageHeight_, width, pageHeight_));
                p.restore();
                footer(p, pageNumber);
            }
        p.end();
        std::printf("tarvelon-guide: %d pages, %d headings, %d pictures\n", pageNumber, int(headings.size()),
                    pictureCount_);
    }

private:
    qreal footerHeight() const { return writer_.resolution() * 0.4; }

    void setUp(QTextDocument& doc)
    {
        doc.documentLayout()->setPaintDevice(&writer_);
        doc.setDefaultFont(font_);
        doc.setDocumentMargin(0);
        doc.setDefaultStyleSheet(QStringLiteral("table { border-collapse: collapse; }"));
    }

    // Pictures come from the pictures folder by file name, and are never wider than the page.
    void fitPictures(QTextDocument& doc)
    {
        // A picture's width is given in pixels of a 96 dpi screen.
        const qreal room = writer_.width() * 96.0 / writer_.resolution();
        struct Found {
            int position;
            QTextImageFormat format;
        };
        QList<Found> found;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().isImageFormat())
                    found.append({it.fragment().position(), it.fragment().charFormat().toImageFormat()});
        for (Found& f : found) {
            const QString file = QDir(pictures_).filePath(QFileInfo(f.format.name()).fileName());
            QImage image(file);
            if (image.isNull()) {
                std::fprintf(stderr, "tarvelon-guide: no picture %s\n", qPrintable(file));
                continue;
            }
            ++pictureCount_;
            doc.addResource(QTextDocument::ImageResource, QUrl(f.format.name()), image);
            const qreal w = std::min<qreal>(image.width(), room);
            f.format.setWidth(w);
            f.format.setHeight(image.height() * w / image.width());
            QTextCursor c(&doc);
            c.setPosition(f.position);
            c.setPosition(f.position + 1, QTextCursor::KeepAnchor);
            c.setCharFormat(f.format);
        }
    }

    // Code is set smaller, its lines kept whole, so that a line of a script fits the page as
    // it is and runs when copied from it.
    static void setCodeSmaller(QTextDocument& doc)
    {
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
            const QTextBlockFormat f = b.blockFormat();
            if (!f.nonBreakableLines() && !f.hasProperty(QTextFormat::BlockCodeFence))
                continue;
            QTextCursor c(b);
            c.setPosition(b.position() + b.length() - 1, QTextCursor::KeepAnchor);
            QTextCharFormat smaller;
            smaller.setFontPointSize(kCodePoints);
            c.mergeCharFormat(smaller);
        }
    }

    // Tables in thin single lines across the page, with some air in the cells; `pixel` is a
    // screen pixel in the writer's dots.
    static void drawTables(QTextDocument& doc, qreal pixel)
    {
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
            QTextTable* table = QTextCursor(b).currentTable();
            if (!table || table->firstPosition() != b.position())
                continue;
            QTextTableFormat f = table->format();
            f.setBorderCollapse(true);
            f.setBorder(pixel);
            f.setBorderBrush(QColor(0x80, 0x80, 0x80));
            f.setCellSpacing(0);
            f.setCellPadding(1.5 * pixel);
            f.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            f.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            table->setFormat(f);
        }
    }

    QList<Heading> headingsOf(QTextDocument& doc) const
    {
        QList<Heading> out;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
            const int level = b.blockFormat().headingLevel();
            if (level == 1 || level == 2) {
                const qreal top = doc.documentLayout()->blockBoundingRect(b).top();
                out.append({level, b.text(), int(top / pageHeight_)});
            }
        }
        return out;
    }

    static QString contentsHtml(const QList<Heading>& headings, int firstBodyPage, const GuideWords& words)
    {
        QString html = QStringLiteral("<h1>%1</h1><table width=\"100%\" cellpadding=\"2\">")
                           .arg(QString::fromUtf8(words.contents));
        for (const Heading& h : headings) {
            const QString number = firstBodyPage ? QString::number(firstBodyPage + h.page) : QStringLiteral("000");
            const QString title = h.text.toHtmlEscaped();
            html += h.level == 1 ? QStringLiteral("<tr><td style=\"padding-top:8px\"><b>%1</b></td>"
                                                  "<td align=\"right\" style=\"padding-top:8px\"><b>%2</b></td></tr>")
                                       .arg(title, number)
                                 : QStringLiteral("<tr><td style=\"padding-left:24px\">%1</td>"
                                                  "<td align=\"right\">%2</td></tr>")
                                       .arg(title, number);
        }
        return html + QStringLiteral("</table>");
    }

    void titlePage(QPainter& p)
    {
        const qreal w = writer_.width();
        const qreal dpi = writer_.resolution();
        QFont big = font_;
        big.setPointSize(30);
        big.setBold(true);
        p.setFont(big);
        p.drawText(QRectF(0, dpi * 1.5, w, dpi), Qt::AlignCenter, QStringLiteral("Tarvelon Manager"));
        QFont medium = font_;
        medium.setPointSize(18);
        p.setFont(medium);
        p.drawText(QRectF(0, dpi * 2.5, w, dpi * 0.6), Qt::AlignCenter, QString::fromUtf8(words_.subtitle));
        const QPixmap splash = splashPicture(QSize(600, 400));
        const QRectF picture((w - dpi * 4.5) / 2, dpi * 3.6, dpi * 4.5, dpi * 3.0);
        p.drawPixmap(picture, splash, splash.rect());
        p.setFont(font_);
        p.drawText(QRectF(0, dpi * 7.2, w, dpi * 0.5), Qt::AlignCenter,
                   QString::fromUtf8(words_.version).arg(version_));
        p.drawText(QRectF(0, dpi * 7.6, w, dpi * 0.5), Qt::AlignCenter,
                   QCoreApplication::translate("Texts", maker::kDescription));
        p.drawText(QRectF(0, writer_.height() - dpi * 0.8, w, dpi * 0.5), Qt::AlignCenter,
                   QStringLiteral("%1 - %2").arg(QString::fromUtf8(maker::kName), QString::fromUtf8(maker::kWebSite)));
    }

    void footer(QPainter& p, int number)
    {
        p.setFont(font_);
        p.drawText(QRectF(0, pageHeight_, writer_.width(), footerHeight()), Qt::AlignCenter | Qt::AlignBottom,
                   QString::number(number));
    }

    QPdfWriter writer_;
    QString version_;
    QString pictures_;
    const GuideWords& words_;
    QFont font_;
    qreal pageHeight_ = 0;
    int pictureCount_ = 0;
};

// The chapter's title numbered as the chapters refer to each other ("chapter 5").
QString numbered(const QString& chapter, int number)
{
    static const QRegularExpression title(QStringLiteral("(?m)^# "));
    const QRegularExpressionMatch m = title.match(chapter);
    if (!m.hasMatch())
        fail(QStringLiteral("chapter %1 has no title").arg(number));
    return QString(chapter).insert(m.capturedEnd(), QStringLiteral("%1. ").arg(number));
}

// The chapters in the order given, numbered from 1, and `last` after them.
QString readChapters(const QStringList& files, const QString& last)
{
    QString all;
    int number = 0;
    for (const QString& name : files) {
        QFile f(name);
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
            fail(QStringLiteral("cannot read %1").arg(name));
        all += numbered(QString::fromUtf8(f.readAll()), ++number) + QStringLiteral("\n\n");
    }
    return all + numbered(last, ++number);
}

int run(QApplication& app, const QString& scratch)
{
    QCommandLineParser parser;
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Program version"), QStringLiteral("v"));
    const QCommandLineOption pictures(QStringLiteral("pictures"), QStringLiteral("Folder of the pictures"),
                                      QStringLiteral("dir"));
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("The PDF to write"), QStringLiteral("file"));
    const QCommandLineOption language(QStringLiteral("language"), QStringLiteral("The guide's language: en or it"),
                                      QStringLiteral("language"), QStringLiteral("en"));
    parser.addOptions({version, pictures, out, language});
    parser.addPositionalArgument(QStringLiteral("chapters"), QStringLiteral("The chapters, in order"));
    parser.process(app);
    if (!parser.isSet(out) || !parser.isSet(pictures) || parser.positionalArguments().isEmpty())
        fail(QStringLiteral("usage: tarvelon-guide [--language en|it] --version V --pictures DIR --out FILE.pdf CHAPTER.md..."));
    const GuideWords* words = wordsFor(parser.value(language));
    if (!words)
        fail(QStringLiteral("no guide in the language \"%1\": en or it").arg(parser.value(language)));
    // The windows in the pictures and the controls' chapter speak the guide's language.
    useLanguage(app, QString::fromLatin1(words->language));

    Pictures(parser.value(pictures)).takeAll(scratch);
    // The controls' chapter also lies beside the pictures, for a person to read.
    const QString controls = controlsChapter();
    QFile copy(QDir(parser.value(pictures)).filePath(QStringLiteral("../controls-%1.md").arg(QLatin1String(words->language))));
    if (copy.open(QIODevice::WriteOnly | QIODevice::Text))
        copy.write(controls.toUtf8());
    GuidePdf(parser.value(out), parser.value(version), parser.value(pictures), *words)
        .build(readChapters(parser.positionalArguments(), controls));
    return 0;
}

} // namespace
} // namespace tarvelon

int main(int argc, char* argv[])
{
    // Built on a machine without a display, and never with the user's settings, survey
    // library or header file: everything the program keeps goes to a folder of its own.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        std::fprintf(stderr, "tarvelon-guide: no temporary folder\n");
        return 1;
    }
    for (const char* var : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
        qputenv(var, QFile::encodeName(scratch.filePath(QString::fromLatin1(var))));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvelon Manager"));
    try {
        return tarvelon::run(app, scratch.path());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tarvelon-guide: %s\n", e.what());
        return 1;
    }
}
