// Flow control (row advance, position jumps and pattern breaks and their interplay across
// channels, the song's end, pattern mode) and row and tick timing: when rows start, how
// speed and tempo change the tick length, the play timer, and edits during a row.
#include "engine_fixture.h"
#include "vxa_mod_extras.h"

using namespace vxtest;

namespace {

struct Cell {
    int channel;
    uint8_t effect;
    uint8_t param;
};

class Flow : public EngineTest {
protected:
    // A song of 4 positions (patterns 0, 1, 2, 3, restart 1) with the cells on `row` of
    // the pattern at `position`; plays from that row and returns where the next row is.
    std::pair<int, int> nextRowAfter(int position, int row, std::vector<Cell> cells, int mode)
    {
        ModBuilder builder;
        builder.song(4, 1, {0, 1, 2, 3});
        for (const Cell &c : cells)
            builder.note(position, row, c.channel, 0, 0, c.effect, c.param);
        load(builder);
        mod->order_pos = position;
        vxa_mod_play_mode_at(mod.get(), mode, 0, row);
        render(kRowFrames);
        return {status().order_pos, status().row};
    }
};

} // namespace

TEST_F(Flow, songMode_jumpsAndBreaks)
{
    struct Case {
        const char *what;
        int position;
        int row;
        std::vector<Cell> cells;
        std::pair<int, int> next;
    } cases[] = {
        {"plain row", 0, 5, {}, {0, 6}},
        {"last row", 0, 63, {}, {1, 0}},
        {"B then D", 0, 5, {{0, 0xB, 2}, {3, 0xD, 0x10}}, {2, 10}},
        {"D then B", 0, 5, {{0, 0xD, 0x10}, {3, 0xB, 2}}, {2, 0}},
        {"D 15 on the last row", 1, 63, {{1, 0xD, 0x15}}, {2, 15}},
        {"D 99 breaks to row 0", 0, 5, {{1, 0xD, 0x99}}, {1, 0}},
        {"D 64 breaks to row 0", 0, 5, {{1, 0xD, 0x64}}, {1, 0}},
        {"D 1A is row 20", 0, 5, {{1, 0xD, 0x1A}}, {1, 20}},
        {"D on the last position", 3, 5, {{2, 0xD, 0x07}}, {1, 7}},
        {"B beyond the song", 0, 5, {{2, 0xB, 9}}, {1, 0}},
        {"B to the song length", 0, 5, {{2, 0xB, 4}}, {1, 0}},
        {"end of the song", 3, 63, {}, {1, 0}},
        {"two Ds: the later row wins", 0, 5, {{0, 0xD, 0x03}, {2, 0xD, 0x04}}, {1, 4}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(nextRowAfter(c.position, c.row, c.cells, 0), c.next) << c.what;
}

TEST_F(Flow, patternMode_staysInThePattern)
{
    struct Case {
        const char *what;
        int row;
        std::vector<Cell> cells;
        std::pair<int, int> next;
    } cases[] = {
        {"plain row", 5, {}, {2, 6}},
        {"row 63 wraps", 63, {}, {2, 0}},
        {"B 05 breaks to row 0", 5, {{0, 0xB, 5}}, {2, 0}},
        {"D 32", 5, {{1, 0xD, 0x32}}, {2, 32}},
        {"B then D", 5, {{0, 0xB, 1}, {3, 0xD, 0x10}}, {2, 10}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(nextRowAfter(2, c.row, c.cells, 1), c.next) << c.what;
}

TEST_F(Flow, orderEntryBeyondThePatterns_playsPattern0)
{
    load(ModBuilder().sample(1, {.lengthWords = 100}).note(0, 0, 0, kC2, 1));
    mod->orders[0] = 77;
    vxa_mod_play(mod.get());
    render(1);
    EXPECT_EQ(channel(0).period, 428);
}

TEST_F(Flow, emptySong_keepsPlayingPosition0)
{
    load(ModBuilder().song(0, 0, {}));
    vxa_mod_play(mod.get());
    for (int row = 0; row < 200; ++row)
        render(kRowFrames);
    EXPECT_EQ(status().order_pos, 0);
    EXPECT_EQ(status().row, 200 % 64);
}

namespace {

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
        load(constantSamples().note(0, 0, 3, 0, 0, c.effect, c.param).note(0, 1, 0, kC2, 1));
        vxa_mod_play(mod.get());
        EXPECT_EQ(firstSoundingFrame(render(30000)), c.rowStartFrame) << int(c.param);
        EXPECT_EQ(status().speed, c.speed) << int(c.param);
        EXPECT_EQ(status().tempo, c.tempo) << int(c.param);
    }
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

TEST_F(Timing, editDuringARow_actsFromTheNextTick)
{
    playRows({{kC2, 1, 0, 0}}, 0);
    render(882);            // the row start
    mod->patterns[2] = 0xA; // volume slide up by 4 from now on
    mod->patterns[3] = 0x40;
    render(882 * 2);
    EXPECT_EQ(channel(0).volume, 56);
}
