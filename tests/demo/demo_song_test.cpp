// The demo module: the committed file is what its song source builds, byte for byte, and
// the engine reads and writes it back unchanged; played from its first position it passes
// every position once, comes back to its restart position at the speed and tempo it had
// there, takes one to two minutes, and every channel sounds in every position.
#include "demo_module.h"
#include "engine_handle.h"
#include "source_path.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

using namespace vxtest;

namespace {

const std::string kDemoModulePath = sourcePath("resources/SPACE_DEBRIS.MOD");
const std::string kDemoSongPath = sourcePath("tools/demo_song/space_debris.song");
constexpr int32_t kRate = 44100;

struct PositionVisit {
    int32_t position, speed, tempo;
    std::array<bool, 4> sounded{};
};

} // namespace

TEST(DemoModule, committedFileIsWhatItsSongSourceBuilds_andSavesBackUnchanged)
{
    const std::vector<uint8_t> committed = readFile(kDemoModulePath);
    const std::vector<uint8_t> source = readFile(kDemoSongPath);
    ASSERT_FALSE(committed.empty()) << kDemoModulePath;
    const std::vector<uint8_t> built =
        vexatron::demo::buildModule(std::string(source.begin(), source.end()));
    ASSERT_EQ(built.size(), committed.size());
    const auto mismatch = std::mismatch(built.begin(), built.end(), committed.begin());
    EXPECT_TRUE(mismatch.first == built.end())
        << "first difference at byte " << (mismatch.first - built.begin())
        << "; rebuild with the demo_module target";

    TempDir dir;
    ModHandle mod = createMod();
    ASSERT_EQ(vxa_mod_load(mod.get(), kDemoModulePath.c_str()), 0);
    EXPECT_STRNE(vxa_mod_title(mod.get()), "");
    ASSERT_EQ(vxa_mod_save(mod.get(), dir.file("copy.mod").c_str()), 0);
    EXPECT_EQ(readFile(dir.file("copy.mod")), committed);
}

TEST(DemoSong, passesEveryPositionOnce_loopsToItsRestart_andEveryChannelSounds)
{
    ModHandle mod = createMod(kRate);
    ASSERT_EQ(vxa_mod_load(mod.get(), kDemoModulePath.c_str()), 0);
    // Plays in blocks of 64 frames, reading the status after each, until the position goes
    // backwards; the last visit is where the song looped to. Ten minutes at most.
    std::vector<PositionVisit> visits;
    int64_t framesToLoop = 0;
    std::vector<float> block(2 * 64);
    vxa_status status{};
    vxa_mod_play(mod.get());
    for (int64_t frames = 0; frames < 600 * kRate && framesToLoop == 0; frames += 64) {
        vxa_mod_render(mod.get(), block.data(), 64);
        vxa_mod_get_status(mod.get(), &status);
        if (visits.empty() || status.order_pos != visits.back().position) {
            if (!visits.empty() && status.order_pos < visits.back().position)
                framesToLoop = frames;
            visits.push_back({status.order_pos, status.speed, status.tempo});
        }
        for (int c = 0; c < 4 && framesToLoop == 0; ++c)
            visits.back().sounded[c] |= status.chan_out[c] != 128;
    }
    ASSERT_GT(framesToLoop, 0) << "the song did not loop within ten minutes";
    EXPECT_GE(framesToLoop, 60 * kRate);
    EXPECT_LE(framesToLoop, 120 * kRate);

    const int32_t length = vxa_mod_order_length(mod.get());
    ASSERT_EQ(static_cast<int32_t>(visits.size()), length + 1);
    for (int32_t p = 0; p < length; ++p) {
        EXPECT_EQ(visits[p].position, p);
        for (int c = 0; c < 4; ++c)
            EXPECT_TRUE(visits[p].sounded[c]) << "channel " << c + 1 << " is silent at " << p;
    }
    const int32_t restart = vxa_mod_restart(mod.get());
    EXPECT_GT(restart, 0) << "the introduction should play only once";
    EXPECT_EQ(visits.back().position, restart);
    EXPECT_EQ(visits.back().speed, visits[restart].speed);
    EXPECT_EQ(visits.back().tempo, visits[restart].tempo);
}
