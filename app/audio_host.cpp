// The audio side of the controller: the graph that feeds the device from the engine,
// the render callback, the display timer, and the play, replay mode and stop commands.
#include "player_engine.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace vexa {

namespace {

constexpr const char *kErrorDomain = "Vexatron";
constexpr int kFormatErrorCode = 1;
constexpr const char *kLostOutputPrefix = "Audio: ";

// Where rendered frames go: one buffer a channel, one buffer of interleaved frames, or
// nowhere when the buffers handed over fit neither.
enum class OutputLayout { split, interleaved, none };

OutputLayout outputLayout(uint32_t frames, const AudioOutputBuffer *buffers, uint32_t count)
{
    if (count >= 2 && buffers[0].data && buffers[1].data)
        return OutputLayout::split;
    if (count == 1 && buffers[0].data && buffers[0].byteSize >= 2 * frames * sizeof(float))
        return OutputLayout::interleaved;
    return OutputLayout::none;
}

// Copies `count` interleaved frames from the scratch buffer to the output from frame
// `first` on.
void copyOut(const float *scratch, uint32_t first, uint32_t count, OutputLayout layout,
             AudioOutputBuffer *buffers)
{
    if (layout == OutputLayout::split) {
        for (uint32_t i = 0; i < count; ++i) {
            buffers[0].data[first + i] = scratch[2 * i];
            buffers[1].data[first + i] = scratch[2 * i + 1];
        }
    } else if (layout == OutputLayout::interleaved) {
        std::memcpy(buffers[0].data + 2 * size_t{first}, scratch, 2 * count * sizeof(float));
    }
}

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
    // Plain pointers, so the device never keeps the controller alive. The controller
    // detaches the source (and the device stops) before any member it uses goes.
    services_.audio->attachSource(
        format, {.prepare = [this](uint32_t maxFrames) { ensureRenderScratch(maxFrames); },
                 .render =
                     [this](uint32_t frames, AudioOutputBuffer *buffers, uint32_t count) {
                         // Audio thread.
                         return render(frames, buffers, count);
                     }});
    services_.audio->setOutputVolume(kOutputVolume);
}

// Main thread: before the device's first render, and whenever the device's block size
// changes, never while a render runs (see AudioSource::prepare).
void PlayerEngine::ensureRenderScratch(int64_t frames)
{
    const int64_t floats = 2 * std::max<int64_t>(frames, 1);
    if (renderScratchCapacity_ >= floats)
        return;
    renderScratch_ = std::make_unique<float[]>(static_cast<size_t>(floats)); // zeroed
    renderScratchCapacity_ = floats;
}

// Audio thread. The device sized the scratch buffer for its blocks (see attachSourceNode),
// so this never allocates: a longer callback is rendered in pieces the buffer holds,
// each under the lock and copied out after releasing it.
int PlayerEngine::render(uint32_t frames, AudioOutputBuffer *buffers, uint32_t bufferCount)
{
    float *scratch = renderScratch_.get();
    if (!scratch)
        return 0;
    const OutputLayout layout = outputLayout(frames, buffers, bufferCount);
    const auto pieceFrames = static_cast<uint32_t>(renderScratchCapacity_ / 2);
    for (uint32_t first = 0; first < frames; first += pieceFrames) {
        const uint32_t count = std::min(pieceFrames, frames - first);
        {
            std::lock_guard guard(lock_);
            if (mod_)
                vxa_mod_render(mod_, scratch, static_cast<int32_t>(count));
            else
                std::fill_n(scratch, 2 * static_cast<size_t>(count), 0.0f);
        }
        copyOut(scratch, first, count, layout, buffers);
    }
    if (layout == OutputLayout::interleaved)
        buffers[0].byteSize = static_cast<uint32_t>(2 * frames * sizeof(float));
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
    noticeLostOutput();
    command(
        [](vxa_mod *mod) {
            vxa_mod_display_tick(mod);
            return true;
        },
        {.startTimer = false,
         .beforePublish = [](PlayerEngine &self) { self.isPlaying.set(self.isPlayingCached_); }});
}

// A lost output stops the song, which can no longer be heard, and says why; the next
// play or live note opens the device afresh, since the device no longer runs.
void PlayerEngine::noticeLostOutput()
{
    const std::optional<std::string> loss = services_.audio->takeOutputLoss();
    if (!loss)
        return;
    setError(kLostOutputPrefix + *loss);
    stop();
}

void PlayerEngine::playMode(vxa_play_mode mode, bool record)
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

void PlayerEngine::setReplayMode(vxa_replay_mode mode)
{
    // Without a context yet, the first load's context starts in the published mode.
    command(
        [mode](vxa_mod *mod) {
            vxa_mod_set_replay_mode(mod, mode);
            return true;
        },
        {.publishNow = true, .startTimer = false, .beforePublish = [mode](PlayerEngine &self) {
             self.replayMode.set(mode);
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
