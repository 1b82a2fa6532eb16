// Writing MOD files: byte layout, round trips through the reader, the limits the writer
// applies, and saves that fail without touching the file already at the target.
#include "engine_fixture.h"

#include <csignal>
#include <cstring>
#include <sys/resource.h>

using namespace vxtest;

namespace {

uint16_t word(const Bytes &bytes, size_t offset)
{
    return static_cast<uint16_t>(bytes.at(offset) << 8 | bytes.at(offset + 1));
}

size_t headerOffset(int slot)
{
    return 20 + (slot - 1) * 30;
}

void putData(vxa_sample &slot, uint32_t length, uint8_t value)
{
    std::free(slot.data);
    slot.data = static_cast<int8_t *>(std::malloc(length));
    std::memset(slot.data, value, length);
    slot.length = length;
}

// A module in the writer's own canonical form: 31 samples, "M.K.", exact periods,
// sample numbers up to 31, no-loop words of 1, trimmed texts.
ModBuilder canonicalModule()
{
    ModBuilder builder;
    builder.title("ROUND TRIP")
        .sample(1, {.name = "KICK", .lengthWords = 40, .finetune = 3, .volume = 64})
        .sample(2, {.name = "PAD",
                    .lengthWords = 100,
                    .volume = 20,
                    .loopStartWords = 10,
                    .loopLengthWords = 50})
        .sample(31, {.name = "TOP SLOT", .lengthWords = 3, .finetune = 0x0F, .volume = 0})
        .song(3, 1, {0, 2, 1, 7})
        .note(0, 0, 0, 856, 1, 0x0F, 0x06)
        .note(1, 10, 2, 113, 31, 0x0C, 0x40)
        .note(2, 63, 3, 428, 17, 0x0E, 0x91);
    return builder;
}

using ModWriter = EngineTest;

} // namespace

TEST_F(ModWriter, canonicalModule_roundTripsByteForByteOverAnExistingFile)
{
    const Bytes original = canonicalModule().build();
    ASSERT_EQ(loadBytes(original), 0);
    dir.write("out.mod", {'o', 'l', 'd'});
    EXPECT_EQ(save(), original);
}

TEST_F(ModWriter, fifteenSampleModule_isWrittenInTheLongForm)
{
    load(ModBuilder(15)
             .title("OLD")
             .sample(15, {.name = "S15", .lengthWords = 2})
             .note(0, 0, 0, 254, 15));
    const Bytes written = save();
    ASSERT_EQ(written.size(), 1084u + 1024 + 4);
    EXPECT_EQ(std::memcmp(written.data() + 1080, "M.K.", 4), 0);
    ASSERT_EQ(loadBytes(written), 0);
    EXPECT_EQ(mod->num_samples, 31);
    EXPECT_STREQ(mod->samples[14].name, "S15");
    EXPECT_EQ(std::memcmp(mod->patterns, "\x16\x0F", 2), 0);
}

TEST_F(ModWriter, cells_writeExactPeriodsAndFiveBitSampleNumbers)
{
    load(ModBuilder().cell(0, 0, 0, {0xF1, 0xAC, 0x3C, 0x20})); // period 428, sample 0xF3
    mod->patterns[4] = 37;                                      // a note the table lacks
    mod->patterns[5] = 1;
    const Bytes written = save();
    EXPECT_EQ(std::memcmp(written.data() + 1084, "\x11\xAC\x3C\x20", 4), 0); // 0xF3 keeps 0x13
    EXPECT_EQ(std::memcmp(written.data() + 1088, "\x00\x00\x10\x00", 4), 0);
}

TEST_F(ModWriter, songLengthAndRestart_areLimitedOnWriting)
{
    load(ModBuilder().song(2, 0, {0, 0}));
    mod->song_length = 0;
    EXPECT_EQ(save().at(950), 1);
    mod->song_length = 2;
    mod->restart_pos = 3;
    const Bytes written = save();
    EXPECT_EQ(written.at(950), 2);
    EXPECT_EQ(written.at(951), 0);
}

TEST_F(ModWriter, patterns_areTheOnesTheReaderWillCount)
{
    load(ModBuilder().song(3, 0, {0, 1, 2}).sample(1, {.lengthWords = 2}).note(0, 4, 1, 428, 1));
    mod->song_length = 2; // the song no longer reaches pattern 2
    Bytes written = save();
    EXPECT_EQ(written.size(), 1084u + 2 * 1024 + 4);
    ASSERT_EQ(loadBytes(written), 0);
    EXPECT_EQ(mod->num_patterns, 2);
    EXPECT_EQ(mod->samples[0].data[3], 21);

    mod->song_length = 3;
    mod->orders[2] = 4; // beyond the patterns held; plays as pattern 0
    ASSERT_EQ(loadBytes(save()), 0);
    ASSERT_EQ(mod->num_patterns, 5);
    EXPECT_EQ(mod->patterns[4 * 1024 + 4 * 16 + 4], 13);
    EXPECT_EQ(mod->samples[0].data[3], 21);
}

TEST_F(ModWriter, sampleData_isWrittenInWordsAsItsHeadersDescribe)
{
    load(ModBuilder().sample(2, {.lengthWords = 2}).sampleData(2, {1, 2, 3, 4}));
    putData(mod->samples[0], 2, 7); // 2 bytes: one word, read back as an empty slot
    putData(mod->samples[2], 5, 5); // odd: padded with one zero byte
    mod->samples[2].loop_length = 2;
    const Bytes written = save();
    EXPECT_EQ(word(written, headerOffset(1) + 22), 1);
    EXPECT_EQ(word(written, headerOffset(3) + 22), 3);
    EXPECT_EQ(word(written, headerOffset(3) + 26), 0);
    EXPECT_EQ(word(written, headerOffset(3) + 28), 1);
    EXPECT_EQ(Bytes(written.begin() + 1084 + 1024, written.end()),
              (Bytes{7, 7, 1, 2, 3, 4, 5, 5, 5, 5, 5, 0}));
    ASSERT_EQ(loadBytes(written), 0);
    EXPECT_EQ(mod->samples[0].data, nullptr);
    EXPECT_EQ(mod->samples[2].length, 6u);

    putData(mod->samples[0], 200000, 0); // too long for the header: its first 131070 bytes
    mod->samples[0].loop_start = 131000;
    mod->samples[0].loop_length = 1000;
    const Bytes big = save();
    EXPECT_EQ(word(big, headerOffset(1) + 22), 65535);
    EXPECT_EQ(word(big, headerOffset(1) + 26), 65500);
    EXPECT_EQ(word(big, headerOffset(1) + 28), 35);
    EXPECT_EQ(big.size(), 1084u + 1024 + 131070 + 4 + 6);
}

TEST_F(ModWriter, finetune_keepsItsLowNibbleThroughLoadAndSave)
{
    load(ModBuilder().sample(4, {.lengthWords = 2, .finetune = 0xFD}));
    EXPECT_EQ(mod->samples[3].finetune, 0x0D);
    EXPECT_EQ(save().at(headerOffset(4) + 24), 0x0D);
}

TEST_F(ModWriter, nothingLoaded_writesNoFile)
{
    EXPECT_EQ(vxa_mod_save(mod.get(), dir.file("none.mod").c_str()), -1);
    EXPECT_EQ(vxa_mod_save(mod.get(), nullptr), -1);
    EXPECT_TRUE(dir.names().empty());
}

TEST_F(ModWriter, failedSave_leavesTheExistingFileAndNoLeftovers)
{
    load(canonicalModule());
    const auto target = dir.write("keep.mod", {'o', 'l', 'd'});
    EXPECT_EQ(vxa_mod_save(mod.get(), dir.file("missing/x.mod").c_str()), -1);
    // A folder in the way of the rename: the save fails and the folder stays.
    std::filesystem::create_directory(dir.path() / "folder.mod");
    EXPECT_EQ(vxa_mod_save(mod.get(), dir.file("folder.mod").c_str()), -1);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "folder.mod"));
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"folder.mod", "in.mod", "keep.mod"}));

    // A short write: the file size limit stops the module part way.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 2000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int32_t result = vxa_mod_save(mod.get(), target.c_str());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(readFile(target), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"folder.mod", "in.mod", "keep.mod"}));
}
