// The committed demo module: built from its song source byte for byte, and a module the
// engine reads and writes back unchanged.
#include "demo_module.h"
#include "demo_paths.h"
#include "engine_handle.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

using namespace vxtest;

namespace {

constexpr int kSlots = 31;

std::string textOf(const std::string &path)
{
    const std::vector<uint8_t> bytes = readFile(path);
    return {bytes.begin(), bytes.end()};
}

} // namespace

TEST(DemoModule, committedFile_isWhatItsSongSourceBuilds)
{
    const std::vector<uint8_t> committed = readFile(kDemoModulePath);
    ASSERT_FALSE(committed.empty()) << kDemoModulePath;
    const std::vector<uint8_t> built = vexatron::demo::buildModule(textOf(kDemoSongPath));
    ASSERT_EQ(built.size(), committed.size());
    const auto mismatch = std::mismatch(built.begin(), built.end(), committed.begin());
    EXPECT_TRUE(mismatch.first == built.end())
        << "first difference at byte " << (mismatch.first - built.begin())
        << "; rebuild with the demo_module target";
}

TEST(DemoModule, loadsAndSavesBackUnchanged)
{
    TempDir dir;
    ModHandle mod = createMod();
    ASSERT_EQ(vxa_mod_load(mod.get(), kDemoModulePath.c_str()), 0);
    const std::string copy = dir.file("copy.mod");
    ASSERT_EQ(vxa_mod_save(mod.get(), copy.c_str()), 0);
    EXPECT_EQ(readFile(copy), readFile(kDemoModulePath));
}

TEST(DemoModule, hasATitleAndNamedSamplesWithLoopsInside)
{
    ModHandle mod = createMod();
    ASSERT_EQ(vxa_mod_load(mod.get(), kDemoModulePath.c_str()), 0);
    EXPECT_STRNE(vxa_mod_title(mod.get()), "");
    int used = 0;
    for (int slot = 1; slot <= kSlots; ++slot) {
        vxa_sample_info info{};
        ASSERT_EQ(vxa_mod_get_sample_info(mod.get(), slot, &info), 0);
        if (info.length == 0)
            continue;
        ++used;
        EXPECT_STRNE(info.name, "") << "slot " << slot;
        EXPECT_EQ(info.length % 2, 0u) << "slot " << slot;
        EXPECT_LE(info.loop_start + info.loop_length, info.length) << "slot " << slot;
    }
    EXPECT_GE(used, 4);
}
