#include "link/commands.h"

namespace tarvelon::cmd {

namespace {
std::string line(std::string text)
{
    text.push_back(kEnd);
    return text;
}
} // namespace

std::string readRow(std::string_view code, std::string_view page, std::string_view offset)
{
    return line("a" + std::string(code) + std::string(page) + std::string(offset));
}

std::string writeHeader(std::string_view code, std::string_view headerText)
{
    return line("C" + std::string(code) + "000" + std::string(headerText));
}

std::string writeZeroGain(std::string_view code, std::string_view zeroGainText)
{
    return line("D" + std::string(code) + "000" + std::string(zeroGainText));
}

std::string writeDelay(int delay)
{
    return line("b000F0" + std::to_string(delay + 30));
}

std::string writeClock(std::string_view clockText)
{
    return line("G" + std::string(clockText));
}

} // namespace tarvelon::cmd
