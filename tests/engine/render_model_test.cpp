// The engine's render call against the per-frame model (reference_render.h): output,
// channel positions, meters, scope rings and tick timing must agree bit for bit on busy
// and random modules, at several rates, for buffers of many odd sizes, across mutes,
// tempo changes, pattern mode, idle mixing, sample data freed between two renders, and
// in both replay modes.
#include "busy_module.h"
#include "engine_fixture.h"
#include "reference_render.h"

#include <cstdlib>
#include <cstring>
#include <random>

using namespace vxtest;

namespace {

constexpr int32_t kBufferSizes[] = {1,   2,   3,   7,   64,  255,  256,  257,  511,  512,  513,
                                    848, 849, 881, 882, 883, 1000, 1023, 2048, 4097, 9000, 13};

// Random cells over every command, including tempo changes, jumps and breaks, and
// samples with loops of many shapes (tiny ones, ones ending at the sample's end).
Bytes randomModule(uint32_t seed)
{
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); };
    ModBuilder builder;
    const uint16_t lengths[] = {2, 8, 64, 300, 1000, 5000};
    for (int slot = 1; slot <= 8; ++slot) {
        const uint16_t words = lengths[pick(6)];
        const auto loopStart = static_cast<uint16_t>(pick(words));
        const auto loopWords =
            static_cast<uint16_t>(pick(3) == 0 ? 1 : 1 + pick(words - loopStart));
        builder.sample(slot, {.lengthWords = words,
                              .volume = static_cast<uint8_t>(pick(66)),
                              .loopStartWords = loopStart,
                              .loopLengthWords = loopWords});
    }
    const uint16_t periods[] = {856, 428, 214, 113, 160, 0, 0};
    builder.song(4, 1, {0, 1, 2, 1});
    for (int cell = 0; cell < 3 * 64 * 4; ++cell) {
        auto effect = static_cast<uint8_t>(pick(16));
        auto param = static_cast<uint8_t>(pick(256));
        if (effect == 0xB && pick(4) != 0)
            effect = 0xA; // keep most of the song reachable
        if (effect == 0xF)
            param = static_cast<uint8_t>(pick(2) ? 1 + pick(8) : 32 + pick(224));
        builder.note(cell / 256, cell / 4 % 64, cell % 4, periods[pick(7)],
                     static_cast<uint8_t>(pick(10)), effect, param);
    }
    return builder.build();
}

class RenderModel : public ::testing::TestWithParam<int32_t> {
protected:
    void load(const Bytes &bytes)
    {
        const auto path = dir.write("model.mod", bytes);
        ASSERT_EQ(vxa_mod_load(engine.get(), path.c_str()), 0);
        ASSERT_EQ(vxa_mod_load(model.get(), path.c_str()), 0);
    }
    // Both contexts get the same call.
    template <typename F> void both(F call)
    {
        call(engine.get());
        call(model.get());
    }
    // Renders `total` frames with both in buffers cycling through the odd sizes, and
    // compares everything the render call writes.
    void renderSizes(int32_t total, size_t offset = 0)
    {
        for (size_t i = offset; total > 0 && !HasFatalFailure(); ++i, ++renders) {
            const int32_t n = std::min(total, kBufferSizes[i % std::size(kBufferSizes)]);
            total -= n;
            std::vector<float> fast(2 * static_cast<size_t>(n), 7.0f), slow = fast;
            vxa_mod_render(engine.get(), fast.data(), n);
            referenceRender(model.get(), slow.data(), n);
            ASSERT_EQ(std::memcmp(fast.data(), slow.data(), fast.size() * sizeof(float)), 0)
                << "output differs in render " << renders << " of " << n << " frames";
            const vxa_mod &a = *engine, &b = *model;
            for (int c = 0; c < 4; ++c) {
                ASSERT_EQ(a.channels[c].pos, b.channels[c].pos) << c << " " << renders;
                ASSERT_EQ(a.channels[c].frac, b.channels[c].frac) << c << " " << renders;
                ASSERT_EQ(a.channels[c].volume, b.channels[c].volume) << c << " " << renders;
            }
            ASSERT_EQ(std::memcmp(a.scope, b.scope, sizeof a.scope), 0) << renders;
            ASSERT_EQ(a.scope_pos, b.scope_pos);
            ASSERT_EQ(std::memcmp(a.chan_out, b.chan_out, sizeof a.chan_out), 0);
            ASSERT_EQ(std::memcmp(a.vu, b.vu, sizeof a.vu), 0);
            ASSERT_EQ(std::memcmp(a.spectrum, b.spectrum, sizeof a.spectrum), 0);
            ASSERT_EQ(a.tick_countdown, b.tick_countdown); // exactly, not nearly
            ASSERT_EQ(a.frames_played, b.frames_played);
            ASSERT_EQ(a.order_pos, b.order_pos);
            ASSERT_EQ(a.row, b.row);
            ASSERT_EQ(a.tick, b.tick);
        }
    }

    TempDir dir;
    ModHandle engine = createMod(GetParam());
    ModHandle model = createMod(GetParam());
    int renders = 0;
};

TEST_P(RenderModel, busyModule_matchesTheModelForEveryBufferSize)
{
    load(busyModule(3));
    both(vxa_mod_play);
    renderSizes(200000);
}

TEST_P(RenderModel, randomModules_matchTheModel)
{
    for (uint32_t seed = 1; seed <= 6 && !HasFatalFailure(); ++seed) {
        load(randomModule(seed));
        both(vxa_mod_play);
        renderSizes(60000, seed);
    }
}

TEST_P(RenderModel, mutesAndPatternMode_matchTheModel)
{
    load(busyModule(2));
    both([](vxa_mod *m) { vxa_mod_play_mode_at(m, 1, 0, 40); });
    for (int step = 0; step < 12 && !HasFatalFailure(); ++step) {
        both([step](vxa_mod *m) { m->muted[step % 4] ^= 1; });
        renderSizes(9000, static_cast<size_t>(step));
    }
}

TEST_P(RenderModel, sampleDataFreedBetweenRenders_matchesTheModel)
{
    load(busyModule(2));
    both(vxa_mod_play);
    renderSizes(30000);
    both([](vxa_mod *m) {
        std::free(m->samples[0].data);
        m->samples[0].data = nullptr;
        m->samples[2].length = 40; // shorter than its loop start: the loop is gone
        m->samples[2].loop_start = 0;
        m->samples[2].loop_length = 0;
    });
    renderSizes(30000, 5);
}

TEST_P(RenderModel, idleRendering_mixesLiveChannelsLikeTheModel)
{
    load(busyModule(1));
    both(vxa_mod_play);
    renderSizes(5000);
    both([](vxa_mod *m) { m->playing = 0; });
    renderSizes(40000, 3);
}

TEST_P(RenderModel, fullReplay_matchesTheModel)
{
    both([](vxa_mod *m) { vxa_mod_set_replay_mode(m, VXA_REPLAY_FULL); });
    for (uint32_t seed = 7; seed <= 12 && !HasFatalFailure(); ++seed) {
        load(randomModule(seed));
        both(vxa_mod_play);
        renderSizes(60000, seed);
    }
}

// Without arpeggios, vibrato, tremolo, commands 8 and E, finetune and sample numbers
// that start no note, the full mode plays a module as the reduced one does: the engine in
// the full mode renders what the model renders in the reduced mode.
TEST_P(RenderModel, fullReplay_rendersAsTheReducedOne_withoutWhatOnlyItPlays)
{
    vxa_mod_set_replay_mode(engine.get(), VXA_REPLAY_FULL);
    for (uint32_t seed = 1; seed <= 6 && !HasFatalFailure(); ++seed) {
        load(randomModule(seed));
        both([](vxa_mod *m) {
            for (uint8_t *cell = m->patterns; cell < m->patterns + m->num_patterns * 1024;
                 cell += 4) {
                const uint8_t effect = cell[2];
                if ((effect == 0x0 && cell[3]) || effect == 0x4 || effect == 0x6 || effect == 0x7 ||
                    effect == 0x8 || effect == 0xE)
                    cell[2] = cell[3] = 0;
                if (cell[0] == 0 || cell[2] == 0x3 || cell[2] == 0x5)
                    cell[1] = 0;
            }
        });
        both(vxa_mod_play);
        renderSizes(60000, seed);
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, RenderModel, ::testing::Values(44100, 48000, 22050, 8000, 96000),
                         [](const auto &info) { return std::to_string(info.param) + "Hz"; });

} // namespace
