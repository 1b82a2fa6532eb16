// The records an edit history keeps of a sample slot and of the song's order header leave
// the module's invariants standing even when written back out of turn. (Taking edits back
// and doing them again with them is tested through the controller's undo and redo.)
#include "engine_fixture.h"
#include "vxa_mod_extras.h"

using namespace vxtest;

namespace {

class EditRecords : public EngineTest {
protected:
    void SetUp() override
    {
        load(ModBuilder(15)
                 .sample(1, {.name = "ONE",
                             .lengthWords = 50,
                             .volume = 30,
                             .loopStartWords = 5,
                             .loopLengthWords = 40})
                 .song(5, 2, {0, 1, 0, 1, 0}));
    }
};

struct SlotStateFree {
    void operator()(vxa_slot_state *state) const { vxa_mod_free_slot_state(state); }
};
using SlotState = std::unique_ptr<vxa_slot_state, SlotStateFree>;

} // namespace

TEST_F(EditRecords, settingsRecordUsedOutOfTurn_neverLeavesALoopPastTheSound)
{
    SlotState settings(vxa_mod_copy_slot_state(mod.get(), 1, 0));
    ASSERT_EQ(vxa_mod_trim_sample_to_loop(mod.get(), 1), 0); // 80 bytes, loop [0, 80)
    ASSERT_EQ(vxa_mod_swap_slot_state(mod.get(), 1, settings.get()), 0);
    const vxa_sample_info now = info(1);
    EXPECT_EQ(now.length, 80u);
    EXPECT_EQ(now.volume, 30);
    EXPECT_EQ(now.loop_start, 10u); // the old loop [10, 90) cut to the sound's end
    EXPECT_EQ(now.loop_length, 70u);
}

TEST_F(EditRecords, songOrder_writtenBack_keepsPositionAndRestartInsideTheSong)
{
    vxa_song_order order{};
    ASSERT_EQ(vxa_mod_get_song_order(mod.get(), &order), 0);
    EXPECT_EQ(order.song_length, 5);
    vxa_mod_step_order(mod.get(), 4);
    order.song_length = 2;
    ASSERT_EQ(vxa_mod_set_song_order(mod.get(), &order), 0);
    EXPECT_EQ(status().order_pos, 1);
    EXPECT_EQ(vxa_mod_restart(mod.get()), 0);
    order.song_length = 300;
    ASSERT_EQ(vxa_mod_set_song_order(mod.get(), &order), 0);
    EXPECT_EQ(vxa_mod_order_length(mod.get()), 128);
    EXPECT_EQ(vxa_mod_set_song_order(nullptr, &order), -1);
}
