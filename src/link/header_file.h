#pragma once
#include "link/header_record.h"
#include "platform/file_path.h"

#include <string>
#include <string_view>

namespace tarvelon {

inline constexpr std::string_view kCannotWriteHeaderFile = "Attention: cannot write header file ";
inline constexpr std::string_view kCannotReadHeaderFile = "Attention: cannot read header file ";

// The local header file: record k holds the header of block k. It is opened and closed
// around every access and never held open across a wait for the unit.
class HeaderFile {
public:
    // `path` is UTF-8; path() gives it as the window and the messages show it.
    explicit HeaderFile(std::string path) : path_(std::move(path)) {}
    std::string path() const { return textFromPath(path_); }

    bool read(int k, HeaderRecord& record) const;
    bool write(int k, const HeaderRecord& record) const;
    // Writes the default header of every block as its record; a longer file keeps its length.
    bool writeDefaults() const;

private:
    std::string path_;
};

} // namespace tarvelon
