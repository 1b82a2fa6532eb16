// The mixer's worked cases, on channels set up directly and mixed while the sequencer is
// stopped: steps from periods, sample ends with and without a loop, and the output
// conversion. Everything else the mix does is compared frame by frame with the plain
// model in render_model_test.cpp.
#include "engine_fixture.h"

using namespace vxtest;

namespace {

class Mixer : public EngineTest {
protected:
    void SetUp() override
    {
        ModBuilder builder;
        builder.sample(1, {.lengthWords = 50}); // 100 bytes, one shot
        builder.sample(2, {.lengthWords = 500,
                           .loopStartWords = 100,    // 1000 bytes, loop
                           .loopLengthWords = 200}); // 200..599
        builder.sample(3, {.lengthWords = 8}).sample(4, {.lengthWords = 8});
        builder.sampleData(1, positionRamp(100));
        builder.sampleData(2, positionRamp(1000));
        builder.sampleData(3, Bytes(16, 0x7F)); // the largest value
        builder.sampleData(4, Bytes(16, 0x80)); // the smallest
        load(builder);
    }
    // Channel c plays slot `slot` at full volume from `pos`.
    void sound(int c, int slot, uint16_t period, uint32_t pos = 0)
    {
        vxa_channel &ch = channel(c);
        ch.sample = &mod->samples[slot - 1];
        ch.volume = 64;
        ch.period = ch.play_period = period;
        ch.pos = pos;
        ch.frac = 0;
    }
};

} // namespace

TEST_F(Mixer, stepFromPeriod_isTheNotesRateOverTheOutputRate)
{
    const struct {
        uint16_t period;
        uint32_t pos, frac; // after one frame, from position 0
    } cases[] = {{428, 0, 12315},
                 {113, 0, 46644},
                 {856, 0, 6156},
                 {50, 1, (70937u - 44100u) * 65536u / 44100u}}; // more than a byte a frame
    for (const auto &c : cases) {
        sound(0, 2, c.period);
        render(1);
        EXPECT_EQ(std::pair(channel(0).pos, channel(0).frac), std::pair(c.pos, c.frac)) << c.period;
    }
}

TEST_F(Mixer, sampleEnds_oneShotStopsAtItsLength_loopsWrapIntoTheirStart)
{
    const struct {
        int slot;
        uint16_t period;
        uint32_t from;
        Bytes values; // one per frame
        uint32_t pos; // afterwards
    } cases[] = {
        // Byte 99 holds for ceil(65536 / 12315) = 6 frames, then silence.
        {1, 428, 99, {227, 227, 227, 227, 227, 227, 128, 128}, 100},
        {1, 50, 98, {128 + 98, 128 + 99, 128, 128}, 100}, // 1.6 bytes a frame: not beyond
        {2, 50, 599, {128 + (599 & 0x7F)}, 200},          // 600 wraps to 200
        {2, 428, 1300, {128 + (500 & 0x7F)}, 500},        // past the sample: (1300-200)%400+200
        {2, 428, 900, {128 + (900 & 0x7F), 128 + (500 & 0x7F)}, 500}, // past the loop only
    };
    for (const auto &c : cases) {
        sound(0, c.slot, c.period, c.from);
        const int frames = static_cast<int>(c.values.size());
        render(frames);
        EXPECT_EQ(lastScope(0, frames), c.values) << c.from;
        EXPECT_EQ(channel(0).pos, c.pos) << c.from;
    }
}

TEST_F(Mixer, pairsAreAveragedRoundingDownAndScaledBy1Over128)
{
    const struct {
        int slots[4]; // 0 silent, 2 byte 0 (value 128), 3 the largest value, 4 the smallest
        float left, right;
    } cases[] = {{{3, 0, 0, 0}, 0.4921875f, 0.0f},
                 {{2, 0, 3, 3}, 0.0f, 0.9921875f},
                 {{4, 0, 4, 3}, -0.5f, -0.0078125f},
                 {{4, 4, 4, 4}, -1.0f, -1.0f},
                 {{0, 0, 0, 0}, 0.0f, 0.0f}};
    for (const auto &c : cases) {
        for (int ch = 0; ch < 4; ++ch) {
            channel(ch) = vxa_channel{};
            if (c.slots[ch])
                sound(ch, c.slots[ch], 856);
        }
        const std::vector<float> out = render(1);
        EXPECT_EQ(std::pair(out[0], out[1]), std::pair(c.left, c.right)) << c.slots[0];
    }
}

TEST_F(Mixer, loopReachingPastTheSampleEnd_isNeverReadBeyondIt)
{
    vxa_sample &slot = mod->samples[0]; // 100 bytes; a broken loop 90..129
    slot.loop_start = 90;
    slot.loop_length = 40;
    sound(0, 1, 50, 95);
    render(2000);
    EXPECT_LT(channel(0).pos, 100u);
    EXPECT_GE(channel(0).pos, 90u);
}
