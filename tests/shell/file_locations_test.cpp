// Finding the program's resources and the user's documents folder.
#include "file_locations.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

using namespace vxtest;
using vexa::DesktopFolderLocator;
namespace fs = std::filesystem;

namespace {

void writeText(const fs::path &file, const std::string &text)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

} // namespace

TEST(ResourceLocator, findsTheFirstFolderThatHasTheFileWithItsExactExtension)
{
    TempDir installed, source;
    writeText(source.path() / "SPACE_DEBRIS.MOD", "source");
    writeText(installed.path() / "ST20.FNT", "installed");
    writeText(source.path() / "ST20.FNT", "source");
    const vexa::DiskResourceLocator locator({installed.path(), source.path()});
    EXPECT_EQ(locator.find("ST20", "FNT"), installed.path() / "ST20.FNT");
    EXPECT_EQ(locator.find("SPACE_DEBRIS", "MOD"), source.path() / "SPACE_DEBRIS.MOD");
    EXPECT_EQ(locator.find("SPACE_DEBRIS", "mod"), std::nullopt);
    EXPECT_TRUE(locator.contains(source.path() / "SPACE_DEBRIS.MOD"));
    EXPECT_TRUE(locator.contains(installed.path() / "sub" / ".." / "ST20.FNT"));
    EXPECT_FALSE(locator.contains(source.path() / ".." / "elsewhere.mod"));
}

TEST(ResourceLocator, forThisProgram_searchesTheFolderTheEnvironmentNamesFirst)
{
    TempDir named;
    writeText(named.path() / "SPACE_DEBRIS.MOD", "named");
    ASSERT_EQ(setenv("VXA_RESOURCE_DIR", named.path().c_str(), 1), 0);
    const auto demo = vexa::DiskResourceLocator::forThisProgram().find("SPACE_DEBRIS", "MOD");
    unsetenv("VXA_RESOURCE_DIR");
    EXPECT_EQ(demo, named.path() / "SPACE_DEBRIS.MOD");
    EXPECT_EQ(vexa::DiskResourceLocator::forThisProgram().find("SPACE_DEBRIS", "MOD"),
              std::nullopt); // nothing beside the test program, and no path compiled in
}

TEST(FolderLocator, documentsFromTheUserDirsFile_elseHomeDocuments_elseNone)
{
    TempDir home, config;
    writeText(home.path() / ".config" / "user-dirs.dirs",
              "# written by the desktop\nXDG_MUSIC_DIR=\"$HOME/Music\"\n"
              "#XDG_DOCUMENTS_DIR=\"$HOME/Old\"\nXDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
    writeText(config.path() / "user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"/srv/docs\"\n");
    const std::string homeDir = home.path().string();
    EXPECT_EQ(DesktopFolderLocator({{"HOME", homeDir}}).documents(), home.path() / "Papers");
    EXPECT_EQ(DesktopFolderLocator({{"HOME", homeDir}, {"XDG_CONFIG_HOME", config.path().string()}})
                  .documents(),
              fs::path("/srv/docs"));
    fs::remove(home.path() / ".config" / "user-dirs.dirs");
    EXPECT_EQ(DesktopFolderLocator({{"HOME", homeDir}}).documents(), home.path() / "Documents");
    EXPECT_EQ(DesktopFolderLocator({}).documents(), std::nullopt);
    EXPECT_FALSE(DesktopFolderLocator({}).temporary().empty());
}
