#pragma once
#include "surveys/survey.h"

#include <array>
#include <string>
#include <vector>

// A readout against the tube's base readout, depth by depth, for readings 1 and 2.
namespace tarvelon::surveys {

struct ComparisonRow {
    int depthTenths = 0;
    std::array<std::int64_t, 2> base{}, reading{}, change{};
    // The change summed from the deepest depth up to this one, times the step length:
    // reading units x m.
    std::array<double, 2> cumulative{};
};

struct Comparison {
    std::vector<ComparisonRow> rows; // shallowest first
    // Depths in one readout and not the other (or without reading 1 or 2 in one of them).
    int leftOut = 0;
};

// `readout` minus `base` at every depth both hold; the step is the readout's.
Comparison compare(const Survey& base, const Survey& readout);

// The table as CSV: UTF-8, comma separated, "." as decimal point, a header line.
std::string surveyCsv(const Survey& survey);
// `scale` turns reading units x m into millimetres; 0 leaves the cumulative in reading units x m.
std::string comparisonCsv(const Comparison& comparison, double scale);
// Depth in metres as the tables show it: "12.5".
std::string depthMetres(int tenths);

} // namespace tarvelon::surveys
