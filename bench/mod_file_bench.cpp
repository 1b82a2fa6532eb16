// Module reading and writing throughput on a full-sized module: 64 patterns and 31
// samples of 20,000 bytes (about 680 KB).
#include "engine_handle.h"
#include "mod_builder.h"
#include "temp_dir.h"

#include <benchmark/benchmark.h>

using namespace vxtest;

namespace {

std::vector<uint8_t> largeModule()
{
    ModBuilder builder;
    std::vector<uint8_t> orders(64);
    for (int i = 0; i < 64; ++i)
        orders[i] = static_cast<uint8_t>(i);
    builder.song(64, 0, orders);
    for (int slot = 1; slot <= 31; ++slot)
        builder.sample(slot, {.name = "SAMPLE",
                              .lengthWords = 10000,
                              .loopStartWords = 100,
                              .loopLengthWords = 5000});
    for (int pattern = 0; pattern < 64; ++pattern)
        for (int row = 0; row < 64; ++row)
            builder.note(pattern, row, row % 4, 428, static_cast<uint8_t>(1 + row % 31), 0x0C,
                         0x20);
    return builder.build();
}

void BM_LoadModule(benchmark::State &state)
{
    TempDir dir;
    const std::vector<uint8_t> bytes = largeModule();
    const auto path = dir.write("big.mod", bytes);
    ModHandle mod = createMod();
    for (auto _ : state)
        benchmark::DoNotOptimize(vxa_mod_load(mod.get(), path.c_str()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadModule);

void BM_SaveModule(benchmark::State &state)
{
    TempDir dir;
    const std::vector<uint8_t> bytes = largeModule();
    const auto path = dir.write("big.mod", bytes);
    ModHandle mod = createMod();
    vxa_mod_load(mod.get(), path.c_str());
    const auto target = dir.file("out.mod");
    for (auto _ : state)
        benchmark::DoNotOptimize(vxa_mod_save(mod.get(), target.c_str()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_SaveModule);

} // namespace
