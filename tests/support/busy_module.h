// A busy module for the benchmarks, the fuzz seeds, the real-time tests and the mixer's
// comparison with its per-frame model: four channels sounding all the time, looped and
// one-shot samples, an effect on every row of every channel.
#pragma once

#include <cstdint>
#include <vector>

namespace vxtest {

// `positions` song positions; at speed 6 and tempo 125 each lasts 7.68 s.
std::vector<uint8_t> busyModule(int positions);

} // namespace vxtest
