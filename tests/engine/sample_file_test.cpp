// Sample files: the WAV and raw forms, the signedness guess, slot naming, the size
// limits, saving, and failures that must leave the slot and the target file alone.
#include "engine_fixture.h"

using namespace vxtest;

namespace {

struct Chunk {
    const char *id;
    Bytes data;
    uint32_t declared = UINT32_MAX; // the size in the header when not the data's
};

// A RIFF file with the given chunks after the 12-byte header; odd sizes are padded.
Bytes riff(const std::vector<Chunk> &chunks)
{
    Bytes out = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    for (const auto &c : chunks) {
        const auto size = c.declared != UINT32_MAX ? c.declared : uint32_t(c.data.size());
        out.insert(out.end(), c.id, c.id + 4);
        for (int shift = 0; shift < 32; shift += 8)
            out.push_back(static_cast<uint8_t>(size >> shift));
        out.insert(out.end(), c.data.begin(), c.data.end());
        if (c.data.size() & 1)
            out.push_back(0);
    }
    return out;
}

using SampleFiles = EngineTest;

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

TEST_F(SampleFiles, rawFile_isTakenWholeToAnEvenLength)
{
    ASSERT_EQ(loadSample(1, "five.raw", {0x80, 0x81, 0x7F, 0x80, 0x55}), 0);
    EXPECT_EQ(info(1).length, 4u);
    EXPECT_EQ(soundOf(1), (Bytes{0x00, 0x01, 0xFF, 0x00})); // unsigned, so converted
    ASSERT_EQ(loadSample(1, "three.raw", {0x00, 0x01, 0xFF}), 0);
    EXPECT_EQ(info(1).length, 2u);
    EXPECT_EQ(loadSample(1, "one.raw", {0x80}), -1);
    EXPECT_EQ(loadSample(1, "huge.raw", Bytes(2097153, 0x80)), -1);
    EXPECT_EQ(loadSample(2, "max.raw", Bytes(2097152, 0x80)), 0);
    EXPECT_EQ(info(2).length, 2097152u);
}

TEST_F(SampleFiles, shortFileStartingWithRiff_isRaw)
{
    const Bytes bytes = {'R', 'I', 'F', 'F', 1, 2, 3, 4};
    ASSERT_EQ(loadSample(1, "short.wav", bytes), 0);
    Bytes expected = bytes;
    vx_ensure_signed(expected.data(), expected.size());
    EXPECT_EQ(soundOf(1), expected);
}

TEST_F(SampleFiles, wave_takesTheFirstDataChunkPastOddPaddedChunks)
{
    const Bytes bytes = riff({{"fmt ", Bytes(16, 1)},
                              {"odd ", {1, 2, 3}},
                              {"data", {0x80, 0xFF, 0x00, 0x81}},
                              {"data", {0x10, 0x10}}});
    ASSERT_EQ(loadSample(1, "a.wav", bytes), 0);
    EXPECT_EQ(soundOf(1), (Bytes{0x00, 0x7F, 0x80, 0x01})); // always unsigned: flipped
}

TEST_F(SampleFiles, wave_dataChunkIsClippedToTheFile)
{
    const Bytes cut = riff({{"fmt ", Bytes(16, 1)}, {"data", Bytes(600, 0x90), 1000}});
    ASSERT_EQ(loadSample(1, "cut.wav", cut), 0);
    EXPECT_EQ(info(1).length, 600u);
    const Bytes tiny = riff({{"fmt ", Bytes(16, 1)}, {"LIST", Bytes(8, 0)}, {"data", {0x90}}});
    EXPECT_EQ(loadSample(2, "tiny.wav", tiny), -1);
}

TEST_F(SampleFiles, riffWithoutData_isTheWholeFileUnsigned)
{
    const Bytes bytes = riff({{"fmt ", Bytes(16, 1)}, {"LIST", Bytes(20, 0x80)}});
    ASSERT_EQ(loadSample(1, "nodata.wav", bytes), 0);
    Bytes expected = bytes;
    for (uint8_t &b : expected)
        b ^= 0x80;
    EXPECT_EQ(soundOf(1), expected);
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

TEST_F(SampleFiles, failedLoad_keepsTheSlotAsItWas)
{
    ASSERT_EQ(loadSample(1, "good.raw", {0x80, 0x90, 0xA0, 0xB0}), 0);
    vxa_mod_step_loop_length(mod.get(), 1, 1);
    EXPECT_EQ(loadSample(1, "bad.raw", {0x80}), -1);
    EXPECT_EQ(vxa_mod_load_sample(mod.get(), 1, dir.file("missing.raw").c_str()), -1);
    EXPECT_EQ(loadSample(1, "empty.wav",
                         riff({{"fmt ", Bytes(16, 1)}, {"LIST", Bytes(8, 0)}, {"data", {}}})),
              -1);
    EXPECT_STREQ(info(1).name, "GOOD.RAW");
    EXPECT_EQ(info(1).loop_length, 4u);
    EXPECT_EQ(soundOf(1), (Bytes{0x80, 0x90, 0xA0, 0xB0}));
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
