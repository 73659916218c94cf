#include "shell/surveys/sync_box.h"

#include "shell/file_boxes.h"
#include "shell/texts.h"
#include "library/library_location.h"
#include "library/sql.h"
#include "library/sync.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>

namespace tarvelon {
namespace {

// What the worker and the progress box share.
struct SyncRun {
    std::atomic<int> done{0}, total{0};
    std::atomic<bool> cancel{false};
    surveys::SyncResult result; // read once the worker has ended
    QString openError;
};

// Opens a library to write in the worker; a file must already be there, so a name mistyped
// does not make an empty library.
bool openToWrite(surveys::SurveyStore& store, const QString& location, const QString& which, QString& error)
{
    const std::string path = QFile::encodeName(location).toStdString();
    if (!surveys::isServerLocation(path) && !QFileInfo::exists(location)) {
        error = Texts::tr("There is no survey library at %1.").arg(location);
        return false;
    }
    if (store.open(path) && !store.readOnly())
        return true;
    error = Texts::tr("%1 cannot be written: %2").arg(which, QString::fromStdString(store.error()));
    return false;
}

QString resultText(const surveys::SyncResult& r)
{
    QString text = Texts::tr("Surveys sent: %1\nIncomplete surveys completed: %2\nAlready there: %3\n"
                             "Tube settings sent: %4, received: %5")
                       .arg(r.sent)
                       .arg(r.completed)
                       .arg(r.skipped)
                       .arg(r.settingsSent)
                       .arg(r.settingsReceived);
    if (!r.settingConflicts.empty()) {
        text += Texts::tr("\n\nChanged in both libraries since they last agreed (%1):").arg(r.settingConflicts.size());
        for (const std::string& conflict : r.settingConflicts)
            text += QStringLiteral("\n") + QString::fromStdString(conflict);
    }
    if (r.deletedHere + r.deletedThere > 0)
        text += Texts::tr("\nSurveys deleted as the other library had: %1 here, %2 there")
                    .arg(r.deletedHere)
                    .arg(r.deletedThere);
    if (!r.conflicts.empty()) {
        text += Texts::tr("\n\nIn both libraries with other readings, both kept (%1):").arg(r.conflicts.size());
        for (const std::string& name : r.conflicts)
            text += QStringLiteral("\n") + QString::fromStdString(name);
    }
    if (!r.error.empty())
        text += Texts::tr("\n\nThe sync stopped after %1 of %2 surveys: %3. What was sent is kept; syncing "
                          "again goes on from there.")
                    .arg(r.done)
                    .arg(r.total)
                    .arg(QString::fromStdString(r.error));
    return text;
}

} // namespace

SyncBox::SyncBox(const QString& startFolder, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("syncBox"));
    setWindowTitle(Texts::tr("Sync"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Texts::tr("Sync this computer's survey library with (a library file, or a "
                                           "server's connection):"),
                                 this));
    auto* row = new QHBoxLayout;
    other_ = new QLineEdit(this);
    other_->setObjectName(QStringLiteral("otherLibrary"));
    other_->setMinimumWidth(420);
    row->addWidget(other_, 1);
    auto* file = new QPushButton(Texts::tr("&File..."), this);
    connect(file, &QPushButton::clicked, this, [this, startFolder] {
        const QString path = openFileBox(this, Texts::tr("Survey Library"), startFolder,
                                         Texts::tr("Survey library (*.sqlite);;All files (*)"));
        if (!path.isEmpty())
            other_->setText(path);
    });
    row->addWidget(file);
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Texts::tr("&Sync"));
    buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
    connect(other_, &QLineEdit::textChanged, this, [buttons](const QString& text) {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(!text.trimmed().isEmpty());
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void SyncBox::offer(const QString& library)
{
    other_->setText(library);
}

QString SyncBox::otherLibrary() const
{
    return other_->text().trimmed();
}

QString SyncBox::run(QWidget* parent, const QString& here, const QString& other, bool* failed)
{
    auto run = std::make_shared<SyncRun>();
    // The worker has connections of its own: SQLite's and a server's are used by one thread.
    QThread* worker = QThread::create([run, here, other] {
        surveys::SurveyStore from, to;
        if (!openToWrite(from, here, Texts::tr("This computer's library"), run->openError) ||
            !openToWrite(to, other, Texts::tr("The other library"), run->openError))
            return;
        surveys::SyncOptions options;
        options.onBatch = [run](const surveys::SyncProgress& p) {
            run->total = p.total;
            run->done = p.done;
            return !run->cancel;
        };
        run->result = surveys::syncLibraries(from, to, options);
    });
    QProgressDialog progress(Texts::tr("Syncing the survey libraries..."), Texts::tr("Cancel"), 0, 0, parent);
    progress.setObjectName(QStringLiteral("syncProgress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    // Cancel stops a statement the server is running too, not only at the next batch.
    QObject::connect(&progress, &QProgressDialog::canceled, [run] {
        run->cancel = true;
        sql::cancelRunningStatements();
    });
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &progress, [run, &progress] {
        if (run->total > 0) {
            progress.setMaximum(run->total);
            progress.setValue(run->done);
        }
    });
    QEventLoop loop;
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    tick.start(100);
    loop.exec();
    worker->wait();
    delete worker;
    sql::resumeAfterStop();
    progress.reset();
    if (failed)
        *failed = !run->openError.isEmpty() || !run->result.error.empty();
    if (!run->openError.isEmpty())
        return run->openError;
    return resultText(run->result);
}

} // namespace tarvelon
