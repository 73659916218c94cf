#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// A survey library is a file on this computer or a database server named by a connection:
// a postgresql:// (or postgres://) URI, or connection keywords such as "service=office".
namespace tarvelon::surveys {

bool isServerLocation(std::string_view location);
// The location as it may be shown or printed: a password in a URI (user:password@, or a
// password parameter, its key or value percent-encoded or not), in connection keywords
// ("password = 'a b'", escapes and all) or in service-file lines left out. The one way every
// message, the window and the command line hide it.
std::string withoutPassword(std::string_view location, bool* removed = nullptr);
// Whether the location holds a password of its own.
bool holdsPassword(std::string_view location);
// `text` (a message) with each password the location holds, as written or decoded, replaced by
// "***".
std::string withoutPasswordOf(std::string text, std::string_view location);

// Asked for a server's password when the user's password file has none; `shown` names the
// server without any password. No answer (std::nullopt) gives up the connection.
using PasswordPrompt = std::function<std::optional<std::string>(const std::string& shown)>;
void setPasswordPrompt(PasswordPrompt prompt);
const PasswordPrompt& passwordPrompt();

// Hears what a person should know of a connection once a run, such as that it is not encrypted.
using ConnectionNotice = std::function<void(const std::string& text)>;
void setConnectionNotice(ConnectionNotice notice);
const ConnectionNotice& connectionNotice();

} // namespace tarvelon::surveys
