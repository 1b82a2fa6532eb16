// Each effect command's observable result: periods per tick, volumes, sample positions,
// meters, and the commands that are stored but do nothing.
#include "engine_fixture.h"

using namespace vxtest;

namespace {

class Effects : public EngineTest {
protected:
    // Plays a module whose pattern 0 holds the given cells on channel 0, rows 0, 1, ...
    void playChannel0(std::vector<std::array<int, 4>> rows, ModBuilder builder = ModBuilder())
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
    std::vector<int> playPeriods(int ticks)
    {
        return perTick(ticks, [&] { return int{channel(0).play_period}; });
    }
    std::vector<int> volumes(int ticks)
    {
        return perTick(ticks, [&] { return int{channel(0).volume}; });
    }
};

} // namespace

TEST_F(Effects, arpeggio_cyclesThreeNotesAndStaysOnTheLast)
{
    playChannel0({{kC2, 1, 0x0, 0x37}});
    EXPECT_EQ(playPeriods(6), (std::vector<int>{428, 360, 285, 428, 360, 285}));
    EXPECT_EQ(channel(0).period, 285);
}

TEST_F(Effects, arpeggio_limitsNotesToB3)
{
    playChannel0({{160, 1, 0x0, 0xF0}}); // note 30
    EXPECT_EQ(playPeriods(3), (std::vector<int>{160, 113, 160}));
}

TEST_F(Effects, arpeggioWithoutNote_startsFromTheNearestNoteOfThePeriod)
{
    playChannel0({{kC2, 1, 0, 0}, {0, 0, 0x0, 0x0C}});
    const std::vector<int> periods = playPeriods(9);
    EXPECT_EQ(std::vector<int>(periods.begin() + 6, periods.end()),
              (std::vector<int>{428, 428, 214}));
}

TEST_F(Effects, portamentos_slideAndStopAtTheTableLimits)
{
    struct Case {
        uint16_t period;
        uint8_t effect;
        uint8_t param;
        std::vector<int> periods;
    } cases[] = {
        {kC2, 0x1, 0x10, {428, 412, 396, 380}},
        {kC2, 0x2, 0x10, {428, 444, 460, 476}},
        {120, 0x1, 0x04, {120, 116, 113, 113}},
        {808, 0x2, 0x20, {808, 840, 856, 856}},
    };
    for (const Case &c : cases) {
        playChannel0({{c.period, 1, c.effect, c.param}});
        EXPECT_EQ(playPeriods(4), c.periods) << int(c.effect) << " " << int(c.param);
    }
}

TEST_F(Effects, tonePortamento_slidesToTheNoteWithoutRestartingIt)
{
    playChannel0({{kC2, 1, 0, 0}, {400, 2, 0x3, 0x0A}});
    render(5292 + 1);
    const uint32_t pos = channel(0).pos;
    EXPECT_NE(pos, 0u);               // the sample number did not restart the slot
    EXPECT_EQ(channel(0).volume, 20); // but it set the slot's volume
    EXPECT_EQ(channel(0).period, 428);
    EXPECT_EQ(channel(0).porta_target, 404);
    render(881);
    EXPECT_EQ(playPeriods(4), (std::vector<int>{418, 408, 404, 404}));
}

TEST_F(Effects, tonePortamentoWithoutSpeed_doesNothingUntilASpeedIsSet)
{
    playChannel0({{kC2, 1, 0, 0}, {kC1, 0, 0x3, 0x00}});
    render(5292);
    EXPECT_EQ(playPeriods(3), (std::vector<int>{428, 428, 428}));
}

TEST_F(Effects, tonePortamento_climbsFromPeriodZero)
{
    playChannel0({{kB3, 1, 0x3, 0x30}});
    EXPECT_EQ(playPeriods(4), (std::vector<int>{0, 48, 96, 113}));
}

TEST_F(Effects, tonePortamentoVolumeSlide_keepsTheSpeedAndSlidesTheVolume)
{
    playChannel0({{kC2, 1, 0, 0}, {400, 0, 0x3, 0x05}, {0, 0, 0x5, 0x02}});
    render(2 * 5292);
    EXPECT_EQ(volumes(3), (std::vector<int>{48, 46, 44}));
    EXPECT_EQ(channel(0).period, 404);
}

TEST_F(Effects, vibrato_followsTheHalfSineAcrossRows)
{
    playChannel0({{kC2, 1, 0x4, 0x48}, {0, 0, 0x4, 0x00}});
    EXPECT_EQ(playPeriods(10),
              (std::vector<int>{434, 439, 442, 443, 442, 439, 434, 428, 422, 417}));
    EXPECT_EQ(channel(0).vib_speed, 16);
    EXPECT_EQ(channel(0).vib_depth, 8);
}

TEST_F(Effects, vibratoPhase_isNotResetByANewNote)
{
    playChannel0({{kC2, 1, 0x4, 0x48}, {kC2, 1, 0x4, 0x00}});
    EXPECT_EQ(playPeriods(8), (std::vector<int>{434, 439, 442, 443, 442, 439, 434, 428}));
    EXPECT_EQ(channel(0).vib_pos, 128);
}

TEST_F(Effects, volumeSlide_usesTheHighNibbleFirstAndStaysIn0To64)
{
    struct Case {
        int startVolume; // set by C on the row before
        uint8_t param;
        std::vector<int> volumes;
    } cases[] = {{40, 0x53, {40, 45, 50, 55}},
                 {40, 0x03, {40, 37, 34, 31}},
                 {60, 0xF0, {60, 64, 64, 64}},
                 {5, 0x04, {5, 1, 0, 0}},
                 {40, 0x00, {40, 40, 40, 40}}};
    for (const Case &c : cases) {
        playChannel0({{kC2, 1, 0xC, c.startVolume}, {0, 0, 0xA, c.param}});
        render(5292);
        EXPECT_EQ(volumes(4), c.volumes) << int(c.param);
    }
}

TEST_F(Effects, vibratoVolumeSlide_slidesTheVolume)
{
    playChannel0({{kC2, 1, 0x6, 0x02}});
    EXPECT_EQ(volumes(3), (std::vector<int>{48, 46, 44}));
}

TEST_F(Effects, setVolume_limitsTo64AndSetsTheMeter)
{
    struct Case {
        uint16_t period;
        uint8_t param;
        int volume;
        int vu;
    } cases[] = {{kC2, 0x50, 64, 64}, {kC2, 0x05, 5, 18}, {0, 0x05, 5, 5}, {0, 0x30, 48, 48}};
    for (const Case &c : cases) {
        playChannel0({{c.period, 1, 0xC, c.param}});
        render(1);
        EXPECT_EQ(channel(0).volume, c.volume) << int(c.param);
        EXPECT_EQ(status().vu[0], c.vu) << int(c.param);
    }
}

TEST_F(Effects, sampleOffset_movesThePositionAndRemembersItsParameter)
{
    playChannel0({{kC2, 1, 0x9, 0x10}, {0, 0, 0x9, 0x00}, {0, 0, 0x9, 0x02}});
    render(1);
    EXPECT_EQ(channel(0).offset_mem, 0x10);
    EXPECT_GE(channel(0).pos, 4096u);
    render(5292);
    EXPECT_GE(channel(0).pos, 4096u); // 9 00: the remembered offset, without a note
    EXPECT_LT(channel(0).pos, 4096u + 100);
    render(5292);
    EXPECT_LT(channel(0).pos, 512u + 100);
}

TEST_F(Effects, sampleNumberAlone_restartsTheSlotAtTheSamePeriod)
{
    playChannel0({{kC2, 1, 0, 0}, {0, 2, 0, 0}});
    render(5292);
    EXPECT_GT(channel(0).pos, 900u);
    render(1);
    EXPECT_LT(channel(0).pos, 2u);
    EXPECT_EQ(channel(0).period, 428);
    EXPECT_EQ(channel(0).sample, &mod->samples[1]);
    EXPECT_EQ(channel(0).volume, 20);
}

TEST_F(Effects, noteWithoutSample_keepsTheSlotAndVolume)
{
    playChannel0({{kC2, 2, 0xC, 0x22}, {kC1, 0, 0, 0}});
    render(5293);
    EXPECT_EQ(channel(0).sample, &mod->samples[1]);
    EXPECT_EQ(channel(0).volume, 0x22);
    EXPECT_EQ(channel(0).period, 856);
}

TEST_F(Effects, sampleNumberAboveTheModulesSlots_isIgnored)
{
    ModBuilder fifteen(15);
    fifteen.sample(1, {.lengthWords = 100, .volume = 48}).note(0, 0, 0, kC2, 20);
    load(fifteen);
    vxa_mod_play(mod.get());
    render(1);
    EXPECT_EQ(channel(0).sample, nullptr);
    EXPECT_EQ(channel(0).period, 428);
}

TEST_F(Effects, noteAbove36InACell_playsAsNoNote)
{
    load(ModBuilder().sample(1, {.lengthWords = 100}));
    const uint8_t cell[4] = {37, 1, 0, 0};
    std::copy(cell, cell + 4, mod->patterns);
    vxa_mod_play(mod.get());
    render(1);
    EXPECT_EQ(channel(0).period, 0);
    EXPECT_EQ(channel(0).sample, &mod->samples[0]);
    EXPECT_EQ(status().vu[0], 0);
}

TEST_F(Effects, noteStart_setsTheMeterAndRaisesItsSpectrumBar)
{
    ModBuilder builder;
    builder.sample(1, {.lengthWords = 100, .volume = 64})
        .sample(2, {.lengthWords = 100, .volume = 4});
    for (int row = 0; row < 4; ++row)
        builder.note(0, row, 0, kC2, 1); // note 13: bar 7
    builder.note(0, 0, 1, kB3, 2);       // note 36: bar 21, volume 4 shows as 18
    load(builder);
    vxa_mod_play(mod.get());
    std::vector<int> bar7;
    for (int row = 0; row < 4; ++row) {
        render(5292);
        bar7.push_back(mod->spectrum[7]);
    }
    EXPECT_EQ(bar7, (std::vector<int>{36, 100, 118, 126}));
    EXPECT_EQ(mod->spectrum[21], 36);
    EXPECT_EQ(status().vu[0], 64);
    EXPECT_EQ(status().vu[1], 18);
}

TEST_F(Effects, mutedChannel_startsNotesWithoutMeters)
{
    playChannel0({{kC2, 1, 0xC, 0x20}});
    mod->muted[0] = 1;
    render(1);
    EXPECT_EQ(status().vu[0], 0);
    EXPECT_EQ(mod->spectrum[7], 0);
    EXPECT_EQ(channel(0).volume, 0x20);
}

TEST_F(Effects, commands7And8AndE_areStoredButChangeNothing)
{
    for (uint8_t effect : {0x7, 0x8, 0xE}) {
        for (uint8_t param : {0x00, 0x63, 0xE5, 0x1F}) {
            playChannel0({{kC2, 1, effect, param}});
            const std::vector<int> periods = playPeriods(6);
            EXPECT_EQ(periods, std::vector<int>(6, 428));
            EXPECT_EQ(channel(0).volume, 48);
            EXPECT_EQ(channel(0).effect, effect);
            EXPECT_EQ(channel(0).param, param);
            EXPECT_EQ(status().row, 1);
            EXPECT_EQ(mod->speed, 6);
        }
    }
}
