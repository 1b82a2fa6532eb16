// Starting, stopping and silencing playback, and the status record.
#include "engine_fixture.h"

#include <cstring>

using namespace vxtest;

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

TEST_F(Transport, play_startsFromACleanSlateAtTheCurrentPosition)
{
    playIntoTheNote(0, 0);
    vxa_mod_play(mod.get());
    EXPECT_EQ(status().playing, 1u);
    EXPECT_EQ(status().order_pos, 1);
    EXPECT_EQ(status().row, 0);
    EXPECT_EQ(status().tick, 0);
    EXPECT_EQ(mod->tick_countdown, 0.0);
    EXPECT_EQ(mod->frames_played, 0u);
    EXPECT_EQ(status().vu[2], 0);
    EXPECT_TRUE(channelsClear());
}

TEST_F(Transport, stop_silencesButKeepsThePosition)
{
    playIntoTheNote(1, 1);
    vxa_mod_stop(mod.get());
    const vxa_status s = status();
    EXPECT_EQ(s.playing, 0u);
    EXPECT_EQ(s.recording, 0u);
    EXPECT_EQ(s.play_mode, 1u);
    EXPECT_EQ(s.order_pos, 1);
    EXPECT_EQ(s.row, 11);
    EXPECT_EQ(mod->frames_played, kRowFrames + 100u);
    EXPECT_EQ(s.vu[2], 0);
    EXPECT_EQ(s.chan_out[2], 128);
    EXPECT_TRUE(channelsClear());
    render(kRowFrames);
    EXPECT_EQ(status().row, 11); // no ticks while stopped
}

TEST_F(Transport, shutUp_silencesTheChannelsButKeepsPlaying)
{
    playIntoTheNote(0, 1);
    vxa_mod_shut_up(mod.get());
    EXPECT_EQ(status().playing, 1u);
    EXPECT_EQ(status().recording, 1u);
    EXPECT_EQ(status().vu[2], 0);
    EXPECT_TRUE(channelsClear());
    render(kRowFrames);
    EXPECT_EQ(status().row, 12);
    EXPECT_EQ(status().chan_out[2], 128);
}

TEST(TransportWithoutModule, playIsIgnoredAndStopStillSilences)
{
    ModHandle mod = createMod();
    mod->chan_out[1] = 200;
    mod->vu[1] = 30;
    vxa_mod_play(mod.get());
    vxa_mod_play_mode_at(mod.get(), 1, 1, 3);
    EXPECT_EQ(mod->playing, 0);
    EXPECT_EQ(mod->recording, 0);
    vxa_mod_stop(mod.get());
    EXPECT_EQ(mod->chan_out[1], 128);
    EXPECT_EQ(mod->vu[1], 0);
}

TEST_F(Transport, status_copiesTheContextAndNamesPatternsOnlyInsideTheSong)
{
    mod->order_pos = 2;
    mod->channels[3].volume = 33;
    mod->muted[1] = 1;
    mod->frames_played = 44100ull * 3725; // 62:05
    const vxa_status s = status();
    EXPECT_EQ(s.order_pos, 2);
    EXPECT_EQ(s.song_length, 3);
    EXPECT_EQ(s.pattern, 2u);
    EXPECT_EQ(s.speed, 6);
    EXPECT_EQ(s.tempo, 125);
    EXPECT_EQ(s.num_patterns, 3);
    EXPECT_EQ(s.chan_volume[3], 33);
    EXPECT_EQ(s.muted[1], 1);
    EXPECT_EQ(s.minutes, 62u);
    EXPECT_EQ(s.seconds, 5u);
    mod->order_pos = 1;
    mod->song_length = 0;
    EXPECT_EQ(status().pattern, 0u);
}
