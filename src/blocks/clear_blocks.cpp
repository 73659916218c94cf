#include "blocks/clear_blocks.h"
#include "platform/translate.h"

#include "blocks/erase_question.h"
#include "blocks/header_entry.h"
#include "blocks/header_write.h"
#include "link/block.h"
#include "link/header_file.h"
#include "link/progress.h"

namespace tarvelon {

namespace {
constexpr int kSettle = 4;
// The header file is cleared whatever the unit got.
constexpr std::string_view kNotCleared = QT_TRANSLATE_N_NOOP("Texts", "not cleared in the unit");
} // namespace

void resetBlock(Context& c)
{
    // A block number outside the unit has no default header and no address.
    if (!checkBlockNumber(c, "Text2"))
        return;
    const int block = *blockNumberOf(c.form.text("Text2"));
    const HeaderFile file(c.state.headerFilePath);
    Exchange ex(c);
    // 1. Question, naming the block.
    if (!askToErase(c, QT_TRANSLATE_NOOP("Texts", "Reset Block"), translate("Texts", kMemoryWillBeLost.data()), block, block))
        return;
    // 2.-3. Wait indicator and port.
    if (!ex.begin())
        return;
    // 4. The block's record back to its default.
    c.state.record = defaultHeader(block);
    file.write(block, c.state.record);
    // 5. Shown on the page.
    loadBlock(c, block);
    // 6.-7. Wake and header line.
    Refused refused;
    if (!sendOneHeaderLine(c, ex, block, kSettle, refused))
        return;
    // 8.-9. Closing handshake and command.
    if (!closeHeaderWrite(ex, kSettle, refused))
        return reportRefused(c, refused, kNotCleared);
    // 10. Done.
    ex.end();
    c.form.showOutcome(fillIn(translate("Texts", "Block %1 cleared"), {twoDigits(block)}));
    reportRefused(c, refused, kNotCleared);
}

void totalReset(Context& c)
{
    const HeaderFile file(c.state.headerFilePath);
    Exchange ex(c);
    // 1. Question, naming the blocks.
    if (!askToErase(c, QT_TRANSLATE_NOOP("Texts", "Total Reset"), translate("Texts", kMemoryWillBeLost.data()), 1, kBlockCount))
        return;
    // 2.-3. Wait indicator and port.
    if (!ex.begin())
        return;
    // 4. Every record back to its default before the unit is contacted.
    for (int block = 1; block <= kBlockCount; ++block) {
        c.state.record = defaultHeader(block);
        file.write(block, c.state.record);
    }
    // 5. Every block sent, up to a stop.
    SentBlocks sent = sendEveryBlock(c, ex, kSettle);
    // The header file holds the defaults of all 30 whatever the unit got.
    const auto reportStop = [&] { reportRun(c, sent.refused, sent.next, QT_TRANSLATE_N_NOOP("Texts", "cleared"), kNotCleared); };
    if (sent.unitSilent)
        return reportStop();
    // 6. Indicator shown again.
    c.loop.yield();
    c.form.showWaitIndicator(true);
    c.loop.yield();
    // 7.-8. Closing handshake and command; they end a stopped clearing too.
    if (!closeHeaderWrite(ex, kSettle, sent.refused))
        return reportStop();
    // 9. Block 1 shown.
    showBlockOne(c);
    // 10. Done.
    ex.end();
    if (sent.next > kBlockCount)
        c.form.showOutcome(translate("Texts", "Blocks 01 to 30 cleared"));
    reportStop();
}

} // namespace tarvelon
