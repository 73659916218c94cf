#include <gtest/gtest.h>

#include "library/store.h"
#include "support/harness.h"

#include <sqlite3.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

// docs/library.md lists every table of the library with its columns and their types; a new
// library made by this program must have exactly those.
namespace {

using tarvelon::surveys::SurveyStore;
using tarvelon::test::TempDir;

using Columns = std::vector<std::pair<std::string, std::string>>; // name, type

std::map<std::string, Columns> documentedTables(const std::string& text, int* version)
{
    std::map<std::string, Columns> tables;
    const std::regex heading(R"(^### (\w+)\s*$)");
    const std::regex row(R"(^\| `(\w+)` \| (\w+) \|)");
    const std::regex now(R"(`user_version`, now (\d+))");
    std::smatch m;
    if (std::regex_search(text, m, now))
        *version = std::stoi(m[1]);
    std::istringstream in(text);
    std::string current;
    bool inTables = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("## ", 0) == 0)
            inTables = line == "## Tables";
        if (!inTables)
            continue;
        if (std::regex_match(line, m, heading))
            tables[current = m[1]];
        else if (!current.empty() && std::regex_search(line, m, row))
            tables[current].emplace_back(m[1], m[2]);
    }
    return tables;
}

std::map<std::string, Columns> actualTables(const std::string& path)
{
    std::map<std::string, Columns> tables;
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    sqlite3_stmt* list = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name", -1, &list, nullptr);
    std::vector<std::string> names;
    while (sqlite3_step(list) == SQLITE_ROW)
        names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(list, 0)));
    sqlite3_finalize(list);
    for (const std::string& name : names) {
        sqlite3_stmt* info = nullptr;
        sqlite3_prepare_v2(db, ("SELECT name, type FROM pragma_table_info('" + name + "')").c_str(), -1, &info, nullptr);
        while (sqlite3_step(info) == SQLITE_ROW)
            tables[name].emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(info, 0)),
                                      reinterpret_cast<const char*>(sqlite3_column_text(info, 1)));
        sqlite3_finalize(info);
    }
    sqlite3_close(db);
    return tables;
}

TEST(SchemaDocs, LibraryPageListsEveryTableAndColumnOfANewLibrary)
{
    std::ifstream file(TARVELON_SOURCE_DIR "/docs/library.md");
    ASSERT_TRUE(file) << "docs/library.md not found";
    std::stringstream text;
    text << file.rdbuf();
    int version = -1;
    const auto documented = documentedTables(text.str(), &version);
    EXPECT_EQ(version, SurveyStore::kSchemaVersion) << "the version docs/library.md names";

    TempDir dir;
    const std::string path = dir.file("new.sqlite");
    {
        SurveyStore store;
        ASSERT_TRUE(store.open(path)) << store.error();
    }
    const auto actual = actualTables(path);
    ASSERT_FALSE(actual.empty());
    for (const auto& [table, columns] : actual) {
        const auto it = documented.find(table);
        if (it == documented.end()) {
            ADD_FAILURE() << "table " << table << " is not in docs/library.md";
            continue;
        }
        EXPECT_EQ(it->second, columns) << "the columns of " << table << " in docs/library.md";
    }
    for (const auto& [table, columns] : documented)
        EXPECT_TRUE(actual.count(table)) << "docs/library.md lists " << table << ", which a library does not have";
}

} // namespace
