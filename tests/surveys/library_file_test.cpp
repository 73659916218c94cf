// A survey library moving to a new folder: never lost, never over another, never while held.
#include "support/harness.h"
#include "library/library_file.h"
#include "library/sql.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>

using namespace tarvelon;
using namespace tarvelon::surveys;
using tarvelon::test::TempDir;
namespace fs = std::filesystem;

namespace {

// A library in WAL mode, as the store keeps it, that knows which one it is.
void makeLibrary(const fs::path& file, const std::string& name, fs::file_time_type written)
{
    fs::create_directories(file.parent_path());
    sql::Database db;
    ASSERT_TRUE(db.open(file.string(), sql::Database::Mode::ReadWrite));
    ASSERT_TRUE(db.exec("PRAGMA journal_mode = WAL; CREATE TABLE which (name TEXT); INSERT INTO which VALUES ('" + name +
                        "');"));
    db.close();
    fs::last_write_time(file, written);
}

std::optional<std::string> nameOf(const fs::path& file)
{
    if (!fs::exists(file))
        return std::nullopt;
    sql::Database db;
    if (!db.open(file.string(), sql::Database::Mode::ReadOnly))
        return "unreadable";
    sql::Statement q(db, "SELECT name FROM which");
    return q.step() ? std::optional<std::string>(q.text(0)) : std::string("empty");
}

struct MoveCase {
    const char* what;
    std::optional<int> formerAgeDays, newAgeDays; // which places hold a library, and how old
    bool formerHeld;
    LibraryMove kind;
    const char* atNewPlace; // the library found at the new place afterwards
    const char* atFormerPlace;
    const char* setAside;
};

class LibraryHome : public testing::TestWithParam<MoveCase> {};

} // namespace

TEST_P(LibraryHome, MovesOnceAndLosesNothing)
{
    const MoveCase& c = GetParam();
    TempDir dir;
    const fs::path from = dir.path() / "Tarvelon Manager" / "surveys.sqlite";
    const fs::path to = dir.path() / "Tarvelon Instruments" / "Tarvelon Manager" / "surveys.sqlite";
    const auto now = fs::file_time_type::clock::now();
    if (c.formerAgeDays)
        makeLibrary(from, "former", now - std::chrono::hours(24 * *c.formerAgeDays));
    if (c.newAgeDays)
        makeLibrary(to, "new", now - std::chrono::hours(24 * *c.newAgeDays));
    sql::Database holder;
    if (c.formerHeld) {
        ASSERT_TRUE(holder.open(from.string(), sql::Database::Mode::ReadWrite));
        ASSERT_TRUE(holder.queryInt("SELECT count(*) FROM which"));
    }

    const LibraryMoveResult r = moveLibraryFile(from, to);

    EXPECT_EQ(r.kind, c.kind) << r.error;
    EXPECT_EQ(nameOf(to).value_or("none"), c.atNewPlace);
    EXPECT_EQ(nameOf(from).value_or("none"), c.atFormerPlace);
    EXPECT_EQ(r.setAside.empty() ? std::string("none") : nameOf(r.setAside).value_or("missing"), c.setAside);
    const std::string note = libraryMoveNote(r, from, to);
    EXPECT_EQ(note.empty(), c.kind == LibraryMove::Nothing || c.kind == LibraryMove::AlreadyThere) << note;
    // Where the library is comes before the older copy's name, in the system's separators.
    if (c.kind == LibraryMove::KeptBoth) {
        const std::string at = fs::path(to.parent_path()).make_preferred().string();
        const std::string older = fs::path(r.setAside).make_preferred().string();
        EXPECT_EQ(note.rfind("The survey library is in " + at + ";", 0), 0u) << note;
        EXPECT_NE(note.find("kept as " + older), std::string::npos) << note;
    }
    // Said once: a second start finds nothing more to move.
    holder.close();
    if (c.kind != LibraryMove::Held) {
        const LibraryMove again = moveLibraryFile(from, to).kind;
        EXPECT_TRUE(again == LibraryMove::Nothing || again == LibraryMove::AlreadyThere);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LibraryHome,
    testing::Values(MoveCase{"nothing", {}, {}, false, LibraryMove::Nothing, "none", "none", "none"},
                    MoveCase{"moved", 3, {}, false, LibraryMove::Moved, "former", "none", "none"},
                    MoveCase{"already moved", {}, 3, false, LibraryMove::AlreadyThere, "new", "none", "none"},
                    MoveCase{"both, the new place's newer", 5, 1, false, LibraryMove::KeptBoth, "new", "none", "former"},
                    MoveCase{"both, the former place's newer", 1, 5, false, LibraryMove::KeptBoth, "former", "none",
                             "new"},
                    MoveCase{"held by another program", 3, {}, true, LibraryMove::Held, "none", "former", "none"}),
    [](const testing::TestParamInfo<MoveCase>& info) {
        std::string name;
        for (const char* p = info.param.what; *p; ++p)
            if (std::isalnum(static_cast<unsigned char>(*p)))
                name += *p;
        return name;
    });

TEST(LibraryHome, AHeldLibraryMovesWhenItIsFreed)
{
    TempDir dir;
    const fs::path from = dir.path() / "old" / "surveys.sqlite";
    const fs::path to = dir.path() / "new" / "surveys.sqlite";
    makeLibrary(from, "former", fs::file_time_type::clock::now());
    {
        sql::Database holder;
        ASSERT_TRUE(holder.open(from.string(), sql::Database::Mode::ReadWrite));
        ASSERT_TRUE(holder.exec("INSERT INTO which VALUES ('written while held')"));
        EXPECT_EQ(moveLibraryFile(from, to).kind, LibraryMove::Held);
    }
    EXPECT_EQ(moveLibraryFile(from, to).kind, LibraryMove::Moved);
    sql::Database moved;
    ASSERT_TRUE(moved.open(to.string(), sql::Database::Mode::ReadOnly));
    EXPECT_EQ(moved.queryInt("SELECT count(*) FROM which"), 2);
    EXPECT_FALSE(fs::exists(from.string() + "-wal"));
}
