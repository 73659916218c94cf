// The corrections kept with each readout: one row per readout, kind and axis.
#include "library/store.h"

namespace tarvelon::surveys {
namespace {

Correction correctionOfRow(const sql::Statement& q, int first)
{
    Correction c;
    c.kind = kindNamed(q.text(first)).value_or(CorrectionKind::Bias);
    c.axis = int(q.integer(first + 1));
    c.value = q.real(first + 2);
    c.how = q.text(first + 3);
    c.acceptedAt = q.text(first + 4);
    c.on = q.integer(first + 5) != 0;
    return c;
}

constexpr std::string_view kCorrectionColumns = "c.kind, c.axis, c.value, c.how, c.accepted_at, c.enabled";

} // namespace

std::map<std::int64_t, std::vector<Correction>> SurveyStore::corrections(const TubeKey& tube)
{
    std::map<std::int64_t, std::vector<Correction>> out;
    sql::Statement q(db_, "SELECT c.survey_id, " + std::string(kCorrectionColumns) +
                              " FROM corrections c JOIN surveys s ON s.id = c.survey_id "
                              "WHERE s.client = ? AND s.site = ? AND s.tube = ? ORDER BY c.survey_id, c.kind, c.axis");
    q.bind(1, tube.client).bind(2, tube.site).bind(3, tube.tube);
    while (q.step())
        out[q.integer(0)].push_back(correctionOfRow(q, 1));
    return out;
}

std::map<std::int64_t, std::vector<Correction>> SurveyStore::siteCorrections(const std::string& client,
                                                                           const std::optional<std::string>& site)
{
    std::map<std::int64_t, std::vector<Correction>> out;
    sql::Statement q(db_, "SELECT c.survey_id, " + std::string(kCorrectionColumns) +
                              " FROM corrections c JOIN surveys s ON s.id = c.survey_id WHERE s.client = ?" +
                              (site ? " AND s.site = ?" : "") + " ORDER BY c.survey_id, c.kind, c.axis");
    q.bind(1, client);
    if (site)
        q.bind(2, *site);
    while (q.step())
        out[q.integer(0)].push_back(correctionOfRow(q, 1));
    return out;
}

std::vector<Correction> SurveyStore::corrections(std::int64_t surveyId)
{
    std::vector<Correction> out;
    sql::Statement q(db_, "SELECT " + std::string(kCorrectionColumns) +
                              " FROM corrections c WHERE c.survey_id = ? ORDER BY c.kind, c.axis");
    q.bind(1, surveyId);
    while (q.step())
        out.push_back(correctionOfRow(q, 0));
    return out;
}

bool SurveyStore::setCorrections(std::int64_t surveyId, const std::vector<Correction>& corrections, const std::string& how)
{
    return inOneTransaction([&] { return writeCorrections(surveyId, corrections, how); });
}

} // namespace tarvelon::surveys
