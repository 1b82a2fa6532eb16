#include "sound_level.h"

#include <algorithm>
#include <cmath>

namespace vxtest {

namespace {

constexpr double kRate = 44100; // frames a second

} // namespace

SoundLevel measureSound(const std::vector<float> &interleaved, size_t maxFrames)
{
    auto silent = [](float s) { return s == 0.0f; };
    const auto first = std::find_if_not(interleaved.begin(), interleaved.end(), silent);
    const auto last = std::find_if_not(interleaved.rbegin(), interleaved.rend(), silent).base();
    // Whole frames: from the frame of the first sound to the end of the frame of the last.
    const size_t begin = static_cast<size_t>(first - interleaved.begin()) & ~size_t{1};
    size_t end =
        first < last ? (static_cast<size_t>(last - interleaved.begin()) + 1) & ~size_t{1} : begin;
    end = std::min(end, begin + 2 * std::min(maxFrames, interleaved.size() / 2));
    SoundLevel level;
    for (size_t i = begin; i < end; ++i) {
        level.peak[i % 2] = std::max(level.peak[i % 2], std::abs(interleaved[i]));
        level.rms[i % 2] += double(interleaved[i]) * interleaved[i];
    }
    const size_t frames = (end - begin) / 2;
    level.seconds = static_cast<double>(frames) / kRate;
    for (double &side : level.rms)
        side = std::sqrt(side / static_cast<double>(std::max<size_t>(frames, 1)));
    return level;
}

} // namespace vxtest
