// The PostgreSQL client linked into the Windows programs: the right version, safe with threads,
// and failing a connection with libpq's own sentence rather than at link or load time.
#include <libpq-fe.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

struct ConnectionCase {
    const char* conninfo;
    const char* said; // a part of libpq's message
};

class ClientFailsClearly : public testing::TestWithParam<ConnectionCase> {};

} // namespace

TEST(PostgresClient, IsVersion15AndThreadSafe)
{
    EXPECT_GE(PQlibVersion(), 150000);
    EXPECT_LT(PQlibVersion(), 160000);
    EXPECT_EQ(PQisthreadsafe(), 1);
    const char* tls = PQsslAttribute(nullptr, "library");
    ASSERT_NE(tls, nullptr);
    EXPECT_STREQ(tls, "OpenSSL");
}

TEST_P(ClientFailsClearly, WithLibpqsMessage)
{
    const std::unique_ptr<PGconn, decltype(&PQfinish)> conn(PQconnectdb(GetParam().conninfo), &PQfinish);
    ASSERT_NE(conn, nullptr);
    EXPECT_EQ(PQstatus(conn.get()), CONNECTION_BAD);
    EXPECT_NE(std::string(PQerrorMessage(conn.get())).find(GetParam().said), std::string::npos)
        << PQerrorMessage(conn.get());
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ClientFailsClearly,
    testing::Values(
        // Winsock reached: nothing listens on port 1.
        ConnectionCase{"host=127.0.0.1 port=1 dbname=x user=x connect_timeout=5", "port 1 failed"},
        // A client without TLS would refuse the mode before it tried the server.
        ConnectionCase{"host=127.0.0.1 port=1 dbname=x user=x sslmode=verify-full", "port 1 failed"},
        ConnectionCase{"host=127.0.0.1 sslmode=sometimes", "sslmode"}));
