// The base name of a download's export files, built from header texts the unit sent: whatever
// they hold, the files stay inside the download folder on Windows and on Linux.
// The name's UTF-8 form keeps every character.
// Input: client, site, tube and readout number (FuzzedDataProvider strings), then a raw name.
#include "blocks/export_files.h"
#include "fuzz_check.h"
#include "platform/file_path.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <filesystem>
#include <string>

using namespace tarvelon;

namespace {

bool forbidden(unsigned char ch)
{
    return ch < 0x20 || ch == 0x7F || std::string_view("/\\:*?\"<>|").find(char(ch)) != std::string_view::npos;
}

void checkSafe(const std::string& name, std::string_view from)
{
    const std::string safe = safeFileName(name);
    FUZZ_REQUIRE(safe.size() == from.size());
    for (char ch : safe)
        FUZZ_REQUIRE(!forbidden(static_cast<unsigned char>(ch)));
    FUZZ_REQUIRE(safe != "." && safe != "..");
    // Characters that need no change keep their place.
    for (size_t i = 0; i < safe.size(); ++i)
        FUZZ_REQUIRE(safe[i] == from[i] || safe[i] == '_');

    // The UTF-8 name the file system gets stands for the same text, character for character.
    const std::string utf8 = fileNameFromText(safe);
    FUZZ_REQUIRE(textFromPath(utf8) == safe);
    FUZZ_REQUIRE(fsPath(utf8).filename() == fsPath(utf8));

    const std::filesystem::path folder = "/download";
    for (std::string_view suffix : {std::string_view(), kHeaderExportSuffix, kReadingsExportSuffix}) {
        const std::string file = safe + std::string(suffix);
        if (file.empty())
            continue;
        const std::filesystem::path joined = folder / file;
        FUZZ_REQUIRE(joined.parent_path() == folder);
        FUZZ_REQUIRE(joined.lexically_normal().parent_path() == folder);
        FUZZ_REQUIRE(joined.filename() == file);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    BlockHeader h;
    h.client = in.ConsumeRandomLengthString(16);
    h.site = in.ConsumeRandomLengthString(16);
    h.tube = in.ConsumeRandomLengthString(8);
    h.readout = in.ConsumeRandomLengthString(4);
    const std::string raw = in.ConsumeRemainingBytesAsString();

    const std::string base = exportBaseName(h);
    checkSafe(base, base);
    checkSafe(raw, raw);
    // Any bytes as a path: read without overrun, never longer as text than as bytes.
    FUZZ_REQUIRE(textFromPath(raw).size() <= raw.size());
    return 0;
}
