#include "settings/single_command.h"

#include "link/progress.h"

namespace tarvelon::settings {

bool beginSingleCommand(Context& c, Exchange& ex, std::string_view notDone)
{
    if (!ex.begin())
        return false;
    switch (ex.handshake(Limit::ReplyTime)) {
    case Wake::Ready:
        return true;
    case Wake::Refused:
        ex.end();
        // A write the unit never got must not pass for done.
        if (!notDone.empty())
            reportRefused(c, {{}, {std::string(notDone)}});
        return false;
    case Wake::NoReply:
        return false;
    }
    return false;
}

} // namespace tarvelon::settings
