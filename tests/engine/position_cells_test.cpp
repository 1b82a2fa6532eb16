// Stepping the position (rows, song positions, the pattern at a position, song length and
// restart, wrapping both ways) and pattern cells through the public header: selection,
// refusals, what is stored, transposition as a search-and-replace of one note, note names.
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

bool operator==(const vxa_cell &a, const vxa_cell &b)
{
    return a.note == b.note && a.sample == b.sample && a.effect == b.effect && a.param == b.param;
}

namespace {

class Cells : public EngineTest {
protected:
    void SetUp() override
    {
        // Song positions 0, 1, 2 play patterns 2, 0, 1.
        load(ModBuilder()
                 .song(3, 0, {2, 0, 1})
                 .note(0, 0, 0, 428, 1)
                 .note(1, 0, 0, 214, 2)
                 .note(2, 0, 0, 856, 3, 0x0C, 0x20));
    }
    vxa_cell cell(int32_t pattern, uint32_t row, uint32_t channel)
    {
        vxa_cell out{};
        EXPECT_EQ(vxa_mod_get_cell(mod.get(), pattern, row, channel, &out), 0);
        return out;
    }
    void put(int32_t pattern, uint32_t row, uint32_t channel, vxa_cell in)
    {
        ASSERT_EQ(vxa_mod_set_cell(mod.get(), pattern, row, channel, &in), 0);
    }
};

} // namespace

TEST_F(Cells, negativePattern_meansThePatternAtTheSongPosition)
{
    EXPECT_EQ(cell(-1, 0, 0).note, 1); // position 0 plays pattern 2 (C-1)
    vxa_mod_step_order(mod.get(), 2);
    EXPECT_EQ(cell(-1, 0, 0).note, 25); // position 2 plays pattern 1
    EXPECT_EQ(cell(0, 0, 0).note, 13);
}

TEST_F(Cells, badSelections_areRefusedWithoutTouchingTheCell)
{
    vxa_cell out{9, 9, 9, 9};
    const vxa_cell in{1, 1, 1, 1};
    EXPECT_EQ(vxa_mod_get_cell(mod.get(), 3, 0, 0, &out), -1); // pattern = num_patterns
    EXPECT_EQ(vxa_mod_get_cell(mod.get(), 0, 64, 0, &out), -1);
    EXPECT_EQ(vxa_mod_get_cell(mod.get(), 0, 0, 4, &out), -1);
    EXPECT_EQ(vxa_mod_get_cell(mod.get(), 0, 0, 0, nullptr), -1);
    EXPECT_EQ(vxa_mod_set_cell(mod.get(), 0, UINT32_MAX, 0, &in), -1);
    EXPECT_EQ(out, (vxa_cell{9, 9, 9, 9}));

    load(ModBuilder().song(0, 0, {}));
    EXPECT_EQ(vxa_mod_get_cell(mod.get(), -1, 0, 0, &out), -1); // song length 0
    EXPECT_EQ(vxa_mod_get_cell(mod.get(), 0, 0, 0, &out), 0);
    vxa_mod_unload(mod.get());
    EXPECT_EQ(vxa_mod_get_cell(mod.get(), 0, 0, 0, &out), -1);
}

TEST_F(Cells, setCell_storesNoteAndSampleAsGivenAndTheEffectsLowNibble)
{
    put(1, 63, 3, {40, 200, 0x1C, 0xAB});
    EXPECT_EQ(cell(1, 63, 3), (vxa_cell{40, 200, 0x0C, 0xAB}));
    EXPECT_EQ(cell(1, 62, 3), (vxa_cell{0, 0, 0, 0}));
}

TEST_F(Cells, transpose_replacesOneNoteValueOnly)
{
    put(0, 5, 1, {13, 4, 0x0A, 0x01});
    put(0, 6, 2, {25, 0, 0, 0});
    put(0, 7, 3, {13, 0, 0, 0});
    vxa_mod_transpose(mod.get(), 0, -1, 12, 13);
    EXPECT_EQ(cell(0, 0, 0).note, 25);
    EXPECT_EQ(cell(0, 5, 1), (vxa_cell{25, 4, 0x0A, 0x01}));
    EXPECT_EQ(cell(0, 6, 2).note, 25);
    EXPECT_EQ(cell(0, 7, 3).note, 25);
    EXPECT_EQ(cell(1, 0, 0).note, 25); // other patterns untouched (it was 25 already)
    EXPECT_EQ(cell(2, 0, 0).note, 1);
}

TEST_F(Cells, transpose_limitsTheTargetAndTheChannelRange)
{
    put(0, 1, 0, {30, 0, 0, 0});
    put(0, 2, 0, {5, 0, 0, 0});
    put(0, 2, 1, {5, 0, 0, 0});
    vxa_mod_transpose(mod.get(), 0, 0, 12, 30);
    vxa_mod_transpose(mod.get(), 0, 0, -10, 5);
    EXPECT_EQ(cell(0, 1, 0).note, 36);
    EXPECT_EQ(cell(0, 2, 0).note, 1);
    EXPECT_EQ(cell(0, 2, 1).note, 5); // the track only

    // Channel 4 would be the next row's channel 0 in the pattern's bytes.
    put(0, 3, 0, {5, 0, 0, 0});
    const auto notes = [this] {
        std::vector<uint8_t> all;
        for (uint32_t row = 0; row < 64; ++row)
            for (uint32_t channel = 0; channel < 4; ++channel)
                all.push_back(cell(0, row, channel).note);
        return all;
    };
    const auto before = notes();
    for (const auto &[channel, semitones, note] :
         {std::tuple{4, 1, 5}, {5, 1, 5}, {1, 0, 5}, {1, 3, 0}, {1, 3, 37}})
        vxa_mod_transpose(mod.get(), 0, channel, semitones, note);
    EXPECT_EQ(notes(), before);
    vxa_mod_transpose(mod.get(), -1, 1, 3, 5); // position 0 is pattern 2
    EXPECT_EQ(cell(0, 2, 1).note, 5);
}

TEST(NoteName, stemAndOctaveOrDashes)
{
    const struct {
        uint8_t note;
        const char *text;
    } cases[] = {{1, "C-1"},  {12, "B-1"}, {13, "C-2"}, {21, "G#2"},
                 {36, "B-3"}, {0, "---"},  {37, "---"}, {255, "---"}};
    for (const auto &c : cases) {
        char buffer[8] = "xxxxxxx";
        vxa_mod_note_name(c.note, buffer, sizeof buffer);
        EXPECT_STREQ(buffer, c.text) << int(c.note);
    }
    char small[3] = {'x', 'x', 'x'};
    vxa_mod_note_name(1, small, sizeof small);
    EXPECT_EQ(small[0], '\0');
    EXPECT_EQ(small[1], 'x');
    vxa_mod_note_name(1, small, 0);
    vxa_mod_note_name(1, nullptr, 8);
}
