#pragma once
#include "analysis/survey.h"
#include "library/store.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What the library's benchmarks share: their clock and medians, the 10 000-survey library they
// measure (500 tubes of 20 readouts of 200 depths) and the two engines they run on.
namespace tarvelon::bench {

using Clock = std::chrono::steady_clock;
inline constexpr int kTubes = 500, kReadouts = 20, kDepths = 200;

double msSince(Clock::time_point t);
double median(std::vector<double> v);

// Readings 1 and 2 of a tube's readout at `tenths`: moving above 20 m, each tube at its own speed,
// the latest readouts of the fastest past their thresholds.
std::int64_t readingA(int tube, int readout, int tenths);
std::int64_t readingB(int tube, int readout, int tenths);

// Readout `readout` (from 1, a day apart) of tube "T<tube>" of the client and site.
surveys::Survey benchSurvey(int tube, int readout, const std::string& client, const std::string& site);

// Where a tube of the library is kept: its client and site.
struct Place {
    std::string client, site;
};

// The library's surveys added to `store`, readout by readout across the tubes: each timed into
// `adds` when given (one add a transaction), else a readout of every tube a batch. The ids by
// tube, then readout; empty, with the error said, when one failed.
std::vector<std::vector<std::int64_t>> addLibrary(surveys::SurveyStore& store,
                                                  const std::function<Place(int tube)>& place,
                                                  std::vector<double>* adds = nullptr);

// `bench` on an SQLite file in a temporary folder, then, when TARVELON_TEST_PG names a server
// (scripts/with-postgres), on a database of its own there, dropped after; the first failure's
// status, else 0.
int onEachEngine(const std::string& name, const std::function<int(const std::string& location, bool file)>& bench);

} // namespace tarvelon::bench
