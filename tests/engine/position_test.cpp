// Stepping the position: rows, song positions, the pattern at a position, song length
// and restart, with their wrapping in both directions and what each leaves alone.
#include "engine_handle.h"
#include "mod_builder.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

using namespace vxtest;

namespace {

class Position : public ::testing::Test {
protected:
    void SetUp() override { load(ModBuilder().song(5, 3, {0, 1, 2, 1, 0})); }
    void load(const ModBuilder &builder)
    {
        ASSERT_EQ(vxa_mod_load(mod.get(), dir.write("m.mod", builder.build()).c_str()), 0);
    }
    vxa_status status()
    {
        vxa_status out{};
        vxa_mod_get_status(mod.get(), &out);
        return out;
    }
    std::vector<uint32_t> orders()
    {
        std::vector<uint32_t> result;
        const int32_t at = vxa_mod_position(mod.get());
        for (int32_t i = 0; i < vxa_mod_order_length(mod.get()); ++i) {
            vxa_mod_step_order(mod.get(), i - vxa_mod_position(mod.get()));
            result.push_back(status().pattern);
        }
        vxa_mod_step_order(mod.get(), at - vxa_mod_position(mod.get()));
        return result;
    }

    TempDir dir;
    ModHandle mod = createMod();
};

} // namespace

TEST_F(Position, stepRow_wrapsBothWays)
{
    vxa_mod_step_row(mod.get(), -1);
    EXPECT_EQ(status().row, 63);
    vxa_mod_step_row(mod.get(), 65);
    EXPECT_EQ(status().row, 0);
    vxa_mod_step_row(mod.get(), INT32_MIN);
    EXPECT_EQ(status().row, 0); // -2^31 is a multiple of 64
    vxa_mod_step_row(mod.get(), INT32_MAX);
    EXPECT_EQ(status().row, 63);
}

TEST_F(Position, setRow_limitsTheRow)
{
    vxa_mod_set_row(mod.get(), 99);
    EXPECT_EQ(status().row, 63);
    vxa_mod_set_row(mod.get(), -3);
    EXPECT_EQ(status().row, 0);
}

TEST_F(Position, stepOrder_wrapsAndRestartsTheRow)
{
    vxa_mod_set_row(mod.get(), 20);
    vxa_mod_step_order(mod.get(), -1);
    EXPECT_EQ(vxa_mod_position(mod.get()), 4);
    EXPECT_EQ(status().row, 0);
    vxa_mod_step_order(mod.get(), 12);
    EXPECT_EQ(vxa_mod_position(mod.get()), 1);
}

TEST_F(Position, stepPattern_cyclesThroughExistingPatterns)
{
    vxa_mod_step_order(mod.get(), 2); // pattern 2 of 3
    vxa_mod_step_pattern(mod.get(), 1);
    EXPECT_EQ(status().pattern, 0u);
    vxa_mod_step_pattern(mod.get(), -1);
    EXPECT_EQ(status().pattern, 2u);
    vxa_mod_step_pattern(mod.get(), -7);
    EXPECT_EQ(status().pattern, 1u);
    EXPECT_EQ(orders(), (std::vector<uint32_t>{0, 1, 1, 1, 0}));
}

TEST_F(Position, stepLength_growsByRepeatingTheLastPattern)
{
    load(ModBuilder().song(3, 0, {1, 2, 0, 9}));
    vxa_mod_step_length(mod.get(), 2);
    EXPECT_EQ(orders(), (std::vector<uint32_t>{1, 2, 0, 0, 0}));
    vxa_mod_step_length(mod.get(), 500);
    EXPECT_EQ(vxa_mod_order_length(mod.get()), 128);
    vxa_mod_step_length(mod.get(), 1);
    EXPECT_EQ(vxa_mod_order_length(mod.get()), 128);
    vxa_mod_step_length(mod.get(), -500);
    EXPECT_EQ(vxa_mod_order_length(mod.get()), 1);
}

TEST_F(Position, stepLength_shrinkingPullsPositionAndRestartIn)
{
    vxa_mod_step_order(mod.get(), 4);
    vxa_mod_set_row(mod.get(), 30);
    vxa_mod_step_length(mod.get(), -3);
    EXPECT_EQ(vxa_mod_order_length(mod.get()), 2);
    EXPECT_EQ(vxa_mod_position(mod.get()), 1);
    EXPECT_EQ(vxa_mod_restart(mod.get()), 0);
    EXPECT_EQ(status().row, 30);
    vxa_mod_step_length(mod.get(), 3); // the old entries beyond were overwritten
    EXPECT_EQ(orders(), (std::vector<uint32_t>{0, 1, 1, 1, 1}));
}

TEST_F(Position, stepRestart_wrapsBelowTheSongLength)
{
    EXPECT_EQ(vxa_mod_restart(mod.get()), 3);
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
    EXPECT_EQ(vxa_mod_position(mod.get()), 0);
    EXPECT_EQ(vxa_mod_restart(mod.get()), 0);
    vxa_mod_unload(mod.get());
    vxa_mod_set_row(mod.get(), 5);
    vxa_mod_step_row(mod.get(), 5);
    EXPECT_EQ(status().row, 0);
}
