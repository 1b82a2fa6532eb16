// A busy module for benchmarks, the render tool's demo and the mixer's comparison
// with its per-frame model: four channels sounding all the time, looped and one-shot
// samples, an effect on every row of every channel.
#pragma once

#include <cstdint>
#include <vector>

namespace vxtest {

// At speed 6 and tempo 125 each song position lasts 7.68 s; 47 positions are a
// little over six minutes.
constexpr int kBusySixMinutePositions = 47;

std::vector<uint8_t> busyModule(int positions);

} // namespace vxtest
