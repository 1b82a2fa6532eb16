// Reading MOD files: both forms, texts, sample headers and data, the song, pattern
// conversion, refusals, and bytes that must never take the engine outside its buffers.
#include "engine_handle.h"
#include "mod_builder.h"
#include "temp_dir.h"
#include "vxa_mod_internal.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace vxtest;

namespace {

class ModReader : public ::testing::Test {
protected:
    int32_t load(const std::vector<uint8_t> &bytes)
    {
        const auto path = dir.write("song.mod", bytes);
        return vxa_mod_load(mod.get(), path.c_str());
    }
    const uint8_t *cell(int pattern, int row, int channel) const
    {
        return mod->patterns + pattern * 1024 + row * 16 + channel * 4;
    }

    TempDir dir;
    ModHandle mod = createMod();
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

TEST_F(ModReader, tooShortFiles_areRefusedAndLeaveNoPatterns)
{
    std::vector<uint8_t> bytes = ModBuilder().build();
    EXPECT_EQ(load(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 1083)), -1);
    EXPECT_EQ(load(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 1084)), -1);
    EXPECT_EQ(mod->patterns, nullptr);
    EXPECT_EQ(vxa_mod_load(mod.get(), dir.file("missing.mod").c_str()), -1);
    EXPECT_EQ(vxa_mod_load(mod.get(), nullptr), -1);
}

TEST_F(ModReader, emptySong_stillHasOnePattern)
{
    ASSERT_EQ(load(ModBuilder().song(0, 0, {}).build()), 0);
    EXPECT_EQ(mod->song_length, 0);
    EXPECT_EQ(mod->num_patterns, 1);
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
        ASSERT_EQ(load(ModBuilder().title(c.raw).build()), 0);
        EXPECT_STREQ(mod->title, c.expected);
    }
}

TEST_F(ModReader, sampleHeader_namesVolumesAndLoops)
{
    ASSERT_EQ(
        load(ModBuilder()
                 .sample(1,
                         {.name = std::string("BASS\0DRUM", 9), .lengthWords = 100, .volume = 0x50})
                 .sample(2, {.name = "LOOPED",
                             .lengthWords = 100,
                             .volume = 12,
                             .loopStartWords = 10,
                             .loopLengthWords = 40})
                 .sample(3, {.name = "NOLOOP",
                             .lengthWords = 100,
                             .loopStartWords = 30,
                             .loopLengthWords = 1})
                 .build()),
        0);
    EXPECT_STREQ(mod->samples[0].name, "BASS DRUM");
    EXPECT_EQ(mod->samples[0].volume, 64);
    EXPECT_EQ(mod->samples[0].length, 200u);
    EXPECT_EQ(mod->samples[1].volume, 12);
    EXPECT_EQ(mod->samples[1].loop_start, 20u);
    EXPECT_EQ(mod->samples[1].loop_length, 80u);
    EXPECT_EQ(mod->samples[2].loop_start, 0u);
    EXPECT_EQ(mod->samples[2].loop_length, 0u);
}

TEST_F(ModReader, loopsReachingPastTheSample_areShortenedOrDropped)
{
    ASSERT_EQ(
        load(
            ModBuilder()
                .sample(1, {.lengthWords = 50, .loopStartWords = 40, .loopLengthWords = 30})
                .sample(2, {.lengthWords = 50, .loopStartWords = 49, .loopLengthWords = 10})
                .sample(3, {.lengthWords = 50, .loopStartWords = 60, .loopLengthWords = 10})
                .sample(4, {.lengthWords = 50, .loopStartWords = 0xFFFF, .loopLengthWords = 0xFFFF})
                .build()),
        0);
    EXPECT_EQ(mod->samples[0].loop_start, 80u);
    EXPECT_EQ(mod->samples[0].loop_length, 20u); // ends at the sample's end
    for (int slot = 1; slot < 4; ++slot) {
        EXPECT_EQ(mod->samples[slot].loop_start, 0u) << slot;
        EXPECT_EQ(mod->samples[slot].loop_length, 0u) << slot;
    }
}

TEST_F(ModReader, sampleData_isCopiedInSlotOrderAndTinySlotsAreSkipped)
{
    ASSERT_EQ(load(ModBuilder()
                       .sample(1, {.lengthWords = 2})
                       .sampleData(1, {1, 2, 3, 4})
                       .sample(2, {.lengthWords = 1, .loopStartWords = 0, .loopLengthWords = 4})
                       .sampleData(2, {0xEE, 0xEE})
                       .sample(3, {.lengthWords = 3})
                       .sampleData(3, {0x80, 0x7F, 0xFF, 0, 5, 6})
                       .build()),
              0);
    ASSERT_NE(mod->samples[0].data, nullptr);
    EXPECT_EQ(std::memcmp(mod->samples[0].data, "\x01\x02\x03\x04", 4), 0);
    EXPECT_EQ(mod->samples[1].data, nullptr);
    EXPECT_EQ(mod->samples[1].length, 0u);
    EXPECT_EQ(mod->samples[1].loop_length, 0u);
    ASSERT_NE(mod->samples[2].data, nullptr);
    EXPECT_EQ(mod->samples[2].data[0], -128);
    EXPECT_EQ(mod->samples[2].data[1], 127);
    EXPECT_EQ(mod->samples[2].data[2], -1);
}

TEST_F(ModReader, truncatedSampleData_isRefusedAndUnloadsEverything)
{
    std::vector<uint8_t> bytes =
        ModBuilder().sample(1, {.lengthWords = 4}).sample(2, {.lengthWords = 4}).build();
    bytes.pop_back();
    EXPECT_EQ(load(bytes), -1);
    EXPECT_EQ(mod->patterns, nullptr);
    EXPECT_EQ(mod->samples[0].data, nullptr);
}

TEST_F(ModReader, truncationAtEveryOffset_isRefused)
{
    const std::vector<uint8_t> bytes = ModBuilder()
                                           .song(2, 0, {0, 1})
                                           .sample(1, {.lengthWords = 3})
                                           .sample(31, {.lengthWords = 2})
                                           .build();
    for (size_t size = 0; size < bytes.size(); size += (size < 1000 ? 97 : 1)) {
        ASSERT_EQ(load(std::vector<uint8_t>(bytes.begin(), bytes.begin() + size)), -1) << size;
        ASSERT_EQ(mod->patterns, nullptr) << size;
    }
    EXPECT_EQ(load(bytes), 0);
}

TEST_F(ModReader, cells_convertPeriodsToNotesAndJoinSampleNibbles)
{
    ASSERT_EQ(load(ModBuilder()
                       .cell(0, 0, 0, {0x1A, 0xCD, 0x3C, 0x20})
                       .note(0, 63, 3, 428, 0xF1, 0x0F, 0xFF)
                       .note(0, 5, 2, 0, 0, 0x0A, 0x0F)
                       .build()),
              0);
    EXPECT_EQ(std::memcmp(cell(0, 0, 0), "\x01\x13\x0C\x20", 4), 0);
    EXPECT_EQ(std::memcmp(cell(0, 63, 3), "\x0D\xF1\x0F\xFF", 4), 0);
    EXPECT_EQ(std::memcmp(cell(0, 5, 2), "\x00\x00\x0A\x0F", 4), 0);
}

TEST_F(ModReader, signatures_decideTheForm)
{
    for (const char *signature : {"M.K.", "M!K!", "FLT4"}) {
        ASSERT_EQ(load(ModBuilder().signature(signature).build()), 0) << signature;
        EXPECT_EQ(mod->num_samples, 31);
    }
    ASSERT_EQ(load(ModBuilder(15)
                       .title("OLD")
                       .sample(15, {.name = "LAST", .lengthWords = 2})
                       .note(0, 1, 1, 214, 15)
                       .build()),
              0);
    EXPECT_EQ(mod->num_samples, 15);
    EXPECT_STREQ(mod->title, "OLD");
    EXPECT_STREQ(mod->samples[14].name, "LAST");
    EXPECT_NE(mod->samples[14].data, nullptr);
    EXPECT_EQ(cell(0, 1, 1)[0], 25);
    EXPECT_EQ(cell(0, 1, 1)[1], 15);
}

TEST_F(ModReader, fifteenSampleForm_leavesHigherSlotsHeadersAlone)
{
    ASSERT_EQ(load(ModBuilder().sample(20, {.name = "HIGH", .lengthWords = 5}).build()), 0);
    ASSERT_EQ(load(ModBuilder(15).build()), 0);
    EXPECT_STREQ(mod->samples[19].name, "HIGH");
    EXPECT_EQ(mod->samples[19].data, nullptr);
}

TEST_F(ModReader, patternCount_countsOnlyOrdersInsideTheSong)
{
    ModBuilder builder;
    builder.song(4, 0, {0, 3, 1, 2, 5}).sample(1, {.lengthWords = 2}).sampleData(1, {9, 8, 7, 6});
    const std::vector<uint8_t> bytes = builder.build();
    ASSERT_EQ(builder.patternCountToWrite(), 4);
    ASSERT_EQ(load(bytes), 0);
    EXPECT_EQ(mod->num_patterns, 4);
    EXPECT_EQ(mod->orders[4], 5); // kept as stored
    ASSERT_EQ(bytes.size(), 5180u + 4);
    EXPECT_EQ(mod->samples[0].data[0], 9); // data taken from byte 5180 on
}

TEST_F(ModReader, songLengthAndRestart_areLimited)
{
    ASSERT_EQ(load(ModBuilder().song(200, 150, {}).build()), 0);
    EXPECT_EQ(mod->song_length, 128);
    EXPECT_EQ(mod->restart_pos, 0);
    ASSERT_EQ(load(ModBuilder().song(3, 3, {}).build()), 0);
    EXPECT_EQ(mod->restart_pos, 0);
    ASSERT_EQ(load(ModBuilder().song(3, 2, {}).build()), 0);
    EXPECT_EQ(mod->restart_pos, 2);
}

TEST_F(ModReader, highestPatternNumber_isLimitedTo128Patterns)
{
    ModBuilder builder;
    builder.song(1, 0, {255}).patternCount(128);
    ASSERT_EQ(load(builder.build()), 0);
    EXPECT_EQ(mod->num_patterns, 128);
}

TEST_F(ModReader, finetune_isKeptPerSlot)
{
    ASSERT_EQ(load(ModBuilder().sample(1, {.lengthWords = 2, .finetune = 0xF7}).build()), 0);
    EXPECT_EQ(mod->samples[0].finetune, 7);
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
    ASSERT_EQ(load(ModBuilder().build()), 0);
    EXPECT_EQ(mod->order_pos, 0);
    EXPECT_EQ(mod->row, 0);
    EXPECT_EQ(mod->speed, 6);
    EXPECT_EQ(mod->tempo, 125);
    EXPECT_DOUBLE_EQ(mod->frames_per_tick, 882.0);
    EXPECT_EQ(mod->channels[1].volume, 0);
    EXPECT_EQ(mod->playing, 0);
    EXPECT_EQ(mod->play_mode, 1);
    EXPECT_EQ(mod->recording, 1);
    EXPECT_EQ(mod->muted[2], 1);
    EXPECT_EQ(mod->vu[1], 40);
    EXPECT_EQ(mod->frames_played, 1234u);
}

TEST_F(ModReader, failedLoad_leavesNoModuleEvenAfterAGoodOne)
{
    ASSERT_EQ(load(ModBuilder().sample(1, {.lengthWords = 4}).build()), 0);
    std::vector<uint8_t> bytes = ModBuilder().song(2, 0, {0, 1}).build();
    bytes.resize(1084 + 1024);
    EXPECT_EQ(load(bytes), -1);
    EXPECT_EQ(mod->patterns, nullptr);
    EXPECT_EQ(mod->num_patterns, 0);
    EXPECT_EQ(mod->samples[0].data, nullptr);
}
