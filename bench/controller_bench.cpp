// The controller's hot paths with a busy module playing: the render callback the audio
// thread runs for every buffer (lock, engine render, copy-out), one display tick, which
// holds the same lock on the main thread, and how long loading and saving a module keep
// the audio thread waiting for that lock.
#include "bench_platform.h"
#include "busy_module.h"
#include "mod_builder.h"
#include "player_engine.h"
#include "temp_dir.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <pthread.h>
#include <thread>
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
        engine->playMode(VXA_PLAY_SONG, false);
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

// A module of about 300 KB: 16 patterns and 31 samples of 9,300 bytes.
std::vector<uint8_t> moduleOf300KB()
{
    vxtest::ModBuilder builder;
    std::vector<uint8_t> orders(16);
    for (int i = 0; i < 16; ++i)
        orders[i] = static_cast<uint8_t>(i);
    builder.song(16, 0, orders);
    for (int slot = 1; slot <= 31; ++slot)
        builder.sample(slot, {.name = "SAMPLE", .lengthWords = 4650});
    return builder.build();
}

// Runs the calling thread at a real-time priority while it lives, as audio threads run,
// so that the figures show waits for the lock rather than the machine's other work.
// Where the system refuses, the thread keeps its priority (reported as realtime = 0).
class RealTimePriority {
public:
    RealTimePriority()
    {
        sched_param realTime{};
        realTime.sched_priority = kPriority;
        granted_ = pthread_getschedparam(pthread_self(), &policy_, &saved_) == 0 &&
                   pthread_setschedparam(pthread_self(), SCHED_FIFO, &realTime) == 0;
    }
    ~RealTimePriority()
    {
        if (granted_)
            pthread_setschedparam(pthread_self(), policy_, &saved_);
    }
    bool granted() const { return granted_; }

private:
    static constexpr int kPriority = 10;
    bool granted_ = false;
    int policy_ = 0;
    sched_param saved_{};
};

// Calls the render callback with small buffers on a second thread, as the audio
// thread does, and keeps the longest call: its wait for the lock plus a short render.
class AudioThreadProbe {
public:
    explicit AudioThreadProbe(DirectAudioDevice &audio)
        : thread_([this, &audio] {
              const RealTimePriority priority;
              std::vector<float> left(kProbeFrames), right(kProbeFrames);
              while (!stop_) {
                  const auto start = std::chrono::steady_clock::now();
                  audio.render(kProbeFrames, left.data(), right.data());
                  const std::chrono::duration<double> spent =
                      std::chrono::steady_clock::now() - start;
                  longest_ = std::max(longest_.load(), spent.count());
                  ++calls_;
              }
          })
    {
    }
    ~AudioThreadProbe()
    {
        stop_ = true;
        thread_.join();
    }
    // The longest call since the last take, in seconds, once a call that started after
    // this one was made has ended too (so a call kept waiting is counted).
    double take()
    {
        const uint64_t seen = calls_;
        while (calls_ < seen + 2)
            std::this_thread::yield();
        return longest_.exchange(0);
    }

private:
    static constexpr uint32_t kProbeFrames = 32;
    std::atomic<bool> stop_{false};
    std::atomic<double> longest_{0};
    std::atomic<uint64_t> calls_{0};
    std::thread thread_;
};

// Loads `file` and plays it, then runs `command` on the main thread while the probe
// renders; each iteration's time is the longest render call meanwhile. Reports the
// median and the worst over the iterations.
template <typename Command>
void measureAudioWait(benchmark::State &state, const std::filesystem::path &file, Command command)
{
    PlayingController player;
    player.engine->load(file);
    player.engine->playMode(VXA_PLAY_SONG, false);
    player.queue->drain();
    const RealTimePriority priority;
    AudioThreadProbe probe(*player.audio);
    std::vector<double> micros;
    for (auto _ : state) {
        probe.take();
        command(*player.engine);
        const double longest = probe.take();
        state.SetIterationTime(longest);
        micros.push_back(longest * 1e6);
        player.queue->drain();
    }
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["worst_us"] = micros.back();
    state.counters["realtime"] = priority.granted();
}

void BM_AudioWaitWhileLoading300KB(benchmark::State &state)
{
    vxtest::TempDir dir;
    const auto file = dir.write("big.mod", moduleOf300KB());
    measureAudioWait(state, file, [&](vexa::PlayerEngine &engine) { engine.load(file); });
}
BENCHMARK(BM_AudioWaitWhileLoading300KB)->UseManualTime()->Iterations(200);

void BM_AudioWaitWhileSaving300KB(benchmark::State &state)
{
    vxtest::TempDir dir;
    const auto file = dir.write("big.mod", moduleOf300KB());
    measureAudioWait(state, file, [&](vexa::PlayerEngine &engine) {
        engine.saveModuleAs(dir.path() / "saved.mod");
    });
}
BENCHMARK(BM_AudioWaitWhileSaving300KB)->UseManualTime()->Iterations(200);

} // namespace
