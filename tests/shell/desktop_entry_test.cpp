// The desktop entry and the MIME package file: a file manager that opens a module with
// Vexatron finds a type for every module suffix the program opens, and hands it the file.
#include "source_path.h"
#include "temp_dir.h"
#include "versioned_names.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

using namespace vxtest;
namespace fs = std::filesystem;

namespace {

// The value of `key` in the desktop entry.
std::string entryValue(const std::string &key)
{
    std::ifstream entry(sourcePath("ui/shell/vexatron.desktop"));
    std::string line;
    while (std::getline(entry, line)) {
        if (line.starts_with(key + "="))
            return line.substr(key.size() + 1);
    }
    return {};
}

std::set<std::string> splitList(const std::string &list)
{
    std::set<std::string> items;
    std::istringstream in(list);
    std::string item;
    while (std::getline(in, item, ';')) {
        if (!item.empty())
            items.insert(item);
    }
    return items;
}

// Glob to the type a file manager gives a file by that name (the heaviest of those that
// claim it), from the database update-mime-database builds in `folder/mime` from the
// system's definitions and the program's package file.
std::map<std::string, std::string> builtGlobs(const fs::path &folder)
{
    const fs::path packages = folder / "mime" / "packages";
    fs::create_directories(packages);
    fs::copy_file("/usr/share/mime/packages/freedesktop.org.xml", packages / "freedesktop.org.xml");
    fs::copy_file(sourcePath("ui/shell/vexatron-mime.xml"), packages / "vexatron.xml");
    EXPECT_EQ(QProcess::execute("update-mime-database",
                                {QString::fromStdString((folder / "mime").string())}),
              0);
    std::map<std::string, std::pair<int, std::string>> heaviest;
    std::ifstream lines(folder / "mime" / "globs2"); // "weight:type:glob"
    std::string line;
    while (std::getline(lines, line)) {
        const auto first = line.find(':'), second = line.find(':', first + 1);
        if (line.starts_with('#') || second == std::string::npos)
            continue;
        const std::pair<int, std::string> claim{std::stoi(line.substr(0, first)),
                                                line.substr(first + 1, second - first - 1)};
        auto &held = heaviest[line.substr(second + 1)];
        held = std::max(held, claim);
    }
    std::map<std::string, std::string> globs;
    for (const auto &[glob, claim] : heaviest)
        globs[glob] = claim.second;
    return globs;
}

} // namespace

TEST(DesktopEntry, opensTheFileItIsGiven_andDeclaresATypeForEveryModuleSuffix)
{
    EXPECT_TRUE(entryValue("Exec").ends_with(" %f")) << entryValue("Exec");
    const std::set<std::string> declared = splitList(entryValue("MimeType"));
    EXPECT_FALSE(declared.empty());
    TempDir folder;
    const auto globs = builtGlobs(folder.path());
    for (const std::string &suffix : vexa::moduleFileTypes()) {
        const auto type = globs.find("*." + suffix);
        ASSERT_NE(type, globs.end()) << suffix << " has no type";
        EXPECT_TRUE(declared.contains(type->second)) << suffix << " is " << type->second;
    }
}
