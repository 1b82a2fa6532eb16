#include "rtaudio_device.h"

#include "player_engine.h"

#include <algorithm>
#include <utility>

namespace vexa {

namespace {

constexpr const char *kErrorDomain = "RtAudio";
constexpr int kNoDeviceCode = 1;
constexpr int kStartFailedCode = 2;
constexpr const char *kNoDevice = "No audio output device is available.";
constexpr unsigned int kBufferFrames = 512;
constexpr const char *kStreamName = "Vexatron";

// RtAudio's messages come with stray line breaks around them.
std::string describe(const RtAudioError &error)
{
    std::string text = error.getMessage();
    const auto first = text.find_first_not_of(" \n");
    const auto last = text.find_last_not_of(" \n");
    return first == std::string::npos ? "unknown error" : text.substr(first, last - first + 1);
}

} // namespace

std::vector<RtAudio::Api> RtAudioDevice::defaultApis()
{
    std::vector<RtAudio::Api> compiled;
    RtAudio::getCompiledApi(compiled);
    std::vector<RtAudio::Api> apis;
    for (RtAudio::Api api : {RtAudio::LINUX_PULSE, RtAudio::LINUX_ALSA}) {
        if (std::find(compiled.begin(), compiled.end(), api) != compiled.end())
            apis.push_back(api);
    }
    return apis;
}

RtAudioDevice::RtAudioDevice(std::vector<RtAudio::Api> apis) : apis_(std::move(apis)) {}

RtAudioDevice::~RtAudioDevice()
{
    stop();
}

bool RtAudioDevice::supportsFormat(const AudioFormat &format)
{
    return format.sampleRate == kOutputRate && format.channels == kOutputChannels;
}

void RtAudioDevice::attachSource(const AudioFormat &, AudioRenderCallback callback)
{
    std::unique_lock guard(sourceMutex_);
    std::swap(source_, callback);
    hasSource_ = static_cast<bool>(source_);
    guard.unlock(); // the replaced source is destroyed outside the lock
}

void RtAudioDevice::detachSource()
{
    attachSource({}, nullptr);
}

bool RtAudioDevice::hasSource() const
{
    return hasSource_;
}

void RtAudioDevice::setOutputVolume(float volume)
{
    volume_ = volume;
}

bool RtAudioDevice::isRunning() const
{
    return running_ && stream_ && stream_->isStreamRunning();
}

void RtAudioDevice::start()
{
    if (isRunning())
        return;
    if (!stream_)
        stream_ = openOutput();
    setRunning(true);
    try {
        stream_->startStream();
    } catch (const RtAudioError &error) {
        setRunning(false);
        stream_.reset(); // the next start opens afresh
        throw AudioError(kErrorDomain, kStartFailedCode,
                         "The audio output could not be started: " + describe(error));
    }
}

void RtAudioDevice::stop()
{
    setRunning(false); // from here on no callback reaches the source
    if (!stream_ || !stream_->isStreamRunning())
        return;
    try {
        stream_->abortStream();
    } catch (const RtAudioError &) {
        stream_.reset(); // a stream that cannot stop is closed instead
    }
}

void RtAudioDevice::setRunning(bool running)
{
    std::lock_guard guard(sourceMutex_);
    running_ = running;
}

std::unique_ptr<RtAudio> RtAudioDevice::openOutput()
{
    std::string failure;
    for (RtAudio::Api api : apis_) {
        try {
            auto audio = std::make_unique<RtAudio>(api);
            audio->showWarnings(false);
            if (audio->getDeviceCount() == 0)
                continue;
            RtAudio::StreamParameters output;
            output.deviceId = audio->getDefaultOutputDevice();
            output.nChannels = kOutputChannels;
            RtAudio::StreamOptions options;
            options.flags = RTAUDIO_NONINTERLEAVED;
            options.streamName = kStreamName;
            unsigned int frames = kBufferFrames;
            audio->openStream(&output, nullptr, RTAUDIO_FLOAT32, kOutputRate, &frames,
                              &RtAudioDevice::onAudio, this, &options);
            return audio;
        } catch (const RtAudioError &error) {
            failure = describe(error);
        }
    }
    // The reason from the last back end that had a device to try, when one had.
    throw AudioError(kErrorDomain, kNoDeviceCode,
                     failure.empty() ? std::string(kNoDevice) : kNoDevice + (" " + failure));
}

int RtAudioDevice::onAudio(void *output, void *, unsigned int frames, double, RtAudioStreamStatus,
                           void *device)
{
    static_cast<RtAudioDevice *>(device)->fill(static_cast<float *>(output), frames);
    return 0;
}

void RtAudioDevice::fill(float *output, unsigned int frames)
{
    // Non-interleaved: all of the left channel, then all of the right.
    AudioOutputBuffer buffers[kOutputChannels] = {
        {output, static_cast<uint32_t>(frames * sizeof(float))},
        {output + frames, static_cast<uint32_t>(frames * sizeof(float))}};
    std::unique_lock guard(sourceMutex_, std::try_to_lock);
    if (!guard.owns_lock() || !running_ || !source_) {
        std::fill_n(output, kOutputChannels * frames, 0.0f);
        return;
    }
    source_(frames, buffers, kOutputChannels);
    guard.unlock();
    const float volume = volume_;
    if (volume != 1.0f)
        std::for_each(output, output + kOutputChannels * frames,
                      [volume](float &s) { s *= volume; });
}

} // namespace vexa
