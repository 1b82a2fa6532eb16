// A fresh folder under the system's temporary folder, removed with everything in it
// when the object goes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vxtest {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::filesystem::path &path() const { return path_; }
    std::string file(const std::string &name) const { return (path_ / name).string(); }
    std::string write(const std::string &name, const std::vector<uint8_t> &bytes) const;
    std::vector<std::string> names() const;

private:
    std::filesystem::path path_;
};

std::vector<uint8_t> readFile(const std::string &path);

} // namespace vxtest
