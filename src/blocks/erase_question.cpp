#include "blocks/erase_question.h"
#include "platform/translate.h"

#include "blocks/export_files.h"
#include "link/block.h"

#include <algorithm>

namespace tarvelon {
namespace {

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Header bytes of an erased block are control characters: such a text is no name.
std::string readable(const std::string& text)
{
    for (char ch : text)
        if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F)
            return {};
    return trimmed(text);
}

std::string blockLine(const ProgramState& s, int block)
{
    std::string line = fillIn(translate("Texts", "Block %1"), {twoDigits(block)});
    const std::optional<UnitBlock>& known = s.unitBlocks[size_t(block - 1)];
    if (!known)
        return line;
    std::string names;
    for (const std::string& name : {known->client, known->site, known->tube})
        if (const std::string r = readable(name); !r.empty())
            names += (names.empty() ? "" : " / ") + r;
    if (!names.empty())
        line = fillIn(translate("Texts", "%1: %2"), {line, names});
    const std::string readout = readable(known->readout);
    const std::string date = readable(known->date);
    if (!readout.empty()) {
        if (date.size() == 6 && date.find_first_not_of("0123456789") == std::string::npos)
            line = fillIn(translate("Texts", "%1, readout %2 of %3/%4/%5"),
                          {line, readout, date.substr(0, 2), date.substr(2, 2), date.substr(4, 2)});
        else
            line = fillIn(translate("Texts", "%1, readout %2"), {line, readout});
    }
    if (known->holdsReadings && s.keptInLibrary)
        if (const std::optional<LibraryKeeps> kept = s.keptInLibrary(*known); kept && *kept != LibraryKeeps::Whole)
            line = fillIn(translate("Texts", "%1 - its readings are not in the survey library"), {line});
    return line;
}

// Runs of three or more as "06 to 30", the others one by one: "01, 03, 04 and 06 to 30".
std::string numbersOf(const std::vector<int>& blocks)
{
    std::vector<std::string> parts;
    for (size_t i = 0; i < blocks.size();) {
        size_t j = i;
        while (j + 1 < blocks.size() && blocks[j + 1] == blocks[j] + 1)
            ++j;
        if (j - i >= 2) {
            parts.push_back(fillIn(translate("Texts", "%1 to %2"), {twoDigits(blocks[i]), twoDigits(blocks[j])}));
        } else {
            for (size_t k = i; k <= j; ++k)
                parts.push_back(twoDigits(blocks[k]));
        }
        i = j + 1;
    }
    std::string text;
    for (size_t i = 0; i < parts.size(); ++i)
        text += (i == 0 ? "" : i + 1 == parts.size() ? translate("Texts", " and ") : ", ") + parts[i];
    return text;
}

std::string notRead(const std::string& blocks)
{
    return fillIn(translate("Texts", "%1: contents not read since the program started (Read All Blocks shows them)"), {blocks});
}

} // namespace

std::string blocksNamed(const std::vector<int>& blocks)
{
    return fillIn(blocks.size() == 1 ? translate("Texts", "Block %1") : translate("Texts", "Blocks %1"), {numbersOf(blocks)});
}

ErasedList erasedBlocks(const ProgramState& s, int first, int last)
{
    const auto known = [&s](int block) -> const std::optional<UnitBlock>& { return s.unitBlocks[size_t(block - 1)]; };
    if (first == last) {
        const std::string line = blockLine(s, first);
        return {known(first) ? line : notRead(line), {}};
    }
    std::vector<std::string> measured;
    std::vector<int> unread;
    std::string details;
    for (int block = first; block <= last; ++block) {
        const std::string line = blockLine(s, block);
        if (!known(block)) {
            unread.push_back(block);
            details += notRead(line) + "\n";
        } else {
            if (known(block)->holdsReadings)
                measured.push_back(line);
            details += (known(block)->holdsReadings ? line : fillIn(translate("Texts", "%1, no readings"), {line})) + "\n";
        }
    }
    details.pop_back();
    // Nothing known of any of them: one line says so.
    if (int(unread.size()) == last - first + 1)
        return {notRead(blocksNamed(unread)), {}};
    std::string text = measured.empty()
                           ? fillIn(translate("Texts", "Blocks %1 to %2"), {twoDigits(first), twoDigits(last)})
                           : fillIn(translate("Texts", "Blocks %1 to %2, among them:"), {twoDigits(first), twoDigits(last)});
    for (size_t i = 0; i < measured.size() && i < kBlocksNamed; ++i)
        text += "\n" + measured[i];
    if (measured.size() > kBlocksNamed)
        text += "\n" + fillIn(translate("Texts", "and %1 more: Show Details\u2026"),
                             {std::to_string(measured.size() - kBlocksNamed)});
    if (!unread.empty())
        text += "\n" + notRead(blocksNamed(unread));
    return {text, details};
}

bool askToErase(Context& c, std::string_view act, const std::string& question, int first, int last)
{
    const ErasedList erased = erasedBlocks(c.state, first, last);
    return c.messages.ask(Question{question, translate("Texts", std::string(act).c_str()), erased.shown, erased.details}) ==
           Answer::Ok;
}

Answer askToWriteAll(Context& c, std::string_view act, const std::string& question, const std::vector<int>& given)
{
    ErasedList erased = erasedBlocks(c.state, 1, kBlockCount);
    std::vector<int> placeholders;
    for (int block = 1; block <= kBlockCount; ++block)
        if (std::find(given.begin(), given.end(), block) == given.end())
            placeholders.push_back(block);
    if (!placeholders.empty())
        erased.shown += "\n" + fillIn(placeholders.size() == 1
                                          ? translate("Texts", "%1 still holds the start-up default header (CLIENT and "
                                                               "its number, SITE0000) and will get it")
                                          : translate("Texts", "%1 still hold the start-up default header (CLIENT and "
                                                               "its number, SITE0000) and will get it"),
                                      {blocksNamed(placeholders)});
    std::string extra;
    // Writing every block is what OK does already.
    if (!given.empty() && !placeholders.empty()) {
        extra = fillIn(translate("Texts", "Write %1 Only"), {blocksNamed(given)});
        // A long list of blocks would widen the box past the screen.
        if (extra.size() > 40)
            extra = fillIn(translate("Texts", "Write the %1 Blocks Set Only"), {std::to_string(given.size())});
        // A run reads as a range, with the dash the described button shows.
        const std::string to = fillIn(translate("Texts", "%1 to %2"), {"", ""});
        if (const size_t at = extra.find(to); at != std::string::npos && given.back() - given.front() + 1 == int(given.size()))
            extra.replace(at, to.size(), "\x96");
    }
    return c.messages.ask(Question{question, translate("Texts", std::string(act).c_str()), erased.shown, erased.details, extra});
}

void noteHeaderRead(ProgramState& s, int block, const HeaderTexts& texts)
{
    if (!blockCode(block))
        return;
    const auto t = [&texts](size_t r) { return texts[r].value_or(""); };
    UnitBlock b{t(0), t(1), t(2), t(7), t(8).substr(0, 6), t(9).substr(0, 6), true};
    if (texts[3])
        b.holdsReadings = numericValue(depthText(*texts[3])) > 0;
    s.unitBlocks[size_t(block - 1)] = b;
}

void noteHeaderWritten(ProgramState& s, int block, const std::string& headerText)
{
    if (!blockCode(block))
        return;
    std::string text = headerText;
    text.resize(44, ' ');
    const HeaderRecord r = HeaderRecord::fromBytes(text);
    s.unitBlocks[size_t(block - 1)] =
        UnitBlock{r.get(HeaderRecord::Client), r.get(HeaderRecord::Site), r.get(HeaderRecord::Tube),
                  text.substr(30, 2), text.substr(32, 6), text.substr(38, 6), false};
}

} // namespace tarvelon
