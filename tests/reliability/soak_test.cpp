// A long working day against a healthy unit: Set All, Read All Blocks and a download, over
// and over, on the virtual clock. Nothing may grow and nothing may drift.
#include "blocks/download.h"
#include "blocks/header_read.h"
#include "blocks/header_write.h"
#include "link/fields.h"
#include "link/startup.h"
#include "reliability/bench.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#ifdef _WIN32
#include <malloc.h>
#include <windows.h>
#include <psapi.h>
#else
#include <malloc.h>
#endif

using namespace tarvelon;
using namespace tarvelon::test;

namespace {

// The window's boxes without the test form's record of every value a box has taken, which
// would grow with every cycle and hide the program's own memory.
class PlainForm : public Form {
public:
    PlainForm()
    {
        for (const FieldSpec& f : kFields)
            boxes_[std::string(f.name)] = std::string(f.initial);
    }
    std::string text(std::string_view field) const override { return boxes_.at(std::string(field)); }
    void setText(std::string_view field, std::string_view text) override
    {
        const int max = maxLengthOf(field);
        boxes_.at(std::string(field)) = std::string(max > 0 ? text.substr(0, size_t(max)) : text);
    }
    void setEnabled(std::string_view control, bool enabled) override { enabled_[std::string(control)] = enabled; }
    bool isEnabled(std::string_view control) const override
    {
        const auto it = enabled_.find(std::string(control));
        return it == enabled_.end() || it->second;
    }
    void showWaitIndicator(bool shown) override { waitShown_ = shown; }
    bool waitIndicatorShown() const override { return waitShown_; }

private:
    std::map<std::string, std::string> boxes_;
    std::map<std::string, bool> enabled_;
    bool waitShown_ = false;
};

#ifdef _WIN32
long residentKiB()
{
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return -1;
    return long(counters.WorkingSetSize / 1024);
}

size_t heapInUse()
{
    _HEAPINFO entry{};
    size_t used = 0;
    while (_heapwalk(&entry) == _HEAPOK)
        if (entry._useflag == _USEDENTRY)
            used += entry._size;
    return used;
}
#else
long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = -1;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            break;
        }
        std::getline(status, key);
    }
    return value;
}

size_t heapInUse()
{
    return mallinfo2().uordblks;
}
#endif

// A thousand cycles take about two seconds; TARVELON_SOAK_CYCLES asks for a longer day.
int cycles()
{
    const char* env = std::getenv("TARVELON_SOAK_CYCLES");
    const int n = env ? std::atoi(env) : 0;
    return n > 10 ? n : 1000;
}

} // namespace

TEST(Soak, SetAllReadAllAndDownloadRepeatWithoutGrowthOrDrift)
{
    Harness h;
    PlainForm form;
    Context ctx{h.state, form, h.line, h.loop, h.timer1, h.messages, h.desktop};
    startUp(ctx, h.state.headerFilePath);
    h.unit.fillDemo();
    const std::filesystem::path out = h.dir.path() / "out";
    std::filesystem::create_directory(out);
    h.state.downloadFolder = out.string();
    form.setText("numblocco", "06");
    // The unit's own headers into the header file, so Set All writes back what it holds.
    readAllBlocks(ctx);

    const int total = cycles();
    std::string headerFile;
    std::map<std::string, std::string> files;
    size_t lines = 0;
    long rssAt10 = 0;
    size_t heapAt10 = 0;
    const auto started = std::chrono::steady_clock::now();
    for (int cycle = 1; cycle <= total; ++cycle) {
        SCOPED_TRACE(cycle);
        h.unit.clearLog();
        h.loop.limit = h.clock.now() + int64_t(10) * 60 * 1000 * 1000;
        setAll(ctx);
        readAllBlocks(ctx);
        download(ctx);
        ASSERT_TRUE(h.messages.shown.empty()) << h.messages.shown[0].text;
        // The test's record of questions would grow with every cycle.
        ASSERT_EQ(h.messages.questions.size(), 1u) << "Set All asks, the others do not";
        h.messages.questions.clear();
        h.messages.erased.clear();
        h.messages.asked.clear();
        ASSERT_FALSE(h.line.isOpen());
        ASSERT_FALSE(form.waitIndicatorShown());
        ASSERT_TRUE(form.isEnabled("command3d1"));
        if (cycle == 1) {
            headerFile = readFile(h.state.headerFilePath);
            files = filesIn(out);
            lines = h.unit.log().size();
            ASSERT_EQ(headerFileFault(headerFile), "");
            ASSERT_EQ(files.size(), 3u);
            ASSERT_EQ(lines, 62u + 600u + 2u * (10 + 21)) << "Set All, Read All Blocks, block 6's 21 rows";
        } else {
            ASSERT_EQ(readFile(h.state.headerFilePath), headerFile);
            ASSERT_EQ(filesIn(out), files);
            ASSERT_EQ(h.unit.log().size(), lines);
        }
        if (cycle == 10) {
            rssAt10 = residentKiB();
            heapAt10 = heapInUse();
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const long rssEnd = residentKiB();
    const size_t heapEnd = heapInUse();
    std::printf("soak: %d cycles in %.2f s real (%.0f s virtual); VmRSS %ld KiB at cycle 10, %ld KiB at the end; "
                "heap in use %zu bytes at cycle 10, %zu at the end\n",
                total, seconds, h.seconds(), rssAt10, rssEnd, heapAt10, heapEnd);
    EXPECT_LT(rssEnd - rssAt10, 1024) << "resident memory grew by more than 1 MiB";
    EXPECT_LT(long(heapEnd) - long(heapAt10), 64 * 1024) << "heap in use grew by more than 64 KiB";
}
