#include "shell/blocks_list_window.h"
#include "shell/texts.h"

#include "link/block.h"
#include "platform/qt/qt_text.h"
#include "shell/controls.h"
#include "shell/help_texts.h"
#include "shell/main_window.h"
#include "shell/progress_panel.h"
#include "shell/window_placement.h"
#include "shell/surveys/survey_library.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <memory>

namespace tarvelon {
namespace {

enum Column { kBlock, kClient, kSite, kTube, kDepth, kReadout, kDate, kTime, kKept, kResult, kColumns };

// Header bytes of an erased block are control characters: shown blank, not as boxes, and so
// is a field left with nothing but its separators ("  .", "  /  /  ").
QString readable(QString text)
{
    bool anything = false;
    for (QChar& ch : text) {
        if (!ch.isPrint())
            ch = QLatin1Char(' ');
        anything = anything || ch.isLetterOrNumber();
    }
    return anything ? text : QString();
}

// "DDMMYY" as "DD/MM/YY", "hhmmss" as "hh:mm:ss", as the export file writes them.
QString withSeparators(const std::string& text, QChar separator)
{
    const QString t = readable(fromText(text));
    return t.size() == 6 ? t.left(2) + separator + t.mid(2, 2) + separator + t.mid(4, 2) : t;
}

// What became of a block: the rows first, then why it failed, then the files by name (their
// full paths in the tooltip); paths are shown with their folder as it is named, also outside
// the code page.
QTableWidgetItem* resultItem(const MainWindow& main, const BlockResult& r, const std::string& libraryError)
{
    QStringList parts, paths;
    if (r.status == BlockResult::Downloaded || r.rowsRead > 0)
        parts << Texts::tr("%1 rows, %2 skipped").arg(r.rowsRead).arg(r.unreadDepths.size());
    for (const std::string& problem : r.problems)
        parts << main.shownText(problem).remove(Texts::tr("Attention: "));
    if (!libraryError.empty())
        parts << Texts::tr(kLibraryCannotBeWritten.data()).remove(
                     Texts::tr("Attention: ")) + fromText(libraryError);
    for (const std::string& file : r.filesWritten) {
        paths << main.shownText(file);
        parts << QFileInfo(paths.back()).fileName();
    }
    auto* item = new QTableWidgetItem(parts.join(QStringLiteral("; ")));
    // The column wraps; the tooltip holds the whole text and the files' full paths.
    item->setToolTip((QStringList{item->text()} + paths).join(QLatin1Char('\n')));
    return item;
}

} // namespace

BlocksListWindow::BlocksListWindow(MainWindow& main, SurveysLauncher& surveys)
    : QWidget(&main, Qt::Window), main_(main), surveys_(surveys)
{
    setObjectName(QStringLiteral("frmDownloadBlocks"));
    setWindowTitle(Texts::tr("Download Blocks"));

    table_ = new QTableWidget(kBlockCount, kColumns, this);
    table_->setObjectName(QStringLiteral("tblBlocks"));
    table_->setAccessibleName(Texts::tr("Blocks"));
    table_->setHorizontalHeaderLabels({Texts::tr("Block"), Texts::tr("Client"), Texts::tr("Site"),
                                       Texts::tr("Tube"), Texts::tr("Depth"), Texts::tr("Readout no"),
                                       Texts::tr("Date"), Texts::tr("Time"), Texts::tr("In library"),
                                       Texts::tr("Result")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setWordWrap(true);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Shift with a click or Space checks or unchecks every row from the last one changed.
    table_->viewport()->installEventFilter(this);
    table_->installEventFilter(this);
    connect(table_, &QTableWidget::itemChanged, this, &BlocksListWindow::checkRange);

    auto* all = makeButton(this, "cmdSelectAll", QT_TRANSLATE_NOOP("Texts", "Select &All"));
    auto* none = makeButton(this, "cmdSelectNone", QT_TRANSLATE_NOOP("Texts", "Select &None"));
    download_ = makeButton(this, "cmdDownload", QT_TRANSLATE_NOOP("Texts", "&Download"));
    close_ = makeButton(this, "cmdClose", QT_TRANSLATE_NOOP("Texts", "&Close"));
    for (QPushButton* b : {all, none, download_, close_})
        giveRoom(b, 6.5);
    connect(all, &QPushButton::clicked, this, [this] { checkAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { checkAll(false); });
    connect(download_, &QPushButton::clicked, this,
            [this] { main_.runOperation([this](Context& c) { downloadChecked(c); }); });
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    progress_ = new ProgressPanel(this);
    connect(progress_, &ProgressPanel::stopPressed, &main_, &MainWindow::requestStop);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(all);
    buttons->addWidget(none);
    buttons->addStretch(1);
    buttons->addWidget(download_);
    buttons->addWidget(close_);
    // The progress on a row of its own, so the window stays narrow enough for a small screen.
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(progress_);
    layout->addLayout(buttons);
    placeWindow(this, main_.remembered(), QSize(lines(this, 70), lines(this, 28)));
    applyHelpTexts(*this);
    useWindowKeys(this);
    showBlocks();
}

BlocksListWindow& BlocksListWindow::of(MainWindow& main, SurveysLauncher& surveys)
{
    if (auto* w = main.findChild<BlocksListWindow*>())
        return *w;
    return *new BlocksListWindow(main, surveys);
}

void BlocksListWindow::list(Context& c)
{
    show();
    raise();
    activateWindow();
    setRunning(true);
    blocks_.clear();
    showBlocks();
    blocks_ = listBlocks(c);
    // Which blocks the survey library already keeps, asked once the unit is let go.
    kept_.assign(blocks_.size(), std::nullopt);
    if (main_.state().keptInLibrary)
        for (size_t i = 0; i < blocks_.size(); ++i)
            if (const ListedBlock& b = blocks_[i]; b.read && b.readingRows > 0)
                kept_[i] = main_.state().keptInLibrary({b.client, b.site, b.tube, b.readout, b.date, b.time, true});
    showBlocks();
    setRunning(false);
}

void BlocksListWindow::downloadChecked(Context& c)
{
    std::vector<PlannedBlock> plan;
    for (const int block : checkedBlocks())
        plan.push_back({block, blocks_[static_cast<size_t>(block - 1)].readingRows});
    if (plan.empty())
        return;
    setRunning(true);
    // Its messages (a stop, a failure) stand over this window, which stays in front.
    main_.boxesOver(this);
    const std::unique_ptr<void, std::function<void(void*)>> restore(this, [this](void*) {
        main_.boxesOver(nullptr);
        raise();
        activateWindow();
    });
    for (const PlannedBlock& p : plan)
        table_->setItem(p.block - 1, kResult, new QTableWidgetItem(Texts::tr("waiting")));
    // Each block goes to the survey library as soon as it ends, marked incomplete when rows were not read.
    const auto done = [this](const BlockResult& r) {
        const LibraryFeed fed = surveys_.keep(r.downloaded);
        showResult(r, fed.error);
    };
    int downloaded = 0;
    for (const BlockResult& r : downloadBlocks(c, plan, done)) {
        if (r.status == BlockResult::NotDownloaded)
            showResult(r, {});
        downloaded += r.status == BlockResult::Downloaded;
    }
    // A block the run never reached (a stop, a unit gone) says so, not "waiting".
    for (const PlannedBlock& p : plan)
        if (QTableWidgetItem* item = table_->item(p.block - 1, kResult); item && item->text() == Texts::tr("waiting"))
            item->setText(Texts::tr("not downloaded", nullptr, 1));
    fitResultColumn();
    if (downloaded > 0)
        main_.showResult(Texts::tr("%1 of %2 blocks downloaded into %3, kept in the survey library")
                             .arg(downloaded)
                             .arg(plan.size())
                             .arg(QDir::toNativeSeparators(QString::fromUtf8(c.state.downloadFolder))));
    setRunning(false);
}

std::vector<int> BlocksListWindow::checkedBlocks() const
{
    std::vector<int> out;
    for (int row = 0; row < table_->rowCount(); ++row)
        if (const QTableWidgetItem* item = table_->item(row, kBlock);
            item && (item->flags() & Qt::ItemIsEnabled) && item->checkState() == Qt::Checked)
            out.push_back(row + 1);
    return out;
}

void BlocksListWindow::showBlocks()
{
    const QSignalBlocker quiet(table_);
    for (int row = 0; row < kBlockCount; ++row) {
        const ListedBlock* b = row < static_cast<int>(blocks_.size()) ? &blocks_[static_cast<size_t>(row)] : nullptr;
        const bool known = b && b->read;
        const QString texts[kColumns] = {
            QStringLiteral("%1").arg(row + 1, 2, 10, QLatin1Char('0')),
            known ? readable(fromText(b->client)) : QString(),
            known ? readable(fromText(b->site)) : QString(),
            known ? readable(fromText(b->tube)) : QString(),
            known ? readable(fromText(b->depth)) : QString(),
            known ? readable(fromText(b->readout)) : QString(),
            known ? withSeparators(b->date, QLatin1Char('/')) : QString(),
            known ? withSeparators(b->time, QLatin1Char(':')) : QString(),
            keptText(row),
            !b ? Texts::tr("reading the header") : !known ? Texts::tr("header not read") : QString(),
        };
        // A block with no readings, or not read, cannot be downloaded: greyed, unchecked; one
        // the library already keeps starts unchecked.
        const bool measured = known && b->readingRows > 0;
        const bool kept = row < int(kept_.size()) && kept_[size_t(row)] == LibraryKeeps::Whole;
        for (int col = 0; col < kColumns; ++col) {
            auto* item = new QTableWidgetItem(texts[col]);
            item->setFlags(measured ? Qt::ItemIsEnabled : Qt::NoItemFlags);
            if (col == kBlock) {
                item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                item->setCheckState(measured && !kept ? Qt::Checked : Qt::Unchecked);
            }
            table_->setItem(row, col, item);
        }
    }
    table_->resizeColumnsToContents();
    fitResultColumn();
}

void BlocksListWindow::fitResultColumn()
{
    // The result takes whatever width the others leave and wraps in it, so the table never
    // scrolls sideways; its rows grow to the lines it needs.
    int others = 0;
    for (int col = 0; col < kResult; ++col)
        others += table_->columnWidth(col);
    table_->setColumnWidth(kResult, std::max(lines(this, 10), table_->viewport()->width() - others));
    table_->resizeRowsToContents();
}

bool BlocksListWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        modifiers_ = static_cast<QMouseEvent*>(event)->modifiers();
        break;
    case QEvent::KeyPress:
        modifiers_ = static_cast<QKeyEvent*>(event)->modifiers();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void BlocksListWindow::checkRange(QTableWidgetItem* item)
{
    if (item->column() != kBlock || rangeChecking_)
        return;
    const int row = item->row();
    if ((modifiers_ & Qt::ShiftModifier) && anchorRow_ >= 0 && anchorRow_ != row) {
        rangeChecking_ = true;
        for (int r = std::min(anchorRow_, row); r <= std::max(anchorRow_, row); ++r)
            if (QTableWidgetItem* box = table_->item(r, kBlock); box && (box->flags() & Qt::ItemIsEnabled))
                box->setCheckState(item->checkState());
        rangeChecking_ = false;
    }
    anchorRow_ = row;
}

void BlocksListWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitResultColumn();
}

QString BlocksListWindow::keptText(int row) const
{
    if (row >= int(kept_.size()) || !kept_[size_t(row)])
        return {};
    switch (*kept_[size_t(row)]) {
    case LibraryKeeps::Whole:
        return Texts::tr("yes");
    case LibraryKeeps::Part:
        return Texts::tr("incomplete");
    case LibraryKeeps::Nothing:
        break;
    }
    return Texts::tr("no");
}

void BlocksListWindow::showResult(const BlockResult& r, const std::string& libraryError)
{
    table_->setItem(r.block - 1, kResult, resultItem(main_, r, libraryError));
    fitResultColumn();
    const QSignalBlocker quiet(table_);
    if (QTableWidgetItem* box = table_->item(r.block - 1, kBlock); box && r.status == BlockResult::Downloaded)
        box->setCheckState(Qt::Unchecked);
    // A block whose reading ended early is kept incomplete, unless the library keeps it whole.
    QTableWidgetItem* kept = table_->item(r.block - 1, kKept);
    if (!kept || r.downloaded.records.empty() || !libraryError.empty())
        return;
    if (r.status == BlockResult::Downloaded)
        kept->setText(Texts::tr("yes"));
    else if (kept->text() != Texts::tr("yes"))
        kept->setText(Texts::tr("incomplete"));
}

void BlocksListWindow::checkAll(bool checked)
{
    for (int row = 0; row < table_->rowCount(); ++row)
        if (QTableWidgetItem* item = table_->item(row, kBlock); item && (item->flags() & Qt::ItemIsEnabled))
            item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void BlocksListWindow::setRunning(bool running)
{
    running_ = running;
    download_->setEnabled(!running);
    // The unit's progress and Stop here, where the operator is looking.
    main_.showProgressIn(running ? progress_ : nullptr);
    if (!running)
        progress_->hideProgress();
}

void BlocksListWindow::closeEvent(QCloseEvent* event)
{
    // The run ends at its next row or block and says what it did; the table stays for the
    // next opening.
    if (running_)
        main_.requestStop();
    event->accept();
}

} // namespace tarvelon
