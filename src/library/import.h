#pragma once
#include "library/store.h"

#include <string>
#include <vector>

// "Import...": surveys from export files already on disk into the library.
namespace tarvelon::surveys {

struct ImportReport {
    int added = 0, skipped = 0, failed = 0;
    std::vector<std::int64_t> addedIds;
    // One line per pair of files that was not simply added: what happened to it and why.
    std::vector<std::string> messages;
};

// Each path is a header export file, a readings export file (its partner is found beside it)
// or a folder, searched with its subfolders. Each survey is stored whole or not at all, and
// one the library kept incomplete is completed. `importedAt` (ISO 8601 UTC) defaults to now.
ImportReport importExportFiles(SurveyStore& store, const std::vector<std::string>& paths, std::string importedAt = {});

} // namespace tarvelon::surveys
