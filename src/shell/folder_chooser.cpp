#include "shell/folder_chooser.h"
#include "shell/texts.h"

#include "platform/messages.h"
#include "platform/qt/qt_text.h"
#include "shell/controls.h"
#include "shell/help_texts.h"
#include "shell/window_placement.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

namespace tarvelon {

namespace {

bool isInside(const QString& folder, const QString& drive)
{
    const QString f = QDir::cleanPath(QDir::fromNativeSeparators(folder));
    QString d = QDir::cleanPath(QDir::fromNativeSeparators(drive));
    if (!d.endsWith(QLatin1Char('/')))
        d += QLatin1Char('/');
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity kCase = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity kCase = Qt::CaseSensitive;
#endif
    return (f + QLatin1Char('/')).startsWith(d, kCase);
}

} // namespace

FolderChooserOptions FolderChooserOptions::forThisMachine()
{
    FolderChooserOptions o;
#ifdef Q_OS_WIN
    o.defaultDrive = "C:/";
    o.defaultFolder = "c:\\dati";
    o.fallbackFolder = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath("dati");
#else
    o.defaultDrive = QStorageInfo(QDir::homePath()).rootPath();
    o.defaultFolder = QDir::home().filePath("dati");
#endif
    o.drives = [] {
        QStringList roots;
        for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
            if (!roots.contains(v.rootPath()))
                roots << v.rootPath();
        roots.sort();
        return roots;
    };
    o.driveReady = [](const QString& drive) {
        const QStorageInfo info(drive);
        return info.isValid() && info.isReady() && QDir(drive).isReadable();
    };
    return o;
}

FolderChooser::FolderChooser(Messages& messages, std::function<void(const QString&)> onOk,
                             FolderChooserOptions options, QWidget* parent)
    : QWidget(parent, Qt::Window), messages_(messages), onOk_(std::move(onOk)), options_(std::move(options))
{
    setObjectName("Form6");
    setWindowTitle(Texts::tr("Folder"));
    setAttribute(Qt::WA_DeleteOnClose);
    useWindowKeys(this);

    // 1. The default folder exists once the chooser has opened (it may exist already).
    if (!QDir().mkpath(options_.defaultFolder) && !options_.fallbackFolder.isEmpty() &&
        QDir().mkpath(options_.fallbackFolder)) {
        messages_.show(toText(Texts::tr("The folder %1 cannot be created: downloads go to %2")
                                  .arg(QDir::toNativeSeparators(options_.defaultFolder),
                                       QDir::toNativeSeparators(options_.fallbackFolder))),
                       Icon::None);
        options_.defaultFolder = options_.fallbackFolder;
        options_.defaultDrive = QStorageInfo(options_.fallbackFolder).rootPath();
    }

    drive1_ = new QComboBox;
    drive1_->setObjectName("Drive1");
    drive1_->setAccessibleName(Texts::tr("Drive"));
    // Each drive shows as the system writes it (C:\ on Windows); the item keeps the path Qt takes.
    const auto addDrive = [this](const QString& drive) { drive1_->addItem(QDir::toNativeSeparators(drive), drive); };
    for (const QString& drive : options_.drives ? options_.drives() : QStringList{})
        addDrive(drive);
    if (drive1_->findData(options_.defaultDrive) < 0)
        addDrive(options_.defaultDrive);

    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Drives);
    dir1_ = new QTreeView;
    dir1_->setObjectName("Dir1");
    dir1_->setAccessibleName(Texts::tr("Folder"));
    dir1_->setModel(model_);
    dir1_->setHeaderHidden(true);
    for (int column = 1; column < model_->columnCount(); ++column)
        dir1_->hideColumn(column);
    connect(dir1_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    showFolder(model_->filePath(current));
            });

    ok_ = new QPushButton(Texts::tr("&Ok"));
    ok_->setObjectName("command3d1");
    ok_->setAccessibleName(Texts::tr("Ok"));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &FolderChooser::accept);
    // Cancel, as Esc and closing, changes nothing.
    cancel_ = new QPushButton(Texts::tr("&Cancel"));
    cancel_->setObjectName("cmdCancel");
    cancel_->setAccessibleName(Texts::tr("Cancel"));
    connect(cancel_, &QPushButton::clicked, this, &QWidget::close);
    auto* newFolder = new QPushButton(Texts::tr("&New Folder\u2026"));
    newFolder->setObjectName("cmdNewFolder");
    newFolder->setAccessibleName(Texts::tr("New Folder\u2026"));
    connect(newFolder, &QPushButton::clicked, this, [this] { askNewFolder(); });

    auto* layout = new QVBoxLayout(this);
    auto* driveRow = new QHBoxLayout;
    driveRow->addWidget(new QLabel(Texts::tr("Drive :")));
    driveRow->addWidget(drive1_, 1);
    layout->addLayout(driveRow);
    layout->addWidget(dir1_, 1);
    // The whole path of the chosen folder, where the downloads will go.
    path_ = new QLineEdit;
    path_->setObjectName("Dir1Path");
    path_->setReadOnly(true);
    path_->setAccessibleName(Texts::tr("Chosen folder"));
    layout->addWidget(path_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(newFolder);
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    // Over the window that opened it, wholly on the screen.
    centreOver(this, parent, QSize(fontMetrics().height() * 30, fontMetrics().height() * 26));
    // The folder list fills in the background: the proposed folder is brought into view
    // once its parent has been read.
    connect(model_, &QFileSystemModel::directoryLoaded, this, [this] {
        const QModelIndex index = model_->index(folder_);
        if (index.isValid() && dir1_->currentIndex() != index) {
            dir1_->setCurrentIndex(index);
        }
        if (index.isValid())
            dir1_->scrollTo(index, QAbstractItemView::PositionAtCenter);
    });

    applyHelpTexts(*this);
    connect(drive1_, &QComboBox::currentIndexChanged, this, &FolderChooser::onDriveChanged);
    selectDrive(options_.defaultDrive);
    setFolder(options_.defaultFolder);
    // The folder chosen last is one click on "Ok" away, on the drive that holds it.
    QString lastDrive;
    for (int i = 0; i < drive1_->count(); ++i) {
        const QString drive = drive1_->itemData(i).toString();
        if (!options_.lastFolder.isEmpty() && isInside(options_.lastFolder, drive) && drive.size() > lastDrive.size())
            lastDrive = drive;
    }
    if (!lastDrive.isEmpty()) {
        selectDrive(lastDrive);
        setFolder(options_.lastFolder);
    }
}

void FolderChooser::selectDrive(const QString& drive)
{
    const int index = drive1_->findData(drive);
    if (index == drive1_->currentIndex())
        onDriveChanged(index);
    else
        drive1_->setCurrentIndex(index);
}

void FolderChooser::onDriveChanged(int index)
{
    if (restoring_ || index < 0)
        return;
    const QString drive = drive1_->itemData(index).toString();
    // 2. A drive that is not ready: said, and the default drive taken again.
    if (options_.driveReady && !options_.driveReady(drive)) {
        messages_.show(toText(Texts::tr("Invalid drive!")), Icon::Error, toText(Texts::tr("Error")));
        restoring_ = true;
        drive1_->setCurrentIndex(drive1_->findData(options_.defaultDrive));
        restoring_ = false;
        setFolder(options_.defaultDrive);
        return;
    }
    setFolder(drive);
}

void FolderChooser::setFolder(const QString& path)
{
    const QString root = drive1_->currentData().toString();
    dir1_->setRootIndex(model_->setRootPath(root));
    const QModelIndex index = model_->index(path);
    showFolder(QDir::cleanPath(path));
    if (index.isValid()) {
        dir1_->setCurrentIndex(index);
        dir1_->scrollTo(index);
    }
}

void FolderChooser::showFolder(const QString& folder)
{
    folder_ = folder;
    if (path_)
        path_->setText(QDir::toNativeSeparators(folder));
}

bool FolderChooser::makeFolder(const QString& name, QString* error)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || trimmed.contains(QLatin1Char('/')) || trimmed.contains(QLatin1Char('\\')) ||
        trimmed == QStringLiteral(".") || trimmed == QStringLiteral("..")) {
        *error = Texts::tr("\"%1\" is no folder name: a name without / or \\ is needed.").arg(name);
        return false;
    }
    QDir parent(folder_);
    if (parent.exists(trimmed)) {
        *error = Texts::tr("A folder or file named \"%1\" is already in %2.").arg(trimmed, QDir::toNativeSeparators(folder_));
        return false;
    }
    if (!parent.mkdir(trimmed)) {
        *error = Texts::tr("The folder \"%1\" cannot be made in %2.").arg(trimmed, QDir::toNativeSeparators(folder_));
        return false;
    }
    setFolder(parent.filePath(trimmed));
    return true;
}

void FolderChooser::askNewFolder()
{
    bool ok = false;
    const QString name = QInputDialog::getText(this, Texts::tr("New Folder"),
                                               Texts::tr("Name of the new folder in %1:").arg(QDir::toNativeSeparators(folder_)),
                                               QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return;
    QString error;
    if (!makeFolder(name, &error))
        messages_.show(toText(error), Icon::Error, toText(Texts::tr("New Folder")));
}

void FolderChooser::accept()
{
    // 3. The chosen folder goes to the download, which may now run.
    if (onOk_)
        onOk_(QDir::toNativeSeparators(folder_));
    close();
}

} // namespace tarvelon
