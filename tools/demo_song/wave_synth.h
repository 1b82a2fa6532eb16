// Looped waveforms built from their harmonics (only those a cycle of samples can
// hold, so nothing folds back), with a head in which the level and the brightness fall
// from their start values to the sustain values that the loop then holds. A chorus
// adds a second oscillator that gains one cycle over `chorusCycles` cycles, so the
// loop spans exactly that many cycles and still joins without a step.
#pragma once

#include "sample_data.h"
#include "song_model.h"

namespace vexatron::demo {

// `rate` is the sample rate of the instrument's note.
SampleData synthesiseWave(const WaveVoice &voice, int64_t rate, int peakPercent);

} // namespace vexatron::demo
