#include "fake_platform.h"

#include <utility>

namespace vxtest {

bool FakeAudioDevice::supportsFormat(const vexa::AudioFormat &format)
{
    return formatAvailable && format.sampleRate == 44100.0 && format.channels == 2;
}

void FakeAudioDevice::attachSource(const vexa::AudioFormat &, vexa::AudioSource source)
{
    std::lock_guard guard(mutex_);
    if (running_ && source.prepare)
        source.prepare(blockFrames);
    source_ = std::move(source);
}

void FakeAudioDevice::detachSource()
{
    std::lock_guard guard(mutex_);
    source_ = {};
}

bool FakeAudioDevice::hasSource() const
{
    std::lock_guard guard(mutex_);
    return static_cast<bool>(source_.render);
}

void FakeAudioDevice::start()
{
    if (startError)
        throw vexa::AudioError("Fake", 7, startError);
    std::lock_guard guard(mutex_);
    if (source_.prepare)
        source_.prepare(blockFrames);
    running_ = true;
}

void FakeAudioDevice::stop()
{
    stopStream();
    running_ = false;
}

std::optional<std::string> FakeAudioDevice::takeOutputLoss()
{
    return std::exchange(loss_, std::nullopt);
}

void FakeAudioDevice::loseOutput(std::string description)
{
    running_ = false;
    loss_ = std::move(description);
}

std::vector<std::vector<float>> FakeAudioDevice::renderOnDeviceThread(uint32_t frames,
                                                                      uint32_t bufferCount)
{
    const size_t floatsEach = bufferCount == 1 ? 2 * frames : frames;
    std::vector<std::vector<float>> data(bufferCount, std::vector<float>(floatsEach, -9.0f));
    std::vector<vexa::AudioOutputBuffer> buffers;
    for (auto &channel : data)
        buffers.push_back({channel.data(), static_cast<uint32_t>(channel.size() * sizeof(float))});
    std::thread device([&] {
        std::lock_guard guard(mutex_);
        if (source_.render) {
            source_.render(frames, buffers.data(), bufferCount);
            ++callbackCount;
        }
    });
    device.join();
    return data;
}

void FakeAudioDevice::renderHere(uint32_t frames, float *left, float *right)
{
    const auto bytes = static_cast<uint32_t>(frames * sizeof(float));
    vexa::AudioOutputBuffer buffers[2] = {{left, bytes}, {right, bytes}};
    std::lock_guard guard(mutex_);
    source_.render(frames, buffers, 2);
}

void FakeAudioDevice::startStream(uint32_t frames)
{
    streaming_ = true;
    stream_ = std::thread([this, frames] {
        std::vector<float> left(frames), right(frames);
        vexa::AudioOutputBuffer buffers[2] = {{left.data(), frames * 4},
                                              {right.data(), frames * 4}};
        while (streaming_) {
            std::lock_guard guard(mutex_);
            if (source_.render) {
                source_.render(frames, buffers, 2);
                ++callbackCount;
            }
        }
    });
}

void FakeAudioDevice::stopStream()
{
    streaming_ = false;
    if (stream_.joinable())
        stream_.join();
}

void FakeMainQueue::post(std::function<void()> block)
{
    std::lock_guard guard(mutex_);
    blocks_.push_back(std::move(block));
}

int FakeMainQueue::drain()
{
    int ran = 0;
    for (;;) {
        std::function<void()> block;
        {
            std::lock_guard guard(mutex_);
            if (blocks_.empty())
                return ran;
            block = std::move(blocks_.front());
            blocks_.pop_front();
        }
        block();
        ++ran;
    }
}

namespace {

class FakeTimer : public vexa::RepeatingTimer {
public:
    explicit FakeTimer(std::shared_ptr<bool> alive) : alive_(std::move(alive)) {}
    void invalidate() override { *alive_ = false; }

private:
    std::shared_ptr<bool> alive_;
};

} // namespace

std::unique_ptr<vexa::RepeatingTimer>
FakeTimerService::scheduleRepeating(std::chrono::nanoseconds interval, std::function<void()> block)
{
    lastInterval = interval;
    auto alive = std::make_shared<bool>(true);
    timers_.push_back({std::move(block), alive});
    return std::make_unique<FakeTimer>(alive);
}

void FakeTimerService::fireAll()
{
    for (const Entry &timer : timers_) {
        if (*timer.alive)
            timer.block();
    }
}

std::optional<std::filesystem::path> FakeResources::find(const std::string &name,
                                                         const std::string &extension) const
{
    const auto file = folder_ / (name + "." + extension);
    return std::filesystem::exists(file) ? std::optional(file) : std::nullopt;
}

bool FakeResources::contains(const std::filesystem::path &file) const
{
    const auto relative = file.lexically_relative(folder_);
    return !relative.empty() && *relative.begin() != "..";
}

} // namespace vxtest
