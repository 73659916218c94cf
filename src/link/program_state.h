#pragma once
#include "link/header_record.h"

#include <string>

namespace tarvelon {

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

    static constexpr int kTickWrap = 5000;
    // One Timer1 tick: the counter never holds more than 5000 between ticks.
    void onTick()
    {
        if (++tick > kTickWrap)
            tick = 0;
    }
};

} // namespace tarvelon
