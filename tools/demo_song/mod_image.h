// The bytes of a 31-sample "M.K." module: title, sample headers, order table,
// patterns and sample data, laid out exactly as the engine writes a module, so that
// loading and saving the file gives it back unchanged.
#pragma once

#include "sample_data.h"
#include "song_model.h"

#include <cstdint>
#include <vector>

namespace vexatron::demo {

// `samples[i]` is the sample of `song.instruments[i]`.
std::vector<uint8_t> moduleImage(const Song &song, const std::vector<SampleData> &samples);

} // namespace vexatron::demo
