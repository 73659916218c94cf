#include "blocks/header_write.h"
#include "platform/translate.h"

#include "blocks/erase_question.h"
#include "blocks/header_entry.h"
#include "link/block.h"
#include "link/commands.h"
#include "link/header_file.h"
#include "link/progress.h"

#include <algorithm>

namespace tarvelon {

void loadBlock(Context& c, int block)
{
    c.state.currentBlock = block;
    const bool read = HeaderFile(c.state.headerFilePath).read(block, c.state.record);
    c.form.setText("Text2", twoDigits(block));
    c.loop.yield();
    if (read)
        recordToWindow(c.state.record, c.form, FieldSet::Header);
}

void sendHeaderLine(Context& c, Exchange& ex, int block, int settleTicks)
{
    const std::string text = headerText(c.form);
    ex.send(cmd::writeHeader(*blockCode(block), text));
    noteHeaderWritten(c.state, block, text);
    ex.settleWait(settleTicks);
}

bool sendOneHeaderLine(Context& c, Exchange& ex, int block, int settleTicks, Refused& refused)
{
    const Wake wake = ex.handshake(Limit::ReplyTime);
    if (wake == Wake::NoReply) {
        showBlockOne(c);
        return false;
    }
    if (wake == Wake::Ready)
        sendHeaderLine(c, ex, block, settleTicks);
    else
        refused.blocks.push_back(block);
    return true;
}

SentBlocks sendEveryBlock(Context& c, Exchange& ex, int settleTicks)
{
    return sendBlocks(c, ex, settleTicks, blockRange(1, kBlockCount));
}

SentBlocks sendBlocks(Context& c, Exchange& ex, int settleTicks, const std::vector<int>& blocks)
{
    // The wake and its answer, "C", the address, 44 characters of header and the carriage
    // return, then the settle wait of about half a tick more than its count.
    const double blockSeconds = lineSeconds(2 + 51) + (settleTicks + 0.5) / 10;
    SentBlocks sent;
    for (size_t i = 0; i < blocks.size(); ++i) {
        const int block = blocks[i];
        sent.next = block;
        if (c.form.stopRequested())
            return sent;
        const int count = int(blocks.size());
        c.form.showProgress({int(i) + 1, count, 0, 0, double(count - int(i)) * blockSeconds});
        loadBlock(c, block);
        if (!sendOneHeaderLine(c, ex, block, settleTicks, sent.refused)) {
            sent.unitSilent = true;
            return sent;
        }
    }
    sent.next = kBlockCount + 1;
    return sent;
}

bool closeHeaderWrite(Exchange& ex, int settleTicks, Refused& refused)
{
    const Wake wake = ex.handshake(Limit::ReplyTime);
    if (wake == Wake::NoReply)
        return false;
    if (wake == Wake::Ready) {
        ex.send(cmd::kClosing);
        ex.settleWait(settleTicks);
    } else {
        refused.others.emplace_back(translate("Texts", "closing command not sent"));
    }
    return true;
}

void setBlock(Context& c)
{
    constexpr int kSettle = 4;
    const HeaderFile file(c.state.headerFilePath);
    // 1. A number typed and not yet left is followed first, as leaving the box does, so the
    //    header shown is the header written; the shown header is kept, whatever the operator
    //    answers next.
    if (const auto typed = blockNumberOf(c.form.text("Text2")); typed && *typed != c.state.currentBlock)
        if (!showHeaderOf(c, *typed))
            return;
    windowToRecord(c.form, c.state.record, FieldSet::All);
    file.write(c.state.currentBlock, c.state.record);
    // A block number outside the unit would end with a closing command for a block that
    // was never written.
    if (!checkBlockNumber(c, "Text2"))
        return;
    // The block checked is the block written, whatever the box holds after the question.
    const int block = *blockNumberOf(c.form.text("Text2"));
    // 2. Question, naming the block.
    if (!askToErase(c, QT_TRANSLATE_NOOP("Texts", "Set Block"), translate("Texts", kMemoryWillBeLost.data()), block, block))
        return;
    // 3. Wait indicator.
    c.form.showWaitIndicator(true);
    c.loop.yield();
    // 4.-5. The stored header of that block is what goes to the unit.
    loadBlock(c, block);
    // 6. Port.
    Exchange ex(c);
    if (!ex.openPort())
        return;
    // 7.-8. Wake and header line.
    Refused refused;
    if (!sendOneHeaderLine(c, ex, block, kSettle, refused))
        return;
    // 9. Indicator shown again, in case an event hid it.
    c.loop.yield();
    c.form.showWaitIndicator(true);
    c.loop.yield();
    // 10.-11. Closing handshake and command; a refused command is named also after a unit
    //     that then fell silent.
    if (!closeHeaderWrite(ex, kSettle, refused))
        return reportRefused(c, refused, QT_TRANSLATE_N_NOOP("Texts", "not written"));
    // 12. The whole record of the block shown.
    c.state.currentBlock = block;
    if (file.read(block, c.state.record))
        recordToWindow(c.state.record, c.form, FieldSet::All);
    // 13. Done.
    ex.end();
    c.form.showOutcome(fillIn(translate("Texts", "Block %1 written"), {twoDigits(block)}));
    reportRefused(c, refused, QT_TRANSLATE_N_NOOP("Texts", "not written"));
}

std::vector<int> givenHeaders(Context& c)
{
    const HeaderFile file(c.state.headerFilePath);
    const auto headerFields = [](const HeaderRecord& r) {
        std::string fields;
        for (int f = HeaderRecord::Client; f <= HeaderRecord::Time; ++f)
            fields += r.get(HeaderRecord::Field(f));
        return fields;
    };
    std::vector<int> given;
    for (int block = 1; block <= kBlockCount; ++block) {
        HeaderRecord r;
        // The shown block is what its page holds, as Set All stores it first.
        if (block == c.state.currentBlock)
            windowToRecord(c.form, r, FieldSet::Header);
        else if (!file.read(block, r))
            continue;
        // A header read from the unit that equals the default gives the unit what it holds.
        if (headerFields(r) != headerFields(defaultHeader(block)))
            given.push_back(block);
    }
    return given;
}

void setAll(Context& c)
{
    constexpr int kSettle = 2;
    const HeaderFile file(c.state.headerFilePath);
    // 1. Question, naming the blocks and those that would get a start-up default header.
    const std::vector<int> given = givenHeaders(c);
    const Answer answer = askToWriteAll(c, QT_TRANSLATE_NOOP("Texts", "Set All"), translate("Texts", kMemoryWillBeLost.data()), given);
    if (answer == Answer::Cancel)
        return;
    const std::vector<int> blocks = answer == Answer::Extra ? given : blockRange(1, kBlockCount);
    // 2. Wait indicator.
    c.form.showWaitIndicator(true);
    c.loop.yield();
    // 3. The shown header fields kept as the current block's record.
    windowToRecord(c.form, c.state.record, FieldSet::Header);
    file.write(c.state.currentBlock, c.state.record);
    // 4. Port.
    Exchange ex(c);
    if (!ex.openPort())
        return;
    // 5. Every block, as the header file holds it, up to a stop.
    SentBlocks sent = sendBlocks(c, ex, kSettle, blocks);
    const auto reportStop = [&] {
        if (answer != Answer::Extra)
            return reportRun(c, sent.refused, sent.next, QT_TRANSLATE_N_NOOP("Texts", "written"), QT_TRANSLATE_N_NOOP("Texts", "not written"));
        reportRefused(c, sent.refused, QT_TRANSLATE_N_NOOP("Texts", "not written"));
        std::vector<int> done, notDone;
        for (int b : blocks)
            if (b >= sent.next)
                notDone.push_back(b);
            else if (std::ranges::count(sent.refused.blocks, b) == 0)
                done.push_back(b);
        reportStopped(c, done, QT_TRANSLATE_N_NOOP("Texts", "written"), notDone, QT_TRANSLATE_N_NOOP("Texts", "not written"));
    };
    if (sent.unitSilent)
        return reportStop();
    // 6.-7. Closing handshake and command; they end a stopped write too.
    if (!closeHeaderWrite(ex, kSettle, sent.refused))
        return reportStop();
    // 8. Done.
    ex.end();
    // 9. Block 1 shown.
    showBlockOne(c);
    if (sent.next > kBlockCount)
        c.form.showOutcome(fillIn(translate("Texts", "%1 written", nullptr, int(blocks.size())), {blocksNamed(blocks)}));
    reportStop();
}

void copyData(Context& c)
{
    // 1. No header file, nothing to copy into.
    if (c.state.headerFilePath.empty())
        return;
    // 2.-4. The shown header as the current block's record.
    windowToRecord(c.form, c.state.record, FieldSet::All);
    const HeaderFile file(c.state.headerFilePath);
    if (!file.write(c.state.currentBlock, c.state.record)) {
        // Stepping on would make a copy that never happened look done.
        c.messages.show(fillIn(translate("Texts", "Attention: cannot write header file %1"), {file.path()}), Icon::Error);
        return;
    }
    // 5.-6. The next block, with the same header shown.
    c.state.currentBlock = std::min(c.state.currentBlock + 1, kBlockCount);
    c.form.setText("Text2", twoDigits(c.state.currentBlock));
}

} // namespace tarvelon
