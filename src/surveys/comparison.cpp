#include "surveys/comparison.h"

#include <charconv>
#include <map>
#include <set>

namespace tarvelon::surveys {
namespace {

bool hasChannels(const SurveyRow& r)
{
    return r.readings[0] && r.readings[1];
}

// Shortest text that reads back as the same value, whatever the program's locale, and never
// in exponent form: 100000 would otherwise come out as "1e+05".
std::string number(double v)
{
    char buf[400]; // the longest fixed form of a double
    const auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed).ptr;
    return std::string(buf, end);
}

std::string optionalNumber(const std::optional<std::int64_t>& v)
{
    return v ? std::to_string(*v) : std::string();
}

} // namespace

std::string depthMetres(int tenths)
{
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

Comparison compare(const Survey& base, const Survey& readout)
{
    std::map<int, const SurveyRow*> baseAt;
    for (const SurveyRow& r : base.rows)
        if (hasChannels(r))
            baseAt[r.depthTenths] = &r;

    Comparison c;
    int matched = 0;
    for (const SurveyRow& r : readout.rows) {
        const auto b = baseAt.find(r.depthTenths);
        if (!hasChannels(r) || b == baseAt.end())
            continue;
        ++matched;
        ComparisonRow row;
        row.depthTenths = r.depthTenths;
        for (size_t j = 0; j < 2; ++j) {
            row.base[j] = *b->second->readings[j];
            row.reading[j] = *r.readings[j];
            row.change[j] = row.reading[j] - row.base[j];
        }
        c.rows.push_back(row);
    }
    std::set<int> depths;
    for (const Survey* s : {&base, &readout})
        for (const SurveyRow& r : s->rows)
            depths.insert(r.depthTenths);
    c.leftOut = static_cast<int>(depths.size()) - matched;

    std::array<double, 2> sum{};
    for (auto it = c.rows.rbegin(); it != c.rows.rend(); ++it)
        for (size_t j = 0; j < 2; ++j)
            it->cumulative[j] = sum[j] += static_cast<double>(it->change[j]) * readout.step;
    return c;
}

std::string surveyCsv(const Survey& survey)
{
    int channels = 0;
    for (const SurveyRow& r : survey.rows)
        for (int j = 0; j < kChannels; ++j)
            if (r.readings[size_t(j)])
                channels = std::max(channels, j + 1);
    std::string out = "depth_m";
    for (int j = 1; j <= channels; ++j)
        out += ",reading" + std::to_string(j);
    out += "\n";
    for (const SurveyRow& r : survey.rows) {
        out += depthMetres(r.depthTenths);
        for (int j = 0; j < channels; ++j)
            out += "," + optionalNumber(r.readings[size_t(j)]);
        out += "\n";
    }
    return out;
}

std::string comparisonCsv(const Comparison& c, double scale)
{
    const std::string unit = scale > 0 ? "mm" : "reading_units_x_m";
    std::string out = "depth_m,base_reading1,base_reading2,reading1,reading2,change1,change2,cumulative1_" + unit +
                      ",cumulative2_" + unit + "\n";
    for (const ComparisonRow& r : c.rows) {
        out += depthMetres(r.depthTenths);
        for (const auto* values : {&r.base, &r.reading, &r.change})
            out += "," + std::to_string((*values)[0]) + "," + std::to_string((*values)[1]);
        for (double v : r.cumulative)
            out += "," + number(scale > 0 ? v * scale : v);
        out += "\n";
    }
    return out;
}

} // namespace tarvelon::surveys
