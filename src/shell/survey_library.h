#pragma once
#include "blocks/download.h"
#include "surveys/export_reader.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <string>

namespace tarvelon {

inline constexpr std::string_view kLibraryCannotBeWritten = "Attention: survey library cannot be written: ";

// surveys.sqlite in the user's application-data folder (created when missing).
QString surveyLibraryPath();

// The survey a complete download read, with every reading of its rows (the export file keeps
// only readings 1 and 2), read back through the same reader as an import.
surveys::ReadResult surveyOfDownload(const DownloadedBlock& block, const std::string& downloadedAt);

struct LibraryFeed {
    std::int64_t surveyId = 0; // the survey added, or already there
    std::string error;         // why the library could not take it
};

// Adds a complete download's survey to the library at `libraryPath`.
LibraryFeed addToLibrary(const std::string& libraryPath, const DownloadedBlock& block, const std::string& downloadedAt);

class MainWindow;
class SurveysWindow;

// The Surveys window of the main window: opened by "Surveys...", and fed by every complete
// download, whose survey it then offers.
class SurveysLauncher : public QObject {
    Q_OBJECT
public:
    explicit SurveysLauncher(MainWindow& window);

    // The operation of "Ok": the download, then its survey into the library.
    void downloadAndKeep(Context& c);
    // A complete download's survey into the library, then offered; the error when the
    // library could not take it.
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
