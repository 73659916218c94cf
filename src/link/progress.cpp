#include "link/progress.h"

#include "link/block.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace tarvelon {

double lineSeconds(double characters)
{
    return characters * 10.0 / 9600.0;
}

double rowSeconds(int rows)
{
    return lineSeconds(static_cast<double>(rows) * kRowLineCharacters);
}

void showRowProgress(Form& form, Progress p, int row, int rowsAfter)
{
    p.row = row;
    p.secondsLeft += rowSeconds(p.rows - row + 1 + rowsAfter);
    form.showProgress(p);
}

std::string progressText(const Progress& p)
{
    std::vector<std::string> parts;
    if (p.blocks > 0)
        parts.push_back("Block " + std::to_string(p.block) + " of " + std::to_string(p.blocks));
    const auto rowText = [&parts](const char* what, int row, int rows) {
        std::string text = std::string(what) + std::to_string(row) + " of " + std::to_string(rows);
        if (parts.empty())
            text[0] = char(std::toupper(static_cast<unsigned char>(text[0])));
        parts.push_back(text);
    };
    if (p.rows > 0 && p.headerRows > 0 && p.row <= p.headerRows)
        rowText("header row ", p.row, p.headerRows);
    else if (p.rows > 0 && p.headerRows > 0)
        rowText("row ", p.row - p.headerRows, p.rows - p.headerRows);
    else if (p.rows > 0)
        rowText("row ", p.row, p.rows);
    const int seconds = static_cast<int>(std::ceil(p.secondsLeft));
    if (seconds > 0)
        parts.push_back(seconds < 60 ? "about " + std::to_string(seconds) + " s left"
                                     : "about " + std::to_string(seconds / 60) + " min " + std::to_string(seconds % 60) +
                                           " s left");
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : ", ") + part;
    return text;
}

std::vector<int> blockRange(int first, int last)
{
    std::vector<int> out;
    for (int b = first; b <= last; ++b)
        out.push_back(b);
    return out;
}

std::string blockList(const std::vector<int>& blocks)
{
    // Runs of three or more neighbours read "1 to 6".
    std::vector<std::string> parts;
    for (size_t i = 0; i < blocks.size();) {
        size_t j = i;
        while (j + 1 < blocks.size() && blocks[j + 1] == blocks[j] + 1)
            ++j;
        if (j >= i + 2) {
            parts.push_back(std::to_string(blocks[i]) + " to " + std::to_string(blocks[j]));
        } else {
            for (size_t k = i; k <= j; ++k)
                parts.push_back(std::to_string(blocks[k]));
        }
        i = j + 1;
    }
    std::string text = blocks.size() == 1 ? "block " : "blocks ";
    for (size_t i = 0; i < parts.size(); ++i)
        text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
    return text;
}

void reportStopped(Context& c, const std::vector<int>& done, std::string_view doneWord,
                   const std::vector<int>& notDone, std::string_view notDoneWord)
{
    if (!c.form.stopRequested() || notDone.empty())
        return;
    std::string text = "Stopped: ";
    if (!done.empty())
        text += blockList(done) + " " + std::string(doneWord) + ", ";
    text += blockList(notDone) + " " + std::string(notDoneWord);
    c.messages.show(text, Icon::None);
}

void reportRefused(Context& c, const Refused& refused, std::string_view notDoneWord)
{
    const size_t count = refused.blocks.size() + refused.others.size();
    if (count == 0)
        return;
    std::string text = "Attention: the unit refused ";
    text += count == 1 ? "the command: " : std::to_string(count) + " commands: ";
    if (!refused.blocks.empty())
        text += blockList(refused.blocks) + " " + std::string(notDoneWord);
    for (size_t i = 0; i < refused.others.size(); ++i)
        text += (i == 0 && refused.blocks.empty() ? "" : "; ") + refused.others[i];
    c.messages.show(text, Icon::Error);
}

void reportRun(Context& c, const Refused& refused, int next, std::string_view doneWord,
               std::string_view notDoneWord)
{
    reportRefused(c, refused, notDoneWord);
    std::vector<int> done = blockRange(1, next - 1);
    std::erase_if(done, [&](int b) { return std::ranges::count(refused.blocks, b) > 0; });
    reportStopped(c, done, doneWord, blockRange(next, kBlockCount), notDoneWord);
}

} // namespace tarvelon
