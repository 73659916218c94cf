#include "settings/single_command.h"

namespace tarvelon::settings {

bool beginSingleCommand(Exchange& ex)
{
    if (!ex.begin())
        return false;
    switch (ex.handshake(Limit::ReplyTime)) {
    case Wake::Ready:
        return true;
    case Wake::Refused:
        ex.end();
        return false;
    case Wake::NoReply:
        return false;
    }
    return false;
}

} // namespace tarvelon::settings
