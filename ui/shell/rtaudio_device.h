// The audio output on RtAudio: the default output device, 44,100 Hz, stereo 32-bit
// float with one buffer a channel, 512 frames a callback.
//
// Back ends: PulseAudio first, ALSA second. A desktop normally runs a sound server, and
// opening the hardware directly would fight it for the device; without a reachable
// server the PulseAudio attempt fails and ALSA is used. JACK is not tried. ALSA's own
// messages are kept off the terminal: the reason the user needs is in the error text.
//
// Streams: start opens a stream and starts it; stop retires it. A retired or lost
// stream is closed on a thread of its own, because closing joins RtAudio's stream
// thread, and that thread can sit in a blocking write for as long as the sound server
// takes no data (an idle server may ask for more only seconds later, a stalled one
// never): quitting must not wait for that. Every stream therefore shares the device's
// `Core`, what its callbacks read, and keeps it alive until it is closed.
//
// Concurrency contract:
// - Main thread: every public member. It takes `Core::mutex` to change the source or
//   the live stream and to call the source's `prepare`, so it waits at most for one
//   render; it never waits on RtAudio's stream thread.
// - Audio thread (RtAudio's, one a stream): `onAudio`, and `onStreamError` for what
//   RtAudio reports there. It only ever tries `Core::mutex`; when that fails, or its
//   stream is not the live one, or there is no source, it writes silence. It never
//   allocates, logs or waits on anything but the engine lock inside the source.
// - Closer thread (one a retired stream): destroys that stream and nothing else.
// - A lost output (the sound server gone, the device unplugged) makes every write fail
//   at once, so the stream thread would spin. After a run of failed writes the audio
//   thread marks its stream lost (an atomic) and has RtAudio abort it, which parks the
//   thread; the main thread learns of it through isRunning and takeOutputLoss.
#pragma once

#include "platform/audio_device.h"

#include <RtAudio.h>

#include <cstdint>
#include <memory>
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
    void attachSource(const AudioFormat &format, AudioSource source) override;
    void detachSource() override;
    bool hasSource() const override;
    void setOutputVolume(float volume) override;

    bool isRunning() const override;
    void start() override;
    void stop() override;
    std::optional<std::string> takeOutputLoss() override;

    // Output underflows (drop-outs) the back end reported since the device was made.
    // ALSA reports them; RtAudio's PulseAudio back end never does.
    uint64_t underflowCount() const;

private:
    struct Core;
    struct Stream;

    static int onAudio(void *output, void *input, unsigned int frames, double streamTime,
                       RtAudioStreamStatus status, void *stream);
    static void onStreamError(RtAudioError::Type type, const std::string &text);
    static bool fill(Stream &stream, float *output, unsigned int frames);
    std::unique_ptr<Stream> openStream();
    void startStream(Stream &stream);
    void retire();

    // RtAudio's error callback is a plain function without a user pointer, so what it
    // reports on is found through the calling thread: a stream's audio thread names its
    // stream in every callback, and start names where its errors go while it runs.
    static thread_local Stream *audioThreadStream_;
    static thread_local std::string *startErrors_;

    std::vector<RtAudio::Api> apis_;
    std::shared_ptr<Core> core_;
    std::unique_ptr<Stream> stream_; // the started stream, until stopped or found lost
    bool hasSource_ = false;
};

} // namespace vexa
