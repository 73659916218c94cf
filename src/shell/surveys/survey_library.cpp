#include "shell/surveys/survey_library.h"

#include "platform/qt/qt_app_data.h"
#include "shell/file_boxes.h"
#include "shell/main_window.h"
#include "shell/remembered_choices.h"
#include "shell/surveys/surveys_window.h"
#include "shell/window_placement.h"
#include "shell/texts.h"
#include "library/library_file.h"
#include "library/library_location.h"
#include "library/store.h"

#include "platform/qt/qt_text.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

namespace tarvelon {
namespace {

// Whether the library keeps a survey of this block whole: its names, readout, date and time.
// A library never made keeps nothing; one that cannot be read cannot tell.
std::optional<LibraryKeeps> keptInLibrary(const UnitBlock& b)
{
    const QString path = surveyLibraryPath();
    if (!surveys::isServerLocation(path.toStdString()) && !QFileInfo::exists(path))
        return LibraryKeeps::Nothing;
    surveys::SurveyStore store;
    if (!store.open(libraryArgument(path)))
        return std::nullopt;
    const auto name = [](const std::string& text) { return fromText(text).trimmed().toUtf8().toStdString(); };
    const auto separated = [](const std::string& text, char separator) {
        return text.size() == 6 ? text.substr(0, 2) + separator + text.substr(2, 2) + separator + text.substr(4, 2)
                                : text;
    };
    surveys::Survey key;
    key.client = name(b.client);
    key.site = name(b.site);
    key.tube = name(b.tube);
    key.readout = name(b.readout);
    key.date = separated(b.date, '/');
    key.time = separated(b.time, ':');
    // A survey kept incomplete still lacks readings the block holds.
    const std::optional<std::int64_t> id = store.find(key);
    if (!id)
        return LibraryKeeps::Nothing;
    const std::optional<surveys::Survey> kept = store.survey(*id);
    if (!kept)
        return LibraryKeeps::Nothing;
    return kept->complete() ? LibraryKeeps::Whole : LibraryKeeps::Part;
}

QString libraryFileName()
{
    return QString::fromUtf8(surveys::kLibraryFileName.data(), surveys::kLibraryFileName.size());
}

// The former place of a library that could not move this time, which is used where it is.
QString& stayedAt()
{
    static QString path;
    return path;
}

} // namespace

QStringList askImportPaths(QWidget* parent, bool folder, const QString& start)
{
    if (!folder)
        return openFilesBox(parent, Texts::tr("Import Export Files"), start,
                            Texts::tr("Export files (*dat.dat *num.dat);;All files (*)"));
    const QString dir = folderBox(parent, Texts::tr("Import a Folder of Export Files"), start);
    return dir.isEmpty() ? QStringList{} : QStringList{dir};
}

QString importReportText(const surveys::ImportReport& r)
{
    QString text = Texts::tr("Surveys added: %1\nAlready in the library: %2\nNot imported: %3")
                       .arg(r.added)
                       .arg(r.skipped)
                       .arg(r.failed);
    for (const std::string& line : r.messages)
        text += QLatin1Char('\n') + QString::fromStdString(line);
    return text;
}

QString surveyLibraryPath()
{
    const QString chosen = RememberedChoices().library();
    return chosen.isEmpty() ? defaultSurveyLibraryPath() : chosen;
}

QString defaultSurveyLibraryPath()
{
    return stayedAt().isEmpty() ? localAppDataFilePath(libraryFileName()) : stayedAt();
}

std::pair<QString, QString> moveSurveyLibraryHome()
{
    const QString from = QDir(formerAppDataFolder()).filePath(libraryFileName());
    const QString to = localAppDataFilePath(libraryFileName());
    if (QFileInfo(from) == QFileInfo(to))
        return {};
    const surveys::LibraryMoveResult moved = surveys::moveLibraryFile(fileSystemPath(from), fileSystemPath(to));
    stayedAt() = surveys::stillAtFormerPlace(moved.kind) ? from : QString();
    const QString note = QString::fromStdString(surveys::libraryMoveNote(moved, fileSystemPath(from), fileSystemPath(to)));
    if (moved.kind == surveys::LibraryMove::Moved)
        return {Texts::tr("The survey library has moved to"), QFileInfo(to).absolutePath()};
    // The status line keeps a file's name whole: the older copy is that file, the library's
    // folder is said before it.
    if (moved.kind == surveys::LibraryMove::KeptBoth)
        return {Texts::tr("The survey library is in %1; the older one is kept as")
                    .arg(QDir::toNativeSeparators(QFileInfo(to).absolutePath())),
                fromFileSystemPath(moved.setAside)};
    return {note, {}};
}

std::string libraryArgument(const QString& location)
{
    return surveys::isServerLocation(location.toStdString()) ? location.toStdString()
                                                             : QFile::encodeName(location).toStdString();
}

SurveysLauncher::SurveysLauncher(MainWindow& window) : QObject(&window), main_(window)
{
    main_.state().keptInLibrary = keptInLibrary;
    if (auto* added = main_.findChild<QLabel*>(QStringLiteral("lblSurveyAdded")))
        connect(added, &QLabel::linkActivated, this, [this] { show(lastAdded_); });
}

void SurveysLauncher::downloadAndKeep(Context& c)
{
    const DownloadedBlock block = downloadBlock(c);
    const LibraryFeed fed = keep(block);
    if (!fed.error.empty())
        return c.messages.show(std::string(kLibraryCannotBeWritten) + fed.error, Icon::Error);
    // A download cut short has said so in its own box, which the status line keeps; a whole
    // one names the files it wrote, the folder being on the line already.
    QStringList files;
    for (const std::string& path : {block.headerExportPath, block.readingsExportPath})
        if (!path.empty() && QFileInfo::exists(QString::fromUtf8(path)))
            files << QFileInfo(QString::fromUtf8(path)).fileName();
    if (block.complete && !files.isEmpty())
        main_.showResult((fed.surveyId ? Texts::tr("Written: %1, kept in the survey library") : Texts::tr("Written: %1"))
                             .arg(files.join(Texts::tr(" and "))));
}

LibraryFeed SurveysLauncher::keep(const DownloadedBlock& block)
{
    const std::string now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
    const LibraryFeed fed = addToLibrary(libraryArgument(surveyLibraryPath()), block, now);
    if (!fed.error.empty() || fed.surveyId == 0)
        return fed;
    lastAdded_ = fed.surveyId;
    // An open Surveys window lists the new survey at once but stays on the tube the operator
    // is looking at; the page offers the new survey either way.
    if (surveys_)
        surveys_->reload();
    if (auto* added = main_.findChild<QLabel*>(QStringLiteral("lblSurveyAdded"))) {
        added->setText(fed.incomplete ? Texts::tr("Kept in the survey library, incomplete: "
                                                  "<a href=\"show\">show it in Surveys</a>")
                                      : Texts::tr("Kept in the survey library: <a href=\"show\">show it in Surveys</a>"));
        added->show();
    }
    return fed;
}

SurveysWindow* SurveysLauncher::window() const
{
    return surveys_;
}

void SurveysLauncher::show(std::int64_t surveyId)
{
    if (!surveys_) {
        // Its boxes wait while the main window talks to the unit.
        SurveysWindowOptions options;
        options.whenIdle = [this](std::function<void()> task) { main_.whenIdle(std::move(task)); };
        options.downloadFolder = [this] { return QString::fromUtf8(main_.state().downloadFolder); };
        options.written = [this](const QString& result, const QString& file) { main_.showResult(result, file); };
        surveys_ = new SurveysWindow(options, &main_);
        surveys_->setAttribute(Qt::WA_DeleteOnClose);
        // Its first size fits the screen it opens on; later ones are its own.
        placeWindow(surveys_, main_.remembered(), QSize(1100, 760));
    } else {
        surveys_->reload();
    }
    if (surveyId)
        surveys_->select({surveyId});
    surveys_->show();
    surveys_->raise();
    surveys_->activateWindow();
    if (auto* added = main_.findChild<QLabel*>(QStringLiteral("lblSurveyAdded")))
        added->hide();
}

} // namespace tarvelon
