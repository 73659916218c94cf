#include "shell/main_window.h"
#include "shell/texts.h"

#include "link/fields.h"
#include "link/startup.h"
#include "platform/qt/qt_text.h"
#include "settings/clock.h"
#include "settings/delay.h"
#include "shell/about_box.h"
#include "shell/controls.h"
#include "shell/language.h"
#include "shell/control_panel.h"
#include "shell/download_page.h"
#include "shell/header_page.h"
#include "shell/help_texts.h"
#include "shell/maker.h"
#include "shell/idle_messages.h"
#include "shell/operation_table.h"
#include "shell/progress_panel.h"
#include "shell/setup_page.h"
#include "shell/wait_indicator.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QShortcut>
#include <QTabBar>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace tarvelon {
namespace {

// The box a message of an operation is about.
std::string_view fieldOfMessage(const std::string& message)
{
    if (message == translate("Texts", settings::kInvalidClock.data()))
        return "Text13a";
    if (message == translate("Texts", settings::kDelayIncorrect.data()))
        return "Text16rt";
    return {};
}

} // namespace

MainWindow::MainWindow(Options opts, QWidget* parent)
    : QWidget(parent),
      programFolder_(opts.programFolder.isEmpty() ? defaultProgramFolder() : opts.programFolder),
      guideFolders_(opts.guideFolders.isEmpty() ? guideFolders() : opts.guideFolders),
      folderOptions_(opts.folders),
      otherPort_(opts.otherPort),
      remembered_(opts.settingsFile),
      port_([this, numbered = opts.portName](int n) {
          if (n == kOtherPort)
              return setupPage_->otherPortName();
          return numbered ? numbered(n) : defaultPortName(n);
      }),
      timer_([this] { state_.onTick(); }),
      messages_(this, [this](const std::string& text) { return shownText(text); }),
      unlit_(opts.messages ? *opts.messages : static_cast<Messages&>(messages_), [this] { return waitIndicator_; }),
      noted_(unlit_,
             [this](const std::string& text) {
                 ++messagesShown_;
                 lastMessage_ = text;
                 if (statusLine_) {
                     showResult(shownText(text).remove(Texts::tr("Attention: ")));
                     resultFromBox_ = true;
                 }
             }),
      ctx_{state_,
           *this,
           tracedPort_,
           loop_,
           timer_,
           noted_,
           opts.desktop ? *opts.desktop : static_cast<Desktop&>(desktop_)}
{
    setObjectName(QStringLiteral("Scaricodati"));
    setWindowTitle(QString::fromLatin1(kProgramTitle));
    chooserMessages_ = std::make_unique<IdleMessages>(
        ctx_.messages, [this](std::function<void()> task) { whenIdle(std::move(task)); }, [this] { return busy_; });
    // An operation that never lets events through (a check, "+", "Copy Data") leaves the
    // pages as they are; one that waits for the unit freezes them before its first wait.
    loop_.beforeYield = [this] {
        if (busy_ && !freeze_.isFrozen())
            freeze_.freeze(pages_ + QList<QWidget*>{controlPanel_}, field("Text13"));
    };
    rememberFolder(QDir::toNativeSeparators(programFolder_));
    buildUi();
    setupPage_->portChooser()->setSource(opts.ports);
    setupPage_->portChooser()->setRecentNames(remembered_.portNames());
    // A name under "Other:" is offered again once a port has opened under it.
    connect(&port_, &QtSerialPort::opened, this, [this](const QString& name) {
        if (state_.portNumber == kOtherPort) {
            remembered_.usePortName(name);
            setupPage_->portChooser()->setRecentNames(remembered_.portNames());
        }
    });
    setupPage_->showLanguage(remembered_.language());
    connect(setupPage_, &SetupPage::languageChosen, this, [this](const QString& language) {
        remembered_.useLanguage(language);
        showResult(Texts::tr("The language is used from the next start of the program"));
    });
    wireOperations(*this);
    wireLineRecording(opts.traceFile);
    if (opts.runStartUp)
        load();
}

MainWindow::~MainWindow()
{
    // The other windows keep their sizes as they close, while what keeps them is still here.
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (w->isWindow())
            delete w;
}

// ---------------------------------------------------------------------------------------
// Layout

void MainWindow::buildUi()
{
    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setContentsMargins(12, 10, 12, 10);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(6);

    tabs_ = new QTabBar(this);
    tabs_->setObjectName(QStringLiteral("TabStrip1"));
    tabs_->addTab(Texts::tr("Header Data"));
    tabs_->addTab(Texts::tr("Download Data"));
    tabs_->addTab(Texts::tr("Setup Tarvelon"));
    tabs_->setExpanding(false);
    tabs_->setAccessibleName(Texts::tr("Pages"));
    grid->addWidget(tabs_, 0, 0, Qt::AlignLeft | Qt::AlignBottom);

    headerPage_ = new HeaderPage(this);
    downloadPage_ = new DownloadPage(this);
    setupPage_ = new SetupPage(this);
    pages_ = {headerPage_, downloadPage_, setupPage_};
    // The pages share one place; each is as large as the largest so a tab change never
    // moves the rest of the window.
    QSize pageSize;
    for (QWidget* page : std::as_const(pages_))
        pageSize = pageSize.expandedTo(page->sizeHint());
    for (QWidget* page : std::as_const(pages_)) {
        page->setMinimumSize(pageSize);
        grid->addWidget(page, 1, 0);
    }
    connect(headerPage_, &HeaderPage::tenthsDoubleClicked, this, &MainWindow::tenthsDoubleClicked);
    // The port of a running operation stays the one it started with.
    connect(setupPage_, &SetupPage::portChosen, this, [this](int number) {
        whenIdle([this, number] {
            state_.portNumber = number;
            showPort();
            // A message about the port left behind says nothing of this one.
            if (resultFromBox_)
                showResult({});
        });
    });

    QLabel* panelTitle = makeLabel(this, QStringLiteral("lblControlPanel"), Texts::tr("Control Panel"));
    QFont bold = panelTitle->font();
    bold.setBold(true);
    panelTitle->setFont(bold);
    grid->addWidget(panelTitle, 0, 1, Qt::AlignHCenter | Qt::AlignBottom);
    controlPanel_ = new ControlPanel(this);
    grid->addWidget(controlPanel_, 1, 1, Qt::AlignTop);

    waitIndicator_ = new WaitIndicator(this);
    progressPanel_ = new ProgressPanel(this);
    connect(progressPanel_, &ProgressPanel::stopPressed, this, &MainWindow::requestStop);
    auto* waitRow = new QHBoxLayout;
    waitRow->setSpacing(14);
    waitRow->addWidget(waitIndicator_);
    waitRow->addWidget(progressPanel_);
    grid->addLayout(waitRow, 2, 0, 1, 2, Qt::AlignCenter);
    statusLine_ = new StatusLine(this);
    grid->addWidget(statusLine_, 3, 0, 1, 2);
    connect(statusLine_, &StatusLine::fileActivated, this, [this](const QString& file) {
        ctx_.desktop.open(QUrl::fromLocalFile(file).toEncoded().toStdString());
    });

    showPage(0);
    connect(tabs_, &QTabBar::currentChanged, this, &MainWindow::showPage);

    // Every text box of the window, by name, for the operations.
    for (const FieldSpec& f : kFields) {
        auto* box = findChild<QLineEdit*>(toQString(f.name));
        Q_ASSERT_X(box, "MainWindow", "a text box of kFields was not built");
        if (box)
            fields_.insert(toQString(f.name), box);
    }

    chainTabOrder();
    applyHelpTexts(*this);
    useWindowKeys(this, false);
    // The pages change from anywhere in the window, as in a tabbed box.
    const auto stepPage = [this](int delta) {
        tabs_->setCurrentIndex((tabs_->currentIndex() + delta + tabs_->count()) % tabs_->count());
    };
    for (const auto& [keys, delta] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                                      std::pair{QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                                      std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
                                      std::pair{QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [stepPage, d = delta] { stepPage(d); });
}

void MainWindow::chainTabOrder()
{
    // Read-only boxes show what the unit or the program put there: a click still selects
    // their text, but Tab passes them by.
    for (QLineEdit* box : std::as_const(fields_))
        if (box->isReadOnly())
            box->setFocusPolicy(Qt::ClickFocus);
    // The tenths are changed by Space as well as by a double-click, so Tab stops there.
    field("Text13")->setFocusPolicy(Qt::StrongFocus);

    // Tab walks the shown page top to bottom and left to right, then the control panel, then
    // back to the tab strip; Tab skips the controls of hidden pages and hidden fields.
    const QList<QWidget*> order = headerPage_->tabOrder() + downloadPage_->tabOrder() + setupPage_->tabOrder() +
                                  controlPanel_->tabOrder();
    QWidget* previous = tabs_;
    for (QWidget* next : order) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

// ---------------------------------------------------------------------------------------
// Behaviour

void MainWindow::load()
{
    const QString headerPath = QDir::toNativeSeparators(programFolder_ + QLatin1Char('/') + kHeaderFileName);
    // The core keeps paths in UTF-8 on every system.
    startUp(ctx_, headerPath.toUtf8().toStdString());
    setupPage_->choosePort(1);
    if (otherPort_)
        setupPage_->chooseOtherPort(*otherPort_);
    showPort();
}

void MainWindow::showPort()
{
    statusLine_->setPort(state_.portNumber == kOtherPort ? setupPage_->otherPortName()
                                                         : QStringLiteral("Com %1").arg(state_.portNumber));
}

void MainWindow::showPage(int index)
{
    for (int i = 0; i < pages_.size(); ++i)
        pages_.at(i)->setVisible(i == index);
}

void MainWindow::runOperation(const Operation& op)
{
    if (busy_)
        return;
    checkEditedBox();
    {
        busy_ = true;
        struct Idle {
            MainWindow& w;
            ~Idle()
            {
                w.freeze_.thaw();
                w.progressPanel_->hideProgress();
                if (w.progressTarget_)
                    w.progressTarget_->hideProgress();
                w.progressTarget_ = nullptr;
                w.busy_ = false;
            }
        } idle{*this};
        stopRequested_ = false;
        const int shown = messagesShown_;
        try {
            op(ctx_);
        } catch (const ProgramClosing&) {
            // The window was closed during the operation: end the program now.
            QCoreApplication::quit();
            return;
        }
        // A box about what was typed sends the operator back to where it was typed.
        if (messagesShown_ != shown)
            if (QLineEdit* box = field(fieldOfMessage(lastMessage_)))
                box->setFocus(Qt::OtherFocusReason);
    }
    // What the operator did in other windows meanwhile, in the order it was done.
    while (!busy_ && !postponed_.empty()) {
        const std::function<void()> task = std::move(postponed_.front());
        postponed_.erase(postponed_.begin());
        task();
    }
}

void MainWindow::whenIdle(std::function<void()> task)
{
    if (busy_)
        postponed_.push_back(std::move(task));
    else
        task();
}

void MainWindow::checkEditedBox()
{
    // Typed into and not yet left: its check runs before the operation takes the boxes.
    auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!box || !box->isModified() || !leaveChecks_.contains(box))
        return;
    box->setModified(false);
    runOperation(leaveChecks_.value(box));
}

void MainWindow::connectOperation(const char* buttonName, Operation op)
{
    auto* button = findChild<QAbstractButton*>(QString::fromLatin1(buttonName));
    Q_ASSERT_X(button, "MainWindow::connectOperation", buttonName);
    if (!button)
        return;
    connect(button, &QAbstractButton::clicked, this, [this, op = std::move(op)] { runOperation(op); });
}

void MainWindow::connectLeaveCheck(const char* fieldName, Operation op)
{
    QLineEdit* box = field(fieldName);
    Q_ASSERT_X(box, "MainWindow::connectLeaveCheck", fieldName);
    if (!box)
        return;
    leaveChecks_.insert(box, std::move(op));
    box->installEventFilter(this);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (busy_) {
        // The running operation unwinds at its next yield and quits from there.
        loop_.requestClose();
        return;
    }
    QCoreApplication::quit();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        // Leaving the field for another of this window, not for another window or a menu.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            if (auto check = leaveChecks_.constFind(watched); check != leaveChecks_.constEnd()) {
                auto* box = static_cast<QLineEdit*>(watched);
                if (!busy_) {
                    box->setModified(false);
                    const int shown = messagesShown_;
                    runOperation(check.value());
                    // Back to the box its box was about, once the focus has finished moving.
                    if (messagesShown_ != shown)
                        QTimer::singleShot(0, box, [box] { box->setFocus(Qt::OtherFocusReason); });
                } else if (box->isModified()) {
                    // Typed before the operation began: checked when it ends.
                    whenIdle([this, box, op = check.value()] {
                        box->setModified(false);
                        runOperation(op);
                    });
                }
            }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::showAbout()
{
    // One about box, brought forward when asked for again.
    if (!aboutBox_ || !aboutBox_->isVisible())
        aboutBox_ = new AboutBox(ctx_.desktop, this);
    bringForward(aboutBox_);
}

void MainWindow::showHelp()
{
    // The guide installed with the program in the program's language, else in the other one,
    // in the desktop's PDF viewer; only without either the maker's web site. A desktop with no
    // handler for either says so in a box.
    const QString language = usedLanguage();
    for (const QString& lang : {language, language == QLatin1String("it") ? QStringLiteral("en") : QStringLiteral("it")})
        for (const QString& folder : std::as_const(guideFolders_)) {
            const QString guide = QDir(folder).filePath(QString::fromLatin1(maker::manualFile(lang.toStdString())));
            if (QFileInfo(guide).isFile()) {
                // Encoded, the address is plain ASCII whatever the folder's name.
                if (!ctx_.desktop.open(QUrl::fromLocalFile(guide).toEncoded().toStdString()))
                    ctx_.messages.show(toText(guideNotOpened(guide)), Icon::Error);
                return;
            }
        }
    const std::string site = std::string(maker::kWebSite) + "/manuals/" + maker::manualFile(language.toStdString());
    if (!ctx_.desktop.open(site))
        ctx_.messages.show(toText(siteNotOpened(fromText(site))), Icon::Error);
}

void MainWindow::showFolderChooser()
{
    if (folderChooser_ && folderChooser_->isVisible())
        return bringForward(folderChooser_);
    FolderChooserOptions options = folderOptions_ ? *folderOptions_ : FolderChooserOptions::forThisMachine();
    options.lastFolder = remembered_.folder();
    auto* chooser = new FolderChooser(
        *chooserMessages_,
        [this](const QString& folder) {
            // A download that runs keeps the folder it started with.
            whenIdle([this, folder] {
                rememberFolder(folder);
                remembered_.useFolder(folder);
                state_.downloadFolder = folder.toUtf8().toStdString();
                statusLine_->setFolder(QDir::toNativeSeparators(folder));
                setEnabled("command3d1", true);
                setEnabled("cmdDownloadBlocks", true);
            });
        },
        options, this);
    folderChooser_ = chooser;
    bringForward(chooser);
}

} // namespace tarvelon
