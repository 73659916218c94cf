#include "library/download_feed.h"

#include "library/store.h"

namespace tarvelon {

surveys::ReadResult surveyOfDownload(const DownloadedBlock& block, const std::string& downloadedAt)
{
    std::string header, readings;
    for (const std::string& record : headerExportRecords(block.header))
        header += record;
    for (const ReadingsRecord& record : block.records)
        readings += record.bytes();
    surveys::ReadResult r = surveys::readExport(header, readings);
    if (!r.survey)
        return r;
    surveys::Survey& s = *r.survey;
    s.downloadedAt = downloadedAt;
    s.origin = surveys::Origin::Download;
    s.headerFile = surveys::libraryFilePath(block.headerExportPath);
    s.readingsFile = surveys::libraryFilePath(block.readingsExportPath);
    return r;
}

LibraryFeed addToLibrary(const std::string& libraryPath, const DownloadedBlock& block, const std::string& downloadedAt)
{
    if (block.records.empty())
        return {};
    surveys::SurveyStore store;
    if (!store.open(libraryPath))
        return {0, store.error()};
    return addToLibrary(store, block, downloadedAt);
}

LibraryFeed addToLibrary(surveys::SurveyStore& store, const DownloadedBlock& block, const std::string& downloadedAt)
{
    if (block.records.empty())
        return {};
    const surveys::ReadResult read = surveyOfDownload(block, downloadedAt);
    if (!read.survey)
        return {0, read.error};
    if (read.survey->rows.empty())
        return {};
    const surveys::AddResult added = store.add(*read.survey);
    switch (added.status) {
    case surveys::AddStatus::Added:
    case surveys::AddStatus::AlreadyThere:
    case surveys::AddStatus::Completed:
        return {added.id, {}, !read.survey->complete()};
    case surveys::AddStatus::Conflict:
        return {0, "it holds other readings for this client, site, tube, readout number, date and time"};
    case surveys::AddStatus::Failed:
        break;
    }
    return {0, added.error};
}

} // namespace tarvelon
