#include "platform/file_path.h"

#include "platform/cp1252.h"

#ifdef _WIN32
#include <cwchar>
#endif

namespace tarvelon {

std::filesystem::path fsPath(const std::string& utf8)
{
    try {
        return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
    } catch (const std::exception&) {
        // Bytes that are not UTF-8 name no file Windows could hold; an empty path opens nothing.
        return {};
    }
}

std::string utf8Path(const std::filesystem::path& path)
{
    const std::u8string s = path.u8string();
    return std::string(s.begin(), s.end());
}

std::string joinPath(const std::string& folder, std::string_view name)
{
    if (folder.empty())
        return std::string(name);
    return utf8Path(fsPath(folder) / fsPath(std::string(name)));
}

std::FILE* openFile(const std::string& utf8, const char* mode)
{
    const std::filesystem::path path = fsPath(utf8);
    if (path.empty())
        return nullptr;
#ifdef _WIN32
    std::wstring wideMode;
    for (const char* m = mode; *m; ++m)
        wideMode.push_back(static_cast<wchar_t>(*m));
    return _wfopen(path.c_str(), wideMode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

std::string fileNameFromText(std::string_view text)
{
    return toUtf8(fromCp1252(std::string(text)));
}

std::string textFromPath(std::string_view utf8)
{
    return toCp1252(fromUtf8(utf8));
}

} // namespace tarvelon
