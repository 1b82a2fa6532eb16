// The mixer's worked cases, on channels set up directly and mixed while the sequencer is
// stopped: steps from periods, sample ends with and without a loop, silence that holds
// the position, muting, the output conversion and the scope rings.
#include "engine_fixture.h"

#include <cstdlib>
#include <tuple>

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
    struct Case {
        uint16_t period;
        uint32_t frac; // after one frame, from position 0
    } cases[] = {{428, 12315}, {113, 46644}, {856, 6156}};
    for (const Case &c : cases) {
        sound(0, 2, c.period);
        render(1);
        EXPECT_EQ(channel(0).pos, 0u) << c.period;
        EXPECT_EQ(channel(0).frac, c.frac) << c.period;
    }
    sound(0, 2, 50); // 70937 Hz: more than a byte per frame
    render(1);
    EXPECT_EQ(channel(0).pos, 1u);
    EXPECT_EQ(channel(0).frac, (70937u - 44100u) * 65536u / 44100u);
}

TEST_F(Mixer, oneShotSample_endsInSilenceAtItsLength)
{
    sound(0, 1, 428, 99);
    std::vector<uint8_t> values;
    for (int i = 0; i < 8; ++i) {
        render(1);
        values.push_back(status().chan_out[0]);
    }
    // Byte 99 holds for ceil(65536 / 12315) = 6 frames, then silence.
    EXPECT_EQ(values, (std::vector<uint8_t>{227, 227, 227, 227, 227, 227, 128, 128}));
    EXPECT_EQ(channel(0).pos, 100u);
    const uint32_t frac = channel(0).frac;
    sound(1, 1, 50, 98); // 1.6 bytes a frame: 98, 99, then the end, not beyond it
    render(1000);
    EXPECT_EQ(lastScope(1, 1000 - 997), (Bytes{128, 128, 128}));
    EXPECT_EQ(std::tuple(channel(0).pos, channel(0).frac, channel(1).pos),
              std::tuple(100u, frac, 100u));
}

TEST_F(Mixer, loop_continuesAtItsStartAndIsEnteredFromBeyondTheEnd)
{
    sound(0, 2, 50, 599);
    render(1);
    EXPECT_EQ(lastScope(0, 1), (std::vector<uint8_t>{128 + (599 & 0x7F)}));
    EXPECT_EQ(channel(0).pos, 200u); // 599 + 1 = 600 wraps to 200
    sound(1, 2, 428, 1300);          // past the sample's end: (1300 - 200) % 400 + 200
    render(1);
    EXPECT_EQ(lastScope(1, 1), (std::vector<uint8_t>{128 + (500 & 0x7F)}));
    EXPECT_EQ(channel(1).pos, 500u);
    sound(2, 2, 428, 900); // past the loop but inside the sample: one frame, then wraps
    render(2);
    EXPECT_EQ(lastScope(2, 2), (std::vector<uint8_t>{128 + (900 & 0x7F), 128 + (500 & 0x7F)}));
    EXPECT_EQ(channel(2).pos, 500u);
}

TEST_F(Mixer, silentChannels_holdTheirPosition)
{
    sound(0, 1, 428, 10);
    channel(0).volume = 0;
    sound(1, 1, 0, 10); // play_period 0
    sound(2, 1, 428, 10);
    std::free(mod->samples[0].data); // slot emptied under the channel
    mod->samples[0].data = nullptr;
    render(500);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(channel(c).pos, 10u) << c;
        EXPECT_EQ(status().chan_out[c], 128) << c;
    }
}

TEST_F(Mixer, mutedChannel_outputsSilenceButKeepsTime)
{
    sound(0, 2, 428);
    sound(1, 2, 428);
    mod->muted[0] = 1;
    const std::vector<float> out = render(300);
    EXPECT_EQ(channel(0).pos, channel(1).pos);
    EXPECT_EQ(channel(0).frac, channel(1).frac);
    EXPECT_EQ(lastScope(0, 256), std::vector<uint8_t>(256, 128));
    EXPECT_EQ(status().chan_out[0], 128);
    EXPECT_EQ(out[2 * 299], ((128 + 128 + (56 & 0x7F)) / 2 - 128) / 128.0f);
}

TEST_F(Mixer, pairsAreAveragedRoundingDownAndScaledBy1Over128)
{
    struct Case {
        int slots[4]; // 0 silent, 2 byte 0 (value 128), 3 the largest value, 4 the smallest
        float left;
        float right;
    } cases[] = {{{3, 0, 0, 0}, 0.4921875f, 0.0f},
                 {{2, 0, 3, 3}, 0.0f, 0.9921875f},
                 {{4, 0, 4, 3}, -0.5f, -0.0078125f},
                 {{4, 4, 4, 4}, -1.0f, -1.0f},
                 {{0, 0, 0, 0}, 0.0f, 0.0f}};
    for (const Case &c : cases) {
        for (int ch = 0; ch < 4; ++ch) {
            channel(ch) = vxa_channel{};
            if (c.slots[ch])
                sound(ch, c.slots[ch], 856);
        }
        const std::vector<float> out = render(1);
        EXPECT_EQ(out[0], c.left) << c.slots[0];
        EXPECT_EQ(out[1], c.right) << c.slots[2];
    }
}

TEST_F(Mixer, channelValue_isScaledByTheVolumeTable)
{
    sound(0, 3, 856);
    channel(0).volume = 32;
    render(1);
    EXPECT_EQ(status().chan_out[0], 128 + 127 * 32 / 64);
}

TEST_F(Mixer, scopeRing_holdsTheLastFramesAndItsIndexWrapsAt256)
{
    sound(0, 2, 50);
    const uint8_t start = mod->scope_pos;
    render(256);
    EXPECT_EQ(mod->scope_pos, start);
    render(1000 - 256);
    // The ring holds frames 744..999. Frame k plays byte k * step (16.16) of the ramp,
    // folded into the loop 200..599; at period 50 the step is 1 + 39881/65536 bytes.
    std::vector<uint8_t> expected;
    for (uint64_t k = 744; k < 1000; ++k) {
        uint64_t pos = k * (65536 + 39881) >> 16;
        pos = pos < 600 ? pos : (pos - 600) % 400 + 200;
        expected.push_back(static_cast<uint8_t>(128 + (pos & 0x7F)));
    }
    EXPECT_EQ(lastScope(0, 256), expected);
    EXPECT_EQ(mod->scope_pos, static_cast<uint8_t>(start + 1000));
    EXPECT_EQ(status().chan_out[0], expected.back());
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
