// Creating, unloading and destroying the engine context, the tables built at create, and
// the neutral result every call gives for a null handle.
#include "engine_fixture.h"

#include <cstring>

using namespace vxtest;

TEST(ContextCreate, tickLengthFollowsTheRateAndNonPositiveRatesMean44100)
{
    const struct {
        int32_t rate, used;
        double framesPerTick;
    } cases[] = {
        {0, 44100, 882.0}, {-44100, 44100, 882.0}, {48000, 48000, 960.0}, {22050, 22050, 441.0}};
    for (const auto &c : cases) {
        ModHandle mod = createMod(c.rate);
        ASSERT_NE(mod, nullptr);
        EXPECT_EQ(mod->rate, c.used) << c.rate;
        EXPECT_DOUBLE_EQ(mod->frames_per_tick, c.framesPerTick) << c.rate;
    }
}

TEST(ContextCreate, volumeTable_scalesSignedSamplesTruncatingTowardZero)
{
    ModHandle mod = createMod();
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(mod->vol_table[0][b], 128) << b;
        EXPECT_EQ(mod->vol_table[64][b], b ^ 0x80) << b;
    }
    EXPECT_EQ(mod->vol_table[32][0xFF], 128); // -1 * 32 / 64 truncates to 0
    EXPECT_EQ(mod->vol_table[1][0x80], 126);  // -128 / 64 = -2
    EXPECT_EQ(mod->vol_table[33][0x81], 63);  // -127 * 33 / 64 = -65.48 -> -65
    EXPECT_EQ(mod->vol_table[33][0x7F], 193); // 127 * 33 / 64 = 65.48 -> 65
}

using ContextUnload = EngineTest;

TEST_F(ContextUnload, freesDataButKeepsSlotHeadersAndSong)
{
    load(ModBuilder()
             .title("KEEP")
             .sample(1, {.name = "LEAD", .lengthWords = 8, .volume = 40})
             .song(2, 1, {0, 1}));
    vxa_mod_play_mode(mod.get(), 1, 0);
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

TEST(NullHandle, everyCallDoesNothingAndGivesItsNeutralResult)
{
    vxa_mod *none = nullptr;
    vxa_mod_unload(none);
    vxa_mod_destroy(none);
    EXPECT_EQ(vxa_mod_load(none, "x.mod"), -1);
    EXPECT_EQ(vxa_mod_save(none, "x.mod"), -1);
    float out[4] = {5, 5, 5, 5};
    vxa_mod_render(none, out, 2);
    EXPECT_EQ(out[0], 5.0f);
    vxa_mod_play(none);
    vxa_mod_play_mode(none, 1, 1);
    vxa_mod_play_mode_at(none, 1, 1, 1);
    vxa_mod_stop(none);
    vxa_mod_shut_up(none);
    vxa_mod_trigger(none, 0, 13, 2);
    vxa_cell cell{9, 9, 9, 9};
    EXPECT_EQ(vxa_mod_get_cell(none, 0, 0, 0, &cell), -1);
    EXPECT_EQ(vxa_mod_load_sample(none, 1, "x.raw"), -1);
    EXPECT_EQ(cell.note, 9);

    vxa_status status;
    std::memset(&status, 0xAB, sizeof status);
    vxa_mod_get_status(none, &status);
    const vxa_status zero{};
    EXPECT_EQ(std::memcmp(&status, &zero, sizeof status), 0);
    uint8_t bars[24];
    std::memset(bars, 0xAB, sizeof bars);
    vxa_mod_get_spectrum(none, bars);
    EXPECT_EQ(bars[0] + bars[23], 0);
    uint8_t scope[4] = {1, 2, 3, 4};
    vxa_mod_get_scope(none, 0, scope, 3);
    EXPECT_EQ(Bytes(scope, scope + 4), (Bytes{128, 128, 128, 4}));
    uint32_t minutes = 7, seconds = 7;
    vxa_mod_get_play_time(none, &minutes, &seconds);
    EXPECT_EQ(minutes + seconds, 0u);
    EXPECT_STREQ(vxa_mod_title(none), "");
    EXPECT_STREQ(vxa_mod_sample_name(none, 1), "");
    EXPECT_EQ(vxa_mod_position(none) + vxa_mod_order_length(none) + vxa_mod_restart(none), 0);
    EXPECT_EQ(vxa_mod_is_playing(none) + vxa_mod_is_recording(none), 0);
}

TEST(NullArguments, areIgnored)
{
    ModHandle mod = createMod();
    float out[4] = {5, 5, 5, 5};
    vxa_mod_render(mod.get(), out, 0);
    vxa_mod_render(mod.get(), out, -3);
    vxa_mod_render(mod.get(), nullptr, 2);
    EXPECT_EQ(out[3], 5.0f);
    EXPECT_EQ(mod->scope_pos, 0);
    vxa_mod_get_status(mod.get(), nullptr);
    vxa_mod_get_play_time(mod.get(), nullptr, nullptr);
}
