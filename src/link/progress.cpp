#include "link/progress.h"
#include "platform/translate.h"

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

namespace {

// What became of the blocks, in the form that agrees with their number ("written" is the
// same for one and for many in English, not in every language).
std::string word(std::string_view source, size_t count)
{
    return source.empty() ? std::string() : translate("Texts", std::string(source).c_str(), nullptr, int(count));
}

} // namespace

std::string progressText(const Progress& p)
{
    std::vector<std::string> parts;
    if (p.blocks > 0)
        parts.push_back(fillIn(translate("Texts", "Block %1 of %2"), {std::to_string(p.block), std::to_string(p.blocks)}));
    // The first part begins the line with a capital.
    const auto rowText = [&parts](const char* first, const char* later, int row, int rows) {
        parts.push_back(fillIn(translate("Texts", parts.empty() ? first : later), {std::to_string(row), std::to_string(rows)}));
    };
    if (p.rows > 0 && p.headerRows > 0 && p.row <= p.headerRows)
        rowText(QT_TRANSLATE_NOOP("Texts", "Header row %1 of %2"), QT_TRANSLATE_NOOP("Texts", "header row %1 of %2"), p.row,
                p.headerRows);
    else if (p.rows > 0 && p.headerRows > 0)
        rowText(QT_TRANSLATE_NOOP("Texts", "Row %1 of %2"), QT_TRANSLATE_NOOP("Texts", "row %1 of %2"),
                p.row - p.headerRows, p.rows - p.headerRows);
    else if (p.rows > 0)
        rowText(QT_TRANSLATE_NOOP("Texts", "Row %1 of %2"), QT_TRANSLATE_NOOP("Texts", "row %1 of %2"), p.row, p.rows);
    const int seconds = static_cast<int>(std::ceil(p.secondsLeft));
    if (seconds > 0)
        parts.push_back(seconds < 60 ? fillIn(translate("Texts", "about %1 s left"), {std::to_string(seconds)})
                                     : fillIn(translate("Texts", "about %1 min %2 s left"),
                                              {std::to_string(seconds / 60), std::to_string(seconds % 60)}));
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
            parts.push_back(fillIn(translate("Texts", "%1 to %2"), {std::to_string(blocks[i]), std::to_string(blocks[j])}));
        } else {
            for (size_t k = i; k <= j; ++k)
                parts.push_back(std::to_string(blocks[k]));
        }
        i = j + 1;
    }
    std::string list;
    for (size_t i = 0; i < parts.size(); ++i)
        list += (i == 0 ? "" : i + 1 == parts.size() ? translate("Texts", " and ") : ", ") + parts[i];
    return fillIn(blocks.size() == 1 ? translate("Texts", "block %1") : translate("Texts", "blocks %1"), {list});
}

void reportStopped(Context& c, const std::vector<int>& done, std::string_view doneWord,
                   const std::vector<int>& notDone, std::string_view notDoneWord)
{
    if (!c.form.stopRequested() || notDone.empty())
        return;
    // The words agree with the number of blocks they tell of.
    const std::string notDoneText = fillIn(translate("Texts", "%1 %2"), {blockList(notDone), word(notDoneWord, notDone.size())});
    if (done.empty())
        return c.messages.show(fillIn(translate("Texts", "Stopped: %1"), {notDoneText}), Icon::None);
    const std::string doneText = fillIn(translate("Texts", "%1 %2"), {blockList(done), word(doneWord, done.size())});
    c.messages.show(fillIn(translate("Texts", "Stopped: %1, %2"), {doneText, notDoneText}), Icon::None);
}

void reportRefused(Context& c, const Refused& refused, std::string_view notDoneWord)
{
    const size_t count = refused.blocks.size() + refused.others.size();
    if (count == 0)
        return;
    std::string what;
    if (!refused.blocks.empty())
        what = fillIn(translate("Texts", "%1 %2"), {blockList(refused.blocks), word(notDoneWord, refused.blocks.size())});
    for (size_t i = 0; i < refused.others.size(); ++i)
        what += (i == 0 && refused.blocks.empty() ? "" : "; ") + translate("Texts", refused.others[i].c_str());
    c.messages.show(count == 1 ? fillIn(translate("Texts", "Attention: the unit refused the command: %1"), {what})
                               : fillIn(translate("Texts", "Attention: the unit refused %1 commands: %2"),
                                        {std::to_string(count), what}),
                    Icon::Error);
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
