#include "surveys/download_feed.h"

#include "surveys/store.h"

#include <cmath>
#include <set>

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
    s.headerFile = block.headerExportPath;
    s.readingsFile = block.readingsExportPath;
    // The rows the header promises, from the deepest up one step each, as the download reads them.
    std::set<int> read;
    for (const surveys::SurveyRow& row : s.rows)
        read.insert(row.depthTenths);
    const int deepest = static_cast<int>(std::lround(s.depth.value_or(0) * 10));
    const int step = static_cast<int>(std::lround(s.step * 10));
    for (int i = readingRowCount(block.header.depth, block.header.step) - 1; i >= 0; --i)
        if (!read.count(deepest - i * step))
            s.missingTenths.push_back(deepest - i * step);
    return r;
}

LibraryFeed addToLibrary(const std::string& libraryPath, const DownloadedBlock& block, const std::string& downloadedAt)
{
    if (block.records.empty())
        return {};
    const surveys::ReadResult read = surveyOfDownload(block, downloadedAt);
    if (!read.survey)
        return {0, read.error};
    if (read.survey->rows.empty())
        return {};
    surveys::SurveyStore store;
    if (!store.open(libraryPath))
        return {0, store.error()};
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
