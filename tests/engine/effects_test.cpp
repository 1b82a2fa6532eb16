// Each effect command's observable result: periods and volumes per tick, sample
// positions, meters, and the commands that are stored but do nothing.
#include "engine_fixture.h"

using namespace vxtest;

namespace {

using Rows = std::vector<std::array<int, 4>>; // period, sample, effect, param

class Effects : public EngineTest {
protected:
    // Plays a module whose pattern 0 holds the given cells on channel 0, rows 0, 1, ...
    void playChannel0(const Rows &rows, ModBuilder builder = ModBuilder())
    {
        builder.sample(1, {.lengthWords = 4000, .volume = 48});
        builder.sample(2, {.lengthWords = 4000, .volume = 20});
        for (size_t r = 0; r < rows.size(); ++r) {
            const auto [period, sample, effect, param] = rows[r];
            builder.note(0, static_cast<int>(r), 0, static_cast<uint16_t>(period),
                         static_cast<uint8_t>(sample), static_cast<uint8_t>(effect),
                         static_cast<uint8_t>(param));
        }
        load(builder);
        vxa_mod_play(mod.get());
    }
    // Plays the rows and collects the period played, or the volume, on the last row's
    // first ticks.
    std::vector<int> lastRowTicks(const Rows &rows, size_t ticks, bool volume)
    {
        playChannel0(rows);
        render(static_cast<int>(rows.size() - 1) * kRowFrames);
        return perTick(static_cast<int>(ticks), [&] {
            return volume ? int{channel(0).volume} : int{channel(0).play_period};
        });
    }
};

} // namespace

TEST_F(Effects, periodEffects_fromTheLastRowsStartTickByTick)
{
    const struct {
        Rows rows;
        std::vector<int> periods;
    } cases[] = {
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
    };
    for (const auto &c : cases)
        EXPECT_EQ(lastRowTicks(c.rows, c.periods.size(), false), c.periods) << c.rows[0][3];
}

TEST_F(Effects, volumeEffects_fromTheLastRowsStartTickByTick)
{
    const struct {
        Rows rows;
        std::vector<int> volumes;
    } cases[] = {
        {{{kC2, 1, 0, 0}, {400, 0, 0x3, 2}, {0, 0, 0x5, 2}}, {48, 46, 44}},
        {{{kC2, 1, 0x6, 0x02}}, {48, 46, 44}},
        {{{kC2, 1, 0xC, 40}, {0, 0, 0xA, 0x53}}, {40, 45, 50, 55}}, // the high nibble first
        {{{kC2, 1, 0xC, 40}, {0, 0, 0xA, 0x03}}, {40, 37, 34, 31}},
        {{{kC2, 1, 0xC, 60}, {0, 0, 0xA, 0xF0}}, {60, 64, 64}},
        {{{kC2, 1, 0xC, 5}, {0, 0, 0xA, 0x04}}, {5, 1, 0, 0}},
        {{{kC2, 1, 0xC, 40}, {0, 0, 0xA, 0x00}}, {40, 40, 40}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(lastRowTicks(c.rows, c.volumes.size(), true), c.volumes) << c.rows.back()[3];
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
        playChannel0({{kC2, 1, 0xC, 0x22}, c.row1});
        render(kRowFrames + 1);
        EXPECT_EQ(channel(0).pos < 2, c.restarted) << c.row1[0];
        EXPECT_EQ(channel(0).sample, &mod->samples[c.slot - 1]) << c.row1[0];
        EXPECT_EQ(channel(0).volume, c.volume) << c.row1[0];
        EXPECT_EQ(channel(0).period, c.period) << c.row1[0];
    }
}

TEST_F(Effects, setVolume_limitsTo64AndSetsTheMeter)
{
    const struct {
        uint16_t period;
        uint8_t param;
        int volume, vu;
    } cases[] = {{kC2, 0x50, 64, 64}, {kC2, 0x05, 5, 18}, {0, 0x05, 5, 5}, {0, 0x30, 48, 48}};
    for (const auto &c : cases) {
        playChannel0({{c.period, 1, 0xC, c.param}});
        render(1);
        EXPECT_EQ(channel(0).volume, c.volume) << int(c.param);
        EXPECT_EQ(status().vu[0], c.vu) << int(c.param);
    }
}

TEST_F(Effects, sampleOffset_movesThePositionAndRemembersItsParameter)
{
    playChannel0({{kC2, 1, 0x9, 0x10}, {0, 0, 0x9, 0x00}, {0, 0, 0x9, 0x02}});
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

TEST_F(Effects, noteStart_setsTheMeterUnlessMuted)
{
    for (uint8_t muted : {1, 0}) {           // the spectrum outlives a load
        playChannel0({{kC2, 1, 0xC, 0x20}}); // note 13: bar 7
        mod->muted[0] = muted;
        render(1);
        EXPECT_EQ(channel(0).volume, 0x20);
        EXPECT_EQ(status().vu[0], muted ? 0 : 0x20);
        EXPECT_EQ(mod->spectrum[7], muted ? 0 : 36);
    }
}

TEST_F(Effects, commands7And8AndE_areStoredButChangeNothing)
{
    for (uint8_t effect : {0x7, 0x8, 0xE}) {
        for (uint8_t param : {0x00, 0xE5, 0x1F}) {
            playChannel0({{kC2, 1, effect, param}});
            EXPECT_EQ(perTick(6, [&] { return int{channel(0).play_period}; }),
                      std::vector<int>(6, 428));
            EXPECT_EQ(channel(0).volume, 48);
            EXPECT_EQ(channel(0).effect, effect);
            EXPECT_EQ(channel(0).param, param);
            EXPECT_EQ(status().row, 1);
            EXPECT_EQ(mod->speed, 6);
        }
    }
}
