// Where the program finds its own resources and the user's folders on this desktop.
#pragma once

#include "platform/folder_locator.h"
#include "platform/resource_locator.h"

#include <filesystem>
#include <map>
#include <optional>
#include <vector>

namespace vexa {

// Resources are files in a list of folders, the first that has one wins. An installed
// program finds its own in the data folder beside its bin folder ("../share/vexatron", so
// an installation can be moved whole); a program run from the build tree finds the
// repository's resources folder instead, and a copy installed anywhere else never looks
// there.
class DiskResourceLocator : public ResourceLocator {
public:
    explicit DiskResourceLocator(std::vector<std::filesystem::path> folders);
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
