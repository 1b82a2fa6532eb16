#include "wav_file.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vexatron {

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

bool WavFile::open(const std::string &target, WavFormat format, int32_t rate)
{
    discard();
    std::string pattern = target + ".partXXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
        return false;
    // mkstemp creates the file for its owner only; give it the usual permissions.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    file_ = fdopen(fd, "wb");
    if (!file_) {
        close(fd);
        std::remove(pattern.c_str());
        return false;
    }
    temp_ = pattern;
    target_ = target;
    format_ = format;
    rate_ = rate;
    frames_ = 0;
    failed_ = false;
    return writeHeader(0);
}

bool WavFile::writeHeader(uint32_t frames)
{
    const bool pcm = format_ == WavFormat::Pcm16;
    const uint16_t blockAlign = kChannels * bytesPerValue(format_);
    const uint32_t dataBytes = frames * blockAlign;
    const uint32_t headerBytes = pcm ? kPcmHeaderBytes : kFloatHeaderBytes;
    std::vector<uint8_t> h;
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
    if (std::fseek(file_, 0, SEEK_SET) != 0 ||
        std::fwrite(h.data(), 1, h.size(), file_) != h.size())
        failed_ = true;
    return !failed_;
}

void WavFile::write(const float *frames, int32_t count)
{
    if (!file_ || failed_)
        return;
    frames_ += static_cast<uint64_t>(count);
    const int32_t values = 2 * count;
    if (format_ == WavFormat::Float32) {
        if (std::fwrite(frames, sizeof(float), values, file_) != static_cast<size_t>(values))
            failed_ = true;
        return;
    }
    int16_t pcm[kConvertChunk];
    for (int32_t start = 0; start < values && !failed_; start += kConvertChunk) {
        const int32_t n = values - start < kConvertChunk ? values - start : kConvertChunk;
        for (int32_t i = 0; i < n; ++i)
            pcm[i] = static_cast<int16_t>(frames[start + i] * kPcm16Scale);
        if (std::fwrite(pcm, sizeof(int16_t), n, file_) != static_cast<size_t>(n))
            failed_ = true;
    }
}

bool WavFile::commit()
{
    if (!file_)
        return false;
    bool ok = !failed_ && frames_ <= maxFrames(format_) &&
              writeHeader(static_cast<uint32_t>(frames_)) && std::fflush(file_) == 0;
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    if (ok) {
        std::error_code error;
        std::filesystem::rename(temp_, target_, error);
        ok = !error;
    }
    if (!ok)
        std::remove(temp_.c_str());
    temp_.clear();
    return ok;
}

void WavFile::discard()
{
    if (!file_)
        return;
    std::fclose(file_);
    file_ = nullptr;
    std::remove(temp_.c_str());
    temp_.clear();
}

} // namespace vexatron
