// vexatron-render as a whole process: exit codes and messages, where the song ends, the
// WAV header and data, and that no partial output file is ever left behind.
#include "engine_handle.h"
#include "mod_builder.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <sys/wait.h>

using namespace vxtest;

namespace {

constexpr int kRowFrames = 6 * 882; // speed 6, tempo 125, 44,100 Hz

struct Result {
    int exitCode;
    std::string out;
    std::string err;
};

uint32_t u32At(const std::vector<uint8_t> &bytes, size_t offset)
{
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
           static_cast<uint32_t>(bytes[offset + 3]) << 24;
}

uint16_t u16At(const std::vector<uint8_t> &bytes, size_t offset)
{
    return static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

std::string text(const std::vector<uint8_t> &bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

class RenderTool : public ::testing::Test {
protected:
    Result run(const std::string &args)
    {
        const std::string command = std::string(VXA_RENDER_TOOL) + " " + args + " >" +
                                    dir.file("stdout.txt") + " 2>" + dir.file("stderr.txt") +
                                    " </dev/null";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                text(readFile(dir.file("stdout.txt"))), text(readFile(dir.file("stderr.txt")))};
    }
    std::string quoted(const std::string &name) { return "'" + dir.file(name) + "'"; }
    // Files in the folder besides the captured outputs.
    std::vector<std::string> files()
    {
        std::vector<std::string> names;
        for (const auto &name : dir.names())
            if (name != "stdout.txt" && name != "stderr.txt")
                names.push_back(name);
        return names;
    }
    // Frames in a 16-bit stereo WAV file written by the tool.
    uint32_t pcmFrames(const std::string &name)
    {
        const std::vector<uint8_t> wav = readFile(dir.file(name));
        EXPECT_GE(wav.size(), 44u);
        return wav.size() < 44 ? 0 : u32At(wav, 40) / 4;
    }

    TempDir dir;
};

ModBuilder soundingSong(uint8_t length, uint8_t restart)
{
    ModBuilder builder;
    builder.sample(1, {.lengthWords = 400, .loopStartWords = 0, .loopLengthWords = 400});
    std::vector<uint8_t> orders;
    for (int i = 0; i < length; ++i)
        orders.push_back(static_cast<uint8_t>(i));
    builder.song(length, restart, orders);
    for (int p = 0; p < length; ++p)
        builder.note(p, 0, p % 4, 428, 1);
    return builder;
}

} // namespace

TEST_F(RenderTool, badCommandLines_exitWith2AndTheUsage)
{
    for (const char *args :
         {"", "only-one.mod", "a.mod b.wav c.wav", "--loud a.mod b.wav", "--seconds a.mod b.wav",
          "--seconds -1 a.mod b.wav", "--max-seconds x a.mod b.wav"}) {
        const Result r = run(args);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_NE(r.err.find("usage: vexatron-render"), std::string::npos) << args;
    }
    EXPECT_EQ(run("--help").exitCode, 0);
}

TEST_F(RenderTool, unusableInput_exitsWith1AndSaysWhy)
{
    dir.write("short.mod", std::vector<uint8_t>(100, 0));
    struct Case {
        std::string input;
        const char *message;
    } cases[] = {{"missing.mod", "no such file"}, {"short.mod", "not a MOD module"}};
    for (const Case &c : cases) {
        const Result r = run(quoted(c.input) + " " + quoted("out.wav"));
        EXPECT_EQ(r.exitCode, 1) << c.input;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    EXPECT_EQ(files(), std::vector<std::string>{"short.mod"});
}

TEST_F(RenderTool, unwritableOutput_exitsWith1AndLeavesNothing)
{
    dir.write("song.mod", soundingSong(1, 0).build());
    const Result r = run(quoted("song.mod") + " " + quoted("no-such-folder/out.wav"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("cannot write"), std::string::npos) << r.err;
    EXPECT_EQ(files(), std::vector<std::string>{"song.mod"});
}

TEST_F(RenderTool, songOnce_endsWhereARowWouldRepeat)
{
    struct Case {
        const char *what;
        ModBuilder song;
        const char *options;
        uint32_t frames;
    } cases[] = {
        {"one position wrapping to itself", soundingSong(1, 0), "", 64 * kRowFrames},
        {"three positions wrapping to the restart position", soundingSong(3, 1), "",
         3 * 64 * kRowFrames},
        {"a jump back from position 1 row 10", soundingSong(3, 0).note(1, 10, 3, 0, 0, 0xB, 0), "",
         (64 + 11) * kRowFrames},
        {"a break into the middle of position 0",
         soundingSong(2, 0).note(1, 4, 3, 0, 0, 0xB, 0).note(1, 4, 2, 0, 0, 0xD, 0x20), "",
         (64 + 5) * kRowFrames},
        {"pattern mode with a break back to row 0", soundingSong(2, 0).note(0, 15, 1, 0, 0, 0xD, 0),
         "--pattern", 16 * kRowFrames},
        {"the safety limit", soundingSong(1, 0), "--max-seconds 0.5", 22050},
        {"a fixed duration past the song's end", soundingSong(1, 0), "--seconds 10", 441000},
    };
    for (const Case &c : cases) {
        dir.write("song.mod", c.song.build());
        const Result r =
            run(std::string(c.options) + " " + quoted("song.mod") + " " + quoted("song.wav"));
        ASSERT_EQ(r.exitCode, 0) << c.what << ": " << r.err;
        EXPECT_EQ(pcmFrames("song.wav"), c.frames) << c.what;
        EXPECT_NE(r.out.find(std::to_string(c.frames) + " frames"), std::string::npos) << r.out;
    }
}

TEST_F(RenderTool, tempoChange_keepsTheCutOnTheRowStart)
{
    // Tempo 130 from row 0: ticks of 849 then 848 frames; 64 rows of 6 ticks.
    dir.write("song.mod", soundingSong(1, 0).note(0, 0, 3, 0, 0, 0xF, 0x82).build());
    ASSERT_EQ(run(quoted("song.mod") + " " + quoted("song.wav")).exitCode, 0);
    const double framesPerTick = 44100 * 2.5 / 130;
    double countdown = 0;
    uint32_t frames = 0;
    for (int tick = 0; tick < 64 * 6; ++tick) {
        countdown += framesPerTick;
        while (countdown > 0) {
            countdown -= 1.0;
            ++frames;
        }
    }
    EXPECT_EQ(pcmFrames("song.wav"), frames);
}

TEST_F(RenderTool, pcmHeaderAndData_matchTheEngine)
{
    const std::vector<uint8_t> module = soundingSong(2, 0).build();
    const auto path = dir.write("song.mod", module);
    ASSERT_EQ(run("--seconds 1 " + quoted("song.mod") + " " + quoted("song.wav")).exitCode, 0);
    const std::vector<uint8_t> wav = readFile(dir.file("song.wav"));
    ASSERT_EQ(wav.size(), 44u + 44100 * 4);
    EXPECT_EQ(text({wav.begin(), wav.begin() + 4}), "RIFF");
    EXPECT_EQ(u32At(wav, 4), wav.size() - 8);
    EXPECT_EQ(text({wav.begin() + 8, wav.begin() + 16}), "WAVEfmt ");
    EXPECT_EQ(u32At(wav, 16), 16u);
    EXPECT_EQ(u16At(wav, 20), 1); // PCM
    EXPECT_EQ(u16At(wav, 22), 2); // channels
    EXPECT_EQ(u32At(wav, 24), 44100u);
    EXPECT_EQ(u32At(wav, 28), 44100u * 4);
    EXPECT_EQ(u16At(wav, 32), 4);  // bytes per frame
    EXPECT_EQ(u16At(wav, 34), 16); // bits
    EXPECT_EQ(text({wav.begin() + 36, wav.begin() + 40}), "data");
    EXPECT_EQ(u32At(wav, 40), 44100u * 4);

    ModHandle mod = createMod();
    ASSERT_EQ(vxa_mod_load(mod.get(), path.c_str()), 0);
    vxa_mod_play(mod.get());
    std::vector<float> out(2 * 44100);
    vxa_mod_render(mod.get(), out.data(), 44100);
    int sounding = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const auto value = static_cast<int16_t>(u16At(wav, 44 + 2 * i));
        ASSERT_EQ(value, static_cast<int>(out[i] * 128) * 256) << i;
        sounding += value != 0;
    }
    EXPECT_GT(sounding, 40000);
}

TEST_F(RenderTool, floatHeaderAndData_matchTheEngine)
{
    const auto path = dir.write("song.mod", soundingSong(1, 0).build());
    ASSERT_EQ(
        run("--float --seconds 0.1 " + quoted("song.mod") + " " + quoted("song.wav")).exitCode, 0);
    const std::vector<uint8_t> wav = readFile(dir.file("song.wav"));
    ASSERT_EQ(wav.size(), 58u + 4410 * 8);
    EXPECT_EQ(u32At(wav, 4), wav.size() - 8);
    EXPECT_EQ(u32At(wav, 16), 18u);
    EXPECT_EQ(u16At(wav, 20), 3); // IEEE float
    EXPECT_EQ(u32At(wav, 28), 44100u * 8);
    EXPECT_EQ(u16At(wav, 32), 8);
    EXPECT_EQ(u16At(wav, 34), 32);
    EXPECT_EQ(u16At(wav, 36), 0); // no extension
    EXPECT_EQ(text({wav.begin() + 38, wav.begin() + 42}), "fact");
    EXPECT_EQ(u32At(wav, 46), 4410u);
    EXPECT_EQ(text({wav.begin() + 50, wav.begin() + 54}), "data");
    EXPECT_EQ(u32At(wav, 54), 4410u * 8);

    ModHandle mod = createMod();
    ASSERT_EQ(vxa_mod_load(mod.get(), path.c_str()), 0);
    vxa_mod_play(mod.get());
    std::vector<float> out(2 * 4410);
    vxa_mod_render(mod.get(), out.data(), 4410);
    EXPECT_EQ(std::memcmp(out.data(), wav.data() + 58, out.size() * sizeof(float)), 0);
}

TEST_F(RenderTool, existingOutput_isReplacedWholeAndNoTemporaryFileStays)
{
    dir.write("song.mod", soundingSong(1, 0).build());
    dir.write("song.wav", std::vector<uint8_t>(10, 'x'));
    ASSERT_EQ(run("--seconds 0.2 " + quoted("song.mod") + " " + quoted("song.wav")).exitCode, 0);
    EXPECT_EQ(pcmFrames("song.wav"), 8820u);
    EXPECT_EQ(files(), (std::vector<std::string>{"song.mod", "song.wav"}));
}

TEST_F(RenderTool, failedRender_keepsTheOldOutput)
{
    dir.write("song.wav", std::vector<uint8_t>(10, 'x'));
    EXPECT_EQ(run(quoted("missing.mod") + " " + quoted("song.wav")).exitCode, 1);
    EXPECT_EQ(readFile(dir.file("song.wav")), std::vector<uint8_t>(10, 'x'));
}
