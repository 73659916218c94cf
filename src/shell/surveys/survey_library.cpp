#include "shell/surveys/survey_library.h"

#include "platform/qt/qt_app_data.h"
#include "shell/main_window.h"
#include "shell/surveys/surveys_window.h"
#include "surveys/store.h"

#include <QDateTime>
#include <QFile>
#include <QLabel>

namespace tarvelon {

QString surveyLibraryPath()
{
    return appDataFilePath(QString::fromUtf8(surveys::kLibraryFileName.data(), surveys::kLibraryFileName.size()));
}

SurveysLauncher::SurveysLauncher(MainWindow& window) : QObject(&window), main_(window)
{
    if (auto* added = main_.findChild<QLabel*>(QStringLiteral("lblSurveyAdded")))
        connect(added, &QLabel::linkActivated, this, [this] { show(lastAdded_); });
}

void SurveysLauncher::downloadAndKeep(Context& c)
{
    const LibraryFeed fed = keep(downloadBlock(c));
    if (!fed.error.empty())
        c.messages.show(std::string(kLibraryCannotBeWritten) + fed.error, Icon::Error);
}

LibraryFeed SurveysLauncher::keep(const DownloadedBlock& block)
{
    const std::string now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
    const LibraryFeed fed = addToLibrary(QFile::encodeName(surveyLibraryPath()).toStdString(), block, now);
    if (!fed.error.empty() || fed.surveyId == 0)
        return fed;
    lastAdded_ = fed.surveyId;
    // An open Surveys window shows the new survey at once; otherwise the page offers it.
    if (surveys_) {
        surveys_->reload();
        surveys_->select({fed.surveyId});
    } else if (auto* added = main_.findChild<QLabel*>(QStringLiteral("lblSurveyAdded"))) {
        added->setText(fed.incomplete ? QStringLiteral("Kept in the survey library, incomplete: "
                                                       "<a href=\"show\">show it in Surveys</a>")
                                      : QStringLiteral("Kept in the survey library: <a href=\"show\">show it in Surveys</a>"));
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
        surveys_ = new SurveysWindow({{}, [this](std::function<void()> task) { main_.whenIdle(std::move(task)); }},
                                     &main_);
        surveys_->setAttribute(Qt::WA_DeleteOnClose);
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
