// The audio output the controller plays through: a pull-model device that asks for
// 44,100 Hz stereo 32-bit float frames from a render callback on its own thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace vexa {

// An error from the audio output, with a readable description.
class AudioError : public std::runtime_error {
public:
    AudioError(std::string domain, int code, const std::string &description)
        : std::runtime_error(description), domain_(std::move(domain)), code_(code)
    {
    }
    const std::string &domain() const { return domain_; }
    int code() const { return code_; }

private:
    std::string domain_;
    int code_;
};

// One output buffer handed to the render callback. A stereo device usually passes two
// (left, right); a device with interleaved output passes one of 2 x frames floats.
struct AudioOutputBuffer {
    float *data = nullptr;
    uint32_t byteSize = 0;
};

// Called on the device's thread: fill `frames` frames into the buffers; returns 0.
using AudioRenderCallback =
    std::function<int(uint32_t frames, AudioOutputBuffer *buffers, uint32_t bufferCount)>;

struct AudioFormat {
    double sampleRate = 0;
    uint32_t channels = 0;
};

class AudioDevice {
public:
    virtual ~AudioDevice() = default;

    // Whether the device can deliver this format (standard float, one buffer a channel).
    virtual bool supportsFormat(const AudioFormat &format) = 0;
    // Connects the source that feeds the device; replaces any earlier one.
    virtual void attachSource(const AudioFormat &format, AudioRenderCallback callback) = 0;
    // Disconnects the source: once this returns the callback is never called again.
    virtual void detachSource() = 0;
    virtual bool hasSource() const = 0;
    virtual void setOutputVolume(float volume) = 0;

    virtual bool isRunning() const = 0;
    // Starts output; throws AudioError with a readable description on failure.
    virtual void start() = 0;
    // Stops output: no render callback runs after it returns.
    virtual void stop() = 0;
};

} // namespace vexa
