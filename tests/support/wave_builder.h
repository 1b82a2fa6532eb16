// Builds RIFF WAVE files byte by byte for the tests and the fuzz seed corpus: chunks as
// given, format chunks (plain or extensible) and sampler chunks with loops.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace vxtest {

struct Chunk {
    const char *id;
    std::vector<uint8_t> data;
    uint32_t declared = UINT32_MAX; // the size in the header when not the data's
};

// How the frames are stored; the block align is channels x bits / 8 unless given.
struct WaveFormat {
    uint16_t tag = 1; // 1 integer PCM, 3 float; the subformat's tag when extensible
    uint16_t channels = 1;
    uint16_t bits = 8;
    uint16_t blockAlign = 0;
    bool extensible = false;
};

// A RIFF WAVE file with the given chunks after the 12-byte header; odd sizes are padded.
std::vector<uint8_t> riff(const std::vector<Chunk> &chunks);

// The "fmt " chunk: 16 bytes, or 40 in the extensible form, at 44,100 Hz.
Chunk formatChunk(const WaveFormat &format);

// The "smpl" chunk with the given loops, each [first frame, last frame played].
Chunk samplerChunk(const std::vector<std::pair<uint32_t, uint32_t>> &loops);

} // namespace vxtest
