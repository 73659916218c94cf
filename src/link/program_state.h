#pragma once
#include "link/header_record.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace tarvelon {

// What the program last learned of one block in the unit, from a header it read or wrote.
// Texts as the unit holds them (Windows-1252), date "DDMMYY", time "hhmmss".
struct UnitBlock {
    std::string client, site, tube, readout, date, time;
    bool holdsReadings = false; // a depth other than 0 read; a header written clears the readings
};

// What the survey library keeps of a block's readings: none, some (kept incomplete), all.
enum class LibraryKeeps { Nothing, Part, Whole };

// The program-wide state the main window owns from start to exit.
struct ProgramState {
    int portNumber = 1;
    int tick = 0;
    int currentBlock = 1;
    int downloadBlock = 1;
    std::string downloadFolder;
    std::string headerFilePath;
    HeaderRecord record;
    // Address pieces of the next read memory line command.
    std::string blockCode;
    std::string pageDigit;
    std::string rowOffset;

    // Blocks 1 to 30 as last learned; nothing for a block the program knows nothing of.
    std::array<std::optional<UnitBlock>, 30> unitBlocks;
    // How much of that block's readings the survey library keeps; nothing when it cannot tell.
    std::function<std::optional<LibraryKeeps>(const UnitBlock&)> keptInLibrary;

    static constexpr int kTickWrap = 5000;
    // One Timer1 tick: the counter never holds more than 5000 between ticks.
    void onTick()
    {
        if (++tick > kTickWrap)
            tick = 0;
    }
};

} // namespace tarvelon
