// The controller while the device renders: render callbacks run on the fake device's
// own thread without pause while the main thread loads, plays, stops, ticks the display,
// publishes, saves, edits and takes edits back. Run under ThreadSanitizer in CI, where any
// unguarded access between the two threads is a failure; in every build the commands must still
// have their effects.
#include "busy_module.h"
#include "controller_fixture.h"

#include <chrono>
#include <thread>

using namespace vxtest;

namespace {

class Concurrency : public ControllerTest {
protected:
    void SetUp() override
    {
        engine->ensureEngineRunning();
        audio->startStream(512);
        engine->load(work.write("busy.mod", busyModule(4)));
    }
    void TearDown() override { audio->stopStream(); }

    // Waits (30 s at most: sanitizers are slow) until the device thread has rendered a
    // few more times, so that what the main thread does next overlaps with rendering.
    bool renderedMore()
    {
        const int target = audio->callbackCount + 3;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (audio->callbackCount < target && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
        return audio->callbackCount >= target;
    }
};

} // namespace

TEST_F(Concurrency, playStopAndDisplayTicks_whileRendering)
{
    for (int round = 0; round < 8; ++round) {
        engine->playMode(round % 2 ? VXA_PLAY_PATTERN : VXA_PLAY_SONG, round % 3 == 0);
        ASSERT_TRUE(renderedMore());
        engine->tickDisplay();
        drain();
        EXPECT_TRUE(engine->isPlaying());
        EXPECT_EQ(engine->playModeSong(), round % 2 == 0);
        ASSERT_TRUE(renderedMore());
        engine->stop();
        engine->tickDisplay();
        drain();
        EXPECT_FALSE(engine->isPlaying());
        EXPECT_EQ(engine->statusLine(), "Stopped");
    }
}

TEST_F(Concurrency, loadsAndSaves_whileThePreviousModulePlays)
{
    engine->playMode(VXA_PLAY_SONG, false);
    for (int round = 0; round < 8; ++round) {
        ASSERT_TRUE(renderedMore());
        const std::string title = "SONG " + std::to_string(round);
        engine->load(
            work.write("song.mod", ModBuilder().title(title).note(0, 0, 0, 428, 1).build()));
        drain();
        EXPECT_EQ(engine->title(), title);
        engine->playMode(VXA_PLAY_SONG, false);
        ASSERT_TRUE(renderedMore());
        engine->saveModuleVersioned();
        engine->loadSample(work.write("s.raw", std::vector<uint8_t>(64, 0x90)));
        drain(); // the versioned name comes from the published sample name
        engine->saveSampleVersioned();
        engine->publishStatus();
        drain();
        EXPECT_EQ(engine->title(), title + "(VXv1)");
        EXPECT_EQ(engine->sampleLength(), 64);
    }
    EXPECT_TRUE(std::filesystem::exists(work.path() / "SONG_7(VXv1).mod"));
    EXPECT_TRUE(std::filesystem::exists(work.path() / "S(VXv8).smp"));
}

TEST_F(Concurrency, samplesCutClearedAndRestored_whileTheyPlay)
{
    engine->playMode(VXA_PLAY_SONG, false);
    for (int round = 0; round < 8; ++round) {
        ASSERT_TRUE(renderedMore());
        engine->publishStatus();
        drain();
        const int64_t length = engine->sampleLength();
        engine->smpEdClearSample();
        engine->transpose(false, 1);
        ASSERT_TRUE(renderedMore());
        engine->undo();
        engine->undo();
        ASSERT_TRUE(renderedMore());
        engine->redo();
        engine->undo();
        drain();
        EXPECT_EQ(engine->sampleLength(), length);
        EXPECT_FALSE(engine->canUndo());
        engine->stepSample(1);
    }
}

TEST_F(Concurrency, goingAway_whileRendering_leavesNoHooksBehind)
{
    engine->playMode(VXA_PLAY_SONG, false);
    ASSERT_TRUE(renderedMore());
    drain();
    engine->postNotice("T", "M");
    std::weak_ptr<vexa::PlayerEngine> weak = engine;
    engine.reset();              // stops the device before the engine context goes
    EXPECT_TRUE(weak.expired()); // neither the callback nor the timer kept it alive
    const int after = audio->callbackCount;
    EXPECT_FALSE(audio->hasSource());
    EXPECT_FALSE(audio->isRunning());
    audio->startStream(512); // a device that keeps running finds no source
    audio->stopStream();
    EXPECT_EQ(audio->callbackCount, after);
    timers->fireAll();
    EXPECT_EQ(drain(), 1); // the posted notice runs and finds nothing to do
}
