// The records an edit history keeps of a sample slot and of the song's order header:
// exchanged with the module they take an edit back and do it again, and even a record
// used out of turn leaves the module's invariants standing.
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

TEST_F(EditRecords, slotRecords_takeEditsBackAndDoThemAgain_withTheSampleCount)
{
    const Bytes file = save();
    SlotState head(vxa_mod_copy_slot_state(mod.get(), 1, 1));
    ASSERT_EQ(vxa_mod_cut_sample_head(mod.get(), 1), 0);
    SlotState load(vxa_mod_copy_slot_state(mod.get(), 20, 1));
    ASSERT_EQ(loadSample(20, "hat.raw", Bytes(64, 0x90)), 0); // 15 samples become 20
    EXPECT_EQ(vxa_mod_slot_state_matches(mod.get(), 20, load.get()), 0);

    ASSERT_EQ(vxa_mod_swap_slot_state(mod.get(), 20, load.get()), 0);
    vxa_sample_info unused{};
    EXPECT_EQ(vxa_mod_get_sample_info(mod.get(), 20, &unused), -1);
    EXPECT_EQ(vxa_mod_slot_state_bytes(load.get()), 64u);
    EXPECT_EQ(vxa_mod_slot_state_bytes(head.get()), 100u);
    ASSERT_EQ(vxa_mod_swap_slot_state(mod.get(), 1, head.get()), 0);
    EXPECT_EQ(vxa_mod_slot_state_bytes(head.get()), 90u);
    EXPECT_EQ(save(), file);

    ASSERT_EQ(vxa_mod_swap_slot_state(mod.get(), 1, head.get()), 0);
    ASSERT_EQ(vxa_mod_swap_slot_state(mod.get(), 20, load.get()), 0);
    EXPECT_EQ(info(1).length, 90u);
    EXPECT_EQ(info(20).length, 64u);
    EXPECT_EQ(vxa_mod_slot_state_matches(mod.get(), 20, load.get()), 0);
}

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
