// The real path, as a user would hear it: a module plays through the controller and
// the RtAudio device into a private sound server, whose null sink's monitor is recorded
// and compared with what the engine itself renders.
#include "engine_handle.h"
#include "fake_platform.h"
#include "mod_builder.h"
#include "monitor_recording.h"
#include "player_engine.h"
#include "pulse_server.h"
#include "rtaudio_device.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <thread>

using namespace vxtest;

namespace {

constexpr int32_t kRate = 44100;
constexpr auto kPlayTime = std::chrono::milliseconds(1500);
constexpr auto kDrainTime = std::chrono::milliseconds(300); // the server's own buffering
constexpr size_t kHalfSecond = kRate / 2;
constexpr double kLevelTolerance = 0.02; // of the rendered RMS

// A square wave of `amplitude` around the zero line, 100 bytes a period.
std::vector<uint8_t> square(int amplitude)
{
    std::vector<uint8_t> bytes(4000);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i % 100 < 50 ? amplitude : -amplitude);
    return bytes;
}

// A loud looped square on channel 1 (left) and a quieter one on channel 3 (right).
ModBuilder squaresModule()
{
    const SampleHeader looped{
        .lengthWords = 2000, .volume = 64, .loopStartWords = 0, .loopLengthWords = 2000};
    return ModBuilder()
        .sample(1, looped)
        .sample(2, looped)
        .sampleData(1, square(0x60))
        .sampleData(2, square(0x20))
        .note(0, 0, 0, 428, 1)
        .note(0, 0, 2, 428, 2);
}

struct Level {
    float peak = 0;
    double rms = 0;
};

struct StereoLevels {
    size_t frames = 0;
    Level left;
    Level right;
};

// Levels of interleaved frames, leaving out silence before and after the sound.
StereoLevels levels(const std::vector<float> &interleaved)
{
    auto silent = [](float s) { return s == 0.0f; };
    const auto first = std::find_if_not(interleaved.begin(), interleaved.end(), silent);
    const auto last = std::find_if_not(interleaved.rbegin(), interleaved.rend(), silent).base();
    StereoLevels result;
    if (first >= last)
        return result;
    const size_t begin = static_cast<size_t>(first - interleaved.begin()) & ~size_t{1};
    const size_t end = static_cast<size_t>(last - interleaved.begin() + 1) & ~size_t{1};
    result.frames = (end - begin) / 2;
    for (size_t i = begin; i < end; i += 2) {
        for (auto [sample, level] : {std::pair{interleaved[i], &result.left},
                                     std::pair{interleaved[i + 1], &result.right}}) {
            level->peak = std::max(level->peak, std::abs(sample));
            level->rms += static_cast<double>(sample) * sample;
        }
    }
    result.left.rms = std::sqrt(result.left.rms / static_cast<double>(result.frames));
    result.right.rms = std::sqrt(result.right.rms / static_cast<double>(result.frames));
    return result;
}

// What the engine renders for the module played as the play command plays it.
std::vector<float> engineRender(const std::string &file, size_t frames)
{
    ModHandle mod = createMod(kRate);
    EXPECT_EQ(vxa_mod_load(mod.get(), file.c_str()), 0);
    vxa_mod_play_mode_at(mod.get(), 0, 0, 0);
    std::vector<float> out(2 * frames);
    vxa_mod_render(mod.get(), out.data(), static_cast<int32_t>(frames));
    return out;
}

std::shared_ptr<vexa::PlayerEngine> controllerOnTheRealDevice(std::shared_ptr<FakeMainQueue> queue,
                                                              const TempDir &folder)
{
    return vexa::PlayerEngine::create(
        {std::make_shared<vexa::RtAudioDevice>(), std::move(queue),
         std::make_shared<FakeTimerService>(), std::make_shared<FakeResources>(folder.path()),
         std::make_shared<FakeFolders>(folder.path(), folder.path())});
}

} // namespace

class RealAudio : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (server.failure())
            GTEST_SKIP() << "Skipped: no PulseAudio server could be started for the real-audio "
                            "test: "
                         << *server.failure();
    }

    PulseServer server;
    TempDir work;
};

TEST_F(RealAudio, playedModuleIsHeardAtTheLevelTheEngineRenders)
{
    const std::string file = work.write("squares.mod", squaresModule().build());
    const StereoLevels rendered = levels(engineRender(file, kRate));
    ASSERT_GT(rendered.left.peak, rendered.right.peak); // the module tells the sides apart

    MonitorRecording recording(server);
    {
        auto queue = std::make_shared<FakeMainQueue>();
        auto engine = controllerOnTheRealDevice(queue, work);
        engine->ensureEngineRunning();
        engine->load(file);
        engine->playMode(0, false);
        queue->drain();
        ASSERT_EQ(engine->errorMessage(), std::nullopt);
        ASSERT_TRUE(engine->isPlaying());
        std::this_thread::sleep_for(kPlayTime);
    } // the controller stops the device as it goes
    std::this_thread::sleep_for(kDrainTime);
    const StereoLevels heard = levels(recording.stop());

    EXPECT_GE(heard.frames, kHalfSecond) << "less than half a second of sound was recorded";
    EXPECT_EQ(heard.left.peak, rendered.left.peak);
    EXPECT_EQ(heard.right.peak, rendered.right.peak);
    EXPECT_NEAR(heard.left.rms, rendered.left.rms, kLevelTolerance * rendered.left.rms);
    EXPECT_NEAR(heard.right.rms, rendered.right.rms, kLevelTolerance * rendered.right.rms);
}
