// What a PostgreSQL server or libpq says, in a person's words.
#include "library/postgres_messages.h"

#include "analysis/said.h"

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
        return surveys::said(QT_TRANSLATE_NOOP("Texts", "the authority's certificate file %1 does not exist, so the "
                                                        "server's certificate cannot be checked"),
                             {nativePath(quotedAfter(raw, "root certificate file"))});
    if (contains(raw, "could not read root certificate file"))
        return surveys::said(QT_TRANSLATE_NOOP("Texts", "the authority's certificate file %1 cannot be read as a "
                                                        "certificate (%2)"),
                             {nativePath(quotedAfter(raw, "root certificate file")), firstLine(raw)});
    if (contains(raw, "certificate verify failed"))
        return surveys::said(QT_TRANSLATE_NOOP("Texts", "the authority's certificate file %1 is not the authority that "
                                                        "signed the server's certificate, so the connection was not made"),
                             {authorityFile(conn)});
    if (contains(raw, "does not match host name"))
        return surveys::said(QT_TRANSLATE_NOOP("Texts", "the server's certificate is for another name (%1, not %2), so "
                                                        "the connection was not made"),
                             {quotedAfter(raw, "server certificate for"), quotedAfter(raw, "does not match host name")});

    if (contains(raw, "password authentication failed"))
        return surveys::said(QT_TRANSLATE_NOOP("Texts", "the server refused the user name or password"));
    if (contains(raw, "no password supplied") || contains(raw, "password is required"))
        return surveys::said(QT_TRANSLATE_NOOP("Texts", "the server asks for a password and none was given"));
    if (contains(raw, "does not support SSL"))
        return surveys::said(QT_TRANSLATE_NOOP("Texts", "the server does not offer an encrypted connection, so none "
                                                        "was made (write sslmode=disable in the connection to connect "
                                                        "in plain text)"));
    if (contains(raw, "does not match host name") || contains(raw, "certificate verify failed") ||
        contains(raw, "root certificate file") || contains(raw, "certificate"))
        return surveys::said(QT_TRANSLATE_NOOP("Texts", "the server's certificate does not match the server asked "
                                                        "for, so the connection was not made (%1)"),
                             {firstLine(raw)});
    if (contains(raw, "Connection refused") || contains(raw, "timeout expired") ||
        contains(raw, "could not translate host name") || contains(raw, "No route to host") ||
        contains(raw, "Network is unreachable") || contains(raw, "could not connect"))
        return surveys::said(QT_TRANSLATE_NOOP("Texts", "the server cannot be reached (%1)"), {firstLine(raw)});
    if (contains(raw, "no pg_hba.conf entry"))
        return surveys::said(QT_TRANSLATE_NOOP("Texts", "the server does not accept this user from this computer for "
                                                        "this database (its administrator allows it in pg_hba.conf)"));
    if (contains(raw, "permission denied") || contains(raw, "not permitted to log in"))
        return surveys::said(QT_TRANSLATE_NOOP("Texts", "the server does not let this user into the library (%1)"),
                             {firstLine(raw)});
    return firstLine(raw);
}

std::string refusalMessage(std::string_view sql)
{
    if (sql.find("tarvelon_delete_survey") != std::string_view::npos)
        return surveys::said(QT_TRANSLATE_NOOP("Texts", "your role on the server may not delete from the library; ask its administrator for tarvelon_manager"));
    if (sql.find("tarvelon_record") != std::string_view::npos || sql.substr(0, 4) == "LOCK")
        return surveys::said(QT_TRANSLATE_NOOP("Texts", "your role on the server may only read the library; ask its administrator for tarvelon_editor"));
    if (sql.substr(0, 6) == "SELECT")
        return surveys::said(QT_TRANSLATE_NOOP("Texts", "your role on the server may not read the library; ask its administrator for tarvelon_reader"));
    const bool deleting = sql.substr(0, 6) == "DELETE" && sql.find("corrections") == std::string_view::npos;
    if (deleting)
        return surveys::said(QT_TRANSLATE_NOOP("Texts", "your role on the server may not delete from the library; ask its administrator for tarvelon_manager"));
    return surveys::said(QT_TRANSLATE_NOOP("Texts", "your role on the server may only read the library; ask its administrator for tarvelon_editor"));
}

} // namespace tarvelon::sql
