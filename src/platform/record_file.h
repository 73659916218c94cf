#pragma once
#include <cstdio>
#include <string>
#include <string_view>

namespace tarvelon {

// A file of fixed-length records, numbered from 1, record k at byte (k - 1) x length.
// Opening creates the file when it is absent; every write reaches the file before it
// returns, so a program that ends at any moment leaves every written record in place.
// Paths are UTF-8. Failures are reported by return value, never thrown.
class RecordFile {
public:
    RecordFile() = default;
    RecordFile(const std::string& path, int recordLength) { open(path, recordLength); }
    ~RecordFile() { close(); }
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    bool open(const std::string& path, int recordLength);
    void close();
    bool isOpen() const { return file_ != nullptr; }
    // Every record written is on the disk itself, not only handed to the system.
    bool sync();
    // Writes `record`, cut or blank-padded to the record length, as record k.
    bool write(long k, std::string_view record);
    // Reads record k; false when the file is closed or holds no such record.
    bool read(long k, std::string& record);
    // Whole records in the file (a partial last record counts as one, as it can be read).
    long count();

private:
    std::FILE* file_ = nullptr;
    int length_ = 0;
};

// Deletes a file; false only when it exists and could not be removed.
bool removeFile(const std::string& path);
// Moves `from` over `to` in one step, so `to` is always either the old file or the new one
// whole; both must lie in the same folder. The move itself is on the disk when it returns.
// On failure `why`, when given, says why in the system's words.
bool replaceFile(const std::string& from, const std::string& to, std::string* why = nullptr);
// A copy of the file `from` as `to`, replacing any file of that name; `why` as above.
bool copyFile(const std::string& from, const std::string& to, std::string* why = nullptr);

} // namespace tarvelon
