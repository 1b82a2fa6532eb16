// The real path, as a user would hear it: a module plays through the controller and
// the RtAudio device into a private sound server, whose null sink's monitor is recorded
// and compared with what the engine itself renders.
#include "engine_handle.h"
#include "fake_platform.h"
#include "mod_builder.h"
#include "player_engine.h"
#include "pulse_server.h"
#include "rtaudio_device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <thread>

using namespace vxtest;

namespace {

constexpr int32_t kRate = 44100;

// A looped square wave of `amplitude` around the zero line, 100 bytes a period.
std::vector<uint8_t> square(int amplitude)
{
    std::vector<uint8_t> bytes(4000);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i % 100 < 50 ? amplitude : -amplitude);
    return bytes;
}

struct Level {
    float peak = 0;
    double rms = 0;
};

// Peak and RMS of each side of interleaved frames, leaving out silence before and after
// the sound; `frames` counts what is left.
std::array<Level, 2> levels(const std::vector<float> &interleaved, size_t &frames)
{
    auto silent = [](float s) { return s == 0.0f; };
    const auto first = std::find_if_not(interleaved.begin(), interleaved.end(), silent);
    const auto last = std::find_if_not(interleaved.rbegin(), interleaved.rend(), silent).base();
    const size_t begin = static_cast<size_t>(first - interleaved.begin()) & ~size_t{1};
    const size_t end =
        first < last ? static_cast<size_t>(last - interleaved.begin() + 1) & ~size_t{1} : begin;
    std::array<Level, 2> sides;
    for (size_t i = begin; i < end; ++i) {
        sides[i % 2].peak = std::max(sides[i % 2].peak, std::abs(interleaved[i]));
        sides[i % 2].rms += double(interleaved[i]) * interleaved[i];
    }
    frames = (end - begin) / 2;
    for (Level &side : sides)
        side.rms = std::sqrt(side.rms / static_cast<double>(std::max<size_t>(frames, 1)));
    return sides;
}

} // namespace

TEST(RealAudio, playedModuleIsHeardAtTheLevelTheEngineRenders)
{
    PulseServer server;
    if (server.failure())
        GTEST_SKIP() << "Skipped: no PulseAudio server could be started for the real-audio test: "
                     << *server.failure();
    // A loud square on channel 1 (left) and a quieter one on channel 3 (right).
    TempDir work;
    const SampleHeader looped{
        .lengthWords = 2000, .volume = 64, .loopStartWords = 0, .loopLengthWords = 2000};
    const std::string file = work.write("squares.mod", ModBuilder()
                                                           .sample(1, looped)
                                                           .sample(2, looped)
                                                           .sampleData(1, square(0x60))
                                                           .sampleData(2, square(0x20))
                                                           .note(0, 0, 0, 428, 1)
                                                           .note(0, 0, 2, 428, 2)
                                                           .build());
    ModHandle mod = createMod(kRate);
    ASSERT_EQ(vxa_mod_load(mod.get(), file.c_str()), 0);
    vxa_mod_play_mode_at(mod.get(), 0, 0, 0); // as the play command plays it
    std::vector<float> rendered(2 * kRate);
    vxa_mod_render(mod.get(), rendered.data(), kRate);
    size_t renderedFrames = 0, heardFrames = 0;
    const auto expected = levels(rendered, renderedFrames);
    ASSERT_GT(expected[0].peak, expected[1].peak); // the module tells the sides apart

    server.startRecording();
    {
        auto queue = std::make_shared<FakeMainQueue>();
        auto engine = vexa::PlayerEngine::create(
            {std::make_shared<vexa::RtAudioDevice>(), queue, std::make_shared<FakeTimerService>(),
             std::make_shared<FakeResources>(work.path()),
             std::make_shared<FakeFolders>(work.path(), work.path())});
        engine->ensureEngineRunning();
        engine->load(file);
        engine->playMode(0, false);
        queue->drain();
        ASSERT_EQ(engine->errorMessage(), std::nullopt);
        ASSERT_TRUE(engine->isPlaying());
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    } // the controller stops the device as it goes
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // the server's buffering
    const auto heard = levels(server.stopRecording(), heardFrames);

    EXPECT_GE(heardFrames, size_t{kRate / 2}) << "less than half a second of sound was recorded";
    for (int side = 0; side < 2; ++side) {
        EXPECT_EQ(heard[side].peak, expected[side].peak) << "side " << side;
        EXPECT_NEAR(heard[side].rms, expected[side].rms, 0.02 * expected[side].rms) << side;
    }
}
