#include "analysis/reason.h"

#include <cstring>

namespace tarvelon::surveys {

Reason::Reason(const char* source, std::vector<std::string> values)
{
    parts_.push_back({source, std::move(values), {}});
}

Reason Reason::quoting(const char* source, std::vector<Reason> inner)
{
    Reason r;
    r.parts_.push_back({source, {}, std::move(inner)});
    return r;
}

Reason Reason::verbatim(std::string text)
{
    Reason r;
    r.parts_.push_back({nullptr, {std::move(text)}, {}});
    return r;
}

bool Reason::Part::operator==(const Part& other) const
{
    const bool same = source && other.source ? std::strcmp(source, other.source) == 0 : source == other.source;
    return same && values == other.values && inner == other.inner;
}

Reason& Reason::add(const Reason& more)
{
    parts_.insert(parts_.end(), more.parts_.begin(), more.parts_.end());
    return *this;
}

std::string Reason::english() const
{
    std::string out;
    for (const Part& p : parts_) {
        std::vector<std::string> values = p.values;
        for (const Reason& r : p.inner)
            values.push_back(r.english());
        out += (out.empty() ? "" : "; ") + (p.source ? fillIn(p.source, values) : values.front());
    }
    return out;
}

std::string Reason::shown() const
{
    std::string out;
    for (const Part& p : parts_) {
        std::vector<std::string> values = p.values;
        for (const Reason& r : p.inner)
            values.push_back(r.shown());
        out += (out.empty() ? "" : "; ") + (p.source ? fillIn(said(p.source), values) : values.front());
    }
    return out;
}

} // namespace tarvelon::surveys
