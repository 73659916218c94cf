#include "blocks/row_fetch.h"

#include "link/block.h"
#include "link/commands.h"

namespace tarvelon {

Row fetchRowAfterWake(Context& c, Exchange& ex, Wake wake)
{
    if (wake == Wake::NoReply)
        return {Row::Lost, {}};
    // A stop pressed before the row is taken as at the row boundary.
    if (ex.stopped())
        return {Row::Lost, {}};
    if (wake == Wake::Refused)
        return {Row::Skipped, {}};
    const ProgramState& s = c.state;
    c.form.setText("Text17", s.blockCode + s.pageDigit + s.rowOffset);
    ex.send(cmd::readRow(s.blockCode, s.pageDigit, s.rowOffset));
    auto reply = ex.countWait(cmd::kRowReplyLength);
    if (!reply)
        return {Row::Lost, {}};
    if (!isWholeRow(*reply))
        return {Row::Skipped, {}};
    return {Row::Fetched, std::move(*reply)};
}

Row fetchRow(Context& c, Exchange& ex)
{
    if (ex.stopped())
        return {Row::Lost, {}};
    return fetchRowAfterWake(c, ex, ex.handshake(Limit::Silence));
}

bool isWholeRow(std::string_view reply)
{
    constexpr size_t kPairs = 16;
    if (reply.size() < 3 * kPairs - 1)
        return false;
    for (size_t k = 0; k < kPairs; ++k)
        if (hexDigitValue(reply[3 * k]) < 0 || hexDigitValue(reply[3 * k + 1]) < 0)
            return false;
    return true;
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
