#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// A survey library is a file on this computer or a database server named by a connection:
// a postgresql:// (or postgres://) URI, or connection keywords such as "service=office".
namespace tarvelon::surveys {

bool isServerLocation(std::string_view location);
// The location as it may be shown or printed: a password in a URI or in connection keywords
// left out.
std::string withoutPassword(std::string_view location);

// Asked for a server's password when the user's password file has none; `shown` names the
// server without any password. No answer (std::nullopt) gives up the connection.
using PasswordPrompt = std::function<std::optional<std::string>(const std::string& shown)>;
void setPasswordPrompt(PasswordPrompt prompt);
const PasswordPrompt& passwordPrompt();

} // namespace tarvelon::surveys
