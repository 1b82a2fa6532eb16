// The program's own resources (the demo module, the font, the splash picture).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vexa {

class ResourceLocator {
public:
    virtual ~ResourceLocator() = default;
    // The resource `name`.`extension` (extension matched exactly), when it exists.
    virtual std::optional<std::filesystem::path> find(const std::string &name,
                                                      const std::string &extension) const = 0;
    // Whether a file lies inside the program's own resource folder.
    virtual bool contains(const std::filesystem::path &file) const = 0;
};

} // namespace vexa
