#include "file_locations.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace vexa {

namespace fs = std::filesystem;

namespace {

constexpr const char *kResourceFolder = "resources";
constexpr const char *kResourceFolderVariable = "VXA_RESOURCE_DIR";
constexpr const char *kDocumentsKey = "XDG_DOCUMENTS_DIR=";

fs::path programFolder()
{
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path(error) : exe.parent_path();
}

bool isWithin(const fs::path &file, const fs::path &folder)
{
    std::error_code error;
    const fs::path relative =
        fs::weakly_canonical(file, error).lexically_relative(fs::weakly_canonical(folder, error));
    return !relative.empty() && *relative.begin() != "..";
}

// "$HOME/Documents" or "/absolute/path", as the user-dirs file quotes them.
std::optional<fs::path> parseUserDir(std::string value, const fs::path &home)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    const std::string homeVariable = "$HOME";
    if (value.rfind(homeVariable, 0) == 0)
        return home / fs::path(value.substr(homeVariable.size())).relative_path();
    if (!value.empty() && value.front() == '/')
        return fs::path(value);
    return std::nullopt;
}

} // namespace

DiskResourceLocator::DiskResourceLocator(std::vector<fs::path> folders)
    : folders_(std::move(folders))
{
}

DiskResourceLocator DiskResourceLocator::forThisProgram()
{
    const fs::path program = programFolder();
    std::vector<fs::path> folders;
    if (const char *named = std::getenv(kResourceFolderVariable); named && *named)
        folders.emplace_back(named);
    folders.push_back(program / VXA_INSTALLED_RESOURCES);
    folders.push_back(program / kResourceFolder);
    return DiskResourceLocator(std::move(folders));
}

std::optional<fs::path> DiskResourceLocator::find(const std::string &name,
                                                  const std::string &extension) const
{
    std::error_code error;
    for (const fs::path &folder : folders_) {
        const fs::path file = folder / (name + "." + extension);
        if (fs::is_regular_file(file, error))
            return file;
    }
    return std::nullopt;
}

bool DiskResourceLocator::contains(const fs::path &file) const
{
    return std::any_of(folders_.begin(), folders_.end(),
                       [&file](const fs::path &folder) { return isWithin(file, folder); });
}

DesktopFolderLocator::DesktopFolderLocator(std::map<std::string, std::string> environment)
    : environment_(std::move(environment))
{
}

DesktopFolderLocator DesktopFolderLocator::forThisProcess()
{
    std::map<std::string, std::string> environment;
    for (const char *name : {"HOME", "XDG_CONFIG_HOME"}) {
        if (const char *value = std::getenv(name))
            environment[name] = value;
    }
    return DesktopFolderLocator(std::move(environment));
}

std::optional<fs::path> DesktopFolderLocator::userDirsDocuments(const fs::path &home) const
{
    const auto config = environment_.find("XDG_CONFIG_HOME");
    const fs::path configFolder = config != environment_.end() && !config->second.empty()
                                      ? fs::path(config->second)
                                      : home / ".config";
    std::ifstream userDirs(configFolder / "user-dirs.dirs");
    std::string line;
    while (std::getline(userDirs, line)) {
        if (line.rfind(kDocumentsKey, 0) == 0)
            return parseUserDir(line.substr(std::string(kDocumentsKey).size()), home);
    }
    return std::nullopt;
}

std::optional<fs::path> DesktopFolderLocator::documents() const
{
    const auto home = environment_.find("HOME");
    if (home == environment_.end() || home->second.empty())
        return std::nullopt;
    const fs::path homeFolder(home->second);
    if (auto named = userDirsDocuments(homeFolder))
        return named;
    return homeFolder / "Documents";
}

fs::path DesktopFolderLocator::temporary() const
{
    std::error_code error;
    const fs::path folder = fs::temp_directory_path(error);
    return error ? fs::path("/tmp") : folder;
}

} // namespace vexa
