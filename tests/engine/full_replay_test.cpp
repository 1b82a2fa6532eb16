// The full replay mode: each effect's played periods, played volumes and sound starts
// tick by tick, the song flow of pattern loops and delays in rows and frames, the
// finetune tables, and the mode as a setting of the context.
#include "engine_fixture.h"
#include "tables.h"

#include <set>
#include <string>

using namespace vxtest;

namespace {

constexpr uint16_t kD2 = 381; // note 15
constexpr int kMaxRowStarts = 2000;

class FullReplay : public EngineTest {
protected:
    void SetUp() override { vxa_mod_set_replay_mode(mod.get(), VXA_REPLAY_FULL); }

    // Tick marks from the row: 'S' where the sound started again, '-' elsewhere.
    std::string soundStarts(int ticks)
    {
        std::string marks;
        for (int value : perTick(ticks, [&] { return int{channel(0).pos < 2}; }))
            marks += value ? 'S' : '-';
        return marks;
    }
    // The song positions and rows of the next `count` row starts.
    std::vector<std::pair<int, int>> rowStarts(int count)
    {
        std::vector<std::pair<int, int>> rows;
        for (int i = 0; i < count; ++i) {
            render(static_cast<int32_t>(vxa_mod_frames_to_row_start(mod.get())));
            rows.emplace_back(status().order_pos, status().row);
            render(1);
        }
        return rows;
    }
    // Row starts until one comes with a song state seen before: the song's length in rows.
    int songRows()
    {
        std::set<uint64_t> seen;
        while (seen.size() < static_cast<size_t>(kMaxRowStarts)) {
            render(static_cast<int32_t>(vxa_mod_frames_to_row_start(mod.get())));
            if (!seen.insert(vxa_mod_song_state(mod.get())).second)
                break;
            render(1);
        }
        return static_cast<int>(seen.size());
    }
};

struct TickCase {
    const char *what;
    Rows rows;
    int from; // the row whose tick 0 is the first value
    std::vector<int> values;
    uint8_t finetune = 0;
};

} // namespace

TEST_F(FullReplay, playedPeriods_tickByTick)
{
    const TickCase cases[] = {
        {"arpeggio held over rows keeps its base",
         {{kC2, 1, 0x0, 0x37}, {0, 0, 0x0, 0x37}, {0, 0, 0, 0}},
         0,
         {428, 360, 285, 428, 360, 285, 285, 360, 285, 428, 360, 285, 428, 428}},
        {"arpeggio in the sample's finetune", {{kC2, 1, 0x0, 0x37}}, 0, {425, 357, 283}, 1},
        {"arpeggio stops at B-3", {{160, 1, 0x0, 0xF0}}, 0, {160, 113, 160}},
        {"finetune +7", {{kC2, 1, 0, 0}}, 0, {407}, 7},
        {"finetune -8 is a semitone lower", {{kC2, 1, 0, 0}}, 0, {453}, 8},
        {"finetune -1", {{kC2, 1, 0, 0}}, 0, {431}, 15},
        {"E5 sets the note's finetune", {{kC2, 1, 0xE, 0x51}}, 0, {425, 425}, 7},
        {"E1 slides up once", {{kC2, 1, 0, 0}, {0, 0, 0xE, 0x14}}, 1, {424, 424, 424}},
        {"E2 slides down once", {{kC2, 1, 0, 0}, {0, 0, 0xE, 0x24}}, 1, {432, 432}},
        {"E1 stops at B-3", {{kB3, 1, 0, 0}, {0, 0, 0xE, 0x1F}}, 1, {113}},
        {"glissando plays semitones",
         {{kC2, 1, 0, 0}, {0, 0, 0xE, 0x31}, {kD2, 0, 0x3, 0x10}},
         2,
         {428, 404, 381, 381}},
        {"tone portamento to a tuned target",
         {{kC2, 1, 0, 0}, {kD2, 0, 0x3, 0x10}},
         1,
         {425, 409, 393, 378},
         1},
        {"vibrato after the row start, held over rows",
         {{kC2, 1, 0x4, 0x48}, {0, 0, 0x4, 0}},
         0,
         {428, 428, 434, 439, 442, 443, 443, 442, 439, 434, 428, 422}},
        {"a note restarts the vibrato",
         {{kC2, 1, 0x4, 0x48}, {kC2, 1, 0x4, 0x48}},
         1,
         {428, 428, 434}},
        {"E44 keeps the phase at a note",
         {{0, 0, 0xE, 0x44}, {kC2, 1, 0x4, 0x48}, {kC2, 1, 0x4, 0x48}},
         2,
         {428, 442, 439}},
        {"E41 ramp", {{kC2, 1, 0xE, 0x41}, {0, 0, 0x4, 0x48}}, 1, {428, 428, 430, 432, 434, 436}},
        {"E42 square", {{kC2, 1, 0xE, 0x42}, {0, 0, 0x4, 0x48}}, 1, {428, 443, 443, 443}},
        {"E43 square too", {{kC2, 1, 0xE, 0x43}, {0, 0, 0x4, 0x48}}, 1, {428, 443, 443}},
        {"6 goes on with the vibrato, its parameter only slides",
         {{kC2, 1, 0x4, 0x48}, {0, 0, 0x6, 0x02}},
         1,
         {443, 442, 439, 434, 428, 422}},
        {"E0, E8 and EF store only",
         {{kC2, 1, 0xE, 0x01}, {0, 0, 0xE, 0x8F}, {0, 0, 0xE, 0xF5}},
         0,
         std::vector<int>(13, 428)},
        {"a delayed note sounds on its tick",
         {{kC2, 1, 0, 0}, {kC1, 2, 0xE, 0xD2}},
         1,
         {428, 428, 856, 856}},
        {"a delay beyond the row drops the note",
         {{kC2, 1, 0, 0}, {kC1, 2, 0xE, 0xD6}},
         1,
         {428, 428, 428, 428, 428, 428, 428}},
        {"a sample number alone keeps the pitch",
         {{kC2, 1, 0, 0}, {0, 2, 0, 0}, {kC1, 0, 0, 0}},
         1,
         {428, 428, 428, 428, 428, 428, 856}},
    };
    for (const TickCase &c : cases) {
        playRows(c.rows, c.from, c.finetune);
        EXPECT_EQ(periodsPerTick(static_cast<int>(c.values.size())), c.values) << c.what;
    }
}

TEST_F(FullReplay, playedVolumes_tickByTick)
{
    const TickCase cases[] = {
        {"tremolo after the row start, base kept",
         {{kC2, 1, 0x7, 0x44}, {0, 0, 0, 0}},
         0,
         {48, 48, 54, 59, 62, 63, 48, 48}},
        {"tremolo's second half lowers", {{kC2, 1, 0x7, 0xF4}}, 0, {48, 48, 63, 51, 33, 42}},
        {"tremolo held over rows", {{kC2, 1, 0x7, 0x44}, {0, 0, 0x7, 0}}, 1, {63, 62, 59}},
        {"E71 ramp", {{kC2, 1, 0xE, 0x71}, {0, 0, 0x7, 0x44}}, 1, {48, 48, 50, 52, 54, 56}},
        {"E72 square", {{kC2, 1, 0xE, 0x72}, {0, 0, 0x7, 0x44}}, 1, {48, 63, 63, 63}},
        {"tremolo up to 64 only", {{kC2, 1, 0xE, 0x72}, {0, 0, 0x7, 0x4F}}, 1, {48, 64, 64}},
        {"EA raises once", {{kC2, 1, 0xC, 40}, {0, 0, 0xE, 0xA5}}, 1, {45, 45, 45}},
        {"EB lowers once", {{kC2, 1, 0xC, 40}, {0, 0, 0xE, 0xB5}}, 1, {35, 35}},
        {"EB stops at 0", {{kC2, 1, 0xC, 3}, {0, 0, 0xE, 0xB5}}, 1, {0, 0}},
        {"EC2 cuts on tick 2", {{kC2, 1, 0xE, 0xC2}}, 0, {48, 48, 0, 0}},
        {"EC0 cuts at once", {{kC2, 1, 0xE, 0xC0}}, 0, {0, 0}},
        {"a sample number alone sets the volume", {{kC2, 1, 0, 0}, {0, 2, 0, 0}}, 1, {20, 20}},
        {"so does one with a delayed note", {{kC2, 1, 0, 0}, {kC1, 2, 0xE, 0xD3}}, 1, {20, 20}},
    };
    for (const TickCase &c : cases) {
        playRows(c.rows, c.from, c.finetune);
        EXPECT_EQ(volumesPerTick(static_cast<int>(c.values.size())), c.values) << c.what;
    }
}

TEST_F(FullReplay, soundStarts_tickByTick)
{
    const struct {
        const char *what;
        Rows rows;
        std::string marks; // on the last row
    } cases[] = {
        {"E93 after a note", {{kC2, 1, 0, 0}, {kC2, 1, 0xE, 0x93}}, "S--S--"},
        {"E93 without a note starts at once", {{kC2, 1, 0, 0}, {0, 0, 0xE, 0x93}}, "S--S--"},
        {"E92", {{kC2, 1, 0, 0}, {0, 0, 0xE, 0x92}}, "S-S-S-"},
        {"E90 does nothing", {{kC2, 1, 0, 0}, {0, 0, 0xE, 0x90}}, "------"},
        {"ED2 with a note", {{kC2, 1, 0, 0}, {kC1, 2, 0xE, 0xD2}}, "--S---"},
        {"ED0 plays at once", {{kC2, 1, 0, 0}, {kC1, 2, 0xE, 0xD0}}, "S-----"},
        {"ED2 without a note", {{kC2, 1, 0, 0}, {0, 2, 0xE, 0xD2}}, "------"},
        {"a sample number alone", {{kC2, 1, 0, 0}, {0, 2, 0, 0}}, "------"},
        {"a sample number with tone portamento", {{kC2, 1, 0, 0}, {kC1, 2, 0x3, 8}}, "------"},
    };
    for (const auto &c : cases) {
        playRows(c.rows, static_cast<int>(c.rows.size()) - 1);
        EXPECT_EQ(soundStarts(6), c.marks) << c.what;
    }
}

TEST_F(FullReplay, sampleNumberAlone_takesEffectAtTheNextNoteOrRetrigger)
{
    playRows({{kC2, 1, 0, 0}, {0, 2, 0, 0}, {kC1, 0, 0, 0}}, 1);
    render(1);
    EXPECT_EQ(std::tuple(channel(0).sample, channel(0).volume), std::tuple(&mod->samples[0], 20));
    render(kRowFrames);
    EXPECT_EQ(std::tuple(channel(0).sample, channel(0).period), std::tuple(&mod->samples[1], 856));
    playRows({{kC2, 1, 0, 0}, {0, 2, 0xE, 0x93}}, 1);
    render(1);
    EXPECT_EQ(channel(0).sample, &mod->samples[1]);
}

namespace {

struct FlowCell {
    int position, row, channel;
    uint8_t effect, param;
};

ModBuilder flowSong(const std::vector<FlowCell> &cells, std::vector<uint8_t> orders = {0, 1})
{
    ModBuilder builder;
    builder.song(static_cast<uint8_t>(orders.size()), 0, orders);
    for (const FlowCell &c : cells)
        builder.note(c.position, c.row, c.channel, 0, 0, c.effect, c.param);
    return builder;
}

} // namespace

TEST_F(FullReplay, patternLoops_repeatRowsAndSetTheSongLength)
{
    const struct {
        const char *what;
        ModBuilder song;
        int rows;
    } cases[] = {
        {"a loop of rows 2..4 twice more", flowSong({{0, 2, 0, 0xE, 0x60}, {0, 4, 0, 0xE, 0x62}}),
         128 + 6},
        {"repeated each time its pattern plays",
         flowSong({{0, 2, 0, 0xE, 0x60}, {0, 4, 0, 0xE, 0x62}}, {0, 0}), 2 * (64 + 6)},
        {"nested over two channels",
         flowSong({{0, 0, 0, 0xE, 0x60},
                   {0, 5, 0, 0xE, 0x61},
                   {0, 2, 1, 0xE, 0x60},
                   {0, 3, 1, 0xE, 0x62}}),
         128 + 14},
        {"a start row kept into the next pattern",
         flowSong({{0, 10, 0, 0xE, 0x60}, {1, 12, 0, 0xE, 0x61}}), 128 + 3},
        {"a start row per channel", flowSong({{0, 10, 0, 0xE, 0x60}, {1, 12, 1, 0xE, 0x61}}),
         128 + 13},
        {"a loop on the last row", flowSong({{0, 60, 0, 0xE, 0x60}, {0, 63, 0, 0xE, 0x61}}),
         128 + 4},
    };
    for (const auto &c : cases) {
        load(c.song);
        vxa_mod_play(mod.get());
        EXPECT_EQ(songRows(), c.rows) << c.what;
    }
}

TEST_F(FullReplay, flowOnOneRow_choosesTheNextRow)
{
    const struct {
        const char *what;
        std::vector<FlowCell> cells;
        std::pair<int, int> next;
    } cases[] = {
        {"a loop jumps back", {{0, 1, 0, 0xE, 0x60}, {0, 4, 0, 0xE, 0x61}}, {0, 1}},
        {"the later channel's loop start wins",
         {{0, 1, 0, 0xE, 0x60}, {0, 2, 1, 0xE, 0x60}, {0, 4, 0, 0xE, 0x61}, {0, 4, 1, 0xE, 0x61}},
         {0, 2}},
        {"a loop with a break ends the pattern",
         {{0, 1, 0, 0xE, 0x60}, {0, 4, 0, 0xE, 0x61}, {0, 4, 1, 0xD, 0x10}},
         {1, 0}},
        {"a break before the loop too",
         {{0, 1, 1, 0xE, 0x60}, {0, 4, 0, 0xD, 0x10}, {0, 4, 1, 0xE, 0x61}},
         {1, 0}},
        {"a delayed row's break lands on its row",
         {{0, 4, 0, 0xE, 0xE2}, {0, 4, 1, 0xD, 0x10}},
         {1, 10}},
        {"a delayed row's jump", {{0, 4, 0, 0xB, 1}, {0, 4, 3, 0xE, 0xE1}}, {1, 0}},
        {"a delayed row goes on to the next", {{0, 4, 2, 0xE, 0xE3}}, {0, 5}},
    };
    for (const auto &c : cases) {
        load(flowSong(c.cells));
        vxa_mod_play(mod.get());
        EXPECT_EQ(rowStarts(6).back(), c.next) << c.what; // the row after row 4
    }
}

TEST_F(FullReplay, patternDelay_lengthensTheRowAndRepeatsItsEffects)
{
    const struct {
        uint8_t delay;      // EE on channel 1
        uint8_t laterDelay; // EE on channel 2, 0 for none
        int rows;
    } cases[] = {{0xE2, 0, 3}, {0xE0, 0, 1}, {0xEF, 0, 16}, {0xE2, 0xE0, 1}, {0xE0, 0xE1, 2}};
    for (const auto &c : cases) {
        ModBuilder builder = constantSamples().note(0, 0, 1, 0, 0, 0xE, c.delay);
        if (c.laterDelay)
            builder.note(0, 0, 2, 0, 0, 0xE, c.laterDelay);
        load(builder);
        vxa_mod_play(mod.get());
        render(1);
        EXPECT_EQ(vxa_mod_frames_to_row_start(mod.get()) + 1, c.rows * kRowFrames)
            << int(c.delay) << " " << int(c.laterDelay);
    }
    // A01 slides on every tick after the first, a repeat's first tick included; E11 on
    // the first tick of each pass.
    playRows({{kC2, 1, 0, 0}, {0, 0, 0xA, 0x01}}, 1);
    mod->patterns[16 + 4 + 2] = 0xE; // channel 1 of row 1: EE1
    mod->patterns[16 + 4 + 3] = 0xE1;
    EXPECT_EQ(volumesPerTick(13),
              (std::vector<int>{48, 47, 46, 45, 44, 43, 42, 41, 40, 39, 38, 37, 37}));
    playRows({{kC2, 1, 0, 0}, {0, 0, 0xE, 0x11}, {0, 0, 0, 0}}, 1);
    mod->patterns[16 + 4 + 2] = 0xE;
    mod->patterns[16 + 4 + 3] = 0xE1;
    EXPECT_EQ(periodsPerTick(13),
              (std::vector<int>{427, 427, 427, 427, 427, 427, 426, 426, 426, 426, 426, 426, 426}));
}

TEST(FinetuneTables, fallBetweenTheUntunedNotes)
{
    // Finetune 0 is k_periods itself (checked where the tables are made).
    const int order[] = {8, 9, 10, 11, 12, 13, 14, 15, 0, 1, 2, 3, 4, 5, 6, 7}; // -8..+7
    for (int n = 0; n < k_num_notes; ++n) {
        for (int i = 1; i < k_num_finetunes; ++i) {
            const int lower = k_finetune_periods[order[i - 1]][n];
            const int higher = k_finetune_periods[order[i]][n];
            EXPECT_GE(lower, higher) << "note " << n + 1 << " finetune " << i - 8;
            // One step of 1/96 octave moves a period by 0.72 %, plus rounding.
            EXPECT_LE(lower - higher, 1 + lower / 128) << "note " << n + 1;
        }
        if (n > 0) { // -8 is a semitone down: the untuned note below, within both roundings
            EXPECT_NEAR(k_finetune_periods[8][n], k_periods[n - 1], 2) << "note " << n + 1;
        }
        if (n + 12 < k_num_notes) {
            for (const auto &table : k_finetune_periods) // octaves halve the period
                EXPECT_NEAR(table[n], 2 * table[n + 12], 2) << "note " << n + 1;
        }
    }
}

TEST_F(FullReplay, replayMode_belongsToTheContextAndOutlivesLoads)
{
    EXPECT_EQ(vxa_mod_replay_mode_get(mod.get()), VXA_REPLAY_FULL);
    load(ModBuilder());
    vxa_mod_unload(mod.get());
    ModHandle scratch = createMod(); // a load read elsewhere and moved in
    ASSERT_EQ(vxa_mod_load(scratch.get(), dir.write("in.mod", ModBuilder().build()).c_str()), 0);
    ASSERT_EQ(vxa_mod_move_module(mod.get(), scratch.get()), 0);
    EXPECT_EQ(vxa_mod_replay_mode_get(mod.get()), VXA_REPLAY_FULL);
    EXPECT_EQ(vxa_mod_replay_mode_get(createMod().get()), VXA_REPLAY_REDUCED);
    vxa_mod_set_replay_mode(mod.get(), 7);
    EXPECT_EQ(vxa_mod_replay_mode_get(mod.get()), VXA_REPLAY_REDUCED);
    vxa_mod_set_replay_mode(nullptr, VXA_REPLAY_FULL);
    EXPECT_EQ(vxa_mod_replay_mode_get(nullptr), VXA_REPLAY_REDUCED);
    EXPECT_EQ(vxa_mod_song_state(nullptr), 0u);
}

TEST_F(FullReplay, switchingModes_dropsTheTremoloAndTheDelay)
{
    playRows({{kC2, 1, 0x7, 0xF4}, {0, 0, 0xE, 0xEF}}, 0);
    render(3 * 882); // tick 2: the tremolo's peak
    vxa_mod_set_replay_mode(mod.get(), VXA_REPLAY_REDUCED);
    render(1);
    EXPECT_EQ(playedVolume(), 48);
    vxa_mod_set_replay_mode(mod.get(), VXA_REPLAY_FULL);
    render(3 * 882 + kRowFrames); // into row 1 and its delay
    vxa_mod_set_replay_mode(mod.get(), VXA_REPLAY_REDUCED);
    EXPECT_EQ(vxa_mod_frames_to_row_start(mod.get()), kRowFrames - 1);
}

TEST_F(FullReplay, liveNotes_playTheSlotsFinetune)
{
    for (auto mode : {VXA_REPLAY_REDUCED, VXA_REPLAY_FULL}) {
        load(constantSamples(1));
        vxa_mod_set_replay_mode(mod.get(), mode);
        vxa_mod_trigger(mod.get(), 0, 13, 1);
        EXPECT_EQ(channel(0).play_period, mode == VXA_REPLAY_FULL ? 425 : 428);
    }
}
