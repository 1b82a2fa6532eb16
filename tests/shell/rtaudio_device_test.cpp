// The RtAudio device's contract, on a private sound server's null sink: the buffers it
// hands out and the block size it announces first, start and stop, detaching while it
// runs, stopping while the server takes no data, counting drop-outs, and the readable
// error (and the controller going on without sound) when there is no output device.
#include "fake_platform.h"
#include "mod_builder.h"
#include "player_engine.h"
#include "pulse_server.h"
#include "rtaudio_device.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

using namespace vxtest;

namespace {

constexpr vexa::AudioFormat kStereo{44100.0, 2};
constexpr const char *kNoDevice = "No sound server or audio output device could be reached.";

// What the device told the source, written by its callbacks.
struct CallbackLog {
    std::atomic<int> calls{0};
    std::atomic<uint32_t> prepared{0}, frames{0}, bufferCount{0};
    std::atomic<bool> contiguousHalves{false}, sizesMatch{false}, renderedUnprepared{false};
};

vexa::AudioSource logInto(std::shared_ptr<CallbackLog> log)
{
    return {.prepare = [log](uint32_t maxFrames) { log->prepared = maxFrames; },
            .render =
                [log](uint32_t frames, vexa::AudioOutputBuffer *buffers, uint32_t count) {
                    if (frames > log->prepared)
                        log->renderedUnprepared = true;
                    log->frames = frames;
                    log->bufferCount = count;
                    log->contiguousHalves =
                        count == 2 && buffers[1].data == buffers[0].data + frames;
                    log->sizesMatch = count == 2 && buffers[0].byteSize == frames * sizeof(float) &&
                                      buffers[1].byteSize == frames * sizeof(float);
                    ++log->calls;
                    return 0;
                }};
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
    EXPECT_EQ(device.takeOutputLoss(), std::nullopt);
}

TEST_F(RtAudioDeviceTest, start_announcesTheBlock_thenCallsBackWithOneBufferPerChannelOfIt)
{
    device.start();
    EXPECT_TRUE(device.isRunning());
    ASSERT_TRUE(calledAgain(3));
    EXPECT_EQ(log->prepared, 512u);
    EXPECT_FALSE(log->renderedUnprepared);
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
    log->prepared = 0;
    device.attachSource(kStereo, logInto(log));
    EXPECT_EQ(log->prepared, 512u); // told the running stream's block before it renders
    ASSERT_TRUE(calledAgain(3));
    device.stop();
    EXPECT_FALSE(device.isRunning());
    EXPECT_TRUE(staysQuiet());
    device.start();
    EXPECT_TRUE(calledAgain(3));
}

// A server that takes no data (here a suspended sink) keeps RtAudio's stream thread in
// a blocking write; an idle server's sink does so for up to two seconds after play.
TEST_F(RtAudioDeviceTest, stop_returnsAtOnce_whileTheServerTakesNoData)
{
    ASSERT_TRUE(server.control("suspend-sink vxa_null 1"));
    device.start();
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // the server's buffer fills
    ASSERT_GT(log->calls, 0);
    auto stopped = std::async(std::launch::async, [&] { device.stop(); });
    const bool returned = stopped.wait_for(std::chrono::seconds(2)) == std::future_status::ready;
    server.control("suspend-sink vxa_null 0"); // lets a stop that waits finish
    EXPECT_TRUE(returned) << "stop waited for the sound server";
    EXPECT_TRUE(staysQuiet());
}

// RtAudio reports drop-outs only from ALSA, here reaching the server through its
// PulseAudio plugin. A source that stalls for longer than the output buffers hold
// causes one.
TEST(RtAudioDeviceOnAlsa, countsAnUnderflow_whenTheSourceStalls)
{
    PulseServer server;
    if (server.failure())
        GTEST_SKIP() << "Skipped: no PulseAudio server could be started: " << *server.failure();
    vexa::RtAudioDevice device({RtAudio::LINUX_ALSA});
    std::atomic<int> calls{0};
    device.attachSource(
        kStereo, {.prepare = {}, .render = [&](uint32_t, vexa::AudioOutputBuffer *, uint32_t) {
                      if (++calls == 20)
                          std::this_thread::sleep_for(std::chrono::milliseconds(400));
                      return 0;
                  }});
    device.start();
    for (int wait = 0; wait < 1000 && (calls <= 20 || device.underflowCount() == 0); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_GE(device.underflowCount(), 1u);
}

TEST(NoOutputDevice, startFailsReadablyAndQuietly_andTheControllerGoesOnWithoutSound)
{
    // No sound server to reach and an ALSA configuration that defines no device.
    TempDir folder;
    ScopedEnvironment nowhere{{{"PULSE_SERVER", "unix:" + folder.file("no-server")},
                               {"ALSA_CONFIG_PATH", folder.write("empty.conf", {})}}};
    vexa::RtAudioDevice device;
    testing::internal::CaptureStderr();
    try {
        device.start();
        ADD_FAILURE() << "started without any output device";
    } catch (const vexa::AudioError &error) {
        // A back end may still list a device it then cannot open, and add why.
        EXPECT_TRUE(std::string(error.what()).starts_with(kNoDevice)) << error.what();
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(device.isRunning());

    auto queue = std::make_shared<FakeMainQueue>();
    auto engine = vexa::PlayerEngine::create(
        {std::make_shared<vexa::RtAudioDevice>(), queue, std::make_shared<FakeTimerService>(),
         std::make_shared<FakeResources>(folder.path()),
         std::make_shared<FakeFolders>(folder.path(), folder.path())});
    EXPECT_THROW(engine->ensureEngineRunning(), vexa::AudioError);
    engine->load(folder.write("empty.mod", ModBuilder().build()));
    engine->playMode(VXA_PLAY_SONG, false);
    queue->drain();
    ASSERT_TRUE(engine->errorMessage());
    EXPECT_TRUE(engine->errorMessage()->starts_with(std::string("Audio engine: ") + kNoDevice))
        << *engine->errorMessage();
    engine->tickDisplay();
    queue->drain();
    EXPECT_TRUE(engine->isPlaying()); // the song runs; sound follows a later start
}
