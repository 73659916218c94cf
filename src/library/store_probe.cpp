// The probe each survey was read with: taken from the tube when a survey comes in, changed per
// readout when another probe read it.
#include "library/store.h"

#include <charconv>

namespace tarvelon::surveys {
namespace {

std::string probeWords(const std::string& serial, std::optional<double> constant)
{
    char buf[32];
    const std::string k =
        constant ? std::string(buf, std::to_chars(buf, buf + sizeof buf, *constant).ptr) : std::string("the tube's");
    return "serial \"" + serial + "\", K " + k;
}

} // namespace

void SurveyStore::probeFromTube(Survey& s)
{
    if (s.probeConstant || !s.probeSerial.empty())
        return;
    const TubeSettings t = tubeSettings({s.client, s.site, s.tube});
    s.probeSerial = t.report.probeSerial;
    if (t.constant > 0)
        s.probeConstant = t.constant;
}

bool SurveyStore::setProbe(std::int64_t surveyId, const std::string& serial, std::optional<double> constant,
                           const std::string& how)
{
    if (constant && !(*constant > 0)) {
        error_ = "a probe constant is a positive number of reading units";
        return false;
    }
    if (!writable())
        return false;
    const std::optional<Survey> was = survey(surveyId);
    if (!was) {
        error_ = "no survey " + std::to_string(surveyId) + " in the library";
        return false;
    }
    if (was->probeSerial == serial && was->probeConstant == constant)
        return true;
    return inOneTransaction([&] {
        TubeKey tube;
        std::string label;
        if (!labelOf(surveyId, tube, label))
            return false;
        sql::Statement q(db_, "UPDATE surveys SET probe_serial = ?, probe_constant = ? WHERE id = ?");
        q.bind(1, serial).bind(2, constant).bind(3, surveyId);
        if (!q.run()) {
            error_ = db_.error();
            return false;
        }
        // Another constant scales the readout's displacement: its status, and those measured
        // against it, may change.
        alarmsMayChange(tube);
        return record(tube, surveyId,
                      "probe of " + label + " set" + (how.empty() ? "" : " (" + how + ")") + ": " +
                          probeWords(was->probeSerial, was->probeConstant) + " \u2192 " + probeWords(serial, constant));
    });
}

} // namespace tarvelon::surveys
