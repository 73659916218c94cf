#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One download of a block as the survey library keeps it. Texts are UTF-8.
namespace tarvelon::surveys {

inline constexpr int kChannels = 8;

// Depths are whole tenths of a metre, as the unit steps by 0.5 m or 1 m.
struct SurveyRow {
    int depthTenths = 0;
    std::array<std::optional<std::int64_t>, kChannels> readings{};
    bool operator==(const SurveyRow&) const = default;
};

struct Survey {
    std::int64_t id = 0;
    std::string client, site, tube;
    std::optional<double> depth; // metres, as the header gives it
    double step = 1.0;           // metres between rows
    std::string guides, north, readout;
    std::string date, time;      // as read from the unit: "DD/MM/YY", "hh:mm:ss"
    std::string downloadedAt;    // ISO 8601, UTC
    std::string headerFile, readingsFile;
    std::vector<SurveyRow> rows; // shallowest first
};

// What the tree of the library needs of a survey.
struct SurveySummary {
    std::int64_t id = 0;
    std::string client, site, tube, readout, date, time, downloadedAt;
};

} // namespace tarvelon::surveys
