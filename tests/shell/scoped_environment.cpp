#include "scoped_environment.h"

#include <cstdlib>

namespace vxtest {

ScopedEnvironment::ScopedEnvironment(const std::map<std::string, std::string> &values)
{
    for (const auto &[name, value] : values) {
        const char *old = std::getenv(name.c_str());
        previous_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        setenv(name.c_str(), value.c_str(), 1);
    }
}

ScopedEnvironment::~ScopedEnvironment()
{
    for (const auto &[name, value] : previous_) {
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
    }
}

} // namespace vxtest
