// The sample of an instrument, made at the sample rate its note plays at.
#pragma once

#include "sample_data.h"
#include "song_model.h"

namespace vexatron::demo {

SampleData synthesise(const Instrument &instrument);

// Samples per second at which the replayer steps through a sample for `note` 1..36.
int64_t noteRate(uint8_t note);

} // namespace vexatron::demo
