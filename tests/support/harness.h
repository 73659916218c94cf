#pragma once
#include "link/context.h"
#include "link/header_file.h"
#include "platform/file_path.h"
#include "platform/virtual/virtual_time.h"
#include "sim/unit.h"
#include "sim/virtual_line.h"
#include "support/fake_form.h"

#include <filesystem>
#include <string>

namespace tarvelon::test {

// A folder of its own for every test, removed afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    // A UTF-8 path, as the program keeps paths.
    std::string file(const std::string& name) const { return utf8Path(path_ / fsPath(name)); }

private:
    std::filesystem::path path_;
};

// Paths in UTF-8.
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

// The program without its window: state, a form, message boxes answered by the test, and a
// simulated unit on a line that runs on the virtual clock.
struct Harness {
    Harness();

    // The start-up of the main window: default header file, block 1 shown.
    void startUp();
    HeaderFile headerFile() const { return HeaderFile(state.headerFilePath); }
    double seconds() const { return static_cast<double>(clock.now()) / 1e6; }

    TempDir dir;
    virt::Clock clock;
    virt::Loop loop{clock};
    ProgramState state;
    virt::VirtualTimer timer1{clock, [this] { state.onTick(); }};
    sim::Unit unit;
    sim::VirtualLine line{clock, unit};
    FakeForm form;
    FakeMessages messages;
    FakeDesktop desktop;
    Context ctx{state, form, line, loop, timer1, messages, desktop};
};

} // namespace tarvelon::test
