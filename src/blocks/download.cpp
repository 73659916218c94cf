#include "blocks/download.h"
#include "platform/translate.h"

#include "blocks/download_steps.h"
#include "blocks/header_entry.h"
#include "blocks/header_read.h"
#include "link/block.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tarvelon {

using namespace download_steps;

namespace {

constexpr std::string_view kBlockBox = "numblocco";
constexpr int kReadingPages = 15;
constexpr int kRowsPerPage = 16;
// The pause before the export is written: the tick counter must pass 4.
constexpr int kPauseTicks = 5;

DownloadedBlock endWithoutFiles(Context& c)
{
    c.form.setEnabled(kOkButton, true);
    c.loop.yield();
    return {};
}

} // namespace

// A folder where a file can be created; false when there is none or it refuses.
bool folderTakesFiles(const std::string& folder)
{
    const std::string probe = joinPath(folder, ".tarvelon-write-test");
    std::FILE* f = folder.empty() ? nullptr : openFile(probe, "wb");
    if (!f)
        return false;
    std::fclose(f);
    return removeFile(probe);
}

int readingRowCount(std::string_view depthMetres, std::string_view step)
{
    const int depth = static_cast<int>(std::lround(numericValue(depthMetres) * 10));
    if (depth <= 0)
        return 0;
    // A 0.5 m step goes on while half a metre is left, a 1 m step while anything is.
    const int rows = step == "0" ? depth / 5 : (depth + 9) / 10;
    return std::min(rows, kReadingPages * kRowsPerPage);
}

DownloadedBlock downloadBlock(Context& c)
{
    // A block number outside 1 to 30 downloads nothing.
    if (!checkBlockNumber(c, kBlockBox))
        return {};
    const int block = *blockNumberOf(c.form.text(kBlockBox));
    const auto reportStop = [&c, block] { reportStopped(c, {}, "", {block}, QT_TRANSLATE_N_NOOP("Texts", "not downloaded")); };

    // 1. Busy, and no second download while the port is open.
    c.form.showWaitIndicator(true);
    c.loop.yield();
    c.form.setEnabled(kOkButton, false);
    c.loop.yield();

    // 2. The block's header rows.
    c.state.blockCode = *blockCode(block);

    // 3. Port and first wake.
    Exchange ex(c);
    if (!ex.openPort())
        return endWithoutFiles(c);
    const Wake firstWake = ex.handshake(Limit::ReplyTime);
    if (firstWake == Wake::NoReply) {
        reportStop();
        return endWithoutFiles(c);
    }

    // 4 to 11. Header, header export file staged, readings into the work file.
    BlockRun run(block);
    switch (readBlockRows(c, ex, firstWake, run, {}, -1, 0)) {
    case Reading::HeaderUnread:
        ex.end();
        endWithoutFiles(c);
        showProblems(c, run.result);
        return {};
    case Reading::Ended:
        keepEarlierExports(run);
        c.form.setEnabled(kOkButton, true);
        c.form.setText("Text1", "");
        c.loop.yield();
        // A stop is what the operator asked for: one message says what it left.
        if (c.form.stopRequested())
            reportStop();
        else
            showProblems(c, run.result);
        return {};
    case Reading::Complete:
        break;
    }

    // 12. Port closed.
    c.port.close();
    c.form.setEnabled(kOkButton, true);
    // 13. Pause, then Timer1 off. Every row is read: a window closed in the pause still gets
    // its export before the program ends.
    bool closing = false;
    try {
        c.loop.yield();
        ex.settleWait(kPauseTicks);
    } catch (const ProgramClosing&) {
        closing = true;
    }
    c.timer1.disable();

    // 14 to 16. The export files.
    exportBlock(c, run);
    if (closing)
        throw ProgramClosing{};

    // 17. Idle again.
    c.form.showWaitIndicator(false);
    c.loop.yield();
    c.form.setText("Text1", "");
    c.loop.yield();
    showProblems(c, run.result);
    return run.result.downloaded;
}

void download(Context& c)
{
    downloadBlock(c);
}

} // namespace tarvelon
