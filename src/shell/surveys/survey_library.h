#pragma once
#include "blocks/download.h"
#include "library/download_feed.h"
#include "library/import.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>
#include <utility>

class QWidget;

namespace tarvelon {

// The survey library the window uses: the one chosen with "Library..." (a server), else this
// computer's file.
QString surveyLibraryPath();
// This computer's file: surveys.sqlite in the user's local application-data folder (created
// when missing), or where it was while it could not move there.
QString defaultSurveyLibraryPath();
// Once at the start: this computer's library moves from the former application-data folder to
// the local one. What to tell the user (text, then the file or folder it names); empty when
// nothing happened.
std::pair<QString, QString> moveSurveyLibraryHome();
// A library's location as the store takes it: a file's name in the system's encoding, a
// server's connection as it is.
std::string libraryArgument(const QString& location);

// Asks for export files, or a folder of them, starting in `start`; empty when none is chosen.
QStringList askImportPaths(QWidget* parent, bool folder, const QString& start);
// What an import did, as the Import box says it.
QString importReportText(const surveys::ImportReport& report);

class MainWindow;
class SurveysWindow;

// The Surveys window of the main window: opened by "Surveys...", and fed by every download,
// whole or with rows not read, whose survey it then offers.
class SurveysLauncher : public QObject {
    Q_OBJECT
public:
    explicit SurveysLauncher(MainWindow& window);

    // The operation of "Ok": the download, then its survey into the library.
    void downloadAndKeep(Context& c);
    // A download's survey into the library (kept incomplete when rows were not read), then
    // offered; the error when the library could not take it.
    LibraryFeed keep(const DownloadedBlock& block);
    // Shows the window (opening it when closed) with this survey chosen; 0 keeps the choice.
    void show(std::int64_t surveyId = 0);
    SurveysWindow* window() const;

private:
    MainWindow& main_;
    QPointer<SurveysWindow> surveys_;
    std::int64_t lastAdded_ = 0;
};

} // namespace tarvelon
