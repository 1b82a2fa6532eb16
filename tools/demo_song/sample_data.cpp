#include "sample_data.h"

#include "fixed_math.h"

#include <algorithm>

namespace vexatron::demo {

namespace {

constexpr int64_t kFullScale = 127;
constexpr int64_t kPercent = 100;

} // namespace

std::vector<int8_t> quantise(const std::vector<int64_t> &levels, int peakPercent)
{
    int64_t largest = 0;
    for (const int64_t level : levels)
        largest = std::max(largest, level < 0 ? -level : level);
    std::vector<int8_t> bytes(levels.size());
    if (largest == 0)
        return bytes;
    const int64_t peak = kFullScale * peakPercent / kPercent;
    std::transform(levels.begin(), levels.end(), bytes.begin(), [&](int64_t level) {
        return static_cast<int8_t>(scaleRounded(level, peak, largest));
    });
    return bytes;
}

} // namespace vexatron::demo
