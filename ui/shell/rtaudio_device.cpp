#include "rtaudio_device.h"

#include "player_engine.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace vexa {

namespace {

constexpr const char *kErrorDomain = "RtAudio";
constexpr int kNoDeviceCode = 1;
constexpr int kStartFailedCode = 2;
constexpr const char *kNoDevice = "No sound server or audio output device could be reached.";
constexpr const char *kStartFailed = "The audio output could not be started: ";
constexpr const char *kOutputLost = "The sound server or audio output device went away.";
constexpr unsigned int kBufferFrames = 512;
constexpr const char *kStreamName = "Vexatron";
// What a callback returns to have RtAudio abort its stream and park the stream thread.
constexpr int kAbortStream = 2;
// A failed write may be a drop-out the back end recovers from; a lost sound server
// fails every write, hundreds of thousands a second, so this many in a row is a loss.
constexpr int kFailedWritesMeaningLoss = 8;

// RtAudio's messages come with stray line breaks around them and usually begin with
// the function that failed ("RtApiAlsa::probeDeviceOpen: "), which means nothing to
// the user.
std::string describe(const std::string &message)
{
    std::string text = message;
    const auto first = text.find_first_not_of(" \n");
    const auto last = text.find_last_not_of(" \n");
    if (first == std::string::npos)
        return "unknown error";
    text = text.substr(first, last - first + 1);
    const auto colon = text.find(": ");
    if (text.starts_with("RtApi") && colon != std::string::npos)
        text.erase(0, colon + 2);
    return text;
}

// ALSA prints its own "ALSA lib" lines to the terminal whenever a back end probes a
// device that is not there; the user gets the reason in the error text instead.
void ignoreAlsaMessage(const char *, int, const char *, int, const char *, ...) {}

void quietAlsa()
{
    static const int handlerSet = snd_lib_error_set_handler(&ignoreAlsaMessage);
    (void)handlerSet;
}

} // namespace

// What every stream's callbacks read. The device and each open stream share it.
struct RtAudioDevice::Core {
    // Guards `source` and `live`: the main thread takes it, audio threads only try it.
    std::mutex mutex;
    AudioSource source;
    const Stream *live = nullptr; // the stream whose callbacks render the source
    std::atomic<float> volume{1.0f};
    std::atomic<uint64_t> underflows{0};
};

// One opened RtAudio stream and what its audio thread keeps.
struct RtAudioDevice::Stream {
    explicit Stream(std::shared_ptr<Core> shared) : core(std::move(shared)) {}

    std::shared_ptr<Core> core;
    uint32_t blockFrames = 0; // frames a callback, as the stream opened
    std::atomic<bool> lost{false};
    // Audio thread only: callbacks so far, the last one whose write failed, and how
    // many callbacks in a row ended in a failed write.
    uint64_t callbacks = 0;
    uint64_t lastFailedCallback = 0;
    int failedInARow = 0;
    // Last, so it is closed (its thread joined) while everything above still exists.
    std::unique_ptr<RtAudio> audio;
};

thread_local RtAudioDevice::Stream *RtAudioDevice::audioThreadStream_ = nullptr;
thread_local std::string *RtAudioDevice::startErrors_ = nullptr;

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

RtAudioDevice::RtAudioDevice(std::vector<RtAudio::Api> apis)
    : apis_(std::move(apis)), core_(std::make_shared<Core>())
{
    quietAlsa();
}

RtAudioDevice::~RtAudioDevice()
{
    stop();
}

bool RtAudioDevice::supportsFormat(const AudioFormat &format)
{
    return format.sampleRate == kOutputRate && format.channels == kOutputChannels;
}

void RtAudioDevice::attachSource(const AudioFormat &, AudioSource source)
{
    std::unique_lock guard(core_->mutex);
    if (core_->live && source.prepare)
        source.prepare(core_->live->blockFrames);
    std::swap(core_->source, source);
    hasSource_ = static_cast<bool>(core_->source.render);
    guard.unlock(); // the replaced source is destroyed outside the lock
}

void RtAudioDevice::detachSource()
{
    attachSource({}, {});
}

bool RtAudioDevice::hasSource() const
{
    return hasSource_;
}

void RtAudioDevice::setOutputVolume(float volume)
{
    core_->volume = volume;
}

uint64_t RtAudioDevice::underflowCount() const
{
    return core_->underflows;
}

bool RtAudioDevice::isRunning() const
{
    return stream_ && !stream_->lost;
}

void RtAudioDevice::start()
{
    if (isRunning())
        return;
    if (stream_)
        retire(); // lost: a new stream reaches a server that came back
    stream_ = openStream();
    startStream(*stream_);
}

void RtAudioDevice::stop()
{
    if (stream_)
        retire();
}

std::optional<std::string> RtAudioDevice::takeOutputLoss()
{
    if (!stream_ || !stream_->lost)
        return std::nullopt;
    retire();
    return kOutputLost;
}

std::unique_ptr<RtAudioDevice::Stream> RtAudioDevice::openStream()
{
    std::string failure;
    for (RtAudio::Api api : apis_) {
        try {
            auto stream = std::make_unique<Stream>(core_);
            stream->audio = std::make_unique<RtAudio>(api);
            RtAudio &audio = *stream->audio;
            audio.showWarnings(false);
            if (audio.getDeviceCount() == 0)
                continue;
            RtAudio::StreamParameters output;
            output.deviceId = audio.getDefaultOutputDevice();
            output.nChannels = kOutputChannels;
            RtAudio::StreamOptions options;
            options.flags = RTAUDIO_NONINTERLEAVED;
            options.streamName = kStreamName;
            unsigned int frames = kBufferFrames;
            audio.openStream(&output, nullptr, RTAUDIO_FLOAT32, kOutputRate, &frames,
                             &RtAudioDevice::onAudio, stream.get(), &options,
                             &RtAudioDevice::onStreamError);
            stream->blockFrames = frames;
            return stream;
        } catch (const RtAudioError &error) {
            failure = describe(error.getMessage());
        }
    }
    // The reason from the last back end that had a device to try, when one had.
    throw AudioError(kErrorDomain, kNoDeviceCode,
                     failure.empty() ? std::string(kNoDevice) : kNoDevice + (" " + failure));
}

// Makes `stream` the live one, lets the source make room for its blocks before the
// first callback, and starts it. Once an error callback is set RtAudio reports through
// it instead of throwing, so start's errors are gathered from there.
void RtAudioDevice::startStream(Stream &stream)
{
    {
        std::lock_guard guard(core_->mutex);
        core_->live = &stream;
        if (core_->source.prepare)
            core_->source.prepare(stream.blockFrames);
    }
    std::string errors;
    startErrors_ = &errors;
    stream.audio->startStream();
    startErrors_ = nullptr;
    if (errors.empty())
        return;
    retire();
    throw AudioError(kErrorDomain, kStartFailedCode, kStartFailed + describe(errors));
}

// Ends callbacks into the source at once and closes the stream on a thread of its own.
void RtAudioDevice::retire()
{
    {
        std::lock_guard guard(core_->mutex);
        if (core_->live == stream_.get())
            core_->live = nullptr;
    }
    try {
        std::thread([stream = std::move(stream_)]() mutable { stream.reset(); }).detach();
    } catch (const std::system_error &) {
        // No thread to spare: the stream was closed here, as the closure went.
    }
}

int RtAudioDevice::onAudio(void *output, void *, unsigned int frames, double,
                           RtAudioStreamStatus status, void *user)
{
    Stream &stream = *static_cast<Stream *>(user);
    audioThreadStream_ = &stream;
    ++stream.callbacks;
    if (status & RTAUDIO_OUTPUT_UNDERFLOW)
        stream.core->underflows.fetch_add(1, std::memory_order_relaxed);
    auto *samples = static_cast<float *>(output);
    if (!stream.lost && fill(stream, samples, frames))
        return 0;
    std::fill_n(samples, kOutputChannels * frames, 0.0f);
    return kAbortStream;
}

// Renders the source into the non-interleaved output (all of the left channel, then all
// of the right); false when the stream is no longer the live one.
bool RtAudioDevice::fill(Stream &stream, float *output, unsigned int frames)
{
    Core &core = *stream.core;
    std::unique_lock guard(core.mutex, std::try_to_lock);
    if (guard.owns_lock() && core.live != &stream)
        return false;
    if (!guard.owns_lock() || !core.source.render) {
        std::fill_n(output, kOutputChannels * frames, 0.0f);
        return true;
    }
    AudioOutputBuffer buffers[kOutputChannels] = {
        {output, static_cast<uint32_t>(frames * sizeof(float))},
        {output + frames, static_cast<uint32_t>(frames * sizeof(float))}};
    core.source.render(frames, buffers, kOutputChannels);
    guard.unlock();
    const float volume = core.volume;
    if (volume != 1.0f)
        std::for_each(output, output + kOutputChannels * frames,
                      [volume](float &s) { s *= volume; });
    return true;
}

// Counts each callback whose write failed once; on the main thread during start it
// only gathers the text (allocating there is fine).
void RtAudioDevice::onStreamError(RtAudioError::Type type, const std::string &text)
{
    if (startErrors_) {
        if (startErrors_->empty())
            *startErrors_ = text;
        return;
    }
    Stream *stream = audioThreadStream_;
    if (!stream)
        return; // a closing stream's report: nobody waits for it
    if (type != RtAudioError::WARNING)
        stream->lost = true; // RtAudio ends the stream thread itself after these
    if (stream->lastFailedCallback == stream->callbacks)
        return;
    const bool inARow = stream->lastFailedCallback + 1 == stream->callbacks;
    stream->failedInARow = inARow ? stream->failedInARow + 1 : 1;
    stream->lastFailedCallback = stream->callbacks;
    if (stream->failedInARow >= kFailedWritesMeaningLoss)
        stream->lost = true;
}

} // namespace vexa
