// Row and tick timing: when rows start, how speed and tempo change the tick length, the
// play timer, and the frame count to the next row start that the render tool relies on.
#include "engine_fixture.h"
#include "render.h"

using namespace vxtest;

namespace {

// A module whose slot 1 holds a constant positive value, so the first sounding frame
// shows exactly when a note starts.
ModBuilder constantSampleModule()
{
    ModBuilder builder;
    builder.sample(
        1, {.lengthWords = 2000, .volume = 64, .loopStartWords = 0, .loopLengthWords = 2000});
    builder.sampleData(1, std::vector<uint8_t>(4000, 0x40));
    return builder;
}

int firstSoundingFrame(const std::vector<float> &out)
{
    for (size_t i = 0; i < out.size(); i += 2) {
        if (out[i] != 0.0f)
            return static_cast<int>(i / 2);
    }
    return -1;
}

using Timing = EngineTest;

} // namespace

TEST_F(Timing, speedAndTempoCommands_decideWhenTheNextRowStarts)
{
    const struct {
        uint8_t effect, param;
        int speed, tempo, rowStartFrame;
    } cases[] = {
        {0x0, 0x00, 6, 125, 6 * 882},     // 882 frames per tick
        {0xF, 0x00, 6, 125, 6 * 882},     // F 00 changes nothing
        {0xF, 0x03, 3, 125, 3 * 882},     // speed 3
        {0xF, 0x01, 1, 125, 882},         // speed 1
        {0xF, 0x1F, 31, 125, 31 * 882},   // the highest speed
        {0xF, 0x82, 6, 130, 5089},        // ticks of 849, then 848 frames: 848.08 carried
        {0xF, 0x20, 6, 32, 6 * 3445 + 2}, // 3445.3125 frames per tick
        {0xF, 0xFF, 6, 255, 2595},        // 432.35 frames per tick
    };
    for (const auto &c : cases) {
        load(constantSampleModule().note(0, 0, 3, 0, 0, c.effect, c.param).note(0, 1, 0, kC2, 1));
        vxa_mod_play(mod.get());
        EXPECT_EQ(firstSoundingFrame(render(30000)), c.rowStartFrame) << int(c.param);
        EXPECT_EQ(status().speed, c.speed) << int(c.param);
        EXPECT_EQ(status().tempo, c.tempo) << int(c.param);
    }
}

TEST_F(Timing, firstFrameAfterPlay_processesTheStartRow)
{
    load(constantSampleModule().note(0, 5, 1, kC2, 1));
    vxa_mod_play_mode_at(mod.get(), 0, 0, 5);
    EXPECT_EQ(firstSoundingFrame(render(10)), 0);
    EXPECT_EQ(status().tick, 1);
}

TEST_F(Timing, playTime_countsFramesOnlyWhilePlayingAndRestartsWithPlay)
{
    load(ModBuilder());
    render(1000); // not playing yet
    EXPECT_EQ(mod->frames_played, 0u);
    vxa_mod_play(mod.get());
    for (int i = 0; i < 61; ++i)
        render(44100);
    render(44099); // 61.99 s
    uint32_t minutes = 0, seconds = 0;
    vxa_mod_get_play_time(mod.get(), &minutes, &seconds);
    EXPECT_EQ(minutes * 100 + seconds, 101u);
    EXPECT_EQ(status().minutes * 100 + status().seconds, 101u);
    vxa_mod_stop(mod.get());
    render(44100);
    EXPECT_EQ(status().minutes * 100 + status().seconds, 101u);
    vxa_mod_play(mod.get());
    EXPECT_EQ(status().minutes + status().seconds, 0u);
}

TEST_F(Timing, framesToRowStart_countsDownToTheNextRow)
{
    load(ModBuilder().note(0, 1, 0, 0, 0, 0xF, 0x82).note(0, 1, 1, 0, 0, 0xF, 0x02));
    vxa_mod_play(mod.get());
    EXPECT_EQ(vx_render_frames_to_row_start(mod.get()), 0);
    render(1);
    EXPECT_EQ(vx_render_frames_to_row_start(mod.get()), 5291);
    render(5000);
    EXPECT_EQ(vx_render_frames_to_row_start(mod.get()), 291);
    render(291);
    EXPECT_EQ(vx_render_frames_to_row_start(mod.get()), 0);
    render(1); // row 1: speed 2, tempo 130
    EXPECT_EQ(vx_render_frames_to_row_start(mod.get()), 849 + 848 - 1);
}

TEST_F(Timing, editDuringARow_actsFromTheNextTick)
{
    load(ModBuilder().sample(1, {.lengthWords = 100, .volume = 40}).note(0, 0, 0, kC2, 1));
    vxa_mod_play(mod.get());
    render(882);            // the row start
    mod->patterns[2] = 0xA; // volume slide up by 4 from now on
    mod->patterns[3] = 0x40;
    render(882 * 2);
    EXPECT_EQ(channel(0).volume, 48);
}
