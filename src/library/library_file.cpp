#include "library/library_file.h"

#include "analysis/said.h"

#include "library/sql.h"

#include <algorithm>
#include <array>
#include <system_error>

namespace tarvelon::surveys {
namespace fs = std::filesystem;
namespace {

// The library's own file last: its companions travel first, so the file never arrives
// without the changes they still hold.
constexpr std::array<const char*, 3> kParts{"-wal", "-shm", ""};

fs::path part(const fs::path& file, const char* suffix)
{
    fs::path p = file;
    p += suffix;
    return p;
}

std::string utf8(const fs::path& p)
{
    const std::u8string text = p.u8string();
    return std::string(text.begin(), text.end());
}

bool present(const fs::path& p)
{
    std::error_code ec;
    return fs::exists(p, ec);
}

// When the library (with its journal) was last written.
fs::file_time_type lastWritten(const fs::path& file)
{
    std::error_code ec;
    fs::file_time_type latest = fs::last_write_time(file, ec);
    if (const auto wal = fs::last_write_time(part(file, "-wal"), ec); !ec)
        latest = std::max(latest, wal);
    return latest;
}

// A rename where it can; across volumes a copy, complete under a temporary name before it
// takes the real one, and only then the original removed.
bool moveOne(const fs::path& from, const fs::path& to, std::string& error)
{
    std::error_code ec;
    fs::rename(from, to, ec);
    if (!ec)
        return true;
    fs::path partial = to;
    partial += ".moving";
    if (fs::copy_file(from, partial, fs::copy_options::overwrite_existing, ec) && (fs::rename(partial, to, ec), !ec) &&
        fs::remove(from, ec))
        return true;
    fs::remove(partial, ec);
    error = ec.message();
    return false;
}

bool moveLibrary(const fs::path& from, const fs::path& to, std::string& error)
{
    for (const char* suffix : kParts)
        if (present(part(from, suffix)) && !moveOne(part(from, suffix), part(to, suffix), error))
            return false;
    return true;
}

// A free name beside `file` for an older library: "surveys (older).sqlite", then "(older 2)".
fs::path asideName(const fs::path& file)
{
    for (int n = 1;; ++n) {
        fs::path name = file.stem();
        name += n == 1 ? std::string(" (older)") : " (older " + std::to_string(n) + ")";
        name += file.extension();
        const fs::path p = file.parent_path() / name;
        if (!present(p))
            return p;
    }
}

} // namespace

bool libraryFileInUse(const fs::path& file)
{
    if (!present(file))
        return false;
    sql::Database db;
    if (!db.open(utf8(file), sql::Database::Mode::ReadWrite))
        return db.busy();
    db.waitWhenBusy(std::chrono::milliseconds(0), {});
    // A program that has read the library keeps a shared lock on it for as long as it has it
    // open; an exclusive transaction is refused then. Closing after it also folds the journal
    // back into the file, so there is less to move.
    const bool held = !db.exec("PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE; COMMIT;") && db.busy();
    return held;
}

LibraryMoveResult moveLibraryFile(const fs::path& from, const fs::path& to)
{
    LibraryMoveResult result;
    if (!present(from)) {
        result.kind = present(to) ? LibraryMove::AlreadyThere : LibraryMove::Nothing;
        return result;
    }
    for (const fs::path& file : {from, to})
        if (libraryFileInUse(file)) {
            result.kind = LibraryMove::Held;
            result.error = utf8(file) + " is open in another program";
            return result;
        }
    std::error_code ec;
    fs::create_directories(to.parent_path(), ec);
    if (present(to)) {
        // Never one over the other: the older is renamed where it is, and the newer goes on.
        const bool fromNewer = lastWritten(from) > lastWritten(to);
        const fs::path older = fromNewer ? to : from;
        result.setAside = asideName(older);
        if (!moveLibrary(older, result.setAside, result.error)) {
            result.kind = LibraryMove::Failed;
            return result;
        }
        if (!fromNewer) {
            result.kind = LibraryMove::KeptBoth;
            return result;
        }
    }
    if (!moveLibrary(from, to, result.error)) {
        result.kind = LibraryMove::Failed;
        return result;
    }
    result.kind = result.setAside.empty() ? LibraryMove::Moved : LibraryMove::KeptBoth;
    return result;
}

std::string libraryMoveNote(const LibraryMoveResult& result, const fs::path& from, const fs::path& to)
{
    const auto shown = [](fs::path p) { return utf8(p.make_preferred()); };
    switch (result.kind) {
    case LibraryMove::Nothing:
    case LibraryMove::AlreadyThere:
        return {};
    case LibraryMove::Moved:
        return said(QT_TRANSLATE_NOOP("Texts", "The survey library has moved to %1"), {shown(to.parent_path())});
    case LibraryMove::KeptBoth:
        // Where the library is comes first: the older copy's name would read as its new place.
        return said(QT_TRANSLATE_NOOP("Texts", "The survey library is in %1; the older one is kept as %2"),
                    {shown(to.parent_path()), shown(result.setAside)});
    case LibraryMove::Held:
        return said(QT_TRANSLATE_NOOP("Texts", "The survey library stays in %1 for now: it is open in another "
                                               "program. It moves at the next start."),
                    {shown(from.parent_path())});
    case LibraryMove::Failed:
        return said(QT_TRANSLATE_NOOP("Texts", "The survey library stays in %1 for now: it could not move to %2 "
                                               "(%3). It is tried again at the next start."),
                    {shown(from.parent_path()), shown(to.parent_path()), result.error});
    }
    return {};
}

} // namespace tarvelon::surveys
