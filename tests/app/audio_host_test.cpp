// The audio host: the render callback on the device thread, its scratch buffer and
// copy-out, start-up and play errors, the display timer, play and stop, and what is
// left of the controller's hooks once it is gone.
#include "controller_fixture.h"

using namespace vxtest;

namespace {

// A module whose channel 0 plays a constant +0x40 sample from row 0: on the left alone,
// (0xC0 + 0x80) / 2 = 0xA0, which is 32 / 128.
ModBuilder steadyModule()
{
    return ModBuilder()
        .sample(1,
                {.lengthWords = 2000, .volume = 64, .loopStartWords = 0, .loopLengthWords = 2000})
        .sampleData(1, std::vector<uint8_t>(4000, 0x40))
        .note(0, 0, 0, 428, 1);
}

} // namespace

TEST_F(ControllerTest, callback_beforeAnyModulePlaysSilence_andZeroFramesWriteNothing)
{
    engine->ensureEngineRunning();
    const auto out = audio->renderOnDeviceThread(512);
    EXPECT_EQ(out[0], std::vector<float>(512, 0.0f));
    EXPECT_EQ(out[1], std::vector<float>(512, 0.0f));
    EXPECT_TRUE(audio->renderOnDeviceThread(0)[0].empty());
    EXPECT_EQ(audio->callbackCount, 2);
}

TEST_F(ControllerTest, scratchBuffer_isSizedForTheDeviceBlockAtStart_longerCallbacksGoInPieces)
{
    audio->blockFrames = 8192;
    loadModule(steadyModule());
    engine->ensureEngineRunning();
    EXPECT_EQ(engine->renderScratchCapacity(), 16384);
    engine->playMode(VXA_PLAY_SONG, false);
    const auto split = audio->renderOnDeviceThread(20000);
    EXPECT_EQ(split[0], std::vector<float>(20000, 0.25f));
    EXPECT_EQ(split[1], std::vector<float>(20000, 0.0f));
    const auto interleaved = audio->renderOnDeviceThread(9000, 1);
    EXPECT_EQ(interleaved[0][2 * 8191], 0.25f);
    EXPECT_EQ(interleaved[0][2 * 8192], 0.25f);
    EXPECT_EQ(interleaved[0][2 * 8999 + 1], 0.0f);
    EXPECT_EQ(engine->renderScratchCapacity(), 16384);
}

TEST_F(ControllerTest, missingFormat_failsWithTheControllersError)
{
    audio->formatAvailable = false;
    try {
        engine->ensureEngineRunning();
        FAIL() << "no error";
    } catch (const vexa::AudioError &error) {
        EXPECT_STREQ(error.what(), "Could not create stereo float format");
        EXPECT_EQ(error.domain(), "Vexatron");
        EXPECT_EQ(error.code(), 1);
    }
    EXPECT_FALSE(audio->hasSource());
}

TEST_F(ControllerTest, play_withoutAModuleDoesNothing_reportsAnEngineThatCannotStart_stopKeepsAudio)
{
    engine->playMode(VXA_PLAY_SONG, true);
    drain();
    EXPECT_FALSE(engine->isPlaying());
    EXPECT_FALSE(engine->editMode());
    EXPECT_FALSE(audio->isRunning());

    loadModule(steadyModule());
    audio->startError = "no device";
    engine->playMode(VXA_PLAY_PATTERN, true);
    drain();
    EXPECT_EQ(engine->errorMessage(), "Audio engine: no device");
    EXPECT_FALSE(engine->editMode()); // the rest of the play command did not run
    audio->startError = nullptr;
    engine->playMode(VXA_PLAY_PATTERN, true);
    drain();
    EXPECT_EQ(engine->errorMessage(), std::nullopt);
    EXPECT_TRUE(engine->isPlaying());
    EXPECT_TRUE(engine->editMode());
    EXPECT_EQ(engine->statusLine(), "Recording");
    EXPECT_FALSE(engine->playModeSong());
    engine->stop();
    drain();
    EXPECT_FALSE(engine->isPlaying());
    EXPECT_EQ(engine->statusLine(), "Stopped");
    EXPECT_TRUE(audio->isRunning()); // the output and the timer keep running
    EXPECT_EQ(timers->scheduledCount(), 1);
    EXPECT_EQ(audio->renderOnDeviceThread(16)[0], std::vector<float>(16, 0.0f));
}

TEST_F(ControllerTest, lostOutput_stopsTheSongAndSaysWhy_andPlayOrALiveNoteReopensIt)
{
    loadModule(steadyModule());
    const std::function<void()> reopeners[] = {[&] { engine->playMode(VXA_PLAY_SONG, false); },
                                               [&] { engine->writeNoteAtCursor(13, false); }};
    for (const auto &reopen : reopeners) {
        engine->playMode(VXA_PLAY_SONG, false);
        audio->loseOutput("The server went away.");
        engine->tickDisplay();
        drain();
        EXPECT_EQ(engine->errorMessage(), "Audio: The server went away.");
        EXPECT_FALSE(engine->isPlaying());
        EXPECT_FALSE(audio->isRunning());
        reopen();
        drain();
        EXPECT_TRUE(audio->isRunning());
    }
}

TEST_F(ControllerTest, displayTimer_isStartedOnceAndTicksThePublishedState)
{
    engine->startDisplayTimer();
    engine->startDisplayTimer();
    EXPECT_EQ(timers->scheduledCount(), 1);
    EXPECT_EQ(timers->lastInterval.count(), 1'000'000'000 / 30);
    loadModule(steadyModule());
    engine->playMode(VXA_PLAY_SONG, false);
    audio->renderOnDeviceThread(44100);
    timers->fireAll();
    drain();
    EXPECT_EQ(engine->timerLine(), "00:01");
    EXPECT_EQ(engine->chanMuzak()[0], 64 - 2); // one display tick of decay
    EXPECT_EQ(timers->scheduledCount(), 1);
}
