#pragma once
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace tarvelon {

// Paths inside the program are UTF-8 strings on every system. They reach the file system
// only through these, which hand them to Windows as UTF-16 (its wide API) and to Linux as
// the same bytes, so a name looks the same on both.
std::filesystem::path fsPath(const std::string& utf8);
std::string utf8Path(const std::filesystem::path& path);
// `name` inside `folder`; just `name` when there is no folder.
std::string joinPath(const std::string& folder, std::string_view name);
std::FILE* openFile(const std::string& utf8, const char* mode);

// A text from the unit or the window (Windows-1252) as a UTF-8 file name, and a UTF-8 path
// as a text the window can show.
std::string fileNameFromText(std::string_view text);
std::string textFromPath(std::string_view utf8);

} // namespace tarvelon
