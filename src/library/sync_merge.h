#pragma once
#include "library/store.h"
#include "library/sync.h"

#include <map>
#include <string>
#include <vector>

// The three-way merge of one tube's settings and corrections between two libraries: each field
// as a text, compared with its value when the two last agreed (the base). Changed on one side
// only, the change is taken; changed on both to different values, a conflict, the server's value
// kept (the target's between two files) until someone chooses; with no base yet, a value left
// at its default counts as unchanged.
namespace tarvelon::surveys {

using Fields = std::map<std::string, std::string>;

// A tube's settings and the corrections of its readouts (by the readout's key), as fields.
Fields fieldsOf(SurveyStore& store, const TubeKey& tube);
// The value a field has when nothing was ever set.
std::string defaultOf(const std::string& field);

struct Merged {
    Fields fields;
    std::vector<std::string> conflictFields; // changed on both sides to different values
};
// `keepB` says which side's value a conflict keeps.
Merged mergeFields(const Fields& a, const Fields& b, const Fields& base, bool keepB);

// Writes the merged fields into `store` where they differ from `had`; `changed` says whether
// anything was written. False with `error` when the library refused.
bool applyFields(SurveyStore& store, const TubeKey& tube, const Fields& had, const Fields& merged, bool& changed,
                 std::string& error);

// The acknowledgement two libraries' copies of one event end with: the one made, or the
// earlier of two, its note followed by the later's.
AlarmEvent mergedAcknowledgement(const AlarmEvent& a, const AlarmEvent& b);

// Each library's alarm log given the events the other holds and it lacks, and every
// acknowledgement; `back` false leaves `from` as it is. False with `error` when one refused.
bool mergeAlarmLogs(SurveyStore& from, SurveyStore& to, bool back, AlarmSync& result, std::string& error);

} // namespace tarvelon::surveys
