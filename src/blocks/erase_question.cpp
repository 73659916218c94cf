#include "blocks/erase_question.h"

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
    std::string line = "Block " + twoDigits(block);
    const std::optional<UnitBlock>& known = s.unitBlocks[size_t(block - 1)];
    if (!known)
        return line;
    std::string names;
    for (const std::string& name : {known->client, known->site, known->tube})
        if (const std::string r = readable(name); !r.empty())
            names += (names.empty() ? "" : " / ") + r;
    if (!names.empty())
        line += ": " + names;
    const std::string readout = readable(known->readout);
    const std::string date = readable(known->date);
    if (!readout.empty()) {
        line += ", readout " + readout;
        if (date.size() == 6 && date.find_first_not_of("0123456789") == std::string::npos)
            line += " of " + date.substr(0, 2) + "/" + date.substr(2, 2) + "/" + date.substr(4, 2);
    }
    if (known->holdsReadings && s.keptInLibrary)
        if (const std::optional<LibraryKeeps> kept = s.keptInLibrary(*known); kept && *kept != LibraryKeeps::Whole)
            line += " - its readings are not in the survey library";
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
            parts.push_back(twoDigits(blocks[i]) + " to " + twoDigits(blocks[j]));
        } else {
            for (size_t k = i; k <= j; ++k)
                parts.push_back(twoDigits(blocks[k]));
        }
        i = j + 1;
    }
    std::string text;
    for (size_t i = 0; i < parts.size(); ++i)
        text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
    return text;
}

constexpr std::string_view kNotRead = "contents not read since the program started (Read All Blocks shows them)";

} // namespace

std::string blocksNamed(const std::vector<int>& blocks)
{
    return (blocks.size() == 1 ? "Block " : "Blocks ") + numbersOf(blocks);
}

ErasedList erasedBlocks(const ProgramState& s, int first, int last)
{
    const auto known = [&s](int block) -> const std::optional<UnitBlock>& { return s.unitBlocks[size_t(block - 1)]; };
    if (first == last) {
        const std::string line = blockLine(s, first);
        return {known(first) ? line : line + ": " + std::string(kNotRead), {}};
    }
    std::vector<std::string> measured;
    std::vector<int> unread;
    std::string details;
    for (int block = first; block <= last; ++block) {
        const std::string line = blockLine(s, block);
        if (!known(block)) {
            unread.push_back(block);
            details += line + ": " + std::string(kNotRead) + "\n";
        } else {
            if (known(block)->holdsReadings)
                measured.push_back(line);
            details += line + (known(block)->holdsReadings ? "" : ", no readings") + "\n";
        }
    }
    details.pop_back();
    // Nothing known of any of them: one line says so.
    if (int(unread.size()) == last - first + 1)
        return {blocksNamed(unread) + ": " + std::string(kNotRead), {}};
    std::string text = "Blocks " + twoDigits(first) + " to " + twoDigits(last);
    if (!measured.empty())
        text += ", among them:";
    for (size_t i = 0; i < measured.size() && i < kBlocksNamed; ++i)
        text += "\n" + measured[i];
    if (measured.size() > kBlocksNamed)
        text += "\nand " + std::to_string(measured.size() - kBlocksNamed) + " more: Show Details\x85";
    if (!unread.empty())
        text += "\n" + blocksNamed(unread) + ": " + std::string(kNotRead);
    return {text, details};
}

bool askToErase(Context& c, std::string_view act, const std::string& question, int first, int last)
{
    const ErasedList erased = erasedBlocks(c.state, first, last);
    return c.messages.ask(Question{question, std::string(act), erased.shown, erased.details}) == Answer::Ok;
}

Answer askToWriteAll(Context& c, std::string_view act, const std::string& question, const std::vector<int>& given)
{
    ErasedList erased = erasedBlocks(c.state, 1, kBlockCount);
    std::vector<int> placeholders;
    for (int block = 1; block <= kBlockCount; ++block)
        if (std::find(given.begin(), given.end(), block) == given.end())
            placeholders.push_back(block);
    if (!placeholders.empty())
        erased.shown += "\n" + blocksNamed(placeholders) + (placeholders.size() == 1 ? " still holds" : " still hold") +
                        " the start-up default header (CLIENT and its number, SITE0000) and will get it";
    std::string extra;
    // Writing every block is what OK does already.
    if (!given.empty() && !placeholders.empty()) {
        extra = "Write " + blocksNamed(given) + " Only";
        // A long list of blocks would widen the box past the screen.
        if (extra.size() > 40)
            extra = "Write the " + std::to_string(given.size()) + " Blocks Set Only";
        // A run reads as a range, with the dash the described button shows.
        if (const size_t to = extra.find(" to "); to != std::string::npos && given.back() - given.front() + 1 == int(given.size()))
            extra.replace(to, 4, "\x96");
    }
    return c.messages.ask(Question{question, std::string(act), erased.shown, erased.details, extra});
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
