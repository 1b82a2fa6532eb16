// The RtAudio device's contract, on a private sound server's null sink: the buffers it
// hands out, start and stop, detaching while it runs, and the readable error (and the
// controller going on without sound) when there is no output device at all.
#include "fake_platform.h"
#include "mod_builder.h"
#include "player_engine.h"
#include "pulse_server.h"
#include "rtaudio_device.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace vxtest;

namespace {

constexpr vexa::AudioFormat kStereo{44100.0, 2};
constexpr const char *kNoDevice = "No audio output device is available.";

// What the device's thread saw, written by the callback.
struct CallbackLog {
    std::atomic<int> calls{0};
    std::atomic<uint32_t> frames{0}, bufferCount{0};
    std::atomic<bool> contiguousHalves{false}, sizesMatch{false};
};

vexa::AudioRenderCallback logInto(std::shared_ptr<CallbackLog> log)
{
    return [log](uint32_t frames, vexa::AudioOutputBuffer *buffers, uint32_t count) {
        log->frames = frames;
        log->bufferCount = count;
        log->contiguousHalves = count == 2 && buffers[1].data == buffers[0].data + frames;
        log->sizesMatch = count == 2 && buffers[0].byteSize == frames * sizeof(float) &&
                          buffers[1].byteSize == frames * sizeof(float);
        ++log->calls;
        return 0;
    };
}

class RtAudioDeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (server.failure())
            GTEST_SKIP() << "Skipped: no PulseAudio server could be started: " << *server.failure();
        device.attachSource(kStereo, logInto(log));
    }
    // Whether the callback runs `count` more times within five seconds.
    bool calledAgain(int count)
    {
        const int target = log->calls + count;
        for (int wait = 0; wait < 1000 && log->calls < target; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return log->calls >= target;
    }
    // Whether the callback stays silent for longer than several 512-frame callbacks.
    bool staysQuiet()
    {
        const int before = log->calls;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        return log->calls == before;
    }

    PulseServer server;
    std::shared_ptr<CallbackLog> log = std::make_shared<CallbackLog>();
    vexa::RtAudioDevice device;
};

} // namespace

TEST(RtAudioDevice, supportsOnlyStereoAt44100_andReflectsAttachWithoutAStream)
{
    vexa::RtAudioDevice device;
    EXPECT_TRUE(device.supportsFormat(kStereo));
    EXPECT_FALSE(device.supportsFormat({48000.0, 2}));
    EXPECT_FALSE(device.supportsFormat({44100.0, 1}));
    EXPECT_FALSE(device.hasSource());
    device.attachSource(kStereo, logInto(std::make_shared<CallbackLog>()));
    EXPECT_TRUE(device.hasSource());
    device.detachSource();
    EXPECT_FALSE(device.hasSource());
    EXPECT_FALSE(device.isRunning());
}

TEST_F(RtAudioDeviceTest, start_callsBackWithOneBufferPerChannelOfOneBlock)
{
    device.start();
    EXPECT_TRUE(device.isRunning());
    ASSERT_TRUE(calledAgain(3));
    EXPECT_EQ(log->bufferCount, 2u);
    EXPECT_EQ(log->frames, 512u);
    EXPECT_TRUE(log->contiguousHalves);
    EXPECT_TRUE(log->sizesMatch);
}

TEST_F(RtAudioDeviceTest, stopOrDetach_endCallbacks_detachKeepsTheOutput_andBothResume)
{
    device.start();
    ASSERT_TRUE(calledAgain(1));
    device.detachSource();
    EXPECT_FALSE(device.hasSource());
    EXPECT_TRUE(staysQuiet());
    EXPECT_TRUE(device.isRunning());
    EXPECT_EQ(log.use_count(), 1) << "the device still holds the detached callback";
    device.attachSource(kStereo, logInto(log));
    ASSERT_TRUE(calledAgain(3));
    device.stop();
    EXPECT_FALSE(device.isRunning());
    EXPECT_TRUE(staysQuiet());
    device.start();
    EXPECT_TRUE(calledAgain(3));
}

TEST(NoOutputDevice, startFailsReadably_andTheControllerGoesOnWithoutSound)
{
    // No sound server to reach and an ALSA configuration that defines no device.
    TempDir folder;
    ScopedEnvironment nowhere{{{"PULSE_SERVER", "unix:" + folder.file("no-server")},
                               {"ALSA_CONFIG_PATH", folder.write("empty.conf", {})}}};
    vexa::RtAudioDevice device;
    try {
        device.start();
        FAIL() << "started without any output device";
    } catch (const vexa::AudioError &error) {
        // A back end may still list a device it then cannot open, and add why.
        EXPECT_TRUE(std::string(error.what()).starts_with(kNoDevice)) << error.what();
    }
    EXPECT_FALSE(device.isRunning());

    auto queue = std::make_shared<FakeMainQueue>();
    auto engine = vexa::PlayerEngine::create(
        {std::make_shared<vexa::RtAudioDevice>(), queue, std::make_shared<FakeTimerService>(),
         std::make_shared<FakeResources>(folder.path()),
         std::make_shared<FakeFolders>(folder.path(), folder.path())});
    EXPECT_THROW(engine->ensureEngineRunning(), vexa::AudioError);
    engine->load(folder.write("empty.mod", ModBuilder().build()));
    engine->playMode(0, false);
    queue->drain();
    ASSERT_TRUE(engine->errorMessage());
    EXPECT_TRUE(engine->errorMessage()->starts_with(std::string("Audio engine: ") + kNoDevice))
        << *engine->errorMessage();
    engine->tickDisplay();
    queue->drain();
    EXPECT_TRUE(engine->isPlaying()); // the song runs; sound follows a later start
}
