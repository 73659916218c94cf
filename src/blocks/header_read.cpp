#include "blocks/header_read.h"

#include "blocks/header_entry.h"
#include "link/block.h"
#include "link/header_file.h"

namespace tarvelon {
namespace {

void showHeaderTexts(Form& form, const HeaderTexts& t)
{
    form.setText("Text3", t[0]);
    form.setText("Text4", t[1]);
    form.setText("Text5", t[2]);
    form.setText("Text6", t[3].substr(0, 3));
    form.setText("Text13", t[3].size() > 3 ? t[3].substr(3, 1) : std::string());
    form.setText("Text7", t[4]);
    form.setText("Text8", t[5]);
    form.setText("Text9", t[6]);
    form.setText("Text10", t[7]);
    form.setText("Text11", t[8]);
    form.setText("Text12", t[9]);
}

void addressBlock(ProgramState& s, int block)
{
    s.blockCode = *blockCode(block);
    s.pageDigit = "0";
    s.rowOffset = "00";
}

} // namespace

bool readHeaderRows(Context& c, Exchange& ex, Wake firstWake, HeaderTexts& texts, int timeBytes)
{
    for (size_t r = 0; r < kHeaderRows.size(); ++r) {
        c.state.rowOffset = kHeaderRows[r].offset;
        const Row row = r == 0 ? fetchRowAfterWake(c, ex, firstWake) : fetchRow(c, ex);
        if (row.status == Row::Lost)
            return false;
        if (row.status == Row::Fetched)
            texts[r] = decodeBytes(row.reply, r + 1 == kHeaderRows.size() ? timeBytes : kHeaderRows[r].bytes);
    }
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
        return;
    // 4. The ten rows.
    HeaderTexts texts;
    if (!readHeaderRows(c, ex, wake, texts))
        return;
    // 5. Into the boxes; point, gains and zeros are not kept by the unit.
    showHeaderTexts(c.form, texts);
    // 6. Done.
    ex.end();
}

void readAllBlocks(Context& c)
{
    Exchange ex(c);
    const HeaderFile file(c.state.headerFilePath);
    // 1. Wait indicator for the whole run.
    c.form.showWaitIndicator(true);
    c.loop.yield();
    for (int block = 1; block <= kBlockCount; ++block) {
        // 2.-3. Address and block number shown.
        addressBlock(c.state, block);
        c.form.setText("Text2", twoDigits(block));
        // 4. Port and first wake, once per block.
        if (!ex.openPort())
            return showBlockOne(c);
        const Wake wake = ex.handshake(Limit::ReplyTime);
        if (wake == Wake::NoReply)
            return showBlockOne(c);
        // 5.-6. The ten rows into the boxes.
        HeaderTexts texts;
        if (!readHeaderRows(c, ex, wake, texts))
            return showBlockOne(c);
        showHeaderTexts(c.form, texts);
        // 7. Port closed between blocks.
        c.port.close();
        // 8. The block stored from the boxes, with the zero/gain boxes as they stand.
        windowToRecord(c.form, c.state.record, FieldSet::All);
        file.write(block, c.state.record);
    }
    // 9.-11. Block 1 shown.
    c.form.showWaitIndicator(false);
    c.loop.yield();
    showBlockOne(c);
}

} // namespace tarvelon
