#pragma once
#include "library/store.h"

#include <QCommandLineParser>
#include <QString>

// The tube a survey command works on, named by --client, --site and --tube.
namespace tarvelon::cli {

void addTubeOptions(QCommandLineParser& parser);
// The names as typed, as the library keeps them (trailing blanks dropped); UsageError when one is missing.
surveys::TubeKey tubeKeyOf(const QCommandLineParser& parser);
// client "C", site "S", tube "T"
QString tubeName(const surveys::TubeKey& key);
// The tube's readouts, oldest first; empty, with the message said, when the library holds none of it.
std::vector<surveys::Survey> tubeReadouts(surveys::SurveyStore& store, const surveys::TubeKey& key);
// A readout number of the tube, or the message said.
std::optional<std::int64_t> readoutOf(surveys::SurveyStore& store, const surveys::TubeKey& key, const QString& number);

} // namespace tarvelon::cli
