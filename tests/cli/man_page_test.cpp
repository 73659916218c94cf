#include <gtest/gtest.h>

#include "support/child_process.h"
#include "support/harness.h"

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

// The manual pages are written by hand; every command and option the programs' own help lists
// must be in them, so a new option cannot ship undocumented.
namespace tarvelon::test {
namespace {

using namespace std::chrono_literals;

std::string helpOf(const std::string& program, const std::vector<std::string>& args)
{
    TempDir home;
    ChildProcess p(program, args, {"HOME=" + home.file(""), "XDG_DATA_HOME=" + home.file("share"),
                                   "XDG_CONFIG_HOME=" + home.file("config"), "QT_QPA_PLATFORM=offscreen"});
    EXPECT_EQ(p.wait(30s), 0) << program << " " << (args.empty() ? "" : args.front()) << ": " << p.err;
    return p.out;
}

// The page as man shows its words: roff's "\-" is a hyphen.
std::string manPage(const std::string& name)
{
    std::ifstream in(std::string(TARVELON_SOURCE_DIR "/docs/man/") + name);
    std::stringstream text;
    text << in.rdbuf();
    return std::regex_replace(text.str(), std::regex(R"(\\-)"), "-");
}

std::set<std::string> optionsIn(const std::string& help)
{
    std::set<std::string> options;
    const std::regex option(R"((^|[\s,])(--[a-z][a-z0-9-]*))");
    for (auto it = std::sregex_iterator(help.begin(), help.end(), option); it != std::sregex_iterator(); ++it)
        options.insert((*it)[2]);
    return options;
}

bool mentions(const std::string& page, const std::string& word)
{
    // The word whole, not as the start of a longer option (--alert in --alert-rate).
    return std::regex_search(page, std::regex("(^|[^a-z-])" + word + "($|[^a-z-])"));
}

TEST(ManPage, TarvelonDescribesEveryCommandAndOption)
{
    const std::string page = manPage("tarvelon.1");
    ASSERT_GT(page.size(), 2000u);
    const std::string help = helpOf(TARVELON_CLI, {"--help"});
    // The commands: the indented lines between "Commands:" and the next blank line.
    std::vector<std::string> commands;
    std::istringstream lines(help.substr(help.find("Commands:")));
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line) && !line.empty())
        commands.push_back(line.substr(2, line.find(' ', 2) - 2));
    ASSERT_GE(commands.size(), 10u) << help;
    size_t checked = 0;
    for (const std::string& option : optionsIn(help)) {
        ++checked;
        EXPECT_TRUE(mentions(page, option)) << "tarvelon.1 lacks the program's " << option;
    }
    for (const std::string& command : commands) {
        EXPECT_TRUE(std::regex_search(page, std::regex("\\n\\.(B|BI|B \\S+) \"?" + command + "[ \"\\n]")))
            << "tarvelon.1 has no entry for the command " << command;
        for (const std::string& option : optionsIn(helpOf(TARVELON_CLI, {command, "--help"}))) {
            ++checked;
            EXPECT_TRUE(mentions(page, option)) << "tarvelon.1 lacks " << command << " " << option;
        }
    }
    EXPECT_GT(checked, 40u);
}

TEST(ManPage, TarvelonManagerDescribesEveryOption)
{
    const std::string page = manPage("tarvelon-manager.1");
    ASSERT_GT(page.size(), 500u);
    const std::set<std::string> options = optionsIn(helpOf(TARVELON_MANAGER, {"--help"}));
    EXPECT_TRUE(options.count("--trace"));
    for (const std::string& option : options)
        EXPECT_TRUE(mentions(page, option)) << "tarvelon-manager.1 lacks " << option;
}

} // namespace
} // namespace tarvelon::test
