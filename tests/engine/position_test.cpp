// Stepping the position: rows, song positions, the pattern at a position, song length
// and restart, with their wrapping in both directions and what each leaves alone.
#include "engine_fixture.h"

using namespace vxtest;

namespace {

class Position : public EngineTest {
protected:
    void SetUp() override { load(ModBuilder().song(5, 3, {0, 1, 2, 1, 0})); }
    Bytes orders() const { return Bytes(mod->orders, mod->orders + mod->song_length); }
    int32_t position() const { return vxa_mod_position(mod.get()); }
};

} // namespace

TEST_F(Position, rows_stepWrappingBothWaysAndSetLimited)
{
    const struct {
        void (*call)(vxa_mod *, int32_t);
        int32_t value, row;
    } cases[] = {{vxa_mod_step_row, -1, 63},        {vxa_mod_step_row, 65, 0},
                 {vxa_mod_step_row, INT32_MIN, 0}, // -2^31 is a multiple of 64
                 {vxa_mod_step_row, INT32_MAX, 63}, {vxa_mod_set_row, 99, 63},
                 {vxa_mod_set_row, -3, 0}};
    for (const auto &c : cases) {
        c.call(mod.get(), c.value);
        EXPECT_EQ(status().row, c.row) << c.value;
    }
}

TEST_F(Position, stepOrder_wrapsAndRestartsTheRow)
{
    vxa_mod_set_row(mod.get(), 20);
    vxa_mod_step_order(mod.get(), -1);
    EXPECT_EQ(position(), 4);
    EXPECT_EQ(status().row, 0);
    vxa_mod_step_order(mod.get(), 12);
    EXPECT_EQ(position(), 1);
}

TEST_F(Position, stepPattern_cyclesThroughExistingPatterns)
{
    vxa_mod_step_order(mod.get(), 2); // pattern 2 of 3
    for (const auto &[delta, pattern] : {std::pair{1, 0u}, {-1, 2u}, {-7, 1u}}) {
        vxa_mod_step_pattern(mod.get(), delta);
        EXPECT_EQ(status().pattern, pattern) << delta;
    }
    EXPECT_EQ(orders(), (Bytes{0, 1, 1, 1, 0}));
}

TEST_F(Position, stepLength_growsByRepeatingTheLastPatternWithin1To128)
{
    load(ModBuilder().song(3, 0, {1, 2, 0, 9}));
    vxa_mod_step_length(mod.get(), 2);
    EXPECT_EQ(orders(), (Bytes{1, 2, 0, 0, 0}));
    for (const auto &[delta, length] : {std::pair{500, 128}, {1, 128}, {-500, 1}}) {
        vxa_mod_step_length(mod.get(), delta);
        EXPECT_EQ(vxa_mod_order_length(mod.get()), length) << delta;
    }
}

TEST_F(Position, stepLength_shrinkingPullsPositionAndRestartIn)
{
    vxa_mod_step_order(mod.get(), 4);
    vxa_mod_set_row(mod.get(), 30);
    vxa_mod_step_length(mod.get(), -3);
    EXPECT_EQ(vxa_mod_order_length(mod.get()), 2);
    EXPECT_EQ(position(), 1);
    EXPECT_EQ(vxa_mod_restart(mod.get()), 0);
    EXPECT_EQ(status().row, 30);
    vxa_mod_step_length(mod.get(), 3); // the old entries beyond were overwritten
    EXPECT_EQ(orders(), (Bytes{0, 1, 1, 1, 1}));
}

TEST_F(Position, stepRestart_wrapsBelowTheSongLength)
{
    vxa_mod_step_restart(mod.get(), 2);
    EXPECT_EQ(vxa_mod_restart(mod.get()), 0);
    vxa_mod_step_restart(mod.get(), -1);
    EXPECT_EQ(vxa_mod_restart(mod.get()), 4);
}

TEST_F(Position, emptySong_orNoModule_changesNothing)
{
    load(ModBuilder().song(0, 0, {}));
    vxa_mod_step_order(mod.get(), 1);
    vxa_mod_step_pattern(mod.get(), 1);
    vxa_mod_step_restart(mod.get(), 1);
    EXPECT_EQ(position(), 0);
    EXPECT_EQ(vxa_mod_restart(mod.get()), 0);
    vxa_mod_unload(mod.get());
    vxa_mod_set_row(mod.get(), 5);
    vxa_mod_step_row(mod.get(), 5);
    EXPECT_EQ(status().row, 0);
}
