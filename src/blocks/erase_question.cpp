#include "blocks/erase_question.h"

#include "blocks/export_files.h"
#include "link/block.h"

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
        if (const std::optional<bool> kept = s.keptInLibrary(*known); kept && !*kept)
            line += " - its readings are not in the survey library";
    return line;
}

} // namespace

std::string erasedBlocks(const ProgramState& s, int first, int last)
{
    if (first == last)
        return blockLine(s, first);
    std::string text = "Blocks " + twoDigits(first) + " to " + twoDigits(last);
    std::string measured;
    for (int block = first; block <= last; ++block)
        if (const auto& known = s.unitBlocks[size_t(block - 1)]; known && known->holdsReadings)
            measured += "\n" + blockLine(s, block);
    return measured.empty() ? text : text + ", among them:" + measured;
}

bool askToErase(Context& c, const std::string& question, int first, int last)
{
    return c.messages.askOkCancel(question, erasedBlocks(c.state, first, last));
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
