// What a PostgreSQL server or libpq says, in a person's words: why a connection failed and why
// a statement was refused.
#pragma once

#include <libpq-fe.h>

#include <string>
#include <string_view>

namespace tarvelon::sql {

// The first line of a libpq message, without its trailing blanks.
std::string firstLine(std::string text);
// libpq's reasons for a connection that failed; `conn` tells which certificate was checked.
std::string connectionMessage(const std::string& raw, PGconn* conn = nullptr);
// Why the server refused `sql` to this role.
std::string refusalMessage(std::string_view sql);

} // namespace tarvelon::sql
