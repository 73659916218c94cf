#include "blocks/header_read.h"
#include "platform/translate.h"

#include "blocks/erase_question.h"
#include "blocks/header_entry.h"
#include "link/block.h"
#include "link/header_file.h"
#include "link/progress.h"

namespace tarvelon {
namespace {

// Each text into its box or boxes; a row that was not read leaves its boxes as they are.
void showHeaderTexts(Form& form, const HeaderTexts& t)
{
    static constexpr const char* kBoxes[] = {"Text3", "Text4", "Text5", "Text6", "Text7",
                                             "Text8", "Text9", "Text10", "Text11", "Text12"};
    for (size_t r = 0; r < t.size(); ++r) {
        if (!t[r])
            continue;
        if (r == HeaderRecord::Depth) {
            form.setText("Text6", t[r]->substr(0, 3));
            form.setText("Text13", t[r]->size() > 3 ? t[r]->substr(3, 1) : std::string());
        } else {
            form.setText(kBoxes[r], *t[r]);
        }
    }
}

void addressBlock(ProgramState& s, int block)
{
    s.blockCode = *blockCode(block);
    s.pageDigit = "0";
    s.rowOffset = "00";
}

void reportUnread(Context& c, const UnreadRows& unread)
{
    if (!unread.empty())
        c.messages.show(unread.message(), Icon::Error);
}

// The header rows follow the record's field order, client to time.
HeaderRecord::Field fieldOfRow(size_t r)
{
    static_assert(HeaderRecord::Client == 0 && HeaderRecord::Time == 9);
    return static_cast<HeaderRecord::Field>(r);
}

} // namespace

void UnreadRows::note(int block, const HeaderTexts& texts)
{
    std::string fields;
    int missing = 0;
    for (size_t r = 0; r < texts.size(); ++r) {
        if (texts[r])
            continue;
        fields += (fields.empty() ? "" : ", ") + translate("Texts", kHeaderRows[r].field);
        ++missing;
    }
    if (missing == 0)
        return;
    count_ += missing;
    if (missing == static_cast<int>(texts.size()))
        fields = translate("Texts", "whole header");
    blocks_.emplace_back(block, fields);
}

std::string UnreadRows::message() const
{
    std::string list;
    // Neighbouring blocks that lost the same rows are named together.
    for (size_t i = 0; i < blocks_.size();) {
        size_t j = i;
        while (j + 1 < blocks_.size() && blocks_[j + 1].first == blocks_[j].first + 1 &&
               blocks_[j + 1].second == blocks_[i].second)
            ++j;
        list += i == 0 ? "" : "; ";
        list += j == i ? fillIn(translate("Texts", "block %1 %2"), {std::to_string(blocks_[i].first), blocks_[i].second})
                       : fillIn(translate("Texts", "blocks %1 to %2 %3"), {std::to_string(blocks_[i].first),
                                                                           std::to_string(blocks_[j].first),
                                                                           blocks_[i].second});
        i = j + 1;
    }
    return count_ == 1 ? fillIn(translate("Texts", "Attention: %1 header row could not be read: %2"), {"1", list})
                       : fillIn(translate("Texts", "Attention: %1 header rows could not be read: %2"),
                                {std::to_string(count_), list});
}

bool readHeaderRows(Context& c, Exchange& ex, Wake firstWake, HeaderTexts& texts, int timeBytes,
                    const std::function<void(int)>& onRow)
{
    for (size_t r = 0; r < kHeaderRows.size(); ++r) {
        if (onRow)
            onRow(static_cast<int>(r) + 1);
        c.state.rowOffset = kHeaderRows[r].offset;
        const Row row = r == 0 ? fetchRowAfterWake(c, ex, firstWake) : fetchRow(c, ex);
        if (row.status == Row::Lost)
            return false;
        if (row.status == Row::Fetched)
            texts[r] = decodeBytes(row.reply, r + 1 == kHeaderRows.size() ? timeBytes : kHeaderRows[r].bytes);
    }
    // What an erasing question will name.
    if (c.state.blockCode.size() == 2 && hexDigitValue(c.state.blockCode[0]) >= 0 &&
        hexDigitValue(c.state.blockCode[1]) >= 0)
        noteHeaderRead(c.state, hexDigitValue(c.state.blockCode[0]) * 16 + hexDigitValue(c.state.blockCode[1]) + 1,
                       texts);
    return true;
}

void readBlock(Context& c)
{
    // Reading another block than the one asked for would be a wrong result.
    if (!checkBlockNumber(c, "Text2"))
        return;
    const int block = *blockNumberOf(c.form.text("Text2"));
    Exchange ex(c);
    // 1. Wait indicator.
    c.form.showWaitIndicator(true);
    c.loop.yield();
    // 2. Address of the first header row.
    addressBlock(c.state, block);
    // 3. Port and first wake.
    if (!ex.openPort())
        return;
    const Wake wake = ex.handshake(Limit::ReplyTime);
    if (wake == Wake::NoReply)
        return reportStopped(c, {}, "", {block}, QT_TRANSLATE_N_NOOP("Texts", "not read"));
    // 4. The ten rows; a stop leaves the boxes as they were.
    HeaderTexts texts;
    constexpr int rows = static_cast<int>(kHeaderRows.size());
    const auto progress = [&c](int row) { showRowProgress(c.form, {0, 0, 0, rows}, row); };
    if (!readHeaderRows(c, ex, wake, texts, 8, progress)) {
        reportStopped(c, {}, "", {block}, QT_TRANSLATE_N_NOOP("Texts", "not read"));
        return;
    }
    // 5. Into the boxes; point, gains and zeros are not kept by the unit.
    showHeaderTexts(c.form, texts);
    // 6. Done, and any row that could not be read named.
    ex.end();
    c.form.showOutcome(fillIn(translate("Texts", "Block %1 read"), {twoDigits(block)}));
    UnreadRows unread;
    unread.note(block, texts);
    reportUnread(c, unread);
}

void readAllBlocks(Context& c)
{
    Exchange ex(c);
    const HeaderFile file(c.state.headerFilePath);
    UnreadRows unread;
    // Rows already lost are named also when the unit then falls silent; blocks not read
    // when the operator stopped.
    const auto stop = [&](int block) {
        showBlockOne(c);
        reportUnread(c, unread);
        reportStopped(c, blockRange(1, block - 1), QT_TRANSLATE_N_NOOP("Texts", "read into the header file"), blockRange(block, kBlockCount),
                          "not read");
    };
    constexpr int rows = static_cast<int>(kHeaderRows.size());
    // 1. Wait indicator for the whole run.
    c.form.showWaitIndicator(true);
    c.loop.yield();
    for (int block = 1; block <= kBlockCount; ++block) {
        // 2.-3. Address and block number shown.
        addressBlock(c.state, block);
        c.form.setText("Text2", twoDigits(block));
        // 4. Port and first wake, once per block; a stop comes between blocks or rows.
        if (ex.stopped() || !ex.openPort())
            return stop(block);
        const Wake wake = ex.handshake(Limit::ReplyTime);
        if (wake == Wake::NoReply)
            return stop(block);
        // 5.-6. The ten rows into the boxes; a row not read shows what the record holds.
        HeaderTexts texts;
        const auto progress = [&c, block](int row) {
            showRowProgress(c.form, {block, kBlockCount, 0, rows}, row, (kBlockCount - block) * rows);
        };
        if (!readHeaderRows(c, ex, wake, texts, 8, progress))
            return stop(block);
        HeaderRecord stored;
        file.read(block, stored);
        HeaderTexts shown = texts;
        for (size_t r = 0; r < shown.size(); ++r)
            if (!shown[r])
                shown[r] = stored.get(fieldOfRow(r));
        showHeaderTexts(c.form, shown);
        // 7. Port closed between blocks.
        c.port.close();
        // 8. The block stored from the boxes, with the zero/gain boxes as they stand; a field
        //    whose row was not read keeps every character the record held.
        windowToRecord(c.form, c.state.record, FieldSet::All);
        for (size_t r = 0; r < texts.size(); ++r)
            if (!texts[r])
                c.state.record.set(fieldOfRow(r), stored.get(fieldOfRow(r)));
        file.write(block, c.state.record);
        unread.note(block, texts);
    }
    // 9.-11. Block 1 shown.
    c.form.showWaitIndicator(false);
    c.loop.yield();
    c.form.showOutcome(translate("Texts", "Headers of blocks 01 to 30 read into the header file"));
    stop(kBlockCount + 1);
}

} // namespace tarvelon
