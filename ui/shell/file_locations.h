// Where the program finds its own resources and the user's folders on this desktop.
#pragma once

#include "platform/folder_locator.h"
#include "platform/resource_locator.h"

#include <filesystem>
#include <map>
#include <optional>
#include <vector>

namespace vexa {

// The only place the program looks for its resources. They live in a "resources" folder
// beside the executable; the environment variable VXA_RESOURCE_DIR names a folder
// searched first, so a program run from the build tree and the tests can use the
// source tree's folder without any path compiled in.
class DiskResourceLocator : public ResourceLocator {
public:
    explicit DiskResourceLocator(std::vector<std::filesystem::path> folders);
    // The folders for this program: VXA_RESOURCE_DIR's when set, then beside the program.
    static DiskResourceLocator forThisProgram();

    std::optional<std::filesystem::path> find(const std::string &name,
                                              const std::string &extension) const override;
    bool contains(const std::filesystem::path &file) const override;

private:
    std::vector<std::filesystem::path> folders_;
};

// The documents folder the desktop names (XDG user directories), else the home
// folder's "Documents", else none.
class DesktopFolderLocator : public FolderLocator {
public:
    // `environment` stands in for the process environment (HOME, XDG_CONFIG_HOME).
    explicit DesktopFolderLocator(std::map<std::string, std::string> environment);
    static DesktopFolderLocator forThisProcess();

    std::optional<std::filesystem::path> documents() const override;
    std::filesystem::path temporary() const override;

private:
    std::optional<std::filesystem::path> userDirsDocuments(const std::filesystem::path &home) const;

    std::map<std::string, std::string> environment_;
};

} // namespace vexa
