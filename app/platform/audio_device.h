// The audio output the controller plays through: a pull-model device that asks for
// 44,100 Hz stereo 32-bit float frames from a render callback on its own thread.
//
// Threads: every member function is called on the main thread. The device calls the
// source's `render` on its own audio thread and the source's `prepare` on the main
// thread, never while a `render` of the same source runs, so the two may share buffers
// without a lock of their own.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
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

// What feeds the device.
struct AudioSource {
    // Told, before the first render that could ask for that many, the most frames one
    // render will ask for from now on: the block size, known once a stream opens. Room
    // made here keeps every render free of allocation.
    std::function<void(uint32_t maxFrames)> prepare;
    AudioRenderCallback render;
};

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
    virtual void attachSource(const AudioFormat &format, AudioSource source) = 0;
    // Disconnects the source: once this returns the callback is never called again.
    virtual void detachSource() = 0;
    virtual bool hasSource() const = 0;
    virtual void setOutputVolume(float volume) = 0;

    // False once the output is lost (see takeOutputLoss) until the next start.
    virtual bool isRunning() const = 0;
    // Starts output; throws AudioError with a readable description on failure.
    virtual void start() = 0;
    // Stops output: no render callback runs after it returns. Never waits for the sound
    // server.
    virtual void stop() = 0;
    // When the running output was lost (the sound server went away, the device was
    // unplugged): why, in the user's words, once. The device then renders nothing and
    // counts as not running; the next start opens it afresh.
    virtual std::optional<std::string> takeOutputLoss() = 0;
};

} // namespace vexa
