// Fakes of the controller's platform services: an audio device that calls its render
// callback from a real second thread, a main queue drained by the test, timers fired
// by the test, and resource and folder lookup in temporary folders.
#pragma once

#include "platform/platform_services.h"

#include <atomic>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace vxtest {

class FakeAudioDevice : public vexa::AudioDevice {
public:
    ~FakeAudioDevice() override { stopStream(); }

    bool supportsFormat(const vexa::AudioFormat &format) override;
    void attachSource(const vexa::AudioFormat &format, vexa::AudioSource source) override;
    void detachSource() override;
    bool hasSource() const override;
    void setOutputVolume(float) override {}
    bool isRunning() const override { return running_; }
    // Tells the source the block size, as a real device does when its stream opens.
    void start() override;
    void stop() override;
    std::optional<std::string> takeOutputLoss() override;

    // One callback of `frames` frames on the device thread, into two channel buffers
    // (or `bufferCount` buffers); returns the buffers' contents.
    std::vector<std::vector<float>> renderOnDeviceThread(uint32_t frames, uint32_t bufferCount = 2);

    // One callback of `frames` frames on the calling thread into the caller's two
    // channel buffers; allocates nothing.
    void renderHere(uint32_t frames, float *left, float *right);

    // Keeps calling the callback with `frames` frames on a device thread until stopped.
    void startStream(uint32_t frames);
    void stopStream();

    // The output goes away, as when the sound server stops: the device no longer runs
    // and reports `description` once.
    void loseOutput(std::string description);

    bool formatAvailable = true;
    const char *startError = nullptr; // when set, start() fails with this text
    uint32_t blockFrames = 512;       // what start() tells the source
    std::atomic<int> callbackCount{0};

private:
    mutable std::mutex mutex_;
    vexa::AudioSource source_;
    bool running_ = false;
    std::optional<std::string> loss_;
    std::atomic<bool> streaming_{false};
    std::thread stream_;
};

class FakeMainQueue : public vexa::MainQueue {
public:
    void post(std::function<void()> block) override;
    // Runs every posted block (and blocks they post) in order; returns how many ran.
    int drain();

private:
    std::mutex mutex_;
    std::deque<std::function<void()>> blocks_;
};

class FakeTimerService : public vexa::TimerService {
public:
    std::unique_ptr<vexa::RepeatingTimer> scheduleRepeating(std::chrono::nanoseconds interval,
                                                            std::function<void()> block) override;
    // Fires every live timer once.
    void fireAll();
    int scheduledCount() const { return static_cast<int>(timers_.size()); }
    std::chrono::nanoseconds lastInterval{0};

private:
    struct Entry {
        std::function<void()> block;
        std::shared_ptr<bool> alive;
    };
    std::vector<Entry> timers_;
};

class FakeResources : public vexa::ResourceLocator {
public:
    explicit FakeResources(std::filesystem::path folder) : folder_(std::move(folder)) {}
    std::optional<std::filesystem::path> find(const std::string &name,
                                              const std::string &extension) const override;
    bool contains(const std::filesystem::path &file) const override;

private:
    std::filesystem::path folder_;
};

class FakeFolders : public vexa::FolderLocator {
public:
    FakeFolders(std::optional<std::filesystem::path> documents, std::filesystem::path temporary)
        : documents_(std::move(documents)), temporary_(std::move(temporary))
    {
    }
    std::optional<std::filesystem::path> documents() const override { return documents_; }
    std::filesystem::path temporary() const override { return temporary_; }

private:
    std::optional<std::filesystem::path> documents_;
    std::filesystem::path temporary_;
};

} // namespace vxtest
