// Platform stand-ins for driving the controller from a benchmark's own thread: an audio
// device whose render callback the benchmark calls directly, a main queue it runs when
// it chooses, and timers that never fire.
#pragma once

#include "platform/platform_services.h"

#include <vector>

namespace vxbench {

class DirectAudioDevice : public vexa::AudioDevice {
public:
    bool supportsFormat(const vexa::AudioFormat &) override { return true; }
    void attachSource(const vexa::AudioFormat &, vexa::AudioSource source) override
    {
        callback_ = std::move(source.render);
    }
    void detachSource() override { callback_ = nullptr; }
    bool hasSource() const override { return static_cast<bool>(callback_); }
    void setOutputVolume(float) override {}
    bool isRunning() const override { return running_; }
    void start() override { running_ = true; }
    void stop() override { running_ = false; }
    std::optional<std::string> takeOutputLoss() override { return std::nullopt; }

    // One render callback of `frames` frames into the two channel buffers.
    void render(uint32_t frames, float *left, float *right);

private:
    vexa::AudioRenderCallback callback_;
    bool running_ = false;
};

class ManualMainQueue : public vexa::MainQueue {
public:
    void post(std::function<void()> block) override { blocks_.push_back(std::move(block)); }
    // Runs everything posted so far, and what that posts.
    void drain();

private:
    std::vector<std::function<void()>> blocks_;
};

class SilentTimers : public vexa::TimerService {
public:
    std::unique_ptr<vexa::RepeatingTimer> scheduleRepeating(std::chrono::nanoseconds,
                                                            std::function<void()>) override;
};

} // namespace vxbench
