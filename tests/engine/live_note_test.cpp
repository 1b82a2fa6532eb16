// Live notes, mutes and the meters they move: slot choice, the VU level and spectrum
// rise, decay by the display tick, and what muting flattens.
#include "engine_handle.h"
#include "mod_builder.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <array>

using namespace vxtest;

namespace {

class LiveNotes : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Slot 1 volume 10, slot 2 volume 64, slot 3 empty; 15 slots in use.
        const auto path = dir.write("m.mod", ModBuilder(15)
                                                 .sample(1, {.lengthWords = 50, .volume = 10})
                                                 .sample(2, {.lengthWords = 50, .volume = 64})
                                                 .sample(3, {.lengthWords = 0, .volume = 64})
                                                 .build());
        ASSERT_EQ(vxa_mod_load(mod.get(), path.c_str()), 0);
    }
    vxa_status status()
    {
        vxa_status out{};
        vxa_mod_get_status(mod.get(), &out);
        return out;
    }
    std::array<uint8_t, 24> bars()
    {
        std::array<uint8_t, 24> out{};
        vxa_mod_get_spectrum(mod.get(), out.data());
        return out;
    }

    TempDir dir;
    ModHandle mod = createMod();
};

} // namespace

TEST_F(LiveNotes, slotChoice_fallsBackToSlotOne)
{
    vxa_mod_trigger(mod.get(), 0, 13, 2);
    EXPECT_EQ(status().chan_volume[0], 64);
    vxa_mod_trigger(mod.get(), 0, 13, 0);
    EXPECT_EQ(status().chan_volume[0], 10);
    vxa_mod_trigger(mod.get(), 1, 13, 16); // above the 15 slots in use
    EXPECT_EQ(status().chan_volume[1], 10);
    vxa_mod_trigger(mod.get(), 2, 13, 3); // an empty slot: silent, meters still
    EXPECT_EQ(status().chan_volume[2], 0);
    EXPECT_EQ(status().vu[2], 0);
}

TEST_F(LiveNotes, badArguments_changeNothing)
{
    vxa_mod_trigger(mod.get(), 0, 13, 2);
    vxa_mod_trigger(mod.get(), 0, 0, 2);
    vxa_mod_trigger(mod.get(), 0, 37, 2);
    vxa_mod_trigger(mod.get(), 4, 13, 2);
    vxa_mod_trigger(nullptr, 0, 13, 2);
    EXPECT_EQ(status().chan_volume[0], 64);
}

TEST(LiveNotesWithoutSamples, onlyClearTheChannel)
{
    ModHandle mod = createMod();
    vxa_mod_trigger(mod.get(), 0, 13, 1);
    vxa_status out{};
    vxa_mod_get_status(mod.get(), &out);
    EXPECT_EQ(out.vu[0], 0);
    EXPECT_EQ(out.chan_volume[0], 0);
}

TEST_F(LiveNotes, vuLevel_isTheSlotVolumeAtLeast18)
{
    vxa_mod_trigger(mod.get(), 0, 13, 1);
    vxa_mod_trigger(mod.get(), 1, 13, 2);
    EXPECT_EQ(status().vu[0], 18);
    EXPECT_EQ(status().vu[1], 64);
    vxa_mod_display_tick(mod.get());
    EXPECT_EQ(status().vu[0], 16);
    EXPECT_EQ(status().vu[1], 62);
    for (int i = 0; i < 40; ++i)
        vxa_mod_display_tick(mod.get());
    EXPECT_EQ(status().vu[1], 0);
}

TEST_F(LiveNotes, spectrumBar_risesInThreeStepsAndDecays)
{
    // Note 13 (C-2) lights bar 7, read out at half height.
    vxa_mod_trigger(mod.get(), 0, 13, 2);
    EXPECT_EQ(bars()[7], 18);
    vxa_mod_trigger(mod.get(), 0, 13, 2);
    EXPECT_EQ(bars()[7], 50);
    vxa_mod_trigger(mod.get(), 0, 13, 2);
    EXPECT_EQ(bars()[7], 59); // 100 + 64 / 8 + 10 = 118
    for (int i = 0; i < 3; ++i)
        vxa_mod_trigger(mod.get(), 0, 13, 2);
    EXPECT_EQ(bars()[7], 63); // 126 at most
    vxa_mod_display_tick(mod.get());
    EXPECT_EQ(bars()[7], 60); // 121
    std::array<uint8_t, 24> others = bars();
    others[7] = 0;
    EXPECT_EQ(others, (std::array<uint8_t, 24>{}));
}

TEST_F(LiveNotes, displayTickBetweenNotes_restartsTheRise)
{
    vxa_mod_trigger(mod.get(), 0, 36, 2); // bar 21
    vxa_mod_display_tick(mod.get());
    EXPECT_EQ(bars()[21], 15); // 36 - 5 = 31
    vxa_mod_trigger(mod.get(), 0, 36, 2);
    EXPECT_EQ(bars()[21], 18); // below 36 again: back to 36
}

TEST_F(LiveNotes, mutedChannel_restartsButMovesNoMeter)
{
    vxa_mod_set_mute(mod.get(), 3, 1);
    vxa_mod_trigger(mod.get(), 3, 13, 2);
    EXPECT_EQ(status().chan_volume[3], 64);
    EXPECT_EQ(status().vu[3], 0);
    EXPECT_EQ(bars()[7], 0);
}

TEST_F(LiveNotes, muting_dropsTheMeterAndFlattensTheScope)
{
    vxa_mod_trigger(mod.get(), 2, 13, 2);
    EXPECT_EQ(vxa_mod_toggle_mute(mod.get(), 2), 1);
    EXPECT_EQ(vxa_mod_chan_muted(mod.get(), 2), 1);
    EXPECT_EQ(status().vu[2], 0);
    EXPECT_EQ(status().muted[2], 1);
    std::array<uint8_t, 256> scope{};
    vxa_mod_get_scope(mod.get(), 2, scope.data(), 256);
    std::array<uint8_t, 256> flat;
    flat.fill(128);
    EXPECT_EQ(scope, flat); // a fresh context's rings start at 0
    EXPECT_EQ(vxa_mod_toggle_mute(mod.get(), 2), 0);
    EXPECT_EQ(vxa_mod_chan_muted(mod.get(), 2), 0);
    EXPECT_EQ(vxa_mod_toggle_mute(mod.get(), 4), 0);
    EXPECT_EQ(vxa_mod_chan_muted(mod.get(), 4), 0);
}

TEST_F(LiveNotes, cutChannel_silencesButLeavesTheMeters)
{
    vxa_mod_trigger(mod.get(), 1, 13, 2);
    vxa_mod_cut_channel(mod.get(), 1);
    EXPECT_EQ(status().chan_volume[1], 0);
    EXPECT_EQ(status().vu[1], 64);
}
