#include "platform/record_file.h"
#include "platform/translate.h"

#include "platform/file_path.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

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

bool RecordFile::sync()
{
    if (!file_ || std::fflush(file_) != 0)
        return false;
#ifdef _WIN32
    return _commit(_fileno(file_)) == 0;
#else
    // A file system that cannot sync (EINVAL) keeps the file as well as it can.
    return ::fsync(::fileno(file_)) == 0 || errno == EINVAL;
#endif
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

bool replaceFile(const std::string& from, const std::string& to, std::string* why)
{
    std::error_code ec;
    if (std::filesystem::is_directory(fsPath(to), ec)) {
        if (why)
            *why = translate("Texts", "a folder has that name");
        return false;
    }
    std::filesystem::rename(fsPath(from), fsPath(to), ec);
    if (ec) {
        if (why)
            *why = ec.message();
        return false;
    }
#ifndef _WIN32
    // The folder's entry is what the rename changed: it too must reach the disk.
    const std::string folder = utf8Path(fsPath(to).parent_path());
    if (const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY); fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
    return true;
}

bool copyFile(const std::string& from, const std::string& to, std::string* why)
{
    std::error_code ec;
    std::filesystem::copy_file(fsPath(from), fsPath(to), std::filesystem::copy_options::overwrite_existing, ec);
    if (ec && why)
        *why = ec.message();
    return !ec;
}

} // namespace tarvelon
