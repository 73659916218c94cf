#include "install/path_list.h"

namespace tarvelon::install {
namespace {

// Upper case as Windows compares file names, for the scripts the program's users write: Latin
// (ASCII, Latin-1, Latin Extended-A), Greek and Cyrillic.
wchar_t upper(wchar_t c)
{
    const unsigned u = static_cast<unsigned>(c);
    if (u >= 'a' && u <= 'z')
        return static_cast<wchar_t>(u - 0x20);
    if (u < 0x80)
        return c;
    if ((u >= 0xE0 && u <= 0xFE && u != 0xF7))
        return static_cast<wchar_t>(u - 0x20);
    if (u == 0xFF)
        return static_cast<wchar_t>(0x178);
    // Latin Extended-A pairs upper/lower, with an odd start in two runs and a few singles.
    if ((u >= 0x100 && u <= 0x12F) || (u >= 0x132 && u <= 0x137) || (u >= 0x14A && u <= 0x177))
        return static_cast<wchar_t>(u & ~1u);
    if ((u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E))
        return static_cast<wchar_t>((u & 1u) ? u : u - 1);
    if (u == 0x3C2)
        return static_cast<wchar_t>(0x3A3);
    if (u >= 0x3B1 && u <= 0x3C9)
        return static_cast<wchar_t>(u - 0x20);
    if (u >= 0x430 && u <= 0x44F)
        return static_cast<wchar_t>(u - 0x20);
    if (u >= 0x450 && u <= 0x45F)
        return static_cast<wchar_t>(u - 0x50);
    return c;
}

// The folder as compared: no surrounding blanks or quotes, '\' for '/', no trailing '\'.
std::wstring comparable(std::wstring_view entry)
{
    auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    while (!entry.empty() && blank(entry.front()))
        entry.remove_prefix(1);
    while (!entry.empty() && blank(entry.back()))
        entry.remove_suffix(1);
    if (entry.size() >= 2 && entry.front() == L'"' && entry.back() == L'"')
        entry = entry.substr(1, entry.size() - 2);
    std::wstring out;
    out.reserve(entry.size());
    for (wchar_t c : entry)
        out.push_back(c == L'/' ? L'\\' : upper(c));
    while (!out.empty() && out.back() == L'\\')
        out.pop_back();
    return out;
}

std::wstring joined(const std::vector<std::wstring>& entries)
{
    std::wstring out;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0)
            out.push_back(L';');
        out += entries[i];
    }
    return out;
}

} // namespace

std::vector<std::wstring> splitPath(std::wstring_view value)
{
    std::vector<std::wstring> entries;
    if (value.empty())
        return entries;
    std::wstring current;
    bool quoted = false;
    for (wchar_t c : value) {
        if (c == L'"')
            quoted = !quoted;
        if (c == L';' && !quoted) {
            entries.push_back(current);
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    entries.push_back(current);
    return entries;
}

bool sameFolder(std::wstring_view a, std::wstring_view b)
{
    const std::wstring left = comparable(a);
    return !left.empty() && left == comparable(b);
}

bool containsFolder(std::wstring_view value, std::wstring_view folder, const Expand& expand)
{
    for (const std::wstring& entry : splitPath(value)) {
        if (sameFolder(entry, folder))
            return true;
        if (expand && entry.find(L'%') != std::wstring::npos && sameFolder(expand(entry), folder))
            return true;
    }
    return false;
}

std::wstring withFolder(std::wstring_view value, std::wstring_view folder)
{
    std::wstring entry(folder);
    // A drive's root keeps its backslash ("C:" alone means that drive's current folder).
    while (entry.size() > 3 && (entry.back() == L'\\' || entry.back() == L'/'))
        entry.pop_back();
    if (value.empty())
        return entry;
    if (value.back() == L';')
        return std::wstring(value) + entry + L';';
    return std::wstring(value) + L';' + entry;
}

std::wstring withoutFolder(std::wstring_view value, std::wstring_view folder)
{
    std::vector<std::wstring> kept;
    bool removed = false;
    for (std::wstring& entry : splitPath(value)) {
        if (sameFolder(entry, folder))
            removed = true;
        else
            kept.push_back(std::move(entry));
    }
    return removed ? joined(kept) : std::wstring(value);
}

} // namespace tarvelon::install
