#include "blocks/block_list.h"
#include "platform/translate.h"

#include "blocks/download.h"
#include "blocks/erase_question.h"
#include "blocks/export_files.h"
#include "blocks/header_read.h"
#include "link/block.h"
#include "link/progress.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace tarvelon {
namespace {

// The header rows the list reads, by their index in kHeaderRows.
enum : size_t { kClient = 0, kSite = 1, kTube = 2, kDepth = 3, kStep = 4, kReadout = 7, kDate = 8, kTime = 9 };
constexpr size_t kListed[] = {kClient, kSite, kTube, kDepth, kStep, kReadout, kDate, kTime};

// The rows of one block; false when the unit fell silent or the operator stopped.
// The first row of the list is fetched after the operation's first wake.
bool readListedRows(Context& c, Exchange& ex, std::optional<Wake>& firstWake, int block, HeaderTexts& texts)
{
    // The rows the list does not show count as read.
    for (size_t r = 0; r < texts.size(); ++r)
        if (std::find(std::begin(kListed), std::end(kListed), r) == std::end(kListed))
            texts[r] = "";
    const int perBlock = kListedRows + 1;
    int shown = 0;
    for (const size_t r : kListed) {
        // Depth 0 holds no readings: its step does not matter.
        if (r == kStep && numericValue(texts[kDepth].value_or("")) == 0) {
            texts[r] = "";
            continue;
        }
        showRowProgress(c.form, {block, kBlockCount, 0, perBlock}, ++shown, (kBlockCount - block) * perBlock);
        c.state.pageDigit = "0";
        c.state.rowOffset = kHeaderRows[r].offset;
        // Taken out of the optional first: GCC cannot follow the payload through the condition
        // and warns that it may be read uninitialised.
        const std::optional<Wake> wake = std::exchange(firstWake, std::nullopt);
        const Row row = wake.has_value() ? fetchRowAfterWake(c, ex, wake.value()) : fetchRow(c, ex);
        if (row.status == Row::Lost)
            return false;
        if (row.status == Row::Fetched)
            texts[r] = decodeBytes(row.reply, kHeaderRows[r].bytes);
    }
    return true;
}

ListedBlock listed(int block, const HeaderTexts& texts)
{
    const auto t = [&texts](size_t r) { return texts[r].value_or(""); };
    ListedBlock b;
    b.block = block;
    b.read = true;
    b.client = t(kClient);
    b.site = t(kSite);
    b.tube = t(kTube);
    b.depth = depthText(t(kDepth));
    b.step = t(kStep);
    b.readout = t(kReadout);
    b.date = t(kDate).substr(0, 6);
    b.time = t(kTime).substr(0, 6);
    b.readingRows = texts[kDepth] ? readingRowCount(b.depth, b.step) : 0;
    b.headerWhole = std::all_of(texts.begin(), texts.end(), [](const auto& text) { return text.has_value(); });
    return b;
}

} // namespace

std::vector<ListedBlock> listBlocks(Context& c)
{
    std::vector<ListedBlock> blocks;
    for (int b = 1; b <= kBlockCount; ++b) {
        ListedBlock notYetRead;
        notYetRead.block = b;
        blocks.push_back(notYetRead);
    }
    UnreadRows unread;
    int next = 1;
    const auto finish = [&] {
        if (!unread.empty())
            c.messages.show(unread.message(), Icon::Error);
        reportStopped(c, blockRange(1, next - 1), QT_TRANSLATE_N_NOOP("Texts", "listed"), blockRange(next, kBlockCount), QT_TRANSLATE_N_NOOP("Texts", "not listed"));
        return blocks;
    };

    // 1. Busy; port open and the first wake with the reply time limit.
    Exchange ex(c);
    if (!ex.begin())
        return blocks;
    std::optional<Wake> wake = ex.handshake(Limit::ReplyTime);
    if (wake == Wake::NoReply)
        return finish();

    // 2. Each block's listed rows, block 1 to 30.
    for (; next <= kBlockCount; ++next) {
        c.state.blockCode = *blockCode(next);
        HeaderTexts texts;
        if (!readListedRows(c, ex, wake, next, texts))
            return finish();
        unread.note(next, texts);
        blocks[next - 1] = listed(next, texts);
        noteHeaderRead(c.state, next, texts);
    }

    // 3. Port closed.
    ex.end();
    return finish();
}

} // namespace tarvelon
