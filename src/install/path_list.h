#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// A PATH value as Windows keeps it: entries separated by ';', an entry in double quotes may hold
// a ';'. The installer adds and removes the program's folder through these functions only, so
// that everything else in the value stays exactly as it was written.
namespace tarvelon::install {

// Windows refuses an environment variable longer than this (in UTF-16 units).
inline constexpr std::size_t kMaxVariableLength = 32767;

// Expands %NAME% references as the system would; empty means entries are compared as written.
using Expand = std::function<std::wstring(std::wstring_view)>;

// The entries as written, empty ones included ("A;;B;" gives A, "", B, "").
std::vector<std::wstring> splitPath(std::wstring_view value);

// Two folders are the same when they differ only in case, in surrounding quotes or spaces, in
// '/' for '\', or in trailing backslashes (as Windows' file names are compared).
bool sameFolder(std::wstring_view a, std::wstring_view b);

// Whether an entry of the value names the folder, each entry also compared expanded.
bool containsFolder(std::wstring_view value, std::wstring_view folder, const Expand& expand = {});

// The value with the folder appended, written without a trailing backslash; a value that ended
// in ';' keeps ending in one, so that removing the folder again gives back the value exactly.
std::wstring withFolder(std::wstring_view value, std::wstring_view folder);

// The value without the entries that name the folder as written (not expanded: a reference
// such as %ProgramFiles%\... is the user's own), everything else kept character for character.
std::wstring withoutFolder(std::wstring_view value, std::wstring_view folder);

} // namespace tarvelon::install
