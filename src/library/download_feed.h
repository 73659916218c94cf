#pragma once
#include "blocks/download.h"
#include "library/export_reader.h"
#include "library/store.h"
#include "platform/translate.h"

#include <cstdint>
#include <string>
#include <string_view>

// A download's survey into the library: the same path for the window and the command line.
namespace tarvelon {

inline constexpr std::string_view kLibraryCannotBeWritten =
    QT_TRANSLATE_NOOP("Texts", "Attention: survey library cannot be written: ");

// The survey a download read, with every reading of its rows (the export file keeps only
// readings 1 and 2), read back through the same reader as an import. Depths the header
// promises and the download did not read are its missing depths: it is kept incomplete.
surveys::ReadResult surveyOfDownload(const DownloadedBlock& block, const std::string& downloadedAt);

struct LibraryFeed {
    std::int64_t surveyId = 0; // the survey added, completed or already there; 0 when none
    std::string error;         // why the library could not take it
    bool incomplete = false;   // kept with rows missing
};

// Adds a download's survey to the library at `libraryPath`, whole or incomplete; a download
// that read no row of readings adds nothing.
LibraryFeed addToLibrary(const std::string& libraryPath, const DownloadedBlock& block, const std::string& downloadedAt);
// The same, into a library already open.
LibraryFeed addToLibrary(surveys::SurveyStore& store, const DownloadedBlock& block, const std::string& downloadedAt);

} // namespace tarvelon
