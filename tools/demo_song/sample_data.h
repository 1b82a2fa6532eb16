// The sample of one instrument as the module stores it: signed 8-bit values and a loop
// (loopLength 0 for none). The length and the loop are even, and the loop ends with
// the sample.
#pragma once

#include <cstdint>
#include <vector>

namespace vexatron::demo {

struct SampleData {
    std::vector<int8_t> bytes;
    uint32_t loopStart = 0;
    uint32_t loopLength = 0;
};

// Signed bytes from levels of any scale: the largest magnitude becomes `peakPercent`
// of full scale, everything else in proportion, rounded to the nearest step.
std::vector<int8_t> quantise(const std::vector<int64_t> &levels, int peakPercent);

} // namespace vexatron::demo
