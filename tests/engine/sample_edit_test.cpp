// Sample editing: loop stepping, the two loop markers, cropping and the three cuts, and
// the slot setters, checked on a 100-byte ramp whose bytes tell where they came from.
#include "engine_fixture.h"

using namespace vxtest;

namespace {

struct Loop {
    uint32_t start;
    uint32_t length;
    bool operator==(const Loop &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Loop &loop)
{
    return out << "[" << loop.start << ", +" << loop.length << ")";
}

class SampleEdit : public EngineTest {
protected:
    // Slot 1 holds bytes 0..length-1 with the loop [loopStart, loopEnd) when given.
    void makeRamp(uint32_t length, uint32_t loopStart = 0, uint32_t loopEnd = 0)
    {
        Bytes ramp(length);
        for (uint32_t i = 0; i < length; ++i)
            ramp[i] = static_cast<uint8_t>(i);
        ASSERT_EQ(loadSample(1, "ramp.raw", ramp), 0);
        if (loopEnd > loopStart) {
            vxa_mod_set_loop_mark_a(mod.get(), 1, loopStart);
            vxa_mod_set_loop_mark_b(mod.get(), 1, loopEnd);
            ASSERT_EQ(loop(), (Loop{loopStart, loopEnd - loopStart}));
        }
    }
    Loop loop() const { return {info().loop_start, info().loop_length}; }
    // The first and last byte of the slot's sound.
    std::pair<int, int> ends()
    {
        const Bytes sound = soundOf(1);
        return sound.empty() ? std::pair{-1, -1} : std::pair<int, int>{sound.front(), sound.back()};
    }
};

} // namespace

TEST_F(SampleEdit, loopStepping_pendingStartThenLength)
{
    makeRamp(100);
    vxa_mod_step_loop_start(mod.get(), 1, 1);
    EXPECT_EQ(loop(), (Loop{2, 0}));
    vxa_mod_step_loop_length(mod.get(), 1, 1);
    EXPECT_EQ(loop(), (Loop{2, 4}));
    vxa_mod_step_loop_start(mod.get(), 1, -100);
    EXPECT_EQ(loop(), (Loop{0, 4}));
}

TEST_F(SampleEdit, loopStepping_keepsTheLoopInsideTheSample)
{
    const auto start = vxa_mod_step_loop_start, length = vxa_mod_step_loop_length;
    const struct {
        void (*step)(vxa_mod *, uint32_t, int32_t);
        uint32_t loopStart, loopEnd;
        int32_t words;
        Loop expected;
    } cases[] = {
        {start, 10, 90, 45, {0, 0}},     // start 100 -> 98, length would be 2: removed
        {start, 10, 90, 5, {20, 80}},    // still fits
        {start, 10, 90, 20, {50, 50}},   // end pulled back to the sample's end
        {length, 10, 14, 100, {10, 90}}, // limited to the room after the start
        {length, 10, 14, -1, {0, 0}},    // 2 bytes left: removed
        {length, 10, 90, -1000, {0, 0}},
    };
    for (const auto &c : cases) {
        makeRamp(100, c.loopStart, c.loopEnd);
        c.step(mod.get(), 1, c.words);
        EXPECT_EQ(loop(), c.expected) << c.loopStart << ".." << c.loopEnd << " by " << c.words;
    }
}

TEST_F(SampleEdit, markers_keepTheOtherEndWherePossible)
{
    const auto a = vxa_mod_set_loop_mark_a, b = vxa_mod_set_loop_mark_b;
    const struct {
        void (*mark)(vxa_mod *, uint32_t, uint32_t);
        uint32_t offset;
        Loop expected;
    } cases[] = {{a, 40, {40, 50}}, {a, 41, {40, 50}},   {a, 95, {94, 4}},  {a, 98, {0, 100}},
                 {a, 99, {0, 100}}, {a, 5000, {0, 100}}, {b, 50, {10, 40}}, {b, 12, {8, 4}},
                 {b, 2, {0, 4}},    {b, 500, {10, 90}},  {b, 14, {10, 4}}};
    for (const auto &c : cases) {
        makeRamp(100, 10, 90);
        c.mark(mod.get(), 1, c.offset);
        EXPECT_EQ(loop(), c.expected) << (c.mark == a ? "A " : "B ") << c.offset;
    }
    makeRamp(100);
    vxa_mod_set_loop_mark_a(mod.get(), 1, 30);
    EXPECT_EQ(loop(), (Loop{30, 70})); // without a loop the end is the sample's end
    makeRamp(2);
    vxa_mod_set_loop_mark_a(mod.get(), 1, 0);
    vxa_mod_set_loop_mark_b(mod.get(), 1, 2);
    EXPECT_EQ(loop(), (Loop{0, 0})); // a loop needs at least four bytes
}

TEST_F(SampleEdit, cuts_keepTheRightBytesAndRebaseTheLoop)
{
    const struct {
        int32_t (*cut)(vxa_mod *, int32_t);
        uint32_t length;
        Loop loop;
        std::pair<int, int> ends;
    } cases[] = {{vxa_mod_cut_sample_head, 90, {0, 80}, {10, 99}},
                 {vxa_mod_cut_sample_tail, 90, {10, 80}, {0, 89}},
                 {vxa_mod_trim_sample_to_loop, 80, {0, 80}, {10, 89}}};
    for (const auto &c : cases) {
        makeRamp(100, 10, 90);
        ASSERT_EQ(c.cut(mod.get(), 1), 0);
        EXPECT_EQ(info().length, c.length);
        EXPECT_EQ(loop(), c.loop);
        EXPECT_EQ(ends(), c.ends);
    }
}

TEST_F(SampleEdit, cuts_refuseWhenThereIsNothingToCutOrTheSlotIsNotInUse)
{
    makeRamp(100, 10, 100);
    EXPECT_EQ(vxa_mod_cut_sample_tail(mod.get(), 1), -1); // loop already ends at the end
    EXPECT_EQ(loop(), (Loop{10, 90}));
    makeRamp(100);
    EXPECT_EQ(vxa_mod_trim_sample_to_loop(mod.get(), 1), -1);
    EXPECT_EQ(vxa_mod_cut_sample_head(mod.get(), 1), -1); // start 0
    vxa_mod_step_loop_start(mod.get(), 1, 10);            // a pending start still cuts
    EXPECT_EQ(vxa_mod_cut_sample_head(mod.get(), 1), 0);
    EXPECT_EQ(info().length, 80u);
    EXPECT_EQ(ends(), std::make_pair(20, 99));
    EXPECT_EQ(loop(), (Loop{0, 0}));
    EXPECT_EQ(vxa_mod_cut_sample_head(mod.get(), 2), -1); // beyond the slots in use

    load(ModBuilder(15));
    ASSERT_EQ(loadSample(20, "r.raw", Bytes(100, 0x80)), 0);
    ASSERT_EQ(loadSample(25, "s.raw", Bytes(100, 0x80)), 0);
    // Loading slot 25 raised the count to 25, so slot 20 is in use; 26 is not.
    vxa_mod_set_loop_mark_a(mod.get(), 20, 10);
    EXPECT_EQ(vxa_mod_cut_sample_head(mod.get(), 20), 0);
    vxa_mod_set_loop_mark_a(mod.get(), 26, 10);
    EXPECT_EQ(vxa_mod_cut_sample_head(mod.get(), 26), -1);
}

TEST_F(SampleEdit, crop_clipsToTheSampleAndDropsLoopsOutsideIt)
{
    makeRamp(100, 10, 30);
    ASSERT_EQ(vxa_mod_crop_sample(mod.get(), 1, 50, 1000), 0);
    EXPECT_EQ(info().length, 50u);
    EXPECT_EQ(loop(), (Loop{0, 0}));
    EXPECT_EQ(ends(), std::make_pair(50, 99));

    makeRamp(100, 10, 60);
    ASSERT_EQ(vxa_mod_crop_sample(mod.get(), 1, 20, 21), 0); // odd count: 20 bytes kept
    EXPECT_EQ(info().length, 20u);
    EXPECT_EQ(loop(), (Loop{0, 20}));

    EXPECT_EQ(vxa_mod_crop_sample(mod.get(), 1, 20, 10), -1); // from beyond the end
    EXPECT_EQ(vxa_mod_crop_sample(mod.get(), 1, 19, 10), -1); // one byte left
    EXPECT_EQ(vxa_mod_crop_sample(mod.get(), 2, 0, 10), -1);  // empty slot
    EXPECT_EQ(info().length, 20u);
}

TEST_F(SampleEdit, settersAndClear_limitVolumeAndTexts)
{
    makeRamp(10);
    vxa_mod_set_sample_volume(mod.get(), 1, 100);
    EXPECT_EQ(info().volume, 64);
    vxa_mod_set_sample_volume(mod.get(), 1, -100);
    EXPECT_EQ(info().volume, 0);
    vxa_mod_set_sample_volume(mod.get(), 1, INT32_MIN);
    EXPECT_EQ(info().volume, 0);

    vxa_mod_set_sample_name(mod.get(), 1, "A NAME LONGER THAN TWENTY-TWO");
    EXPECT_STREQ(info().name, "A NAME LONGER THAN TWE");
    vxa_mod_set_sample_name(mod.get(), 1, nullptr);
    EXPECT_STREQ(info().name, "");

    vxa_mod_set_sample_name(mod.get(), 1, "NAMED");
    ASSERT_EQ(vxa_mod_clear_sample(mod.get(), 1), 0);
    EXPECT_EQ(info().length + info().volume, 0u);
    EXPECT_STREQ(info().name, "");
    EXPECT_EQ(soundOf(1), Bytes{});
    EXPECT_EQ(vxa_mod_clear_sample(mod.get(), 0), -1);
    EXPECT_EQ(vxa_mod_clear_sample(mod.get(), 31), 0);

    load(ModBuilder().title("OLD"));
    vxa_mod_set_title(mod.get(), "TWENTY-FIVE CHARACTERS!!");
    const Bytes bytes = save();
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 20), "TWENTY-FIVE CHARACTE");
}

TEST_F(SampleEdit, playingSlot_keepsRenderingSafelyThroughEdits)
{
    // A looped slot sounds on channel 0 while it is cropped, cleared and replaced
    // between renders; the sanitizers catch any read outside the data.
    makeRamp(1000, 200, 1000);
    vxa_mod_trigger(mod.get(), 0, 36, 1);
    render(4096); // deep inside the loop now
    ASSERT_EQ(vxa_mod_trim_sample_to_loop(mod.get(), 1), 0);
    EXPECT_NE(render(4096)[2 * 4095], 0.0f); // wrapped back into the shorter loop
    ASSERT_EQ(vxa_mod_crop_sample(mod.get(), 1, 0, 40), 0);
    render(4096);
    ASSERT_EQ(vxa_mod_clear_sample(mod.get(), 1), 0);
    EXPECT_EQ(render(4096)[2 * 4095], 0.0f);
    makeRamp(16);
    EXPECT_EQ(render(4096)[2 * 4095], 0.0f); // the old position lies past the new one-shot sound
}
