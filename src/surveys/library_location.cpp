#include "surveys/library_location.h"

namespace tarvelon::surveys {
namespace {

PasswordPrompt& prompt()
{
    static PasswordPrompt p;
    return p;
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

bool isServerLocation(std::string_view location)
{
    if (startsWith(location, "postgresql://") || startsWith(location, "postgres://"))
        return true;
    // Connection keywords: "service=NAME", "host=... dbname=...", never a file name with '='
    // in it, which has no keyword of libpq's before its first '='.
    const size_t eq = location.find('=');
    if (eq == std::string_view::npos)
        return false;
    const std::string_view key = location.substr(0, eq);
    for (std::string_view k : {"service", "host", "hostaddr", "dbname", "port", "user"})
        if (key == k)
            return true;
    return false;
}

void setPasswordPrompt(PasswordPrompt p)
{
    prompt() = std::move(p);
}

const PasswordPrompt& passwordPrompt()
{
    return prompt();
}

} // namespace tarvelon::surveys
