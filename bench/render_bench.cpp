// Render throughput of a busy module: frames per second and the realtime factor at
// 44,100 Hz, for a few audio buffer sizes, in the reduced and the full replay mode.
#include "busy_module.h"
#include "engine_handle.h"
#include "temp_dir.h"
#include "vxa_mod_extras.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace vxtest;

namespace {

constexpr int kRate = 44100; // Hz
constexpr int kPositions = 8;

void BM_RenderBusyModule(benchmark::State &state)
{
    TempDir dir;
    const auto path = dir.write("busy.mod", busyModule(kPositions));
    ModHandle mod = createMod(kRate);
    if (vxa_mod_load(mod.get(), path.c_str()) != 0) {
        state.SkipWithError("the busy module did not load");
        return;
    }
    vxa_mod_set_replay_mode(mod.get(), static_cast<int32_t>(state.range(1)));
    vxa_mod_play(mod.get());
    const auto frames = static_cast<int32_t>(state.range(0));
    std::vector<float> out(2 * static_cast<size_t>(frames));
    for (auto _ : state) {
        vxa_mod_render(mod.get(), out.data(), frames);
        benchmark::DoNotOptimize(out.data());
    }
    const auto rendered = static_cast<double>(state.iterations()) * frames;
    state.counters["frames_per_s"] = benchmark::Counter(rendered, benchmark::Counter::kIsRate);
    state.counters["x_realtime"] =
        benchmark::Counter(rendered / kRate, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RenderBusyModule)
    ->ArgsProduct({{256, 1024, 4096}, {VXA_REPLAY_REDUCED, VXA_REPLAY_FULL}})
    ->ArgNames({"frames", "full"});

} // namespace
