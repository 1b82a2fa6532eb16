// Reading MOD files: both forms, texts, sample headers and data, the song, pattern
// conversion, and refusals that leave no module behind.
#include "engine_fixture.h"

#include <cstring>

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
                 {49, 10, 0, 0},   {60, 10, 0, 0}, {0xFFFF, 0xFFFF, 0, 0}};
    ModBuilder builder;
    for (int i = 0; i < 6; ++i)
        builder.sample(i + 1, {.lengthWords = 50,
                               .volume = 12,
                               .loopStartWords = loops[i].startWords,
                               .loopLengthWords = loops[i].lengthWords});
    load(builder.sample(7, {.name = std::string("BASS\0DRUM", 9), .lengthWords = 2, .volume = 80}));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(mod->samples[i].length, 100u);
        EXPECT_EQ(mod->samples[i].volume, 12);
        EXPECT_EQ(mod->samples[i].loop_start, loops[i].start) << i;
        EXPECT_EQ(mod->samples[i].loop_length, loops[i].length) << i;
    }
    EXPECT_STREQ(mod->samples[6].name, "BASS DRUM");
    EXPECT_EQ(mod->samples[6].volume, 64);
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
    EXPECT_EQ(std::memcmp(mod->samples[0].data, "\x01\x02\x03\x04", 4), 0);
    EXPECT_EQ(mod->samples[1].data, nullptr);
    EXPECT_EQ(mod->samples[1].length, 0u);
    EXPECT_EQ(mod->samples[1].loop_length, 0u);
    ASSERT_NE(mod->samples[2].data, nullptr);
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

TEST_F(ModReader, signatures_decideTheForm)
{
    for (const char *signature : {"M.K.", "M!K!", "FLT4"}) {
        load(ModBuilder().signature(signature));
        EXPECT_EQ(mod->num_samples, 31) << signature;
    }
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
        EXPECT_EQ(mod->song_length, c.songLength) << int(c.length);
        EXPECT_EQ(mod->restart_pos, c.restartPos) << int(c.length);
        EXPECT_EQ(mod->num_patterns, c.patterns) << int(c.length);
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
    EXPECT_EQ(status().order_pos, 0);
    EXPECT_EQ(status().row, 0);
    EXPECT_EQ(status().speed, 6);
    EXPECT_EQ(status().tempo, 125);
    EXPECT_DOUBLE_EQ(mod->frames_per_tick, 882.0);
    EXPECT_EQ(mod->channels[1].volume, 0);
    EXPECT_EQ(mod->playing, 0);
    EXPECT_EQ(mod->play_mode, 1);
    EXPECT_EQ(mod->recording, 1);
    EXPECT_EQ(mod->muted[2], 1);
    EXPECT_EQ(mod->vu[1], 40);
    EXPECT_EQ(mod->frames_played, 1234u);
}
