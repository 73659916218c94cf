#pragma once

#include <string>

// The PATH value in the registry, the machine's or the user's, read and written whole.
namespace tarvelon::install {

enum class PathScope { Machine, User };

// What a change of the PATH came to: done, nothing to do, or refused with a message (nothing
// written then).
enum class PathResult { Changed = 0, Unchanged = 1, Refused = 2 };

// Adds the folder when the registry's value (not this process's inherited environment) lacks it.
PathResult addToPath(PathScope scope, const std::wstring& folder, std::wstring& message);
// Removes the entries naming the folder as written, everything else left as it was.
PathResult removeFromPath(PathScope scope, const std::wstring& folder, std::wstring& message);

} // namespace tarvelon::install
