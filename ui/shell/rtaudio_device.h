// The audio output on RtAudio: the default output device, 44,100 Hz, stereo 32-bit
// float with one buffer a channel, about 512 frames a callback.
//
// The stream opens on the first start and stays open until the device goes. The
// PulseAudio back end is tried first and ALSA second: a desktop normally runs a sound
// server, and opening the hardware directly would fight it for the device; without a
// reachable server the PulseAudio attempt fails and ALSA is used. JACK is not tried.
//
// Stopping and detaching against a running callback: the callback takes `sourceMutex_`
// with try_lock, so the audio thread never waits; stop, attach and detach take it (at
// most for one render) and change what the next callback does. A callback that finds
// the mutex taken, or no source, or the device stopped, writes silence.
#pragma once

#include "platform/audio_device.h"

#include <RtAudio.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace vexa {

class RtAudioDevice : public AudioDevice {
public:
    // The back ends tried in order on start: PulseAudio, then ALSA.
    static std::vector<RtAudio::Api> defaultApis();

    explicit RtAudioDevice(std::vector<RtAudio::Api> apis = defaultApis());
    ~RtAudioDevice() override;
    RtAudioDevice(const RtAudioDevice &) = delete;
    RtAudioDevice &operator=(const RtAudioDevice &) = delete;

    bool supportsFormat(const AudioFormat &format) override;
    void attachSource(const AudioFormat &format, AudioRenderCallback callback) override;
    void detachSource() override;
    bool hasSource() const override;
    void setOutputVolume(float volume) override;

    bool isRunning() const override;
    void start() override;
    void stop() override;

private:
    static int onAudio(void *output, void *input, unsigned int frames, double streamTime,
                       RtAudioStreamStatus status, void *device);
    void fill(float *output, unsigned int frames);
    std::unique_ptr<RtAudio> openOutput();
    void setRunning(bool running);

    std::vector<RtAudio::Api> apis_;
    std::unique_ptr<RtAudio> stream_; // open from the first successful start on

    // Guards the source and whether callbacks may reach it; see the header comment.
    std::mutex sourceMutex_;
    AudioRenderCallback source_;
    // Written under sourceMutex_; atomic so the main thread's queries need no lock.
    std::atomic<bool> hasSource_{false};
    std::atomic<bool> running_{false};

    std::atomic<float> volume_{1.0f};
};

} // namespace vexa
