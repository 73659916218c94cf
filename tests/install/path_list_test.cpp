#include "install/path_list.h"

#include <gtest/gtest.h>

#include <string>

using namespace tarvelon::install;

namespace {

const std::wstring kFolder = L"C:\\Program Files\\Tarvelon Manager";
const std::wstring kSystem = L"%SystemRoot%\\system32;%SystemRoot%;%SystemRoot%\\System32\\Wbem";

// A PATH as long as engineering PCs have them: many tool folders, about 4000 characters.
std::wstring longPath()
{
    std::wstring value = kSystem;
    for (int i = 0; value.size() < 4000; ++i)
        value += L";C:\\Program Files\\Vendor " + std::to_wstring(i) + L"\\Toolchain\\bin";
    return value;
}

} // namespace

TEST(PathList, AddingThenRemovingGivesBackTheValueExactly)
{
    struct Case {
        const char* what;
        std::wstring before;
        std::wstring added;
    };
    const std::wstring big = longPath();
    const Case cases[] = {
        {"plain", kSystem, kSystem + L";" + kFolder},
        {"ending in ;", kSystem + L";", kSystem + L";" + kFolder + L";"},
        {"empty", L"", kFolder},
        {"a lone ;", L";", L";" + kFolder + L";"},
        {"empty entries inside", L"A;;B", L"A;;B;" + kFolder},
        {"about 4000 characters", big, big + L";" + kFolder},
        {"a quoted entry holding ;", L"\"C:\\a;b\";D", L"\"C:\\a;b\";D;" + kFolder},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_FALSE(containsFolder(c.before, kFolder));
        const std::wstring added = withFolder(c.before, kFolder);
        EXPECT_EQ(added, c.added);
        EXPECT_TRUE(containsFolder(added, kFolder));
        EXPECT_EQ(withoutFolder(added, kFolder), c.before);
    }
}

TEST(PathList, TheFolderIsFoundHoweverItIsWritten)
{
    struct Case {
        std::wstring value;
        std::wstring folder;
        bool found;
    };
    const Case cases[] = {
        {kSystem + L";c:\\program files\\tarvelon manager", kFolder, true},
        {kSystem + L";C:\\Program Files\\Tarvelon Manager\\", kFolder, true},
        {L"C:\\Program Files\\Tarvelon Manager\\\\;" + kSystem, kFolder, true},
        {L"\"C:\\Program Files\\Tarvelon Manager\";X", kFolder, true},
        {L" C:/Program Files/Tarvelon Manager ;X", kFolder, true},
        {L"X;C:\\Program Files\\Tarvelon Manager", kFolder + L"\\", true},
        {L"D:\\ŁÓDŹ DANE\\ЖУРНАЛ;X", L"d:\\łódź dane\\журнал", true},
        {L"D:\\Μετρήσεις ΣΣ", L"D:\\ΜΕΤΡήΣΕΙΣ σς", true},
        {kSystem + L";C:\\Program Files\\Tarvelon Manager 2", kFolder, false},
        {kSystem + L";C:\\Program Files", kFolder, false},
        {kSystem + L";;", L"", false},
        {L"", kFolder, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.value.begin(), c.value.end()));
        EXPECT_EQ(containsFolder(c.value, c.folder), c.found);
    }
}

TEST(PathList, ReferencesAreExpandedForTheQuestionButLeftAloneOnRemoval)
{
    const Expand expand = [](std::wstring_view entry) {
        std::wstring out(entry);
        const std::wstring name = L"%ProgramFiles%";
        if (out.rfind(name, 0) == 0)
            out.replace(0, name.size(), L"C:\\Program Files");
        return out;
    };
    const std::wstring value = kSystem + L";%ProgramFiles%\\Tarvelon Manager";
    EXPECT_FALSE(containsFolder(value, kFolder));
    EXPECT_TRUE(containsFolder(value, kFolder, expand));
    // The user's own reference is not the entry the installer wrote.
    EXPECT_EQ(withoutFolder(value, kFolder), value);
}

TEST(PathList, RemovalTakesOnlyTheFolderAndKeepsEverythingElse)
{
    struct Case {
        const char* what;
        std::wstring value;
        std::wstring removed;
    };
    const Case cases[] = {
        {"first", kFolder + L";" + kSystem, kSystem},
        {"middle", L"A;" + kFolder + L";B", L"A;B"},
        {"twice, spelt otherwise", L"A;" + kFolder + L";B;c:\\PROGRAM FILES\\tarvelon manager\\", L"A;B"},
        {"absent", L"A;;B;", L"A;;B;"},
        {"a longer name kept", L"A;" + kFolder + L" 2;" + kFolder, L"A;" + kFolder + L" 2"},
        {"a quoted entry holding ; kept", L"\"C:\\x;" + kFolder + L"\";" + kFolder, L"\"C:\\x;" + kFolder + L"\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(withoutFolder(c.value, kFolder), c.removed);
    }
}

TEST(PathList, SplittingKeepsEmptyEntriesAndQuotedSemicolons)
{
    EXPECT_TRUE(splitPath(L"").empty());
    EXPECT_EQ(splitPath(L"A;;B;"), (std::vector<std::wstring>{L"A", L"", L"B", L""}));
    EXPECT_EQ(splitPath(L"\"C:\\a;b\";D"), (std::vector<std::wstring>{L"\"C:\\a;b\"", L"D"}));
}

TEST(PathList, ADrivesRootKeepsItsBackslashAndAFolderLosesItsTrailingOnes)
{
    EXPECT_EQ(withFolder(L"A", L"D:\\"), L"A;D:\\");
    EXPECT_EQ(withFolder(L"A", kFolder + L"\\\\"), L"A;" + kFolder);
}
