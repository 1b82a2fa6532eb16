// The audio side of the controller: the graph that feeds the device from the engine,
// the render callback, the display timer, and the play and stop commands.
#include "player_engine.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace vexa {

namespace {

constexpr const char *kErrorDomain = "Vexatron";
constexpr int kFormatErrorCode = 1;

} // namespace

void PlayerEngine::ensureEngineRunning()
{
    if (!services_.audio->hasSource())
        attachSourceNode();
    if (!services_.audio->isRunning())
        services_.audio->start();
}

void PlayerEngine::attachSourceNode()
{
    const AudioFormat format{kOutputRate, kOutputChannels};
    if (!services_.audio->supportsFormat(format))
        throw AudioError(kErrorDomain, kFormatErrorCode, "Could not create stereo float format");
    ensureRenderScratch(kInitialScratchFrames);
    // A plain pointer, so the device never keeps the controller alive. The controller
    // detaches the callback (and the device stops) before any member it uses goes.
    services_.audio->attachSource(
        format, [this](uint32_t frames, AudioOutputBuffer *buffers, uint32_t count) {
            // Audio thread.
            return render(frames, buffers, count);
        });
    services_.audio->setOutputVolume(kOutputVolume);
}

// Audio thread (and the main thread before the callback is attached).
void PlayerEngine::ensureRenderScratch(int64_t frames)
{
    const int64_t floats = 2 * std::max<int64_t>(frames, 1);
    if (renderScratchCapacity_ >= floats)
        return;
    renderScratch_ = std::make_unique<float[]>(static_cast<size_t>(floats)); // zeroed
    renderScratchCapacity_ = floats;
}

// Audio thread: the render callback.
int PlayerEngine::render(uint32_t frames, AudioOutputBuffer *buffers, uint32_t bufferCount)
{
    ensureRenderScratch(frames);
    float *scratch = renderScratch_.get();
    if (!scratch || frames == 0)
        return 0;
    {
        std::lock_guard guard(lock_);
        if (mod_)
            vxa_mod_render(mod_, scratch, static_cast<int32_t>(frames));
        else
            std::fill_n(scratch, 2 * static_cast<size_t>(frames), 0.0f);
    }
    // Copy-out after the lock is released: one buffer a channel, or one interleaved.
    if (bufferCount >= 2 && buffers[0].data && buffers[1].data) {
        for (uint32_t i = 0; i < frames; ++i) {
            buffers[0].data[i] = scratch[2 * i];
            buffers[1].data[i] = scratch[2 * i + 1];
        }
    } else if (bufferCount == 1 && buffers[0].data &&
               buffers[0].byteSize >= 2 * frames * sizeof(float)) {
        std::memcpy(buffers[0].data, scratch, 2 * frames * sizeof(float));
        buffers[0].byteSize = static_cast<uint32_t>(2 * frames * sizeof(float));
    }
    return 0;
}

void PlayerEngine::tearDownAudio()
{
    if (displayTimer_) {
        displayTimer_->invalidate();
        displayTimer_.reset();
    }
    services_.audio->stop();
    if (services_.audio->hasSource())
        services_.audio->detachSource();
}

void PlayerEngine::startDisplayTimer()
{
    if (displayTimer_)
        return;
    displayTimer_ =
        services_.timers->scheduleRepeating(kDisplayInterval, [weak = weak_from_this()] {
            if (auto self = weak.lock())
                self->tickDisplay();
        });
}

void PlayerEngine::tickDisplay()
{
    command(
        [](vxa_mod *mod) {
            vxa_mod_display_tick(mod);
            return true;
        },
        {.startTimer = false,
         .beforePublish = [](PlayerEngine &self) { self.isPlaying.set(self.isPlayingCached_); }});
}

void PlayerEngine::playMode(int32_t mode, bool record)
{
    command(
        [mode, record](vxa_mod *mod) {
            vxa_mod_play_mode_at(mod, mode, record ? 1 : 0, 0);
            return true;
        },
        {.needsModule = true,
         // The context already plays; sound starts once a later start succeeds.
         .afterUnlock =
             [this] {
                 const auto error = startAudio();
                 if (error)
                     setError("Audio engine: " + *error);
                 return !error;
             },
         .beforePublish =
             [record](PlayerEngine &self) {
                 self.isPlaying.set(self.isPlayingCached_);
                 self.editMode.set(record);
                 self.errorMessage.set(std::nullopt);
             }});
}

void PlayerEngine::stop()
{
    command(
        [](vxa_mod *mod) {
            vxa_mod_stop(mod);
            return true;
        },
        {.startTimer = false,
         .beforePublish = [](PlayerEngine &self) { self.isPlaying.set(false); }});
}

std::optional<std::string> PlayerEngine::startAudio()
{
    try {
        ensureEngineRunning();
        return std::nullopt;
    } catch (const AudioError &error) {
        return error.what();
    }
}

} // namespace vexa
