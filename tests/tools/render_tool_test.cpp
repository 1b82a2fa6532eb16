// vexatron-render as a whole process: exit codes and messages, where the song ends, the
// WAV header and data, and that no partial output file is ever left behind.
#include "engine_handle.h"
#include "mod_builder.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>

using namespace vxtest;

namespace {

constexpr int kRowFrames = 6 * 882; // speed 6, tempo 125, 44,100 Hz

std::string text(const std::vector<uint8_t> &bytes, size_t offset = 0, size_t size = 0)
{
    return std::string(bytes.begin() + offset, size ? bytes.begin() + offset + size : bytes.end());
}

// `value` as `bytes` little-endian bytes.
std::string le(uint32_t value, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>(value >> 8 * i);
    return out;
}

// `length` positions playing patterns 0.. in order, each sounding a note on row 0.
ModBuilder soundingSong(uint8_t length, uint8_t restart)
{
    ModBuilder builder;
    builder.sample(1, {.lengthWords = 400, .loopStartWords = 0, .loopLengthWords = 400});
    std::vector<uint8_t> orders;
    for (int p = 0; p < length; ++p) {
        orders.push_back(static_cast<uint8_t>(p));
        builder.note(p, 0, p % 4, 428, 1);
    }
    return builder.song(length, restart, orders);
}

// One position whose rows 2..4 loop twice more and rows 10..11 once more, row 10 lasting
// two rows by a pattern delay: 64 + 6 + 2 rows, and 2 more rows of time.
ModBuilder loopingSong()
{
    return soundingSong(1, 0)
        .note(0, 2, 1, 0, 0, 0xE, 0x60)
        .note(0, 4, 1, 0, 0, 0xE, 0x62)
        .note(0, 10, 2, 0, 0, 0xE, 0x60)
        .note(0, 10, 3, 0, 0, 0xE, 0xE1)
        .note(0, 11, 2, 0, 0, 0xE, 0x61);
}

class RenderTool : public ::testing::Test {
protected:
    struct Result {
        int exitCode;
        std::string out, err;
    };
    // Runs the tool with `args`, where the words IN, OUT, SHORT, MISSING, NOWHERE, PIPE,
    // FOLDER and SAME (the input by another path) stand for files in the test's folder. A
    // tool still running after a while (waiting on a pipe) is killed.
    Result run(const std::string &args)
    {
        const std::map<std::string, std::string> files = {
            {"IN", "song.mod"},     {"OUT", "song.wav"},
            {"SHORT", "short.mod"}, {"MISSING", "missing.mod"},
            {"PIPE", "pipe.mod"},   {"FOLDER", "folder.wav"},
            {"SAME", "./song.mod"}, {"NOWHERE", "no-such-folder/out.wav"}};
        std::string command = "timeout -s KILL 20 " VXA_RENDER_TOOL;
        std::istringstream words(args);
        for (std::string word; words >> word;)
            command += " " + (files.contains(word) ? "'" + dir.file(files.at(word)) + "'" : word);
        command += " >'" + dir.file("out.txt") + "' 2>'" + dir.file("err.txt") + "' </dev/null";
        const int status = std::system(command.c_str());
        Result result{WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                      text(readFile(dir.file("out.txt"))), text(readFile(dir.file("err.txt")))};
        std::filesystem::remove(dir.file("out.txt"));
        std::filesystem::remove(dir.file("err.txt"));
        return result;
    }
    std::vector<uint8_t> wav() { return readFile(dir.file("song.wav")); }
    // Frames in the data chunk of a 16-bit stereo file (little-endian machines only).
    uint32_t pcmFrames()
    {
        uint32_t bytes = 0;
        if (const auto file = wav(); file.size() >= 44)
            std::memcpy(&bytes, file.data() + 40, 4);
        return bytes / 4;
    }

    TempDir dir;
};

} // namespace

TEST_F(RenderTool, failures_exitWithTheirCodeAndMessage_andLeaveNoFileBehind)
{
    const struct {
        const char *args;
        int exitCode;
        const char *message;
    } cases[] = {
        {"", 2, "usage: vexatron-render"},
        {"IN", 2, "usage: vexatron-render"},
        {"IN OUT OUT", 2, "usage: vexatron-render"},
        {"--loud IN OUT", 2, "usage: vexatron-render"},
        {"--seconds IN OUT", 2, "usage: vexatron-render"},
        {"--seconds -1 IN OUT", 2, "usage: vexatron-render"},
        {"--seconds 0 IN OUT", 2, "usage: vexatron-render"},
        {"--max-seconds x IN OUT", 2, "usage: vexatron-render"},
        {"--help", 0, ""},
        {"MISSING OUT", 1, "no such file"},
        {"SHORT OUT", 1, "not a MOD module"},
        {"PIPE OUT", 1, "not a regular file"},
        {"IN NOWHERE", 1, "cannot write the file: its folder does not exist"},
        {"IN FOLDER", 1, "cannot write the file: a folder has that name"},
        {"IN IN", 1, "is the input module"},
        {"IN SAME", 1, "is the input module"},
    };
    dir.write("short.mod", std::vector<uint8_t>(100, 0));
    const std::vector<uint8_t> module = soundingSong(1, 0).build();
    dir.write("song.mod", module);
    dir.write("song.wav", std::vector<uint8_t>(10, 'x'));
    ASSERT_EQ(mkfifo(dir.file("pipe.mod").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.path() / "folder.wav");
    for (const auto &c : cases) {
        const Result r = run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
    }
    EXPECT_EQ(wav(), std::vector<uint8_t>(10, 'x')); // a failed render keeps the old output
    EXPECT_EQ(readFile(dir.file("song.mod")), module);
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"folder.wav", "pipe.mod", "short.mod",
                                                     "song.mod", "song.wav"}));
}

TEST_F(RenderTool, songOnce_endsWhereARowWouldRepeat)
{
    const struct {
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
        {"pattern loops, played in the full replay mode", loopingSong(), "--full-effects",
         (64 + 6 + 2 + 2) * kRowFrames},
        {"pattern loops ignored in the reduced mode", loopingSong(), "", 64 * kRowFrames},
        {"tempo 130: 384 ticks of 848.08 frames, cut on the row start",
         soundingSong(1, 0).note(0, 0, 3, 0, 0, 0xF, 0x82), "", 325662},
        {"the safety limit", soundingSong(1, 0), "--max-seconds 0.5", 22050},
        {"a fixed duration past the song's end", soundingSong(1, 0), "--seconds 10", 441000},
    };
    for (const auto &c : cases) {
        dir.write("song.mod", c.song.build());
        const Result r = run(std::string(c.options) + " IN OUT");
        ASSERT_EQ(r.exitCode, 0) << c.what << ": " << r.err;
        EXPECT_EQ(pcmFrames(), c.frames) << c.what;
        EXPECT_NE(r.out.find(std::to_string(c.frames) + " frames"), std::string::npos) << r.out;
    }
}

TEST_F(RenderTool, pcmAndFloatFiles_haveTheirHeaders_holdWhatTheEngineRenders_replaceWhole)
{
    const auto path = dir.write("song.mod", soundingSong(2, 0).build());
    dir.write("song.wav", std::vector<uint8_t>(10, 'x'));
    ASSERT_EQ(run("--seconds 1 IN OUT").exitCode, 0);
    std::vector<uint8_t> file = wav();
    ASSERT_EQ(file.size(), 44u + 44100 * 4);
    // PCM, 2 channels, 44,100 Hz, 4 bytes a frame, 16 bits.
    EXPECT_EQ(text(file, 0, 44), "RIFF" + le(44100 * 4 + 36, 4) + "WAVEfmt " + le(16, 4) +
                                     le(1, 2) + le(2, 2) + le(44100, 4) + le(44100 * 4, 4) +
                                     le(4, 2) + le(16, 2) + "data" + le(44100 * 4, 4));
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"song.mod", "song.wav"})); // no temporary

    ModHandle mod = createMod();
    ASSERT_EQ(vxa_mod_load(mod.get(), path.c_str()), 0);
    vxa_mod_play(mod.get());
    std::vector<float> out(2 * 44100);
    vxa_mod_render(mod.get(), out.data(), 44100);
    int sounding = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        int16_t value = 0;
        std::memcpy(&value, file.data() + 44 + 2 * i, 2);
        ASSERT_EQ(value, static_cast<int>(out[i] * 128) * 256) << i;
        sounding += value != 0;
    }
    EXPECT_GT(sounding, 40000);

    ASSERT_EQ(run("--float --seconds 0.1 IN OUT").exitCode, 0);
    file = wav();
    ASSERT_EQ(file.size(), 58u + 4410 * 8);
    // IEEE float, 8 bytes a frame, 32 bits, no extension, the frames in a fact chunk.
    EXPECT_EQ(text(file, 0, 58), "RIFF" + le(4410 * 8 + 50, 4) + "WAVEfmt " + le(18, 4) + le(3, 2) +
                                     le(2, 2) + le(44100, 4) + le(44100 * 8, 4) + le(8, 2) +
                                     le(32, 2) + le(0, 2) + "fact" + le(4, 4) + le(4410, 4) +
                                     "data" + le(4410 * 8, 4));
    EXPECT_EQ(std::memcmp(out.data(), file.data() + 58, 2 * 4410 * sizeof(float)), 0);
}
