// The engine's render call against the per-frame model (reference_render.h): output,
// channel positions, meters, scope rings and tick timing must agree bit for bit on busy
// and random modules, at several rates, for buffers of many odd sizes, across mutes,
// tempo changes, pattern mode and sample data freed between two renders.
#include "busy_module.h"
#include "engine_handle.h"
#include "mod_builder.h"
#include "reference_render.h"
#include "temp_dir.h"
#include "vxa_mod_internal.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>

using namespace vxtest;

namespace {

constexpr int32_t kBufferSizes[] = {1,   2,   3,   7,   64,  255,  256,  257,  511,  512,  513,
                                    848, 849, 881, 882, 883, 1000, 1023, 2048, 4097, 9000, 13};

// Random cells over every command, including tempo changes, jumps and breaks, and
// samples with loops of many shapes (tiny ones, ones ending at the sample's end).
std::vector<uint8_t> randomModule(uint32_t seed)
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
    for (int pattern = 0; pattern < 3; ++pattern) {
        for (int row = 0; row < 64; ++row) {
            for (int ch = 0; ch < 4; ++ch) {
                auto effect = static_cast<uint8_t>(pick(16));
                auto param = static_cast<uint8_t>(pick(256));
                if (effect == 0xB && pick(4) != 0)
                    effect = 0xA; // keep most of the song reachable
                if (effect == 0xF)
                    param = static_cast<uint8_t>(pick(2) ? 1 + pick(8) : 32 + pick(224));
                builder.note(pattern, row, ch, periods[pick(7)], static_cast<uint8_t>(pick(10)),
                             effect, param);
            }
        }
    }
    return builder.build();
}

class RenderModel : public ::testing::TestWithParam<int32_t> {
protected:
    void load(const std::vector<uint8_t> &bytes)
    {
        const auto path = dir.write("model.mod", bytes);
        ASSERT_EQ(vxa_mod_load(engine.get(), path.c_str()), 0);
        ASSERT_EQ(vxa_mod_load(model.get(), path.c_str()), 0);
    }

    // Renders `frames` with both and compares everything the render call writes.
    void renderBoth(int32_t frames)
    {
        std::vector<float> fast(2 * static_cast<size_t>(frames), 7.0f);
        std::vector<float> slow(2 * static_cast<size_t>(frames), 7.0f);
        vxa_mod_render(engine.get(), fast.data(), frames);
        referenceRender(model.get(), slow.data(), frames);
        ++renders;
        ASSERT_EQ(std::memcmp(fast.data(), slow.data(), fast.size() * sizeof(float)), 0)
            << "output differs in render " << renders << " of " << frames << " frames";
        expectSameState();
    }

    void expectSameState()
    {
        const vxa_mod &a = *engine;
        const vxa_mod &b = *model;
        for (int c = 0; c < 4; ++c) {
            ASSERT_EQ(a.channels[c].pos, b.channels[c].pos) << "channel " << c << " " << renders;
            ASSERT_EQ(a.channels[c].frac, b.channels[c].frac) << "channel " << c;
            ASSERT_EQ(a.channels[c].volume, b.channels[c].volume) << "channel " << c;
        }
        ASSERT_EQ(std::memcmp(a.scope, b.scope, sizeof a.scope), 0) << "render " << renders;
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

    // Both contexts get the same call.
    template <typename F> void both(F call)
    {
        call(engine.get());
        call(model.get());
    }

    // Renders `total` frames in buffers cycling through the odd sizes.
    void renderSizes(int32_t total, size_t offset = 0)
    {
        for (size_t i = offset; total > 0 && !HasFatalFailure(); ++i) {
            const int32_t n = std::min(total, kBufferSizes[i % std::size(kBufferSizes)]);
            renderBoth(n);
            total -= n;
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

INSTANTIATE_TEST_SUITE_P(Rates, RenderModel, ::testing::Values(44100, 48000, 8000),
                         [](const auto &info) { return std::to_string(info.param) + "Hz"; });

} // namespace
