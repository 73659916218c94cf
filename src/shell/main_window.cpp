#include "shell/main_window.h"

#include "blocks/clear_blocks.h"
#include "blocks/download.h"
#include "blocks/header_entry.h"
#include "blocks/header_read.h"
#include "blocks/header_write.h"
#include "link/block.h"
#include "link/startup.h"
#include "settings/clock.h"
#include "settings/delay.h"
#include "settings/zero_gain.h"
#include "shell/about_box.h"
#include "shell/maker.h"
#include "link/fields.h"
#include "link/header_file.h"
#include "link/header_record.h"
#include "platform/qt/qt_text.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

namespace tarvelon {
namespace {

QString qs(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Captions keep their leading and doubled blanks, so labels must not be read as rich text.
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, bool enabled = true)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(withoutMnemonic(button->text()).trimmed());
    button->setEnabled(enabled);
    button->setAutoDefault(false);
    return button;
}

// A length in lines of the widget's font, so buttons and gaps grow with a larger font as
// their captions do.
int lines(const QWidget* w, double n)
{
    return qRound(n * w->fontMetrics().height());
}

// A narrow button for "-" and "+", still wide enough for its caption.
QPushButton* makeStepButton(QWidget* parent, const char* name, const char* caption)
{
    QPushButton* button = makeButton(parent, name, caption, false);
    button->setFixedWidth(
        std::max(lines(button, 2.0), button->fontMetrics().horizontalAdvance(button->text()) + lines(button, 1.3)));
    return button;
}

// A button with some air around its caption, at least `minLines` wide.
void giveRoom(QPushButton* button, double minLines = 0)
{
    button->setMinimumWidth(std::max(button->sizeHint().width() + lines(button, 1.0), lines(button, minLines)));
}

// Wide enough for maxLength of the widest letter, so no text the box may hold is cut.
int boxWidth(const QFontMetrics& fm, int maxLength, int unlimitedChars)
{
    const int chars = maxLength > 0 ? maxLength : unlimitedChars;
    return std::max(36, fm.horizontalAdvance(QString(chars, QLatin1Char('W'))) + 14);
}

void hideAll(std::initializer_list<QWidget*> widgets)
{
    for (QWidget* w : widgets)
        w->hide();
}

} // namespace

QString withoutMnemonic(const QString& caption)
{
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && ++i == caption.size())
            break;
        shown.append(caption.at(i));
    }
    return shown;
}

QString chooseProgramFolder(const QString& executableFolder, const QString& appDataFolder)
{
    const QFileInfo info(executableFolder);
    if (!executableFolder.isEmpty() && info.isDir() && info.isWritable())
        return executableFolder;
    // An installed program usually may not write beside its executable.
    QDir().mkpath(appDataFolder);
    return appDataFolder;
}

QString defaultProgramFolder()
{
    return chooseProgramFolder(QCoreApplication::applicationDirPath(),
                               QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

Scaricodati::Scaricodati(Options opts, QWidget* parent)
    : QWidget(parent),
      programFolder_(opts.programFolder.isEmpty() ? defaultProgramFolder() : opts.programFolder),
      folderOptions_(opts.folders),
      port_(opts.portName),
      timer_([this] { state_.onTick(); }),
      messages_(this),
      ctx_{state_,
           *this,
           port_,
           loop_,
           timer_,
           opts.messages ? *opts.messages : static_cast<Messages&>(messages_),
           opts.desktop ? *opts.desktop : static_cast<Desktop&>(desktop_)}
{
    setObjectName(QStringLiteral("Scaricodati"));
    setWindowTitle(QString::fromLatin1(kProgramTitle));
    buildUi();
    wireOperations();
    if (opts.runStartUp)
        load();
}

Scaricodati::~Scaricodati() = default;

// ---------------------------------------------------------------------------------------
// Layout

void Scaricodati::buildUi()
{
    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setContentsMargins(12, 10, 12, 10);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(6);

    tabs_ = new QTabBar(this);
    tabs_->setObjectName(QStringLiteral("TabStrip1"));
    tabs_->addTab(QStringLiteral("Header Data"));
    tabs_->addTab(QStringLiteral("Download Data"));
    tabs_->addTab(QStringLiteral("Setup Tarvelon"));
    tabs_->setExpanding(false);
    tabs_->setAccessibleName(QStringLiteral("Pages"));
    grid->addWidget(tabs_, 0, 0, Qt::AlignLeft | Qt::AlignBottom);

    pages_ = {buildHeaderPage(), buildDownloadPage(), buildSetupPage()};
    // The pages share one place; each is as large as the largest so a tab change never
    // moves the rest of the window.
    QSize pageSize;
    for (QGroupBox* page : pages_)
        pageSize = pageSize.expandedTo(page->sizeHint());
    for (QGroupBox* page : pages_) {
        page->setMinimumSize(pageSize);
        grid->addWidget(page, 1, 0);
    }

    QLabel* panelTitle = makeLabel(this, QStringLiteral("lblControlPanel"), QStringLiteral("Control Panel"));
    QFont bold = panelTitle->font();
    bold.setBold(true);
    panelTitle->setFont(bold);
    grid->addWidget(panelTitle, 0, 1, Qt::AlignHCenter | Qt::AlignBottom);
    grid->addWidget(buildControlPanel(), 1, 1, Qt::AlignTop);

    // Wait indicator: the label sits inside the rounded shape; both are shown and hidden
    // together, in a place kept free for them so nothing moves when they appear.
    auto* waitArea = new QWidget(this);
    waitArea->setObjectName(QStringLiteral("waitArea"));
    waitShape_ = new QFrame(waitArea);
    waitShape_->setObjectName(QStringLiteral("Shape1"));
    waitShape_->setStyleSheet(QStringLiteral(
        "#Shape1 { border: 2px solid #b01818; border-radius: 12px; background-color: #fff3c4; }"));
    waitLabel_ = makeLabel(waitArea, QStringLiteral("Label34"), QStringLiteral("WAIT DATA TRANSMISSION ONGOING"));
    QFont waitFont = waitLabel_->font();
    waitFont.setBold(true);
    waitFont.setPointSizeF(waitFont.pointSizeF() * 1.15);
    waitLabel_->setFont(waitFont);
    waitLabel_->setStyleSheet(QStringLiteral("#Label34 { color: #b01818; background: transparent; }"));
    waitLabel_->setAlignment(Qt::AlignCenter);
    const QSize labelSize = waitLabel_->sizeHint();
    const QSize shapeSize(labelSize.width() + 60, labelSize.height() + 20);
    waitArea->setFixedSize(shapeSize);
    waitShape_->setGeometry(QRect(QPoint(0, 0), shapeSize));
    waitLabel_->setGeometry(QRect(QPoint(30, 10), labelSize));
    waitLabel_->raise();
    grid->addWidget(waitArea, 2, 0, 1, 2, Qt::AlignCenter);
    waitShape_->hide();
    waitLabel_->hide();

    showPage(0);
    connect(tabs_, &QTabBar::currentChanged, this, &Scaricodati::showPage);

    // Every text box of the window, by name, for the operations.
    for (const FieldSpec& f : kFields) {
        auto* box = findChild<QLineEdit*>(qs(f.name));
        Q_ASSERT_X(box, "Scaricodati", "a text box of kFields was not built");
        if (box)
            fields_.insert(qs(f.name), box);
    }

    // Control characters typed or pasted by the operator would end a command line early on
    // the unit's side; they never reach a box.
    for (QLineEdit* box : std::as_const(fields_))
        connect(box, &QLineEdit::textEdited, box, [box](const QString& text) {
            const QString clean = withoutControlCharacters(text);
            if (clean.size() == text.size())
                return;
            const int cursor = box->cursorPosition() - int(text.left(box->cursorPosition()).size() -
                                                           withoutControlCharacters(text.left(box->cursorPosition())).size());
            box->setText(clean);
            box->setCursorPosition(cursor);
        });

    // Leaving a header field runs its entry check; Text13 also toggles on a double-click.
    for (const auto& [name, check] : leaveChecks())
        if (QLineEdit* box = fields_.value(qs(name)))
            box->installEventFilter(this);

    chainTabOrder();
}

QString withoutControlCharacters(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar ch : text)
        if (ch.category() != QChar::Other_Control)
            out.append(ch);
    return out;
}

void Scaricodati::chainTabOrder()
{
    // Read-only boxes show what the unit or the program put there: a click still selects
    // their text, but Tab passes them by.
    for (QLineEdit* box : std::as_const(fields_))
        if (box->isReadOnly())
            box->setFocusPolicy(Qt::ClickFocus);

    // Tab walks the shown page top to bottom and left to right, then the control panel, then
    // back to the tab strip; Tab skips the controls of hidden pages and hidden fields.
    static constexpr const char* kOrder[] = {
        // Header Data
        "sscommand9", "Text2", "sscommand10", "sscommand11", "Text3", "Text4", "Text5", "Text6", "Text10",
        // Download Data
        "Command2", "numblocco", "Command1", "Text1", "Text17", "Command10", "command3d1",
        // Setup Tarvelon, frame by frame as they stand in their two rows
        "Command13", "Text16rt", "Command6scrivi", "ssOption1_0", "ssOption1_1", "ssOption1_2", "ssOption1_3",
        "Text13a", "Text1a", "Text2a", "Text14a", "Text3a", "Text4a", "ssCommand3", "ssCommand4",
        // Control panel
        "Command7", "ssCommand8", "Command6", "sscommand6", "Command3", "Command8", "Command11", "Command12",
    };
    QWidget* previous = tabs_;
    for (const char* name : kOrder) {
        QWidget* next = control(name);
        Q_ASSERT_X(next, "Scaricodati::chainTabOrder", name);
        if (!next)
            continue;
        QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

namespace {

// Builds the text boxes of a page from kFields, with their labels' texts for accessibility.
class PageBuilder {
public:
    explicit PageBuilder(QWidget* page) : page_(page) {}

    QLineEdit* box(std::string_view name, const QString& accessibleName, int unlimitedChars = 26)
    {
        auto* edit = new QLineEdit(page_);
        edit->setObjectName(qs(name));
        for (const FieldSpec& f : kFields) {
            if (f.name != name)
                continue;
            if (f.maxLength > 0)
                edit->setMaxLength(f.maxLength);
            edit->setText(fromText(std::string(f.initial)));
            edit->setFixedWidth(boxWidth(edit->fontMetrics(), f.maxLength, unlimitedChars));
        }
        edit->setAccessibleName(accessibleName);
        edit->setAccessibleDescription(qs(name));
        return edit;
    }

    QLabel* label(const QString& name, const QString& caption) { return makeLabel(page_, name, caption); }

private:
    QWidget* page_;
};

QHBoxLayout* row(std::initializer_list<QWidget*> widgets)
{
    auto* h = new QHBoxLayout;
    h->setSpacing(4);
    for (QWidget* w : widgets)
        h->addWidget(w);
    h->addStretch(1);
    return h;
}

} // namespace

QGroupBox* Scaricodati::buildHeaderPage()
{
    auto* page = new QGroupBox(QStringLiteral("Blocks Header"), this);
    page->setObjectName(QStringLiteral("Frame1"));
    PageBuilder b(page);
    auto* g = new QGridLayout(page);
    g->setHorizontalSpacing(10);
    g->setVerticalSpacing(6);
    g->setColumnStretch(3, 1);

    struct Line {
        const char* box;
        const char* caption;
        const char* hint; // empty: none
        bool shown;
    };
    // Top to bottom as the operator reads a header; the hidden rows carry fields the
    // operations still fill and read.
    static constexpr Line kLines[] = {
        {"Text3", "Client  :", "", true},
        {"Text4", "Site :", "", true},
        {"Text5", "Tube no :", "", true},
        {"Text6", "Depth  :", "Max.  100.0 mt.     Max.  200.0 mt.  ", true},
        {"Text10", "Readout no  :", "", true},
        {"Text11", "Date  :", "DDMMYY", true},
        {"Text12", "Time  :", "HHMMSS", true},
        {"Text7", "Step  :", "0 = 0,5 mt.          1 = 1 mt", false},
        {"Text8", "Guides no  :", "2 - 4", false},
        {"Text9", "North  :", "from \u00B1000\u00B0 to \u00B1360\u00B0", false},
        {"Text15", "FILE NAME :", "", false},
    };

    const QString blockCaption = QStringLiteral("Block  Number (01-30)  :");
    QLabel* blockLabel = b.label(QStringLiteral("lblText2"), blockCaption);
    QPushButton* minus = makeStepButton(page, "sscommand9", "-");
    QLineEdit* text2 = b.box("Text2", blockCaption.trimmed());
    QPushButton* plus = makeStepButton(page, "sscommand10", "+");
    g->addWidget(blockLabel, 0, 0);
    g->addLayout(row({minus, text2, plus}), 0, 1);
    QPushButton* copy = makeButton(page, "sscommand11", "&Copy Data");
    giveRoom(copy);
    g->addWidget(copy, 0, 2, Qt::AlignLeft);
    g->setRowMinimumHeight(1, lines(page, 0.6));

    int r = 2;
    for (const Line& line : kLines) {
        const QString caption = QString::fromUtf8(line.caption);
        QLabel* label = b.label(QStringLiteral("lbl") + QLatin1String(line.box), caption);
        QLineEdit* edit = b.box(line.box, caption.trimmed());
        g->addWidget(label, r, 0);
        QLabel* hint = nullptr;
        if (*line.hint) {
            hint = b.label(QStringLiteral("hint") + QLatin1String(line.box), QString::fromUtf8(line.hint));
            g->addWidget(hint, r, 2);
        }
        if (QLatin1String(line.box) == QLatin1String("Text6")) {
            edit->setToolTip(QStringLiteral("Inserire cifre senza punto decimale"));
            // The fourth depth digit, tenths, follows the whole metres.
            QLineEdit* tenths = b.box("Text13", caption.trimmed() + QStringLiteral(" tenths"));
            tenths->setReadOnly(true);
            g->addLayout(row({edit, tenths}), r, 1);
        } else {
            g->addWidget(edit, r, 1, Qt::AlignLeft);
        }
        if (!line.shown) {
            hideAll({label, edit});
            if (hint)
                hint->hide();
        }
        ++r;
    }
    for (const char* name : {"Text11", "Text12", "Text15"})
        page->findChild<QLineEdit*>(QLatin1String(name))->setReadOnly(true);
    g->setRowStretch(r, 1);
    return page;
}

QGroupBox* Scaricodati::buildDownloadPage()
{
    auto* page = new QGroupBox(QStringLiteral("Download Data"), this);
    page->setObjectName(QStringLiteral("Frame2"));
    PageBuilder b(page);
    auto* g = new QGridLayout(page);
    g->setHorizontalSpacing(10);
    g->setVerticalSpacing(6);
    g->setColumnStretch(2, 1);

    const QString blockCaption = QStringLiteral("Block Number (01-30)  :");
    g->addWidget(b.label(QStringLiteral("lblnumblocco"), blockCaption), 0, 0);
    QPushButton* minus = makeStepButton(page, "Command2", "-");
    QPushButton* plus = makeStepButton(page, "Command1", "+");
    minus->setEnabled(true);
    plus->setEnabled(true);
    g->addLayout(row({minus, b.box("numblocco", blockCaption.trimmed()), plus}), 0, 1);
    g->setRowMinimumHeight(1, lines(page, 0.6));

    const QString fileCaption = QStringLiteral("FILE NAME :");
    g->addWidget(b.label(QStringLiteral("lblText1"), fileCaption), 2, 0);
    QLineEdit* fileName = b.box("Text1", fileCaption.trimmed(), 30);
    g->addWidget(fileName, 2, 1, 1, 2, Qt::AlignLeft);

    const QString addressCaption = QStringLiteral("RAM Address");
    g->addWidget(b.label(QStringLiteral("lblText17"), addressCaption), 3, 0);
    QLineEdit* address = b.box("Text17", addressCaption, 8);
    g->addWidget(address, 3, 1, Qt::AlignLeft);
    g->setRowMinimumHeight(4, lines(page, 0.6));

    QPushButton* folder = makeButton(page, "Command10", "&Folder");
    QPushButton* ok = makeButton(page, "command3d1", "&Ok", false);
    for (QPushButton* button : {folder, ok})
        giveRoom(button, 6.5);
    g->addLayout(row({folder, ok}), 5, 1, 1, 2);

    // The zero/gain fields carry the header record's last five fields; never shown.
    struct Hidden {
        const char* box;
        const char* caption;
    };
    static constexpr Hidden kHidden[] = {
        {"Text18", "Gain 1\u00B0 Canale"}, {"Text19", "Gain 2\u00B0 Canale"}, {"Text20", "Zero 1\u00B0 Canale"},
        {"Text21", "Zero 2\u00B0 Canale"}, {"Text22", "Punto"},
    };
    int r = 6;
    for (const Hidden& h : kHidden) {
        const QString caption = QString::fromUtf8(h.caption);
        QLabel* label = b.label(QStringLiteral("lbl") + QLatin1String(h.box), caption);
        QLineEdit* edit = b.box(h.box, caption);
        edit->setEnabled(false);
        g->addWidget(label, r, 0);
        g->addWidget(edit, r, 1, Qt::AlignLeft);
        hideAll({label, edit});
        ++r;
    }
    g->setRowStretch(r, 1);
    return page;
}

QGroupBox* Scaricodati::buildSetupPage()
{
    auto* page = new QGroupBox(QStringLiteral("Setup Tarvelon"), this);
    page->setObjectName(QStringLiteral("Frame3"));
    PageBuilder b(page);
    auto* g = new QGridLayout(page);
    g->setHorizontalSpacing(12);
    g->setVerticalSpacing(10);

    auto frame = [page](const char* name, const char* title) {
        auto* f = new QGroupBox(QString::fromUtf8(title), page);
        f->setObjectName(QString::fromLatin1(name));
        return f;
    };

    // Zero/Gain
    QGroupBox* zeroGain = frame("frameZeroGain", " Zero/Gain ");
    {
        auto* v = new QVBoxLayout(zeroGain);
        QLabel* text = makeLabel(zeroGain, QStringLiteral("lblZeroGain"),
                                 QStringLiteral("To reset gain and zero parameters with the TARVELON default "
                                                "values press this button"));
        text->setWordWrap(true);
        text->setMinimumWidth(text->fontMetrics().horizontalAdvance(QStringLiteral("To reset gain and zero parameters")) + 10);
        v->addWidget(text);
        QPushButton* reset = makeButton(zeroGain, "Command13", "Reset &G/Z");
        giveRoom(reset, 7);
        v->addWidget(reset, 0, Qt::AlignLeft);
        v->addStretch(1);
    }

    // Parameters
    QGroupBox* parameters = frame("frameParameters", " Parameters ");
    {
        auto* pg = new QGridLayout(parameters);
        const QString caption = QStringLiteral("Delay for Automatic Cycle");
        pg->addWidget(makeLabel(parameters, QStringLiteral("lblText16rt"), caption), 0, 0, 1, 3);
        PageBuilder pb(parameters);
        pg->addWidget(pb.box("Text16rt", caption), 1, 0, Qt::AlignLeft);
        pg->addWidget(makeLabel(parameters, QStringLiteral("hintText16rt"), QStringLiteral("From 3 to 9")), 1, 1);
        QPushButton* write = makeButton(parameters, "Command6scrivi", "&Write");
        giveRoom(write, 6.5);
        pg->addWidget(write, 2, 0, 1, 2, Qt::AlignLeft);
        pg->setColumnStretch(2, 1);
        pg->setRowStretch(3, 1);
    }

    // Serial Port: one option group; the index of each button is its port number - 1.
    QGroupBox* serial = frame("frameSerialPort", " Serial Port ");
    {
        auto* sg = new QGridLayout(serial);
        for (int i = 0; i < 4; ++i) {
            auto* option = new QRadioButton(QStringLiteral("Com &%1").arg(i + 1), serial);
            option->setObjectName(QStringLiteral("ssOption1_%1").arg(i));
            option->setProperty("index", i);
            option->setAccessibleName(withoutMnemonic(option->text()));
            connect(option, &QRadioButton::clicked, this, [this, i] { choosePort(i + 1); });
            sg->addWidget(option, i / 2, i % 2);
            portOptions_.append(option);
        }
        sg->setRowStretch(2, 1);
    }

    // Date / Time: the clock boxes as DD MM YY and hh mm ss, each with its hint above it.
    QGroupBox* clock = frame("frameDateTime", " Date / Time  ");
    {
        auto* cg = new QGridLayout(clock);
        cg->setVerticalSpacing(2);
        struct Cell {
            const char* box;
            const char* hint;
        };
        static constexpr Cell kDate[] = {{"Text13a", "DD"}, {"Text1a", "MM"}, {"Text2a", "YY"}};
        static constexpr Cell kTime[] = {{"Text14a", "hh"}, {"Text3a", "mm"}, {"Text4a", "ss"}};
        PageBuilder cb(clock);
        auto addRow = [&](int r, const QString& labelName, const QString& caption, const Cell(&cells)[3]) {
            cg->addWidget(makeLabel(clock, labelName, caption), r + 1, 0);
            for (int c = 0; c < 3; ++c) {
                const QString hint = QString::fromLatin1(cells[c].hint);
                QLabel* h = makeLabel(clock, QStringLiteral("hint") + QLatin1String(cells[c].box), hint);
                cg->addWidget(h, r, c + 1, Qt::AlignHCenter | Qt::AlignBottom);
                cg->addWidget(cb.box(cells[c].box, caption.trimmed() + QLatin1Char(' ') + hint), r + 1, c + 1);
            }
        };
        addRow(0, QStringLiteral("lblClockDate"), QStringLiteral("Date  :"), kDate);
        // Air between the date boxes and the time hints, so "hh" does not read as a date's.
        cg->setRowMinimumHeight(2, lines(clock, 0.4));
        addRow(3, QStringLiteral("lblClockTime"), QStringLiteral("Time    :"), kTime);
        cg->setRowMinimumHeight(5, lines(clock, 0.6));
        auto* buttons = new QHBoxLayout;
        buttons->setSpacing(10);
        for (QPushButton* button : {makeButton(clock, "ssCommand3", " Rea&d Clock"),
                                    makeButton(clock, "ssCommand4", " Write &Clock")}) {
            giveRoom(button);
            buttons->addWidget(button);
        }
        buttons->addStretch(1);
        cg->addLayout(buttons, 6, 0, 1, 5);
        cg->setColumnStretch(4, 1);
        cg->setRowStretch(7, 1);
    }

    g->addWidget(zeroGain, 0, 0);
    g->addWidget(parameters, 0, 1);
    g->addWidget(serial, 1, 0);
    g->addWidget(clock, 1, 1);
    g->setColumnStretch(0, 1);
    g->setColumnStretch(1, 1);
    return page;
}

QWidget* Scaricodati::buildControlPanel()
{
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("ControlPanel"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto* v = new QVBoxLayout(panel);
    v->setSpacing(lines(panel, 0.4));
    struct Entry {
        const char* name;
        const char* caption;
        bool enabled;
    };
    static constexpr Entry kButtons[] = {
        {"Command7", " &Reset Block", true}, {"ssCommand8", " &Total Reset", true},
        {"Command6", "&Set Block", false},   {"sscommand6", "Set &All", false},
        {"Command3", " R&ead Block", false}, {"Command8", " Read All B&locks", true},
        {"Command11", "A&bout", true},       {"Command12", "&Help", true},
    };
    int width = 0;
    QList<QPushButton*> buttons;
    for (const Entry& e : kButtons) {
        QPushButton* button = makeButton(panel, e.name, e.caption, e.enabled);
        width = std::max(width, button->sizeHint().width());
        buttons.append(button);
        v->addWidget(button);
        if (buttons.size() == 2 || buttons.size() == 4 || buttons.size() == 6)
            v->addSpacing(lines(panel, 0.6));
    }
    for (QPushButton* button : buttons)
        button->setMinimumSize(std::max(width + lines(button, 1.4), lines(button, 10.5)), lines(button, 2.1));
    return panel;
}

// ---------------------------------------------------------------------------------------
// Behaviour

void Scaricodati::load()
{
    const QString headerPath = QDir::toNativeSeparators(programFolder_ + QStringLiteral("/intestazione"));
    // The core keeps paths in UTF-8 on every system.
    startUp(ctx_, headerPath.toUtf8().toStdString());
    // The box shows the path as text, whatever the file system's encoding.
    setText("Text15", toText(headerPath));
    portOptions_.at(0)->click();
}

void Scaricodati::showPage(int index)
{
    for (int i = 0; i < pages_.size(); ++i)
        pages_.at(i)->setVisible(i == index);
}

void Scaricodati::choosePort(int number)
{
    state_.portNumber = number;
}

void Scaricodati::runOperation(const Operation& op)
{
    if (busy_)
        return;
    busy_ = true;
    struct Idle {
        bool& busy;
        ~Idle() { busy = false; }
    } idle{busy_};
    try {
        op(ctx_);
    } catch (const ProgramClosing&) {
        // The window was closed during the operation: end the program now.
        QCoreApplication::quit();
    }
}

void Scaricodati::connectOperation(const char* buttonName, Operation op)
{
    auto* button = findChild<QAbstractButton*>(QString::fromLatin1(buttonName));
    Q_ASSERT_X(button, "Scaricodati::connectOperation", buttonName);
    if (!button)
        return;
    connect(button, &QAbstractButton::clicked, this, [this, op = std::move(op)] { runOperation(op); });
}

void Scaricodati::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (busy_) {
        // The running operation unwinds at its next yield and quits from there.
        loop_.requestClose();
        return;
    }
    QCoreApplication::quit();
}

const std::vector<std::pair<std::string_view, Scaricodati::Operation>>& Scaricodati::leaveChecks()
{
    static const std::vector<std::pair<std::string_view, Operation>> checks = {
        {"Text2", [](Context& c) { checkBlockNumber(c, "Text2"); }},
        {"numblocco", [](Context& c) { checkBlockNumber(c, "numblocco"); }},
        {"Text3", [](Context& c) { leaveTextField(c, "Text3"); }},
        {"Text4", [](Context& c) { leaveTextField(c, "Text4"); }},
        {"Text5", [](Context& c) { leaveTextField(c, "Text5"); }},
        {"Text6", leaveDepthMetres},
        {"Text13", leaveDepthTenths},
        {"Text10", leaveReadoutNumber},
    };
    return checks;
}

void Scaricodati::wireOperations()
{
    // Control panel.
    connectOperation("Command7", resetBlock);
    connectOperation("ssCommand8", totalReset);
    connectOperation("Command6", setBlock);
    connectOperation("sscommand6", setAll);
    connectOperation("Command3", readBlock);
    connectOperation("Command8", readAllBlocks);
    connect(qobject_cast<QAbstractButton*>(control("Command11")), &QAbstractButton::clicked, this, &Scaricodati::showAbout);
    connect(qobject_cast<QAbstractButton*>(control("Command12")), &QAbstractButton::clicked, this, &Scaricodati::showHelp);
    // Header Data page.
    connectOperation("sscommand9", previousHeader);
    connectOperation("sscommand10", nextHeader);
    connectOperation("sscommand11", copyData);
    connect(this, &Scaricodati::tenthsDoubleClicked, this, [this] { runOperation(toggleDepthTenths); });
    // Download Data page.
    connectOperation("Command2", previousDownloadBlock);
    connectOperation("Command1", nextDownloadBlock);
    connectOperation("command3d1", download);
    connectOperation("Command10", [this](Context&) { showFolderChooser(); });
    // Setup page.
    connectOperation("Command13", settings::resetZeroGain);
    connectOperation("Command6scrivi", settings::writeDelay);
    connectOperation("ssCommand3", settings::readClock);
    connectOperation("ssCommand4", settings::writeClock);
    // The delay box is cleaned up on every change, also while an operation runs.
    connect(field("Text16rt"), &QLineEdit::textChanged, this, [this] { settings::filterDelay(*this); });
}

void Scaricodati::showAbout()
{
    auto* box = new AboutBox(ctx_.desktop, this);
    box->show();
}

void Scaricodati::showHelp()
{
    // The result is not checked: a desktop without a handler simply shows nothing.
    ctx_.desktop.open(std::string(maker::kWebSite) + "/manuals/" + maker::kManualFile);
}

void Scaricodati::showFolderChooser()
{
    auto* chooser = new FolderChooser(
        ctx_.messages,
        [this](const QString& folder) {
            state_.downloadFolder = folder.toUtf8().toStdString();
            setEnabled("command3d1", true);
        },
        folderOptions_ ? *folderOptions_ : FolderChooserOptions::forThisMachine(), this);
    chooser->show();
}

bool Scaricodati::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick && watched == fields_.value(QStringLiteral("Text13")))
        emit tenthsDoubleClicked();
    if (event->type() == QEvent::FocusOut) {
        // Leaving the field for another of this window, not for another window or a menu.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            for (const auto& [name, check] : leaveChecks())
                if (watched == fields_.value(qs(name)))
                    runOperation(check);
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------
// Form

QLineEdit* Scaricodati::field(std::string_view name) const
{
    return fields_.value(qs(name));
}

QWidget* Scaricodati::control(std::string_view name) const
{
    const QString key = qs(name);
    auto it = controls_.constFind(key);
    if (it != controls_.constEnd())
        return it.value();
    QWidget* w = findChild<QWidget*>(key);
    if (w)
        controls_.insert(key, w);
    return w;
}

std::string Scaricodati::text(std::string_view name) const
{
    const QLineEdit* box = field(name);
    if (!box) {
        qWarning("Scaricodati: no text box %.*s", int(name.size()), name.data());
        return {};
    }
    return toText(box->text());
}

void Scaricodati::setText(std::string_view name, std::string_view value)
{
    QLineEdit* box = field(name);
    if (!box) {
        qWarning("Scaricodati: no text box %.*s", int(name.size()), name.data());
        return;
    }
    // QLineEdit cuts the text to its maximum length.
    box->setText(fromText(std::string(value)));
}

void Scaricodati::setEnabled(std::string_view name, bool enabled)
{
    if (QWidget* w = control(name))
        w->setEnabled(enabled);
    else
        qWarning("Scaricodati: no control %.*s", int(name.size()), name.data());
}

bool Scaricodati::isEnabled(std::string_view name) const
{
    const QWidget* w = control(name);
    return w && w->isEnabled();
}

void Scaricodati::showWaitIndicator(bool shown)
{
    waitShape_->setVisible(shown);
    waitLabel_->setVisible(shown);
}

bool Scaricodati::waitIndicatorShown() const
{
    return !waitLabel_->isHidden();
}

} // namespace tarvelon
