// A header record from bytes of any length and content, and a header file holding them.
// Input: one byte for the record number asked for, then the bytes.
#include "fuzz_check.h"
#include "link/header_file.h"
#include "link/header_record.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

using namespace tarvelon;

namespace {

constexpr size_t kLength = HeaderRecord::kLength;

// One file for the whole run, removed when the fuzzer ends.
const std::string& scratchFile()
{
    static const std::string path = [] {
        char name[] = "/tmp/tarvelon-fuzz-header-XXXXXX";
        const int fd = ::mkstemp(name);
        FUZZ_REQUIRE(fd >= 0);
        ::close(fd);
        return std::string(name);
    }();
    static const bool cleanup = (std::atexit([] { std::remove(scratchFile().c_str()); }), true);
    (void)cleanup;
    return path;
}

void writeAll(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    FUZZ_REQUIRE(out.flush());
}

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Record k of a file of `bytes` as the program reads it: a short last record blank-padded.
std::string recordAt(const std::string& bytes, size_t k)
{
    std::string r = bytes.substr((k - 1) * kLength, kLength);
    r.resize(kLength, ' ');
    return r;
}

void checkFieldWidths(const HeaderRecord& r)
{
    for (int f = 0; f < HeaderRecord::FieldCount; ++f)
        FUZZ_REQUIRE(r.get(static_cast<HeaderRecord::Field>(f)).size() ==
                     static_cast<size_t>(HeaderRecord::kWidths[static_cast<size_t>(f)]));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // Record numbers around the file's end, and 0 and below.
    const int k = static_cast<int>(data[0] % 48) - 2;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    // From bytes: always 77 bytes, the first 77 given ones blank-padded, and stable.
    const HeaderRecord record = HeaderRecord::fromBytes(bytes);
    FUZZ_REQUIRE(record.bytes().size() == kLength);
    std::string head = bytes.substr(0, kLength);
    head.resize(kLength, ' ');
    FUZZ_REQUIRE(record.bytes() == head);
    FUZZ_REQUIRE(HeaderRecord::fromBytes(record.bytes()) == record);
    checkFieldWidths(record);

    // From a header file of these bytes: record k exists exactly when the file reaches it.
    const std::string& path = scratchFile();
    writeAll(path, bytes);
    const HeaderFile file(path);
    const HeaderRecord untouched = defaultHeader(1);
    HeaderRecord read = untouched;
    const bool exists = k >= 1 && static_cast<size_t>(k - 1) * kLength < bytes.size();
    FUZZ_REQUIRE(file.read(k, read) == exists);
    if (exists) {
        FUZZ_REQUIRE(read.bytes() == recordAt(bytes, static_cast<size_t>(k)));
        checkFieldWidths(read);
    } else {
        FUZZ_REQUIRE(read == untouched); // a failed read leaves the record as it was
    }
    FUZZ_REQUIRE(readAll(path) == bytes); // reading changes nothing

    // Writing record k replaces those 77 bytes only and reads back as written.
    if (k >= 1) {
        FUZZ_REQUIRE(file.write(k, record));
        const std::string after = readAll(path);
        const size_t at = static_cast<size_t>(k - 1) * kLength;
        FUZZ_REQUIRE(after.size() == std::max(bytes.size(), at + kLength));
        FUZZ_REQUIRE(after.substr(at, kLength) == record.bytes());
        FUZZ_REQUIRE(after.compare(0, std::min(at, bytes.size()), bytes, 0, std::min(at, bytes.size())) == 0);
        if (bytes.size() > at + kLength)
            FUZZ_REQUIRE(after.substr(at + kLength) == bytes.substr(at + kLength));
        HeaderRecord back;
        FUZZ_REQUIRE(file.read(k, back) && back == record);
    }
    return 0;
}
