// One-shot drums: a sine whose pitch falls from a start to an end frequency, plus
// white noise through a band filter, each fading with its own half-life.
#pragma once

#include "sample_data.h"
#include "song_model.h"

namespace vexatron::demo {

// `rate` is the sample rate of the instrument's note; `seed` (not 0) picks the noise.
SampleData synthesiseDrum(const DrumVoice &voice, int64_t rate, int peakPercent, uint32_t seed);

} // namespace vexatron::demo
