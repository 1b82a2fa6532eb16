// MOD files: reading both forms (from a file or from its bytes), texts, sample headers and data,
// the song, pattern conversion and refusals that leave no module behind (other formats, files that
// are not regular files, more bytes than a module can use); writing, round trips through the
// reader, the writer's limits, and saves that fail without touching the file at the target.
#include "engine_fixture.h"
#include "vxa_mod_extras.h"

#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <future>
#include <optional>
#include <sys/stat.h>
#include <tuple>

using namespace vxtest;

namespace {

class ModReader : public EngineTest {
protected:
    const uint8_t *cell(int pattern, int row, int channel) const
    {
        return mod->patterns + pattern * 1024 + row * 16 + channel * 4;
    }
};

} // namespace

TEST(PeriodToNote, exactNearestAndTies)
{
    const struct {
        uint32_t period;
        uint8_t note;
    } cases[] = {{0, 0},   {428, 13}, {113, 36}, {856, 1}, {1712, 1}, {57, 36},
                 {832, 1}, {431, 13}, {4095, 1}, {1, 36},  {415, 14}, {416, 13}};
    for (const auto &c : cases)
        EXPECT_EQ(period_to_note(c.period), c.note) << c.period;
}

TEST_F(ModReader, truncationAtEveryOffset_isRefusedAndUnloadsTheModuleBefore)
{
    const Bytes bytes = ModBuilder()
                            .song(2, 0, {0, 1})
                            .sample(1, {.lengthWords = 3})
                            .sample(31, {.lengthWords = 2})
                            .build();
    for (size_t size = 0; size < bytes.size(); size += (size < 1000 ? 97 : 1)) {
        if ((bytes.size() - size) % 16 == 1) { // now and then a good module first
            ASSERT_EQ(loadBytes(bytes), 0);
        }
        ASSERT_EQ(loadBytes(Bytes(bytes.begin(), bytes.begin() + size)), -1) << size;
        ASSERT_EQ(mod->patterns, nullptr) << size;
        ASSERT_EQ(loadBytes(bytes), 0);
        ASSERT_EQ(vxa_mod_load_image(mod.get(), bytes.data(), size), -1) << size;
        ASSERT_EQ(mod->patterns, nullptr) << size;
        ASSERT_EQ(mod->num_patterns, 0) << size;
        ASSERT_EQ(mod->samples[0].data, nullptr) << size;
    }
    EXPECT_EQ(vxa_mod_load(mod.get(), dir.file("missing.mod").c_str()), -1);
    EXPECT_EQ(vxa_mod_load(mod.get(), nullptr), -1);
}

TEST_F(ModReader, title_turnsNulIntoSpacesAndTrimsTheEnd)
{
    const struct {
        std::string raw;
        const char *expected;
    } cases[] = {{"HELLO", "HELLO"},
                 {std::string("A\0B", 3), "A B"},
                 {std::string(20, ' '), ""},
                 {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQRST"},
                 {std::string("  X  \0\0 ", 8), "  X"}};
    for (const auto &c : cases) {
        load(ModBuilder().title(c.raw));
        EXPECT_STREQ(mod->title, c.expected);
    }
}

TEST_F(ModReader, sampleHeaders_giveBytesAndFitTheLoopInsideTheSample)
{
    const struct {
        uint16_t startWords, lengthWords;
        uint32_t start, length;
    } loops[] = {{10, 40, 20, 80}, {30, 1, 0, 0},  {40, 30, 80, 20}, // shortened to the end
                 {48, 10, 96, 4},  {49, 10, 0, 0}, {60, 10, 0, 0},   {0xFFFF, 0xFFFF, 0, 0}};
    ModBuilder builder;
    for (int i = 0; i < 7; ++i)
        builder.sample(i + 1, {.lengthWords = 50,
                               .volume = 12,
                               .loopStartWords = loops[i].startWords,
                               .loopLengthWords = loops[i].lengthWords});
    load(builder.sample(8, {.name = std::string("BASS\0DRUM", 9), .lengthWords = 2, .volume = 80}));
    for (int i = 0; i < 7; ++i) {
        const vxa_sample &slot = mod->samples[i];
        EXPECT_EQ(std::tuple(slot.length, int{slot.volume}, slot.loop_start, slot.loop_length),
                  std::tuple(100u, 12, loops[i].start, loops[i].length));
    }
    EXPECT_STREQ(mod->samples[7].name, "BASS DRUM");
    EXPECT_EQ(mod->samples[7].volume, 64);
}

TEST_F(ModReader, sampleData_isCopiedInSlotOrderAndTinySlotsAreSkipped)
{
    load(ModBuilder()
             .sample(1, {.lengthWords = 2})
             .sampleData(1, {1, 2, 3, 4})
             .sample(2, {.lengthWords = 1, .loopStartWords = 0, .loopLengthWords = 4})
             .sampleData(2, {0xEE, 0xEE})
             .sample(3, {.lengthWords = 3})
             .sampleData(3, {0x80, 0x7F, 0xFF, 0, 5, 6}));
    ASSERT_NE(mod->samples[0].data, nullptr);
    ASSERT_NE(mod->samples[2].data, nullptr);
    EXPECT_EQ(std::memcmp(mod->samples[0].data, "\x01\x02\x03\x04", 4), 0);
    EXPECT_EQ(std::tuple(mod->samples[1].data, mod->samples[1].length, mod->samples[1].loop_length),
              std::tuple(nullptr, 0u, 0u));
    EXPECT_EQ(std::memcmp(mod->samples[2].data, "\x80\x7F\xFF", 3), 0);
}

TEST_F(ModReader, cells_convertPeriodsToNotesAndJoinSampleNibbles)
{
    load(ModBuilder()
             .cell(0, 0, 0, {0x1A, 0xCD, 0x3C, 0x20})
             .note(0, 63, 3, 428, 0xF1, 0x0F, 0xFF)
             .note(0, 5, 2, 0, 0, 0x0A, 0x0F));
    EXPECT_EQ(std::memcmp(cell(0, 0, 0), "\x01\x13\x0C\x20", 4), 0);
    EXPECT_EQ(std::memcmp(cell(0, 63, 3), "\x0D\xF1\x0F\xFF", 4), 0);
    EXPECT_EQ(std::memcmp(cell(0, 5, 2), "\x00\x00\x0A\x0F", 4), 0);
}

TEST_F(ModReader, signatures_decideTheForm_otherFormatsAreRefusedRatherThanPlayedAsNoise)
{
    const struct {
        const char *signature;
        int32_t samples; // 0: refused
    } cases[] = {{"M.K.", 31}, {"M!K!", 31}, {"FLT4", 31}, {"4CHN", 31}, {"6CHN", 0}, {"8CHN", 0},
                 {"2CHN", 0},  {"10CH", 0},  {"16CN", 0},  {"FLT8", 0},  {"OCTA", 0}, {"OKTA", 0},
                 {"CD81", 0},  {"TDZ4", 0},  {"TDZ8", 0},  {"4CH ", 15}, {"XCHN", 15}};
    for (const auto &c : cases) {
        // A 15-sample reading has room for the patterns and the sample after them.
        const Bytes bytes =
            ModBuilder().signature(c.signature).sample(1, {.lengthWords = 4}).build();
        ASSERT_EQ(loadBytes(bytes), c.samples ? 0 : -1) << c.signature;
        if (c.samples) {
            EXPECT_EQ(mod->num_samples, c.samples) << c.signature;
        }
    }
    EXPECT_EQ(loadBytes(ModBuilder().title("Extended Module: x").build()), -1);
    load(ModBuilder(15)
             .title("OLD")
             .sample(15, {.name = "LAST", .lengthWords = 2})
             .note(0, 1, 1, 214, 15));
    EXPECT_EQ(mod->num_samples, 15);
    EXPECT_STREQ(mod->title, "OLD");
    EXPECT_STREQ(mod->samples[14].name, "LAST");
    EXPECT_NE(mod->samples[14].data, nullptr);
    EXPECT_EQ(std::memcmp(cell(0, 1, 1), "\x19\x0F", 2), 0);
}

TEST_F(ModReader, hugeFile_isReadOnlyAsFarAsAModuleCanReach)
{
    // The largest module there can be: 128 patterns and 31 samples of 65535 words.
    ModBuilder largest;
    largest.song(1, 0, {127});
    for (int slot = 1; slot <= 31; ++slot)
        largest.sample(slot, {.lengthWords = 0xFFFF});
    const std::string path = dir.write("huge.mod", largest.build());
    std::filesystem::resize_file(path, 40ull << 30); // sparse: costs no disk
    ASSERT_EQ(vxa_mod_load(mod.get(), path.c_str()), 0);
    EXPECT_EQ(mod->num_patterns, 128);
    EXPECT_EQ(mod->samples[30].data[131069], static_cast<int8_t>(131069 * 7 + 30)); // the ramp
}

namespace {

// Runs a load on another thread: nothing when it waited for more than a few seconds
// (then released by opening the pipe's writing end), else its result.
std::optional<int32_t> loadWithoutWaiting(const std::string &pipe,
                                          const std::function<int32_t()> &load)
{
    auto result = std::async(std::launch::async, load);
    if (result.wait_for(std::chrono::seconds(5)) == std::future_status::ready)
        return result.get();
    std::ofstream release(pipe);
    return std::nullopt;
}

} // namespace

TEST_F(ModReader, pipesAndFolders_areRefusedWithoutWaiting_byBothLoaders)
{
    const std::string pipe = dir.file("pipe.mod");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string folder = dir.file("folder.mod");
    std::filesystem::create_directory(folder);
    for (const std::string &path : {pipe, folder}) {
        EXPECT_EQ(loadWithoutWaiting(pipe, [&] { return vxa_mod_load(mod.get(), path.c_str()); }),
                  -1)
            << path;
        EXPECT_EQ(loadWithoutWaiting(
                      pipe, [&] { return vxa_mod_load_sample(mod.get(), 1, path.c_str()); }),
                  -1)
            << path;
    }
}

TEST_F(ModReader, song_limitsLengthAndRestartAndCountsPatternsOnlyInsideIt)
{
    const struct {
        uint8_t length, restart;
        std::vector<uint8_t> orders;
        int songLength, restartPos, patterns;
    } cases[] = {{200, 150, {}, 128, 0, 1},  {3, 3, {}, 3, 0, 1},
                 {3, 2, {0, 1, 2}, 3, 2, 3}, {0, 0, {}, 0, 0, 1},
                 {1, 0, {255}, 1, 0, 128},   {4, 0, {0, 3, 1, 2, 5}, 4, 0, 4}};
    for (const auto &c : cases) {
        // The builder stores just the patterns the song names: a reader counting more
        // finds the file too short, one counting fewer takes sample data from patterns.
        load(ModBuilder().song(c.length, c.restart, c.orders).sample(1, {.lengthWords = 2}));
        EXPECT_EQ(std::tuple(mod->song_length, mod->restart_pos, mod->num_patterns),
                  std::tuple(c.songLength, c.restartPos, c.patterns));
        EXPECT_EQ(mod->samples[0].data[1], 7) << int(c.length); // the builder's ramp
    }
    EXPECT_EQ(mod->orders[4], 5); // kept as stored
}

TEST_F(ModReader, load_resetsTransportButKeepsModeMutesAndMeters)
{
    mod->play_mode = 1;
    mod->recording = 1;
    mod->muted[2] = 1;
    mod->vu[1] = 40;
    mod->frames_played = 1234;
    mod->order_pos = 3;
    mod->row = 17;
    mod->speed = 3;
    vx_context_set_tempo(mod.get(), 200);
    mod->channels[1].volume = 50;
    load(ModBuilder());
    const vxa_status s = status();
    EXPECT_EQ(std::tuple(s.order_pos, s.row, s.speed, s.tempo, s.playing, int{s.chan_volume[1]}),
              std::tuple(0, 0, 6, 125, 0u, 0));
    EXPECT_DOUBLE_EQ(mod->frames_per_tick, 882.0);
    EXPECT_EQ(std::tuple(s.play_mode, s.recording, int{s.muted[2]}, int{s.vu[1]}),
              std::tuple(1u, 1u, 1, 40));
    EXPECT_EQ(mod->frames_played, 1234u);
}

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

TEST_F(ModWriter, canonicalModule_roundTripsByteForByteOverAnExistingFile_andInMemory)
{
    const Bytes original = canonicalModule().build();
    ASSERT_EQ(loadBytes(original), 0);
    dir.write("out.mod", {'o', 'l', 'd'});
    EXPECT_EQ(save(), original);
    Bytes image(original.size() - 1, 0xEE);
    EXPECT_EQ(vxa_mod_module_image(mod.get(), image.data(), image.size()), original.size());
    EXPECT_EQ(image, Bytes(original.size() - 1, 0xEE)); // too small: left alone
    image.resize(original.size());
    EXPECT_EQ(vxa_mod_module_image(mod.get(), image.data(), image.size()), original.size());
    EXPECT_EQ(image, original);
    ModHandle copy = createMod(44100);
    ASSERT_EQ(vxa_mod_load_image(copy.get(), image.data(), image.size()), 0);
    EXPECT_EQ(vxa_mod_module_image(copy.get(), image.data(), image.size()), original.size());
    EXPECT_EQ(image, original);
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
    std::filesystem::permissions(target, std::filesystem::perms::owner_read);
    EXPECT_EQ(vxa_mod_save(mod.get(), target.c_str()), -1); // read-only: never replaced
    EXPECT_EQ(vxa_mod_save(mod.get(), dir.file("missing/x.mod").c_str()), -1);
    EXPECT_EQ(readFile(target), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"in.mod", "keep.mod"}));
}
