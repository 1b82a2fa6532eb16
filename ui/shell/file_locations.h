// Where the program finds its own resources and the user's folders on this desktop.
#pragma once

#include "platform/folder_locator.h"
#include "platform/resource_locator.h"

#include <filesystem>
#include <map>
#include <optional>
#include <vector>

namespace vexa {

// The only place the program looks for its resources, a list of folders where the first
// that has a file wins. An installed program finds them in the data folder beside its bin
// folder ("../share/vexatron" from the program, so an installation can be moved whole);
// the build copies them into a "resources" folder beside the program it builds. The
// environment variable VXA_RESOURCE_DIR names a folder searched first. No path is
// compiled in: a program never looks into the source tree it was built from.
class DiskResourceLocator : public ResourceLocator {
public:
    explicit DiskResourceLocator(std::vector<std::filesystem::path> folders);
    // The folders for this program: VXA_RESOURCE_DIR's when set, the installed data
    // folder, then beside the program.
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
