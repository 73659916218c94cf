#pragma once
#include "blocks/header_entry.h"
#include "link/block.h"
#include "link/header_file.h"
#include "link/header_record.h"
#include "support/harness.h"

#include <filesystem>
#include <map>
#include <string>

namespace tarvelon::test {

inline constexpr int kHeaderFileSize = kBlockCount * HeaderRecord::kLength;
inline constexpr const char* kUnitClock = "230615083000";
inline constexpr const char* kClockBoxes[] = {"Text2a", "Text1a", "Text13a", "Text14a", "Text3a", "Text4a"};

// A working day's set-up: a unit with plausible headers and readings, headers of the
// operator's own in the header file (so a record written by mistake shows), a download
// folder, block 6 to download and clock boxes that differ from the unit's clock.
struct Bench {
    Harness h;
    std::filesystem::path out = h.dir.path() / "out";

    Bench()
    {
        h.startUp();
        h.unit.fillDemo();
        h.unit.setClock(kUnitClock);
        std::filesystem::create_directory(out);
        h.state.downloadFolder = out.string();
        const HeaderFile file = h.headerFile();
        for (int n = 1; n <= kBlockCount; ++n) {
            HeaderRecord r = defaultHeader(n);
            r.set(HeaderRecord::Client, "OWN   " + twoDigits(n));
            r.set(HeaderRecord::Site, "QUARRY");
            r.set(HeaderRecord::Depth, "0125");
            r.set(HeaderRecord::Date, "010224");
            file.write(n, r);
        }
        showBlockOne(h.ctx);
        h.form.setText("numblocco", "06");
        const char* clock[] = {"24", "12", "31", "17", "59", "30"};
        for (size_t i = 0; i < std::size(kClockBoxes); ++i)
            h.form.setText(kClockBoxes[i], clock[i]);
    }

    std::string headerFileBytes() const { return readFile(h.state.headerFilePath); }
};

// Every file of a folder by name, with its bytes.
inline std::map<std::string, std::string> filesIn(const std::filesystem::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        files[e.path().filename().string()] = readFile(e.path().string());
    return files;
}

// Why a header file could not have been written by the program: its size, or a record that
// the page cannot show and store back unchanged, or one holding control characters. Empty
// when the file is sound.
inline std::string headerFileFault(const std::string& bytes)
{
    if (bytes.size() != size_t(kHeaderFileSize))
        return "header file of " + std::to_string(bytes.size()) + " bytes";
    for (int k = 0; k < kBlockCount; ++k) {
        const std::string rec = bytes.substr(size_t(k) * HeaderRecord::kLength, HeaderRecord::kLength);
        const HeaderRecord record = HeaderRecord::fromBytes(rec);
        FakeForm page;
        recordToWindow(record, page, FieldSet::All);
        HeaderRecord back;
        windowToRecord(page, back, FieldSet::All);
        if (record.bytes() != rec || back.bytes() != rec)
            return "record " + std::to_string(k + 1) + " is not one the page could store: [" + rec + "]";
        for (unsigned char ch : rec)
            if (ch < 0x20 || ch == 0x7F)
                return "record " + std::to_string(k + 1) + " holds a control character";
    }
    return {};
}

} // namespace tarvelon::test
