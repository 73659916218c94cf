// The export-file reader on any bytes: the first byte says where the header export file ends
// and the readings export file begins.
#include "fuzz_check.h"
#include "library/export_reader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    // First byte 99 splits at the header export file's 798 bytes.
    const size_t split = std::min(bytes.size(), size_t(data[0]) * 2 + 600);
    const auto r = tarvelon::surveys::readExport(bytes.substr(0, split), bytes.substr(split));
    FUZZ_REQUIRE(r.survey.has_value() != !r.error.empty());
    if (r.survey) {
        const auto& rows = r.survey->rows;
        FUZZ_REQUIRE(std::adjacent_find(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
                         return a.depthTenths >= b.depthTenths;
                     }) == rows.end());
    }
    return 0;
}
