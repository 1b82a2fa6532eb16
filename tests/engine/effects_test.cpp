// Each effect command of the reduced replay mode: periods and volumes per tick, sample
// positions, meters, and the commands that are stored but do nothing.
#include "engine_fixture.h"

using namespace vxtest;

namespace {

using Effects = EngineTest;

struct TickCase {
    Rows rows; // the values are read from the last row's start
    std::vector<int> values;
};

} // namespace

TEST_F(Effects, periodEffects_fromTheLastRowsStartTickByTick)
{
    const TickCase cases[] = {
        {{{kC2, 1, 0x0, 0x37}}, {428, 360, 285, 428, 360, 285, 285}}, // the last note stays
        {{{160, 1, 0x0, 0xF0}}, {160, 113, 160}},                     // up to B-3 only
        {{{kC2, 1, 0, 0}, {0, 0, 0x0, 0x0C}}, {428, 428, 214}},       // from the period's note
        {{{kC2, 1, 0x1, 0x10}}, {428, 412, 396, 380}},
        {{{kC2, 1, 0x2, 0x10}}, {428, 444, 460, 476}},
        {{{120, 1, 0x1, 0x04}}, {120, 116, 113, 113}},
        {{{808, 1, 0x2, 0x20}}, {808, 840, 856, 856}},
        {{{kC2, 1, 0, 0}, {400, 0, 0x3, 0x0A}}, {428, 418, 408, 404, 404}},
        {{{kC2, 1, 0, 0}, {kC1, 0, 0x3, 0x00}}, {428, 428, 428}}, // no speed yet
        {{{kB3, 1, 0x3, 0x30}}, {0, 48, 96, 113}},                // from period 0
        {{{kC2, 1, 0, 0}, {400, 0, 0x3, 2}, {0, 0, 0x5, 2}}, {418, 416, 414}},
        {{{kC2, 1, 0x4, 0x48}}, {434, 439, 442, 443, 442, 439}},         // vibrato's half sine
        {{{kC2, 1, 0x4, 0x48}, {kC2, 1, 0x4, 0}}, {434, 428, 422, 417}}, // phase kept
        {{{kC2, 1, 0x7, 0xE5}}, std::vector<int>(6, 428)},               // 7, 8 and E: stored only
        {{{kC2, 1, 0x8, 0x1F}}, std::vector<int>(6, 428)},
        {{{kC2, 1, 0xE, 0x1F}}, std::vector<int>(6, 428)},
    };
    for (const auto &c : cases) {
        playRows(c.rows, static_cast<int>(c.rows.size()) - 1);
        EXPECT_EQ(periodsPerTick(static_cast<int>(c.values.size())), c.values)
            << c.rows[0][2] << " " << c.rows[0][3];
    }
}

TEST_F(Effects, volumeEffects_fromTheLastRowsStartTickByTick)
{
    const TickCase cases[] = {
        {{{kC2, 1, 0, 0}, {400, 0, 0x3, 2}, {0, 0, 0x5, 2}}, {48, 46, 44}},
        {{{kC2, 1, 0x6, 0x02}}, {48, 46, 44}},
        {{{kC2, 1, 0xC, 40}, {0, 0, 0xA, 0x53}}, {40, 45, 50, 55}}, // the high nibble first
        {{{kC2, 1, 0xC, 40}, {0, 0, 0xA, 0x03}}, {40, 37, 34, 31}},
        {{{kC2, 1, 0xC, 60}, {0, 0, 0xA, 0xF0}}, {60, 64, 64}},
        {{{kC2, 1, 0xC, 5}, {0, 0, 0xA, 0x04}}, {5, 1, 0, 0}},
        {{{kC2, 1, 0xC, 40}, {0, 0, 0xA, 0x00}}, {40, 40, 40}},
        {{{kC2, 1, 0x7, 0xF4}}, {48, 48, 48, 48}}, // no tremolo
    };
    for (const auto &c : cases) {
        playRows(c.rows, static_cast<int>(c.rows.size()) - 1);
        EXPECT_EQ(volumesPerTick(static_cast<int>(c.values.size())), c.values)
            << c.rows.back()[2] << " " << c.rows.back()[3];
    }
}

TEST_F(Effects, sampleAndNote_setSlotVolumeAndPeriodAndRestartUnlessTonePortamento)
{
    const struct {
        std::array<int, 4> row1;
        bool restarted;
        int slot, volume, period;
    } cases[] = {{{0, 2, 0, 0}, true, 2, 20, 428},      // the sample alone restarts
                 {{0, 2, 0x3, 0}, false, 2, 20, 428},   // but not under tone portamento
                 {{kC1, 0, 0, 0}, true, 1, 0x22, 856}}; // the note alone keeps slot, volume
    for (const auto &c : cases) {
        playRows({{kC2, 1, 0xC, 0x22}, c.row1}, 1);
        render(1);
        EXPECT_EQ(std::tuple(channel(0).pos < 2, channel(0).sample, int{channel(0).volume},
                             int{channel(0).period}),
                  std::tuple(c.restarted, &mod->samples[c.slot - 1], c.volume, c.period))
            << c.row1[0];
    }
}

TEST_F(Effects, setVolume_limitsTo64AndSetsTheMeter_andTheSpectrumUnlessMuted)
{
    const struct {
        uint16_t period;
        uint8_t param, muted;
        int volume, vu, bar7; // note 13 lights bar 7
    } cases[] = {{kC2, 0x50, 0, 64, 64, 36},
                 {kC2, 0x05, 0, 5, 18, 36},
                 {0, 0x05, 0, 5, 5, 0},
                 {0, 0x30, 0, 48, 48, 0},
                 {kC2, 0x20, 1, 32, 0, 0}};
    for (const auto &c : cases) {
        playRows({{c.period, 1, 0xC, c.param}}, 0);
        mod->muted[0] = c.muted;
        std::fill(std::begin(mod->spectrum), std::end(mod->spectrum), 0); // it outlives a load
        render(1);
        EXPECT_EQ(std::tuple(int{channel(0).volume}, int{status().vu[0]}, int{mod->spectrum[7]}),
                  std::tuple(c.volume, c.vu, c.bar7))
            << int(c.param);
    }
}

TEST_F(Effects, sampleOffset_movesThePositionAndRemembersItsParameter)
{
    playRows({{kC2, 1, 0x9, 0x10}, {0, 0, 0x9, 0x00}, {0, 0, 0x9, 0x02}}, 0);
    for (uint32_t offset : {4096u, 4096u, 512u}) { // 9 00 takes the remembered offset
        render(1);
        EXPECT_GE(channel(0).pos, offset);
        EXPECT_LT(channel(0).pos, offset + 2);
        render(kRowFrames - 1);
    }
}

TEST_F(Effects, badSampleOrNoteNumbers_areIgnored)
{
    // Slot 20 of a 15-sample module, and note 37 in a cell.
    load(ModBuilder(15).sample(1, {.lengthWords = 100}).note(0, 0, 0, kC2, 20));
    mod->patterns[4] = 37;
    mod->patterns[5] = 1;
    vxa_mod_play(mod.get());
    render(1);
    EXPECT_EQ(channel(0).sample, nullptr);
    EXPECT_EQ(channel(0).period, 428);
    EXPECT_EQ(channel(1).sample, &mod->samples[0]);
    EXPECT_EQ(channel(1).period, 0);
    EXPECT_EQ(status().vu[1], 0);
}

TEST_F(Effects, commands7And8AndE_areStoredWithoutMovingTheRowOrSpeed)
{
    for (uint8_t effect : {0x7, 0x8, 0xE}) {
        playRows({{kC2, 1, effect, 0xE5}}, 0);
        render(kRowFrames); // up to row 1, whose cells are not read yet
        EXPECT_EQ(
            std::tuple(int{channel(0).effect}, int{channel(0).param}, status().row, status().speed),
            std::tuple(int{effect}, 0xE5, 1, 6));
    }
}
