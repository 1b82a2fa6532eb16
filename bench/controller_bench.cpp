// The controller's two hot paths with a busy module playing: the render callback the
// audio thread runs for every buffer (lock, engine render, copy-out), and one display
// tick, which holds the same lock on the main thread.
#include "bench_platform.h"
#include "busy_module.h"
#include "player_engine.h"
#include "temp_dir.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

using namespace vxbench;

namespace {

constexpr int kPositions = 8;
constexpr uint32_t kDeviceFrames = 512;
constexpr uint32_t kFramesPerDisplayTick = vexa::kOutputRate / 30;

// A controller playing the busy module through a device the benchmark drives.
struct PlayingController {
    PlayingController()
    {
        engine->ensureEngineRunning();
        engine->load(dir.write("busy.mod", vxtest::busyModule(kPositions)));
        engine->playMode(0, false);
        queue->drain();
    }

    vxtest::TempDir dir;
    std::shared_ptr<DirectAudioDevice> audio = std::make_shared<DirectAudioDevice>();
    std::shared_ptr<ManualMainQueue> queue = std::make_shared<ManualMainQueue>();
    std::shared_ptr<vexa::PlayerEngine> engine = vexa::PlayerEngine::create(
        {audio, queue, std::make_shared<SilentTimers>(), nullptr, nullptr});
};

void BM_RenderCallback(benchmark::State &state)
{
    PlayingController player;
    const auto frames = static_cast<uint32_t>(state.range(0));
    std::vector<float> left(frames), right(frames);
    for (auto _ : state) {
        player.audio->render(frames, left.data(), right.data());
        benchmark::DoNotOptimize(left.data());
        benchmark::DoNotOptimize(right.data());
    }
    const auto rendered = static_cast<double>(state.iterations()) * frames;
    state.counters["x_realtime"] =
        benchmark::Counter(rendered / vexa::kOutputRate, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RenderCallback)->Arg(kDeviceFrames);

// Times the tickDisplay call alone: the lock, the meters' decay, the full status
// refresh, and posting the publication. All but the post runs under the lock, so this
// bounds how long the audio thread can be kept waiting. Between ticks the device
// renders a display frame's worth of audio and the main queue publishes (untimed).
void BM_TickDisplayUnderLock(benchmark::State &state)
{
    PlayingController player;
    std::vector<float> left(kFramesPerDisplayTick), right(kFramesPerDisplayTick);
    std::vector<double> micros;
    for (auto _ : state) {
        player.audio->render(kFramesPerDisplayTick, left.data(), right.data());
        const auto start = std::chrono::steady_clock::now();
        player.engine->tickDisplay();
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(spent.count());
        micros.push_back(spent.count() * 1e6);
        player.queue->drain();
    }
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
}
BENCHMARK(BM_TickDisplayUnderLock)->UseManualTime();

// A whole display frame on the main thread: the tick and publishing every property.
void BM_TickDisplayAndPublish(benchmark::State &state)
{
    PlayingController player;
    std::vector<float> left(kFramesPerDisplayTick), right(kFramesPerDisplayTick);
    for (auto _ : state) {
        state.PauseTiming();
        player.audio->render(kFramesPerDisplayTick, left.data(), right.data());
        state.ResumeTiming();
        player.engine->tickDisplay();
        player.queue->drain();
    }
}
BENCHMARK(BM_TickDisplayAndPublish);

} // namespace
