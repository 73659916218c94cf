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

// The parts joined, each source said by `say` and each inner reason by `inner`: the one walk
// both the files' English and the reader's language take.
template <class Parts, class Say, class Inner>
std::string joined(const Parts& parts, Say say, Inner inner)
{
    std::string out;
    for (const auto& p : parts) {
        std::vector<std::string> values = p.values;
        for (const Reason& r : p.inner)
            values.push_back(inner(r));
        out += (out.empty() ? "" : "; ") + (p.source ? fillIn(say(p.source), values) : values.front());
    }
    return out;
}

std::string Reason::english() const
{
    return joined(
        parts_, [](const char* source) { return std::string(source); },
        [](const Reason& r) { return r.english(); });
}

std::string Reason::shown() const
{
    return joined(parts_, [](const char* source) { return said(source); }, [](const Reason& r) { return r.shown(); });
}

} // namespace tarvelon::surveys
