// The user's folders the controller saves into.
#pragma once

#include <filesystem>
#include <optional>

namespace vexa {

class FolderLocator {
public:
    virtual ~FolderLocator() = default;
    // The user's documents folder, when the platform has one.
    virtual std::optional<std::filesystem::path> documents() const = 0;
    virtual std::filesystem::path temporary() const = 0;
};

} // namespace vexa
