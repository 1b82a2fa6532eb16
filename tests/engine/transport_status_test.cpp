// Starting and stopping playback, and the status record.
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
};

} // namespace

TEST_F(Transport, playAt_limitsTheRowOrKeepsTheCurrentOne)
{
    struct Case {
        int32_t row;
        int32_t current;
        int32_t start;
    } cases[] = {{200, 0, 63}, {-5, 12, 12}, {-1, 10, 10}, {7, 30, 7}, {0, 30, 0}};
    for (const Case &c : cases) {
        mod->row = c.current;
        vxa_mod_play_mode_at(mod.get(), 1, 0, c.row);
        EXPECT_EQ(status().row, c.start) << c.row;
    }
}

TEST_F(Transport, playModeAndRecordFlag_areStoredAsZeroOrOne)
{
    struct Case {
        int32_t mode;
        int32_t record;
        uint32_t storedMode;
        uint32_t storedRecord;
    } cases[] = {{1, 0, 1, 0}, {2, 0, 0, 0}, {0, 5, 0, 1}, {-1, -1, 0, 1}, {1, 1, 1, 1}};
    for (const Case &c : cases) {
        vxa_mod_play_mode(mod.get(), c.mode, c.record);
        EXPECT_EQ(status().play_mode, c.storedMode) << c.mode;
        EXPECT_EQ(status().recording, c.storedRecord) << c.record;
    }
    vxa_mod_play(mod.get());
    EXPECT_EQ(status().play_mode, 0u);
    EXPECT_EQ(status().recording, 0u);
}

TEST_F(Transport, play_startsFromACleanSlateAtTheCurrentPosition)
{
    mod->order_pos = 1;
    vxa_mod_play_mode_at(mod.get(), 0, 0, 10);
    render(30000);
    ASSERT_NE(channel(2).sample, nullptr);
    ASSERT_NE(status().vu[2], 0);
    vxa_mod_play(mod.get());
    EXPECT_EQ(status().playing, 1u);
    EXPECT_EQ(status().order_pos, 1);
    EXPECT_EQ(status().row, 0);
    EXPECT_EQ(status().tick, 0);
    EXPECT_EQ(mod->tick_countdown, 0.0);
    EXPECT_EQ(mod->frames_played, 0u);
    EXPECT_EQ(status().vu[2], 0);
    const vxa_channel clear{};
    EXPECT_EQ(std::memcmp(&channel(2), &clear, sizeof clear), 0);
}

TEST_F(Transport, stop_silencesButKeepsThePosition)
{
    vxa_mod_play_mode(mod.get(), 1, 1);
    mod->order_pos = 1;
    render(5292 * 10 + 100);
    vxa_mod_stop(mod.get());
    const vxa_status s = status();
    EXPECT_EQ(s.playing, 0u);
    EXPECT_EQ(s.recording, 0u);
    EXPECT_EQ(s.play_mode, 1u);
    EXPECT_EQ(s.order_pos, 1);
    EXPECT_EQ(s.row, 10);
    EXPECT_EQ(mod->frames_played, 5292u * 10 + 100);
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(s.chan_out[c], 128);
        EXPECT_EQ(s.vu[c], 0);
        EXPECT_EQ(channel(c).sample, nullptr);
    }
    render(5292);
    EXPECT_EQ(status().row, 10); // no ticks while stopped
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
    vxa_mod_play(nullptr);
    vxa_mod_play_mode(nullptr, 1, 1);
    vxa_mod_play_mode_at(nullptr, 1, 1, 1);
    vxa_mod_stop(nullptr);
}

TEST_F(Transport, status_copiesTheContext)
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
}

TEST_F(Transport, status_patternIsZeroOutsideTheSong)
{
    mod->order_pos = 1;
    mod->song_length = 0;
    EXPECT_EQ(status().pattern, 0u);
}

TEST(StatusWithoutContext, nullHandleGivesAZeroRecordAndNullRecordIsIgnored)
{
    vxa_status s;
    std::memset(&s, 0xAB, sizeof s);
    vxa_mod_get_status(nullptr, &s);
    const vxa_status zero{};
    EXPECT_EQ(std::memcmp(&s, &zero, sizeof s), 0);
    ModHandle mod = createMod();
    vxa_mod_get_status(mod.get(), nullptr);
}

TEST(RenderArguments, nullOrEmptyRequests_writeNothing)
{
    ModHandle mod = createMod();
    float out[4] = {5, 5, 5, 5};
    vxa_mod_render(nullptr, out, 2);
    vxa_mod_render(mod.get(), out, 0);
    vxa_mod_render(mod.get(), out, -3);
    vxa_mod_render(mod.get(), nullptr, 2);
    for (float v : out)
        EXPECT_EQ(v, 5.0f);
    EXPECT_EQ(mod->scope_pos, 0);
}
