// The demo song played through the engine from its first position: it passes every
// song position once, comes back to its restart position at the speed and tempo it
// had there, takes one to two minutes, and every channel sounds in every position.
#include "demo_paths.h"
#include "engine_handle.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

using namespace vxtest;

namespace {

constexpr int32_t kRate = 44100;
constexpr int32_t kBlockFrames = 64;          // status is read after every block
constexpr int64_t kLimitFrames = 600 * kRate; // a song that never loops fails, not hangs
constexpr int kChannels = 4;
constexpr uint8_t kSilence = 128;

struct PositionVisit {
    int32_t position = 0;
    int32_t speed = 0;
    int32_t tempo = 0;
    std::array<bool, kChannels> sounded{};
};

// Every position reached, in order, with the speed and tempo on arrival and the
// channels heard while it played; the last entry is where the song looped to.
struct SongRun {
    std::vector<PositionVisit> visits;
    int64_t framesToLoop = 0;
};

// Plays from the first position until the song position goes backwards.
SongRun playUntilLoop(vxa_mod *mod)
{
    SongRun run;
    std::vector<float> block(2 * kBlockFrames);
    vxa_mod_play(mod);
    vxa_status status{};
    for (int64_t frames = 0; frames < kLimitFrames; frames += kBlockFrames) {
        vxa_mod_render(mod, block.data(), kBlockFrames);
        vxa_mod_get_status(mod, &status);
        const bool moved = run.visits.empty() || status.order_pos != run.visits.back().position;
        if (moved)
            run.visits.push_back({status.order_pos, status.speed, status.tempo, {}});
        if (moved && run.visits.size() > 1 &&
            status.order_pos < run.visits[run.visits.size() - 2].position) {
            run.framesToLoop = frames;
            return run;
        }
        for (int c = 0; c < kChannels; ++c)
            run.visits.back().sounded[c] |= status.chan_out[c] != kSilence;
    }
    return run;
}

class DemoSong : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(vxa_mod_load(mod_.get(), kDemoModulePath.c_str()), 0);
        run_ = playUntilLoop(mod_.get());
        ASSERT_GT(run_.framesToLoop, 0) << "the song did not loop within ten minutes";
    }

    ModHandle mod_ = createMod(kRate);
    SongRun run_;
};

} // namespace

TEST_F(DemoSong, passesEveryPositionOnceThenLoopsToItsRestart)
{
    const int32_t length = vxa_mod_order_length(mod_.get());
    ASSERT_EQ(static_cast<int32_t>(run_.visits.size()), length + 1);
    for (int32_t p = 0; p < length; ++p)
        EXPECT_EQ(run_.visits[static_cast<size_t>(p)].position, p);
    const int32_t restart = vxa_mod_restart(mod_.get());
    EXPECT_GT(restart, 0) << "the introduction should play only once";
    const PositionVisit &first = run_.visits[static_cast<size_t>(restart)];
    const PositionVisit &again = run_.visits.back();
    EXPECT_EQ(again.position, restart);
    EXPECT_EQ(again.speed, first.speed);
    EXPECT_EQ(again.tempo, first.tempo);
}

TEST_F(DemoSong, lastsOneToTwoMinutes)
{
    EXPECT_GE(run_.framesToLoop, 60 * kRate);
    EXPECT_LE(run_.framesToLoop, 120 * kRate);
}

TEST_F(DemoSong, everyChannelSoundsInEveryPosition)
{
    for (size_t v = 0; v + 1 < run_.visits.size(); ++v) {
        for (int c = 0; c < kChannels; ++c)
            EXPECT_TRUE(run_.visits[v].sounded[c])
                << "channel " << c + 1 << " is silent at position " << run_.visits[v].position;
    }
}
