// A WAV file written all or nothing through the engine's file writer: the frames go to
// a temporary file beside the target, which replaces the target only when the header
// is complete and every byte arrived. Stereo, 16-bit PCM or 32-bit float.
#pragma once

#include "vxa_mod_extras.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vexa {

enum class WavFormat { Pcm16, Float32 };

class WavFile {
public:
    WavFile() = default;
    ~WavFile(); // removes the temporary file unless committed
    WavFile(const WavFile &) = delete;
    WavFile &operator=(const WavFile &) = delete;

    // Why no temporary file could be created beside the target, or VXA_WRITE_OK.
    vxa_write_status open(const std::string &target, WavFormat format, int32_t rate);
    // `frames` interleaved stereo frames; each value a multiple of 1/128 in -1..1.
    void write(const float *frames, int32_t count);
    // Finishes the header and gives the file the target's name; on any failure nothing
    // is left behind and the result says why.
    vxa_write_status commit();
    void discard();

    // Largest frame count whose data still fits the 32-bit RIFF sizes.
    static uint64_t maxFrames(WavFormat format);

private:
    std::vector<uint8_t> headerBytes(uint32_t frames) const;

    vxa_file_writer *writer_ = nullptr;
    WavFormat format_ = WavFormat::Pcm16;
    int32_t rate_ = 0;
    uint64_t frames_ = 0;
};

} // namespace vexa
