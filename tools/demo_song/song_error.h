// A fault in the song source, told with the line it was found on.
#pragma once

#include <stdexcept>
#include <string>

namespace vexatron::demo {

class SongError : public std::runtime_error {
public:
    explicit SongError(const std::string &message) : std::runtime_error(message) {}
    SongError(int line, const std::string &message)
        : std::runtime_error("line " + std::to_string(line) + ": " + message)
    {
    }
};

} // namespace vexatron::demo
