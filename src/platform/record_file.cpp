#include "platform/record_file.h"

#include "platform/file_path.h"

#include <filesystem>
#include <system_error>

namespace tarvelon {

bool RecordFile::open(const std::string& path, int recordLength)
{
    close();
    if (recordLength <= 0 || path.empty())
        return false;
    std::error_code ec;
    if (std::filesystem::is_directory(fsPath(path), ec))
        return false;
    // "r+b" keeps what the file holds; create it first when it is absent.
    file_ = openFile(path, "r+b");
    if (!file_) {
        file_ = openFile(path, "w+b");
    }
    length_ = recordLength;
    return file_ != nullptr;
}

void RecordFile::close()
{
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

bool RecordFile::write(long k, std::string_view record)
{
    if (!file_ || k < 1)
        return false;
    std::string bytes(record.substr(0, static_cast<size_t>(length_)));
    bytes.resize(static_cast<size_t>(length_), ' ');
    if (std::fseek(file_, (k - 1) * length_, SEEK_SET) != 0)
        return false;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        return false;
    return std::fflush(file_) == 0;
}

bool RecordFile::read(long k, std::string& record)
{
    if (!file_ || k < 1 || k > count())
        return false;
    if (std::fseek(file_, (k - 1) * length_, SEEK_SET) != 0)
        return false;
    std::string bytes(static_cast<size_t>(length_), ' ');
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), file_);
    if (got == 0)
        return false;
    // A short last record reads as blank-padded, like a record that was never filled.
    record = std::move(bytes);
    return true;
}

long RecordFile::count()
{
    if (!file_ || std::fseek(file_, 0, SEEK_END) != 0)
        return 0;
    const long size = std::ftell(file_);
    if (size <= 0)
        return 0;
    return (size + length_ - 1) / length_;
}

bool removeFile(const std::string& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(fsPath(path), ec))
        return false;
    std::filesystem::remove(fsPath(path), ec);
    return !ec;
}

bool replaceFile(const std::string& from, const std::string& to)
{
    std::error_code ec;
    if (std::filesystem::is_directory(fsPath(to), ec))
        return false;
    std::filesystem::rename(fsPath(from), fsPath(to), ec);
    return !ec;
}

} // namespace tarvelon
