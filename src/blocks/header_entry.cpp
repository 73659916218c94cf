#include "blocks/header_entry.h"
#include "platform/translate.h"

#include "link/block.h"
#include "link/header_file.h"

namespace tarvelon {
namespace {

// The last `n` characters of `text`.
std::string lastChars(const std::string& text, size_t n)
{
    return text.size() > n ? text.substr(text.size() - n) : text;
}

void depthLimitCheck(Context& c)
{
    c.form.setText("Text6", lastChars("000" + c.form.text("Text6"), 3));
    const double depth = numericValue(c.form.text("Text6") + c.form.text("Text13"));
    const std::string step = c.form.text("Text7");
    // Tenths of a metre: 100.0 m at 0.5 m steps, 200.0 m at 1 m steps.
    if (depth > 1000 && step == "0") {
        c.messages.show(translate("Texts", kInvalidDepth.data()), Icon::Error);
        c.form.setText("Text6", "100");
        c.form.setText("Text13", "0");
    }
    if (depth > 2000 && step == "1") {
        c.messages.show(translate("Texts", kInvalidDepth.data()), Icon::Error);
        c.form.setText("Text6", "200");
        c.form.setText("Text13", "0");
    }
}

int clampBlock(int n)
{
    return n < 1 ? 1 : (n > kBlockCount ? kBlockCount : n);
}

void stepHeader(Context& c, int delta)
{
    showHeaderOf(c, clampBlock(c.state.currentBlock + delta));
}

void stepDownloadBlock(Context& c, int delta)
{
    c.state.downloadBlock = clampBlock(c.state.downloadBlock + delta);
    c.form.setText("numblocco", twoDigits(c.state.downloadBlock));
}

} // namespace

bool showHeaderOf(Context& c, int target)
{
    const HeaderFile file(c.state.headerFilePath);
    windowToRecord(c.form, c.state.record, FieldSet::All);
    if (!file.write(c.state.currentBlock, c.state.record)) {
        c.messages.show(fillIn(translate("Texts", "Attention: cannot write header file %1"), {file.path()}), Icon::Error);
        return false;
    }
    HeaderRecord next;
    if (!file.read(target, next)) {
        c.messages.show(fillIn(translate("Texts", "Attention: cannot read header file %1"), {file.path()}), Icon::Error);
        return false;
    }
    c.state.currentBlock = target;
    c.form.setText("Text2", twoDigits(target));
    c.state.record = next;
    recordToWindow(c.state.record, c.form, FieldSet::Header);
    return true;
}

std::string upperCase(std::string_view text)
{
    std::string out(text);
    for (char& ch : out) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 'a' && b <= 'z')
            ch = static_cast<char>(b - 32);
        else if (b >= 0xE0 && b <= 0xFE && b != 0xF7) // à..þ, not ÷
            ch = static_cast<char>(b - 32);
        else if (b == 0x9A || b == 0x9C || b == 0x9E) // š œ ž
            ch = static_cast<char>(b - 16);
        else if (b == 0xFF) // ÿ
            ch = static_cast<char>(0x9F);
    }
    return out;
}

bool checkBlockNumber(Context& c, std::string_view box)
{
    const std::string text = c.form.text(box);
    if (text.empty()) {
        c.messages.show(translate("Texts", kInsertBlockNumber.data()), Icon::Error);
        return false;
    }
    if (!blockNumberOf(text)) {
        c.messages.show(translate("Texts", kIncorrectBlockNumber.data()), Icon::Error);
        return false;
    }
    return true;
}

void leaveHeaderBlockNumber(Context& c)
{
    if (!checkBlockNumber(c, "Text2"))
        return;
    const int typed = *blockNumberOf(c.form.text("Text2"));
    if (typed != c.state.currentBlock)
        showHeaderOf(c, typed);
}

void leaveTextField(Context& c, std::string_view box)
{
    const size_t width = box == "Text5" ? 4 : 8;
    c.form.setText(box, upperCase((c.form.text(box) + std::string(width, ' ')).substr(0, width)));
}

void leaveDepthMetres(Context& c)
{
    depthLimitCheck(c);
}

void leaveDepthTenths(Context& c)
{
    const std::string tenths = c.form.text("Text13");
    if (tenths != "0" && tenths != "5") {
        c.messages.show(translate("Texts", kInvalidDepth.data()), Icon::Error);
        c.form.setText("Text13", "0");
    }
    depthLimitCheck(c);
}

void toggleDepthTenths(Context& c)
{
    c.form.setText("Text13", c.form.text("Text13") == "0" ? "5" : "0");
}

void leaveReadoutNumber(Context& c)
{
    c.form.setText("Text10", lastChars("00" + c.form.text("Text10"), 2));
}

void nextHeader(Context& c)
{
    stepHeader(c, +1);
}

void previousHeader(Context& c)
{
    stepHeader(c, -1);
}

void nextDownloadBlock(Context& c)
{
    stepDownloadBlock(c, +1);
}

void previousDownloadBlock(Context& c)
{
    stepDownloadBlock(c, -1);
}

} // namespace tarvelon
