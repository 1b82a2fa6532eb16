// The real path, as a user would hear it: a module plays through the controller and
// the RtAudio device into a private sound server, whose null sink's monitor is recorded
// and compared with what the engine itself renders; the server going away and coming
// back while the song plays; and quitting right after play. Each back end reaches the
// server: PulseAudio directly, ALSA through its PulseAudio plugin.
#include "engine_handle.h"
#include "fake_platform.h"
#include "mod_builder.h"
#include "player_engine.h"
#include "pulse_server.h"
#include "rtaudio_device.h"
#include "sound_level.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <iostream>
#include <thread>

using namespace vxtest;
using std::chrono::milliseconds;

namespace {

constexpr int32_t kRate = 44100;
using Clock = std::chrono::steady_clock;

const std::pair<RtAudio::Api, const char *> kBackEnds[] = {{RtAudio::LINUX_PULSE, "PulseAudio"},
                                                           {RtAudio::LINUX_ALSA, "ALSA"}};

// A looped square wave of `amplitude` around the zero line, 100 bytes a period.
std::vector<uint8_t> square(int amplitude)
{
    std::vector<uint8_t> bytes(4000);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i % 100 < 50 ? amplitude : -amplitude);
    return bytes;
}

// A loud square on channel 1 (left) and a quieter one on channel 3 (right), for ever.
std::string squaresModule(const TempDir &work)
{
    const SampleHeader looped{
        .lengthWords = 2000, .volume = 64, .loopStartWords = 0, .loopLengthWords = 2000};
    return work.write("squares.mod", ModBuilder()
                                         .sample(1, looped)
                                         .sample(2, looped)
                                         .sampleData(1, square(0x60))
                                         .sampleData(2, square(0x20))
                                         .note(0, 0, 0, 428, 1)
                                         .note(0, 0, 2, 428, 2)
                                         .build());
}

// The controller playing `file` on a real device, with fakes for everything else.
struct PlayingController {
    PlayingController(const TempDir &work, const std::string &file, RtAudio::Api api)
        : device(std::make_shared<vexa::RtAudioDevice>(std::vector{api})),
          engine(
              vexa::PlayerEngine::create({device, queue, std::make_shared<FakeTimerService>(),
                                          std::make_shared<FakeResources>(work.path()),
                                          std::make_shared<FakeFolders>(work.path(), work.path())}))
    {
        engine->ensureEngineRunning();
        engine->load(file);
        engine->playMode(VXA_PLAY_SONG, false);
        queue->drain();
    }
    // Milliseconds the controller and the device take to go, as when the program quits.
    double quit()
    {
        const auto start = Clock::now();
        engine.reset();
        device.reset();
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }

    std::shared_ptr<FakeMainQueue> queue = std::make_shared<FakeMainQueue>();
    std::shared_ptr<vexa::RtAudioDevice> device;
    std::shared_ptr<vexa::PlayerEngine> engine;
};

double processCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

class RealAudio : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (server.failure())
            GTEST_SKIP() << "Skipped: no PulseAudio server could be started for the "
                            "real-audio test: "
                         << *server.failure();
    }
    // What the engine renders of the first second of the squares, as play starts it.
    SoundLevel renderedLevel()
    {
        ModHandle mod = createMod(kRate);
        EXPECT_EQ(vxa_mod_load(mod.get(), squares.c_str()), 0);
        vxa_mod_play_mode_at(mod.get(), 0, 0, 0);
        std::vector<float> rendered(2 * kRate);
        vxa_mod_render(mod.get(), rendered.data(), kRate);
        return measureSound(rendered);
    }
    // Stops recording once the server has played what it buffered; checks that at least
    // half a second was heard, at the level the engine renders.
    void expectHeardAsRendered()
    {
        std::this_thread::sleep_for(milliseconds(300));
        const SoundLevel heard = measureSound(server.stopRecording());
        const SoundLevel expected = renderedLevel();
        ASSERT_GT(expected.peak[0], expected.peak[1]); // the module tells the sides apart
        EXPECT_GE(heard.seconds, 0.5) << "less than half a second was heard";
        for (int side = 0; side < 2; ++side) {
            EXPECT_EQ(heard.peak[side], expected.peak[side]) << "side " << side;
            EXPECT_NEAR(heard.rms[side], expected.rms[side], 0.02 * expected.rms[side]) << side;
        }
    }

    PulseServer server;
    TempDir work;
    std::string squares = squaresModule(work);
};

} // namespace

TEST_F(RealAudio, playedModuleIsHeardAtTheLevelTheEngineRenders_throughEitherBackEnd)
{
    for (const auto &[api, name] : kBackEnds) {
        SCOPED_TRACE(name);
        server.startRecording();
        PlayingController player(work, squares, api);
        ASSERT_EQ(player.engine->errorMessage(), std::nullopt);
        ASSERT_TRUE(player.engine->isPlaying());
        std::this_thread::sleep_for(milliseconds(1500));
        std::cout << name << ": " << player.device->underflowCount()
                  << " underflows in 1.5 s of playing\n";
        player.quit();
        expectHeardAsRendered();
    }
}

TEST_F(RealAudio, lostServer_stopsRenderingAndSaysSo_andPlayBringsTheSoundBack)
{
    for (const auto &[api, name] : kBackEnds) {
        SCOPED_TRACE(name);
        PlayingController player(work, squares, api);
        std::this_thread::sleep_for(milliseconds(300));
        server.stop();
        std::this_thread::sleep_for(milliseconds(200)); // a few failed writes
        const double cpuBefore = processCpuSeconds();
        std::this_thread::sleep_for(milliseconds(1000));
        EXPECT_LT(processCpuSeconds() - cpuBefore, 0.2) << "CPU seconds in a second";
        player.engine->tickDisplay();
        player.queue->drain();
        ASSERT_TRUE(player.engine->errorMessage());
        EXPECT_TRUE(player.engine->errorMessage()->starts_with("Audio: "));
        EXPECT_FALSE(player.engine->isPlaying());

        server.start();
        ASSERT_FALSE(server.failure()) << *server.failure();
        server.startRecording();
        player.engine->playMode(VXA_PLAY_SONG, false);
        player.queue->drain();
        EXPECT_EQ(player.engine->errorMessage(), std::nullopt);
        std::this_thread::sleep_for(milliseconds(1000));
        player.quit();
        expectHeardAsRendered();
    }
}

// An idle server's null sink asks for its first data up to two seconds after a stream
// starts, and RtAudio's stream thread blocks in its write until then.
TEST_F(RealAudio, quittingRightAfterPlay_doesNotWaitForTheServer)
{
    for (const int playedMs : {20, 1000}) {
        PlayingController player(work, squares, RtAudio::LINUX_PULSE);
        std::this_thread::sleep_for(milliseconds(playedMs));
        const double quitMs = player.quit();
        std::cout << "quit after " << playedMs << " ms of playing took " << quitMs << " ms\n";
        EXPECT_LT(quitMs, 100.0) << playedMs;
    }
}
