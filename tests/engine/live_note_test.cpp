// Live notes, mutes and the meters they move: slot choice, the VU level and spectrum
// rise, decay by the display tick, and what muting flattens.
#include "engine_fixture.h"

using namespace vxtest;

namespace {

class LiveNotes : public EngineTest {
protected:
    void SetUp() override
    {
        // Slot 1 volume 10, slot 2 volume 64, slot 3 empty; 15 slots in use.
        load(ModBuilder(15)
                 .sample(1, {.lengthWords = 50, .volume = 10})
                 .sample(2, {.lengthWords = 50, .volume = 64})
                 .sample(3, {.lengthWords = 0, .volume = 64}));
    }
    void trigger(uint32_t channel, uint32_t note, uint32_t sample)
    {
        vxa_mod_trigger(mod.get(), channel, note, sample);
    }
    std::pair<int, int> volumeAndVu(int c) const
    {
        return {status().chan_volume[c], status().vu[c]};
    }
};

} // namespace

TEST_F(LiveNotes, slotChoice_fallsBackToSlotOne_anEmptySlotIsSilentWithoutAMeter)
{
    const struct {
        uint32_t channel, sample;
        int volume, vu;
    } cases[] = {{0, 2, 64, 64}, {0, 0, 10, 18}, {1, 16, 10, 18}, {2, 3, 0, 0}}; // 16: above 15
    for (const auto &c : cases) {
        trigger(c.channel, 13, c.sample);
        EXPECT_EQ(volumeAndVu(c.channel), std::pair(c.volume, c.vu)) << c.sample;
    }
}

TEST_F(LiveNotes, badArgumentsOrNoSamples_changeNothing)
{
    trigger(0, 13, 2);
    trigger(0, 0, 2);
    trigger(0, 37, 2);
    trigger(4, 13, 2);
    EXPECT_EQ(status().chan_volume[0], 64);
    vxa_mod_unload(mod.get());
    mod->num_samples = 0;
    trigger(1, 13, 2);
    EXPECT_EQ(volumeAndVu(1), std::pair(0, 0));
}

TEST_F(LiveNotes, vuLevel_isTheSlotVolumeAtLeast18AndFalls2PerDisplayTick)
{
    trigger(0, 13, 1);
    trigger(1, 13, 2);
    vxa_mod_display_tick(mod.get());
    EXPECT_EQ(std::pair(int{status().vu[0]}, int{status().vu[1]}), std::pair(16, 62));
    for (int i = 0; i < 40; ++i)
        vxa_mod_display_tick(mod.get());
    EXPECT_EQ(status().vu[1], 0);
}

TEST_F(LiveNotes, spectrumBar_risesInThreeStepsAndDecays)
{
    // Note 13 (C-2) lights bar 7, read out at half height: 36, 100, 100 + 64 / 8 + 10
    // = 118, and 126 at most.
    std::vector<int> heights;
    for (int i = 0; i < 6; ++i) {
        trigger(0, 13, 2);
        heights.push_back(bars()[7]);
    }
    EXPECT_EQ(heights, (std::vector<int>{18, 50, 59, 63, 63, 63}));
    vxa_mod_display_tick(mod.get());
    std::array<uint8_t, 24> expected{};
    expected[7] = 60; // 121
    EXPECT_EQ(bars(), expected);
    trigger(0, 36, 2); // bar 21
    vxa_mod_display_tick(mod.get());
    EXPECT_EQ(bars()[21], 15); // 36 - 5 = 31
    trigger(0, 36, 2);
    EXPECT_EQ(bars()[21], 18); // below 36 again: back to 36
}

TEST_F(LiveNotes, muting_dropsTheMeterFlattensTheScopeAndKeepsNotesOffTheMeters)
{
    trigger(2, 13, 2);
    EXPECT_EQ(vxa_mod_toggle_mute(mod.get(), 2), 1);
    EXPECT_EQ(std::pair(vxa_mod_chan_muted(mod.get(), 2), int{status().muted[2]}), std::pair(1, 1));
    EXPECT_EQ(status().vu[2], 0);
    Bytes scope(256);
    vxa_mod_get_scope(mod.get(), 2, scope.data(), 256);
    EXPECT_EQ(scope, Bytes(256, 128)); // a fresh context's rings start at 0

    vxa_mod_set_mute(mod.get(), 3, 1);
    trigger(3, 36, 2);
    EXPECT_EQ(volumeAndVu(3), std::pair(64, 0));
    EXPECT_EQ(bars()[21], 0);

    EXPECT_EQ(vxa_mod_toggle_mute(mod.get(), 2), 0);
    EXPECT_EQ(vxa_mod_chan_muted(mod.get(), 2), 0);
    EXPECT_EQ(vxa_mod_toggle_mute(mod.get(), 4), 0);
    EXPECT_EQ(vxa_mod_chan_muted(mod.get(), 4), 0);
}

TEST_F(LiveNotes, cutChannel_silencesButLeavesTheMeters)
{
    trigger(1, 13, 2);
    vxa_mod_cut_channel(mod.get(), 1);
    EXPECT_EQ(volumeAndVu(1), std::pair(0, 64));
}
