// The audio path is real-time safe: once warmed up by one callback, the controller's
// render callback allocates nothing, whatever the module plays. (A program of its own:
// it replaces the program's allocator to count.)
#include "allocation_counter.h"
#include "busy_module.h"
#include "controller_fixture.h"

using namespace vxtest;

namespace {

constexpr uint32_t kDeviceFrames = 512;
constexpr int kSeconds = 10;

} // namespace

TEST_F(ControllerTest, renderCallback_allocatesNothingOverTenSecondsOfABusyModule)
{
    engine->ensureEngineRunning();
    engine->load(work.write("busy.mod", busyModule(2)));
    engine->playMode(VXA_PLAY_SONG, false);
    drain();
    std::vector<float> left(kDeviceFrames), right(kDeviceFrames);
    audio->renderHere(kDeviceFrames, left.data(), right.data()); // the warm-up callback
    int64_t allocations = 0;
    {
        const AllocationCount counted;
        for (int frames = 0; frames < kSeconds * vexa::kOutputRate; frames += kDeviceFrames)
            audio->renderHere(kDeviceFrames, left.data(), right.data());
        allocations = counted.count();
    }
    EXPECT_EQ(allocations, 0);
    EXPECT_NE(left, std::vector<float>(kDeviceFrames, 0.0f)); // the module still sounds
}
