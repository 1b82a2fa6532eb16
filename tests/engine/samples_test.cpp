// Sample files (the WAV forms and their conversion, the raw form, the signedness guess,
// slot naming, size limits, the reasons for a refusal, saving, failures that leave the
// slot and the target alone) and sample editing (loop stepping, the two loop markers,
// cropping and the three cuts, the setters), the editing checked on a ramp whose bytes
// tell where they came from.
#include "engine_fixture.h"
#include "vxa_mod_extras.h"
#include "wave_builder.h"

#include <optional>
#include <sys/stat.h>

using namespace vxtest;

namespace {

const Chunk kEightBitMono = formatChunk({});

class SampleFiles : public EngineTest {
protected:
    vxa_sample_status loadFile(const std::string &name, const Bytes &bytes)
    {
        return vxa_mod_load_sample_file(mod.get(), 1, dir.write(name, bytes).c_str());
    }
};

} // namespace

TEST(EnsureSigned, convertsOnlyDataSmootherAsUnsigned)
{
    const struct {
        Bytes in, out;
    } cases[] = {{{0x80, 0x81, 0x7F, 0x80}, {0x00, 0x01, 0xFF, 0x00}},
                 {{0x00, 0x01, 0xFF, 0x00}, {0x00, 0x01, 0xFF, 0x00}},
                 {{0x00, 0x80}, {0x00, 0x80}}, // both readings jump by 128: left as it is
                 {{0x90}, {0x90}}};
    for (auto c : cases) {
        vx_ensure_signed(c.in.data(), c.in.size());
        EXPECT_EQ(c.in, c.out);
    }
}

TEST_F(SampleFiles, rawFilesAndWavesWithoutAFormat_giveTheirSounds)
{
    const Bytes shortRiff = {'R', 'I', 'F', 'F', 1, 2, 3, 4};
    Bytes shortSound = shortRiff;
    vx_ensure_signed(shortSound.data(), shortSound.size());
    const Bytes noData = riff({kEightBitMono, {"LIST", Bytes(20, 0x80)}});
    Bytes noDataSound = noData;
    for (uint8_t &b : noDataSound)
        b ^= 0x80;
    const struct {
        const char *what;
        Bytes file, sound; // the sound as signed bytes
    } cases[] = {
        {"raw unsigned, to an even length", {0x80, 0x81, 0x7F, 0x80, 0x55}, {0, 1, 0xFF, 0}},
        {"raw signed, to an even length", {0x00, 0x01, 0xFF}, {0x00, 0x01}},
        {"raw, the largest size", Bytes(2097152, 0x80), Bytes(2097152, 0x80)},
        {"too short for a wave: raw", shortRiff, shortSound},
        {"a wave without data: the whole file, unsigned", noData, noDataSound},
        {"the first data chunk",
         riff({kEightBitMono, {"data", {0x80, 0xFF, 0x00, 0x81}}, {"data", {0x10, 0x10}}}),
         {0x00, 0x7F, 0x80, 0x01}},
        {"data cut by the file's end", riff({kEightBitMono, {"data", Bytes(600, 0x90), 1000}}),
         Bytes(600, 0x10)},
    };
    for (const auto &c : cases) {
        ASSERT_EQ(loadFile("file.wav", c.file), VXA_SAMPLE_LOADED) << c.what;
        EXPECT_EQ(soundOf(1), c.sound) << c.what;
    }
}

TEST_F(SampleFiles, wave_convertsEveryReadableFormToSignedEightBitMono)
{
    // Each frame's channels averaged and scaled to 8 bits, to the nearest step with
    // halves away from zero, clipped to -128..127. Values little-endian; 8-bit unsigned.
    const auto pcm = [](uint16_t channels, uint16_t bits, bool extensible = false) {
        return formatChunk({.channels = channels, .bits = bits, .extensible = extensible});
    };
    const auto ieee = [](uint16_t channels, bool extensible = false) {
        return formatChunk({.tag = 3, .channels = channels, .bits = 32, .extensible = extensible});
    };
    const Bytes stereo16 = hex("0040 0040 FF7F 0080  0001 0000 00C0 00C0"); // 64 -1/512 1/2 -64
    const Bytes mono32f = hex("0000803F 000080BF 0000003F 0000803B");       // 1 -1 0.5 1/256
    const struct {
        const char *form;
        std::optional<Chunk> format;
        Bytes data, sound;
    } cases[] = {
        {"8-bit mono, byte for byte", pcm(1, 8), hex("00 80 FF 7F"), hex("80 00 7F FF")},
        {"no format chunk: 8-bit mono", std::nullopt, hex("00 80 FF 7F"), hex("80 00 7F FF")},
        {"8-bit stereo", pcm(2, 8), hex("0002 FF80 8180 7F80"), hex("81 40 01 FF")},
        {"16-bit mono", pcm(1, 16), hex("FF7F 0080 8000 81FE"), hex("7F 80 01 FF")},
        {"16-bit, a partial and an odd frame dropped", pcm(1, 16), hex("0001 0002 0003 00"),
         hex("01 02")},
        {"16-bit stereo", pcm(2, 16), stereo16, hex("40 00 01 C0")},
        {"16-bit stereo, extensible", pcm(2, 16, true), stereo16, hex("40 00 01 C0")},
        {"16-bit, three channels", pcm(3, 16),
         hex("000300000000 FF7FFF7FFF7F 008000800080 800100000000"), hex("01 7F 80 01")},
        {"24-bit mono", pcm(1, 24), hex("FFFF7F 000080 008000 563412"), hex("7F 80 01 12")},
        {"32-bit mono", pcm(1, 32), hex("FFFFFF7F 00000080 00008000 FFFF7FFF"), hex("7F 80 01 FF")},
        {"float mono", ieee(1), mono32f, hex("7F 80 40 01")},
        {"float mono, extensible", ieee(1, true), mono32f, hex("7F 80 40 01")},
        {"float stereo beyond full scale, not a number", ieee(2),
         hex("00000040 00000040  0000C07F 00000000  000080BE 000080BE  0000803F 000080BF"),
         hex("7F 00 E0 00")}, // 2 2, NaN 0, -1/4 -1/4, 1 -1
    };
    for (const auto &c : cases) {
        std::vector<Chunk> chunks = {{"odd ", Bytes(11, 1)}, {"data", c.data}};
        if (c.format)
            chunks.insert(chunks.begin(), *c.format);
        ASSERT_EQ(loadFile("form.wav", riff(chunks)), VXA_SAMPLE_LOADED) << c.form;
        EXPECT_EQ(soundOf(1), c.sound) << c.form;
    }
}

TEST_F(SampleFiles, wave_takesTheFirstSamplerLoop_fittedIntoTheSound)
{
    const struct {
        std::vector<std::pair<uint32_t, uint32_t>> loops; // first and last frame played
        uint32_t start, length;
    } cases[] = {
        {{{10, 29}, {0, 39}}, 10, 20},
        {{{11, 30}}, 10, 20},
        {{{30, 100}}, 30, 10},
        {{{39, 39}}, 0, 0},
        {{{50, 60}}, 0, 0},
        {{{20, 9}}, 0, 0},
        {{}, 0, 0},
    };
    const Chunk sound = {"data", Bytes(80, 0x10)}; // 40 frames of 16 bits
    for (const auto &c : cases) {
        const auto loops = ::testing::PrintToString(c.loops);
        const Bytes file = riff({formatChunk({.bits = 16}), sound, samplerChunk(c.loops)});
        ASSERT_EQ(loadFile("loop.wav", file), VXA_SAMPLE_LOADED) << loops;
        EXPECT_EQ(info(1).length, 40u);
        EXPECT_EQ(info(1).loop_start, c.start) << loops;
        EXPECT_EQ(info(1).loop_length, c.length) << loops;
    }
}

TEST_F(SampleFiles, load_namesTheSlotAfterTheFile)
{
    const struct {
        const char *file, *name;
    } cases[] = {{"Kick drum.raw", "KICK DRUM.RAW"},
                 {"D:\\snd\\hat.smp", "HAT.SMP"},
                 {"a`{|}~\x7f\xc3\xa9_Z.raw", "A        _Z.RAW"},
                 {"abcdefghijklmnopqrstuvwxyz.raw", "ABCDEFGHIJKLMNOPQRSTUV"}};
    for (const auto &c : cases) {
        ASSERT_EQ(loadSample(1, c.file, Bytes(8, 0x80)), 0);
        EXPECT_STREQ(info(1).name, c.name);
    }
}

TEST_F(SampleFiles, load_setsVolumeDropsLoopAndFinetuneAndExtendsTheModule)
{
    load(ModBuilder(15).sample(3, {.lengthWords = 50,
                                   .finetune = 5,
                                   .volume = 30,
                                   .loopStartWords = 2,
                                   .loopLengthWords = 10}));
    vxa_sample_info out{};
    EXPECT_EQ(vxa_mod_get_sample_info(mod.get(), 20, &out), -1);

    ASSERT_EQ(loadSample(20, "x.raw", Bytes(8, 0x80)), 0);
    EXPECT_EQ(info(20).volume, 64);
    EXPECT_EQ(vxa_mod_get_sample_info(mod.get(), 21, &out), -1);
    ASSERT_EQ(loadSample(3, "y.raw", Bytes(8, 0x80)), 0);
    EXPECT_EQ(info(3).volume, 30);
    EXPECT_EQ(info(3).loop_start, 0u);
    EXPECT_EQ(info(3).loop_length, 0u);
    EXPECT_EQ(save().at(20 + 2 * 30 + 24), 0); // nor the module's finetune
    ASSERT_EQ(loadSample(5, "z.raw", Bytes(8, 0x80)), 0);
    EXPECT_EQ(info(20).length, 8u); // loading a lower slot keeps the count at 20
}

TEST_F(SampleFiles, refusedFile_saysWhy_andKeepsTheSlot)
{
    ASSERT_EQ(loadSample(1, "good.raw", {0x80, 0x90, 0xA0, 0xB0}), 0);
    vxa_mod_step_loop_length(mod.get(), 1, 1);
    std::filesystem::create_directory(dir.path() / "folder.wav");
    ASSERT_EQ(mkfifo(dir.file("pipe.wav").c_str(), 0600), 0);
    const auto withFormat = [](const Chunk &format) {
        return riff({format, {"data", Bytes(64, 0x10)}});
    };
    Chunk foreignGuid = formatChunk({.bits = 16, .extensible = true});
    foreignGuid.data[30] ^= 0xFF;
    Chunk cutExtensible = formatChunk({.bits = 16, .extensible = true});
    cutExtensible.data.resize(30);
    const struct {
        const char *name;
        std::optional<Bytes> bytes; // none: the name is a folder, a pipe or nothing
        vxa_sample_status status;
    } cases[] = {
        {"missing.raw", std::nullopt, VXA_SAMPLE_NOT_READ},
        {"folder.wav", std::nullopt, VXA_SAMPLE_NOT_READ},
        {"pipe.wav", std::nullopt, VXA_SAMPLE_NOT_READ},
        {"one.raw", Bytes{0x80}, VXA_SAMPLE_NO_SOUND},
        {"huge.raw", Bytes(2097153, 0x80), VXA_SAMPLE_TOO_LARGE},
        {"empty.wav", riff({kEightBitMono, {"LIST", Bytes(8, 0)}, {"data", {}}}),
         VXA_SAMPLE_NO_SOUND},
        {"one-frame.wav", riff({formatChunk({.bits = 16}), {"data", {1, 2, 3}}}),
         VXA_SAMPLE_NO_SOUND},
        {"adpcm.wav", withFormat(formatChunk({.tag = 2, .bits = 4})), VXA_SAMPLE_WAV_FORMAT},
        {"12-bit.wav", withFormat(formatChunk({.bits = 12, .blockAlign = 2})),
         VXA_SAMPLE_WAV_FORMAT},
        {"double.wav", withFormat(formatChunk({.tag = 3, .bits = 64})), VXA_SAMPLE_WAV_FORMAT},
        {"a-law.wav", withFormat(formatChunk({.tag = 6, .extensible = true})),
         VXA_SAMPLE_WAV_FORMAT},
        {"guid.wav", withFormat(foreignGuid), VXA_SAMPLE_WAV_FORMAT},
        {"cut-guid.wav", withFormat(cutExtensible), VXA_SAMPLE_WAV_FORMAT},
        {"33-bit-float.wav", withFormat(formatChunk({.tag = 3, .bits = 33, .blockAlign = 4})),
         VXA_SAMPLE_WAV_FORMAT},
        {"silent.wav", withFormat(formatChunk({.channels = 0})), VXA_SAMPLE_WAV_FORMAT},
        {"padded.wav", withFormat(formatChunk({.channels = 2, .bits = 16, .blockAlign = 8})),
         VXA_SAMPLE_WAV_FORMAT},
        {"short-format.wav", withFormat({"fmt ", Bytes(14, 1)}), VXA_SAMPLE_WAV_FORMAT},
    };
    for (const auto &c : cases) {
        const std::string path = c.bytes ? dir.write(c.name, *c.bytes) : dir.file(c.name);
        EXPECT_EQ(vxa_mod_load_sample_file(mod.get(), 1, path.c_str()), c.status) << c.name;
        EXPECT_EQ(vxa_mod_load_sample(mod.get(), 1, path.c_str()), -1) << c.name;
        EXPECT_STREQ(info(1).name, "GOOD.RAW") << c.name;
        EXPECT_EQ(info(1).loop_length, 4u) << c.name;
        EXPECT_EQ(soundOf(1), (Bytes{0x80, 0x90, 0xA0, 0xB0})) << c.name;
    }
}

TEST_F(SampleFiles, badArgumentsAndBlockedSaves_areRefusedLeavingFilesAlone)
{
    ASSERT_EQ(loadSample(2, "wave.raw", Bytes(64, 0x80)), 0);
    std::filesystem::create_directory(dir.path() / "taken.raw");
    EXPECT_EQ(vxa_mod_save_sample(mod.get(), 2, dir.file("taken.raw").c_str()), -1);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "taken.raw"));
    for (int32_t slot : {0, 32, -1})
        EXPECT_EQ(loadSample(slot, "x.raw", Bytes(8, 0x80)), -1) << slot;
    EXPECT_EQ(vxa_mod_load_sample(mod.get(), 1, nullptr), -1);
    EXPECT_EQ(vxa_mod_save_sample(mod.get(), 1, dir.file("empty.raw").c_str()), -1);
    EXPECT_EQ(vxa_mod_save_sample(mod.get(), 32, dir.file("out.raw").c_str()), -1);
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"taken.raw", "wave.raw", "x.raw"}));
}

TEST_F(SampleFiles, save_writesUnsignedBytesThatReadBackUnchanged)
{
    Bytes wave;
    for (int i = 0; i < 10000; ++i) // longer than one 4096-byte block
        wave.push_back(static_cast<uint8_t>(128 + (i % 64) - 32));
    ASSERT_EQ(loadSample(1, "wave.raw", wave), 0);
    const auto path = dir.file("out.smp");
    ASSERT_EQ(vxa_mod_save_sample(mod.get(), 1, path.c_str()), 0);
    EXPECT_EQ(readFile(path), wave);
    ASSERT_EQ(vxa_mod_load_sample(mod.get(), 2, path.c_str()), 0);
    EXPECT_EQ(soundOf(2), soundOf(1));
}

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
        {start, 0, 0, 60, {98, 0}},      // no loop: a pending start, kept inside the sample
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

    makeRamp(2000, 1000, 1700); // from an odd byte: new start 971, length 1540 - 971
    ASSERT_EQ(vxa_mod_crop_sample(mod.get(), 1, 29, 1540), 0);
    EXPECT_EQ(loop(), (Loop{970, 568})); // both rounded down after the length is taken
    ASSERT_EQ(vxa_mod_cut_sample_tail(mod.get(), 1), 0);
    EXPECT_EQ(info().length, 1538u);
    EXPECT_EQ(loop(), (Loop{970, 568}));

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
