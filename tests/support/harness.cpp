#include "support/harness.h"

#include "link/startup.h"
#include "platform/file_path.h"

#include <fstream>
#include <random>
#include <sstream>

namespace tarvelon::test {

TempDir::TempDir()
{
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("tarvelon-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string readFile(const std::string& path)
{
    std::ifstream in(fsPath(path), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(fsPath(path), std::ios::binary) << bytes;
}

Harness::Harness()
{
    loop.addSource(&timer1);
    loop.addSource(&line);
    state.headerFilePath = dir.file("intestazione");
}

void Harness::startUp()
{
    tarvelon::startUp(ctx, state.headerFilePath);
}

} // namespace tarvelon::test
