// Sets environment variables for the life of the object, then puts back what was there.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace vxtest {

class ScopedEnvironment {
public:
    explicit ScopedEnvironment(const std::map<std::string, std::string> &values);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment &) = delete;
    ScopedEnvironment &operator=(const ScopedEnvironment &) = delete;

private:
    std::map<std::string, std::optional<std::string>> previous_;
};

} // namespace vxtest
