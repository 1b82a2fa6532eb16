// The context's lifecycle and tables, null handles, starting and stopping playback, the
// status record, and the read-only feeds: texts, scope read-out and sample waveforms.
#include "engine_fixture.h"

#include <algorithm>
#include <cstring>
#include <tuple>

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
    EXPECT_EQ(std::tuple(mod->patterns, mod->num_patterns, mod->playing),
              std::tuple(nullptr, 0, 0));
    EXPECT_STREQ(mod->title, "");
    EXPECT_EQ(mod->samples[0].data, nullptr);
    EXPECT_STREQ(mod->samples[0].name, "LEAD");
    EXPECT_EQ(std::tuple(mod->samples[0].length, mod->num_samples, mod->song_length,
                         mod->restart_pos, mod->play_mode),
              std::tuple(16u, 31, 2, 1, 1));
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

namespace {

class Transport : public EngineTest {
protected:
    void SetUp() override
    {
        load(ModBuilder()
                 .sample(1, {.lengthWords = 1000, .volume = 50})
                 .song(3, 0, {0, 1, 2})
                 .note(1, 10, 2, kC2, 1));
    }
    // Plays position 1 from row 10, where channel 2 starts a note, into the note.
    void playIntoTheNote(int32_t mode, int32_t record)
    {
        mod->order_pos = 1;
        vxa_mod_play_mode_at(mod.get(), mode, record, 10);
        render(kRowFrames + 100);
        ASSERT_NE(channel(2).sample, nullptr);
        ASSERT_NE(status().vu[2], 0);
        ASSERT_NE(status().chan_out[2], 128);
    }
    bool channelsClear()
    {
        const vxa_channel clear[4]{};
        return std::memcmp(mod->channels, clear, sizeof clear) == 0;
    }
};

} // namespace

TEST_F(Transport, playCalls_storeModeAndRecordAsZeroOrOneAndLimitTheStartRow)
{
    const struct {
        int32_t mode, record, row, current;
        uint32_t storedMode, storedRecord;
        int32_t start;
    } cases[] = {{1, 0, 200, 0, 1, 0, 63},
                 {2, 0, -5, 12, 0, 0, 12},
                 {0, 5, -1, 10, 0, 1, 10},
                 {-1, -1, 7, 30, 0, 1, 7},
                 {1, 1, 0, 30, 1, 1, 0}};
    for (const auto &c : cases) {
        mod->row = c.current;
        vxa_mod_play_mode_at(mod.get(), c.mode, c.record, c.row);
        EXPECT_EQ(status().play_mode, c.storedMode) << c.mode;
        EXPECT_EQ(status().recording, c.storedRecord) << c.record;
        EXPECT_EQ(status().row, c.start) << c.row;
    }
    vxa_mod_play_mode(mod.get(), 1, 7);
    EXPECT_EQ(status().play_mode * 100 + status().recording * 10 + status().row, 110u);
    vxa_mod_play(mod.get());
    EXPECT_EQ(status().play_mode + status().recording, 0u);
}

TEST_F(Transport, playStopAndShutUp_clearTheChannelsAndMeters_keepingWhatEachKeeps)
{
    const struct {
        const char *what;
        void (*call)(vxa_mod *);
        uint32_t playing, recording, playMode;
        int32_t row, tick, rowARowLater;
        uint64_t framesPlayed;
    } cases[] = {
        {"play: from row 0 of the position", vxa_mod_play, 1, 0, 0, 0, 0, 1, 0},
        {"stop: no ticks afterwards", vxa_mod_stop, 0, 0, 1, 11, 1, 11, kRowFrames + 100},
        {"shut up: goes on playing", vxa_mod_shut_up, 1, 1, 1, 11, 1, 12, kRowFrames + 100},
    };
    for (const auto &c : cases) {
        playIntoTheNote(1, 1);
        c.call(mod.get());
        const vxa_status s = status();
        EXPECT_EQ(std::tuple(s.playing, s.recording, s.play_mode, s.order_pos, s.row, s.tick,
                             mod->frames_played, int{s.vu[2]}, channelsClear()),
                  std::tuple(c.playing, c.recording, c.playMode, 1, c.row, c.tick, c.framesPlayed,
                             0, true))
            << c.what;
        render(kRowFrames);
        EXPECT_EQ(std::pair(status().row, int{status().chan_out[2]}),
                  std::pair(c.rowARowLater, 128))
            << c.what;
    }
}

TEST(TransportWithoutModule, playIsIgnoredAndStopStillSilences)
{
    ModHandle mod = createMod();
    mod->chan_out[1] = 200;
    mod->vu[1] = 30;
    vxa_mod_play(mod.get());
    vxa_mod_play_mode_at(mod.get(), 1, 1, 3);
    EXPECT_EQ(mod->playing + mod->recording, 0);
    vxa_mod_stop(mod.get());
    EXPECT_EQ(std::tuple(int{mod->chan_out[1]}, int{mod->vu[1]}), std::tuple(128, 0));
}

TEST_F(Transport, status_copiesTheContextAndNamesPatternsOnlyInsideTheSong)
{
    mod->order_pos = 2;
    mod->channels[3].volume = 33;
    mod->muted[1] = 1;
    mod->frames_played = 44100ull * 3725; // 62:05
    const vxa_status s = status();
    EXPECT_EQ(std::tuple(s.order_pos, s.song_length, s.pattern, s.speed, s.tempo, s.num_patterns),
              std::tuple(2, 3, 2u, 6, 125, 3));
    EXPECT_EQ(std::tuple(int{s.chan_volume[3]}, int{s.muted[1]}, s.minutes, s.seconds),
              std::tuple(33, 1, 62u, 5u));
    mod->order_pos = 1;
    mod->song_length = 0;
    EXPECT_EQ(status().pattern, 0u);
}

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
