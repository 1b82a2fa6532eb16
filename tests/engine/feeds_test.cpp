// The read-only feeds: texts, scope read-out and sample waveforms, and the neutral
// content they give for bad arguments.
#include "engine_fixture.h"

#include <algorithm>

using namespace vxtest;

using Feeds = EngineTest;

TEST_F(Feeds, sampleName_onlyForSlotsInUse)
{
    load(ModBuilder(31).sample(20, {.name = "TWENTY"}));
    load(ModBuilder(15).title("FIFTEEN"));
    EXPECT_STREQ(vxa_mod_sample_name(mod.get(), 20), ""); // the name is still in the slot
    EXPECT_STREQ(vxa_mod_title(mod.get()), "FIFTEEN");
    vxa_mod_set_sample_name(mod.get(), 15, "LAST");
    EXPECT_STREQ(vxa_mod_sample_name(mod.get(), 15), "LAST");
    EXPECT_STREQ(vxa_mod_sample_name(mod.get(), 0), "");
}

TEST_F(Feeds, sampleWave_decimatesByPickingTheFirstByteOfEachSpan)
{
    ASSERT_EQ(loadSample(1, "s.raw", {10, 20, 30, 40}), 0);
    Bytes out(8);
    ASSERT_EQ(vxa_mod_get_sample_wave(mod.get(), 1, out.data(), 8), 0);
    // Raw 10, 20, 30, 40 stays as read (signed); shown with the top bit flipped.
    EXPECT_EQ(out, (Bytes{138, 138, 148, 148, 158, 158, 168, 168}));

    Bytes ramp(1000);
    for (size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<uint8_t>(i / 4);
    ASSERT_EQ(loadSample(2, "r.raw", ramp), 0);
    Bytes wide(256);
    ASSERT_EQ(vxa_mod_get_sample_wave(mod.get(), 2, wide.data(), 256), 0);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(wide[i], i * 1000 / 256 / 4) << i; // a smooth unsigned ramp, shown as read

    Bytes empty(5, 0);
    EXPECT_EQ(vxa_mod_get_sample_wave(mod.get(), 30, empty.data(), 5), 0);
    EXPECT_EQ(empty, Bytes(5, 128));
    for (const auto &[slot, width] : {std::pair{0, 5}, {32, 5}, {1, 0}})
        EXPECT_EQ(vxa_mod_get_sample_wave(mod.get(), slot, empty.data(), width), -1);
}

TEST_F(Feeds, scope_readsTheNewestValuesOldestFirst)
{
    // A ramp played at period 113 (about 0.71 bytes a frame) changes value on most
    // frames, so the ring's order shows.
    Bytes ramp(2000);
    for (size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<uint8_t>(i / 8);
    load(ModBuilder().sample(1, {.lengthWords = 1000}).sampleData(1, ramp).note(0, 0, 0, kB3, 1));
    vxa_mod_play(mod.get());
    render(1000);
    Bytes newest(128);
    vxa_mod_get_scope(mod.get(), 0, newest.data(), 128);
    Bytes all(300, 7);
    vxa_mod_get_scope(mod.get(), 0, all.data(), 300);
    EXPECT_EQ(all[256], 7); // only 256 values exist
    EXPECT_TRUE(std::equal(newest.begin(), newest.end(), all.begin() + 128));
    EXPECT_TRUE(std::is_sorted(all.begin(), all.begin() + 256)); // a rising ramp
    EXPECT_EQ(newest[127], status().chan_out[0]);                // the last frame is the newest
    EXPECT_GT(newest[127], newest[0]);

    Bytes flat(5, 0);
    vxa_mod_get_scope(mod.get(), 4, flat.data(), 5);
    EXPECT_EQ(flat, Bytes(5, 128));
}
