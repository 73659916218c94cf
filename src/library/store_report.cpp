// What a tube's report says of it (project, location, casing top, probe serial, remarks) and the
// language its reports are written in: a row of its own per tube, written with the tube's settings.
#include "library/store.h"

namespace tarvelon::surveys {

void SurveyStore::readReportFields(const TubeKey& tube, TubeReportFields& r)
{
    sql::Statement q(db_, "SELECT project, project_no, location, top_elevation, probe_serial, remarks, language "
                          "FROM tube_reports WHERE client = ? AND site = ? AND tube = ?");
    q.bind(1, tube.client).bind(2, tube.site).bind(3, tube.tube);
    if (!q.step())
        return;
    r = {q.text(0), q.text(1), q.text(2), q.text(4), q.text(5), q.isNull(3) ? std::nullopt : std::optional<double>(q.real(3)),
         q.text(6)};
}

bool SurveyStore::writeReportFields(const TubeKey& tube, const TubeReportFields& r)
{
    sql::Statement q(db_, "INSERT INTO tube_reports (client, site, tube, project, project_no, location, top_elevation, "
                          "probe_serial, remarks, language) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
                          "ON CONFLICT (client, site, tube) DO UPDATE SET project = excluded.project, "
                          "project_no = excluded.project_no, location = excluded.location, "
                          "top_elevation = excluded.top_elevation, probe_serial = excluded.probe_serial, "
                          "remarks = excluded.remarks, language = excluded.language");
    q.bind(1, tube.client).bind(2, tube.site).bind(3, tube.tube).bind(4, r.project).bind(5, r.projectNo);
    q.bind(6, r.location);
    r.topElevation ? q.bind(7, *r.topElevation) : q.bindNull(7);
    q.bind(8, r.probeSerial).bind(9, r.remarks).bind(10, r.language);
    if (!q.run()) {
        error_ = db_.error();
        return false;
    }
    return true;
}

} // namespace tarvelon::surveys
