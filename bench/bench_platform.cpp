#include "bench_platform.h"

namespace vxbench {

void DirectAudioDevice::render(uint32_t frames, float *left, float *right)
{
    const auto bytes = static_cast<uint32_t>(frames * sizeof(float));
    vexa::AudioOutputBuffer buffers[2] = {{left, bytes}, {right, bytes}};
    callback_(frames, buffers, 2);
}

void ManualMainQueue::drain()
{
    while (!blocks_.empty()) {
        std::vector<std::function<void()>> ready;
        ready.swap(blocks_);
        for (auto &block : ready)
            block();
    }
}

namespace {

class SilentTimer : public vexa::RepeatingTimer {
public:
    void invalidate() override {}
};

} // namespace

std::unique_ptr<vexa::RepeatingTimer> SilentTimers::scheduleRepeating(std::chrono::nanoseconds,
                                                                      std::function<void()>)
{
    return std::make_unique<SilentTimer>();
}

} // namespace vxbench
