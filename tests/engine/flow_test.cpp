// Flow control: row advance, position jumps and pattern breaks and their interplay
// across channels, the song's end, pattern mode, and songs the order table cannot hold.
#include "engine_fixture.h"

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
