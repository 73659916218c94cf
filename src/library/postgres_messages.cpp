// What a PostgreSQL server or libpq says, in a person's words.
#include "library/postgres_messages.h"

#include <cstdlib>

namespace tarvelon::sql {
namespace {

bool contains(const std::string& text, std::string_view part)
{
    return text.find(part) != std::string::npos;
}

// A path as this system writes it: libpq joins the folder it looks in with '/' on Windows too.
std::string nativePath(std::string path)
{
#ifdef _WIN32
    for (char& c : path)
        if (c == '/')
            c = '\\';
#endif
    return path;
}

// The text between the quotes that follow `after` in a libpq message.
std::string quotedAfter(const std::string& raw, std::string_view after)
{
    const size_t at = raw.find(after);
    const size_t open = at == std::string::npos ? at : raw.find('"', at + after.size());
    const size_t close = open == std::string::npos ? open : raw.find('"', open + 1);
    return close == std::string::npos ? std::string() : raw.substr(open + 1, close - open - 1);
}

// The authority's certificate the connection was checked against: its sslrootcert, else the
// file libpq looks for in the user's folder.
std::string authorityFile(PGconn* conn)
{
    std::string file;
    if (PQconninfoOption* options = conn ? PQconninfo(conn) : nullptr) {
        for (PQconninfoOption* o = options; o->keyword; ++o)
            if (std::string_view(o->keyword) == "sslrootcert" && o->val)
                file = o->val;
        PQconninfoFree(options);
    }
    if (!file.empty())
        return nativePath(file);
#ifdef _WIN32
    const char* appData = std::getenv("APPDATA");
    return nativePath(std::string(appData ? appData : "%APPDATA%") + "/postgresql/root.crt");
#else
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "~") + "/.postgresql/root.crt";
#endif
}

} // namespace

std::string firstLine(std::string text)
{
    if (const size_t nl = text.find('\n'); nl != std::string::npos)
        text.resize(nl);
    return text;
}

// libpq's reasons for a connection that failed, in a person's words.
std::string connectionMessage(const std::string& raw, PGconn* conn)
{
    // The three ways a checked TLS connection fails, each named for what the user can change.
    if (contains(raw, "root certificate file") && contains(raw, "does not exist"))
        return "the authority's certificate file " + nativePath(quotedAfter(raw, "root certificate file")) +
               " does not exist, so the server's certificate cannot be checked";
    if (contains(raw, "could not read root certificate file"))
        return "the authority's certificate file " + nativePath(quotedAfter(raw, "root certificate file")) +
               " cannot be read as a certificate (" + firstLine(raw) + ")";
    if (contains(raw, "certificate verify failed"))
        return "the authority's certificate file " + authorityFile(conn) +
               " is not the authority that signed the server's certificate, so the connection was not made";
    if (contains(raw, "does not match host name"))
        return "the server's certificate is for another name (" + quotedAfter(raw, "server certificate for") +
               ", not " + quotedAfter(raw, "does not match host name") + "), so the connection was not made";

    if (contains(raw, "password authentication failed"))
        return "the server refused the user name or password";
    if (contains(raw, "no password supplied") || contains(raw, "password is required"))
        return "the server asks for a password and none was given";
    if (contains(raw, "does not support SSL"))
        return "the server does not offer an encrypted connection, so none was made (write sslmode=disable in "
               "the connection to connect in plain text)";
    if (contains(raw, "does not match host name") || contains(raw, "certificate verify failed") ||
        contains(raw, "root certificate file") || contains(raw, "certificate"))
        return "the server's certificate does not match the server asked for, so the connection was not made (" +
               firstLine(raw) + ")";
    if (contains(raw, "Connection refused") || contains(raw, "timeout expired") ||
        contains(raw, "could not translate host name") || contains(raw, "No route to host") ||
        contains(raw, "Network is unreachable") || contains(raw, "could not connect"))
        return "the server cannot be reached (" + firstLine(raw) + ")";
    if (contains(raw, "no pg_hba.conf entry"))
        return "the server does not accept this user from this computer for this database (its administrator "
               "allows it in pg_hba.conf)";
    if (contains(raw, "permission denied") || contains(raw, "not permitted to log in"))
        return "the server does not let this user into the library (" + firstLine(raw) + ")";
    return firstLine(raw);
}

std::string refusalMessage(std::string_view sql)
{
    if (sql.find("tarvelon_delete_survey") != std::string_view::npos)
        return "your role on the server may not delete from the library; ask its administrator for tarvelon_manager";
    if (sql.find("tarvelon_record") != std::string_view::npos || sql.substr(0, 4) == "LOCK")
        return "your role on the server may only read the library; ask its administrator for tarvelon_editor";
    if (sql.substr(0, 6) == "SELECT")
        return "your role on the server may not read the library; ask its administrator for tarvelon_reader";
    const bool deleting = sql.substr(0, 6) == "DELETE" && sql.find("corrections") == std::string_view::npos;
    if (deleting)
        return "your role on the server may not delete from the library; ask its administrator for tarvelon_manager";
    return "your role on the server may only read the library; ask its administrator for tarvelon_editor";
}

} // namespace tarvelon::sql
