// A WAV file written all or nothing: the frames go to a temporary file beside the
// target, which replaces the target only when the header is complete and every byte
// arrived. Stereo, 16-bit PCM or 32-bit float.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace vexatron {

enum class WavFormat { Pcm16, Float32 };

class WavFile {
public:
    WavFile() = default;
    ~WavFile(); // removes the temporary file unless committed
    WavFile(const WavFile &) = delete;
    WavFile &operator=(const WavFile &) = delete;

    // False when no temporary file can be created beside the target.
    bool open(const std::string &target, WavFormat format, int32_t rate);
    // `frames` interleaved stereo frames; each value a multiple of 1/128 in -1..1.
    void write(const float *frames, int32_t count);
    // Finishes the header and renames over the target; false on any failure, in which
    // case nothing is left behind.
    bool commit();
    void discard();

    // Largest frame count whose data still fits the 32-bit RIFF sizes.
    static uint64_t maxFrames(WavFormat format);

private:
    bool writeHeader(uint32_t frames);

    FILE *file_ = nullptr;
    std::string temp_;
    std::string target_;
    WavFormat format_ = WavFormat::Pcm16;
    int32_t rate_ = 0;
    uint64_t frames_ = 0;
    bool failed_ = false;
};

} // namespace vexatron
