#include "blocks/row_fetch.h"

#include "link/block.h"
#include "link/commands.h"

namespace tarvelon {
Row fetchRowAfterWake(Context& c, Exchange& ex, Wake wake)
{
    if (wake == Wake::NoReply)
        return {Row::Lost, {}};
    if (wake == Wake::Refused)
        return {Row::Skipped, {}};
    const ProgramState& s = c.state;
    c.form.setText("Text17", s.blockCode + s.pageDigit + s.rowOffset);
    ex.send(cmd::readRow(s.blockCode, s.pageDigit, s.rowOffset));
    auto reply = ex.countWait(cmd::kRowReplyLength);
    if (!reply)
        return {Row::Lost, {}};
    return {Row::Fetched, std::move(*reply)};
}

Row fetchRow(Context& c, Exchange& ex)
{
    return fetchRowAfterWake(c, ex, ex.handshake(Limit::Silence));
}

std::string decodeBytes(std::string_view reply, int count)
{
    std::string out;
    for (int k = 0; k < count; ++k) {
        const size_t at = static_cast<size_t>(3 * k);
        if (at + 1 >= reply.size())
            break;
        const int hi = hexDigitValue(reply[at]);
        const int lo = hexDigitValue(reply[at + 1]);
        if (hi >= 0 && lo >= 0)
            out.push_back(static_cast<char>(hi * 16 + lo));
    }
    return out;
}

} // namespace tarvelon
