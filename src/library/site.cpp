// A site read whole: each tube's surveys, settings and corrections, analysed.
#include "library/site.h"

namespace tarvelon::surveys {

namespace {

const TubeSettings kNone;

} // namespace

Site loadSite(SurveyStore& store, const std::string& client, const std::optional<std::string>& site, double today,
              bool everyReadout)
{
    Site out;
    const std::map<TubeKey, TubeSettings> settings = store.allTubeSettings();
    std::vector<std::pair<TubeKey, const TubeResult*>> results;
    for (const TubeKey& key : store.tubeKeys(client, site)) {
        auto tube = std::make_unique<SiteTube>();
        tube->key = key;
        const auto it = settings.find(key);
        const TubeSettings& t = it == settings.end() ? kNone : it->second;
        // The latest readouts are all the table needs: the latest's state, the readout its rate
        // is measured against, and those the projection is fitted to.
        tube->surveys = everyReadout ? store.tubeSurveys(key) : store.latestTubeSurveys(key, t.baseId, kSiteReadouts);
        tube->result = analyseTube(tube->surveys, t, store.corrections(key));
        results.emplace_back(key, &tube->result);
        out.tubes.push_back(std::move(tube));
    }
    out.rows = siteRows(results, today);
    return out;
}

} // namespace tarvelon::surveys
