#include "wav_file.h"

#include <vector>

namespace vexa {

namespace {

constexpr uint16_t kChannels = 2;
constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint32_t kPcmHeaderBytes = 44;   // RIFF, fmt (16) and data chunk headers
constexpr uint32_t kFloatHeaderBytes = 58; // RIFF, fmt (18), fact and data chunk headers
// 16-bit output is exact: every engine value v is a multiple of 1/128, so v * 32768 is
// a whole number in -32768..32512 (the unsigned 8-bit mix value minus 128, times 256).
constexpr float kPcm16Scale = 32768.0f;
constexpr int32_t kConvertChunk = 4096; // values per conversion pass

uint16_t bytesPerValue(WavFormat format)
{
    return format == WavFormat::Pcm16 ? 2 : 4;
}

void putU16(std::vector<uint8_t> &out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void putU32(std::vector<uint8_t> &out, uint32_t v)
{
    putU16(out, static_cast<uint16_t>(v));
    putU16(out, static_cast<uint16_t>(v >> 16));
}

void putTag(std::vector<uint8_t> &out, const char *tag)
{
    out.insert(out.end(), tag, tag + 4);
}

} // namespace

WavFile::~WavFile()
{
    discard();
}

uint64_t WavFile::maxFrames(WavFormat format)
{
    return (UINT32_MAX - kFloatHeaderBytes) / (kChannels * bytesPerValue(format));
}

vxa_write_status WavFile::open(const std::string &target, WavFormat format, int32_t rate)
{
    discard();
    const vxa_write_status status =
        vxa_mod_writer_open(&writer_, target.c_str(), VXA_WRITE_REPLACE);
    format_ = format;
    rate_ = rate;
    frames_ = 0;
    if (writer_) {
        const std::vector<uint8_t> header = headerBytes(0);
        vxa_mod_writer_write(writer_, header.data(), header.size());
    }
    return status;
}

// The header at the start of the file: written first with no frames, and again with
// the final count on commit.
std::vector<uint8_t> WavFile::headerBytes(uint32_t frames) const
{
    const bool pcm = format_ == WavFormat::Pcm16;
    const uint16_t blockAlign = kChannels * bytesPerValue(format_);
    const uint32_t dataBytes = frames * blockAlign;
    const uint32_t headerBytes = pcm ? kPcmHeaderBytes : kFloatHeaderBytes;
    std::vector<uint8_t> h;
    h.reserve(kFloatHeaderBytes);
    putTag(h, "RIFF");
    putU32(h, headerBytes - 8 + dataBytes);
    putTag(h, "WAVE");
    putTag(h, "fmt ");
    // Float data takes the extended format chunk and a fact chunk, as non-PCM data must.
    putU32(h, pcm ? 16 : 18);
    putU16(h, pcm ? kFormatPcm : kFormatFloat);
    putU16(h, kChannels);
    putU32(h, static_cast<uint32_t>(rate_));
    putU32(h, static_cast<uint32_t>(rate_) * blockAlign);
    putU16(h, blockAlign);
    putU16(h, static_cast<uint16_t>(8 * bytesPerValue(format_)));
    if (!pcm) {
        putU16(h, 0);
        putTag(h, "fact");
        putU32(h, 4);
        putU32(h, frames);
    }
    putTag(h, "data");
    putU32(h, dataBytes);
    return h;
}

void WavFile::write(const float *frames, int32_t count)
{
    if (!writer_)
        return;
    frames_ += static_cast<uint64_t>(count);
    const int32_t values = 2 * count;
    if (format_ == WavFormat::Float32) {
        vxa_mod_writer_write(writer_, frames, static_cast<size_t>(values) * sizeof(float));
        return;
    }
    int16_t pcm[kConvertChunk];
    for (int32_t start = 0; start < values; start += kConvertChunk) {
        const int32_t n = values - start < kConvertChunk ? values - start : kConvertChunk;
        for (int32_t i = 0; i < n; ++i)
            pcm[i] = static_cast<int16_t>(frames[start + i] * kPcm16Scale);
        vxa_mod_writer_write(writer_, pcm, static_cast<size_t>(n) * sizeof(int16_t));
    }
}

vxa_write_status WavFile::commit()
{
    if (!writer_)
        return VXA_WRITE_FAILED;
    if (frames_ > maxFrames(format_)) {
        discard();
        return VXA_WRITE_TOO_LARGE;
    }
    const std::vector<uint8_t> header = headerBytes(static_cast<uint32_t>(frames_));
    vxa_mod_writer_write_at(writer_, 0, header.data(), header.size());
    vxa_file_writer *writer = writer_;
    writer_ = nullptr;
    return vxa_mod_writer_commit(writer);
}

void WavFile::discard()
{
    vxa_mod_writer_discard(writer_);
    writer_ = nullptr;
}

} // namespace vexa
