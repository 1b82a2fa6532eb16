// Moving what was loaded into a scratch context into the context that plays: the
// destination must end exactly, field by field, as a load of the same file into it
// would leave it; nothing moves when the scratch context holds nothing.
#include "engine_fixture.h"
#include "vxa_mod_extras.h"
#include "wave_builder.h"

#include <utility>

using namespace vxtest;

namespace {

using Fields = std::vector<std::pair<std::string, Bytes>>;

template <typename T> Bytes bytesOf(const T &value)
{
    const auto *bytes = reinterpret_cast<const uint8_t *>(&value);
    return Bytes(bytes, bytes + sizeof value);
}

Bytes blockOf(const void *data, size_t size)
{
    const auto *bytes = static_cast<const uint8_t *>(data);
    return data ? Bytes(bytes, bytes + size) : Bytes{};
}

// Every field of a context, owned blocks by their contents, named for the failure text.
// A channel's sample is told by its slot number, as each context has its own slots.
Fields fieldsOf(const vxa_mod &m)
{
    Fields fields = {
        {"rate", bytesOf(m.rate)},
        {"playing", bytesOf(m.playing)},
        {"title", bytesOf(m.title)},
        {"num_samples", bytesOf(m.num_samples)},
        {"song_length", bytesOf(m.song_length)},
        {"restart_pos", bytesOf(m.restart_pos)},
        {"num_patterns", bytesOf(m.num_patterns)},
        {"orders", bytesOf(m.orders)},
        {"patterns", blockOf(m.patterns, static_cast<size_t>(m.num_patterns) * 1024)},
        {"order_pos", bytesOf(m.order_pos)},
        {"row", bytesOf(m.row)},
        {"tick", bytesOf(m.tick)},
        {"speed", bytesOf(m.speed)},
        {"tempo", bytesOf(m.tempo)},
        {"play_mode", bytesOf(m.play_mode)},
        {"recording", bytesOf(m.recording)},
        {"break_row", bytesOf(m.break_row)},
        {"jump_order", bytesOf(m.jump_order)},
        {"vol_table", bytesOf(m.vol_table)},
        {"tick_countdown", bytesOf(m.tick_countdown)},
        {"frames_per_tick", bytesOf(m.frames_per_tick)},
        {"vu", bytesOf(m.vu)},
        {"chan_out", bytesOf(m.chan_out)},
        {"muted", bytesOf(m.muted)},
        {"scope", bytesOf(m.scope)},
        {"scope_pos", bytesOf(m.scope_pos)},
        {"spectrum", bytesOf(m.spectrum)},
        {"frames_played", bytesOf(m.frames_played)},
    };
    for (int c = 0; c < 4; ++c) {
        vxa_channel channel = m.channels[c];
        const auto slot = channel.sample ? channel.sample - m.samples + 1 : 0;
        channel.sample = nullptr;
        fields.insert(fields.end(), {{"channel " + std::to_string(c), bytesOf(channel)},
                                     {"channel slot " + std::to_string(c), bytesOf(slot)}});
    }
    for (int n = 0; n < 31; ++n) {
        const vxa_sample &s = m.samples[n];
        const std::string slot = "slot " + std::to_string(n + 1) + " ";
        fields.insert(fields.end(), {{slot + "data", blockOf(s.data, s.data ? s.length : 0)},
                                     {slot + "has data", bytesOf(s.data != nullptr)},
                                     {slot + "length", bytesOf(s.length)},
                                     {slot + "loop_start", bytesOf(s.loop_start)},
                                     {slot + "loop_length", bytesOf(s.loop_length)},
                                     {slot + "volume", bytesOf(s.volume)},
                                     {slot + "finetune", bytesOf(s.finetune)},
                                     {slot + "name", bytesOf(s.name)}});
    }
    return fields;
}

void expectSameContexts(const vxa_mod &loaded, const vxa_mod &moved, const std::string &what)
{
    const Fields a = fieldsOf(loaded);
    const Fields b = fieldsOf(moved);
    for (size_t i = 0; i < a.size(); ++i)
        EXPECT_EQ(a[i].second, b[i].second) << what << ": " << a[i].first;
}

// A context in the midst of use: a 31-sample module playing in pattern mode and
// recording, a muted channel, meters and scopes moving, a sample loaded into slot 25
// and slot 3 at volume 30; at 48,000 Hz, so a tick's length shows whose rate it took.
ModHandle busyContext(const TempDir &dir)
{
    ModHandle m = createMod(48000);
    const auto song =
        ModBuilder()
            .title("BEFORE")
            .sample(1, {.lengthWords = 400, .loopStartWords = 0, .loopLengthWords = 400})
            .sample(3, {.name = "THIRTY", .lengthWords = 20, .volume = 30})
            .note(0, 0, 0, 428, 1)
            .note(0, 0, 1, 214, 1)
            .note(0, 2, 2, 0, 0, 0xD, 0x10)
            .build();
    EXPECT_EQ(vxa_mod_load(m.get(), dir.write("before.mod", song).c_str()), 0);
    EXPECT_EQ(vxa_mod_load_sample(m.get(), 25, dir.write("pad.raw", Bytes(64, 0x90)).c_str()), 0);
    vxa_mod_step_loop_start(m.get(), 25, 3);
    vxa_mod_play_mode_at(m.get(), 1, 1, 0);
    vxa_mod_toggle_mute(m.get(), 3);
    std::vector<float> out(2 * 5000);
    vxa_mod_render(m.get(), out.data(), 5000);
    vxa_mod_display_tick(m.get());
    return m;
}

using ContextMove = EngineTest;

} // namespace

TEST_F(ContextMove, module_leavesTheContextAsALoadOfTheSameFileWould)
{
    const struct {
        const char *what;
        ModBuilder file;
    } cases[] = {
        {"a 31-sample module",
         ModBuilder()
             .title("AFTER")
             .song(3, 1, {0, 2, 1})
             .sample(
                 2, {.name = "LOOP", .lengthWords = 50, .loopStartWords = 5, .loopLengthWords = 40})
             .sample(31, {.lengthWords = 1})
             .note(2, 7, 3, 113, 2, 0xC, 0x20)},
        {"a 15-sample module: slots 16..31 keep their fields",
         ModBuilder(15).title("OLD").sample(15, {.lengthWords = 8, .volume = 0})},
    };
    for (const auto &c : cases) {
        const std::string file = dir.write("after.mod", c.file.build());
        ModHandle loaded = busyContext(dir);
        ModHandle moved = busyContext(dir);
        ASSERT_EQ(vxa_mod_load(loaded.get(), file.c_str()), 0) << c.what;
        ModHandle scratch = createMod();
        ASSERT_EQ(vxa_mod_load(scratch.get(), file.c_str()), 0) << c.what;
        ASSERT_EQ(vxa_mod_move_module(moved.get(), scratch.get()), 0) << c.what;
        expectSameContexts(*loaded, *moved, c.what);
        EXPECT_EQ(scratch->patterns, nullptr) << c.what;
    }
}

TEST_F(ContextMove, nothingLoaded_movesNothing)
{
    ModHandle before = busyContext(dir);
    ModHandle target = busyContext(dir);
    ModHandle scratch = createMod();
    Bytes damaged = ModBuilder().song(3, 0, {0, 1, 2}).build();
    damaged.resize(2000); // the patterns reach past the end
    EXPECT_EQ(vxa_mod_load(scratch.get(), dir.write("bad.mod", damaged).c_str()), -1);
    EXPECT_EQ(vxa_mod_move_module(target.get(), scratch.get()), -1);
    EXPECT_EQ(vxa_mod_move_sample(target.get(), 4, scratch.get(), 1), -1);
    EXPECT_EQ(vxa_mod_move_module(target.get(), target.get()), -1);
    EXPECT_EQ(vxa_mod_move_sample(target.get(), 25, target.get(), 25), -1);
    EXPECT_EQ(vxa_mod_move_module(nullptr, scratch.get()), -1);
    expectSameContexts(*before, *target, "refused");
}

TEST_F(ContextMove, sample_leavesTheContextAsALoadOfTheSameFileWould)
{
    const std::string raw = dir.write("Lead Synth.wav", Bytes(100, 0x70));
    const std::string looped = dir.write(
        "Looped.wav",
        riff({formatChunk({.bits = 16}), {"data", Bytes(200, 0x70)}, samplerChunk({{10, 69}})}));
    const struct {
        const char *what;
        int32_t slot;
        const std::string &file;
    } cases[] = {{"a slot at volume 30 keeps it", 3, raw},
                 {"a slot above the count raises it", 28, raw},
                 {"a slot with a pending loop start loses it", 25, raw},
                 {"a slot takes the file's loop", 3, looped}};
    for (const auto &c : cases) {
        const char *file = c.file.c_str();
        ModHandle loaded = busyContext(dir);
        ModHandle moved = busyContext(dir);
        ASSERT_EQ(vxa_mod_load_sample(loaded.get(), c.slot, file), 0) << c.what;
        ModHandle scratch = createMod();
        ASSERT_EQ(vxa_mod_load_sample(scratch.get(), 1, file), 0) << c.what;
        ASSERT_EQ(vxa_mod_move_sample(moved.get(), c.slot, scratch.get(), 1), 0) << c.what;
        expectSameContexts(*loaded, *moved, c.what);
        EXPECT_EQ(scratch->samples[0].data, nullptr) << c.what;
    }
}
