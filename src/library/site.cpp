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
    // The latest readouts are all the table needs: the latest's state, the readout its rate is
    // measured against, and those the projection is fitted to; the whole site read at once.
    std::map<TubeKey, std::vector<Survey>> latest;
    if (!everyReadout)
        latest = store.latestSiteSurveys(client, site, settings, kSiteReadouts);
    const std::map<std::int64_t, std::vector<Correction>> corrections = store.siteCorrections(client, site);
    std::vector<std::pair<TubeKey, const TubeResult*>> results;
    for (const TubeKey& key : store.tubeKeys(client, site)) {
        auto tube = std::make_unique<SiteTube>();
        tube->key = key;
        const auto it = settings.find(key);
        const TubeSettings& t = it == settings.end() ? kNone : it->second;
        if (everyReadout)
            tube->surveys = store.tubeSurveys(key);
        else if (auto read = latest.find(key); read != latest.end())
            tube->surveys = std::move(read->second);
        tube->result = analyseTube(tube->surveys, t, corrections);
        results.emplace_back(key, &tube->result);
        out.tubes.push_back(std::move(tube));
    }
    out.rows = siteRows(results, today);
    return out;
}

} // namespace tarvelon::surveys
