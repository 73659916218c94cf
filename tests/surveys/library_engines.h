#pragma once
#include "support/harness.h"
#include "library/sql.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

// A survey library made fresh for one test, on either engine: a file in a temporary folder, or
// a database of its own on the test server that scripts/with-postgres runs (TARVELON_TEST_PG).
namespace tarvelon::test {

enum class LibraryEngine { SQLite, PostgreSQL };

inline std::string engineName(const testing::TestParamInfo<LibraryEngine>& info)
{
    return info.param == LibraryEngine::SQLite ? "SQLite" : "PostgreSQL";
}

// The test server's URI without a database name; empty when no server runs.
inline std::string testServer()
{
    const char* uri = std::getenv("TARVELON_TEST_PG");
    return uri ? uri : "";
}

// The password the test server gives every role made on it, from the password file.
inline std::string testServerPassword()
{
    const char* file = std::getenv("PGPASSFILE");
    std::ifstream in(file ? file : "");
    std::string line;
    std::getline(in, line);
    return line.substr(line.rfind(':') + 1);
}

inline constexpr const char* kNoServer =
    "no test server: TARVELON_TEST_PG is not set (run under scripts/with-postgres, as scripts/test does)";

// Statements run on the test server by its superuser, on `database`.
inline bool onServer(const std::string& sql, const std::string& database = "postgres")
{
    sql::Database admin;
    if (!admin.connect(testServer() + "/" + database)) {
        ADD_FAILURE() << admin.error();
        return false;
    }
    if (!admin.exec(sql)) {
        ADD_FAILURE() << sql << ": " << admin.error();
        return false;
    }
    return true;
}

class TestLibrary {
public:
    explicit TestLibrary(LibraryEngine engine) : engine_(engine)
    {
        if (engine != LibraryEngine::PostgreSQL) {
            location_ = dir_.file("surveys.sqlite");
            return;
        }
        // Test programs run at once on one server: a name no other takes.
        static const unsigned run = std::random_device{}();
        static std::atomic<int> made{0};
        database_ = "tarvelon_test_" + std::to_string(run) + "_" + std::to_string(++made);
        if (onServer("CREATE DATABASE " + database_))
            location_ = testServer() + "/" + database_;
    }
    ~TestLibrary()
    {
        if (!database_.empty() && !location_.empty())
            onServer("DROP DATABASE " + database_ + " WITH (FORCE)");
    }
    TestLibrary(const TestLibrary&) = delete;
    TestLibrary& operator=(const TestLibrary&) = delete;

    // Where the store opens it: a file's path or the server's URI.
    const std::string& location() const { return location_; }
    const std::string& database() const { return database_; }
    const TempDir& dir() const { return dir_; }
    LibraryEngine engine() const { return engine_; }

private:
    LibraryEngine engine_;
    TempDir dir_;
    std::string database_;
    std::string location_;
};

// Tests run once per engine; the server's are skipped, saying why, when no server runs.
class OnEachEngine : public testing::TestWithParam<LibraryEngine> {
protected:
    void SetUp() override
    {
        if (GetParam() == LibraryEngine::PostgreSQL && testServer().empty())
            GTEST_SKIP() << kNoServer;
        library_.emplace(GetParam());
        ASSERT_FALSE(library_->location().empty());
    }
    const std::string& location() const { return library_->location(); }
    TestLibrary& library() { return *library_; }

private:
    std::optional<TestLibrary> library_;
};

// Tests of one server library and the login roles they make for it: skipped, saying why, when
// no server runs; the database goes first, then the roles it named.
class OnServerWithPeople : public testing::Test {
protected:
    void SetUp() override
    {
        if (testServer().empty())
            GTEST_SKIP() << kNoServer;
        library_.emplace(LibraryEngine::PostgreSQL);
        ASSERT_FALSE(library_->location().empty());
    }
    ~OnServerWithPeople() override
    {
        library_.reset();
        for (const std::string& user : made_)
            onServer("DROP ROLE IF EXISTS " + user);
    }
    const std::string& database() const { return library_->database(); }
    const std::string& location() const { return library_->location(); }
    // A login role of this test, with the test server's password, granted `role` (none: nothing).
    std::string person(const std::string& name, const std::string& role)
    {
        const std::string user = name + "_" + database();
        onServer("DROP ROLE IF EXISTS " + user + "; CREATE ROLE " + user + " LOGIN PASSWORD '" + testServerPassword() +
                 "'" + (role.empty() ? "" : "; GRANT " + role + " TO " + user));
        made_.push_back(user);
        return user;
    }
    // The library's location as `user` connects to it.
    std::string as(const std::string& user) const
    {
        std::string uri = location();
        uri.replace(uri.find("//") + 2, uri.find('@') - uri.find("//") - 2, user);
        return uri;
    }

private:
    std::optional<TestLibrary> library_;
    std::vector<std::string> made_;
};

} // namespace tarvelon::test
