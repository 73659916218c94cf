#include "library/import.h"

#include "analysis/said.h"

#include "platform/file_path.h"
#include "library/export_reader.h"

#include <filesystem>
#include <set>

namespace tarvelon::surveys {
namespace {

namespace fs = std::filesystem;

// The header export file of every pair named in `paths`, each pair once.
std::set<std::string> headerFiles(const std::vector<std::string>& paths, ImportReport& report)
{
    std::set<std::string> headers;
    const auto take = [&](const fs::path& p, bool named) {
        const std::string s = utf8Path(p);
        if (isHeaderExportName(s))
            headers.insert(s);
        else if (isReadingsExportName(s))
            headers.insert(partnerFile(s));
        else if (named) {
            ++report.failed;
            report.messages.push_back(said(QT_TRANSLATE_NOOP("Texts", "%1: not an export file (its name ends neither "
                                                                 "in dat.dat nor in num.dat)"),
                                           {utf8Path(p)}));
        }
    };
    for (const std::string& path : paths) {
        std::error_code ec;
        if (!fs::exists(fsPath(path), ec)) {
            ++report.failed;
            report.messages.push_back(path + ": " + (ec ? ec.message() : said(QT_TRANSLATE_NOOP("Texts", "no such file or folder"))));
            continue;
        }
        if (!fs::is_directory(fsPath(path), ec)) {
            take(fsPath(path), true);
            continue;
        }
        for (auto it = fs::recursive_directory_iterator(fsPath(path), fs::directory_options::skip_permission_denied, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
            if (it->is_regular_file(ec))
                take(it->path(), false);
        if (ec) {
            ++report.failed;
            report.messages.push_back(path + ": " + ec.message());
        }
    }
    return headers;
}

} // namespace

ImportReport importExportFiles(SurveyStore& store, const std::vector<std::string>& paths, std::string importedAt)
{
    if (importedAt.empty())
        importedAt = isoTimeNow();
    ImportReport report;
    const int cleanedBefore = store.textsCleaned();
    for (const std::string& header : headerFiles(paths, report)) {
        const std::string name = utf8Path(fsPath(header).filename());
        const ReadResult read = readExportFiles(header);
        if (!read.survey) {
            ++report.failed;
            report.messages.push_back(name + ": " + read.error);
            continue;
        }
        Survey survey = std::move(*read.survey);
        survey.origin = Origin::Import;
        survey.downloadedAt = importedAt;
        const AddResult added = store.add(survey);
        switch (added.status) {
        case AddStatus::Completed:
            report.messages.push_back(said(QT_TRANSLATE_NOOP("Texts", "%1: completes the survey kept incomplete"), {name}));
            [[fallthrough]];
        case AddStatus::Added:
            ++report.added;
            report.addedIds.push_back(added.id);
            break;
        case AddStatus::AlreadyThere:
            ++report.skipped;
            report.messages.push_back(said(QT_TRANSLATE_NOOP("Texts", "%1: already in the library"), {name}));
            break;
        case AddStatus::Conflict:
            ++report.failed;
            report.messages.push_back(said(QT_TRANSLATE_NOOP("Texts", "%1: the library holds other readings for this "
                                                                 "client, site, tube, readout number, date and time"),
                                           {name}));
            break;
        case AddStatus::Failed:
            ++report.failed;
            report.messages.push_back(
                said(QT_TRANSLATE_NOOP("Texts", "%1: the survey library cannot be written: %2"), {name, added.error}));
            break;
        }
    }
    if (store.textsCleaned() > cleanedBefore)
        report.messages.push_back(std::string(kControlCharactersReplaced));
    return report;
}

} // namespace tarvelon::surveys
