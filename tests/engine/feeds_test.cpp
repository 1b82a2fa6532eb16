// The read-only feeds: status record, texts, scope read-out and sample waveforms, and
// the neutral content every feed gives for a null handle or bad arguments.
#include "engine_handle.h"
#include "mod_builder.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace vxtest;

TEST(Feeds, nullHandle_givesNeutralContent)
{
    vxa_status status;
    std::memset(&status, 0xAB, sizeof status);
    vxa_mod_get_status(nullptr, &status);
    const vxa_status zero{};
    EXPECT_EQ(std::memcmp(&status, &zero, sizeof status), 0);
    vxa_mod_get_status(nullptr, nullptr);

    uint8_t bars[24];
    std::memset(bars, 0xAB, sizeof bars);
    vxa_mod_get_spectrum(nullptr, bars);
    EXPECT_EQ(bars[0], 0);
    EXPECT_EQ(bars[23], 0);

    uint8_t scope[4] = {1, 2, 3, 4};
    vxa_mod_get_scope(nullptr, 0, scope, 3);
    EXPECT_EQ(std::vector<uint8_t>(scope, scope + 4), (std::vector<uint8_t>{128, 128, 128, 4}));

    uint32_t minutes = 7, seconds = 7;
    vxa_mod_get_play_time(nullptr, &minutes, &seconds);
    EXPECT_EQ(minutes + seconds, 0u);
    vxa_mod_get_play_time(nullptr, nullptr, nullptr);

    EXPECT_STREQ(vxa_mod_title(nullptr), "");
    EXPECT_STREQ(vxa_mod_sample_name(nullptr, 1), "");
    EXPECT_EQ(vxa_mod_position(nullptr), 0);
    EXPECT_EQ(vxa_mod_order_length(nullptr), 0);
}

TEST(Feeds, status_reportsThePatternOnlyForPositionsInTheSong)
{
    TempDir dir;
    ModHandle mod = createMod();
    ASSERT_EQ(vxa_mod_load(mod.get(),
                           dir.write("a.mod", ModBuilder().song(2, 0, {1, 1}).build()).c_str()),
              0);
    vxa_status status{};
    vxa_mod_get_status(mod.get(), &status);
    EXPECT_EQ(status.pattern, 1u);
    EXPECT_EQ(status.song_length, 2);
    EXPECT_EQ(status.num_patterns, 2);
    EXPECT_EQ(status.speed, 6);
    EXPECT_EQ(status.tempo, 125);
    ASSERT_EQ(
        vxa_mod_load(mod.get(), dir.write("b.mod", ModBuilder().song(0, 0, {1}).build()).c_str()),
        0);
    vxa_mod_get_status(mod.get(), &status);
    EXPECT_EQ(status.pattern, 0u);
}

TEST(Feeds, sampleName_onlyForSlotsInUse)
{
    TempDir dir;
    ModHandle mod = createMod();
    ASSERT_EQ(
        vxa_mod_load(
            mod.get(),
            dir.write("a.mod", ModBuilder(31).title("T").sample(20, {.name = "TWENTY"}).build())
                .c_str()),
        0);
    ASSERT_EQ(vxa_mod_load(mod.get(),
                           dir.write("b.mod", ModBuilder(15).title("FIFTEEN").build()).c_str()),
              0);
    EXPECT_STREQ(vxa_mod_sample_name(mod.get(), 20), ""); // the name is still in the slot
    EXPECT_STREQ(vxa_mod_title(mod.get()), "FIFTEEN");
    vxa_mod_set_sample_name(mod.get(), 15, "LAST");
    EXPECT_STREQ(vxa_mod_sample_name(mod.get(), 15), "LAST");
    EXPECT_STREQ(vxa_mod_sample_name(mod.get(), 0), "");
}

TEST(Feeds, sampleWave_decimatesByPickingTheFirstByteOfEachSpan)
{
    TempDir dir;
    ModHandle mod = createMod();
    ASSERT_EQ(vxa_mod_load_sample(mod.get(), 1, dir.write("s.raw", {10, 20, 30, 40}).c_str()), 0);
    std::vector<uint8_t> out(8);
    ASSERT_EQ(vxa_mod_get_sample_wave(mod.get(), 1, out.data(), 8), 0);
    // Raw 10, 20, 30, 40 stays as read (signed); shown with the top bit flipped.
    EXPECT_EQ(out, (std::vector<uint8_t>{138, 138, 148, 148, 158, 158, 168, 168}));

    std::vector<uint8_t> ramp(1000);
    for (size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<uint8_t>(i / 4);
    ASSERT_EQ(vxa_mod_load_sample(mod.get(), 2, dir.write("r.raw", ramp).c_str()), 0);
    std::vector<uint8_t> wide(256);
    ASSERT_EQ(vxa_mod_get_sample_wave(mod.get(), 2, wide.data(), 256), 0);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(wide[i], i * 1000 / 256 / 4) << i; // a smooth unsigned ramp, shown as read

    std::vector<uint8_t> empty(5, 0);
    EXPECT_EQ(vxa_mod_get_sample_wave(mod.get(), 30, empty.data(), 5), 0);
    EXPECT_EQ(empty, std::vector<uint8_t>(5, 128));
    EXPECT_EQ(vxa_mod_get_sample_wave(mod.get(), 0, empty.data(), 5), -1);
    EXPECT_EQ(vxa_mod_get_sample_wave(mod.get(), 32, empty.data(), 5), -1);
    EXPECT_EQ(vxa_mod_get_sample_wave(mod.get(), 1, empty.data(), 0), -1);
}

TEST(Feeds, scope_readsTheNewestValuesOldestFirst)
{
    // A 2000-byte ramp played at period 113 (about 0.71 bytes a frame) changes value on
    // most frames, so the ring's order shows.
    TempDir dir;
    ModHandle mod = createMod();
    std::vector<uint8_t> ramp(2000);
    for (size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<uint8_t>(i / 8);
    ASSERT_EQ(vxa_mod_load(mod.get(), dir.write("a.mod", ModBuilder()
                                                             .sample(1, {.lengthWords = 1000})
                                                             .sampleData(1, ramp)
                                                             .note(0, 0, 0, 113, 1)
                                                             .build())
                                          .c_str()),
              0);
    vxa_mod_play(mod.get());
    std::vector<float> out(2 * 1000);
    vxa_mod_render(mod.get(), out.data(), 1000);

    std::vector<uint8_t> newest(128);
    vxa_mod_get_scope(mod.get(), 0, newest.data(), 128);
    std::vector<uint8_t> all(300, 7);
    vxa_mod_get_scope(mod.get(), 0, all.data(), 300);
    EXPECT_EQ(all[256], 7); // only 256 values exist
    EXPECT_TRUE(std::equal(newest.begin(), newest.end(), all.begin() + 128));
    EXPECT_TRUE(std::is_sorted(all.begin(), all.begin() + 256)); // a rising ramp
    vxa_status status{};
    vxa_mod_get_status(mod.get(), &status);
    EXPECT_EQ(newest[127], status.chan_out[0]); // the last frame is the newest
    EXPECT_GT(newest[127], newest[0]);

    std::vector<uint8_t> flat(5, 0);
    vxa_mod_get_scope(mod.get(), 4, flat.data(), 5);
    EXPECT_EQ(flat, std::vector<uint8_t>(5, 128));
}

TEST(Feeds, playTime_standsStillAfterStopAndRestartsWithPlay)
{
    TempDir dir;
    ModHandle mod = createMod();
    ASSERT_EQ(vxa_mod_load(mod.get(), dir.write("a.mod", ModBuilder().build()).c_str()), 0);
    vxa_mod_play(mod.get());
    std::vector<float> out(2 * 44100);
    for (int second = 0; second < 60; ++second)
        vxa_mod_render(mod.get(), out.data(), 44100);
    uint32_t minutes = 0, seconds = 0;
    vxa_mod_get_play_time(mod.get(), &minutes, &seconds);
    EXPECT_EQ(minutes, 1u);
    EXPECT_EQ(seconds, 0u);
    vxa_mod_stop(mod.get());
    vxa_mod_render(mod.get(), out.data(), 44100);
    vxa_mod_get_play_time(mod.get(), &minutes, &seconds);
    EXPECT_EQ(minutes * 60 + seconds, 60u);
    vxa_mod_play(mod.get());
    vxa_mod_get_play_time(mod.get(), &minutes, &seconds);
    EXPECT_EQ(minutes + seconds, 0u);
}
