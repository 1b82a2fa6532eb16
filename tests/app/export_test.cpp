// The song rendered to a WAV file from the controller, and the replay mode it plays and
// exports in: the export holds the module as edited, in the mode set, frame for frame as
// the render library writes it; it runs beside the playing song, can be cancelled, and
// says why it failed.
#include "controller_fixture.h"
#include "engine_handle.h"
#include "song_render.h"

#include <chrono>
#include <thread>

using namespace vxtest;
namespace fs = std::filesystem;

namespace {

// A looping sound on channel 0 from row 0, cut at its second tick: the reduced replay mode
// leaves E commands inert and lets it sound on, the full mode cuts it.
ModBuilder noteCutModule()
{
    return ModBuilder()
        .title("CUT")
        .sample(1, {.lengthWords = 200, .loopStartWords = 0, .loopLengthWords = 200})
        .note(0, 0, 0, 428, 1, 0xE, 0xC1);
}

// A song of 128 positions, minutes long.
ModBuilder longModule()
{
    return noteCutModule().song(128, 0, std::vector<uint8_t>(128, 0));
}

class Export : public ControllerTest {
protected:
    // Waits until `running` has ended and its notice is posted; "TITLE / message".
    std::string finish(const std::unique_ptr<vexa::WavExport> &running)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!running->done() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        EXPECT_TRUE(running->done());
        drain();
        drain(); // the export posts the notice, which posts it again
        return engine->notice() ? engine->notice()->title + " / " + engine->notice()->message : "";
    }

    // The WAV file the render library writes of the module file `module` in `mode`.
    std::vector<uint8_t> rendered(const fs::path &module, vxa_replay_mode mode)
    {
        ModHandle mod = createMod(vexa::kOutputRate);
        EXPECT_EQ(vxa_mod_load(mod.get(), module.c_str()), 0);
        vexa::SongRenderOptions options;
        options.replayMode = mode;
        const fs::path file = work.path() / "reference.wav";
        EXPECT_EQ(vexa::renderToWav(mod.get(), file.string(), options, {}).status, VXA_WRITE_OK);
        return readFile(file.string());
    }
};

// The first `frames` frames the device plays of the song from its start, left channel.
std::vector<float> played(FakeAudioDevice &audio, vexa::PlayerEngine &engine, uint32_t frames)
{
    engine.playMode(VXA_PLAY_SONG, false);
    return audio.renderOnDeviceThread(frames)[0];
}

std::vector<float> renderedLeft(const fs::path &module, vxa_replay_mode mode, uint32_t frames)
{
    ModHandle mod = createMod(vexa::kOutputRate);
    EXPECT_EQ(vxa_mod_load(mod.get(), module.c_str()), 0);
    vxa_mod_set_replay_mode(mod.get(), mode);
    vxa_mod_play_mode_at(mod.get(), VXA_PLAY_SONG, 0, 0);
    std::vector<float> stereo(2 * frames), left(frames);
    vxa_mod_render(mod.get(), stereo.data(), static_cast<int32_t>(frames));
    for (uint32_t i = 0; i < frames; ++i)
        left[i] = stereo[2 * i];
    return left;
}

} // namespace

TEST_F(Export, writesTheModuleAsEdited_inTheReplayModeSet_whileTheSongPlays)
{
    loadModule(noteCutModule());
    engine->ensureEngineRunning();
    engine->playMode(VXA_PLAY_SONG, false);
    audio->startStream(512);
    engine->toggleEditMode(); // stops the song; the edit below is in the export
    engine->moveEditChannel(1);
    engine->writeNoteAtCursor(13, true);
    engine->toggleEditMode();
    engine->playMode(VXA_PLAY_SONG, false);
    const fs::path edited = work.path() / "edited.mod";
    engine->saveModuleAs(edited);
    ASSERT_NE(rendered(edited, VXA_REPLAY_REDUCED), rendered(edited, VXA_REPLAY_FULL));

    for (const vxa_replay_mode mode : {VXA_REPLAY_FULL, VXA_REPLAY_REDUCED}) {
        engine->setReplayMode(mode);
        const fs::path file = work.path() / ("song" + std::to_string(mode) + ".wav");
        const auto running = engine->exportWav(file);
        ASSERT_TRUE(running);
        EXPECT_EQ(finish(running), "EXPORT WAV / Saved:\n" + file.string());
        EXPECT_EQ(running->progress(), 1.0);
        EXPECT_EQ(readFile(file.string()), rendered(edited, mode)) << mode;
        EXPECT_TRUE(engine->isPlaying());
    }
    audio->stopStream();
}

TEST_F(Export, cancelledLeavesNoFile_failedSaysWhy_withoutAModuleSaysSo)
{
    EXPECT_FALSE(engine->exportWav(work.path() / "none.wav"));
    drain();
    EXPECT_EQ(engine->notice()->title + " / " + engine->notice()->message,
              "EXPORT WAV / No module loaded.");
    engine->dismissNotice();

    loadModule(longModule());
    auto running = engine->exportWav(work.path() / "long.wav");
    running->cancel();
    EXPECT_EQ(finish(running), "") << "a notice after cancelling";
    running = engine->exportWav(work.path() / "long.wav");
    running.reset(); // letting it go cancels it
    EXPECT_EQ(work.names(), (std::vector<std::string>{"song.mod"}));

    running = engine->exportWav(work.path() / "missing" / "song.wav");
    EXPECT_EQ(finish(running), "EXPORT WAV / Could not export WAV.\nThe folder does not exist.");
}

TEST_F(Export, replayMode_setBeforeTheFirstModule_playsItAndOutlivesLoads)
{
    constexpr uint32_t kFrames = 4000; // past the cut on the second tick
    engine->setReplayMode(VXA_REPLAY_FULL);
    loadModule(noteCutModule());
    engine->ensureEngineRunning();
    const fs::path module = work.path() / "song.mod";
    const auto full = renderedLeft(module, VXA_REPLAY_FULL, kFrames);
    const auto reduced = renderedLeft(module, VXA_REPLAY_REDUCED, kFrames);
    ASSERT_NE(full, reduced);
    EXPECT_EQ(played(*audio, *engine, kFrames), full);
    loadModule(noteCutModule());
    EXPECT_EQ(played(*audio, *engine, kFrames), full) << "a load reset the mode";
    engine->setReplayMode(VXA_REPLAY_REDUCED);
    EXPECT_EQ(engine->replayMode(), VXA_REPLAY_REDUCED);
    EXPECT_EQ(played(*audio, *engine, kFrames), reduced);
}
