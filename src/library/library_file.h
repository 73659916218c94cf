#pragma once
#include <filesystem>
#include <string>

// Moving a survey library file to another folder (a new home for the program's data) without
// ever losing it: with its -wal and -shm companions, only while no program holds it, and never
// over another library.
namespace tarvelon::surveys {

enum class LibraryMove {
    Nothing,      // no library at either place
    AlreadyThere, // only at the new place
    Moved,
    KeptBoth,     // both places had one: the newer is at the new place, the other set aside
    Held,         // another program has it open: to be tried again at the next start
    Failed,       // the file system refused; nothing lost, to be tried again
};

struct LibraryMoveResult {
    LibraryMove kind = LibraryMove::Nothing;
    std::filesystem::path setAside; // KeptBoth: where the older library now is
    std::string error;              // Failed, Held: why
};

// Whether another program has the library open (SQLite's own locks tell); false for no file.
bool libraryFileInUse(const std::filesystem::path& file);

LibraryMoveResult moveLibraryFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Held or Failed: the library is still at the former place, and is used there this time.
inline bool stillAtFormerPlace(LibraryMove kind)
{
    return kind == LibraryMove::Held || kind == LibraryMove::Failed;
}

// What the user is told of a move from `from` to `to` (UTF-8, paths in the system's way); empty
// when there is nothing to say.
std::string libraryMoveNote(const LibraryMoveResult& result, const std::filesystem::path& from,
                            const std::filesystem::path& to);

} // namespace tarvelon::surveys
