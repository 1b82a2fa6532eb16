// Creating, unloading and destroying the engine context, and the tables built at create.
#include "engine_handle.h"
#include "mod_builder.h"
#include "temp_dir.h"
#include "vxa_mod_internal.h"

#include <gtest/gtest.h>

using namespace vxtest;

TEST(ContextCreate, nonPositiveRate_fallsBackTo44100)
{
    for (int32_t rate : {0, -1, -44100}) {
        ModHandle mod = createMod(rate);
        ASSERT_NE(mod, nullptr);
        EXPECT_EQ(mod->rate, 44100) << rate;
        EXPECT_DOUBLE_EQ(mod->frames_per_tick, 882.0) << rate;
    }
}

TEST(ContextCreate, tickLength_followsRate)
{
    EXPECT_DOUBLE_EQ(createMod(48000)->frames_per_tick, 960.0);
    EXPECT_DOUBLE_EQ(createMod(22050)->frames_per_tick, 441.0);
}

TEST(ContextCreate, startsStoppedAndEmpty_withNoPendingJumps)
{
    ModHandle mod = createMod();
    EXPECT_EQ(mod->patterns, nullptr);
    EXPECT_EQ(mod->num_patterns, 0);
    EXPECT_EQ(mod->num_samples, 0);
    EXPECT_EQ(mod->playing, 0);
    EXPECT_EQ(mod->speed, 6);
    EXPECT_EQ(mod->tempo, 125);
    EXPECT_EQ(mod->break_row, -1);
    EXPECT_EQ(mod->jump_order, -1);
    EXPECT_STREQ(mod->title, "");
}

TEST(ContextCreate, volumeTable_scalesSignedSamplesTruncatingTowardZero)
{
    ModHandle mod = createMod();
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(mod->vol_table[0][b], 128) << b;
        EXPECT_EQ(mod->vol_table[64][b], b ^ 0x80) << b;
    }
    EXPECT_EQ(mod->vol_table[64][0x80], 0);
    EXPECT_EQ(mod->vol_table[64][0x7F], 255);
    EXPECT_EQ(mod->vol_table[32][0xFF], 128); // -1 * 32 / 64 truncates to 0
    EXPECT_EQ(mod->vol_table[1][0x80], 126);  // -128 / 64 = -2
    EXPECT_EQ(mod->vol_table[33][0x81], 63);  // -127 * 33 / 64 = -65.48 -> -65
}

TEST(ContextUnload, freesDataButKeepsSlotHeadersAndSong)
{
    TempDir dir;
    const auto path =
        dir.write("a.mod", ModBuilder()
                               .title("KEEP")
                               .sample(1, {.name = "LEAD", .lengthWords = 8, .volume = 40})
                               .song(2, 1, {0, 1})
                               .build());
    ModHandle mod = createMod();
    ASSERT_EQ(vxa_mod_load(mod.get(), path.c_str()), 0);
    mod->playing = 1;
    mod->play_mode = 1;

    vxa_mod_unload(mod.get());
    vxa_mod_unload(mod.get()); // a second unload is harmless

    EXPECT_EQ(mod->patterns, nullptr);
    EXPECT_EQ(mod->num_patterns, 0);
    EXPECT_EQ(mod->playing, 0);
    EXPECT_STREQ(mod->title, "");
    EXPECT_EQ(mod->samples[0].data, nullptr);
    EXPECT_STREQ(mod->samples[0].name, "LEAD");
    EXPECT_EQ(mod->samples[0].length, 16u);
    EXPECT_EQ(mod->num_samples, 31);
    EXPECT_EQ(mod->song_length, 2);
    EXPECT_EQ(mod->restart_pos, 1);
    EXPECT_EQ(mod->play_mode, 1);
}

TEST(ContextNullHandle, lifecycleCallsIgnoreIt)
{
    vxa_mod_unload(nullptr);
    vxa_mod_destroy(nullptr);
    EXPECT_EQ(vxa_mod_load(nullptr, "x.mod"), -1);
    EXPECT_EQ(vxa_mod_save(nullptr, "x.mod"), -1);
}
