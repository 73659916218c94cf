#pragma once
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace tarvelon {

class Messages;

// Where the folder chooser starts and which drives it offers.
struct FolderChooserOptions {
    QString defaultDrive;  // "C:/" on Windows, the volume of the home folder elsewhere
    QString defaultFolder; // "c:\dati" on Windows, "dati" in the home folder elsewhere
    // Taken, and named in a message, when the default folder cannot be created (a managed PC
    // may forbid folders at the top of c:): "dati" in the user's documents folder on Windows.
    QString fallbackFolder;
    QString lastFolder;    // the folder chosen last, opened on instead when it is on a drive
    std::function<QStringList()> drives;
    std::function<bool(const QString& drive)> driveReady;

    static FolderChooserOptions forThisMachine();
};

// The folder chooser: a drive list, a folder list, and "Ok", which hands the chosen folder
// to the download.
class FolderChooser : public QWidget {
    Q_OBJECT
public:
    FolderChooser(Messages& messages, std::function<void(const QString& folder)> onOk,
                  FolderChooserOptions options = FolderChooserOptions::forThisMachine(), QWidget* parent = nullptr);

    QString currentFolder() const { return folder_; }
    void selectDrive(const QString& drive);
    void setFolder(const QString& path);
    void accept();
    // Makes the folder `name` in the chosen one and chooses it; false, with why, when it cannot.
    bool makeFolder(const QString& name, QString* error);

    QComboBox* driveList() const { return drive1_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    void onDriveChanged(int index);
    void showFolder(const QString& folder);
    void askNewFolder();

    Messages& messages_;
    std::function<void(const QString&)> onOk_;
    FolderChooserOptions options_;
    QComboBox* drive1_ = nullptr;
    QTreeView* dir1_ = nullptr;
    QFileSystemModel* model_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLineEdit* path_ = nullptr;
    QString folder_;
    bool restoring_ = false;
};

} // namespace tarvelon
