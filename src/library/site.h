#pragma once
#include "analysis/site.h"
#include "library/store.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// A site's tubes read from the library and analysed, for its table, plan and report.
namespace tarvelon::surveys {

// The readouts read of each tube beside its base: the projection's and two before them, for the
// readout the latest's rate is measured against (one closer than the tube's minimum interval
// is passed over).
inline constexpr size_t kSiteReadouts = size_t(kProjectionReadouts) + 2;

// One tube with what its result points into.
struct SiteTube {
    TubeKey key;
    std::vector<Survey> surveys; // the base and the latest kSiteReadouts
    TubeResult result;
};

struct Site {
    std::vector<std::unique_ptr<SiteTube>> tubes; // by name; held apart so each result's pointers stay put
    std::vector<SiteRow> rows;                    // siteRows() of them
};

// Every tube of the client's site, or of all the client's sites when `site` is none; `today` in
// days since 1970-01-01. Each tube's base and latest readouts are read, or with `everyReadout`
// all of them (for the report's charts against time). A library that fails to read gives what
// it read, with store.error().
Site loadSite(SurveyStore& store, const std::string& client, const std::optional<std::string>& site, double today,
              bool everyReadout = false);

} // namespace tarvelon::surveys
