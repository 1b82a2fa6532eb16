// How long and how loud the sound in a recording or a render is: interleaved stereo
// frames at 44,100 Hz, the silence before and after the sound left out.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vxtest {

struct SoundLevel {
    double seconds = 0;          // from the first to the last frame that is not silent
    std::array<float, 2> peak{}; // left, right
    std::array<double, 2> rms{}; // over `seconds`
};

// At most `maxFrames` frames from the start of the sound are measured.
SoundLevel measureSound(const std::vector<float> &interleaved, size_t maxFrames = SIZE_MAX);

} // namespace vxtest
