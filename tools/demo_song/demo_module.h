// The demo module from its song source: parse, synthesise every instrument, lay out
// the file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vexatron::demo {

// The module file's bytes, or a SongError.
std::vector<uint8_t> buildModule(const std::string &songText);

} // namespace vexatron::demo
