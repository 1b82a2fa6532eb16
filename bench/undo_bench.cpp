// The edit history's costs: recording the step of a cell write (the snapshot under the
// lock, the check that the cell changed, and keeping it in a full history, which drops
// its oldest step each time), copying a 128 KiB sample before a cut, and the whole undo
// command that takes such a cut back while the module plays.
#include "bench_platform.h"
#include "mod_builder.h"
#include "player_engine.h"
#include "temp_dir.h"
#include "undo_history.h"

#include <benchmark/benchmark.h>

#include <chrono>

using namespace vxbench;

namespace {

constexpr uint16_t kLongSampleWords = 65535; // 131,070 bytes, the largest a module holds
constexpr uint16_t kLoopStartWords = 1000;

std::vector<uint8_t> longSampleModule()
{
    return vxtest::ModBuilder()
        .sample(1, {.lengthWords = kLongSampleWords,
                    .loopStartWords = kLoopStartWords,
                    .loopLengthWords = 2000})
        .note(0, 0, 0, 428, 1)
        .build();
}

struct LoadedContext {
    LoadedContext() { vxa_mod_load(mod, dir.write("long.mod", longSampleModule()).c_str()); }
    ~LoadedContext() { vxa_mod_destroy(mod); }

    vxtest::TempDir dir;
    vxa_mod *mod = vxa_mod_create(vexa::kOutputRate);
};

void BM_RecordCellWrite(benchmark::State &state)
{
    LoadedContext context;
    vexa::UndoHistory history({vexa::kUndoMaxSteps, vexa::kUndoMaxStoredBytes});
    uint32_t write = 0;
    for (auto _ : state) {
        const vexa::CellPlace place{0, write / 4 % 64, write % 4};
        ++write;
        vxa_cell cell{};
        vxa_mod_get_cell(context.mod, place.pattern, place.row, place.channel, &cell);
        vexa::UndoStep step{vexa::EditKind::noteEntry, vexa::UndoSnapshot::cell(place, cell)};
        cell.note = static_cast<uint8_t>(cell.note % 36 + 1);
        vxa_mod_set_cell(context.mod, place.pattern, place.row, place.channel, &cell);
        if (!step.before.matches(context.mod))
            history.record(std::move(step));
    }
    state.counters["steps"] = static_cast<double>(history.stepCount());
}
BENCHMARK(BM_RecordCellWrite);

void BM_CopySampleBeforeCut(benchmark::State &state)
{
    LoadedContext context;
    for (auto _ : state)
        benchmark::DoNotOptimize(vexa::UndoSnapshot::slot(context.mod, 1, true));
}
BENCHMARK(BM_CopySampleBeforeCut);

// The undo command alone (lock, exchange, status refresh, post) is timed; the redo that
// cuts the sample again between rounds is not.
void BM_UndoSampleCutWhilePlaying(benchmark::State &state)
{
    vxtest::TempDir dir;
    auto audio = std::make_shared<DirectAudioDevice>();
    auto queue = std::make_shared<ManualMainQueue>();
    auto engine = vexa::PlayerEngine::create(
        {audio, queue, std::make_shared<SilentTimers>(), nullptr, nullptr});
    engine->ensureEngineRunning();
    engine->load(dir.write("long.mod", longSampleModule()));
    engine->playMode(VXA_PLAY_SONG, false);
    engine->smpEdTrimOp(VXA_TRIM_CUT_HEAD);
    queue->drain();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        engine->undo();
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(spent.count());
        engine->redo();
        queue->drain();
    }
    state.counters["sample_bytes"] = static_cast<double>(engine->sampleLength());
}
BENCHMARK(BM_UndoSampleCutWhilePlaying)->UseManualTime();

} // namespace
